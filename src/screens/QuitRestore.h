// The end of every run: every window still hidden comes back, then the menu is
// released (the strip then saves its settings).
#pragma once
#include <windows.h>
#include <cstdint>

// The windows' part of the end of the run: every window still hidden comes
// back (foreground is brought to the front after them), then the menu is
// released and the record of hidden windows cleared; the model is ended
// (Screens.Ended). Runs once; false when it had run already.
bool RestoreHiddenWindows(HWND foreground);

class SwitchingStrip;
// The session may be ending: every hidden window comes back at once (the window
// with the input keeps it) and screen 1 holds them all, the strip's texts with
// it. Nothing to do while a switch runs or once the restore has begun.
void GatherOnScreenOne(SwitchingStrip& strip);
// Returns once ms have passed, dispatching the program's messages meanwhile.
void DelayWithMessages(uint32_t ms);
// The tick counter used by DelayWithMessages (GetTickCount unless replaced).
using TickCounterFn = uint32_t (*)();
TickCounterFn SetTickCounter(TickCounterFn counter);
