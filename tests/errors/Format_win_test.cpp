#include "errors/err.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace err;

namespace {
// What the system's own formatter makes of the same template and values. On
// i686 the variable-argument list is a plain array of 32-bit slots.
std::string SystemFormat(const char* format, std::initializer_list<FormatArg> args) {
    std::vector<DWORD_PTR> slots;
    for (const FormatArg& a : args)
        slots.push_back(a.isText ? reinterpret_cast<DWORD_PTR>(a.text) : a.number);
    slots.push_back(0);
    char buffer[1100] = {};
    int n = wvsprintfA(buffer, format, reinterpret_cast<va_list>(slots.data()));
    return std::string(buffer, n > 0 && n < 1024 ? n : 0);
}
} // namespace

#define EXPECT_SAME(format, ...)                                                                   \
    EXPECT_EQ(FormatTemplate(format, {__VA_ARGS__}), SystemFormat(format, {__VA_ARGS__})) << format

TEST(ErrFormatOnWindows, MatchesTheSystemFormatter) {
    EXPECT_SAME("%p", 0x1234abcdu);
    EXPECT_SAME("%p", 0u);
    EXPECT_SAME("%p|%x|%X|%d|%u|%i", 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                0xFFFFFFFFu, 0xFFFFFFFFu);
    EXPECT_SAME("%d %d %d", INT32_MIN, INT32_MAX, 0);
    EXPECT_SAME("Exception %s in module %s at %p.\n%s%s", "Exception", "C:\\pv\\paravue.exe",
                0x1234u, "Range check error", "");
    EXPECT_SAME("Access violation at address %p in module '%s'. %s of address %p", 0x401000u,
                "paravue.exe", "Read", 0u);
    EXPECT_SAME("External exception %x", 0xC0000194u);
    EXPECT_SAME("%s (%s, line %d)", "Assertion failed", "x", 12);
    EXPECT_SAME("I/O error %d", -32);
}

TEST(ErrFormatOnWindows, MatchesTheSystemFormatterInTheCorners) {
    EXPECT_SAME("%05d|%5d|%-5d|%.3d|%8.3d|%08.3d|%3.5d|%.0d", -3, -3, -3, -7, -12, 12, 12, 0);
    EXPECT_SAME("%#x|%#X|%#08x|%-#010x|%#8x|%#p|%-#12p|", 255, 255, 255, 255, 255, 1u, 1u);
    EXPECT_SAME("%10p|%-12p|%.2p|%.12p|%012x|%-08x|", 0x10u, 0x10u, 0xABCu, 0xABCu, 0xABCu, 0xABCu);
    EXPECT_SAME("%5s|%-5s|%05s|%.3s|%.0s|%2.1s|", "ab", "ab", "ab", "abcdef", "abc", "xyz");
    EXPECT_SAME("%c|%5c|%-5c|%%|%q|%y%d|%0-5d|", 'A', 'x', 'x', 7);
    EXPECT_SAME("%ld %hd %lx %hx %lu", 5, 70000, 255, 0x12345u, 9u);
    EXPECT_SAME("abc%");
}
