#include "app/MainInteraction.h"
#include "app/Unit1.h"
#include "launch/Unit2.h"
#include "screens/QuitRestore.h"
#include "screens/WindowMenu.h"
#include "settings/Transparency.h"

namespace {
constexpr WPARAM kMoveByCaption = 0xF012; // SC_MOVE + HTCAPTION
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
