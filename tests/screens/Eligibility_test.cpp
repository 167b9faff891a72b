#include "screens/Eligibility.h"
#include <gtest/gtest.h>

TEST(Eligibility, StyleRulesInTheirOrder) {
    const uint32_t visibleOverlapped = 0x10CF0000;
    EXPECT_TRUE(StyleIsEligible(visibleOverlapped, 0));
    EXPECT_FALSE(StyleIsEligible(visibleOverlapped, kExStyleToolWindow));
    EXPECT_FALSE(StyleIsEligible(visibleOverlapped | kStyleDisabled, 0));
    EXPECT_FALSE(StyleIsEligible(visibleOverlapped | kStyleDisabled, kExStyleToolWindow));
    // An unreadable style word (0) takes part even as a tool window.
    EXPECT_TRUE(StyleIsEligible(0, kExStyleToolWindow));
    EXPECT_TRUE(StyleIsEligible(0, 0xFFFFFFFF));
}

TEST(Eligibility, OnlyTheExactNameProtectsAWindow) {
    EXPECT_TRUE(TitleProtectsWindow("Paravue"));
    EXPECT_TRUE(TitleProtectsWindow("notes - Paravue help"));
    EXPECT_FALSE(TitleProtectsWindow("paravue"));
    EXPECT_FALSE(TitleProtectsWindow("PARAVUE"));
    EXPECT_FALSE(TitleProtectsWindow("Para vue"));
    EXPECT_FALSE(TitleProtectsWindow(""));
    EXPECT_FALSE(TitleProtectsWindow(nullptr));
}

TEST(Eligibility, ScreenNumbers) {
    EXPECT_EQ(OtherScreen(1), 2);
    EXPECT_EQ(OtherScreen(2), 1);
    EXPECT_EQ(OtherScreen(0), 1);
    EXPECT_EQ(OtherScreen(3), 1);
    EXPECT_EQ(ScreenDigit(1), '1');
    EXPECT_EQ(ScreenDigit(2), '2');
    EXPECT_EQ(ScreenDigit(0), '2');
}
