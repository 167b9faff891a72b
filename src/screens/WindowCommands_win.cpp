#include "screens/WindowCommands.h"
#include "errors/err.h"
#include "screens/HiddenRecord.h"
#include "screens/ScreenModel.h"
#include <algorithm>

namespace {
uintptr_t Key(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}

bool IsOwnWindow(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == GetCurrentProcessId();
}

bool PlatformVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}
VisibilityReadFn visibilityRead = PlatformVisible;

// The answers come in here, by call number, until the batch waiting takes them;
// an answer for a batch that is gone finds none and is dropped.
std::vector<uint32_t> answers;
uint32_t lastCall;

void CALLBACK Answered(HWND, UINT, ULONG_PTR call, LRESULT) {
    answers.push_back(static_cast<uint32_t>(call));
}

// Asks the window's program to answer once it has taken every request sent before;
// 0 when it cannot be asked (the window is gone).
uint32_t AskForAnswer(HWND window) {
    if (++lastCall == 0) ++lastCall;
    return SendMessageCallbackW(window, WM_NULL, 0, 0, Answered, lastCall) ? lastCall : 0;
}
} // namespace

void PostShowWindow(HWND window, bool visible, bool onTop) {
    // In its place in the stacking order: the screen comes back stacked as it was
    // left, whichever program wakes first. Shown and hidden the same way, so that
    // a program sees the one as the undoing of the other.
    // (No place in the order is asked for, yet Wine still lifts a window's owned
    // windows to the one named unless it is HWND_NOTOPMOST, which it leaves alone.)
    const UINT how = visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(window, onTop ? HWND_TOP : HWND_NOTOPMOST, 0, 0, 0, 0,
                 how | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | (onTop ? 0 : SWP_NOZORDER) |
                     (IsOwnWindow(window) ? 0 : SWP_ASYNCWINDOWPOS));
}

VisibilityReadFn SetVisibilityRead(VisibilityReadFn read) {
    VisibilityReadFn old = visibilityRead;
    visibilityRead = read ? read : PlatformVisible;
    return old;
}

bool SeemsVisible(HWND window) {
    if (!Screens.Pending.Has(Key(window))) return visibilityRead(window);
    return Screens.Pending.Judge(Key(window), IsWindow(window) != FALSE, visibilityRead(window));
}

bool HideRefused(HWND window) {
    Screens.PruneRefused([](uintptr_t w) { return IsWindow(reinterpret_cast<HWND>(w)) != FALSE; });
    return Screens.IsRefused(Key(window));
}

namespace {
// The program may not touch the window: it is no screen's any more, and the
// record must not have it shown by anyone either.
void TakeAsRefused(HWND window) {
    Screens.Refuse(Key(window));
    PublishHiddenWindows();
}

// While requests are pending, their windows are looked at again now and then:
// once a program answers, a request it swallowed is asked again.
constexpr UINT kSettleEveryMs = 250;
constexpr UINT kSettleAnswerMs = 20; // how long one look waits on a program
UINT_PTR settleTimer;

void PlaceUnder(HWND window, HWND above) {
    SetWindowPos(window, above, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}
// Windows of programs that woke too late to show them in turn, top first, each
// with the window it belongs just under: put there once it stands.
struct LatePlace {
    HWND window, above;
};
std::vector<LatePlace> lateOrder;

void SettlePending() {
    for (uintptr_t key : Screens.Pending.Windows()) {
        HWND window = reinterpret_cast<HWND>(key);
        const bool exists = IsWindow(window) != FALSE;
        DWORD_PTR result = 0;
        // Answered: the program has taken every request sent before this message.
        const bool answered = exists && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                                            kSettleAnswerMs, &result) != 0;
        const bool visible = exists && visibilityRead(window);
        switch (Screens.Pending.Recheck(key, exists, answered, visible)) {
        case PendingStates::Check::Resend:
            PostShowWindow(window, Screens.Pending.Wanted(key));
            break;
        case PendingStates::Check::Refused:
            TakeAsRefused(window);
            break;
        default:
            break;
        }
    }
    size_t kept = 0;
    for (const LatePlace& p : lateOrder)
        if (IsWindow(p.window) && Screens.Pending.Has(Key(p.window)))
            lateOrder[kept++] = p;
        else if (IsWindow(p.window) && IsWindow(p.above))
            PlaceUnder(p.window, p.above);
    lateOrder.resize(kept);
    if (Screens.Pending.size() == 0 && lateOrder.empty() && settleTimer) {
        KillTimer(nullptr, settleTimer);
        settleTimer = 0;
    }
}

void CALLBACK SettleTick(HWND, UINT, UINT_PTR, DWORD) {
    // Not while the program ends with a report: the windows it gave back stay.
    if (!err::FatalErrorPending()) err::Guarded([] { SettlePending(); });
}

void WatchPending() {
    if ((Screens.Pending.size() > 0 || !lateOrder.empty()) && !settleTimer)
        settleTimer = SetTimer(nullptr, 0, kSettleEveryMs, SettleTick);
}

// Sleeps until another program sends us something (an answer among it) or ms have
// passed, then handles what was sent without taking any posted message (input,
// timers) out of turn. False when nothing came.
bool WaitForSentMessages(DWORD ms) {
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_SENDMESSAGE) != WAIT_OBJECT_0)
        return false;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    return true;
}
} // namespace

void WindowBatch::Send(HWND window, bool visible, bool onTop) {
    // Our own windows change at once; another program's carries the request out
    // when it next answers.
    const bool own = IsOwnWindow(window);
    if (!own) Screens.Pending.Request(Key(window), visible);
    PostShowWindow(window, visible, onTop);
    if (!own)
        sent_.push_back({window, GetWindowThreadProcessId(window, nullptr), visible,
                         AskForAnswer(window), 0, false});
}

void WindowBatch::Hide(HWND window) {
    Send(window, false, false);
}

void WindowBatch::Show(HWND window, bool onTop) {
    Send(window, true, onTop);
}

bool WindowBatch::Wait(DWORD maxMs) {
    const bool all = WaitWhile(nullptr, maxMs);
    Forget();
    return all;
}

bool WindowBatch::WaitFor(HWND window, DWORD maxMs) {
    return WaitWhile(window, maxMs);
}

void WindowBatch::KeepOrder(const std::vector<HWND>& bottomFirst) {
    std::vector<HWND> stack; // top first
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        stack.push_back(w);
    HWND above = nullptr;
    size_t aboveAt = 0;
    for (size_t i = bottomFirst.size(); i-- > 0;) {
        HWND w = bottomFirst[i];
        if (!w) continue;
        size_t at = 0;
        while (at < stack.size() && stack[at] != w)
            ++at;
        if (at == stack.size()) continue; // gone
        bool late = false;
        for (uintptr_t t : silent_)
            late = late || t == GetWindowThreadProcessId(w, nullptr);
        // The window given the input stays on top, where taking it put it.
        if (above && (late || at < aboveAt) && w != GetForegroundWindow()) {
            // Where a program that answers can take it at once; a late one's
            // window once it stands.
            if (Screens.Pending.Has(Key(w)))
                lateOrder.push_back({w, above});
            else
                PlaceUnder(w, above);
            at = aboveAt;
        }
        above = w;
        aboveAt = at;
    }
    WatchPending();
}

WindowBatch::~WindowBatch() {
    Forget();
}

void WindowBatch::Forget() {
    sent_.clear();
    WatchPending();
}

bool WindowBatch::WaitWhile(HWND only, DWORD maxMs) {
    // A window is done once its program has answered (it has then carried out the
    // request whole, its restacking included; a window it kept as it was is the
    // settle timer's affair), or once it is gone. Each look costs this program
    // nothing but its own lists: the windows are read only as they are done.
    constexpr DWORD kLookAgainMs = 100; // a window may also go without a word
    DWORD progress = GetTickCount();
    bool quiet = false;
    for (;;) {
        for (uint32_t call : answers)
            for (Sent& s : sent_)
                if (s.call == call) s.call = 0;
        answers.clear();
        bool open = false;
        for (Sent& s : sent_) {
            bool given = false;
            for (uintptr_t t : silent_)
                given = given || t == s.thread;
            if ((only && s.window != only) || s.done || given) continue;
            // Not answered yet, and not gone without a word.
            if (s.call && (!quiet || IsWindow(s.window))) {
                open = true;
                continue;
            }
            const bool there = IsWindow(s.window) != FALSE;
            const bool visible = there && visibilityRead(s.window);
            Screens.Pending.Judge(Key(s.window), there, visible);
            progress = GetTickCount();
            // A program that talks to us while it carries the request out answers
            // from inside it: asked again, it answers once it is through.
            if (there && visible != s.visible && s.rounds++ < 2 &&
                (s.call = AskForAnswer(s.window))) {
                open = true;
                continue;
            }
            s.done = true;
        }
        if (!open) return true;
        const DWORD waited = GetTickCount() - progress;
        if (waited >= maxMs) {
            for (const Sent& s : sent_)
                if (!s.done && (!only || s.window == only)) silent_.push_back(s.thread);
            return false;
        }
        quiet = !WaitForSentMessages(std::min(maxMs - waited, kLookAgainMs));
    }
}
