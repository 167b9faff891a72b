#include "app/StripCommands.h"
#include "app/MainInteraction.h"
#include "app/Unit1.h"
#include "errors/err.h"
#include "errors/Wide_win.h"
#include "launch/LaunchList.h"
#include "screens/QuitRestore.h"
#include "screens/ScreenLists.h"
#include "screens/ScreenModel.h"
#include "screens/WindowMenu.h"
#include "settings/HotkeyText.h"
#include "settings/Settings.h"
#include <string>
#include <vector>

namespace {
// MOD_NOREPEAT, which <windows.h> declares only for a Windows 7 target.
constexpr UINT kModNoRepeat = 0x4000;
constexpr UINT kRunHandedLists = WM_APP + 1;
constexpr UINT kBringStripToFront = WM_APP + 2;
constexpr UINT_PTR kRearmTimer = 1, kRetryTimer = 2;
constexpr UINT kRearmMs = 30, kRetryMs = 100;

HWND commandWindow;
// The key that fired last, watched until it is let go: a key held down repeats
// WM_HOTKEY, and the system's own no-repeat flag is not always honoured.
UINT hotkeyKey;
bool hotkeyArmed = true;
KeyFactsFn keyFactsReader = ReadKeyFacts;

// The keys the user may choose: the switch key, then the move key.
struct ChosenKey {
    const char* path;        // the setting that chooses it
    const char* defaultText; // what a missing setting stands for
    const char* name;        // in the menu's last line
};
constexpr ChosenKey kChosenKeys[] = {
    {kHotkeyPath, kDefaultHotkeyText, "hotkey"},
    {kMoveHotkeyPath, kDefaultMoveHotkeyText, "move key"},
};
constexpr int kChosenCount = 2, kKeyCount = kChosenCount + 2 * ScreenModel::kMaxScreens;

// The keys we register; a key's hotkey id is its place here plus one. After the
// chosen keys come the fixed digit keys: Ctrl+Alt+1 to 9 go to that screen, with
// Shift they move the window there. The digits count as default keys: they stand
// aside for AltGr. StartHotkey fills it in.
struct KeyBinding {
    int screen; // where it leads; 0: the next screen
    bool moves; // it moves the window with the input rather than switch
    bool isDefault, registered;
    UINT modifiers, key;
};
KeyBinding bindings[kKeyCount];

HHOOK altGrHook;
AltGrWatch altGrWatch;
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

void SwitchByKey(int screen) {
    // As a click does: the input stays where it is until the switch moves it.
    SwitchStripTo(screen ? screen : Screens.Next());
}

// The window with the input goes to screen (0: the next one) with its group; the
// input goes to this screen's next window. Not the desktop, not ours, and only a
// window that takes part.
void MoveByKey(int screen) {
    HWND input = GetForegroundWindow();
    DWORD pid = 0;
    GetWindowThreadProcessId(input, &pid);
    const int target = screen ? screen : Screens.Next();
    if (Screens.Switching || !input || pid == GetCurrentProcessId() || !Screens.IsScreen(target) ||
        target == Screens.Current())
        return;
    const std::vector<GroupMember> onView = TakingPartNow(GetShellWindow());
    for (const GroupMember& m : onView)
        if (m.handle == KeyOf(input)) {
            // Brought forward by its program, it goes from here.
            ClaimOnView(onView);
            MoveGroupTo(WindowOf(m.main), target);
            // As after the menu's move: the window left, the next one takes the input.
            GiveInputBack(input);
            return;
        }
}

void RearmWhenReleased();

void OnHotkey(WPARAM id) {
    if (id < 1 || id > kKeyCount) return;
    const KeyBinding& k = bindings[id - 1];
    // A press that came while the last key's action ran (a switch waiting on a busy
    // program) is here before the timer that would have seen that key let go.
    if (!hotkeyArmed) RearmWhenReleased();
    if (!hotkeyArmed || IgnoreHotkeyPress(k.isDefault, keyFactsReader())) return;
    hotkeyArmed = false;
    hotkeyKey = k.key;
    SetTimer(commandWindow, kRearmTimer, kRearmMs, nullptr);
    if (StripFree(false)) (k.moves ? MoveByKey : SwitchByKey)(k.screen);
}

bool RegisterKey(int id, UINT modifiers, UINT key) {
    // No-repeat came with Windows 7; older systems refuse it, so ask again without.
    return RegisterHotKey(commandWindow, id, modifiers | kModNoRepeat, key) ||
           (GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED &&
            RegisterHotKey(commandWindow, id, modifiers, key));
}

bool AltGrLayout() {
    return keyFactsReader().layoutHasAltGr;
}

// Runs for every key pressed anywhere, so it decides at once and lets every key
// through; only the Alt keys take the default keys out of the way and back.
LRESULT CALLBACK WatchAltGr(int code, WPARAM wParam, LPARAM lParam) {
    const auto* e = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && FollowKeyEvent(altGrWatch, e->vkCode, e->flags & LLKHF_EXTENDED,
                                            e->flags & LLKHF_UP, AltGrLayout))
        for (int i = 0; i < kKeyCount; ++i)
            if (bindings[i].isDefault && bindings[i].registered) {
                if (altGrWatch.aside)
                    UnregisterHotKey(commandWindow, i + 1);
                else
                    RegisterKey(i + 1, bindings[i].modifiers, bindings[i].key);
            }
    return CallNextHookEx(nullptr, code, wParam, lParam);
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
            OnHotkey(wParam);
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

namespace {
// A layout has AltGr when some character it types needs Ctrl and Alt together.
bool LayoutHasAltGr(HKL layout) {
    for (WCHAR ch = 0x21; ch < 0x250; ++ch) {
        const SHORT scan = VkKeyScanExW(ch, layout);
        if (scan != -1 && (HIBYTE(scan) & 6) == 6) return true;
    }
    return false;
}

// Whether an input language the user has loaded types with AltGr (a test's
// keyboard says so itself).
bool SomeLayoutHasAltGr() {
    if (keyFactsReader != ReadKeyFacts) return keyFactsReader().layoutHasAltGr;
    HKL layouts[32];
    const int n = GetKeyboardLayoutList(32, layouts);
    for (int i = 0; i < n; ++i)
        if (LayoutHasAltGr(layouts[i])) return true;
    return false;
}
} // namespace

void StartHotkey() {
    HWND w = OpenCommandWindow();
    std::string note, text;
    Hotkey taken[kKeyCount];
    int takenCount = 0;
    bool watch = false;
    for (int i = 0; i < kKeyCount; ++i) {
        KeyBinding& k = bindings[i];
        if (k.registered) UnregisterHotKey(w, i + 1);
        HotkeyParse parse;
        if (i < kChosenCount) {
            k.moves = i == 1;
            k.isDefault = !ReadHotkeySetting(text, kChosenKeys[i].path);
            parse = ParseHotkey(k.isDefault ? kChosenKeys[i].defaultText : text);
        } else {
            // Only the digits of the screens there are.
            const int digit = i - kChosenCount;
            k.moves = digit >= ScreenModel::kMaxScreens;
            k.screen = digit % ScreenModel::kMaxScreens + 1;
            k.isDefault = true;
            parse.status = Screens.IsScreen(k.screen) ? HotkeyStatus::Ok : HotkeyStatus::Empty;
            parse.hotkey = {kHotkeyCtrl | kHotkeyAlt | (k.moves ? kHotkeyShift : 0u),
                            static_cast<uint32_t>('0' + k.screen)};
        }
        k.modifiers = parse.hotkey.modifiers;
        k.key = parse.hotkey.key;
        k.registered =
            w && parse.status == HotkeyStatus::Ok && RegisterKey(i + 1, k.modifiers, k.key);
        if (i < kChosenCount)
            AddKeyNote(note, kChosenKeys[i].name, parse, k.registered);
        else if (parse.status == HotkeyStatus::Ok && !k.registered)
            taken[takenCount++] = parse.hotkey;
        watch |= k.isDefault && k.registered;
    }
    AddTakenKeysNote(note, taken, takenCount);
    SetWindowMenuNote(note);
    altGrWatch = {};
    // Only the default keys stand aside for AltGr, and only on a layout that has
    // it: otherwise no key of the system passes through us.
    watch = watch && SomeLayoutHasAltGr();
    if (watch && !altGrHook)
        altGrHook = SetWindowsHookExA(WH_KEYBOARD_LL, WatchAltGr, GetModuleHandleA(nullptr), 0);
    if (!watch && altGrHook && UnhookWindowsHookEx(altGrHook)) altGrHook = nullptr;
}

KeyFacts ReadKeyFacts() {
    KeyFacts keys;
    keys.rightAltDown = GetAsyncKeyState(VK_RMENU) & 0x8000;
    keys.leftAltDown = GetAsyncKeyState(VK_LMENU) & 0x8000;
    HWND front = GetForegroundWindow();
    HKL layout = GetKeyboardLayout(front ? GetWindowThreadProcessId(front, nullptr) : 0);
    // Read once per layout.
    static HKL known;
    static bool knownHasAltGr;
    if (layout != known) {
        known = layout;
        knownHasAltGr = LayoutHasAltGr(layout);
    }
    keys.layoutHasAltGr = knownHasAltGr;
    return keys;
}

KeyFactsFn SetKeyFactsReader(KeyFactsFn read) {
    KeyFactsFn old = keyFactsReader;
    keyFactsReader = read ? read : ReadKeyFacts;
    return old;
}
