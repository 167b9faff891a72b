// paravue.exe as a user meets it: started as a program of its own, driven with
// real mouse and keyboard input, judged by what shows on the desktop, the message
// boxes it puts up, what it leaves in the registry and how it ends.
#include "settings/Transparency.h"
#include "e2e/E2EFixture.h"

namespace {
using namespace e2e;

TEST_F(ParavueE2E, FirstRunPlacesTheStripAboveTheTaskbarAndStoredPlacesAreKeptOnScreen) {
    StartAndWait();
    RECT r = RectOf(app.strip());
    EXPECT_EQ(kDefaultLeft, r.left);
    EXPECT_EQ(kDefaultTop, r.top);
    EXPECT_EQ(99, r.right - r.left);
    EXPECT_EQ(23, r.bottom - r.top);
    EXPECT_TRUE(GetWindowLongA(app.strip(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ("1", TextOf(app.NumberLabel()));
    EXPECT_EQ("2", TextOf(app.SwitchButton()));
    // The application window is there but leaves the screen shortly after start.
    HWND appWindow = app.AppWindow();
    ASSERT_NE(nullptr, appWindow);
    EXPECT_TRUE(WaitFor([&] { return !Visible(appWindow); }, 2000));
    // A run that switched nothing writes its place at the end all the same.
    EXPECT_EQ(0u, QuitWithButton());
    ExpectSavedPlace(kDefaultLeft, kDefaultTop);

    struct Case {
        const char *left, *top;
        int wantLeft, wantTop;
    } cases[] = {
        {"-20", "745", 0, 745},                     // negative left to 0; a top that still fits
        {"1000", "760", kDefaultLeft, kDefaultTop}, // past the limits: back to the defaults
        {"970", "-5", 970, 0},                      // half the strip may stand past the edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("stored ") + c.left + ", " + c.top);
        app.Kill();
        DeleteSettingsKey();
        WriteSetting("Left", c.left);
        WriteSetting("Top", c.top);
        StartAndWait();
        r = RectOf(app.strip());
        EXPECT_EQ(c.wantLeft, r.left);
        EXPECT_EQ(c.wantTop, r.top);
        EXPECT_EQ(99, r.right - r.left);
    }
}

TEST_F(ParavueE2E, SwitchButtonHidesOtherProgramsWindowsAndTheNextClickShowsThem) {
    OtherProgram other({{"a", "v", "", "E2E plain window"},
                        {"tool", "vt", "", "E2E tool window"},
                        {"off", "", "", "E2E never shown"}});
    StartBeside(other);
    HWND a = other.Window("a"), tool = other.Window("tool"), off = other.Window("off");

    SwitchTo(2);
    EXPECT_EQ("1", TextOf(app.SwitchButton()));
    EXPECT_TRUE(WaitFor([&] { return !Visible(a); }, 2000));
    EXPECT_TRUE(Visible(tool)) << "tool windows stay on every screen";
    EXPECT_TRUE(Visible(app.strip()));
    EXPECT_TRUE(Visible(Taskbar())) << "the taskbar belongs to every screen";

    SwitchTo(1);
    EXPECT_EQ("2", TextOf(app.SwitchButton()));
    EXPECT_TRUE(WaitFor([&] { return Visible(a); }, 2000));
    EXPECT_TRUE(WaitFor([&] { return Visible(Taskbar()); }, 2000));
    EXPECT_FALSE(Visible(off)) << "a window we never hid is not ours to show";
    EXPECT_EQ((std::vector<std::string>{"a hide", "a show"}), other.ShowHideLog());
}

class LaunchListE2E : public ParavueE2E {
  protected:
    void SetUp() override {
        ParavueE2E::SetUp();
        dir = FoldersOfLaunched("e2elaunch");
        ASSERT_FALSE(dir.empty());
        SetEnvironmentVariableA("PARAVUE_E2E_WATCH", "E2E watched window");
    }
    void TearDown() override {
        ParavueE2E::TearDown();
        SetEnvironmentVariableA("PARAVUE_E2E_WATCH", nullptr);
    }
    std::vector<std::string> Launches(const char* sub) {
        return ReadLines(dir + sub + "\\launched.log");
    }
    std::string dir;
};

TEST_F(LaunchListE2E, ListOnTheCommandLineSwitchesOnceThenOpensEachFileInItsOwnFolder) {
    OtherProgram other({{"w", "v", "", "E2E watched window"}});
    ASSERT_TRUE(other.started());
    const std::string list = dir + "work list.txt";
    WriteWholeFile(list, "; a comment\r\n"
                         "   ; an indented comment\r\n"
                         "\r\n" +
                             dir +
                             "one\\launched.exe\r\n"
                             "\"" +
                             dir + "two words\\launched.exe\" -x \"y z\"\r\n" + dir +
                             "missing.exe\r\n" + dir +
                             "three\\launched.exe 5\r\n"
                             "\"" +
                             dir + "three\\launched.exe -q\r\n");
    // Unquoted, the path with a blank arrives as two parameters.
    ASSERT_TRUE(app.Start(list));

    // Every missing entry in one box at the end, each named by its line as written.
    std::string text;
    ASSERT_TRUE(app.WaitForMessageBox(text, 10000));
    EXPECT_EQ("Cannot find file: " + dir + "missing.exe\nCannot find file: \"" + dir +
                  "three\\launched.exe -q",
              text);
    std::vector<HWND> boxes = TopWindowsOf(app.pid(), "#32770");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("tallowin", TextOf(boxes[0]));
    ASSERT_TRUE(app.DismissMessageBox());

    ASSERT_TRUE(app.WaitForStrip());
    EXPECT_FALSE(app.WaitForMessageBox(text, 500)) << "one message for the list: " << text;
    ASSERT_TRUE(WaitFor(
        [&] {
            return !Launches("one").empty() && !Launches("two words").empty() &&
                   !Launches("three").empty();
        },
        8000));
    // The switch came first: the watched window was already hidden at every launch.
    EXPECT_EQ((std::vector<std::string>{"args=|cwd=" + dir + "one|watched=hidden"}),
              Launches("one"));
    EXPECT_EQ((std::vector<std::string>{"args=-x \"y z\"|cwd=" + dir + "two words|watched=hidden"}),
              Launches("two words"));
    EXPECT_EQ((std::vector<std::string>{"args=5|cwd=" + dir + "three|watched=hidden"}),
              Launches("three"));
    // Exactly one switch: on screen 2, the watched window hidden once and not shown.
    EXPECT_EQ("2", TextOf(app.NumberLabel()));
    EXPECT_EQ((std::vector<std::string>{"w hide"}), other.ShowHideLog());
}

// True when a stands above b on the desktop (in front of it where they overlap).
bool Above(HWND a, HWND b) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == a) return true;
        if (w == b) return false;
    }
    return false;
}

// The windows of a program the test did not start itself go with its process.
void EndProgramOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
        TerminateProcess(p, 1);
        CloseHandle(p);
    }
}

// A point of w that box does not cover: on its caption bar, left or right of the box.
POINT UncoveredPointOf(HWND w, HWND box) {
    const RECT r = RectOf(w), b = RectOf(box);
    POINT p{r.left + 40, r.top + 8};
    if (PtInRect(&b, p)) p.x = r.right - 40;
    return p;
}

// The box that lets go: it comes up once, in front of the program the list opened
// (up and ready for input by then), and a click elsewhere keeps the input there.
TEST_F(LaunchListE2E, TheReportComesUpInFrontOfWhatTheListOpenedAndLetsGoOfTheInput) {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string list = dir + "notes.txt";
    WriteWholeFile(list, std::string(windows) + "\\notepad.exe\r\n" + dir + "missing.txt\r\n");
    // Notepad goes with the test, however it ends.
    struct EndNotepads {
        ~EndNotepads() {
            for (HWND pad : TopWindowsOf(0, "Notepad", false))
                EndProgramOf(pad);
        }
    } endNotepads;
    ASSERT_TRUE(app.Start("\"" + list + "\""));
    std::string text;
    ASSERT_TRUE(app.WaitForMessageBox(text, 15000));
    EXPECT_EQ("Cannot find file:\r" + dir + "missing.txt", text);
    std::vector<HWND> pads = TopWindowsOf(0, "Notepad");
    ASSERT_EQ(1u, pads.size()) << "Notepad is up before the box shows";
    const HWND notepad = pads[0];
    std::vector<HWND> boxes = TopWindowsOf(app.pid(), "#32770");
    ASSERT_EQ(1u, boxes.size());
    const HWND box = boxes[0];
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == box; }, 2000))
        << "the box comes up with the input";
    EXPECT_TRUE(Above(box, notepad)) << "the box stands behind Notepad";

    // The user goes on in Notepad while the box waits.
    const POINT p = UncoveredPointOf(notepad, box);
    MouseClick(p.x, p.y);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == notepad; }, 3000))
        << "a click on Notepad gives it the input";
    // Well past several quarter-second ticks, the box's thread answering all along:
    // Notepad keeps the input.
    const DWORD clicked = GetTickCount();
    bool kept = true;
    WaitFor(
        [&] {
            DWORD_PTR r;
            const bool answered =
                SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r) != 0;
            kept = kept && GetForegroundWindow() == notepad;
            return !kept || (answered && GetTickCount() - clicked > 1500);
        },
        5000);
    EXPECT_TRUE(kept) << "the box took the input back from Notepad";
    EXPECT_TRUE(Above(box, notepad)) << "topmost, the box still stands in front";
    // The click lands on the box's button only when nothing covers it.
    EXPECT_TRUE(app.DismissMessageBox());
    EXPECT_FALSE(app.WaitForMessageBox(text, 500)) << text;
}

TEST_F(LaunchListE2E, TwoHundredMissingEntriesGiveOneBoxThatFitsTheScreen) {
    // The first line names a file 5,000 characters long: no blank to wrap at.
    std::string lines = dir + std::string(5000, 'x') + ".txt\r\n";
    for (int i = 1; i < 200; ++i)
        lines += dir + "missing " + std::to_string(i) + ".txt\r\n";
    WriteWholeFile(dir + "many.txt", lines);
    ASSERT_TRUE(app.Start("\"" + dir + "many.txt\""));
    std::string text;
    ASSERT_TRUE(app.WaitForMessageBox(text, 10000));
    std::vector<std::string> shown;
    for (size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
        end = text.find('\n', start);
        shown.push_back(text.substr(start, end - start));
    }
    ASSERT_EQ(11u, shown.size()) << text;
    EXPECT_EQ(0u, shown[0].find("Cannot find file: " + dir + "xxx"));
    EXPECT_NE(std::string::npos, shown[0].find("...xxx")) << "shortened in the middle";
    EXPECT_LT(shown[0].size(), 200u);
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ("Cannot find file: " + dir + "missing " + std::to_string(i) + ".txt", shown[i]);
    EXPECT_EQ("...and 190 more.", shown[10]);
    const RECT box = RectOf(TopWindowsOf(app.pid(), "#32770")[0]);
    EXPECT_GE(box.left, 0);
    EXPECT_LE(box.right, kScreenW);
    EXPECT_LE(box.bottom, kScreenH);
    ASSERT_TRUE(app.DismissMessageBox());
    ASSERT_TRUE(app.WaitForStrip());
    EXPECT_FALSE(app.WaitForMessageBox(text, 1000)) << "a second box: " << text;
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "nothing opened, no switch";
}

TEST_F(LaunchListE2E, AFileThatIsNotTextIsRefusedWholeAndNothingIsLaunched) {
    // A program's bytes, with a line naming a real file before its first zero.
    const std::string binary = dir + "program.exe";
    WriteWholeFile(binary, "MZ\x90\x03\r\n" + dir + "one\\launched.exe\r\n\x01\x02\xFF" +
                               std::string("\0\0\x04\0PE\0\0", 9));
    ASSERT_TRUE(app.Start("\"" + binary + "\""));
    std::string text;
    ASSERT_TRUE(app.WaitForMessageBox(text, 10000));
    EXPECT_EQ("This is not a launch list (not a text file); nothing was launched:\r" + binary,
              text);
    ASSERT_TRUE(app.DismissMessageBox());
    ASSERT_TRUE(app.WaitForStrip());
    EXPECT_FALSE(app.WaitForMessageBox(text, 1000)) << "a second box: " << text;
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "no switch";
    // Whatever the list started has ended, and has written its line.
    EXPECT_TRUE(WaitFor([] { return !ProcessRuns("launched.exe"); }));
    EXPECT_TRUE(Launches("one").empty());
}

TEST_F(LaunchListE2E, ListIsFoundInTheProgramFolderAndMayUseLineFeedsAlone) {
    const std::string name = "e2e list " + std::to_string(GetCurrentProcessId()) + ".txt";
    const std::string inBin = TestBinDir() + name;
    WriteWholeFile(inBin, dir + "one\\launched.exe\n" + dir + "three\\launched.exe 7\n");
    // Started in a folder that does not hold the list.
    ASSERT_TRUE(app.Start("\"" + name + "\"", dir));
    ASSERT_TRUE(app.WaitForStrip());
    const bool launched =
        WaitFor([&] { return !Launches("one").empty() && !Launches("three").empty(); }, 8000);
    DeleteFileA(inBin.c_str());
    ASSERT_TRUE(launched);
    EXPECT_EQ((std::vector<std::string>{"args=|cwd=" + dir + "one|watched=none"}), Launches("one"));
    EXPECT_EQ((std::vector<std::string>{"args=7|cwd=" + dir + "three|watched=none"}),
              Launches("three"));
    std::string text;
    EXPECT_FALSE(app.WaitForMessageBox(text, 300)) << text;
    app.Kill();

    // Nowhere to be found: one message naming the list as given, nothing started.
    ASSERT_TRUE(app.Start("no such list.txt", dir));
    ASSERT_TRUE(app.WaitForMessageBox(text));
    EXPECT_EQ("Cannot find the launch list:\rno such list.txt", text);
    ASSERT_TRUE(app.DismissMessageBox());
    ASSERT_TRUE(app.WaitForStrip());
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "no list, no switch";
}

// The window menu, read the way a user reads it: the window enumerated last (the
// bottom of the stack) stands first; from the end come the greyed line naming the
// switch key, "Transparent" (where layered windows exist), "Start with Windows",
// the launch item, a separator and then the windows of the other screen.
TEST_F(ParavueE2E, RightClickMenuMovesAWindowToTheOtherScreenAndBack) {
    OtherProgram other({{"m", "v", "", "E2E menu target"}, {"b", "v", "", "E2E bystander"}});
    ASSERT_TRUE(other.started());
    HWND target = other.Window("m"), bystander = other.Window("b");
    StartAndWait();
    SendToBottom(target);

    POINT p = CenterOf(app.NumberLabel());
    MouseRightClick(p.x, p.y);
    HWND menu = app.WaitForMenu();
    ASSERT_NE(nullptr, menu) << "a right click on the strip opens the window menu";
    PressKey(VK_HOME);
    PressKey(VK_RETURN);
    EXPECT_TRUE(app.WaitForNoMenu());
    EXPECT_TRUE(WaitFor([&] { return !Visible(target); }, 2000)) << "moved away at once";
    EXPECT_TRUE(Visible(bystander));
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "moving a window is no switch";

    POINT q = CenterOf(app.Button("?"));
    MouseRightClick(q.x, q.y);
    ASSERT_NE(nullptr, app.WaitForMenu());
    PressKey(VK_END);
    for (int i = IsLayeredSupported() ? 4 : 3; i > 0; --i)
        PressKey(VK_UP);
    PressKey(VK_RETURN);
    EXPECT_TRUE(app.WaitForNoMenu());
    EXPECT_TRUE(WaitFor([&] { return Visible(target); }, 2000)) << "brought back at once";
    EXPECT_EQ((std::vector<std::string>{"m hide", "m show"}), other.ShowHideLog());

    // Forgotten once back: a switch there and back hides and shows it like any other.
    SwitchTo(2);
    SwitchTo(1);
    EXPECT_TRUE(WaitFor([&] { return Visible(target) && Visible(bystander); }, 2000));
}

TEST_F(ParavueE2E, QuitOnScreenTwoShowsScreenOneOwnersFirstPausesAndSaves) {
    OtherProgram other({{"owner", "v", "", "E2E owner window"},
                        {"owned", "v", "owner", "E2E owned window"},
                        {"plain", "v", "", "E2E plain window"}});
    StartBeside(other);
    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] {
        return !Visible(other.Window("owner")) && !Visible(other.Window("owned")) &&
               !Visible(other.Window("plain"));
    }));

    Click(app.Button("X"));
    DWORD shownAt = 0, endedAt = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            if (!shownAt && Visible(other.Window("owned")) && Visible(other.Window("plain")))
                shownAt = GetTickCount();
            if (WaitForSingleObject(app.process(), 0) == WAIT_OBJECT_0) endedAt = GetTickCount();
            return endedAt != 0;
        },
        6000));
    ASSERT_NE(0u, shownAt) << "screen 1 came back before the end";
    EXPECT_GE(endedAt - shownAt, 450u) << "the pause after showing keeps the program alive";
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(100, code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(Visible(other.Window("owner")));
    EXPECT_TRUE(Visible(Taskbar()));
    std::vector<std::string> log = other.ShowHideLog();
    EXPECT_LT(IndexOf(log, "owner show"), IndexOf(log, "owned show"));
    EXPECT_LT(IndexOf(log, "owned show"), log.size());
    ExpectSavedPlace(kDefaultLeft, kDefaultTop);
}

TEST_F(ParavueE2E, QuitRightAfterStartIsQuickAndLogOffTakesTheSameRoadAsQuit) {
    StartAndWait();
    DWORD start = GetTickCount();
    EXPECT_EQ(0u, QuitWithButton());
    EXPECT_LT(GetTickCount() - start, 450u) << "nothing to show, nothing to wait for";
    ExpectSavedPlace(kDefaultLeft, kDefaultTop);
    app.Kill();

    DeleteSettingsKey();
    OtherProgram other({{"a", "v", "", "E2E window at log-off"}});
    StartBeside(other);
    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] { return !Visible(other.Window("a")); }));
    DWORD_PTR result;
    SendMessageTimeoutA(app.strip(), WM_ENDSESSION, 1, 0, SMTO_ABORTIFHUNG, 5000, &result);
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(Visible(other.Window("a")));
    EXPECT_TRUE(Visible(Taskbar()));
    ExpectSavedPlace(kDefaultLeft, kDefaultTop);
}

TEST_F(ParavueE2E, AWindowThatStoppedAnsweringFreezesNeitherSwitchNorMenuNorQuit) {
    OtherProgram other({{"h", "v", "", "E2E hung window"}});
    ASSERT_TRUE(other.started());
    HWND hung = other.Window("h");
    StartAndWait();
    SendToBottom(hung);
    // A window of another program that keeps answering.
    OtherProgram live({{"l", "v", "", "E2E answering window"}});
    ASSERT_TRUE(live.started());
    HWND answering = live.Window("l");
    PostMessageA(hung, WM_APP + 1, 20000, 0);
    ASSERT_TRUE(WaitFor([&] { return Hung(hung); }, 3000));

    DWORD start = GetTickCount();
    SwitchTo(2);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_TRUE(WaitFor([&] { return !Visible(answering); }, 2000));
    EXPECT_FALSE(Hung(app.strip()));
    SwitchTo(1);
    EXPECT_TRUE(WaitFor([&] { return Visible(answering); }, 2000));

    // The hung window stands first in the menu; moving it must not hang the strip.
    POINT p = CenterOf(app.NumberLabel());
    start = GetTickCount();
    MouseRightClick(p.x, p.y);
    ASSERT_NE(nullptr, app.WaitForMenu());
    PressKey(VK_HOME);
    PressKey(VK_RETURN);
    EXPECT_TRUE(app.WaitForNoMenu());
    EXPECT_FALSE(Hung(app.strip()));
    EXPECT_LT(GetTickCount() - start, 4000u);

    SwitchTo(2);
    start = GetTickCount();
    EXPECT_EQ(0u, QuitWithButton(5000));
    EXPECT_LT(GetTickCount() - start, 4000u);
    EXPECT_TRUE(Visible(answering));
}

TEST_F(ParavueE2E, DragOnTheNumberMovesTheStripAndItsPlaceIsSavedButAButtonDoesNotDrag) {
    // A program has the input, and keeps it through the drags.
    OtherProgram other({{"w", "v", "", "E2E window with the input during a drag"}});
    StartBeside(other);
    FocusOn(other.Window("w"));
    RECT before = RectOf(app.strip());
    POINT p = CenterOf(app.NumberLabel());
    MouseDrag(p.x, p.y, p.x - 300, p.y - 200);
    ASSERT_TRUE(WaitFor([&] { return RectOf(app.strip()).left != before.left; }, 2000))
        << "the strip did not move";
    RECT after = RectOf(app.strip());
    EXPECT_NEAR(before.left - 300, after.left, 2);
    EXPECT_NEAR(before.top - 200, after.top, 2);
    EXPECT_EQ(99, after.right - after.left);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == other.Window("w"); }, 2000))
        << "the drag left the input where it was";

    // A press on "?" that leaves the button before release: no move, no About form.
    // (Input that SendInput makes right after such a press may not reach Wine's
    // move loop, so this press comes second; a real mouse does both in any order.)
    WaitOutDoubleClick();
    POINT q = CenterOf(app.Button("?"));
    MouseDrag(q.x, q.y, q.x - 150, q.y - 120);
    WaitUntilInputHandled();
    EXPECT_EQ(after.left, RectOf(app.strip()).left) << "the press on \"?\" moved the strip";
    EXPECT_EQ(after.top, RectOf(app.strip()).top);
    EXPECT_TRUE(TopWindowsOf(app.pid(), "obj_Form").size() == 1u) << "no About form";
    EXPECT_EQ(0u, QuitWithButton());
    ExpectSavedPlace(after.left, after.top);
}

TEST_F(ParavueE2E, AboutFormClosesWithEnterOrWithEscapeThroughHelpAndEachClickBuildsAFreshOne) {
    // The help file beside the program is opened by a stand-in that writes down
    // what it was asked to open.
    const std::string viewerDir = MakeTempDir("e2ehelp");
    ASSERT_TRUE(CopyFileA((TestBinDir() + "launched.exe").c_str(),
                          (viewerDir + "launched.exe").c_str(), FALSE));
    HtmlOpensWith viewer(viewerDir + "launched.exe");
    const std::string opened = viewerDir + "launched.log";

    StartAndWait();
    auto aboutForm = [&] { return AboutFormOf(app.pid()); };
    Click(app.Button("?"));
    HWND first = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (first = aboutForm()) != nullptr; }, 3000));
    // Seen for the first time, it already stands in its place.
    RECT r = RectOf(first);
    const int w = r.right - r.left, h = r.bottom - r.top;
    EXPECT_EQ(kScreenW - 100 - w, r.left);
    EXPECT_EQ(kScreenH - 60 - h, r.top);
    EXPECT_FALSE(IsIconic(first));
    EXPECT_FALSE(IsWindowEnabled(app.strip())) << "the strip waits while About is open";
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == first; }, 2000));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(first); }, 2000)) << "Enter closes it";
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(app.strip()) != FALSE; }, 2000));

    Click(app.Button("?"));
    HWND second = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (second = aboutForm()) != nullptr; }, 3000));
    EXPECT_NE(first, second) << "a fresh form";
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == second; }, 2000));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(second); }, 3000)) << "Escape closes it";
    EXPECT_TRUE(WaitFor([&] { return !ReadWholeFile(opened).empty(); }, 5000));
    // Whatever Enter opened went before; everything opened has written its line.
    EXPECT_TRUE(WaitFor([] { return !ProcessRuns("launched.exe"); }));
    const std::vector<std::string> lines = ReadLines(opened);
    ASSERT_EQ(1u, lines.size()) << "Enter opens nothing: " << ReadWholeFile(opened);
    EXPECT_NE(std::string::npos, lines[0].find("paravue help.html\""))
        << "Escape presses Help: " << lines[0];
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(0u, QuitWithButton());
}

TEST_F(ParavueE2E, AltF4OnTheStripEndsTheRunLikeTheQuitButton) {
    OtherProgram other({{"a", "v", "", "E2E window at Alt+F4"}});
    StartBeside(other);
    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] { return !Visible(other.Window("a")); }));
    // A click leaves the input where it was; a second start brings the strip forward.
    POINT m = StripPoint(app.strip(), 1, 11);
    MouseClick(m.x, m.y);
    WaitUntilInputHandled();
    EXPECT_NE(app.strip(), GetForegroundWindow());
    Paravue second;
    ASSERT_TRUE(second.Start());
    DWORD handed = 1;
    ASSERT_TRUE(second.WaitForExit(3000, handed));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == app.strip(); }, 2000));
    PressChord(VK_MENU, VK_F4);
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(Visible(other.Window("a")));
    ExpectSavedPlace(kDefaultLeft, kDefaultTop);
}

// ---- the switch key, one strip at a time, lists handed to the running strip ----

// Ctrl+Alt+Space, pressed for real; downs > 1 holds Space down.
void PressCtrlAltSpace(int downs = 1) {
    LetFocusSettle();
    PressKeys({VK_CONTROL, VK_MENU}, VK_SPACE, downs);
}

TEST_F(ParavueE2E, CtrlAltSpaceSwitchesLikeTheButtonAndAKeyHeldDownSwitchesOnce) {
    OtherProgram other({{"a", "v", "", "E2E window of the hotkey"}});
    StartBeside(other);
    HWND a = other.Window("a");
    // The key works whatever window has the input.
    FocusOn(a);

    PressCtrlAltSpace();
    ASSERT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "2"; }, 3000));
    EXPECT_EQ("1", TextOf(app.SwitchButton()));
    EXPECT_TRUE(WaitFor([&] { return !Visible(a); }, 2000));
    PressCtrlAltSpace();
    ASSERT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "1"; }, 3000));
    EXPECT_TRUE(WaitFor([&] { return Visible(a); }, 2000));

    // Four key-downs before the key-up: one switch, not four.
    PressCtrlAltSpace(4);
    ASSERT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "2"; }, 3000));
    // Let go, the key works again. Its switch comes after whatever the four did:
    // once it is done, a switch too many would show in the log.
    PressCtrlAltSpace();
    EXPECT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "1"; }, 3000));
    ASSERT_TRUE(WaitFor([&] { return Visible(a); }, 2000));
    WaitUntilDone({a});
    EXPECT_EQ("1", TextOf(app.NumberLabel()));
    EXPECT_EQ((std::vector<std::string>{"a hide", "a show", "a hide", "a show"}),
              other.ShowHideLog());

    // A second press while the first switch still waits on a busy program is not
    // lost: it switches back once the first is done.
    PostMessageA(a, WM_APP + 1, 1500, 0);
    PressCtrlAltSpace();
    PressKeys({VK_CONTROL, VK_MENU}, VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return other.ShowHideLog().size() == 6; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "1" && Visible(a); }, 3000))
        << "the second press was lost";

    EXPECT_EQ(0u, QuitWithButton());
    ExpectSavedPlace(kDefaultLeft, kDefaultTop);
}

TEST_F(ParavueE2E, TheHotkeySettingChoosesTheKeyAndEmptyInvalidOrTakenMeanNoneWithoutAMessage) {
    OtherProgram other({{"a", "v", "", "E2E window of the key setting"}});
    ASSERT_TRUE(other.started());
    // Presses that do not reach the strip go to this window, or to the test where it
    // holds the key (a hotkey's presses go to its holder alone); Escape closes what
    // Alt and Space may open there.
    auto pressAndExpectNoSwitch = [&](const char* what, bool held) {
        FocusOn(other.Window("a"));
        const size_t before = other.Keys().size();
        PressCtrlAltSpace();
        PressKey(VK_ESCAPE);
        if (held) {
            MSG msg;
            EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE))
                << "the held key came to its holder";
        }
        // Once Escape is there, Space went where it goes.
        std::vector<std::string> keys;
        ASSERT_TRUE(WaitFor([&] {
            keys = other.Keys();
            keys.erase(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(before));
            return IndexOf(keys, "a key 27") < keys.size();
        })) << what;
        EXPECT_EQ(!held, IndexOf(keys, "a key 32") < keys.size()) << what;
        EXPECT_EQ("1", TextOf(app.NumberLabel())) << what;
    };

    WriteSetting("Hotkey", "Ctrl+Shift+F12");
    StartAndWait();
    pressAndExpectNoSwitch("Ctrl+Alt+Space is not the key any more", false);
    LetFocusSettle();
    PressKeys({VK_CONTROL, VK_SHIFT}, VK_F12);
    EXPECT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "2"; }, 3000));
    // While the window menu is open the key waits: the menu's items name this
    // screen. (Alt would close the menu itself, hence this key.)
    POINT p = CenterOf(app.NumberLabel());
    MouseRightClick(p.x, p.y);
    ASSERT_NE(nullptr, app.WaitForMenu());
    PressKeys({VK_CONTROL, VK_SHIFT}, VK_F12);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(app.WaitForNoMenu());
    // Pressed again, the key switches back. Its press comes after the one under the
    // menu: had that one switched, then or once the menu closed, this one would
    // switch back to 2 and the log would hold a switch too many.
    LetFocusSettle();
    PressKeys({VK_CONTROL, VK_SHIFT}, VK_F12);
    EXPECT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "1"; }, 3000));
    ASSERT_TRUE(WaitFor([&] { return Visible(other.Window("a")); }, 2000));
    WaitUntilDone({other.Window("a")});
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "no switch under the open menu";
    EXPECT_EQ((std::vector<std::string>{"a hide", "a show"}), other.ShowHideLog());
    EXPECT_EQ(0u, QuitWithButton());
    std::string stored;
    ASSERT_TRUE(ReadSetting("Hotkey", stored));
    EXPECT_EQ("Ctrl+Shift+F12", stored) << "read, never written";

    struct Case {
        const char* value; // null: no value, the default key, which another program holds
        const char* what;
    } cases[] = {{"", "an empty value"},
                 {"Ctrl+Tab", "a value that is not valid"},
                 {nullptr, "a key another program holds"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app.Kill();
        DeleteSettingsKey();
        // Held only in the last case: before it, a strip that fell back to the
        // default key would take the press and switch.
        const bool held = !c.value;
        if (held) {
            ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, VK_SPACE));
        }
        if (c.value) WriteSetting("Hotkey", c.value);
        StartAndWait();
        std::string text;
        EXPECT_FALSE(app.WaitForMessageBox(text, 500)) << text;
        pressAndExpectNoSwitch(c.what, held);
        if (held) UnregisterHotKey(nullptr, 7);
        SwitchTo(2); // the button works as ever
    }
}

// The window with the input goes with the windows it owns to screen 2 and the
// input to the next window here; the key does nothing on the desktop, the strip
// or a window that takes no part, and a switch shows the group on screen 2.
TEST_F(ParavueE2E, TheMoveKeySendsTheWindowWithTheInputAndItsGroupToTheNextScreen) {
    OtherProgram other({{"next", "v", "", "E2E next in line"},
                        {"main", "v", "", "E2E moved by the key"},
                        {"find", "vp", "main", "E2E find box of the moved"},
                        {"tool", "vt", "", "E2E tool window at the key"}});
    StartBeside(other);
    HWND next = other.Window("next"), main = other.Window("main"), find = other.Window("find"),
         tool = other.Window("tool");
    // On the window that has it first; then on the desktop, the strip and a tool
    // window, where it does nothing.
    for (HWND input :
         {find, GetShellWindow() ? GetShellWindow() : GetDesktopWindow(), app.strip(), tool}) {
        SCOPED_TRACE("the key on " + ClassOf(input) + " " + TextOf(input));
        SetForegroundWindow(input);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == input; }, 2000));
        LetFocusSettle();
        PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT}, VK_SPACE);
        // The strip takes its input in order: the key's move is done by then.
        WaitUntilInputHandled();
        EXPECT_FALSE(Visible(main) || Visible(find));
        EXPECT_TRUE(Visible(next) && Visible(tool));
        EXPECT_EQ("1", TextOf(app.NumberLabel())) << "the screen shown stays";
        EXPECT_TRUE(input != find || GetForegroundWindow() == next)
            << "the input went to " << TextOf(GetForegroundWindow()) << ", not the next window";
    }
    EXPECT_EQ((std::vector<std::string>{"main hide", "find hide"}), other.ShowHideLog());

    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] { return Visible(main) && Visible(find) && !Visible(next); }, 3000));
    WaitUntilDone({main});
    EXPECT_EQ(find, GetForegroundWindow()) << "the window that had the input has it again";
    EXPECT_EQ(0u, QuitWithButton());
}

// With three screens the switch key goes round 1, 2, 3, 1; Ctrl+Alt+3 and
// Ctrl+Alt+1 go straight there (nothing for the screen shown); Ctrl+Alt+Shift+3
// sends the window with the input and its group to screen 3; Ctrl+Alt+4 is no key
// of ours and reaches the window with the input.
TEST_F(ParavueE2E, WithThreeScreensTheDigitKeysGoStraightToAScreenAndSendTheWindowThere) {
    OtherProgram other({{"next", "v", "", "E2E next beside the digits"},
                        {"main", "v", "", "E2E sent by a digit"},
                        {"find", "vp", "main", "E2E find box sent by a digit"}});
    ASSERT_TRUE(other.started());
    WriteNumberSetting("Screens", 3);
    StartAndWait();
    HWND next = other.Window("next"), main = other.Window("main"), find = other.Window("find");
    auto shown = [&](const char* screen, bool windows) {
        ASSERT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == screen; }, 3000))
            << "the strip did not go to screen " << screen;
        EXPECT_TRUE(WaitFor([&] { return Visible(next) == windows && Visible(main) == windows; }))
            << "on screen " << screen;
        WaitUntilDone({next, main});
    };
    auto press = [&](std::initializer_list<WORD> held, WORD key) {
        LetFocusSettle();
        PressKeys(held, key);
    };
    FocusOn(next);
    for (const char* screen : {"2", "3", "1"}) {
        press({VK_CONTROL, VK_MENU}, VK_SPACE);
        shown(screen, *screen == '1');
    }
    press({VK_CONTROL, VK_MENU}, '3');
    shown("3", false);
    const size_t logged = other.ShowHideLog().size();
    press({VK_CONTROL, VK_MENU}, '3');
    WaitUntilInputHandled();
    EXPECT_EQ("3", TextOf(app.NumberLabel()));
    EXPECT_EQ(logged, other.ShowHideLog().size()) << "the screen shown: nothing to do";
    press({VK_CONTROL, VK_MENU}, '1');
    shown("1", true);

    FocusOn(find);
    press({VK_CONTROL, VK_MENU, VK_SHIFT}, '3');
    EXPECT_TRUE(WaitFor([&] { return !Visible(main) && !Visible(find); }, 3000));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == next; }, 3000))
        << "the input went to " << TextOf(GetForegroundWindow()) << ", not the next window";
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "the screen shown stays";

    // Not one of ours with three screens: the window with the input has it.
    FocusOn(next);
    press({VK_CONTROL, VK_MENU}, '4');
    PressKey(VK_ESCAPE);
    std::vector<std::string> keys;
    EXPECT_TRUE(WaitFor([&] {
        keys = other.Keys();
        return IndexOf(keys, "next key 27") < keys.size();
    }));
    EXPECT_LT(IndexOf(keys, "next key 52"), keys.size());
    EXPECT_EQ("1", TextOf(app.NumberLabel()));

    press({VK_CONTROL, VK_MENU}, '3');
    ASSERT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "3"; }, 3000));
    EXPECT_TRUE(WaitFor([&] { return Visible(main) && Visible(find) && !Visible(next); }, 3000));
    WaitUntilDone({main});
    EXPECT_EQ(find, GetForegroundWindow()) << "the window that had the input has it again";
    EXPECT_EQ(0u, QuitWithButton());
}

// A later start that ends within a second with code 0, leaving the one strip.
void ExpectHandedOver(Paravue& later, const std::string& args, const std::string& dir = "") {
    const DWORD start = GetTickCount();
    ASSERT_TRUE(later.Start(args, dir));
    DWORD code = 1;
    ASSERT_TRUE(later.WaitForExit(1000, code)) << "a second start ends within a second";
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(0u, code);
    EXPECT_EQ(1u, StripCount());
}

TEST_F(LaunchListE2E, ASecondStartBringsTheStripForwardAndHandsItsListOverToWaitForTheAboutForm) {
    OtherProgram other({{"w", "v", "", "E2E watched window"}});
    StartBeside(other);
    FocusOn(other.Window("w"));
    Paravue second;
    ASSERT_NO_FATAL_FAILURE(ExpectHandedOver(second, ""));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == app.strip(); }, 2000));
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "no list, no switch";

    // Named relative to the later start's folder, which the running strip does not share.
    WriteWholeFile(dir + "handed list.txt",
                   dir + "missing.exe\r\n" + dir + "one\\launched.exe\r\n");
    Paravue third;
    ASSERT_NO_FATAL_FAILURE(ExpectHandedOver(third, "\"handed list.txt\"", dir));
    std::string text;
    ASSERT_TRUE(app.WaitForMessageBox(text));
    EXPECT_EQ("Cannot find file:\r" + dir + "missing.exe", text);
    ASSERT_TRUE(app.DismissMessageBox());
    ASSERT_TRUE(WaitFor([&] { return !Launches("one").empty(); }, 8000));
    EXPECT_EQ((std::vector<std::string>{"args=|cwd=" + dir + "one|watched=hidden"}),
              Launches("one"));
    EXPECT_EQ("2", TextOf(app.NumberLabel()));
    EXPECT_EQ((std::vector<std::string>{"w hide"}), other.ShowHideLog()) << "one switch";

    // Handed over while the About form is open: carried out once it closes.
    WriteWholeFile(dir + "later list.txt", dir + "three\\launched.exe 9\r\n");
    Click(app.Button("?"));
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (about = AboutFormOf(app.pid())) != nullptr; }, 3000));
    Paravue fourth;
    ASSERT_NO_FATAL_FAILURE(ExpectHandedOver(fourth, "\"" + dir + "later list.txt\""));
    // Nothing shows that the strip has looked at the list and put it off: it looks
    // again every 100 ms on a timer of its own. A second gives it ten looks.
    Sleep(1000);
    EXPECT_TRUE(Launches("three").empty()) << "nothing while the About form is open";
    EXPECT_EQ("2", TextOf(app.NumberLabel()));
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == about; }, 2000));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !Launches("three").empty(); }, 8000));
    EXPECT_EQ((std::vector<std::string>{"args=9|cwd=" + dir + "three|watched=visible"}),
              Launches("three"));
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "each list switches once";
}
} // namespace
