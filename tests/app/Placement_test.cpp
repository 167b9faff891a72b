#include "app/Placement.h"
#include <gtest/gtest.h>

namespace {
constexpr int32_t W = 1024, H = 768, kHeight = 23;

StripPlace Keep(int32_t left, int32_t top, int32_t thickness = 30) {
    return KeepOnScreen({left, top}, kStripWidth, kHeight, W, H, thickness);
}
} // namespace

TEST(Placement, TaskbarThicknessIsTheSmallerSide) {
    ScreenRect bottom{0, 738, 1024, 768};
    EXPECT_EQ(TaskbarThickness(&bottom), 30);
    ScreenRect left{0, 0, 60, 768};
    EXPECT_EQ(TaskbarThickness(&left), 60);
    ScreenRect square{10, 10, 50, 50};
    EXPECT_EQ(TaskbarThickness(&square), 40);
    ScreenRect offset{-2, 746, 1026, 770}; // partly off screen, as some shells place it
    EXPECT_EQ(TaskbarThickness(&offset), 24);
    EXPECT_EQ(TaskbarThickness(nullptr), 0);
}

TEST(Placement, DefaultPlaceSitsAboveTheTaskbar) {
    EXPECT_EQ(DefaultLeft(W, kStripWidth), 902);
    EXPECT_EQ(DefaultTop(H, kHeight, 30), 715);
    // A taskbar on the left still takes its thickness off the bottom.
    ScreenRect left{0, 0, 60, 768};
    EXPECT_EQ(DefaultTop(H, kHeight, TaskbarThickness(&left)), 685);
    EXPECT_EQ(DefaultTop(H, kHeight, TaskbarThickness(nullptr)), 745);
    // The default itself passes the checks unchanged.
    StripPlace d = Keep(902, 715);
    EXPECT_EQ(d.left, 902);
    EXPECT_EQ(d.top, 715);
}

TEST(Placement, StoredLeftIsKeptOnScreen) {
    EXPECT_EQ(Keep(-20, 100).left, 0);
    EXPECT_EQ(Keep(1000, 100).left, 902); // 1024 - 49 = 975 < 1000
    EXPECT_EQ(Keep(976, 100).left, 902);
    EXPECT_EQ(Keep(975, 100).left, 975); // may stand half its width past the edge
    EXPECT_EQ(Keep(970, 100).left, 970);
    EXPECT_EQ(Keep(0, 100).left, 0);
}

TEST(Placement, StoredTopIsKeptOnScreen) {
    EXPECT_EQ(Keep(100, 760).top, 715); // 768 - 23 = 745 < 760: back to the default
    EXPECT_EQ(Keep(100, 746, 60).top, 685);
    EXPECT_EQ(Keep(100, 745).top, 745);
    EXPECT_EQ(Keep(100, 0).top, 0);
    StripPlace corner = Keep(-5, -5);
    EXPECT_EQ(corner.left, 0);
    EXPECT_EQ(corner.top, 0);
    // Far-off values from a damaged store come back too.
    StripPlace far = Keep(INT32_MAX, INT32_MAX);
    EXPECT_EQ(far.left, 902);
    EXPECT_EQ(far.top, 715);
    StripPlace low = Keep(INT32_MIN, INT32_MIN);
    EXPECT_EQ(low.left, 0);
    EXPECT_EQ(low.top, 0);
}

TEST(Placement, ChecksRunInTheirOrderOnASmallScreen) {
    // A screen narrower than the strip: the default left is negative and, coming
    // after the negative check, stays negative.
    StripPlace p = KeepOnScreen({500, 500}, kStripWidth, kHeight, 100, 40, 20);
    EXPECT_EQ(p.left, 100 - 122);
    EXPECT_EQ(p.top, 40 - 43);
}
