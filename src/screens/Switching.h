// Showing the windows remembered for a screen again.
#pragma once
#include <windows.h>

class BaseObject;

// Shows every window remembered for screen (owner first, a vanished window looked
// up again by its title), brings foreground to the front, then releases the
// entries and empties the list.
void ShowScreen(int screen, HWND foreground);

// The switch button's click: hides this screen's windows, flips the screen number,
// the captions and the hint, and shows the other screen's windows. data is the
// strip's record.
void SwitchScreen(void* data, BaseObject* sender);
