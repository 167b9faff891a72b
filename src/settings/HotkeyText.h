// The keys as the user writes them in the "Hotkey" (switch) and "MoveHotkey"
// settings: modifiers and one key joined by "+" ("Ctrl+Alt+Space", "Win+Alt+S"),
// read into what RegisterHotKey takes, and named back for the window menu.
#pragma once
#include "errors/WinValues.h"
#include <cstdint>
#include <string>

// Modifier bits and key codes as the system numbers them.
inline constexpr uint32_t kHotkeyAlt = kMOD_ALT, kHotkeyCtrl = kMOD_CONTROL,
                          kHotkeyShift = kMOD_SHIFT, kHotkeyWin = kMOD_WIN;

// What a missing "Hotkey" and "MoveHotkey" value stand for.
inline constexpr const char* kDefaultHotkeyText = "Ctrl+Alt+Space";
inline constexpr const char* kDefaultMoveHotkeyText = "Ctrl+Alt+Shift+Space";

struct Hotkey {
    uint32_t modifiers = 0; // kHotkeyAlt | kHotkeyCtrl | ...
    uint32_t key = 0;       // virtual-key code
};

enum class HotkeyStatus { Ok, Empty, Invalid };

struct HotkeyParse {
    HotkeyStatus status = HotkeyStatus::Invalid;
    Hotkey hotkey;
};

// At least one modifier (Ctrl, Alt, Shift, Win, each once, any order) and then
// exactly one key: a letter, a digit, F1 to F24, Space, Left, Right, Up, Down,
// Home, End, PageUp, PageDown, Insert, Delete. Names in any case; blanks around
// the parts are allowed. An empty or blank text is Empty: no hotkey wanted.
HotkeyParse ParseHotkey(const std::string& text);

// "Ctrl+Alt+Shift+Win+Key", modifiers in that order; reads back to the same hotkey.
std::string HotkeyName(const Hotkey& hotkey);

// The last, disabled line of the window menu names each key in force or why there
// is none; this adds one key's part, "; " after the one before: "Hotkey: Ctrl+Alt+Space",
// "move key: ...", "no move key: ... is in use", "no hotkey (turned off)". name is
// the key's name in lower case; the line starts with a capital. registered tells
// whether the system gave us an Ok key.
void AddKeyNote(std::string& line, const char* name, const HotkeyParse& parse, bool registered);
// Then the fixed keys (the digits) that another program holds, in one clause:
// "; Ctrl+Alt+2 is in use", "; Ctrl+Alt+2, Ctrl+Alt+Shift+2 are in use". Nothing
// when count is 0.
void AddTakenKeysNote(std::string& line, const Hotkey* taken, int count);

// What the keyboard says at the moment a key fired.
struct KeyFacts {
    bool layoutHasAltGr = false; // the input language types characters with AltGr
    bool rightAltDown = false, leftAltDown = false;
};
// On a layout with AltGr, AltGr is sent as Ctrl with the right Alt, so AltGr+Space
// (typed by accident in a hurry) looks like Ctrl+Alt+Space. The default keys are
// not taken then; a key the user chose is taken as they chose it.
bool IgnoreHotkeyPress(bool defaultKey, const KeyFacts& keys);

// The same rule ahead of the key: a registered key swallows its press, so the
// default keys are taken out of the way while AltGr alone is held, and a
// character typed with AltGr+Space reaches its program. A low-level keyboard
// hook follows the Alt keys through every key event.
struct AltGrWatch {
    KeyFacts keys;      // the Alt keys as the events left them; the layout as last read
    bool aside = false; // the default keys are out of the way now
};
// Follows one key event (vk as the hook gives it: the left and right Alt apart, or
// the plain Alt key, whose extended flag marks the right one). Any other key
// returns at once. The layout is asked of altGrLayout at the right Alt's press
// only, not per key. True when aside changed: the default keys go or come back.
bool FollowKeyEvent(AltGrWatch& watch, uint32_t vk, bool extended, bool up, bool (*altGrLayout)());
