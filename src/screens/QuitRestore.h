// The end of every run: every window still hidden comes back, then the lists and
// the menu are released and the settings saved.
#pragma once
#include <cstdint>

class BaseObject;

// Set as RestoreAll begins; from then on nothing may use the menu or the lists.
extern bool RestoreStarted;

// The application object's destroy event; data is the strip's record.
void RestoreAll(void* data, BaseObject* sender);
// Returns once ms have passed, dispatching the program's messages meanwhile.
void DelayWithMessages(uint32_t ms);
// The tick counter used by DelayWithMessages (GetTickCount unless replaced).
using TickCounterFn = uint32_t (*)();
TickCounterFn SetTickCounter(TickCounterFn counter);
