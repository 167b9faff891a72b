// Switching screens: the screen shown is recorded and hidden, the screen entered
// comes back stacked as it was left, and the input goes where the user left it.
#pragma once
#include "screens/ScreenModel.h"
#include <windows.h>
#include <vector>

// What a switch needs of the strip, handed in by the strip itself.
class SwitchingStrip {
  public:
    // The model's screen changed: the number, the switch button and its hint follow.
    virtual void ShowTexts(const StripTexts& texts) = 0;

  protected:
    ~SwitchingStrip() = default;
};

// Shows the windows of entries (bottom first) without activating them, each in its
// place in the stacking order (a vanished window looked up again by its title),
// then gives the input to foreground, or when that is null to the first usable of
// input, as soon as that window is up, and then waits for the rest.
void ShowScreen(const std::vector<WindowEntry>& entries, std::vector<InputCandidate> input,
                HWND foreground);
// The first usable window of candidates (top first; usable: there, enabled, and
// shown or among coming, which are on their way), the one that had the input
// before the others; null when none is: the desktop's.
HWND ChooseInput(std::vector<InputCandidate>& candidates, const std::vector<HWND>& coming = {});
// Gives window the input; null gives it to the desktop, never to the strip.
void GiveInputTo(HWND window);
// Gives the input back to before, the window that had it (the desktop too), or,
// that gone, to this screen's top window. strip, our own, is never chosen.
void GiveInputBackTo(HWND before, HWND strip);
// The window that has the input now; the desktop's window when none has.
HWND InputWindowNow();

// Hides this screen's windows, makes target the screen shown (the strip's texts
// with it), and shows target's windows. Does nothing once the restore at the end
// has begun, while a switch runs, or for the screen shown.
void SwitchScreenTo(int target, SwitchingStrip* strip);

// The number of screens becomes count: the windows of the screens that go come to
// the screen shown afterwards as a switch shows them, the input staying where it
// is, and the strip's texts follow. Nothing to do once the restore at the end has
// begun or while a switch runs.
void SetScreenCount(int count, SwitchingStrip* strip);
