#include "settings/HotkeyText.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {
constexpr uint32_t C = kHotkeyCtrl, A = kHotkeyAlt, S = kHotkeyShift, W = kHotkeyWin;

TEST(HotkeyText, ReadsModifiersAndOneKey) {
    struct Row {
        const char* text;
        uint32_t modifiers, key;
        const char* name;
    } rows[] = {
        {"Ctrl+Alt+Space", C | A, 0x20, "Ctrl+Alt+Space"},
        {"Ctrl+Shift+F12", C | S, 0x7B, "Ctrl+Shift+F12"},
        {"Win+Alt+S", W | A, 'S', "Alt+Win+S"},
        {"alt+ctrl+s", C | A, 'S', "Ctrl+Alt+S"},
        {" Ctrl + Shift + 7 ", C | S, '7', "Ctrl+Shift+7"},
        {"Shift+F1", S, 0x70, "Shift+F1"},
        {"Ctrl+F24", C, 0x87, "Ctrl+F24"},
        {"Ctrl+Left", C, 0x25, "Ctrl+Left"},
        {"Ctrl+Up", C, 0x26, "Ctrl+Up"},
        {"Ctrl+Right", C, 0x27, "Ctrl+Right"},
        {"Ctrl+Down", C, 0x28, "Ctrl+Down"},
        {"Ctrl+Home", C, 0x24, "Ctrl+Home"},
        {"Ctrl+End", C, 0x23, "Ctrl+End"},
        {"Ctrl+pageup", C, 0x21, "Ctrl+PageUp"},
        {"Ctrl+PageDown", C, 0x22, "Ctrl+PageDown"},
        {"Ctrl+Insert", C, 0x2D, "Ctrl+Insert"},
        {"Ctrl+Alt+Shift+Win+Delete", C | A | S | W, 0x2E, "Ctrl+Alt+Shift+Win+Delete"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        HotkeyParse p = ParseHotkey(r.text);
        ASSERT_EQ(HotkeyStatus::Ok, p.status);
        EXPECT_EQ(r.modifiers, p.hotkey.modifiers);
        EXPECT_EQ(r.key, p.hotkey.key);
        EXPECT_EQ(r.name, HotkeyName(p.hotkey));
        EXPECT_EQ(std::string("Hotkey: ") + r.name, HotkeyNote(p, true));
    }
}

TEST(HotkeyText, EmptyMeansNoneAndAnythingElseIsNotValid) {
    EXPECT_EQ(HotkeyStatus::Empty, ParseHotkey("").status);
    EXPECT_EQ(HotkeyStatus::Empty, ParseHotkey("   ").status);
    for (const char* text :
         {"Space",       "F12",         "Ctrl",      "Ctrl+",          "+Space",
          "Ctrl++Space", "Ctrl+Ctrl+A", "Ctrl+A+B",  "Ctrl+Space+Alt", "Ctrl+F0",
          "Ctrl+F25",    "Ctrl+F01",    "Ctrl+F 1",  "Ctrl+Tab",       "Ctrl+Escape",
          "Ctrl+%",      "Ctrl+\xe9",   "Control+A", "Ctrl Alt Space", "Ctrl+Alt+Space\t",
          "Ctrl+AB"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(HotkeyStatus::Invalid, ParseHotkey(text).status);
    }
    EXPECT_EQ("No hotkey (turned off)", HotkeyNote(ParseHotkey(""), false));
    EXPECT_EQ("No hotkey: the setting is not valid", HotkeyNote(ParseHotkey("Ctrl+Tab"), false));
    EXPECT_EQ("No hotkey: Ctrl+Alt+Space is in use",
              HotkeyNote(ParseHotkey(kDefaultHotkeyText), false));
}
} // namespace

TEST(HotkeyText, NamesInLowerCaseReadAsTheirKeys) {
    for (auto [text, modifiers, key] : {std::tuple{"ctrl+f5", C, 0x74u},
                                        {"ctrl+alt+space", C | A, 0x20u},
                                        {"shift+win+pagedown", S | W, 0x22u},
                                        {"alt+f12", A, 0x7Bu},
                                        {"ctrl+delete", C, 0x2Eu},
                                        {"win+a", W, 'A'}}) {
        SCOPED_TRACE(text);
        const HotkeyParse p = ParseHotkey(text);
        ASSERT_EQ(HotkeyStatus::Ok, p.status);
        EXPECT_EQ(modifiers, p.hotkey.modifiers);
        EXPECT_EQ(key, p.hotkey.key);
    }
}

// AltGr arrives as Ctrl and the right Alt: ignored only for the default key, only on
// a layout that has AltGr, only when the left Alt is not down as well.
TEST(HotkeyText, AltGrSpaceDoesNotFireTheDefaultKey) {
    struct Row {
        bool defaultKey, altGrLayout, rightAlt, leftAlt, ignored;
    } rows[] = {
        {true, true, true, false, true},   {true, true, false, true, false},
        {true, true, true, true, false},   {true, false, true, false, false},
        {false, true, true, false, false}, {true, true, false, false, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.ignored,
                  IgnoreHotkeyPress(r.defaultKey, {r.altGrLayout, r.rightAlt, r.leftAlt}))
            << r.defaultKey << r.altGrLayout << r.rightAlt << r.leftAlt;
}
