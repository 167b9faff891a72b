// No window is lost, left hidden or shown on the wrong screen: with programs
// that are busy while the user switches, owners and their windows, the shell's
// taskbar, and paravue.exe ended from outside.
#include "e2e/E2EFixture.h"
#include "screens/HiddenRecord.h"
#include "settings/MiniReg.h"
#include "settings/Transparency.h"

namespace {
using namespace e2e;

// Stops the window's program from answering for ms and waits until it shows.
void MakeBusy(HWND w, DWORD ms) {
    PostMessageA(w, WM_APP + 1, ms, 0);
    ASSERT_TRUE(WaitFor([&] { return Hung(w); }, 3000));
}

// Answered: the hides and shows it was asked for meanwhile are carried out.
void WaitUntilAnswering(HWND w) {
    ASSERT_TRUE(WaitFor([&] { return !Hung(w); }, 10000)) << "the busy program never answered";
}

bool RecordInRegistry() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quenbrook\\Paravue", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    const bool found =
        RegQueryValueExA(key, "HiddenWindows", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

// The titles of the windows the record holds, in its order.
std::vector<std::string> RecordedTitles() {
    std::string bytes;
    HiddenWindowsRecord record;
    std::vector<std::string> titles;
    if (ReadRegValue(HKEY_CURRENT_USER, "Software\\Quenbrook\\Paravue\\HiddenWindows", REG_BINARY,
                     bytes) &&
        DecodeRecord(bytes, record))
        for (const RecordedWindow& w : record.windows)
            titles.push_back(w.title);
    return titles;
}

class ReliabilityE2E : public ParavueE2E {
  protected:
    // True when w comes to the state visible and is still in it once the strip (if
    // it runs) and then w's program have answered: what was asked of w is done.
    bool StaysVisible(HWND w, bool visible) {
        if (!WaitFor([&] { return Visible(w) == visible; }, 2000)) return false;
        const bool stripDone =
            !app.Running() || (Answers(app.strip(), 10000) && Answers(app.strip(), 10000));
        return stripDone && Answers(w, 10000) && Visible(w) == visible;
    }
};

TEST_F(ReliabilityE2E, ABusyWindowLeftAndReturnedToStaysOnItsScreenOnly) {
    OtherProgram other({{"w", "v", "", "E2E busy window"}});
    ASSERT_TRUE(other.started());
    HWND w = other.Window("w");
    StartAndWait();
    MakeBusy(w, 4000);
    SwitchTo(2);
    SwitchTo(1);
    WaitUntilAnswering(w);
    EXPECT_TRUE(StaysVisible(w, true)) << "back on screen 1 where it belongs";
    SwitchTo(2);
    EXPECT_TRUE(StaysVisible(w, false)) << "not also remembered for screen 2";
    SwitchTo(1);
    EXPECT_TRUE(StaysVisible(w, true));
}

TEST_F(ReliabilityE2E, AScreenTwoWindowStillOnItsWayBackIsTakenAlongWhenTheUserLeavesAgain) {
    StartAndWait();
    SwitchTo(2);
    OtherProgram other({{"w", "v", "", "E2E screen two window"}});
    ASSERT_TRUE(other.started());
    HWND w = other.Window("w");
    SwitchTo(1);
    ASSERT_TRUE(StaysVisible(w, false));
    MakeBusy(w, 4000);
    SwitchTo(2); // its show waits on the busy program
    SwitchTo(1);
    WaitUntilAnswering(w);
    EXPECT_TRUE(StaysVisible(w, false)) << "it belongs to screen 2";
    SwitchTo(2);
    EXPECT_TRUE(StaysVisible(w, true)) << "and is remembered there";
}

TEST_F(ReliabilityE2E, TheMenuListsABusyWindowWhereItWasSentNotWhereItStillStands) {
    OtherProgram other({{"w", "v", "", "E2E busy moved window"}});
    ASSERT_TRUE(other.started());
    HWND w = other.Window("w");
    StartAndWait();
    SendToBottom(w);
    MakeBusy(w, 4000);
    ChooseMenuItem({VK_HOME}); // "Move 1: ..., to other screen"
    // The second right click is no double click.
    WaitOutDoubleClick();
    // The one window remembered for screen 2, which brings it back.
    ChooseNearLaunchItem(1);
    WaitUntilAnswering(w);
    EXPECT_TRUE(StaysVisible(w, true));
    SwitchTo(2);
    EXPECT_TRUE(StaysVisible(w, false));
    SwitchTo(1);
    EXPECT_TRUE(StaysVisible(w, true)) << "remembered once, shown once";
    EXPECT_EQ((std::vector<std::string>{"w hide", "w show", "w hide", "w show"}),
              other.ShowHideLog());
}

TEST_F(ReliabilityE2E, ASwitchIsNotHeldUpByAProgramThatSendsToTheStripMeanwhile) {
    OtherProgram other({{"m1", "vm", "", "E2E messenger one"},
                        {"m2", "vm", "", "E2E messenger two"},
                        {"m3", "vm", "", "E2E messenger three"}});
    StartBeside(other);
    Click(app.SwitchButton());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "2"; }, 3000));
    EXPECT_LT(GetTickCount() - start, 400u) << "the switch waited out its bound";
    for (const char* n : {"m1", "m2", "m3"})
        EXPECT_FALSE(Visible(other.Window(n))) << n;
}

TEST_F(ReliabilityE2E, AnOwnerWhoseWindowClosedWhileHiddenStillComesBackOnTheWayBackAndAtQuit) {
    OtherProgram other(
        {{"owner", "v", "", "E2E lonely owner"}, {"panel", "v", "owner", "E2E closing panel"}});
    ASSERT_TRUE(other.started());
    HWND owner = other.Window("owner");
    StartAndWait();
    SwitchTo(2);
    ASSERT_TRUE(StaysVisible(owner, false));
    PostMessageA(other.Window("panel"), WM_APP + 2, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(other.Window("panel")); }));
    SwitchTo(1);
    EXPECT_TRUE(StaysVisible(owner, true)) << "on the way back";

    HWND dialog = other.Open("owner", 1, true, true);
    ASSERT_NE(nullptr, dialog);
    SwitchTo(2);
    ASSERT_TRUE(StaysVisible(owner, false));
    PostMessageA(dialog, WM_APP + 2, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(0u, QuitWithButton());
    EXPECT_TRUE(Visible(owner)) << "at quit";
}

TEST_F(ReliabilityE2E, AWindowOpenedOnScreenTwoNeverPullsItsOwnerFromScreenOne) {
    OtherProgram other({{"main", "v", "", "E2E main window"}});
    ASSERT_TRUE(other.started());
    HWND main = other.Window("main");
    StartAndWait();
    SwitchTo(2);
    ASSERT_TRUE(StaysVisible(main, false));
    HWND dialog = other.Open("main", 1, true, true);
    ASSERT_NE(nullptr, dialog);
    for (int round = 0; round < 2; ++round) {
        SwitchTo(1);
        EXPECT_TRUE(StaysVisible(main, true));
        EXPECT_TRUE(StaysVisible(dialog, false));
        SwitchTo(2);
        EXPECT_TRUE(StaysVisible(dialog, true));
        EXPECT_TRUE(StaysVisible(main, false)) << "the main window belongs to screen 1";
    }
    EXPECT_EQ(0u, QuitWithButton());
    EXPECT_TRUE(Visible(main));
    EXPECT_TRUE(Visible(dialog));
}

TEST_F(ReliabilityE2E, AStripEndedFromOutsideHasItsGuardShowEveryHiddenWindowAtOnce) {
    // Whatever exit code the strip is ended with: only a dismissal means it quit.
    for (UINT exitCode : {1u, 0u}) {
        SCOPED_TRACE("ended with exit code " + std::to_string(exitCode));
        OtherProgram other({{"a", "v", "", "E2E kept window"},
                            {"owner", "v", "", "E2E kept owner"},
                            {"owned", "v", "owner", "E2E kept owned window"}});
        StartBeside(other);
        SwitchTo(2);
        for (const char* n : {"a", "owner", "owned"})
            ASSERT_TRUE(StaysVisible(other.Window(n), false)) << n;
        const DWORD guard = app.GuardPid();
        ASSERT_NE(0u, guard) << "a guard watches over the hidden windows";
        ASSERT_TRUE(RecordInRegistry());

        TerminateProcess(app.process(), exitCode);
        EXPECT_TRUE(WaitFor(
            [&] {
                return Visible(other.Window("a")) && Visible(other.Window("owner")) &&
                       Visible(other.Window("owned"));
            },
            1000))
            << "every screen-1 window is back within a second";
        EXPECT_TRUE(WaitFor([&] { return ProcessEnded(guard); }, 3000))
            << "the guard ends when done";
        EXPECT_FALSE(RecordInRegistry()) << "what the guard restored is not restored again";
        EXPECT_FALSE(ProcessRuns("paravue.exe")) << "nothing was restarted";
        std::vector<std::string> log = other.ShowHideLog();
        EXPECT_LT(IndexOf(log, "owner show"), IndexOf(log, "owned show"));
        app.Kill();
    }
}

TEST_F(ReliabilityE2E,
       WindowsLeftHiddenByAnEndedRunComeBackAtTheNextStartUnlessTheirHandleChangedHands) {
    OtherProgram other({{"a", "v", "", "E2E left window"}, {"b", "v", "", "E2E renamed window"}});
    ASSERT_TRUE(other.started());
    HWND a = other.Window("a"), b = other.Window("b");
    StartAndWait();
    SwitchTo(2);
    ASSERT_TRUE(StaysVisible(a, false));
    ASSERT_TRUE(StaysVisible(b, false));
    // Both processes ended at once, as taskkill /f /im paravue.exe does.
    ASSERT_TRUE(app.KillGuard());
    app.Kill();
    EXPECT_TRUE(StaysVisible(a, false)) << "nobody is left to show it";
    EXPECT_TRUE(RecordInRegistry());
    // The handle now stands for another window, as far as anyone can tell.
    SetWindowTextA(b, "E2E some other window");

    ASSERT_TRUE(app.Start());
    DWORD shownAt = 0, stripAt = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            if (!shownAt && Visible(a)) shownAt = GetTickCount();
            if (!stripAt && app.WaitForStrip(0)) stripAt = GetTickCount();
            return shownAt && stripAt;
        },
        8000));
    EXPECT_LE(shownAt, stripAt) << "shown before the strip appears";
    EXPECT_TRUE(StaysVisible(b, false)) << "a window with another title is not ours";
    EXPECT_FALSE(RecordInRegistry()) << "the record has served";
    EXPECT_EQ("1", TextOf(app.NumberLabel()));
    EXPECT_EQ(0u, QuitWithButton());
    EXPECT_FALSE(Visible(b));
    ShowWindow(b, SW_SHOW);
}

TEST_F(ReliabilityE2E, ACleanQuitAndALogOffShowNothingTwiceAndLeaveNoGuard) {
    for (bool logOff : {false, true}) {
        SCOPED_TRACE(logOff ? "log-off" : "quit");
        OtherProgram other({{"a", "v", "", "E2E quitting window"}});
        ASSERT_TRUE(other.started());
        StartAndWait();
        SwitchTo(2);
        ASSERT_TRUE(StaysVisible(other.Window("a"), false));
        const DWORD guard = app.GuardPid();
        ASSERT_NE(0u, guard);
        DWORD code = 1;
        if (logOff) {
            DWORD_PTR result;
            SendMessageTimeoutA(app.strip(), WM_ENDSESSION, 1, 0, SMTO_ABORTIFHUNG, 5000, &result);
            ASSERT_TRUE(app.WaitForExit(5000, code));
        } else {
            code = QuitWithButton();
        }
        EXPECT_EQ(0u, code);
        EXPECT_TRUE(WaitFor([&] { return ProcessEnded(guard); }, 2000)) << "no guard left running";
        // Whatever the strip or its guard asked of the window is carried out.
        ASSERT_TRUE(Answers(other.Window("a")));
        EXPECT_EQ((std::vector<std::string>{"a hide", "a show"}), other.ShowHideLog());
        EXPECT_FALSE(RecordInRegistry());
        app.Kill();
    }
}

// A window its program brings forward while it is hidden on the other screen (a
// link clicked in the mail program brings the browser) stays where the user now
// sees it, and only there: listed with this screen's windows, hidden and shown
// with them, and out of the record while it is on view.
TEST_F(ReliabilityE2E, AWindowItsProgramBringsForwardStaysOnTheScreenWhereItIsSeen) {
    OtherProgram other({{"browser", "v", "", "E2E browser"}, {"mail", "v", "", "E2E mail"}});
    ASSERT_TRUE(other.started());
    HWND browser = other.Window("browser"), mail = other.Window("mail");
    const std::vector<std::string> mailOnly{"E2E mail"};
    StartAndWait();
    SwitchTo(2);
    ASSERT_TRUE(StaysVisible(browser, false));

    // Shown without the input: the menu lists it with screen 2's windows, and its
    // first item sends it to screen 1.
    other.BringForward("browser", false);
    EXPECT_TRUE(StaysVisible(browser, true)) << "hidden again";
    LetFocusSettle();
    ChooseMenuItem({VK_HOME});
    EXPECT_TRUE(StaysVisible(browser, false)) << "the menu did not list it on screen 2";
    EXPECT_FALSE(Visible(mail));

    // Brought to the front from screen 1 now: it goes and comes back with screen 2.
    other.BringForward("browser");
    EXPECT_TRUE(StaysVisible(browser, true)) << "hidden again";
    EXPECT_EQ(browser, GetForegroundWindow());
    EXPECT_EQ("2", TextOf(app.NumberLabel()));
    SwitchTo(1);
    EXPECT_TRUE(StaysVisible(browser, false)) << "shown on screen 1 too";
    EXPECT_TRUE(StaysVisible(mail, true));
    EXPECT_EQ(std::vector<std::string>{"E2E browser"}, RecordedTitles());
    SwitchTo(2);
    EXPECT_TRUE(StaysVisible(browser, true)) << "left on screen 1 by the switch back";
    EXPECT_TRUE(StaysVisible(mail, false));
    EXPECT_EQ(mailOnly, RecordedTitles());

    // Brought forward onto screen 1 as well, the move key sends it from there.
    SwitchTo(1);
    EXPECT_TRUE(StaysVisible(browser, false));
    other.BringForward("browser");
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == browser; }, 3000));
    PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT}, VK_SPACE);
    EXPECT_TRUE(StaysVisible(browser, false)) << "the move key left it on screen 1";
    EXPECT_EQ("1", TextOf(app.NumberLabel()));
    EXPECT_EQ(0u, QuitWithButton());
    EXPECT_TRUE(StaysVisible(mail, true));
    EXPECT_TRUE(StaysVisible(browser, true));
}
} // namespace
