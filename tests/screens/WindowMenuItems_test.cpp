#include "screens/WindowMenuItems.h"
#include "screens/WindowGroups.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(WindowMenuItems, VisibilityDecidesPlaceAndCaption) {
    WindowItemPlan shown = PlanWindowItem(1, true, false, "Notes");
    EXPECT_EQ(shown.place, ItemPlace::Top);
    EXPECT_EQ(shown.caption, "Move 1: Notes, to other screen");
    // Visible wins even for a window also remembered for the other screen.
    EXPECT_EQ(PlanWindowItem(2, true, true, "Notes").caption, "Move 2: Notes, to other screen");

    WindowItemPlan hidden = PlanWindowItem(2, false, true, std::string(41, 't'));
    EXPECT_EQ(hidden.place, ItemPlace::End);
    EXPECT_EQ(hidden.caption, "Move 1: " + std::string(39, 't') + ".., to this screen");
    EXPECT_EQ(PlanWindowItem(1, false, true, "x").caption, "Move 2: x, to this screen");

    WindowItemPlan stranger = PlanWindowItem(1, false, false, "Hidden by its program");
    EXPECT_EQ(stranger.place, ItemPlace::None);
    EXPECT_TRUE(stranger.caption.empty());
}

TEST(WindowMenuItems, EachGroupIsListedOnceByItsMainWindow) {
    // 10 owns 11 and 12; 20 owns 21, which owns 22; 30's owner 99 is not shown.
    const std::vector<GroupCandidate> shown = {
        {10, 0}, {11, 10}, {12, 10}, {20, 0}, {21, 20}, {22, 21}, {30, 99},
    };
    std::vector<uintptr_t> mains;
    for (const GroupMember& m : GroupWindows(shown))
        if (m.main == m.handle) mains.push_back(m.handle);
    EXPECT_EQ(mains, (std::vector<uintptr_t>{30, 20, 10}));
}
