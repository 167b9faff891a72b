#include "settings/Settings.h"
#include "settings/Transparency.h"
#include "ui/Services_win.h"
#include <gtest/gtest.h>
#include <windows.h>

namespace {
// A plain visible top-level window of the test stands in for the strip's form.
class TransparencyTest : public ::testing::Test {
  protected:
    HWND window = nullptr;
    void SetUp() override {
        window = CreateWindowExA(0, "STATIC", "alpha target", WS_POPUP | WS_VISIBLE, 10, 10, 99, 23,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        SetAlphaWindowSource([](void* w) { return w; }, window);
        LayeredSupported = true;
        TransparencyOn = false;
    }
    void TearDown() override {
        SetAlphaWindowSource(nullptr, nullptr);
        DestroyWindow(window);
        LayeredSupported = false;
        TransparencyOn = false;
    }
    bool IsLayered() const { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
    // The alpha the window has, or -1 when it has no alpha attribute.
    int Alpha() const {
        BYTE alpha = 0;
        DWORD flags = 0;
        if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags)) return -1;
        return (flags & LWA_ALPHA) ? alpha : -1;
    }
};
} // namespace

TEST(VersionChecksHere, ThisSystemHasLayeredWindowsOnNT) {
    // Wine reports an NT-family Windows of version 5 or later.
    EXPECT_TRUE(IsLayeredSupported());
    EXPECT_TRUE(IsNTPlatform());
}

TEST_F(TransparencyTest, ApplyMakesTheWindowLayeredAndTranslucent) {
    ASSERT_FALSE(IsLayered());
    ApplyTransparency();
    EXPECT_TRUE(IsLayered());
    EXPECT_EQ(Alpha(), 115);
    RemoveTransparency();
    EXPECT_TRUE(IsLayered());
    EXPECT_EQ(Alpha(), 255);
}

TEST_F(TransparencyTest, ToggleFlipsTheFlagAndKeepsTheWindowLayered) {
    ToggleTransparency();
    EXPECT_TRUE(TransparencyOn);
    EXPECT_EQ(Alpha(), 115);
    ToggleTransparency();
    EXPECT_FALSE(TransparencyOn);
    EXPECT_TRUE(IsLayered());
    EXPECT_EQ(Alpha(), 255);
    ToggleTransparency();
    EXPECT_TRUE(TransparencyOn);
    EXPECT_EQ(Alpha(), 115);
}

TEST_F(TransparencyTest, WithoutLayeredSupportNothingChanges) {
    LayeredSupported = false;
    TransparencyOn = true;
    ApplyTransparency();
    EXPECT_FALSE(IsLayered());
    // A stored "on" stays on, to be saved back unchanged.
    ToggleTransparency();
    EXPECT_TRUE(TransparencyOn);
    EXPECT_FALSE(IsLayered());
}

TEST_F(TransparencyTest, TheTargetIsAskedForAtEveryCall) {
    HWND later = CreateWindowExA(0, "STATIC", "later target", WS_POPUP | WS_VISIBLE, 10, 40, 99, 23,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(later, nullptr);
    static HWND current;
    current = window;
    SetAlphaWindowSource([](void*) -> void* { return current; }, nullptr);
    ApplyTransparency();
    current = later;
    RemoveTransparency();
    EXPECT_EQ(Alpha(), 115);
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(later, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    DestroyWindow(later);
}
