// The desktop as the user left it: the strip never takes the input from a click,
// a screen gives the input back to the window that had it, a session that may
// end finds every window shown, full-screen programs are not covered, and
// nothing the user asks for (a right click, a launch list) is lost.
#include "e2e/E2EFixture.h"
#include "settings/Transparency.h"
#include <memory>
#include <tlhelp32.h>

namespace {
using namespace e2e;

// Whether the strip stands on top of everything, as it does on an ordinary desktop.
bool StripOnTop(HWND strip) {
    return Visible(strip) && (GetWindowLongA(strip, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// Whether window stands above the strip, or the strip is out of sight.
bool StripBehind(HWND strip, HWND window) {
    if (!Visible(strip)) return true;
    for (HWND w : TopWindowsOf(0, "")) {
        if (w == window) return true;
        if (w == strip) return false;
    }
    return false;
}

TEST_F(ParavueE2E, ClicksOnTheStripLeaveTheInputWhereItWasAndEachScreenGetsItsOwnBack) {
    OtherProgram one({{"a", "v", "", "E2E input A"}, {"c", "v", "", "E2E input C"}});
    StartBeside(one);
    HWND a = one.Window("a"), c = one.Window("c");
    const std::string top = one.Stacking({"a", "c"}).front();
    SwitchTo(2);
    auto two =
        std::make_unique<OtherProgram>(std::vector<WindowSpec>{{"b", "v", "", "E2E input B"}});
    ASSERT_TRUE(two->started());
    HWND b = two->Window("b");
    LetFocusSettle();
    FocusOn(b);
    SwitchTo(1);
    // Screen 1 was left with the input nowhere of its own: its top window takes it.
    ASSERT_TRUE(WaitFor([&] { return Visible(a) && Visible(c); }, 2000));
    WaitUntilDone({a});
    EXPECT_EQ(one.Window(top), GetForegroundWindow()) << "the top window " << top;
    LetFocusSettle();
    FocusOn(a);
    // C above A, A keeps the input: the two choices differ.
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(a, GetForegroundWindow());

    // A click on the number and a drag of the strip leave A the input.
    Click(app.NumberLabel());
    LetFocusSettle();
    EXPECT_EQ(a, GetForegroundWindow()) << "a click took the input";
    WaitOutDoubleClick();
    const RECT before = RectOf(app.strip());
    POINT p = CenterOf(app.NumberLabel());
    MouseDrag(p.x, p.y, p.x - 40, p.y - 30);
    LetFocusSettle();
    EXPECT_NE(before.left, RectOf(app.strip()).left) << "no drag";
    EXPECT_EQ(a, GetForegroundWindow()) << "a drag took the input";

    SwitchTo(2);
    LetFocusSettle();
    EXPECT_EQ(b, GetForegroundWindow()) << "screen 2 gives B back the input it had";
    // The first key typed after the switch goes to B, not to the switch button.
    PressKey(VK_SPACE);
    const std::vector<std::string> bKeys{"b key 32"};
    EXPECT_TRUE(WaitFor([&] { return two->Keys() == bKeys; }, 3000)) << "B never got Space";
    EXPECT_EQ("2", TextOf(app.NumberLabel())) << "Space switched back";

    SwitchTo(1);
    LetFocusSettle();
    EXPECT_EQ(a, GetForegroundWindow()) << "A had the input when screen 1 was left";
    EXPECT_TRUE(Visible(c));

    // The menu takes the keyboard while it is open; moving C away and back leaves
    // A the input. B's program ends: C alone on the other screen.
    two.reset();
    SendToBottom(c);
    ChooseMenuItem({VK_HOME});
    ASSERT_TRUE(WaitFor([&] { return !Visible(c); }, 2000));
    // The last window item: C, alone on the other screen.
    ChooseNearLaunchItem(1);
    ASSERT_TRUE(WaitFor([&] { return Visible(c); }, 2000));
    LetFocusSettle();
    EXPECT_EQ(a, GetForegroundWindow()) << "the menu kept the input";
    EXPECT_EQ(0u, QuitWithButton());
}

TEST_F(ParavueE2E, TheInputComesBackToTheWindowLeftWithItElseTheTopMainWindowElseTheDesktop) {
    OtherProgram other({{"doc", "v", "", "E2E input document"},
                        {"main", "v", "", "E2E input main"},
                        {"palette", "vt", "main", "E2E input palette"}});
    StartBeside(other);
    HWND doc = other.Window("doc"), main = other.Window("main"), palette = other.Window("palette");
    // The document has the input below the main window and the palette above both.
    FocusOn(doc);
    // Raised again until it holds: Wine may still lift the document it just activated.
    ASSERT_TRUE(WaitFor(
        [&] {
            for (HWND w : {main, palette})
                SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return other.Stacking({"doc", "main", "palette"}) ==
                   std::vector<std::string>{"palette", "main", "doc"};
        },
        3000));
    ASSERT_EQ(doc, GetForegroundWindow());
    SwitchTo(2);
    SwitchTo(1);
    ASSERT_TRUE(WaitFor([&] { return Visible(doc) && Visible(main) && Visible(palette); }, 3000));
    WaitUntilDone({main});
    EXPECT_EQ(doc, GetForegroundWindow()) << "the window left with the input, not the top one";

    // Closed while hidden: the top main window, not the palette standing above it.
    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] { return !Visible(doc) && !Visible(main) && !Visible(palette); }));
    PostMessageA(doc, WM_APP + 2, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(doc); }));
    SwitchTo(1);
    ASSERT_TRUE(WaitFor([&] { return Visible(main) && Visible(palette); }, 3000));
    WaitUntilDone({main});
    EXPECT_EQ(main, GetForegroundWindow())
        << "the input went to " << TextOf(GetForegroundWindow()) << ", not the main window";

    // Screen 2's one window, left with the input and closed while hidden: nothing of
    // that screen takes the input, the desktop does.
    SwitchTo(2);
    HWND lone = other.Open("main", 1, false, true);
    ASSERT_NE(nullptr, lone);
    FocusOn(lone);
    SwitchTo(1);
    ASSERT_TRUE(WaitFor([&] { return !Visible(lone) && Visible(main); }, 3000));
    PostMessageA(lone, WM_APP + 2, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(lone); }));
    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] { return !Visible(main) && !Visible(palette); }, 3000));
    WaitUntilDone({main});
    EXPECT_TRUE(IsDesktop(GetForegroundWindow()))
        << "the input is on " << ClassOf(GetForegroundWindow()) << " "
        << TextOf(GetForegroundWindow());
    EXPECT_EQ(0u, QuitWithButton());
}

TEST_F(ParavueE2E, TheSessionEndQueryShowsEveryHiddenWindowBeforeItsYesAndACancelLeavesScreenOne) {
    OtherProgram other(Family("E2E session"));
    StartBeside(other);
    HWND a = other.Window("a"), owner = other.Window("owner"), owned = other.Window("owned");
    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] { return !Visible(a) && !Visible(owner) && !Visible(owned); }));

    // Windows asks each top-level window of the program.
    for (HWND w : {app.strip(), app.AppWindow()}) {
        DWORD_PTR yes = 0;
        ASSERT_TRUE(SendMessageTimeoutA(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                        SMTO_ABORTIFHUNG, 5000, &yes));
        EXPECT_EQ(TRUE, static_cast<BOOL>(yes));
        EXPECT_TRUE(Visible(a) && Visible(owner) && Visible(owned)) << "shown before the answer";
    }
    std::vector<std::string> log = other.ShowHideLog();
    EXPECT_LT(IndexOf(log, "owner show"), IndexOf(log, "owned show"));
    EXPECT_EQ("1", TextOf(app.NumberLabel()));

    // The session goes on after all: screen 1, and the strip works as before.
    DWORD_PTR r;
    SendMessageTimeoutA(app.strip(), WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &r);
    // Handled once answered; the switches below show that the run goes on.
    ASSERT_TRUE(app.Running());
    EXPECT_EQ("2", TextOf(app.SwitchButton()));
    SwitchTo(2);
    EXPECT_TRUE(WaitFor([&] { return !Visible(a) && !Visible(owned); }, 2000));
    SwitchTo(1);
    EXPECT_TRUE(WaitFor([&] { return Visible(a) && Visible(owned); }, 2000));

    // The end, this time: the settings are saved as ever.
    SendMessageTimeoutA(app.strip(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &r);
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, code));
    EXPECT_EQ(0u, code);
    ExpectSavedPlace(kDefaultLeft, kDefaultTop);
}

TEST_F(ParavueE2E, AFullScreenProgramWithTheInputIsNotCoveredByTheStrip) {
    OtherProgram other({{"f", "v", "", "E2E film"}, {"n", "v", "", "E2E letter"}});
    StartBeside(other);
    HWND film = other.Window("f"), letter = other.Window("n");
    ASSERT_TRUE(StripOnTop(app.strip()));
    FocusOn(letter);
    EXPECT_TRUE(StripOnTop(app.strip())) << "an ordinary window stays below the strip";

    SetWindowPos(film, HWND_TOP, 0, 0, kScreenW, kScreenH, SWP_NOACTIVATE);
    FocusOn(film);
    EXPECT_TRUE(WaitFor([&] { return StripBehind(app.strip(), film); }, 2000))
        << "the strip covers the full-screen window";

    FocusOn(letter);
    EXPECT_TRUE(
        WaitFor([&] { return StripOnTop(app.strip()) && !StripBehind(app.strip(), letter); }, 2000))
        << "back on top once the full-screen window lost the input";
    EXPECT_EQ(0u, QuitWithButton());
}

TEST_F(ParavueE2E, AFullScreenProgramThatHasTheInputAtStartIsNotCoveredByTheNewStrip) {
    OtherProgram other(
        {{"f", "v", "", "E2E film at start"}, {"n", "v", "", "E2E letter at start"}});
    ASSERT_TRUE(other.started());
    HWND film = other.Window("f"), letter = other.Window("n");
    SetWindowPos(film, HWND_TOP, 0, 0, kScreenW, kScreenH, SWP_NOACTIVATE);
    FocusOn(film);
    StartAndWait();
    EXPECT_TRUE(WaitFor([&] { return StripBehind(app.strip(), film); }, 3000))
        << "the new strip covers the full-screen window";
    // So it stays once the start is over: the guard runs and the strip has answered.
    ASSERT_TRUE(WaitFor([&] { return app.GuardPid() != 0; }, 8000));
    DWORD_PTR r;
    EXPECT_TRUE(SendMessageTimeoutA(app.strip(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r));
    EXPECT_TRUE(StripBehind(app.strip(), film));
    EXPECT_EQ(film, GetForegroundWindow());

    FocusOn(letter);
    EXPECT_TRUE(
        WaitFor([&] { return StripOnTop(app.strip()) && !StripBehind(app.strip(), letter); }, 2000))
        << "back on top once the full-screen window lost the input";
    EXPECT_EQ(0u, QuitWithButton());
}

TEST_F(ParavueE2E, ARightClickAfterADismissedMenuOrDuringAWaitingMoveOpensTheMenu) {
    OtherProgram other({{"h", "v", "", "E2E busy window"}});
    StartBeside(other);
    HWND busy = other.Window("h");
    SendToBottom(busy);
    POINT p = CenterOf(app.NumberLabel());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        MouseRightClick(p.x, p.y);
        ASSERT_NE(nullptr, app.WaitForMenu()) << "every right click opens the menu";
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(app.WaitForNoMenu());
    }

    // The move waits on the busy program; a right click meanwhile is not lost.
    PostMessageA(busy, WM_APP + 1, 3000, 0);
    ASSERT_TRUE(WaitFor([&] { return Hung(busy); }, 3000));
    MouseRightClick(p.x, p.y);
    ASSERT_NE(nullptr, app.WaitForMenu());
    PressKey(VK_HOME);
    PressKey(VK_RETURN);
    MouseRightClick(p.x, p.y);
    ASSERT_TRUE(app.WaitForNoMenu());
    EXPECT_NE(nullptr, app.WaitForMenu(4000)) << "the right click made during the move";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(app.WaitForNoMenu());
    EXPECT_TRUE(WaitFor([&] { return !Visible(busy); }, 5000)) << "the move itself took place";
}

// Holds every thread of a process still: a strip too busy to answer.
class Frozen {
  public:
    explicit Frozen(DWORD pid) {
        HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        THREADENTRY32 t{};
        t.dwSize = sizeof t;
        for (BOOL ok = Thread32First(snap, &t); ok; ok = Thread32Next(snap, &t)) {
            if (t.th32OwnerProcessID != pid) continue;
            if (HANDLE h = OpenThread(THREAD_SUSPEND_RESUME, FALSE, t.th32ThreadID)) {
                SuspendThread(h);
                threads_.push_back(h);
            }
        }
        CloseHandle(snap);
    }
    ~Frozen() {
        for (HANDLE h : threads_) {
            ResumeThread(h);
            CloseHandle(h);
        }
    }
    bool any() const { return !threads_.empty(); }

  private:
    std::vector<HANDLE> threads_;
};

TEST_F(ParavueE2E, ASecondStartThatCannotHandItsListOverSaysSoAndFails) {
    StartAndWait();
    const std::string list = MakeTempDir("e2ehandover") + "waiting list.txt";
    WriteWholeFile(list, "notepad.exe\r\n");
    Paravue second;
    {
        Frozen busy(app.pid());
        ASSERT_TRUE(busy.any());
        ASSERT_TRUE(second.Start("\"" + list + "\""));
        std::string text;
        ASSERT_TRUE(second.WaitForMessageBox(text, 8000)) << "the list is not dropped silently";
        EXPECT_EQ("Cannot hand the launch list over to the running Para-Vue:\r" + list, text);
        ASSERT_TRUE(second.DismissMessageBox());
    }
    DWORD code = 0;
    ASSERT_TRUE(second.WaitForExit(3000, code));
    EXPECT_NE(0u, code);
    EXPECT_EQ(1u, StripCount());
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "nothing of the list ran";
}
} // namespace
