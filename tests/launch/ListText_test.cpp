#include "launch/ListText.h"
#include "support/Latin1.h"
#include <gtest/gtest.h>

namespace {
std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}
} // namespace

TEST(ListText, EveryFormALineCanBeSavedInReadsAsTheSameText) {
    const std::string list =
        "C:\\Отчёты\\март.txt\r\n\"C:\\Ünïcode dir\\x.exe\" -q \xF0\x9F\x98\x80\r\n";
    const std::u16string list16 =
        u"C:\\Отчёты\\март.txt\r\n\"C:\\Ünïcode dir\\x.exe\" -q \U0001F600\r\n";
    struct Case {
        const char* form;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"UTF-8 with a mark, the mark dropped", "\xEF\xBB\xBF" + list, list},
        {"UTF-8 without a mark", list, list},
        {"UTF-16 little-endian", Utf16(list16, false), list},
        {"UTF-16 big-endian", Utf16(list16, true), list},
        {"ANSI: not UTF-8", "C:\\Caf\xE9\\men\xFC.txt\r\n", "C:\\Café\\menü.txt\r\n"},
        {"plain ASCII", "a.txt\r\n;b\r\n", "a.txt\r\n;b\r\n"},
        {"only a mark", "\xEF\xBB\xBF", ""},
        {"empty", "", ""},
        {"up to the first zero", std::string("a\r\nb\0c", 6), "a\r\nb"},
        {"UTF-16 up to the first zero", Utf16(std::u16string(u"a\0b", 3), false), "a"},
        {"UTF-16 of an odd length: the last byte dropped", Utf16(u"ab", false) + "c", "ab"},
        {"broken UTF-8 after a mark", "\xEF\xBB\xBFok\xFF", "ok\xEF\xBF\xBD"},
        {"a lone surrogate in UTF-16", Utf16(u"x\xD800y", false), "x\xEF\xBF\xBDy"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeListText(c.bytes, Latin1), c.text) << c.form;
}

TEST(ListText, SavedInTheCodePageWhenEveryCharacterFitsElseAsUtf8WithAMark) {
    struct Case {
        std::string text, bytes;
    } cases[] = {
        {"a.txt\r\n", "a.txt\r\n"},
        {"C:\\Café\\menü.txt\r\n", "C:\\Caf\xE9\\men\xFC.txt\r\n"},
        {"C:\\Отчёты\\март.txt\r\n", "\xEF\xBB\xBF"
                                     "C:\\Отчёты\\март.txt\r\n"},
        // In the code page these bytes would read back as UTF-8 ("é"), not as "Ã©".
        {"Ã©.txt", "\xEF\xBB\xBF"
                   "Ã©.txt"},
        // In the code page these would begin as a mark does and read back as UTF-8
        // or UTF-16; a text that only starts like one keeps the code page.
        {"ï»¿a.txt", "\xEF\xBB\xBF"
                     "ï»¿a.txt"},
        {"ÿþa.txt", "\xEF\xBB\xBF"
                    "ÿþa.txt"},
        {"þÿa.txt", "\xEF\xBB\xBF"
                    "þÿa.txt"},
        {"ï»x.txt", "\xEF\xBBx.txt"},
        {"ÿÿ.txt", "\xFF\xFF.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeListText(c.text, ToLatin1), c.bytes) << c.text;
        EXPECT_EQ(DecodeListText(EncodeListText(c.text, ToLatin1), Latin1), c.text) << c.text;
    }
}
