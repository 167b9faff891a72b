#include "app/StripCommands.h"
#include "app/MainInteraction.h"
#include "app/Unit1.h"
#include "errors/err.h"
#include "errors/Wide_win.h"
#include "launch/LaunchList.h"
#include "screens/QuitRestore.h"
#include "screens/ScreenModel.h"
#include "screens/WindowMenu.h"
#include "settings/HotkeyText.h"
#include "settings/Settings.h"
#include <string>
#include <vector>

namespace {
constexpr int kHotkeyId = 1;
// MOD_NOREPEAT, which <windows.h> declares only for a Windows 7 target.
constexpr UINT kModNoRepeat = 0x4000;
constexpr UINT kRunHandedLists = WM_APP + 1;
constexpr UINT kBringStripToFront = WM_APP + 2;
constexpr UINT_PTR kRearmTimer = 1, kRetryTimer = 2;
constexpr UINT kRearmMs = 30, kRetryMs = 100;

HWND commandWindow;
// The key of the registered hotkey, watched until it is let go: a key held down
// repeats WM_HOTKEY, and the system's own no-repeat flag is not always honoured.
UINT hotkeyKey;
bool hotkeyArmed = true;
// No "Hotkey" value: the key in force is the default one.
bool defaultHotkey;
KeyFactsFn keyFactsReader = ReadKeyFacts;
// Full paths of lists handed over and not yet carried out, oldest first.
std::vector<std::string> handedLists;
bool runningList;

// Open windows of ours that a click on the strip or a list must wait for: a
// message box, a popup menu, the About form.
struct OpenWindows {
    HWND strip;
    bool menu = false, modal = false;
};

void NoteOpenWindow(HWND w, OpenWindows* open) {
    if (w == open->strip || !IsWindowVisible(w)) return;
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpA(cls, "#32768") == 0) open->menu = true;
    if (lstrcmpA(cls, "#32770") == 0 || lstrcmpA(cls, "obj_Form") == 0) open->modal = true;
}

BOOL CALLBACK NoteOpenWindowCallback(HWND w, LPARAM param) {
    err::Guarded([&] { NoteOpenWindow(w, reinterpret_cast<OpenWindows*>(param)); });
    return TRUE;
}

// Whether the strip takes a click now; with waitForBoxes, also no box or form open.
bool StripFree(bool waitForBoxes) {
    HWND strip = StripWindow();
    if (!strip || Screens.Ended || err::FatalErrorPending()) return false;
    if (!IsWindowVisible(strip) || !IsWindowEnabled(strip)) return false;
    OpenWindows open{strip};
    EnumThreadWindows(GetCurrentThreadId(), NoteOpenWindowCallback,
                      reinterpret_cast<LPARAM>(&open));
    return !open.menu && !(waitForBoxes && open.modal);
}

void OnHotkey() {
    if (!hotkeyArmed || IgnoreHotkeyPress(defaultHotkey, keyFactsReader())) return;
    hotkeyArmed = false;
    SetTimer(commandWindow, kRearmTimer, kRearmMs, nullptr);
    if (!StripFree(false)) return;
    // As a click does: the input stays where it is until the switch moves it.
    SwitchScreen(MainFormRecord, MainFormRecord->SwitchButton);
}

void RearmWhenReleased() {
    if (GetAsyncKeyState(static_cast<int>(hotkeyKey)) & 0x8000) return;
    hotkeyArmed = true;
    KillTimer(commandWindow, kRearmTimer);
}

// Carries out the oldest handed list once nothing else holds the strip: not
// inside a list already, nor under a message box or the About form.
void RunHandedLists() {
    if (runningList) return; // the list running now posts for the next one
    if (handedLists.empty() || Screens.Ended) {
        handedLists.clear();
        KillTimer(commandWindow, kRetryTimer);
        return;
    }
    if (!StripFree(true)) {
        SetTimer(commandWindow, kRetryTimer, kRetryMs, nullptr);
        return;
    }
    KillTimer(commandWindow, kRetryTimer);
    const std::string path = handedLists.front();
    handedLists.erase(handedLists.begin());
    runningList = true;
    RunLaunchList(path, StripLaunchHooks(MainFormRecord));
    runningList = false;
    if (!handedLists.empty()) PostMessageA(commandWindow, kRunHandedLists, 0, 0);
}

void BringStripToFront() {
    HWND strip = StripWindow();
    if (strip && IsWindowVisible(strip) && IsWindowEnabled(strip)) SetForegroundWindow(strip);
}

LRESULT TakeHandOver(HWND w, const COPYDATASTRUCT* data) {
    // A strip that is quitting takes nothing more; the sender waits and starts anew.
    if (Screens.Ended || !data) return FALSE;
    const bool utf8 = data->dwData == kHandOverListUtf8;
    if ((utf8 || data->dwData == kHandOverList) && data->lpData && data->cbData > 0) {
        // Only copied here: the sender waits until we return, and the list may
        // put up message boxes.
        const std::string_view path(static_cast<const char*>(data->lpData), data->cbData);
        handedLists.push_back(utf8 ? std::string(path) : AnsiToUtf8(path));
        PostMessageA(w, kRunHandedLists, 0, 0);
    } else if (data->dwData != kHandOverFront) {
        return FALSE;
    }
    PostMessageA(w, kBringStripToFront, 0, 0);
    return TRUE;
}

LRESULT CALLBACK CommandWindowProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    // An error being reported ends the program; nothing more of ours runs.
    if (err::FatalErrorPending()) return DefWindowProcA(w, msg, wParam, lParam);
    return err::Guarded([&]() -> LRESULT {
        switch (msg) {
        case WM_COPYDATA:
            return TakeHandOver(w, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case kRunHandedLists:
            RunHandedLists();
            return 0;
        case kBringStripToFront:
            BringStripToFront();
            return 0;
        case WM_HOTKEY:
            if (wParam == kHotkeyId) OnHotkey();
            return 0;
        case WM_TIMER:
            if (wParam == kRearmTimer) RearmWhenReleased();
            if (wParam == kRetryTimer) RunHandedLists();
            return 0;
        }
        return DefWindowProcA(w, msg, wParam, lParam);
    });
}
} // namespace

HWND OpenCommandWindow() {
    if (commandWindow) return commandWindow;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = CommandWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kCommandWindowClass;
    RegisterClassA(&wc);
    // Message-only: never listed among the desktop's windows, never shown.
    commandWindow = CreateWindowExA(0, kCommandWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, instance, nullptr);
    return commandWindow;
}

void StartHotkey() {
    HWND w = OpenCommandWindow();
    std::string text;
    defaultHotkey = !ReadHotkeySetting(text);
    const HotkeyParse parse = ParseHotkey(defaultHotkey ? kDefaultHotkeyText : text);
    bool registered = false;
    if (w && parse.status == HotkeyStatus::Ok) {
        const UINT mods = parse.hotkey.modifiers, key = parse.hotkey.key;
        // No-repeat came with Windows 7; older systems refuse it, so ask again without.
        registered = RegisterHotKey(w, kHotkeyId, mods | kModNoRepeat, key) ||
                     (GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED &&
                      RegisterHotKey(w, kHotkeyId, mods, key));
        hotkeyKey = key;
    }
    SetWindowMenuNote(HotkeyNote(parse, registered));
}

KeyFacts ReadKeyFacts() {
    KeyFacts keys;
    keys.rightAltDown = GetAsyncKeyState(VK_RMENU) & 0x8000;
    keys.leftAltDown = GetAsyncKeyState(VK_LMENU) & 0x8000;
    // The layout matters only for a right Alt alone.
    if (!keys.rightAltDown || keys.leftAltDown) return keys;
    HWND front = GetForegroundWindow();
    HKL layout = GetKeyboardLayout(front ? GetWindowThreadProcessId(front, nullptr) : 0);
    // A layout has AltGr when some character it types needs Ctrl and Alt together.
    for (WCHAR ch = 0x21; ch < 0x250 && !keys.layoutHasAltGr; ++ch) {
        const SHORT scan = VkKeyScanExW(ch, layout);
        keys.layoutHasAltGr = scan != -1 && (HIBYTE(scan) & 6) == 6;
    }
    return keys;
}

KeyFactsFn SetKeyFactsReader(KeyFactsFn read) {
    KeyFactsFn old = keyFactsReader;
    keyFactsReader = read ? read : ReadKeyFacts;
    return old;
}
