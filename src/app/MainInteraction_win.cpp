#include "app/MainInteraction.h"
#include "app/Unit1.h"
#include "launch/Unit2.h"
#include "screens/QuitRestore.h"
#include "screens/Switching.h"
#include "settings/ToolTip1.h"
#include "ui/Services_win.h"
#include "screens/WindowMenu.h"
#include "settings/Transparency.h"

namespace {
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;
enum { kLeftButton = 1, kRightButton = 2 };
} // namespace

void MainFormMouseDown(void* data, BaseObject* sender, MouseRecord& mouse) {
    auto* s = static_cast<MainForm*>(data);
    if (mouse.button == kLeftButton) {
        // The buttons keep their own press; the panel and the number are the handle.
        if (sender == s->DragPanel || sender == s->ScreenNumberLabel) {
            ReleaseCapture();
            SendMsg(s->form, WM_SYSCOMMAND, kMoveByCaption, 0);
        }
        return;
    }
    if (mouse.button != kRightButton || !WindowMenu || RestoreStarted) return;
    if (!IsNTPlatform()) return;
    ProcessMessages(ApplicationObject);
    POINT at{};
    GetCursorPos(&at);
    if (BuildWindowMenu()) MenuPopup(WindowMenu, at.x, at.y);
}

void QuitButtonClick(void*, BaseObject*) {
    Close(ApplicationObject);
}

void AboutButtonClick(void*, BaseObject*) {
    AboutForm* about = nullptr;
    CreateAboutForm(about, ApplicationObject);
    ShowModal(about->form);
    FreeObject(about->form);
}

namespace {
// The strip as a switch sees it.
class StripSwitching final : public SwitchingStrip {
  public:
    explicit StripSwitching(MainForm* s) : s_(s) {}
    std::string SwitchCaption() override { return GetCaption(s_->SwitchButton); }
    void ScreenLeft(int screen) override {
        HWND button = GetHandle(s_->SwitchButton);
        SetToolTip(s_->ToolTipWindow, button, "");
        SetToolTip(s_->ToolTipWindow, button,
                   (" Switch to screen " + IntToText(screen) + " ").c_str());
    }
    void ScreenEntered(int screen) override {
        SetCaption(s_->SwitchButton, screen == 2 ? "1" : "2");
        SetCaption(s_->ScreenNumberLabel, screen == 2 ? "2" : "1");
    }
    HWND Foreground() override { return GetHandle(ApplicationObject); }

  private:
    MainForm* s_;
};

// The run is ending and the layer may have let go of the application object
// already; its window is still the strip's owner.
HWND ApplicationWindowOf(const MainForm* s) {
    if (ApplicationObject) return ApplicationObject->handle;
    return s && s->form && s->form->parent ? s->form->parent->handle : nullptr;
}
} // namespace

void SwitchScreen(void* data, BaseObject*) {
    StripSwitching strip(static_cast<MainForm*>(data));
    SwitchToOtherScreen(strip);
}

void RestoreAll(void* data, BaseObject*) {
    auto* s = static_cast<MainForm*>(data);
    if (!RestoreHiddenWindows(ApplicationWindowOf(s))) return;
    if (s && s->form) {
        FormPosition position(s->form);
        SaveSettings(position);
    }
    if (s && s->ToolTipWindow) {
        DestroyWindow(s->ToolTipWindow);
        s->ToolTipWindow = nullptr;
    }
}
