// Files as bytes, and reading a StringList from a file: the Win32 half of
// StringList.h. File names are UTF-8.
#pragma once
#include "ui/StringList.h"
#include <string>

// The whole file; false only when it cannot be opened (a short read keeps what
// was read).
bool ReadFileBytes(const std::string& name, std::string& bytes);
// Replaces the file with bytes (or makes it), or leaves it as it was: the bytes
// are written whole beside it first and then take its place, as the same file
// (ReplaceFileW; MoveFileExW for a new one). False, with the old file whole and
// nothing left beside it, when they could not be; the reason is the thread's
// last error.
bool WriteFileBytes(const std::string& name, const std::string& bytes);
// Empties the list, then reads the file's bytes as they are; false only when it
// cannot be opened.
bool StringListLoadFromFile(StringList* list, const char* name);
