// More than two screens: the strip leads through them in turn, a window goes to
// any screen through its item's submenu, fewer screens bring the windows of the
// screens that go to the one shown, and no way the run ends leaves a window of
// any screen hidden. The number is stored before the strip starts, as the user's
// earlier choice leaves it.
#include "e2e/E2EFixture.h"
#include "settings/MiniReg.h"
#include "settings/WindowRules.h"
#include "support/SettingsKey.h"
#include <cstring>

namespace {
using namespace e2e;

constexpr const char* kScreensValue = "Software\\Quenbrook\\Paravue\\Screens";

uint32_t StoredScreens() {
    std::string data;
    uint32_t n = 0;
    if (ReadRegValue(HKEY_CURRENT_USER, kScreensValue, REG_DWORD, data) && data.size() == 4)
        std::memcpy(&n, data.data(), 4);
    return n;
}

void StoreScreens(uint32_t n) {
    WriteNumberSetting("Screens", n);
    ASSERT_EQ(n, StoredScreens());
}

void Raise(HWND w) {
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::string Digit(int n) {
    return std::to_string(n);
}

class ScreensE2E : public ParavueE2E {
  protected:
    void SetUp() override {
        ParavueE2E::SetUp();
        StoreScreens(3);
    }

    // What the strip says on screen here: its number, the switch button's digit
    // and its hint.
    void ExpectStripOn(int here, int next) {
        EXPECT_EQ(Digit(here), TextOf(app.NumberLabel()));
        EXPECT_EQ(Digit(next), TextOf(app.SwitchButton()));
        EXPECT_EQ(" Switch to screen " + Digit(next) + " ", HintOn(app, app.SwitchButton()));
    }

    // True when, of all, exactly the windows of shown are visible, and still are
    // once the strip and their programs have done what was asked.
    bool Shows(const std::vector<HWND>& all, const std::vector<HWND>& shown) {
        const auto right = [&] {
            for (HWND w : all)
                if (Visible(w) != (std::find(shown.begin(), shown.end(), w) != shown.end()))
                    return false;
            return true;
        };
        if (!WaitFor(right, 3000)) return false;
        WaitUntilDone();
        for (HWND w : all)
            if (!Answers(w, 10000)) return false;
        return right();
    }
};

TEST_F(ScreensE2E, ThreeScreensInTurnAMoveToScreenThreeAndFewerScreensBringTheirWindowsBack) {
    OtherProgram one({{"a", "v", "", "E2E screen one"}});
    StartBeside(one);
    HWND a = one.Window("a");
    ExpectStripOn(1, 2);

    SwitchTo(2);
    OtherProgram two({{"b", "v", "", "E2E screen two"}});
    ASSERT_TRUE(two.started());
    HWND b = two.Window("b");
    ExpectStripOn(2, 3);

    SwitchTo(3);
    OtherProgram three({{"c1", "v", "", "E2E screen three 1"},
                        {"c2", "v", "", "E2E screen three 2"},
                        {"c3", "v", "", "E2E screen three 3"}});
    ASSERT_TRUE(three.started());
    const std::vector<std::string> names{"c1", "c2", "c3"};
    for (const char* n : {"c3", "c1", "c2"})
        Raise(three.Window(n));
    const std::vector<std::string> stacked{"c2", "c1", "c3"};
    ASSERT_EQ(stacked, three.Stacking(names));
    std::vector<HWND> c, all{a, b};
    for (const std::string& n : names)
        c.push_back(three.Window(n));
    all.insert(all.end(), c.begin(), c.end());
    ExpectStripOn(3, 1);

    // Round the three screens: each one's windows there alone.
    SwitchTo(1);
    EXPECT_TRUE(Shows(all, {a}));
    ExpectStripOn(1, 2);
    SwitchTo(2);
    EXPECT_TRUE(Shows(all, {b}));
    SwitchTo(3);
    EXPECT_TRUE(Shows(all, c));
    EXPECT_EQ(stacked, three.Stacking(names));
    SwitchTo(1);
    EXPECT_TRUE(Shows(all, {a}));

    // The window's item opens "to screen 2", "to screen 3": the second.
    SendToBottom(a);
    ChooseMenuItem({VK_HOME, VK_RIGHT, VK_DOWN});
    EXPECT_TRUE(Shows(all, {})) << "moved away at once";
    EXPECT_EQ("1", TextOf(app.NumberLabel())) << "moving a window is no switch";
    SwitchTo(2);
    EXPECT_TRUE(Shows(all, {b})) << "not on screen 2";
    SwitchTo(3);
    std::vector<HWND> onThree = c;
    onThree.push_back(a);
    EXPECT_TRUE(Shows(all, onThree)) << "on screen 3";

    // Back to two screens from screen 2, where b has the input; the windows of
    // screen 3 come, stacked as they were left.
    SwitchTo(1);
    EXPECT_TRUE(Shows(all, {}));
    SwitchTo(2);
    EXPECT_TRUE(Shows(all, {b}));
    FocusOn(b);
    // b's item, then "Screens", whose first item is "2".
    ChooseMenuItem({VK_HOME, VK_DOWN, VK_RIGHT});
    EXPECT_TRUE(Shows(all, all)) << "the windows of screen 3 come to screen 2";
    EXPECT_EQ(stacked, three.Stacking(names));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == b; }, 3000))
        << "the input stays with the window that had it";
    ExpectStripOn(2, 1);
    EXPECT_EQ(2u, StoredScreens());

    // Two screens from now on: the switch goes to 1 and back.
    SwitchTo(1);
    EXPECT_TRUE(Shows(all, {}));
    ExpectStripOn(1, 2);
    SwitchTo(2);
    EXPECT_TRUE(Shows(all, all));
    EXPECT_EQ(0u, QuitWithButton());
}

// From two screens to three: the strip leads to the third, and a rule for screen 3,
// skipped while there was none, sends a new window there.
TEST_F(ScreensE2E, MoreScreensChosenInTheMenuAreSavedAndARuleForTheNewScreenHolds) {
    StoreScreens(2);
    ASSERT_TRUE(WriteRegLines(HKEY_CURRENT_USER, kWindowRulesPath, {"testwins.exe=3"}));
    StartAndWait();
    ExpectStripOn(1, 2);
    // No window here: the menu starts with "Screens"; its second item is "3".
    ChooseMenuItem({VK_HOME, VK_RIGHT, VK_DOWN});
    EXPECT_TRUE(WaitFor([&] { return StoredScreens() == 3; }, 3000));
    ExpectStripOn(1, 2);

    OtherProgram other({{"a", "v", "", "E2E ruled to three"}});
    ASSERT_TRUE(other.started());
    HWND a = other.Window("a");
    EXPECT_TRUE(Shows({a}, {})) << "sent to screen 3 as it opened";
    SwitchTo(2);
    ExpectStripOn(2, 3);
    EXPECT_TRUE(Shows({a}, {}));
    SwitchTo(3);
    EXPECT_TRUE(Shows({a}, {a}));
    ExpectStripOn(3, 1);
    EXPECT_EQ(0u, QuitWithButton());
}

TEST_F(ScreensE2E, QuitLogOffAKilledStripAndTheNextStartShowTheWindowsOfEveryScreen) {
    enum End { Quit, LogOff, Guard, NextStart };
    for (End end : {Quit, LogOff, Guard, NextStart}) {
        SCOPED_TRACE(testing::Message() << "end " << end);
        // Each program starts while its screen is shown.
        OtherProgram one({{"a", "v", "", "E2E on one"}});
        StartBeside(one);
        SwitchTo(2);
        OtherProgram two({{"b", "v", "", "E2E on two"}});
        SwitchTo(3);
        OtherProgram three({{"c", "v", "", "E2E on three"}});
        SwitchTo(1);
        const std::vector<HWND> all{one.Window("a"), two.Window("b"), three.Window("c")};
        ASSERT_TRUE(two.started() && three.started() && Shows(all, {all[0]}));
        const DWORD guard = app.GuardPid();
        ASSERT_NE(0u, guard);
        if (end == Quit) {
            EXPECT_EQ(0u, QuitWithButton());
        } else if (end == LogOff) {
            DWORD_PTR result;
            SendMessageTimeoutA(app.strip(), WM_ENDSESSION, 1, 0, SMTO_ABORTIFHUNG, 5000, &result);
            DWORD code = 1;
            EXPECT_TRUE(app.WaitForExit(5000, code));
            EXPECT_EQ(0u, code);
        } else if (end == Guard) {
            TerminateProcess(app.process(), 1);
        } else {
            ASSERT_TRUE(app.KillGuard());
            app.Kill();
            for (HWND w : {all[1], all[2]})
                EXPECT_TRUE(Answers(w, 10000) && !Visible(w)) << "nobody is left to show them";
            ASSERT_TRUE(app.Start());
            ASSERT_TRUE(app.WaitForStrip());
        }
        EXPECT_TRUE(WaitFor([&] { return Visible(all[1]) && Visible(all[2]); }, 3000))
            << "the windows of screens 2 and 3 are back";
        if (end != NextStart) {
            EXPECT_TRUE(WaitFor([&] { return ProcessEnded(guard); }, 3000)) << "no guard left";
        }
        for (HWND w : all)
            EXPECT_TRUE(Answers(w, 10000) && Visible(w));
        EXPECT_EQ((std::vector<std::string>{"b hide", "b show"}), two.ShowHideLog());
        EXPECT_EQ((std::vector<std::string>{"c hide", "c show"}), three.ShowHideLog());
        app.Kill();
    }
}
} // namespace
