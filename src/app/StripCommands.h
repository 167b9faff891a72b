// What reaches the running strip from outside its own windows: the switch key
// (a system-wide hotkey) and launch lists handed over by later starts. Both
// arrive at one hidden message-only window of our own.
#pragma once
#include <windows.h>

inline constexpr const char* kCommandWindowClass = "Paravue_Commands";
// WM_COPYDATA kinds a later start sends: a launch list's full path (UTF-8; from
// earlier versions in the ANSI code page), or only a wish to see the strip.
inline constexpr ULONG_PTR kHandOverListUtf8 = 0x50564C32; // "PVL2"
inline constexpr ULONG_PTR kHandOverList = 0x50564C31;     // "PVL1"
inline constexpr ULONG_PTR kHandOverFront = 0x50564631;    // "PVF1"

// Creates the command window once; later calls give the same window.
HWND OpenCommandWindow();
// Reads the "Hotkey" setting, registers the key and puts what came of it at the end
// of the window menu. Call once the strip is built.
void StartHotkey();
