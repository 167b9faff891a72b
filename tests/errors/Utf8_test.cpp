#include "errors/Utf8.h"
#include <gtest/gtest.h>

// Cyrillic (2 bytes), CJK (3 bytes) and an emoji (4 bytes, a surrogate pair).
const std::string kMixed = "Отчёт 報告 \xF0\x9F\x98\x80!";
const std::u16string kMixed16 = u"Отчёт 報告 \U0001F600!";

TEST(Utf8, ConvertsBothWaysAndRepairsWhatIsBroken) {
    EXPECT_EQ(Utf8ToUtf16(kMixed), kMixed16);
    EXPECT_EQ(Utf16ToUtf8(kMixed16), kMixed);
    EXPECT_EQ(Utf8ToUtf16(""), u"");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
    // Broken UTF-8: one U+FFFD per bad byte, decoding goes on after it.
    struct {
        const char* bytes;
        std::u16string wide;
    } broken[] = {
        {"a\xFFz", u"a\uFFFDz"},                           // never a lead byte
        {"\xC3", u"\uFFFD"},                               // cut short
        {"\xC3(", u"\uFFFD("},                             // no continuation
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // overlong "/"
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},           // overlong, 3 bytes
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // a surrogate written as UTF-8
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"\x80x", u"\uFFFDx"},                             // a stray continuation
    };
    for (const auto& b : broken) {
        EXPECT_EQ(Utf8ToUtf16(b.bytes), b.wide) << b.bytes;
        EXPECT_FALSE(IsValidUtf8(b.bytes)) << b.bytes;
    }
    // Lone surrogates from a wide call.
    EXPECT_EQ(Utf16ToUtf8(u"a\xD83D"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(u"\xDE00z"), "\xEF\xBF\xBDz");
    EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xD83D\xDE00"), "\xEF\xBF\xBD\xF0\x9F\x98\x80");
    EXPECT_TRUE(IsValidUtf8(kMixed));
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD\xF4\x8F\xBF\xBF"));
}

TEST(Utf8, CountsAndCutsWholeCharacters) {
    EXPECT_EQ(Utf8Length(kMixed), 11u);
    EXPECT_EQ(Utf8Length("a\xFF"), 2u);
    EXPECT_EQ(Utf8PrefixBytes(kMixed, 5), std::string("Отчёт").size());
    EXPECT_EQ(Utf8PrefixBytes(kMixed, 10), kMixed.size() - 1); // the emoji stays whole
    EXPECT_EQ(Utf8PrefixBytes(kMixed, 100), kMixed.size());
    EXPECT_EQ(Utf8PrefixBytes(kMixed, 0), 0u);
}
