#include "app/Placement.h"
#include <windows.h>
#include <gtest/gtest.h>

TEST(PlacementOnWindows, ThicknessOfTheShellTaskbar) {
    // The test desktop is 1024 x 768 with a 20-pixel taskbar along the bottom.
    ASSERT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr) << "no shell desktop";
    int32_t thickness = ReadTaskbarThickness();
    EXPECT_EQ(thickness, 20);
}
