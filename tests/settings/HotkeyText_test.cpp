#include "settings/HotkeyText.h"
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

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
    struct Row {
        const char *switchKey, *moveKey; // setting texts
        bool switchTaken, moveTaken;     // another program holds it
        const char* note;
    } rows[] = {
        {kDefaultHotkeyText, kDefaultMoveHotkeyText, false, false,
         "Hotkey: Ctrl+Alt+Space; move key: Ctrl+Alt+Shift+Space"},
        {"", "", false, false, "No hotkey (turned off); no move key (turned off)"},
        {"Ctrl+Tab", "Win+M", false, false, "No hotkey: the setting is not valid; move key: Win+M"},
        {kDefaultHotkeyText, kDefaultMoveHotkeyText, true, true,
         "No hotkey: Ctrl+Alt+Space is in use; no move key: Ctrl+Alt+Shift+Space is in use"},
        {"Shift+F1", "Alt+", false, false,
         "Hotkey: Shift+F1; no move key: the setting is not valid"},
    };
    for (const Row& r : rows) {
        std::string note;
        AddKeyNote(note, "hotkey", ParseHotkey(r.switchKey), !r.switchTaken);
        AddKeyNote(note, "move key", ParseHotkey(r.moveKey), !r.moveTaken);
        EXPECT_EQ(r.note, note);
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
// alone is held on a layout with AltGr, and the layout is read once per press of
// the right Alt, never for other keys nor for a held key's repeats.
TEST(HotkeyText, TheDefaultKeysStandAsideWhileAltGrAloneIsHeld) {
    constexpr uint32_t L = kVK_LMENU, R = kVK_RMENU, M = kVK_MENU, Ctrl = 0xA2, Space = kVK_SPACE;
    struct Event {
        uint32_t vk;
        bool extended, up;
        bool changed, aside; // after it
    };
    struct Row {
        const char* what;
        bool altGrLayout;
        std::vector<Event> events;
        int layoutReads;
    } rows[] = {
        {"AltGr+Space, AltGr held (repeats)",
         true,
         {{Ctrl, false, false, false, false},
          {R, true, false, true, true},
          {R, true, false, false, true},
          {Space, false, false, false, true},
          {Space, false, true, false, true},
          {R, true, true, true, false},
          {Ctrl, false, true, false, false}},
         1},
        {"the plain Alt key with its extended flag is the right one",
         true,
         {{M, true, false, true, true}, {M, true, true, true, false}},
         1},
        {"the left Alt, plain or named",
         true,
         {{L, false, false, false, false},
          {L, false, true, false, false},
          {M, false, false, false, false},
          {M, false, true, false, false}},
         0},
        {"the left Alt joins AltGr, and leaves again",
         true,
         {{R, true, false, true, true},
          {L, false, false, true, false},
          {L, false, true, true, true},
          {R, true, true, true, false}},
         1},
        {"the left Alt first, then the right",
         true,
         {{L, false, false, false, false},
          {R, true, false, false, false},
          {L, false, true, true, true},
          {R, true, true, true, false}},
         1},
        {"a layout without AltGr",
         false,
         {{R, true, false, false, false},
          {Space, false, false, false, false},
          {R, true, true, false, false}},
         1},
        {"a second press reads the layout again",
         true,
         {{R, true, false, true, true},
          {R, true, true, true, false},
          {R, true, false, true, true},
          {R, true, true, true, false}},
         2},
    };
    static bool layout;
    static int reads;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        layout = r.altGrLayout;
        reads = 0;
        AltGrWatch watch;
        for (size_t i = 0; i < r.events.size(); ++i) {
            const Event& e = r.events[i];
            EXPECT_EQ(e.changed, FollowKeyEvent(watch, e.vk, e.extended, e.up,
                                                [] {
                                                    ++reads;
                                                    return layout;
                                                }))
                << "event " << i;
            EXPECT_EQ(e.aside, watch.aside) << "event " << i;
        }
        EXPECT_EQ(r.layoutReads, reads);
    }
}
