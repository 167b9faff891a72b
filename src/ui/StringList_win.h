// Files as bytes, and reading a StringList from a file: the Win32 half of
// StringList.h. File names are UTF-8.
#pragma once
#include "ui/StringList.h"
#include <string>

// The whole file; false only when it cannot be opened (a short read keeps what
// was read).
bool ReadFileBytes(const std::string& name, std::string& bytes);
// Empties the list, then reads the file's bytes as they are; false only when it
// cannot be opened.
bool StringListLoadFromFile(StringList* list, const char* name);
