#include "app/MainInteraction.h"
#include "app/AttentionSign.h"
#include "app/FullScreen.h"
#include "app/StripCommands.h"
#include "app/Unit1.h"
#include "errors/err.h"
#include "launch/Unit2.h"
#include "screens/QuitRestore.h"
#include "screens/ScreenLists.h"
#include "screens/Switching.h"
#include "screens/WindowCommands.h"
#include "settings/ToolTip1.h"
#include "ui/Services_win.h"
#include "screens/WindowMenu.h"
#include "settings/Transparency.h"

namespace {
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;
enum { kLeftButton = 1, kRightButton = 2 };
// Posted behind the command a menu choice posts: lParam had the input before.
constexpr UINT kGiveInputBack = WM_APP + 20;

} // namespace

void GiveInputBack(HWND before) {
    GiveInputBackTo(before, StripWindow());
}

void MainFormMouseDown(void* data, BaseObject* sender, MouseRecord& mouse) {
    auto* s = static_cast<MainForm*>(data);
    if (mouse.button == kLeftButton) {
        // The buttons keep their own press; the panel and the number are the handle.
        if (sender == s->DragPanel || sender == s->ScreenNumberLabel) {
            ReleaseCapture();
            // The system's move loop runs only for the active window (Wine's
            // gives up at once when the desktop has the input): the strip takes
            // the input for the drag, and it goes back once the strip is in place.
            HWND before = GetForegroundWindow();
            SetForegroundWindow(s->form->handle);
            SendMsg(s->form, WM_SYSCOMMAND, kMoveByCaption, 0);
            if (GetForegroundWindow() != before) GiveInputBack(before);
        }
        return;
    }
    if (mouse.button != kRightButton || !WindowMenu || Screens.Ended) return;
    if (!IsNTPlatform()) return;
    ProcessMessages(ApplicationObject);
    POINT at{};
    GetCursorPos(&at);
    if (!BuildWindowMenu()) return;
    // The menu takes the keyboard while it is open; the input goes back once the
    // command it posted has run.
    HWND before = GetForegroundWindow();
    SetForegroundWindow(s->form->handle);
    MenuPopup(WindowMenu, at.x, at.y);
    PostMessageA(s->form->handle, kGiveInputBack, 0, reinterpret_cast<LPARAM>(before));
}

void QuitButtonClick(void*, BaseObject*) {
    Close(ApplicationObject);
}

void AboutButtonClick(void*, BaseObject*) {
    HWND before = GetForegroundWindow();
    AboutForm* about = nullptr;
    CreateAboutForm(about, ApplicationObject);
    ShowModal(about->form);
    FreeObject(about->form);
    GiveInputBackUnlessTaken(before);
}

void GiveInputBackUnlessTaken(HWND before) {
    // Unless another program (the help the About form opened, the files of a
    // launch list) has taken the input already.
    DWORD pid = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &pid);
    if (!Screens.Ended && (!pid || pid == GetCurrentProcessId())) GiveInputBack(before);
}

namespace {
// The strip as a switch sees it.
class StripSwitching final : public SwitchingStrip {
  public:
    explicit StripSwitching(MainForm* s) : s_(s) {}
    void ShowTexts(const StripTexts& texts) override {
        ShowSwitchHint(s_);
        SetCaption(s_->SwitchButton, texts.switchCaption.c_str());
        SetCaption(s_->ScreenNumberLabel, texts.number.c_str());
    }

  private:
    MainForm* s_;
};

// A number of screens chosen in the window menu (and saved): the windows and the
// strip's texts follow, and the keys, which take the digits of the screens there are.
void ScreenCountChosen(int count) {
    if (!MainFormRecord) return;
    StripSwitching strip(MainFormRecord);
    SetScreenCount(count, &strip);
    if (!Screens.Ended) StartHotkey();
}

// The strip's part of a click: Wine activates a window on a click whatever its
// style says, and a pressed button takes the focus, which would do the same.
LRESULT CALLBACK GuardStripFocus(int code, WPARAM wParam, LPARAM lParam) {
    HWND strip = StripWindow();
    HWND w = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_SETFOCUS && strip && GetActiveWindow() != strip &&
        (w == strip || IsChild(strip, w)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool StripMessage(Control*, MSG& msg, LRESULT& result) {
    if (msg.message == WM_MOUSEACTIVATE) {
        result = MA_NOACTIVATE;
        return true;
    }
    if (msg.message == kGiveInputBack) {
        if (!Screens.Ended) {
            // The menu may have brought a window that asked for attention here.
            ShowSwitchHint(MainFormRecord);
            GiveInputBack(reinterpret_cast<HWND>(msg.lParam));
        }
        return true;
    }
    return false;
}

// Asked of every window of ours whether the session may end: yes, once every
// hidden window is back, so that a program's question about unsaved work shows
// its document. A session that goes on after all stays on screen 1.
bool SessionMessage(void*, MSG& msg, LRESULT& result) {
    const bool query = msg.message == WM_QUERYENDSESSION;
    if (!query && !(msg.message == WM_ENDSESSION && !msg.wParam)) return false;
    if (MainFormRecord) {
        EndMenu();
        StripSwitching strip(MainFormRecord);
        GatherOnScreenOne(strip);
    }
    result = query ? TRUE : 0;
    return true;
}

// The strip stands behind a full-screen program while that has the input.
bool steppedAside;

bool DesktopClass(HWND w) {
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    return lstrcmpA(cls, "Progman") == 0 || lstrcmpA(cls, "WorkerW") == 0;
}

ScreenRect RectOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

ForegroundFacts ReadForegroundFacts(HWND w) {
    ForegroundFacts f{};
    f.desktop = !w || w == GetDesktopWindow() || w == GetShellWindow() || DesktopClass(w);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    f.own = pid == GetCurrentProcessId();
    f.shown = IsWindowVisible(w) && !IsIconic(w);
    f.zoomedWithCaption = IsZoomed(w) && (static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)) &
                                          WS_CAPTION) == WS_CAPTION;
    RECT r{};
    GetWindowRect(w, &r);
    f.window = RectOf(r);
    MONITORINFO m{};
    m.cbSize = sizeof m;
    if (GetMonitorInfoA(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &m))
        f.monitor = RectOf(m.rcMonitor);
    return f;
}

// The strip behind w when w is a full-screen program with the input, on top otherwise.
void FitStripToWindow(HWND w) {
    HWND strip = StripWindow();
    if (!strip || Screens.Ended) return;
    const bool aside = CoversScreen(ReadForegroundFacts(w));
    if (aside == steppedAside) return;
    steppedAside = aside;
    constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    // An owned window stays above its owner, the hidden application window, which
    // at start stands above the program that had the input: it goes down first.
    SetWindowPos(GetWindow(strip, GW_OWNER), HWND_BOTTOM, 0, 0, 0, 0, kOrderOnly);
    SetWindowPos(strip, aside ? HWND_BOTTOM : HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
}

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    // The report's box takes the foreground: nothing of ours runs again then.
    if (!err::FatalErrorPending()) err::Guarded([] { FitStripToWindow(GetForegroundWindow()); });
}
} // namespace

void StartStripInput() {
    MainForm* s = MainFormRecord;
    if (!s || !ApplicationObject) return;
    AttachHandler(s->form, StripMessage);
    SetWindowsHookExA(WH_CBT, GuardStripFocus, nullptr, GetCurrentThreadId());
    // Two presses in quick succession (the second just after the menu closed)
    // arrive as a double click: each is a press all the same.
    for (Control* c :
         {s->DragPanel, s->ScreenNumberLabel, s->SwitchButton, s->AboutButton, s->QuitButton})
        c->OnMouseDblClk = MakeEvent(MainFormMouseDown, s);
    ApplicationObject->OnMessage = MessageEvent{SessionMessage, nullptr};
    SetScreenCountCommand(ScreenCountChosen);
    // Windows names the change of foreground; Wine only the focus that follows it.
    for (DWORD event : {EVENT_SYSTEM_FOREGROUND, EVENT_OBJECT_FOCUS})
        SetWinEventHook(event, event, nullptr, ForegroundChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    StartAttentionSign(s);
}

void FitStripToInputAtStart() {
    // The strip took the input from nobody: the window that has it had it before.
    FitStripToWindow(GetForegroundWindow());
}

void SwitchScreen(void* data, BaseObject*) {
    StripSwitching strip(static_cast<MainForm*>(data));
    SwitchScreenTo(Screens.Next(), &strip);
}

void SwitchStripTo(int target) {
    StripSwitching strip(MainFormRecord);
    SwitchScreenTo(target, &strip);
}

void RestoreAll(void* data, BaseObject*) {
    auto* s = static_cast<MainForm*>(data);
    EndAttentionSign();
    if (!RestoreHiddenWindows(InputWindowNow())) return;
    if (s && s->form) {
        FormPosition position(s->form);
        SaveSettings(position);
    }
    if (s && s->ToolTipWindow) {
        DestroyWindow(s->ToolTipWindow);
        s->ToolTipWindow = nullptr;
    }
}
