#include "settings/MiniReg.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace std::string_literals;

TEST(MiniRegPaths, LastCharPosIsOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(LastCharPos('\\', "a\\b\\c"), 4);
    EXPECT_EQ(LastCharPos('\\', "\\"), 1);
    EXPECT_EQ(LastCharPos('\\', "abc"), 0);
    EXPECT_EQ(LastCharPos('\\', ""), 0);
    EXPECT_EQ(LastCharPos('x', "x"), 1);
}

TEST(MiniRegPaths, SplitAtTheLastBackslash) {
    std::string key = "unchanged", name = "unchanged";
    EXPECT_TRUE(SplitRegPath("SOFTWARE\\Quenbrook\\Paravue\\Left", key, name));
    EXPECT_EQ(key, "SOFTWARE\\Quenbrook\\Paravue");
    EXPECT_EQ(name, "Left");
    // A trailing backslash names the key's default value.
    EXPECT_TRUE(SplitRegPath("SOFTWARE\\Quenbrook\\", key, name));
    EXPECT_EQ(key, "SOFTWARE\\Quenbrook");
    EXPECT_EQ(name, "");
    // A leading one gives the root itself.
    EXPECT_TRUE(SplitRegPath("\\Value", key, name));
    EXPECT_EQ(key, "");
    EXPECT_EQ(name, "Value");
    // No backslash: refused, outputs untouched.
    key = name = "unchanged";
    EXPECT_FALSE(SplitRegPath("Transparent", key, name));
    EXPECT_FALSE(SplitRegPath("", key, name));
    EXPECT_EQ(key, "unchanged");
    EXPECT_EQ(name, "unchanged");
}

TEST(MiniRegStrings, OnlyATerminatingZeroIsDropped) {
    EXPECT_EQ(DecodeRegString("12\0"s), "12");
    // Stored without its terminator the text keeps its last character.
    EXPECT_EQ(DecodeRegString("12"), "12");
    EXPECT_EQ(DecodeRegString("1"), "1");
    EXPECT_EQ(DecodeRegString(""), "");
    EXPECT_EQ(DecodeRegString("\0"s), "");
    // Only one zero goes; what stands before it is the stored text.
    EXPECT_EQ(DecodeRegString("1\0\0"s), "1\0"s);
}

TEST(MiniRegStrings, MultiStringsAreLinesOfUtf16) {
    using Lines = std::vector<std::string>;
    struct Row {
        const char* what;
        std::string bytes;
        Lines lines;
    } rows[] = {
        {"two lines", "a\0=\0\0\0b\0\0\0\0\0"s, {"a=", "b"}},
        {"any script, as UTF-8",
         "\xe9\0\x2b\x04\x3d\xd8\x00\xde\0\0\0\0"s,
         {"\xc3\xa9\xd0\xab\xf0\x9f\x98\x80"}},
        {"an empty line ends the list", "a\0\0\0\0\0b\0\0\0"s, {"a"}},
        {"a last line without its zero counts", "a\0\0\0b\0"s, {"a", "b"}},
        {"an odd byte at the end is no unit", "a\0\0\0b"s, {"a"}},
        {"nothing stored", "", {}},
        {"only the end", "\0\0"s, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(DecodeMultiString(r.bytes), r.lines);
        EXPECT_EQ(DecodeMultiString(EncodeMultiString(r.lines)), r.lines);
    }
    EXPECT_EQ(EncodeMultiString({"a=", "b"}), "a\0=\0\0\0b\0\0\0\0\0"s);
    // The format has no empty line: it would end the list.
    EXPECT_EQ(EncodeMultiString({"a", "", "b"}), "a\0\0\0b\0\0\0\0\0"s);
    EXPECT_EQ(EncodeMultiString({}), "\0\0"s);
}
