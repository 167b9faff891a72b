// The one tooltip window of the program and the hints of the strip's controls.
#pragma once
#include <windows.h>

// A topmost tooltip window owned by owner; hints show even when the strip is not
// active, and "&" shows as itself. Null when it could not be created.
HWND CreateToolTipWindow(HWND owner, HINSTANCE instance);
// A non-empty text adds control as a tool with that hint (true when accepted);
// an empty text removes control's tool (always true). An existing tool is never
// replaced: to change a hint, remove it first. Null windows give false.
// text is UTF-8.
bool SetToolTip(HWND toolTip, HWND control, const char* text);
