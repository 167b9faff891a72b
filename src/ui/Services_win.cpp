#include "ui/Services_win.h"
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

void ShowMessage(const std::string& text) {
    char caption[256] = "";
    const char* captionText = nullptr;
    if (messageOwner && IsWindow(messageOwner)) {
        GetWindowTextA(messageOwner, caption, sizeof caption);
        captionText = caption;
    }
    CallMessageBox(captionText ? messageOwner : nullptr, text.c_str(), captionText,
                   MB_SETFOREGROUND);
}

std::string GetParam(int n) {
    if (n == 0) {
        char path[261];
        DWORD len = GetModuleFileNameA(nullptr, path, sizeof path);
        return std::string(path, len < sizeof path ? len : 0);
    }
    return CommandLineParam(GetCommandLineA(), n);
}

int GetParamCount() {
    return CommandLineParamCount(GetCommandLineA());
}

bool FileExists(const std::string& name) {
    DWORD attributes = GetFileAttributesA(name.c_str());
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
