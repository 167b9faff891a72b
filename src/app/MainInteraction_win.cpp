#include "app/MainInteraction.h"
#include "app/FullScreen.h"
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

// The window that had the input when the program started; none once the user has
// pressed on the strip, which then decides where the input goes.
static HWND inputAtStart;

namespace {
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;
enum { kLeftButton = 1, kRightButton = 2 };
// Posted behind the command a menu choice posts: lParam had the input before.
constexpr UINT kGiveInputBack = WM_APP + 20;

struct TopWindow {
    HWND found = nullptr, shell = GetShellWindow();
};

BOOL CALLBACK FindTopWindow(HWND w, LPARAM param) {
    auto* top = reinterpret_cast<TopWindow*>(param);
    return err::Guarded([&]() -> BOOL {
        if (!SeemsVisible(w) || !IsWindowEnabled(w)) return TRUE;
        if (ClassifyWindow(ReadWindowFacts(w, true, top->shell)) != WindowVerdict::TakesPart)
            return TRUE;
        top->found = w;
        return FALSE;
    });
}

// After the strip's own menu or form took the keyboard: back to the window that
// had it (the desktop too), if that is still there and shown; else to this
// screen's top window.
void GiveInputBack(HWND before) {
    if (!before || before == GetDesktopWindow() || before == GetShellWindow()) {
        GiveInputTo(nullptr);
        return;
    }
    if (IsWindow(before) && SeemsVisible(before) && IsWindowEnabled(before) &&
        before != StripWindow()) {
        GiveInputTo(before);
        return;
    }
    TopWindow top;
    EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&top));
    GiveInputTo(top.found);
}
} // namespace

void MainFormMouseDown(void* data, BaseObject* sender, MouseRecord& mouse) {
    auto* s = static_cast<MainForm*>(data);
    inputAtStart = nullptr;
    if (mouse.button == kLeftButton) {
        // The buttons keep their own press; the panel and the number are the handle.
        if (sender == s->DragPanel || sender == s->ScreenNumberLabel) {
            ReleaseCapture();
            // The system's move loop makes the strip the active window; the
            // input goes back once the strip is in its place.
            HWND before = GetForegroundWindow();
            SendMsg(s->form, WM_SYSCOMMAND, kMoveByCaption, 0);
            if (GetForegroundWindow() != before) GiveInputBack(before);
        }
        return;
    }
    if (mouse.button != kRightButton || !WindowMenu || RestoreStarted) return;
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
    inputAtStart = nullptr;
    HWND before = GetForegroundWindow();
    AboutForm* about = nullptr;
    CreateAboutForm(about, ApplicationObject);
    ShowModal(about->form);
    FreeObject(about->form);
    GiveInputBackUnlessTaken(before);
}

void RememberInputAtStart() {
    inputAtStart = InputWindowNow();
}

void GiveInputBackAfterStart() {
    // Only for the program's own start: a strip built in a test remembers none.
    if (!inputAtStart) return;
    // Never from under a menu, a drag or a press the user has begun meanwhile.
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &gui) &&
        (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_INMOVESIZE) || gui.hwndCapture))
        return;
    GiveInputBackUnlessTaken(inputAtStart);
}

void GiveInputBackUnlessTaken(HWND before) {
    // Unless another program (the help the About form opened, the files of a
    // launch list) has taken the input already.
    DWORD pid = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &pid);
    if (!RestoreStarted && (!pid || pid == GetCurrentProcessId())) GiveInputBack(before);
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

  private:
    MainForm* s_;
};

// The strip's part of a click: the platform would make the clicked window the
// active one, and a pressed button takes the focus, which would do the same.
bool StripMessage(Control*, MSG& msg, LRESULT& result) {
    if (msg.message == WM_MOUSEACTIVATE) {
        result = MA_NOACTIVATE;
        return true;
    }
    if (msg.message == kGiveInputBack) {
        if (!RestoreStarted) GiveInputBack(reinterpret_cast<HWND>(msg.lParam));
        return true;
    }
    return false;
}

LRESULT CALLBACK GuardStripFocus(int code, WPARAM wParam, LPARAM lParam) {
    HWND strip = StripWindow();
    HWND w = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_SETFOCUS && strip && GetActiveWindow() != strip &&
        (w == strip || IsChild(strip, w)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
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

void FitStripToForeground() {
    HWND strip = StripWindow();
    if (!strip || RestoreStarted) return;
    const bool aside = CoversScreen(ReadForegroundFacts(GetForegroundWindow()));
    if (aside == steppedAside) return;
    steppedAside = aside;
    SetWindowPos(strip, aside ? HWND_BOTTOM : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    // The report's box takes the foreground: nothing of ours runs again then.
    if (!err::FatalErrorPending()) err::Guarded([] { FitStripToForeground(); });
}
} // namespace

void StartStripInput() {
    MainForm* s = MainFormRecord;
    if (!s || !ApplicationObject) return;
    AttachHandler(s->form, StripMessage);
    // Nor does the platform pass the input to the strip when the window that had
    // it goes; the transparency's style, set already, stays.
    HWND strip = GetHandle(s->form);
    SetWindowLongA(strip, GWL_EXSTYLE, GetWindowLongA(strip, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
    s->form->exStyle |= WS_EX_NOACTIVATE;
    // Two presses in quick succession (the second just after the menu closed)
    // arrive as a double click: each is a press all the same.
    for (Control* c :
         {s->DragPanel, s->ScreenNumberLabel, s->SwitchButton, s->AboutButton, s->QuitButton})
        c->OnMouseDblClk = MakeEvent(MainFormMouseDown, s);
    SetWindowsHookExA(WH_CBT, GuardStripFocus, nullptr, GetCurrentThreadId());
    ApplicationObject->OnMessage = MessageEvent{SessionMessage, nullptr};
    // Windows names the change of foreground; Wine only the focus that follows it.
    for (DWORD event : {EVENT_SYSTEM_FOREGROUND, EVENT_OBJECT_FOCUS})
        SetWinEventHook(event, event, nullptr, ForegroundChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    FitStripToForeground();
}

void SwitchScreen(void* data, BaseObject*) {
    StripSwitching strip(static_cast<MainForm*>(data));
    SwitchToOtherScreen(strip);
}

void RestoreAll(void* data, BaseObject*) {
    auto* s = static_cast<MainForm*>(data);
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
