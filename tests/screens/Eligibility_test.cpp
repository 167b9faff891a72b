#include "screens/Eligibility.h"
#include "errors/WinValues.h"
#include <gtest/gtest.h>

TEST(Eligibility, StyleRulesInTheirOrder) {
    const uint32_t visibleOverlapped = 0x10CF0000;
    EXPECT_TRUE(StyleIsEligible(visibleOverlapped, 0));
    EXPECT_FALSE(StyleIsEligible(visibleOverlapped, kWS_EX_TOOLWINDOW));
    EXPECT_FALSE(StyleIsEligible(visibleOverlapped | kWS_DISABLED, 0));
    EXPECT_FALSE(StyleIsEligible(visibleOverlapped | kWS_DISABLED, kWS_EX_TOOLWINDOW));
    // An unreadable style word (0) takes part even as a tool window.
    EXPECT_TRUE(StyleIsEligible(0, kWS_EX_TOOLWINDOW));
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

TEST(Eligibility, ClassifierGivesTheFirstRuleAWindowFails) {
    const uint32_t overlapped = 0x10CF0000;
    auto facts = [&](auto change) {
        WindowFacts f;
        f.visible = true;
        f.title = "Report - Editor";
        f.style = overlapped;
        f.className = "EditorFrame";
        change(f);
        return f;
    };
    struct Case {
        const char* what;
        WindowFacts facts;
        WindowVerdict want;
    } cases[] = {
        {"an ordinary window", facts([](WindowFacts&) {}), WindowVerdict::TakesPart},
        {"hidden", facts([](WindowFacts& f) { f.visible = false; }), WindowVerdict::Hidden},
        {"hidden wins over the rest",
         facts([](WindowFacts& f) { f.visible = false, f.hasParent = true, f.title = "Paravue"; }),
         WindowVerdict::Hidden},
        {"owned pop-up", facts([](WindowFacts& f) { f.hasParent = true; }),
         WindowVerdict::HasParent},
        {"an owner alone does not keep it out", facts([](WindowFacts& f) { f.owner = 0x1234; }),
         WindowVerdict::TakesPart},
        {"named", facts([](WindowFacts& f) { f.title = "x Paravue y"; }),
         WindowVerdict::NamedParavue},
        {"tool window", facts([](WindowFacts& f) { f.exStyle = kWS_EX_TOOLWINDOW; }),
         WindowVerdict::ToolWindow},
        {"disabled", facts([](WindowFacts& f) { f.style |= kWS_DISABLED; }),
         WindowVerdict::Disabled},
        {"disabled tool window",
         facts([](WindowFacts& f) { f.style |= kWS_DISABLED, f.exStyle = kWS_EX_TOOLWINDOW; }),
         WindowVerdict::ToolWindow},
        {"unreadable style",
         facts([](WindowFacts& f) { f.style = 0, f.exStyle = kWS_EX_TOOLWINDOW; }),
         WindowVerdict::TakesPart},
        {"taskbar that is no tool window",
         facts([](WindowFacts& f) { f.className = "Shell_TrayWnd"; }), WindowVerdict::Shell},
        {"second taskbar", facts([](WindowFacts& f) { f.className = "Shell_SecondaryTrayWnd"; }),
         WindowVerdict::Shell},
        {"taskbar with an unreadable style",
         facts([](WindowFacts& f) { f.className = "Shell_TrayWnd", f.style = 0; }),
         WindowVerdict::Shell},
        {"class names are exact", facts([](WindowFacts& f) { f.className = "shell_traywnd"; }),
         WindowVerdict::TakesPart},
        {"the shell's desktop window", facts([](WindowFacts& f) { f.isShellWindow = true; }),
         WindowVerdict::Shell},
        {"cloaked", facts([](WindowFacts& f) { f.cloaked = true; }), WindowVerdict::Cloaked},
        {"cloaked wins over a pop-up's owner",
         facts([](WindowFacts& f) { f.cloaked = true, f.hasParent = true; }),
         WindowVerdict::Cloaked},
        {"hidden and cloaked is hidden",
         facts([](WindowFacts& f) { f.visible = false, f.cloaked = true; }), WindowVerdict::Hidden},
        {"a hide that did not take", facts([](WindowFacts& f) { f.untouchable = true; }),
         WindowVerdict::Untouchable},
        {"cloaked before untouchable",
         facts([](WindowFacts& f) { f.cloaked = true, f.untouchable = true; }),
         WindowVerdict::Cloaked},
        {"its program's rule keeps it on every screen",
         facts([](WindowFacts& f) { f.everyScreen = true, f.hasParent = true; }),
         WindowVerdict::EveryScreen},
        {"hidden, a window of such a program is hidden",
         facts([](WindowFacts& f) { f.visible = false, f.everyScreen = true; }),
         WindowVerdict::Hidden},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyWindow(c.facts), c.want) << c.what;
}
