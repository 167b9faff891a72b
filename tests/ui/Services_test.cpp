#include "ui/Services.h"
#include "support/LinesOf.h"
#include "ui/StringList.h"
#include <gtest/gtest.h>
#include <climits>
#include <string>
#include <vector>

TEST(Numbers, IntToTextCoversTheWholeRange) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-20), "-20");
    EXPECT_EQ(IntToText(300), "300");
    EXPECT_EQ(IntToText(INT_MAX), "2147483647");
    EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
    EXPECT_EQ(UIntToText(0), "0");
    EXPECT_EQ(UIntToText(4294967295u), "4294967295");
}

TEST(Numbers, TextToIntTakesTheLeadingNumberAndWraps) {
    EXPECT_EQ(TextToInt("+12x"), 12);
    EXPECT_EQ(TextToInt("-7"), -7);
    EXPECT_EQ(TextToInt(" 5"), 0);
    EXPECT_EQ(TextToInt("abc"), 0);
    EXPECT_EQ(TextToInt("-"), 0);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(TextToInt("--3"), 0);
    EXPECT_EQ(TextToInt("-2147483648"), INT_MIN);
    // More digits than 32 bits hold wrap around modulo 2^32.
    EXPECT_EQ(TextToInt("4294967296"), 0);
    EXPECT_EQ(TextToInt("4294967297"), 1);
    EXPECT_EQ(TextToInt("2147483648"), INT_MIN);
    EXPECT_EQ(TextToInt("99999999999"), static_cast<int32_t>(99999999999LL & 0xFFFFFFFF));
}

TEST(CommandLine, SplitsAtBlanksAndControlCharacters) {
    const char* line = "prog.exe  one\ttwo\x01three";
    EXPECT_EQ(CommandLineParam(line, 0), "prog.exe");
    EXPECT_EQ(CommandLineParam(line, 1), "one");
    EXPECT_EQ(CommandLineParam(line, 2), "two");
    EXPECT_EQ(CommandLineParam(line, 3), "three");
    EXPECT_EQ(CommandLineParam(line, 4), "");
    EXPECT_EQ(CommandLineParam(line, 40), "");
    EXPECT_EQ(CommandLineParamCount(line), 3);
    EXPECT_EQ(CommandLineParamCount("prog.exe"), 0);
    EXPECT_EQ(CommandLineParamCount(""), 0);
    // Bytes above 0x7F are letters of a code page, not separators.
    EXPECT_EQ(CommandLineParam("p \xE9t\xE9 x", 1), "\xE9t\xE9");
}

TEST(CommandLine, QuotesGroupBlanksAndOuterQuotesGo) {
    const char* line = "\"C:\\Program Files\\pv.exe\" \"C:\\My Lists\\work.txt\"";
    EXPECT_EQ(CommandLineParam(line, 0), "C:\\Program Files\\pv.exe");
    EXPECT_EQ(CommandLineParamCount(line), 1);
    EXPECT_EQ(CommandLineParam(line, 1), "C:\\My Lists\\work.txt");
    // Inner quotes stay; a lone empty pair is no parameter.
    EXPECT_EQ(CommandLineParam("p a\"b c\"d", 1), "a\"b c\"d");
    EXPECT_EQ(CommandLineParam("p \"\" x", 1), "x");
    EXPECT_EQ(CommandLineParamCount("p \"\" \"\""), 0);
    EXPECT_EQ(CommandLineParam("p \"\"x", 1), "\"\"x");
    EXPECT_EQ(CommandLineParam("p \"", 1), "\"");
}

TEST(CommandLine, AQuoteThatNeverClosesRunsToTheEnd) {
    const char* line = "p \"C:\\My Lists\\work.txt";
    EXPECT_EQ(CommandLineParamCount(line), 1);
    EXPECT_EQ(CommandLineParam(line, 1), "\"C:\\My Lists\\work.txt");
}

TEST(FileNames, PartsSplitAtTheLastColonOrBackslash) {
    EXPECT_EQ(FileDirPart("C:\\dir\\file.txt"), "C:\\dir\\");
    EXPECT_EQ(FileNamePart("C:\\dir\\file.txt"), "file.txt");
    EXPECT_EQ(FileDirPart("file.txt"), "");
    EXPECT_EQ(FileNamePart("file.txt"), "file.txt");
    EXPECT_EQ(FileDirPart("C:file.txt"), "C:");
    EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
}

TEST(Texts, CopyAndLength) {
    char buf[8];
    EXPECT_EQ(StrCopy(buf, "abc"), buf);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(StrLength("abc"), 3u);
    EXPECT_EQ(StrLength(""), 0u);
    EXPECT_EQ(StrLength(nullptr), 0u);
}

namespace {
using V = std::vector<std::string>;
} // namespace

TEST(StringLines, EveryKindOfLineBreakEndsALine) {
    EXPECT_EQ(LinesOf("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(LinesOf("a\rb\rc"), (V{"a", "b", "c"}));
    EXPECT_EQ(LinesOf("a\nb\n"), (V{"a", "b"}));
    EXPECT_EQ(LinesOf("a\n\r\nb\r\rc"), (V{"a", "", "b", "", "c"}));
    EXPECT_EQ(LinesOf("\r\n"), (V{""}));
    EXPECT_EQ(LinesOf("no break"), (V{"no break"}));
    // Each line keeps the break that ended it, so that a list is written back as
    // it was; only the last may have none.
    const std::string text("a\n\r\nb\r\rc\r\n\nd\0e", 14);
    V ends;
    for (const TextLine& line : SplitLines(text))
        ends.push_back(std::string(line.end));
    EXPECT_EQ(ends, (V{"\n", "\r\n", "\r", "\r", "\r\n", "\n", ""}));
}

TEST(StringLines, StopsAtTheFirstZeroByteAndKeepsBinaryBytes) {
    EXPECT_EQ(LinesOf(std::string("a\r\nb\0c\r\nd", 9)), (V{"a", "b"}));
    EXPECT_EQ(LinesOf(std::string("\0abc", 4)), V{});
    EXPECT_EQ(LinesOf(""), V{});
    EXPECT_EQ(LinesOf("\x01\xff\x7f\n\x80"), (V{"\x01\xff\x7f", "\x80"}));
}

TEST(StringLines, ReloadingReplacesTheLines) {
    StringList* list = CreateStringList();
    StringListSetText(list, "x\ny\nz", 5);
    StringListSetText(list, "q", 1);
    EXPECT_EQ(list->count, 1);
    EXPECT_EQ(StringListGet(list, 0), "q");
    // Outside the lines there is nothing, also in an empty list.
    EXPECT_EQ(StringListGet(list, 1), "");
    EXPECT_EQ(StringListGet(list, -1), "");
    StringListSetText(list, "", 0);
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(StringListGet(list, 0), "");
    EXPECT_EQ(StringListGet(list, -1), "");
    FreeObject(list);
}
