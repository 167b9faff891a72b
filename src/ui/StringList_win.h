// Reading a StringList from a file: the Win32 half of StringList.h.
#pragma once
#include "ui/StringList.h"

// Empties the list, then reads the file; false only when it cannot be opened.
bool StringListLoadFromFile(StringList* list, const char* name);
