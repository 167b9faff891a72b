#include "app/SingleInstance.h"
#include "app/StripCommands.h"
#include "errors/MessageBox.h"
#include "errors/Wide_win.h"
#include "launch/LaunchList.h"
#include "ui/Services_win.h"
#include <string>

namespace {
HANDLE instanceMutex; // held until the process ends; never closed

// Until the running one answers, within the second a later start may take.
constexpr DWORD kFindMs = 300, kSendMs = 500;
// A strip that is quitting lets go of the mutex once its restore is done.
constexpr DWORD kQuitWaitMs = 5000;

HWND RunningCommandWindow() {
    const DWORD start = GetTickCount();
    for (;;) {
        // The running one opens its window right after claiming the mutex.
        if (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, kCommandWindowClass, nullptr)) return w;
        if (GetTickCount() - start >= kFindMs) return nullptr;
        Sleep(20);
    }
}

std::string FullPath(const std::string& path) {
    wchar_t full[MAX_PATH * 2];
    const DWORD n = GetFullPathNameW(WideText(path), MAX_PATH * 2, full, nullptr);
    return n > 0 && n < MAX_PATH * 2 ? NarrowText(full, static_cast<int>(n)) : path;
}

enum class HandOverResult { Taken, Refused, NoAnswer };

int exitCode;

// Ends the start that could not hand its list over; a list is never dropped silently.
bool NotHandedOver(const std::string& list) {
    if (list.empty()) return true;
    CallMessageBox(nullptr,
                   ("Cannot hand the launch list over to the running Para-Vue:\r" + list).c_str(),
                   "Para-Vue", MB_OK | MB_ICONERROR);
    exitCode = 1;
    return true;
}

HandOverResult HandOver(const std::string& list) {
    HWND target = RunningCommandWindow();
    if (!target) return HandOverResult::NoAnswer;
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    // The strip may come to the front although we, not it, were started by the user.
    AllowSetForegroundWindow(pid);
    COPYDATASTRUCT data{};
    data.dwData = list.empty() ? kHandOverFront : kHandOverListUtf8;
    data.cbData = static_cast<DWORD>(list.size());
    data.lpData = const_cast<char*>(list.data());
    DWORD_PTR taken = 0;
    if (!SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendMs, &taken))
        return HandOverResult::NoAnswer;
    return taken ? HandOverResult::Taken : HandOverResult::Refused;
}
} // namespace

int HandOverExitCode() {
    return exitCode;
}

bool HandedOverToRunningInstance() {
    instanceMutex = CreateMutexA(nullptr, TRUE, kInstanceMutexName);
    // Without the mutex at all we cannot tell: better a second strip than none.
    const bool another = instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS;
    if (another) {
        const std::string list = GetParamCount() > 0 ? FullPath(CommandLineFile()) : "";
        const HandOverResult result = HandOver(list);
        if (result == HandOverResult::Taken) return true;
        // A strip too busy to answer within the second keeps running alone,
        // without this start's list.
        if (result == HandOverResult::NoAnswer) return NotHandedOver(list);
        // A strip in its last moments refuses; once it is gone this start takes over.
        const DWORD r = WaitForSingleObject(instanceMutex, kQuitWaitMs);
        if (r != WAIT_OBJECT_0 && r != WAIT_ABANDONED) return NotHandedOver(list);
    }
    OpenCommandWindow();
    return false;
}
