#include "app/Placement.h"
#include <windows.h>
#include <gtest/gtest.h>

TEST(PlacementOnWindows, ThicknessOfTheShellTaskbar) {
    // The test desktop is 1024 x 768 with a 20-pixel taskbar along the bottom.
    ASSERT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr) << "no shell desktop";
    int32_t thickness = ReadTaskbarThickness();
    EXPECT_EQ(thickness, 20);
}

TEST(PlacementOnWindows, TheRealMonitorIsReadAsTheOnePrimaryMonitorWithItsTaskbar) {
    // The reader a test may have replaced goes back to the system's.
    SetMonitorReader(nullptr);
    const std::vector<MonitorFacts> monitors = ReadMonitors();
    ASSERT_EQ(1u, monitors.size());
    const MonitorFacts& m = monitors[0];
    EXPECT_TRUE(m.primary);
    EXPECT_EQ(0, m.rect.left);
    EXPECT_EQ(0, m.rect.top);
    EXPECT_EQ(1024, m.rect.right);
    EXPECT_EQ(768, m.rect.bottom);
    EXPECT_EQ(20, m.reserved);
    EXPECT_EQ(96, m.dpi);
}
