// The edge between UTF-8 and the system's code page, under the Western code page.
#include "errors/Wide_win.h"
#include <windows.h>
#include <gtest/gtest.h>

TEST(WideText, CodePageTextComesInWholeAndGoesOutOnlyWhenItFitsExactly) {
    ASSERT_EQ(1252u, GetACP()) << "the Western code page";
    EXPECT_EQ(AnsiToUtf8("Caf\xE9 \x80"), "Café €");
    EXPECT_EQ(AnsiToUtf8(""), "");
    std::string ansi;
    EXPECT_TRUE(Utf8ToAnsi("Café €", ansi));
    EXPECT_EQ(ansi, "Caf\xE9 \x80");
    // No look-alikes: "Ł" is not "L", and Cyrillic has no place at all.
    EXPECT_FALSE(Utf8ToAnsi("Łódź", ansi));
    EXPECT_FALSE(Utf8ToAnsi("Отчёт", ansi));
    EXPECT_FALSE(Utf8ToAnsi("\xF0\x9F\x98\x80", ansi));
    EXPECT_TRUE(Utf8ToAnsi("", ansi));
    EXPECT_EQ(ansi, "");

    const WideText wide("Отчёт \xF0\x9F\x98\x80");
    EXPECT_EQ(wide.size(), 8u) << "the emoji takes two units";
    EXPECT_EQ(NarrowText(wide), "Отчёт \xF0\x9F\x98\x80");
    EXPECT_EQ(NarrowText(wide, 5), "Отчёт");
    EXPECT_EQ(static_cast<const wchar_t*>(WideText(static_cast<const char*>(nullptr))), nullptr);
    EXPECT_EQ(NarrowText(nullptr), "");
}
