#include "screens/WindowCommands.h"
#include "errors/err.h"
#include "screens/HiddenRecord.h"
#include "screens/ScreenLists.h"
#include <algorithm>

PendingStates PendingRequests;

static uintptr_t Key(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}

static bool IsOwnWindow(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == GetCurrentProcessId();
}

static bool PlatformVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}
static VisibilityReadFn visibilityRead = PlatformVisible;

VisibilityReadFn SetVisibilityRead(VisibilityReadFn read) {
    VisibilityReadFn old = visibilityRead;
    visibilityRead = read ? read : PlatformVisible;
    return old;
}

bool SeemsVisible(HWND window) {
    if (!PendingRequests.Has(Key(window))) return visibilityRead(window);
    return PendingRequests.Judge(Key(window), IsWindow(window) != FALSE, visibilityRead(window));
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

static std::vector<HWND> refused;

bool HideRefused(HWND window) {
    std::erase_if(refused, [](HWND w) { return !IsWindow(w); });
    return std::find(refused.begin(), refused.end(), window) != refused.end();
}

// The program may not touch the window: it is no screen's any more, and the
// record must not have it shown by anyone either.
static void TakeAsRefused(HWND window) {
    if (!HideRefused(window)) refused.push_back(window);
    const bool first = ForgetWindow(1, window);
    if (ForgetWindow(2, window) || first) PublishHiddenWindows();
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
        const bool visible = exists && visibilityRead(window);
        switch (PendingRequests.Recheck(key, exists, answered, visible)) {
        case PendingStates::Check::Resend:
            ShowWindowAsync(window, PendingRequests.Wanted(key) ? SW_SHOWNA : SW_HIDE);
            break;
        case PendingStates::Check::Refused:
            TakeAsRefused(window);
            break;
        default:
            break;
        }
    }
    if (PendingRequests.size() == 0 && settleTimer) {
        KillTimer(nullptr, settleTimer);
        settleTimer = 0;
    }
}

void CALLBACK SettleTick(HWND, UINT, UINT_PTR, DWORD) {
    // Not while the program ends with a report: the windows it gave back stay.
    if (!err::FatalErrorPending()) err::Guarded([] { SettlePending(); });
}

void WatchPending() {
    if (PendingRequests.size() > 0 && !settleTimer)
        settleTimer = SetTimer(nullptr, 0, kSettleEveryMs, SettleTick);
}
} // namespace

bool WindowBatch::Wait(DWORD maxMs) {
    DWORD progress = GetTickCount(); // when the last window reached its state
    size_t done = 0;                 // pending_[0..done) have reached their state
    while (done < pending_.size()) {
        const Pending& p = pending_[done];
        const bool exists = IsWindow(p.window) != FALSE;
        const bool visible = exists && visibilityRead(p.window);
        PendingRequests.Judge(Key(p.window), exists, visible);
        if (!exists || visible == p.visible) {
            ++done;
            progress = GetTickCount();
            continue;
        }
        if (GetTickCount() - progress >= maxMs) break;
        WaitForSentMessages(1);
    }
    const bool all = done == pending_.size();
    pending_.clear();
    WatchPending();
    return all;
}
