// The switch key as the user writes it in the "Hotkey" setting: modifiers and one
// key joined by "+" ("Ctrl+Alt+Space", "Win+Alt+S"), read into what
// RegisterHotKey takes, and named back for the window menu.
#pragma once
#include "errors/WinValues.h"
#include <cstdint>
#include <string>

// Modifier bits and key codes as the system numbers them.
inline constexpr uint32_t kHotkeyAlt = kMOD_ALT, kHotkeyCtrl = kMOD_CONTROL,
                          kHotkeyShift = kMOD_SHIFT, kHotkeyWin = kMOD_WIN;

// What a missing "Hotkey" value stands for.
inline constexpr const char* kDefaultHotkeyText = "Ctrl+Alt+Space";

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

// The last, disabled line of the window menu: the hotkey in force or why there is
// none. registered tells whether the system gave us an Ok hotkey.
std::string HotkeyNote(const HotkeyParse& parse, bool registered);

// What the keyboard says at the moment the switch key fired.
struct KeyFacts {
    bool layoutHasAltGr = false; // the input language types characters with AltGr
    bool rightAltDown = false, leftAltDown = false;
};
// On a layout with AltGr, AltGr is sent as Ctrl with the right Alt, so AltGr+Space
// (typed by accident in a hurry) looks like Ctrl+Alt+Space. The default key is
// not taken then; a key the user chose is taken as they chose it.
bool IgnoreHotkeyPress(bool defaultKey, const KeyFacts& keys);
