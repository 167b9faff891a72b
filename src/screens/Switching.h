// Showing the windows remembered for a screen again.
#pragma once
#include <windows.h>
#include <string>

// Shows every window remembered for screen in list order, without activating
// them (a vanished window looked up again by its title), gives the input to
// foreground (null: to the window the screen chooses, see ChooseInputWindow),
// then releases the entries and empties the list.
void ShowScreen(int screen, HWND foreground);
// Gives window the input; null gives it to the desktop, never to the strip.
void GiveInputTo(HWND window);
// The window that has the input now; the desktop's window when none has.
HWND InputWindowNow();

// What a switch needs of the strip, handed in by the strip itself: its switch
// button's caption, and the hint and captions that follow the screen number.
class SwitchingStrip {
  public:
    // The screen the switch button leads to, as its caption reads.
    virtual std::string SwitchCaption() = 0;
    // The screen is being left: the switch button's hint names it.
    virtual void ScreenLeft(int screen) = 0;
    // The screen has been entered: the button names the other one, the label this.
    virtual void ScreenEntered(int screen) = 0;

  protected:
    ~SwitchingStrip() = default;
};

// Hides this screen's windows, flips the screen number (the strip's captions
// and hint with it), and shows the other screen's windows. Does nothing once the
// restore at the end has begun, while a switch runs, or when the button names
// the screen already shown.
void SwitchToOtherScreen(SwitchingStrip& strip);
// Whether a switch is under way (its waits handle what other programs send us).
bool SwitchRunning();
