// Timers: each a SetTimer on one hidden window that all timers share.
#include "ui/Control.h"
#include "ui/LayerInternal.h"

using namespace layer;

namespace {
int32_t liveTimers = 0;
Control* timerWindow = nullptr;
// The timers that exist, so that a late tick never reaches a freed one.
ObjectList* timers = nullptr;

VOID CALLBACK TimerRoutine(HWND, UINT, UINT_PTR identity, DWORD) {
    if (err::FatalErrorPending()) return; // the program is ending with a report
    Guarded([identity] {
        auto* t = reinterpret_cast<Timer*>(identity);
        if (timers && ListIndexOf(timers, t) >= 0 && t->enabled) t->OnTimer(t);
    });
}

HWND SharedTimerWindow() {
    if (!timerWindow) {
        timerWindow = new Control();
        timerWindow->className = "";
        timerWindow->style = 0;
        timerWindow->visible = false;
        timerWindow->noIcon = true;
        timerWindow->CreateWnd();
    }
    return timerWindow->handle;
}
} // namespace

Control* TimerWindow() {
    return timerWindow;
}

Timer* CreateTimer(int32_t interval) {
    auto* t = new Timer();
    t->interval = interval > 0 ? static_cast<uint32_t>(interval) : 1000;
    ++liveTimers;
    if (!timers) timers = CreateList();
    ListAdd(timers, t);
    return t;
}

void Timer::SetEnabled(bool on) {
    if (enabled == on) return;
    if (on) {
        HWND w = SharedTimerWindow();
        if (!w) return;
        timerId = SetTimer(w, reinterpret_cast<UINT_PTR>(this), interval, TimerRoutine);
        enabled = timerId != 0;
    } else {
        if (timerId && timerWindow && timerWindow->handle)
            KillTimer(timerWindow->handle, reinterpret_cast<UINT_PTR>(this));
        timerId = 0;
        enabled = false;
    }
}

Timer* TimerSetEnabled(Timer* timer, bool on) {
    if (timer) timer->SetEnabled(on);
    return timer;
}

void Timer::Destroy() {
    SetEnabled(false);
    DestroyBasePart();
    if (timers) {
        ListRemove(timers, this);
        if (timers->count == 0) {
            FreeObject(timers);
            timers = nullptr;
        }
    }
    if (--liveTimers <= 0) {
        liveTimers = 0;
        Control* w = timerWindow;
        timerWindow = nullptr;
        FreeObject(w);
    }
    delete this;
}
