// The strip: the program's one permanent window, with the screen number and the
// switch, About and quit buttons, and how it is built and started.
#pragma once
#include "launch/LaunchList.h"
#include "settings/Settings.h"
#include "ui/Control.h"

class Menu;

// The program-wide record of the strip. The form owns it (auto-free) together
// with the timer; the controls are children of the panel.
class MainForm : public BaseObject {
  public:
    Control* form = nullptr;
    Control* DragPanel = nullptr;
    Control* AboutButton = nullptr;
    Control* QuitButton = nullptr;
    Control* SwitchButton = nullptr;
    Control* ScreenNumberLabel = nullptr;
    Timer* TaskbarHideTimer = nullptr;
    HWND ToolTipWindow = nullptr;

  protected:
    ~MainForm() override;
};

// The one record of the strip, set by BuildMainForm; null once the form has freed it.
extern MainForm* MainFormRecord;

// Builds the strip's form and controls, connects their events, then runs InitMainForm.
void BuildMainForm(MainForm*& record, Control* app);
// The start-up sequence: menu, hints, lists, placement, settings, launch list.
void InitMainForm(MainForm* s);
// The strip's window as it is now; null before it is made or once it is gone.
HWND StripWindow();
// How a launch list switches the strip's screen: as a click on the switch button.
LaunchHooks StripLaunchHooks(MainForm* s);
// Gives the application window the tool-window style: no taskbar button.
void HideTaskbarButton();
// The one-shot timer's event: hides the application window for good.
void HideApplicationWindow(void* data, BaseObject* sender);

// The settings store sees the strip through its form's left and top.
class FormPosition : public PositionTarget {
  public:
    explicit FormPosition(Control* form) : form_(form) {}
    int32_t GetLeft() override { return ::GetLeft(form_); }
    int32_t GetTop() override { return ::GetTop(form_); }
    void SetLeft(int32_t left) override { ::SetLeft(form_, left); }
    void SetTop(int32_t top) override { ::SetTop(form_, top); }

  private:
    Control* form_;
};
