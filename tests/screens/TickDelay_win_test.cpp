// The pause of the program's end on the real tick counter, with messages flowing,
// and on a counter that wraps at 2^32 during the pause.
#include "screens/QuitRestore.h"
#include <windows.h>
#include <gtest/gtest.h>

namespace {
int timerCalls;
void CALLBACK CountTimer(HWND, UINT, UINT_PTR, DWORD) {
    ++timerCalls;
}

uint32_t fakeTicks;
uint32_t FakeCounter() {
    return fakeTicks += 7;
}
} // namespace

TEST(DelayWithMessages, WaitsTheTimeAndKeepsMessagesFlowing) {
    timerCalls = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CountTimer);
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    DelayWithMessages(500);
    QueryPerformanceCounter(&end);
    KillTimer(nullptr, timer);
    double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                static_cast<double>(freq.QuadPart);
    // The tick counter may step in coarse units; allow for its granularity.
    EXPECT_GE(ms, 480.0);
    EXPECT_LT(ms, 2000.0);
    EXPECT_GE(timerCalls, 3) << "messages were dispatched during the wait";
}

TEST(DelayWithMessages, TheWrapOfTheTickCounterNeitherShortensNorLengthensTheWait) {
    for (uint32_t first : {0xFFFFFF00u, 0x7FFFFFF0u, 0xFFFFFFFFu}) {
        fakeTicks = first;
        TickCounterFn old = SetTickCounter(FakeCounter);
        DelayWithMessages(500);
        SetTickCounter(old);
        uint32_t waited = fakeTicks - first; // the counter ran this far
        EXPECT_GE(waited, 500u) << std::hex << first;
        EXPECT_LT(waited, 520u) << std::hex << first;
    }
}
