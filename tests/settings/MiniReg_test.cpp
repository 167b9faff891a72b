#include "settings/MiniReg.h"
#include <gtest/gtest.h>
#include <string>

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
