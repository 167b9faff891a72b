#include "screens/WindowCommands.h"
#include "errors/err.h"

PendingStates PendingRequests;

static uintptr_t Key(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}

static bool IsOwnWindow(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == GetCurrentProcessId();
}

bool SeemsVisible(HWND window) {
    if (!PendingRequests.Has(Key(window))) return IsWindowVisible(window) != FALSE;
    return PendingRequests.Judge(Key(window), IsWindow(window) != FALSE,
                                 IsWindowVisible(window) != FALSE);
}

void WindowBatch::Show(HWND window, int command) {
    if (IsOwnWindow(window)) {
        ShowWindow(window, command);
        return;
    }
    const bool visible = command != SW_HIDE;
    PendingRequests.Request(Key(window), visible);
    ShowWindowAsync(window, command);
    pending_.push_back({window, visible});
}

// Handles what other programs send us without taking any posted message (input,
// timers) out of turn.
static void WaitForSentMessages(DWORD ms) {
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_SENDMESSAGE) == WAIT_OBJECT_0) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

namespace {
// While requests are pending, their windows are looked at again now and then:
// once a program answers, a request it swallowed is asked again.
constexpr UINT kSettleEveryMs = 250;
constexpr UINT kSettleAnswerMs = 20; // how long one look waits on a program
UINT_PTR settleTimer;

void SettlePending() {
    for (uintptr_t key : PendingRequests.Windows()) {
        HWND window = reinterpret_cast<HWND>(key);
        const bool exists = IsWindow(window) != FALSE;
        DWORD_PTR result = 0;
        // Answered: the program has taken every request sent before this message.
        const bool answered = exists && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                                            kSettleAnswerMs, &result) != 0;
        const bool visible = exists && IsWindowVisible(window) != FALSE;
        if (PendingRequests.Recheck(key, exists, answered, visible) == PendingStates::Check::Resend)
            ShowWindowAsync(window, PendingRequests.Wanted(key) ? SW_SHOW : SW_HIDE);
    }
    if (PendingRequests.size() == 0 && settleTimer) {
        KillTimer(nullptr, settleTimer);
        settleTimer = 0;
    }
}

void CALLBACK SettleTick(HWND, UINT, UINT_PTR, DWORD) {
    err::Guarded([] { SettlePending(); });
}

void WatchPending() {
    if (PendingRequests.size() > 0 && !settleTimer)
        settleTimer = SetTimer(nullptr, 0, kSettleEveryMs, SettleTick);
}
} // namespace

void WindowBatch::Wait(DWORD maxMs) {
    DWORD progress = GetTickCount(); // when the last window reached its state
    size_t done = 0;                 // pending_[0..done) have reached their state
    while (done < pending_.size()) {
        const Pending& p = pending_[done];
        const bool exists = IsWindow(p.window) != FALSE;
        const bool visible = exists && IsWindowVisible(p.window) != FALSE;
        PendingRequests.Judge(Key(p.window), exists, visible);
        if (!exists || visible == p.visible) {
            ++done;
            progress = GetTickCount();
            continue;
        }
        if (GetTickCount() - progress >= maxMs) break;
        WaitForSentMessages(1);
    }
    pending_.clear();
    WatchPending();
}
