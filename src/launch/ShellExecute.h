// The shell's ShellExecuteExW, reached only when something is opened. Importing it
// would load the shell library and the half-dozen libraries behind it at every
// start (some 5 MB of memory under Wine) for launches that most runs never make.
#pragma once
#include <windows.h>

// Opens file with its default action, shown normally, with UTF-8 texts (null stays null); false
// when the shell refused or its library cannot be loaded. With process (null on entry), the
// program the shell started, for the caller to close; it stays null when the shell started none
// (a file handed to a program that runs already).
bool ShellExecuteLate(const char* file, const char* parameters, const char* directory,
                      HANDLE* process = nullptr);
