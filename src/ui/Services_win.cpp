#include "ui/Services_win.h"
#include "errors/Wide_win.h"
#include <windows.h>
#include <commctrl.h>
#include <cstdarg>
#include <memory>

// The application object registers its window here, so that messages carry its
// caption and stay in front of it.
static HWND messageOwner;
void SetMessageOwner(void* window) {
    messageOwner = static_cast<HWND>(window);
}

// MB_TOPMOST is not kept by every implementation of the box (Wine's drops it): the
// box is made topmost as it is activated. It comes up in front once; where the
// user clicks after that keeps the input.
static HWND frontBox;

static LRESULT CALLBACK TopmostBox(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && !frontBox) {
        frontBox = reinterpret_cast<HWND>(wp);
        SetWindowPos(frontBox, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void ShowMessage(const std::string& text) {
    const bool owned = messageOwner && IsWindow(messageOwner);
    const std::string caption = owned ? WindowTitle(messageOwner) : std::string();
    frontBox = nullptr;
    HWND front = GetForegroundWindow();
    HHOOK hook = SetWindowsHookExA(WH_CBT, TopmostBox, nullptr, GetCurrentThreadId());
    CallMessageBox(owned ? messageOwner : nullptr, text.c_str(), owned ? caption.c_str() : nullptr,
                   MB_SETFOREGROUND | MB_TOPMOST);
    if (hook) UnhookWindowsHookEx(hook);
    // The box hands the input to its owner, which is never on view: it goes back to
    // the window that had it, where the user's typing can be seen.
    if (owned && GetForegroundWindow() == messageOwner && front && front != messageOwner &&
        IsWindowVisible(front))
        SetForegroundWindow(front);
}

std::string WindowTitle(void* window, int limit) {
    HWND w = static_cast<HWND>(window);
    if (limit <= 0) limit = GetWindowTextLengthW(w) + 1;
    std::u16string text(static_cast<size_t>(limit), u'\0');
    const int n = GetWindowTextW(w, reinterpret_cast<wchar_t*>(text.data()), limit);
    text.resize(n > 0 && n < limit ? static_cast<size_t>(n) : 0);
    // A limit that falls inside a surrogate pair leaves half of it: drop that half
    // rather than show a broken character.
    if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
    return Utf16ToUtf8(text);
}

std::string CommandLineText() {
    return NarrowText(GetCommandLineW());
}

std::string GetParam(int n) {
    if (n == 0) return ProgramPath();
    return CommandLineParam(CommandLineText().c_str(), n);
}

int GetParamCount() {
    return CommandLineParamCount(CommandLineText().c_str());
}

bool FileExists(const std::string& name) {
    DWORD attributes = GetFileAttributesW(WideText(name));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FormatText(const char* format, ...) {
    char buffer[2048];
    va_list args;
    va_start(args, format);
    int n = wvsprintfA(buffer, format, args);
    va_end(args);
    return std::string(buffer, n > 0 ? n : 0);
}

namespace {
// comctl32 stays loaded until the program ends.
struct LibraryHolder {
    HMODULE module = nullptr;
    ~LibraryHolder() {
        if (module) FreeLibrary(module);
    }
};
} // namespace

void InitCommonControlsFor(uint32_t classes) {
    static LibraryHolder comctl;
    InitCommonControls();
    if (!comctl.module) comctl.module = LoadLibraryA("comctl32.dll");
    if (!comctl.module) return;
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto initEx = reinterpret_cast<InitEx>(
        reinterpret_cast<void*>(GetProcAddress(comctl.module, "InitCommonControlsEx")));
    if (initEx) {
        INITCOMMONCONTROLSEX icc{8, classes};
        initEx(&icc);
    }
}

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");

SystemVersion QuerySystemVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    SystemVersion v;
    v.known = GetVersionExA(&info) != 0;
    v.major = info.dwMajorVersion;
    v.minor = info.dwMinorVersion;
    v.platformId = info.dwPlatformId;
    return v;
}

bool IsNTPlatform() {
    SystemVersion v = QuerySystemVersion();
    return NTPlatformFor(v.known, v.platformId);
}
