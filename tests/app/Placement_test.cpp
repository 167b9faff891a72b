#include "app/Placement.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int32_t W = 1024, H = 768;

// One 1024 x 768 monitor at 96 dpi whose taskbar is thickness pixels thick.
StripPlace Keep(int32_t left, int32_t top, int32_t thickness = 30) {
    const MonitorFacts one{{0, 0, W, H}, 96, thickness, true};
    return KeepOnMonitors({left, top}, 96, &one, 1).place;
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
    const auto home = [](int32_t thickness) {
        const MonitorFacts one{{0, 0, W, H}, 96, thickness, true};
        return DefaultStripPlace(&one, 1).place;
    };
    EXPECT_EQ(home(30).left, 902);
    EXPECT_EQ(home(30).top, 715);
    // A taskbar on the left still takes its thickness off the bottom.
    ScreenRect left{0, 0, 60, 768};
    EXPECT_EQ(home(TaskbarThickness(&left)).top, 685);
    EXPECT_EQ(home(TaskbarThickness(nullptr)).top, 745);
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
    // after the check for the left edge, stays negative.
    const MonitorFacts small{{0, 0, 100, 40}, 96, 20, true};
    StripPlace p = KeepOnMonitors({500, 500}, 96, &small, 1).place;
    EXPECT_EQ(p.left, 100 - 122);
    EXPECT_EQ(p.top, 40 - 43);
}

namespace {
// A primary 1920 x 1080 monitor at 96 dpi with a 40-pixel taskbar.
const MonitorFacts kPrimary{{0, 0, 1920, 1080}, 96, 40, true};

StripLayout KeepOn(std::vector<MonitorFacts> monitors, int32_t left, int32_t top, int dpi = 96) {
    return KeepOnMonitors({left, top}, dpi, monitors.data(), static_cast<int>(monitors.size()));
}
} // namespace

TEST(PlacementOnMonitors, TheMonitorHoldingMostOfTheStripDecidesItsPlaceAndScale) {
    const MonitorFacts left{{-1280, 0, 0, 1024}, 144, 0, false};  // left of the primary
    const MonitorFacts above{{0, -1080, 1920, 0}, 120, 0, false}; // above it
    const MonitorFacts right{{1920, 0, 3840, 768}, 192, 48, false};
    const std::vector<MonitorFacts> all{left, kPrimary, above, right};
    struct Row {
        const char* what;
        int32_t left, top;
        int32_t wantLeft, wantTop, wantDpi;
    } rows[] = {
        {"inside the left monitor: stays, at its scale", -600, 500, -600, 500, 144},
        {"past the left monitor's left edge", -1300, 500, -1280, 500, 144},
        {"low on the left monitor: its default top", -600, 1020, -600, 1024 - 35, 144},
        {"inside the monitor above", 100, -50, 100, -50, 120},
        {"above the monitor above", 100, -1100, 100, -1080, 120},
        {"right edge of the right monitor: its default left at 2x", 3830, 100, 3840 - (198 + 46),
         100, 192},
        {"below the right monitor, which is shorter: its default top above its bar", 2500, 760,
         2500, 768 - (46 + 48), 192},
        {"across primary and right, more on the primary", 1860, 700, 1860, 700, 96},
        {"across primary and right, more on the right: onto it", 1900, 700, 1920, 700, 192},
        {"partly off every monitor, at the primary's bottom right", 1900, 1070, 1798, 1080 - 63,
         96},
    };
    for (const Row& r : rows) {
        const StripLayout got = KeepOn(all, r.left, r.top);
        EXPECT_EQ(got.place.left, r.wantLeft) << r.what;
        EXPECT_EQ(got.place.top, r.wantTop) << r.what;
        EXPECT_EQ(got.dpi, r.wantDpi) << r.what;
    }
    // The default stays on the primary monitor, whatever its place in the list.
    const StripLayout d = DefaultStripPlace(all.data(), 4);
    EXPECT_EQ(d.place.left, 1920 - 122);
    EXPECT_EQ(d.place.top, 1080 - 63);
    EXPECT_EQ(d.dpi, 96);
}

TEST(PlacementOnMonitors, AStripLeftOnAMonitorThatWentComesToTheNearestOne) {
    const MonitorFacts left{{-1280, 0, 0, 1024}, 144, 0, false};
    const std::vector<MonitorFacts> before{left, kPrimary}, after{kPrimary};
    EXPECT_TRUE(StripShown({-600, 500}, 144, before.data(), 2));
    EXPECT_FALSE(StripShown({-600, 500}, 144, after.data(), 1));
    EXPECT_FALSE(StripShown({1920, 500}, 96, after.data(), 1)) << "touching is not showing";
    EXPECT_TRUE(StripShown({1919, 1079}, 96, after.data(), 1));

    StripLayout got = KeepOn(after, -600, 500, 144);
    EXPECT_EQ(got.place.left, 0);
    EXPECT_EQ(got.place.top, 500);
    EXPECT_EQ(got.dpi, 96) << "laid out again at the primary's scale";
    got = KeepOn(after, 2500, 1500); // below right of everything
    EXPECT_EQ(got.place.left, 1798);
    EXPECT_EQ(got.place.top, 1017);
    EXPECT_EQ(MonitorOf({2000, 300, 2099, 323}, before.data(), 2), 1) << "the nearest";
    EXPECT_EQ(MonitorOf({0, 0, 1, 1}, nullptr, 0), -1);
    got = KeepOn({}, -600, 500, 144);
    EXPECT_EQ(got.place.left, -600) << "no monitors known: nothing to keep it on";
}
