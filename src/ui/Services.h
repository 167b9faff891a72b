// Small services the program calls everywhere, the portable half: numbers and
// texts, command-line splitting, file-name parts. The Win32 half is Services_win.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

std::string IntToText(int32_t n);
std::string UIntToText(uint32_t n);
// Optional sign, then decimal digits up to the first non-digit, wrapping at 32
// bits; no blanks skipped; null or no digits give 0.
int32_t TextToInt(const char* text);
inline int32_t TextToInt(const std::string& text) {
    return TextToInt(text.c_str());
}

// Parameter n of a command line as Windows programs split it: separators are
// codes up to 0x20, double quotes group blanks. Parameter 0 is the program name
// as written; "" past the last parameter.
std::string CommandLineParam(const char* commandLine, int n);
int CommandLineParamCount(const char* commandLine);

// The text after the last ":" or "\"; the whole path when it holds neither.
std::string FileNamePart(const std::string& path);
// The text up to and including the last ":" or "\"; "" when there is none.
std::string FileDirPart(const std::string& path);

char* StrCopy(char* dest, const char* source);
size_t StrLength(const char* text);

bool NTPlatformFor(bool versionKnown, uint32_t platformId);
