// Stands in for a file that a launch list opens: writes one line about how it was
// started to the file named by PARAVUE_LAUNCH_LOG, or else to "launched.log"
// beside itself, then ends.
//
// The line: "args=<command line after the program name>|cwd=<working folder>|
// watched=<visible|hidden|none>", where watched tells whether a window titled as
// the environment variable PARAVUE_E2E_WATCH says was visible when it started.
#include "errors/Wide_win.h"
#include "ui/Services_win.h"
#include <windows.h>
#include <string>

namespace {
// The command line without the program's own name (quoted or not).
std::string ArgumentsOf(const char* line) {
    const char* p = line;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Wide throughout: it is started from folders named in any script.
    std::string log = ProgramPath();
    log = log.substr(0, log.find_last_of('\\') + 1) + "launched.log";
    char named[MAX_PATH];
    DWORD namedLength = GetEnvironmentVariableA("PARAVUE_LAUNCH_LOG", named, sizeof named);
    if (namedLength > 0 && namedLength < sizeof named) log = named;

    wchar_t cwd16[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, cwd16);
    const std::string cwd = NarrowText(cwd16);

    std::string watched = "none";
    char title[256] = "";
    if (GetEnvironmentVariableA("PARAVUE_E2E_WATCH", title, sizeof title) > 0) {
        HWND w = FindWindowA(nullptr, title);
        watched = !w ? "none" : IsWindowVisible(w) ? "visible" : "hidden";
    }

    std::string line = "args=" + ArgumentsOf(CommandLineText().c_str()) + "|cwd=" + cwd +
                       "|watched=" + watched + "\n";
    // Several copies may start at once: wait for sole use of the log.
    for (int tries = 0; tries < 500; ++tries) {
        HANDLE f = CreateFileW(WideText(log), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(f);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
