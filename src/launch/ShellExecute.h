// The shell's ShellExecuteW, reached only when something is opened. Importing it
// would load the shell library and the half-dozen libraries behind it at every
// start (some 5 MB of memory under Wine) for launches that most runs never make.
#pragma once
#include <windows.h>

// As ShellExecuteW, with UTF-8 texts (null stays null); a value of 32 or less reports failure (0
// when the shell library cannot be loaded at all).
HINSTANCE ShellExecuteLate(HWND window, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show);
