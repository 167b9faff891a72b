// What the user does with the strip: drag it, open the window menu, press its buttons.
#pragma once
#include "ui/Control.h"

// Left press on the panel or the number: the strip follows the mouse. Right press
// on any of its controls: the window menu at the mouse.
void MainFormMouseDown(void* data, BaseObject* sender, MouseRecord& mouse);
void AboutButtonClick(void* data, BaseObject* sender);
// Asks the application to close; the run ends through the restore of every window.
void QuitButtonClick(void* data, BaseObject* sender);
// The switch button's click: the other screen's windows in place of this one's;
// data is the strip's record.
void SwitchScreen(void* data, BaseObject* sender);
// The same straight to screen target (a digit key); nothing for the screen shown.
void SwitchStripTo(int target);
// Once the strip is built: a click on the strip leaves the input where it was,
// the strip steps behind a full-screen program while that has the input, and a
// session that may end finds every window shown.
void StartStripInput();
// After the strip's own menu or form took the keyboard, a drag, or a move: back to
// the window that had it (the desktop too), if that is still there and shown; else
// to this screen's top main window.
void GiveInputBack(HWND before);
// Gives the input back to before (a window of another program, or the desktop)
// when one of our windows has it, as after the About form.
void GiveInputBackUnlessTaken(HWND before);
// Once the strip is up: behind the window that has the input, when that is a
// full-screen program. A film that plays on brings no change of input to tell.
void FitStripToInputAtStart();
// The application object's destroy event, whatever ends the run: every hidden
// window comes back, then the settings are saved and the hints go.
void RestoreAll(void* data, BaseObject* sender);
