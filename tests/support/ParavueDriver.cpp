#include "support/ParavueDriver.h"
#include "support/OtherProgram.h"
#include "errors/Wide_win.h"
#include "ui/Services_win.h"
#include <tlhelp32.h>
#include <iterator>

namespace {
DWORD lastPress; // when a button last went down

void SendMouse(DWORD flags, int x, int y) {
    if (flags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN)) lastPress = GetTickCount();
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates run 0..65535 over the screen; round up so that the
    // system's scaling back lands on the very pixel asked for.
    in.mi.dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
    in.mi.dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
    Sleep(30);
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
    Sleep(30);
}

struct TopSearch {
    DWORD pid;
    const char* cls;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<TopSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (s->pid && pid != s->pid) return TRUE;
    if (s->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
    if (s->cls && *s->cls && ClassOf(hwnd) != s->cls) return TRUE;
    s->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}
} // namespace

void MouseMoveTo(int x, int y) {
    SendMouse(0, x, y);
}

void MouseClick(int x, int y) {
    SendMouse(0, x, y);
    SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
    SendMouse(MOUSEEVENTF_LEFTUP, x, y);
}

void MouseRightClick(int x, int y) {
    SendMouse(0, x, y);
    SendMouse(MOUSEEVENTF_RIGHTDOWN, x, y);
    SendMouse(MOUSEEVENTF_RIGHTUP, x, y);
}

void MouseDrag(int x1, int y1, int x2, int y2) {
    SendMouse(0, x1, y1);
    SendMouse(MOUSEEVENTF_LEFTDOWN, x1, y1);
    Sleep(100);
    const int steps = 10;
    for (int i = 1; i <= steps; ++i)
        SendMouse(0, x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
    Sleep(100);
    SendMouse(MOUSEEVENTF_LEFTUP, x2, y2);
    Sleep(100);
}

void WaitOutDoubleClick() {
    for (DWORD since; (since = GetTickCount() - lastPress) <= GetDoubleClickTime();)
        Sleep(GetDoubleClickTime() + 1 - since);
}

void PressKey(WORD vk) {
    SendKey(vk, false);
    SendKey(vk, true);
}

void PressChord(WORD held, WORD vk) {
    PressKeys({held}, vk);
}

void PressKeys(std::initializer_list<WORD> held, WORD vk, int downs) {
    for (WORD k : held)
        SendKey(k, false);
    // Wine's X11 driver sets the modifiers to what the X server holds whenever one
    // of its windows takes the focus, and the X server never saw these injected
    // keys: a focus change landing mid-chord lets go of them, and the key would
    // reach the window with the input as a plain key. So the held keys are pressed
    // again until all are down, and the key follows the check at once.
    for (int tries = 0; tries < 10; ++tries) {
        bool allDown = true;
        for (WORD k : held)
            if (!(GetAsyncKeyState(k) & 0x8000)) {
                allDown = false;
                SendKey(k, false);
            }
        if (allDown) break;
    }
    for (int i = 0; i < downs; ++i)
        SendKey(vk, false);
    SendKey(vk, true);
    for (auto k = std::rbegin(held); k != std::rend(held); ++k)
        SendKey(*k, true);
}

POINT CenterOf(HWND window) {
    RECT r = RectOf(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::string TextOf(HWND window) {
    // WM_GETTEXT would wait on a program that stopped answering; this does not
    // for windows of other processes.
    return WindowTitle(window, 8192);
}

std::string ClassOf(HWND window) {
    char cls[128] = "";
    GetClassNameA(window, cls, sizeof cls);
    return cls;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    if (parent) EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindChild(HWND parent, const char* cls, const char* text) {
    for (HWND child : ChildrenOf(parent))
        if (ClassOf(child) == cls && (!text || TextOf(child) == text)) return child;
    return nullptr;
}

std::vector<HWND> TopWindowsOf(DWORD pid, const char* cls, bool visibleOnly) {
    TopSearch search{pid, cls, visibleOnly, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Paravue::Start(const std::string& args, const std::string& workDir,
                    const std::string& program) {
    strip_ = nullptr;
    // A full path names a copy elsewhere.
    const bool elsewhere = program.find(':') != std::string::npos;
    return process_.Start(elsewhere ? "\"" + program + "\" " + args : ProgramBeside(program, args),
                          workDir);
}

bool Paravue::WaitForStrip(DWORD ms) {
    return WaitFor(
        [&] {
            for (HWND w : TopWindowsOf(pid(), "obj_Form"))
                if (TextOf(w) == "sd") strip_ = w;
            return strip_ != nullptr;
        },
        ms);
}

HWND Paravue::Button(const char* caption) const {
    return FindChild(strip_, "obj_BUTTON", caption);
}

namespace {
// The strip's control of class cls that reads one digit, a screen's number.
HWND ScreenDigitChild(HWND strip, const char* cls) {
    for (HWND child : ChildrenOf(strip)) {
        const std::string text = TextOf(child);
        if (ClassOf(child) == cls && text.size() == 1 && text[0] >= '1' && text[0] <= '9')
            return child;
    }
    return nullptr;
}
} // namespace

HWND Paravue::SwitchButton() const {
    return ScreenDigitChild(strip_, "obj_BUTTON");
}

HWND Paravue::NumberLabel() const {
    return ScreenDigitChild(strip_, "obj_STATIC");
}

HWND Paravue::AppWindow() const {
    for (HWND w : TopWindowsOf(pid(), "", false))
        if (TextOf(w) == "tallowin") return w;
    return nullptr;
}

bool Paravue::WaitForMessageBox(std::string& text, DWORD ms) {
    return WaitFor(
        [&] {
            for (HWND box : TopWindowsOf(pid(), "#32770")) {
                // The message is the one static control that carries text.
                for (HWND child : ChildrenOf(box)) {
                    if (ClassOf(child) != "Static") continue;
                    std::string t = TextOf(child);
                    if (t.empty()) continue;
                    text = t;
                    return true;
                }
            }
            return false;
        },
        ms);
}

bool Paravue::DismissMessageBox(DWORD ms) {
    std::vector<HWND> boxes = TopWindowsOf(pid(), "#32770");
    if (boxes.empty()) return false;
    HWND box = boxes.front();
    HWND ok = FindChild(box, "Button", nullptr);
    if (!ok) return false;
    POINT c = CenterOf(ok);
    MouseClick(c.x, c.y);
    return WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, ms);
}

HWND Paravue::WaitForMenu(DWORD ms) const {
    HWND menu = nullptr;
    WaitFor(
        [&] {
            // The menu window may belong to another process of the desktop; any
            // visible one will do.
            std::vector<HWND> menus = TopWindowsOf(0, "#32768");
            if (!menus.empty()) menu = menus.front();
            return menu != nullptr;
        },
        ms);
    return menu;
}

bool Paravue::WaitForNoMenu(DWORD ms) const {
    return WaitFor([&] { return TopWindowsOf(0, "#32768").empty(); }, ms);
}

bool IsDesktop(HWND w) {
    return !w || w == GetDesktopWindow() || w == GetShellWindow() ||
           ClassOf(w) == "Shell_TrayWnd" || ClassOf(w) == "Progman";
}

bool ProcessEnded(DWORD pid) {
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!h) return true;
    const bool ended = WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
    CloseHandle(h);
    return ended;
}

std::vector<DWORD> ChildProcessesOf(DWORD pid) {
    std::vector<DWORD> children;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32 e{};
    e.dwSize = sizeof e;
    for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e))
        if (e.th32ParentProcessID == pid && e.th32ProcessID != pid)
            children.push_back(e.th32ProcessID);
    CloseHandle(snap);
    return children;
}

bool ProcessRuns(const char* exe) {
    bool runs = false;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 e{};
    e.dwSize = sizeof e;
    for (BOOL ok = Process32First(snap, &e); ok && !runs; ok = Process32Next(snap, &e))
        runs = lstrcmpiA(e.szExeFile, exe) == 0;
    CloseHandle(snap);
    return runs;
}

DWORD Paravue::GuardPid() const {
    std::vector<DWORD> children = ChildProcessesOf(pid());
    return children.empty() ? 0 : children.front();
}

bool Paravue::KillGuard() {
    const DWORD guard = GuardPid();
    HANDLE h = guard ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, guard) : nullptr;
    if (!h) return false;
    TerminateProcess(h, 99);
    const bool ended = WaitForSingleObject(h, 5000) == WAIT_OBJECT_0;
    CloseHandle(h);
    return ended;
}

void Paravue::Kill() {
    process_.Stop();
    strip_ = nullptr;
}
