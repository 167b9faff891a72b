#include "settings/Transparency.h"
#include "ui/Services.h"
#include <gtest/gtest.h>

TEST(VersionChecks, LayeredWindowsNeedMajorVersionFive) {
    EXPECT_FALSE(LayeredSupportedFor(true, 4));
    EXPECT_TRUE(LayeredSupportedFor(true, 5));
    EXPECT_TRUE(LayeredSupportedFor(true, 6));
    EXPECT_TRUE(LayeredSupportedFor(true, 10));
    EXPECT_FALSE(LayeredSupportedFor(false, 6));
}

TEST(VersionChecks, OnlyPlatformTwoIsNT) {
    EXPECT_TRUE(NTPlatformFor(true, 2));
    EXPECT_FALSE(NTPlatformFor(true, 1));
    EXPECT_FALSE(NTPlatformFor(true, 0));
    EXPECT_FALSE(NTPlatformFor(false, 2));
}

TEST(AlphaTarget, TheSourceIsAskedOnEveryCall) {
    static int asked;
    static int windows[2];
    asked = 0;
    SetAlphaWindowSource(
        [](void* data) -> void* {
            int call = (*static_cast<int*>(data))++;
            return &windows[call];
        },
        &asked);
    EXPECT_EQ(AlphaWindow(), &windows[0]);
    EXPECT_EQ(AlphaWindow(), &windows[1]);
    EXPECT_EQ(asked, 2);

    SetAlphaWindowSource(nullptr, nullptr);
    EXPECT_EQ(AlphaWindow(), nullptr);
}
