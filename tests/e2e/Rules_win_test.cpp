// Rules per program: a program kept on every screen, set and cleared by a click
// in the menu's "Keep on every screen", and a program whose new windows go to a
// screen of their own.
#include "e2e/E2EFixture.h"
#include "settings/MiniReg.h"
#include "settings/WindowRules.h"

namespace {
using namespace e2e;
using RulesE2E = ParavueE2E;

void WriteRules(const std::vector<std::string>& lines) {
    ASSERT_TRUE(WriteRegLines(HKEY_CURRENT_USER, kWindowRulesPath, lines));
}

std::vector<std::string> StoredRules() {
    std::vector<std::string> lines;
    ReadRegLines(HKEY_CURRENT_USER, kWindowRulesPath, lines);
    return lines;
}

HWND WindowOfProcess(const ChildProcess& p, const char* cls) {
    HWND w = nullptr;
    WaitFor([&] {
        const std::vector<HWND> found = TopWindowsOf(p.pid(), cls);
        return (w = found.empty() ? nullptr : found[0]) != nullptr;
    });
    return w;
}

bool Becomes(HWND w, bool visible) {
    return WaitFor([&] { return Visible(w) == visible; }, 3000);
}

bool Logged(const OtherProgram& p, const std::string& line) {
    return WaitFor([&] { return IndexOf(p.ShowHideLog(), line) < p.ShowHideLog().size(); }, 3000);
}

class EveryScreenMenu {
  public:
    // Opens the window menu, goes up from its end to "Keep on every screen" (below
    // it only the launch item and the switches when no window is on another
    // screen) and opens the submenu, a window of its own.
    explicit EveryScreenMenu(const Paravue& app) : app_(app) {
        POINT p = CenterOf(app.NumberLabel());
        MouseRightClick(p.x, p.y);
        HWND top = app.WaitForMenu();
        if (!top) return;
        PressKey(VK_END);
        for (int i = IsLayeredSupported() ? 4 : 3; i > 0; --i)
            PressKey(VK_UP);
        PressKey(VK_RIGHT);
        WaitFor([&] {
            for (HWND w : TopWindowsOf(app.pid(), "#32768"))
                if (w != top) sub_ = w;
            return sub_ != nullptr;
        });
    }
    HWND sub() const { return sub_; }
    // A click on item n of count (the programs in alphabetical order).
    void Click(int n, int count) const {
        RECT r = RectOf(sub_);
        MouseClick((r.left + r.right) / 2, r.top + (r.bottom - r.top) * (2 * n + 1) / (2 * count));
        app_.WaitForNoMenu();
        MouseMoveTo(600, 300);
    }

  private:
    const Paravue& app_;
    HWND sub_ = nullptr;
};

TEST_F(RulesE2E, AProgramOnEveryScreenStaysAndAClickInTheMenuSetsOrClearsItsRule) {
    WriteRules({"; my rules", "TESTWINS.EXE=both", "other.exe=3"});
    OtherProgram player(
        {{"player", "v", "", "E2E rules player"}, {"list", "v", "player", "E2E rules list"}});
    ChildProcess minimal(ProgramBeside("minimal.exe"));
    HWND mini = WindowOfProcess(minimal, "Minimal");
    ASSERT_NE(nullptr, mini);
    StartBeside(player);
    HWND main = player.Window("player"), list = player.Window("list");

    SwitchTo(2);
    EXPECT_TRUE(Becomes(mini, false));
    EXPECT_TRUE(Visible(main) && Visible(list)) << "on every screen";
    SwitchTo(1);
    EXPECT_TRUE(Becomes(mini, true));
    EXPECT_EQ((std::vector<std::string>{}), player.ShowHideLog()) << "never hidden nor shown";

    // The programs are listed minimal.exe, then testwins.exe (checked).
    {
        EveryScreenMenu menu(app);
        ASSERT_NE(nullptr, menu.sub()) << "the submenu opens";
        menu.Click(1, 2);
    }
    EXPECT_TRUE(WaitFor([&] { return StoredRules().size() == 2; }));
    EXPECT_EQ((std::vector<std::string>{"; my rules", "other.exe=3"}), StoredRules());
    SwitchTo(2);
    EXPECT_TRUE(Becomes(main, false) && Becomes(list, false)) << "an ordinary program again";
    SwitchTo(1);
    EXPECT_TRUE(Becomes(main, true) && Becomes(list, true));

    {
        EveryScreenMenu menu(app);
        ASSERT_NE(nullptr, menu.sub());
        menu.Click(0, 2);
    }
    EXPECT_TRUE(WaitFor([&] { return StoredRules().size() == 3; }));
    EXPECT_EQ((std::vector<std::string>{"; my rules", "other.exe=3", "minimal.exe=both"}),
              StoredRules());
    SwitchTo(2);
    EXPECT_TRUE(Becomes(main, false));
    EXPECT_TRUE(Visible(mini)) << "Minimal is on every screen now";
    SwitchTo(1);
    EXPECT_EQ(0u, QuitWithButton());
    EXPECT_TRUE(Visible(main) && Visible(mini));
}

TEST_F(RulesE2E, AWindowItsProgramOpensGoesToTheRulesScreenAndLeavesTheInputWhereItWas) {
    WriteRules({"testwins.exe=2"});
    OtherProgram other({{"a", "v", "", "E2E rules present"}, {"b", "v", "", "E2E rules too"}});
    ChildProcess minimal(ProgramBeside("minimal.exe"));
    HWND mini = WindowOfProcess(minimal, "Minimal");
    ASSERT_NE(nullptr, mini);
    StartBeside(other);
    FocusOn(mini);
    HWND a = other.Window("a"), b = other.Window("b");
    // Above the window with the input, a stands next in line for it.
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    WaitUntilDone({a});

    // It takes the input as it opens, as many programs' windows do.
    HWND opened = other.Open("a", 1, false, true, true);
    ASSERT_NE(nullptr, opened);
    ASSERT_TRUE(Logged(other, "a#1 show"));
    EXPECT_TRUE(Becomes(opened, false)) << "sent to screen 2 at once";
    WaitUntilDone({opened});
    LetFocusSettle();
    EXPECT_EQ(mini, GetForegroundWindow()) << "the input stays where it was";
    EXPECT_LT(IndexOf(other.Activated(), "a#1"), other.Activated().size()) << "it had taken it";
    EXPECT_TRUE(Visible(a) && Visible(b)) << "windows there at the start stay";
    EXPECT_EQ("1", TextOf(app.NumberLabel()));

    SwitchTo(2);
    EXPECT_TRUE(Becomes(opened, true));
    EXPECT_TRUE(Becomes(a, false) && Becomes(mini, false));
    // Opened while its screen is shown, a window stays.
    HWND more = other.Open("a", 2, false, true);
    ASSERT_TRUE(Logged(other, "a#2 show"));
    WaitUntilDone({more});
    EXPECT_TRUE(Visible(more));
    SwitchTo(1);
    EXPECT_TRUE(Becomes(opened, false) && Becomes(more, false));
    EXPECT_TRUE(Becomes(a, true) && Becomes(b, true));
    EXPECT_EQ(0u, QuitWithButton());
    EXPECT_TRUE(Visible(opened) && Visible(more));
}
} // namespace
