// What reaches the running strip from outside its own windows: the switch and
// move keys (system-wide hotkeys) and launch lists handed over by later starts. Both
// arrive at one hidden message-only window of our own.
#pragma once
#include "settings/HotkeyText.h"
#include <windows.h>

inline constexpr const char* kCommandWindowClass = "Paravue_Commands";
// WM_COPYDATA kinds a later start sends: a launch list's full path (UTF-8; from
// earlier versions in the ANSI code page), or only a wish to see the strip.
inline constexpr ULONG_PTR kHandOverListUtf8 = 0x50564C32; // "PVL2"
inline constexpr ULONG_PTR kHandOverList = 0x50564C31;     // "PVL1"
inline constexpr ULONG_PTR kHandOverFront = 0x50564631;    // "PVF1"

// Creates the command window once; later calls give the same window.
HWND OpenCommandWindow();
// Reads the "Hotkey" and "MoveHotkey" settings, registers the keys and the digit
// keys of the screens there are, puts what came of them at the end of the window
// menu, and, while a default or digit key is in force, watches the Alt keys so
// that AltGr with it reaches the program with the input. Call once the strip is
// built; a later call (the count of screens changed) starts the keys anew.
void StartHotkey();

// The keyboard's state and layout as the keys read them; tests replace it
// (nullptr: the system's). Gives the old reader.
using KeyFactsFn = KeyFacts (*)();
KeyFactsFn SetKeyFactsReader(KeyFactsFn read);
// The system's answer: the input language of the window in front (whether it has
// AltGr is read once per layout), the Alt keys now.
KeyFacts ReadKeyFacts();
