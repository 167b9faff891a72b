// Switching screens from the real strip: captions and hint, other programs' windows
// going and coming back, the guard of the switch button, and programs that have
// stopped answering.
#include "screens/Switching.h"
#include "screens/WindowCommands.h"
#include "support/StripFixture.h"
#include <algorithm>

using StripSwitch = StripTest;

TEST_F(StripSwitch, OneSwitchFlipsTheCaptionsAndLeavesTheButtonOneNewHint) {
    HWND button = GetHandle(strip->SwitchButton);
    ClickSwitch();
    EXPECT_EQ(Screens.Current(), 2);
    EXPECT_EQ(TextOf(GetHandle(strip->ScreenNumberLabel)), "2");
    EXPECT_EQ(TextOf(button), "1");
    std::multimap<HWND, std::string> hints = Hints(strip->ToolTipWindow);
    EXPECT_EQ(hints.size(), 5u);
    ASSERT_EQ(hints.count(button), 1u) << "the old hint is gone";
    EXPECT_EQ(hints.find(button)->second, " Switch to screen 1 ");

    ClickSwitch();
    EXPECT_EQ(Screens.Current(), 1);
    EXPECT_EQ(TextOf(GetHandle(strip->ScreenNumberLabel)), "1");
    EXPECT_EQ(TextOf(button), "2");
    hints = Hints(strip->ToolTipWindow);
    EXPECT_EQ(hints.size(), 5u);
    ASSERT_EQ(hints.count(button), 1u);
    EXPECT_EQ(hints.find(button)->second, " Switch to screen 2 ");
}

TEST_F(StripSwitch, TwoSwitchesBringBackWhatTheFirstHidInRecordingOrderOwnersFirst) {
    OtherProgram prog(Family("Two switches", {{"b", "v", "", "Two switches B"},
                                              {"tool", "vt", "", "Two switches tool window"}}));
    ASSERT_TRUE(prog.started());
    const std::vector<std::string> names{"a", "owner", "owned", "b", "tool", "asleep"};
    ASSERT_EQ(Visibility(prog, names), "a+ owner+ owned+ b+ tool+ asleep- ");

    ClickSwitch();
    EXPECT_EQ(Visibility(prog, names), "a- owner- owned- b- tool+ asleep- ");
    const std::vector<std::string> recorded = RecordedNames(1, prog, names);
    // a, owned and b are recorded; the owner once at most, as it may be hidden along
    // with the window it owns before the enumeration reaches it.
    std::vector<std::string> others = recorded;
    std::erase(others, "owner");
    std::sort(others.begin(), others.end());
    EXPECT_EQ(others, (std::vector<std::string>{"a", "b", "owned"}));
    EXPECT_LE(std::count(recorded.begin(), recorded.end(), "owner"), 1);
    // The owner always goes before what it owns.
    std::vector<std::string> hides = HiddenNames(prog);
    auto ownerHide = std::find(hides.begin(), hides.end(), "owner");
    auto ownedHide = std::find(hides.begin(), hides.end(), "owned");
    EXPECT_TRUE(ownerHide < ownedHide);

    ClickSwitch();
    EXPECT_EQ(Visibility(prog, names), "a+ owner+ owned+ b+ tool+ asleep- ");
    EXPECT_EQ(ListCount(1), 0);
    EXPECT_EQ(ListCount(2), 0);
    EXPECT_TRUE(IsWindowVisible(FindWindowA("Shell_TrayWnd", nullptr)));

    // Each shown once, the owner before what it owns; the group that gets the input
    // may come first, the rest in the order recorded.
    std::vector<std::string> shown = ShownNames(prog);
    std::vector<std::string> sorted = shown;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"a", "b", "owned", "owner"}));
    EXPECT_TRUE(std::find(shown.begin(), shown.end(), "owner") <
                std::find(shown.begin(), shown.end(), "owned"));
}

TEST_F(StripSwitch, AWindowClosedWhileHiddenIsReplacedByItsNamesake) {
    OtherProgram prog({
        {"closing", "v", "", "Minutes.txt - Editor"},
        {"gone", "v", "", "Closed for good"},
        {"stays", "v", "", "Stays open"},
    });
    ASSERT_TRUE(prog.started());
    ClickSwitch();
    ASSERT_FALSE(IsWindowVisible(prog.Window("closing")));
    PostMessageA(prog.Window("closing"), WM_APP + 2, 0, 0);
    PostMessageA(prog.Window("gone"), WM_APP + 2, 0, 0);
    ASSERT_TRUE(WaitFor(
        [&] { return !IsWindow(prog.Window("closing")) && !IsWindow(prog.Window("gone")); }));
    // The program opens a new window with the same title, hidden so far.
    OtherProgram again({{"namesake", "", "", "Minutes.txt - Editor"}});
    ASSERT_TRUE(again.started());

    ClickSwitch();
    EXPECT_TRUE(IsWindowVisible(again.Window("namesake")));
    EXPECT_TRUE(IsWindowVisible(prog.Window("stays")));
    EXPECT_EQ(ListCount(2), 0) << "the dead entries are released too";
}

TEST_F(StripSwitch, AProgramThatStopsAnsweringDoesNotHoldUpTheSwitch) {
    OtherProgram stuck({{"stuck", "v", "", "Busy program"}});
    OtherProgram awake({{"awake", "v", "", "Quick program"}});
    ASSERT_TRUE(stuck.started() && awake.started());
    HWND busy = stuck.Window("stuck");

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const bool leaving = round == 0;
        stuck.StopAnswering(busy, 2000);
        const DWORD start = GetTickCount();
        ClickSwitch();
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_EQ(Screens.Current(), leaving ? 2 : 1);
        EXPECT_EQ(IsWindowVisible(awake.Window("awake")) != FALSE, !leaving)
            << "a program that answers is done with at once";
        EXPECT_TRUE(WaitFor([&] { return (IsWindowVisible(busy) != FALSE) == !leaving; }, 6000))
            << "the busy window follows once its program answers";
    }
    EXPECT_EQ(ListCount(1), 0);
}

namespace {
// Stands in for a window of a program that runs elevated: its hide never takes.
HWND elevated;
bool ElevatedStaysVisible(HWND w) {
    return w == elevated || IsWindowVisible(w);
}
} // namespace

TEST_F(StripSwitch, AWindowWhoseHideDoesNotTakeStaysOnEveryScreenAndHoldsUpNoLaterSwitch) {
    OtherProgram prog(
        {{"elevated", "v", "", "Runs as administrator"}, {"plain", "v", "", "An ordinary window"}});
    ASSERT_TRUE(prog.started());
    elevated = prog.Window("elevated");
    HWND plain = prog.Window("plain");
    const VisibilityReadFn old = SetVisibilityRead(ElevatedStaysVisible);

    ClickSwitch();
    // Its program answers and the window still stands: it is no screen's.
    EXPECT_TRUE(WaitFor([&] { return EntryIndex(1, elevated) == -1; }, 3000));
    EXPECT_NE(EntryIndex(1, plain), -1);
    // Under Wine the hide took all the same; where it is refused the window stands.
    ShowWindow(elevated, SW_SHOWNA);
    ClickSwitch();
    EXPECT_EQ(Visibility(prog, {"elevated", "plain"}), "elevated+ plain+ ");

    const DWORD start = GetTickCount();
    ClickSwitch();
    EXPECT_LT(GetTickCount() - start, 450u) << "no wait on it";
    EXPECT_EQ(Visibility(prog, {"elevated", "plain"}), "elevated+ plain- ");
    EXPECT_EQ(EntryIndex(1, elevated), -1);
    const std::vector<std::string> hides = HiddenNames(prog);
    EXPECT_EQ(std::count(hides.begin(), hides.end(), "elevated"), 1) << "not asked again";
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ItemOf(elevated), 0) << "the menu does not offer to move it";
    SetVisibilityRead(old);
}
