// Waiting on the tick counter, which wraps at 2^32, with a counter of our own.
#include "screens/TickDelay.h"
#include <gtest/gtest.h>

namespace {
struct FakeClock {
    uint32_t now;
    uint32_t step;
    int pumps = 0;
};
uint32_t ReadClock(void* d) {
    return static_cast<FakeClock*>(d)->now;
}
void Pump(void* d) {
    auto* c = static_cast<FakeClock*>(d);
    ++c->pumps;
    c->now += c->step;
}
} // namespace

TEST(TickDelay, WaitsTheFullTimeAcrossTheWrap) {
    EXPECT_EQ(ElapsedTicks(100, 600), 500u);
    EXPECT_EQ(ElapsedTicks(0xFFFFFF00u, 0x000000F4u), 500u);
    EXPECT_EQ(ElapsedTicks(0x7FFFFFFFu, 0x800001F3u), 500u);

    for (uint32_t start : {0u, 0x80000000u, 0xFFFFFFFFu - 250u, 0xFFFFFFFFu}) {
        FakeClock clock{start, 10};
        WaitTicks(500, {ReadClock, Pump, &clock});
        EXPECT_EQ(clock.now - start, 500u) << start;
        EXPECT_EQ(clock.pumps, 50) << start;
    }
    // Nothing to wait for still gives the messages one turn.
    FakeClock idle{5, 1};
    WaitTicks(0, {ReadClock, Pump, &idle});
    EXPECT_EQ(idle.pumps, 1);
}
