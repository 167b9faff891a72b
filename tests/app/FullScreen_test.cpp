#include "app/FullScreen.h"
#include <gtest/gtest.h>

TEST(FullScreen, OnlyAShownWindowOfAnotherProgramThatCoversItsWholeMonitorCounts) {
    const ScreenRect monitor{0, 0, 1024, 768}, second{1024, 0, 2944, 1080};
    auto facts = [&](ScreenRect window, ScreenRect on) {
        return ForegroundFacts{window, on, false, false, true, false};
    };
    struct Case {
        const char* what;
        ForegroundFacts f;
        bool want;
    } cases[] = {
        {"exactly the monitor", facts({0, 0, 1024, 768}, monitor), true},
        {"past every edge", facts({-8, -8, 1032, 776}, monitor), true},
        {"the work area only: the taskbar shows", facts({0, 0, 1024, 748}, monitor), false},
        {"one pixel short on the left", facts({1, 0, 1024, 768}, monitor), false},
        {"one pixel short at the top", facts({0, 1, 1024, 768}, monitor), false},
        {"one pixel short on the right", facts({0, 0, 1023, 768}, monitor), false},
        {"one pixel short at the bottom", facts({0, 0, 1024, 767}, monitor), false},
        {"one pixel short at the top of the second", facts({1024, 1, 2944, 1080}, second), false},
        {"one pixel short on the right of the second", facts({1024, 0, 2943, 1080}, second), false},
        {"the second monitor, whole", facts({1024, 0, 2944, 1080}, second), true},
        {"the first monitor's size on the second", facts({0, 0, 1024, 768}, second), false},
        {"an unread monitor", facts({0, 0, 1024, 768}, {0, 0, 0, 0}), false},
        {"the desktop", {{0, 0, 1024, 768}, monitor, true, false, true, false}, false},
        {"a window of ours", {{0, 0, 1024, 768}, monitor, false, true, true, false}, false},
        {"hidden or minimised", {{0, 0, 1024, 768}, monitor, false, false, false, false}, false},
        {"maximised with a title bar",
         {{-8, -8, 1032, 776}, monitor, false, false, true, true},
         false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.want, CoversScreen(c.f)) << c.what;
}
