#include "screens/TickDelay.h"
#include <windows.h>
#include <gtest/gtest.h>

namespace {
struct Dispatch {
    int calls = 0;
    int timerMessages = 0;
};
void DispatchPending(void* data) {
    auto* d = static_cast<Dispatch*>(data);
    ++d->calls;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER) ++d->timerMessages;
        DispatchMessageA(&msg);
    }
}
} // namespace

TEST(DelayWithMessagesOnWindows, WaitsTheTimeAndKeepsMessagesFlowing) {
    Dispatch d;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, nullptr);
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    DelayWithMessages(500, DispatchPending, &d);
    QueryPerformanceCounter(&end);
    KillTimer(nullptr, timer);
    double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                static_cast<double>(freq.QuadPart);
    // The tick counter may step in coarse units; allow for its granularity.
    EXPECT_GE(ms, 480.0);
    EXPECT_LT(ms, 2000.0);
    EXPECT_GT(d.calls, 1);
    EXPECT_GE(d.timerMessages, 3); // messages were dispatched during the wait
}
