#include "screens/WindowCommands.h"

static bool IsOwnWindow(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == GetCurrentProcessId();
}

void WindowBatch::Show(HWND window, int command) {
    if (IsOwnWindow(window)) {
        ShowWindow(window, command);
        return;
    }
    ShowWindowAsync(window, command);
    pending_.push_back({window, command != SW_HIDE});
}

void WindowBatch::Wait(DWORD maxMs) {
    DWORD progress = GetTickCount(); // when the last window reached its state
    size_t done = 0;                 // pending_[0..done) have reached their state
    while (done < pending_.size()) {
        const Pending& p = pending_[done];
        if (!IsWindow(p.window) || (IsWindowVisible(p.window) != FALSE) == p.visible) {
            ++done;
            progress = GetTickCount();
            continue;
        }
        if (GetTickCount() - progress >= maxMs) break;
        Sleep(1);
    }
    pending_.clear();
}
