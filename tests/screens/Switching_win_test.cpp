// Showing a screen's windows again, and hiding and showing windows of programs
// that have stopped answering.
#include "screens/ScreenLists.h"
#include "screens/Switching.h"
#include "screens/WindowCommands.h"
#include "support/ScreenChecks.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
class ShowScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Screens.Reset();
        foreground_ = CreateWindowExA(0, "STATIC", "foreground", WS_POPUP | WS_VISIBLE, 0, 0, 5, 5,
                                      nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        ShowScreen(Screens.GatherAll(1), {}, nullptr);
        Screens.Reset();
        DestroyWindow(foreground_);
    }
    // A round trip: leave screen 1 and come back to it, the input to a window of ours.
    void LeaveScreenOne() { SwitchScreenTo(2, nullptr); }
    void ComeBack() {
        const SwitchPlan plan = Screens.PlanSwitch(1, ShownWindowsNow(), 0);
        WindowBatch hiding;
        for (uintptr_t w : plan.hide)
            hiding.Hide(WindowOf(w));
        hiding.Wait();
        ShowScreen(plan.show, {}, foreground_);
    }
    static WindowEntry Entry(HWND handle, const char* title) {
        return {KeyOf(handle), KeyOf(handle), 0, false, title, 0};
    }
    // Remembers window for screen 2, as a move from the menu does.
    static void RememberForScreenTwo(HWND handle, const char* title) {
        Screens.MoveGroup(KeyOf(handle), 2, {Entry(handle, title)}, 0);
    }
    // A handle that stood for a window and stands for none now.
    static HWND GoneWindow() {
        HWND w = CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr,
                                 nullptr);
        DestroyWindow(w);
        return w;
    }
    HWND foreground_ = nullptr;
};
} // namespace

TEST_F(ShowScreenTest, ARoundTripBringsBackEveryWindowInRecordingOrderOwnersFirst) {
    OtherProgram prog(Family("Round trip", {{"b", "v", "", "Round trip B"}}));
    ASSERT_TRUE(prog.started());
    LeaveScreenOne();
    const std::vector<std::string> recorded = RecordedNames(1, prog, {"a", "owner", "owned", "b"});
    ComeBack();

    for (const char* n : {"a", "owner", "owned", "b"})
        EXPECT_TRUE(IsWindowVisible(prog.Window(n))) << n;
    EXPECT_FALSE(IsWindowVisible(prog.Window("asleep")));
    EXPECT_EQ(ListCount(1), 0);
    EXPECT_EQ(ListCount(2), 0);

    // Shown in the order they were recorded, once each; the owner is recorded
    // just before what it owns.
    const auto owner = std::find(recorded.begin(), recorded.end(), "owner");
    EXPECT_EQ(owner + 1, std::find(recorded.begin(), recorded.end(), "owned"));
    EXPECT_EQ(ShownNames(prog), recorded);
}

TEST_F(ShowScreenTest, AVanishedWindowIsFoundAgainByItsExactTitle) {
    OtherProgram prog({{"twin", "", "", "Report.txt - Editor"},
                       {"other", "", "", "Report.txt"},
                       {"cyrillic", "", "", "Отчёт \xF0\x9F\x98\x80 - Editor"},
                       {"mangled", "", "", "????? ?? - Editor"}});
    ASSERT_TRUE(prog.started());
    HWND dead = GoneWindow();
    ShowScreen({Entry(dead, "Report.txt - Editor"), Entry(dead, "No window has this title"),
                Entry(dead, "Отчёт \xF0\x9F\x98\x80 - Editor")},
               {}, foreground_);
    EXPECT_TRUE(IsWindowVisible(prog.Window("twin")));
    EXPECT_FALSE(IsWindowVisible(prog.Window("other")));
    // Compared as written, not as the code page would spell it.
    EXPECT_TRUE(IsWindowVisible(prog.Window("cyrillic")));
    EXPECT_FALSE(IsWindowVisible(prog.Window("mangled")));
}

TEST_F(ShowScreenTest, TheTitleLookupSkipsEmptyTitlesAndWindowsOfTheOtherScreen) {
    OtherProgram prog({{"untitled", "", "", ""}, {"elsewhere", "", "", "Belongs to screen 2"}});
    ASSERT_TRUE(prog.started());
    HWND dead = GoneWindow();
    RememberForScreenTwo(prog.Window("elsewhere"), "Belongs to screen 2");
    ShowScreen({Entry(dead, ""), Entry(dead, "Belongs to screen 2")}, {}, foreground_);
    EXPECT_FALSE(IsWindowVisible(prog.Window("untitled"))) << "no stray blank window";
    EXPECT_FALSE(IsWindowVisible(prog.Window("elsewhere"))) << "stays on its own screen";
}

TEST_F(ShowScreenTest, AProgramThatStopsAnsweringDelaysNeitherHidingNorShowing) {
    OtherProgram awake({{"awake", "v", "", "Answers at once"}});
    OtherProgram stuck({{"stuck", "v", "", "Stops answering"}});
    ASSERT_TRUE(awake.started() && stuck.started());
    HWND stuckWindow = stuck.Window("stuck");

    stuck.StopAnswering(stuckWindow, 2500);
    DWORD start = GetTickCount();
    LeaveScreenOne();
    DWORD hideTime = GetTickCount() - start;
    EXPECT_LT(hideTime, 900u);
    EXPECT_FALSE(IsWindowVisible(awake.Window("awake"))) << "answering windows are gone on return";
    EXPECT_NE(EntryIndex(1, stuckWindow), -1) << "the silent window is recorded";
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(stuckWindow); }, 6000))
        << "and hidden once its program answers again";

    stuck.StopAnswering(stuckWindow, 2500);
    start = GetTickCount();
    ComeBack();
    EXPECT_LT(GetTickCount() - start, 900u);
    EXPECT_TRUE(IsWindowVisible(awake.Window("awake")));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(stuckWindow) != FALSE; }, 6000));
}

TEST_F(ShowScreenTest, ABusyProgramIsWaitedForAsLongAsItsWindowsKeepChanging) {
    // Twelve windows that take 60 ms each: longer in all than the wait for a
    // program that has stopped answering, but never silent for that long.
    std::vector<WindowSpec> specs;
    for (int i = 0; i < 12; ++i) {
        std::string n = "busy" + std::to_string(i);
        specs.push_back({n, "vs", "", "Busy window " + std::to_string(i)});
    }
    OtherProgram busy(specs);
    ASSERT_TRUE(busy.started());
    ASSERT_TRUE(Answers(busy.Window("busy11"))) << "done with its start";

    LeaveScreenOne();
    int visible = 0;
    for (const WindowSpec& w : specs)
        visible += IsWindowVisible(busy.Window(w.name)) ? 1 : 0;
    EXPECT_EQ(visible, 0) << "every window is gone when the hiding returns";

    ComeBack();
    int hidden = 0;
    for (const WindowSpec& w : specs)
        hidden += IsWindowVisible(busy.Window(w.name)) ? 0 : 1;
    EXPECT_EQ(hidden, 0) << "every window is back when the showing returns";
}

TEST_F(ShowScreenTest, ARoundTripLeavesTheWindowsAndGroupsStackedAsTheyStoodAndActivatesNone) {
    OtherProgram prog({{"low", "v", "", "Stacking low"},
                       {"main", "v", "", "Stacking main"},
                       {"find", "vp", "main", "Stacking find box"},
                       {"palette", "vt", "main", "Stacking palette"},
                       {"high", "v", "", "Stacking high"}});
    ASSERT_TRUE(prog.started());
    const std::vector<std::string> names{"low", "main", "find", "palette", "high"};
    for (const char* n : {"low", "main", "high"})
        SetWindowPos(prog.Window(n), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::vector<std::string> before = prog.Stacking(names);
    ASSERT_EQ(before.size(), 5u);
    ASSERT_EQ(before.front(), "high");
    ASSERT_EQ(before.back(), "low");

    LeaveScreenOne();
    EXPECT_EQ(Visibility(prog, names), "low- main- find- palette- high- ")
        << "the group goes whole";
    const size_t activations = prog.Activated().size();
    ComeBack();
    EXPECT_EQ(prog.Stacking(names), before);
    EXPECT_EQ(prog.Activated().size(), activations) << "showing activates no window";
}

TEST_F(ShowScreenTest, AnOwnerRememberedForTheOtherScreenStaysThere) {
    OtherProgram prog({{"boss", "", "", "Owner kept for screen 2"},
                       {"worker", "", "boss", "Owned, kept for screen 1"}});
    ASSERT_TRUE(prog.started());
    RememberForScreenTwo(prog.Window("boss"), "Owner kept for screen 2");
    ShowScreen({Entry(prog.Window("worker"), "Owned, kept for screen 1")}, {}, foreground_);
    EXPECT_EQ(Visibility(prog, {"boss", "worker"}), "boss- worker+ ");
    EXPECT_EQ(EntryIndex(2, prog.Window("boss")), 0);
}
