// Showing the windows remembered for a screen again.
#pragma once
#include <windows.h>

// Shows every window remembered for screen (owner first, a vanished window looked
// up again by its title), brings foreground to the front, then releases the
// entries and empties the list.
void ShowScreen(int screen, HWND foreground);
