#include "screens/InputChoice.h"
#include <gtest/gtest.h>

TEST(InputChoice, TheWindowThatHadTheInputElseTheTopUsableOneElseTheDesktop) {
    struct Case {
        const char* what;
        std::vector<InputCandidate> topFirst;
        uintptr_t want;
    } cases[] = {
        {"no windows: the desktop", {}, 0},
        {"the one that had it, below the top",
         {{1, false, true}, {2, true, true}, {3, false, true}},
         2},
        {"it had it but is gone: the top one", {{1, false, true}, {2, true, false}}, 1},
        {"the top one is gone too: the next",
         {{1, false, false}, {2, true, false}, {3, false, true}},
         3},
        {"none had it: the top one", {{4, false, true}, {5, false, true}}, 4},
        {"nothing usable: the desktop", {{1, true, false}, {2, false, false}}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.want, ChooseInputWindow(c.topFirst)) << c.what;
}
