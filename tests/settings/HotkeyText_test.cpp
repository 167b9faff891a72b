#include "settings/HotkeyText.h"
#include <gtest/gtest.h>
#include <cctype>
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
        std::string note;
        AddKeyNote(note, "hotkey", p, true);
        EXPECT_EQ(std::string("Hotkey: ") + r.name, note);
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
}

// The menu's last line: the switch key's part as it always read, then the move
// key's in the same words.
TEST(HotkeyText, TheNoteNamesEachKeyOrWhyItIsMissing) {
    for (auto [switchKey, moveKey, registered, want] :
         {std::tuple{"Ctrl+Alt+Space", "Ctrl+Alt+Shift+Space", true,
                     "Hotkey: Ctrl+Alt+Space; move key: Ctrl+Alt+Shift+Space"},
          {"", "", true, "No hotkey (turned off); no move key (turned off)"},
          {"Ctrl+Tab", "Alt+", true,
           "No hotkey: the setting is not valid; no move key: the setting is not valid"},
          {"Ctrl+Alt+Space", "Win+M", false,
           "No hotkey: Ctrl+Alt+Space is in use; no move key: Win+M is in use"}}) {
        std::string note;
        AddKeyNote(note, "hotkey", ParseHotkey(switchKey), registered);
        AddKeyNote(note, "move key", ParseHotkey(moveKey), registered);
        EXPECT_EQ(want, note);
    }
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

// The same rule ahead of the key, followed through the Alt keys' events as a
// low-level hook sees them: the default keys stand aside exactly while AltGr
// alone is held on a layout with AltGr; the layout is read at each press of the
// right Alt, never for other keys nor for a held key's repeats. Events: R/r the
// right Alt down/up, L/l the left, M/m the plain Alt with its extended flag (the
// right), N/n without (the left), S any other key.
TEST(HotkeyText, TheDefaultKeysStandAsideWhileAltGrAloneIsHeld) {
    static int reads;
    for (auto [events, altGrLayout, aside, layoutReads] :
         {std::tuple{"SRRSsrS", true, "0111100", 1},
          {"MmNn", true, "1000", 1},
          {"LlNnRLlr", true, "00001010", 1},
          {"LRlrRr", true, "001010", 2},
          {"RSr", false, "000", 1}}) {
        SCOPED_TRACE(events);
        AltGrWatch watch;
        reads = 0;
        for (size_t i = 0; events[i]; ++i) {
            const char e = events[i];
            const char k = static_cast<char>(std::toupper(e));
            const uint32_t vk = k == 'R'   ? kVK_RMENU
                                : k == 'L' ? kVK_LMENU
                                : k == 'S' ? kVK_SPACE
                                           : kVK_MENU;
            const bool wasAside = watch.aside;
            const bool changed = FollowKeyEvent(
                watch, vk, e == 'M' || e == 'm', std::islower(e),
                altGrLayout ? +[] { return ++reads > 0; } : +[] { return ++reads < 0; });
            EXPECT_EQ(aside[i] == '1', watch.aside) << i;
            EXPECT_EQ(changed, watch.aside != wasAside) << i;
        }
        EXPECT_EQ(layoutReads, reads);
    }
}
