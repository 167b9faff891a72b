// Files as bytes, and reading a StringList from a file: the Win32 half of
// StringList.h. File names are UTF-8.
#pragma once
#include "ui/StringList.h"
#include <windows.h>
#include <string>

// A file handle closed when it goes out of scope.
struct FileHandle {
    HANDLE h;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

// The whole file; false only when it cannot be opened (a short read keeps what
// was read).
bool ReadFileBytes(const std::string& name, std::string& bytes);
// Empties the list, then reads the file's bytes as they are; false only when it
// cannot be opened.
bool StringListLoadFromFile(StringList* list, const char* name);
