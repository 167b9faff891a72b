// The end of the line for an error nobody handled: reported, then the program
// ends with exit code 1.
#pragma once

[[noreturn]] void ReportUnhandledError(const char* message);
