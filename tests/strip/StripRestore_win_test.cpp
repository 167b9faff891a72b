// The end of a run of the real strip: every window still hidden comes back, the
// half-second pause, the saved settings and the tooltip window, and nothing of the
// released state being touched once the restore has begun.
#include "screens/Switching.h"
#include "support/StripFixture.h"
#include <algorithm>

namespace {
// A tick counter that starts wherever a test wants and runs with the real one.
struct FakeTicks {
    uint32_t base = 0;
    DWORD realStart = 0;
    int calls = 0;
    uint32_t first = 0, last = 0;
    std::function<void()> atFirstCall; // runs as the pause begins
};
FakeTicks fake;

uint32_t FakeTickCount() {
    const uint32_t now = fake.base + (GetTickCount() - fake.realStart);
    if (fake.calls++ == 0) {
        fake.first = now;
        if (fake.atFirstCall) {
            std::function<void()> hook = std::move(fake.atFirstCall);
            fake.atFirstCall = nullptr;
            hook();
        }
    }
    fake.last = now;
    return now;
}

void UseFakeTicks(uint32_t base) {
    fake = FakeTicks{};
    fake.base = base;
    fake.realStart = GetTickCount();
    SetTickCounter(FakeTickCount);
}
} // namespace

using StripRestore = StripTest;

TEST_F(StripRestore, QuitShowsTheOtherScreensWindowsOwnersFirstWaitsAndSaves) {
    OtherProgram prog(Family("Restored"));
    ASSERT_TRUE(prog.started());
    const std::vector<std::string> names{"a", "owner", "owned", "asleep"};
    HWND tip = strip->ToolTipWindow;
    HWND form = GetHandle(strip->form);
    std::vector<std::string> recorded;
    DWORD quitAt = 0;

    RunStrip([&] {
        ClickSwitch();
        ASSERT_EQ(Visibility(prog, names), "a- owner- owned- asleep- ");
        recorded = RecordedNames(1, prog, names);
        SetLeft(strip->form, 300);
        SetTop(strip->form, 400);
        quitAt = GetTickCount();
        SendMessageA(GetHandle(strip->QuitButton), BM_CLICK, 0, 0);
    });
    const DWORD took = GetTickCount() - quitAt;

    EXPECT_EQ(Visibility(prog, names), "a+ owner+ owned+ asleep- ");
    std::vector<std::string> shown = ShownNames(prog);
    auto owner = std::find(shown.begin(), shown.end(), "owner");
    auto owned = std::find(shown.begin(), shown.end(), "owned");
    EXPECT_TRUE(owner < owned) << "owner first";
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_GE(took, 500u) << "the pause after showing";
    EXPECT_LT(took, 3000u);

    EXPECT_EQ(StoredSetting("Transparent"), "0");
    EXPECT_EQ(StoredSetting("Left"), "300");
    EXPECT_EQ(StoredSetting("Top"), "400");
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_FALSE(IsWindow(form));
    EXPECT_EQ(WindowMenu, nullptr);
    EXPECT_TRUE(MenuLinks().empty());
    EXPECT_TRUE(Screens.All().empty());
    EXPECT_TRUE(IsWindowVisible(FindWindowA("Shell_TrayWnd", nullptr)));
}

TEST_F(StripRestore, WithNothingRememberedNothingIsShownAndThereIsNoPause) {
    OtherProgram prog(
        {{"here", "v", "", "Visible all along"}, {"asleep", "", "", "Hidden all along"}});
    ASSERT_TRUE(prog.started());
    // A window moved across and back leaves nothing behind either.
    ASSERT_TRUE(BuildWindowMenu());
    SendMessageA(GetHandle(strip->DragPanel), WM_COMMAND, ItemOf(prog.Window("here")) & 0xFFFF, 0);
    ASSERT_TRUE(BuildWindowMenu());
    SendMessageA(GetHandle(strip->DragPanel), WM_COMMAND, ItemOf(prog.Window("here")) & 0xFFFF, 0);
    ASSERT_EQ(Visibility(prog, {"here", "asleep"}), "here+ asleep- ");
    const size_t logged = prog.ShowHideLog().size();
    HWND tip = strip->ToolTipWindow;

    UseFakeTicks(1000);
    const DWORD start = GetTickCount();
    Terminate(app);
    EXPECT_LT(GetTickCount() - start, 400u);
    EXPECT_EQ(fake.calls, 0) << "no wait";
    // Whatever the end asked of the program is carried out once it answers.
    ASSERT_TRUE(Answers(prog.Window("here")));
    EXPECT_EQ(prog.ShowHideLog().size(), logged) << "nothing shown or hidden";
    EXPECT_EQ(Visibility(prog, {"here", "asleep"}), "here+ asleep- ");
    EXPECT_EQ(StoredSetting("Transparent"), "0");
    EXPECT_EQ(StoredSetting("Left"), "902");
    EXPECT_EQ(StoredSetting("Top"), "725");
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_TRUE(Screens.All().empty());
    EXPECT_TRUE(MenuLinks().empty());
}

TEST_F(StripRestore, AWindowMovedAcrossThroughTheMenuComesBackAtTheEnd) {
    OtherProgram prog({
        {"boss", "v", "", "Owner of the window sent across"},
        {"sent", "v", "boss", "Sent to screen 2"},
        {"stays", "v", "", "Stays on screen 1"},
    });
    ASSERT_TRUE(prog.started());
    const std::vector<std::string> names{"boss", "sent", "stays"};
    ASSERT_TRUE(BuildWindowMenu());
    Choose(ItemOf(prog.Window("boss")));
    ASSERT_EQ(Visibility(prog, names), "boss- sent- stays+ ");

    const DWORD start = GetTickCount();
    Terminate(app);
    EXPECT_GE(GetTickCount() - start, 500u);
    EXPECT_EQ(Visibility(prog, names), "boss+ sent+ stays+ ");
    EXPECT_EQ(ShownNames(prog), (std::vector<std::string>{"boss", "sent"}));
}

TEST_F(StripRestore, ThePauseLastsHalfASecondWhereverTheTickCounterStands) {
    for (uint32_t base : {0x7FFFFF00u, 0xFFFFFF00u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(base);
        OtherProgram prog({{"w", "v", "", "Waited for"}});
        ASSERT_TRUE(prog.started());
        ClickSwitch();
        ASSERT_FALSE(IsWindowVisible(prog.Window("w")));

        UseFakeTicks(base);
        const DWORD start = GetTickCount();
        Terminate(app);
        const DWORD took = GetTickCount() - start;
        EXPECT_TRUE(IsWindowVisible(prog.Window("w")));
        EXPECT_GE(took, 500u);
        EXPECT_LT(took, 2000u) << "no longer than needed";
        EXPECT_GE(fake.calls, 2);
        EXPECT_GE(fake.last - fake.first, 500u);
        EXPECT_LT(fake.last - fake.first, 1500u);

        EndStrip();
        SetTickCounter(nullptr);
        StartStrip();
    }
}

TEST_F(StripRestore, ClicksAndChoicesDuringThePauseTouchNothing) {
    OtherProgram before({{"back", "v", "", "Comes back at the end"}});
    ASSERT_TRUE(before.started());
    ClickSwitch();
    OtherProgram after({{"here", "v", "", "Open on screen 2"}});
    ASSERT_TRUE(after.started());
    HWND back = before.Window("back"), here = after.Window("here");
    ASSERT_TRUE(BuildWindowMenu());

    bool hookRan = false;
    UseFakeTicks(5000);
    fake.atFirstCall = [&] {
        hookRan = true;
        EXPECT_TRUE(Screens.Ended);
        EXPECT_TRUE(IsWindowVisible(back)) << "the pause comes after the showing";
        // A click on the switch button, and the switch called as the launch list calls it.
        ClickSwitch();
        SwitchScreen(strip, nullptr);
        EXPECT_EQ(Screens.Current(), 2);
        EXPECT_EQ(TextOf(GetHandle(strip->SwitchButton)), "1");
        EXPECT_TRUE(IsWindowVisible(here));
        // A right press on the strip, and a build of the menu.
        SendMessageA(GetHandle(strip->DragPanel), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        SendMessageA(GetHandle(strip->DragPanel), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_FALSE(BuildWindowMenu());
        // A move chosen from a menu still open somewhere.
        Menu* stray = CreateMenuObject(nullptr, 0, nullptr, 0, {});
        const int32_t id = static_cast<int32_t>(
            MenuAddItem(stray, "Move 2: Open on screen 2, to other screen", 0));
        AddMenuLink(here, id, 1);
        MoveWindowCommand(nullptr, stray, 0);
        FreeObject(stray);
        EXPECT_TRUE(IsWindowVisible(here));
        EXPECT_EQ(ListCount(1), 0) << "nothing new remembered";
    };
    Terminate(app);
    EXPECT_TRUE(hookRan);
    EXPECT_TRUE(IsWindowVisible(back));
    EXPECT_TRUE(IsWindowVisible(here));
}

TEST_F(StripRestore, AfterTheRestoreNothingUsesTheReleasedMenuAndLists) {
    OtherProgram prog({{"w", "v", "", "Still visible"}});
    ASSERT_TRUE(prog.started());
    RestoreAll(strip, nullptr);
    ASSERT_EQ(WindowMenu, nullptr);
    ASSERT_TRUE(Screens.All().empty());

    ClickSwitch();
    SwitchScreen(strip, nullptr);
    EXPECT_EQ(Screens.Current(), 1);
    EXPECT_EQ(TextOf(GetHandle(strip->SwitchButton)), "2");
    EXPECT_EQ(TextOf(GetHandle(strip->ScreenNumberLabel)), "1");
    EXPECT_TRUE(IsWindowVisible(prog.Window("w")));
    EXPECT_FALSE(BuildWindowMenu());
    Menu* stray = CreateMenuObject(nullptr, 0, nullptr, 0, {});
    MenuAddItem(stray, "Move 1: Still visible, to other screen", 0);
    MoveWindowCommand(nullptr, stray, 0);
    FreeObject(stray);
    EXPECT_TRUE(IsWindowVisible(prog.Window("w")));

    // The run's real end restores nothing a second time and still ends cleanly.
    DeleteSettingsKey();
    Terminate(app);
    EXPECT_EQ(StoredSetting("Left"), "<none>") << "saved once, by the first restore";
}

TEST_F(StripRestore, AProgramThatStopsAnsweringDoesNotHoldUpTheEnd) {
    OtherProgram prog({{"busy", "v", "", "Busy at the end"}});
    ASSERT_TRUE(prog.started());
    HWND busy = prog.Window("busy");
    ClickSwitch();
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(busy); }, 3000));

    prog.StopAnswering(busy, 2500);
    const DWORD start = GetTickCount();
    Terminate(app);
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 500u);
    EXPECT_LT(took, 1600u) << "half a second of pause and a bounded wait, no more";
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(busy) != FALSE; }, 6000));
}
