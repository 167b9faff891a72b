// A screen comes back as the user left it: its windows stacked as they stood, and
// every window with the windows it owns (find boxes, palettes, the dialog a
// window waits on), which go, come back and move through the menu with it.
#include "e2e/E2EFixture.h"
#include "settings/Transparency.h"

namespace {
using namespace e2e;
using GroupsE2E = ParavueE2E;

void Raise(HWND w) {
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// True once every named window of prog is visible (or hidden) within 3 s.
bool AllBecome(const OtherProgram& prog, const std::vector<std::string>& names, bool visible) {
    return WaitFor(
        [&] {
            for (const std::string& n : names)
                if (Visible(prog.Window(n)) != visible) return false;
            return true;
        },
        3000);
}

// Whether each of owned stands above owner.
bool Above(const std::vector<std::string>& stack, std::initializer_list<const char*> owned,
           const char* owner) {
    for (const char* n : owned)
        if (IndexOf(stack, n) >= IndexOf(stack, owner)) return false;
    return IndexOf(stack, owner) < stack.size();
}

TEST_F(GroupsE2E, ARoundTripBringsTheScreenBackStackedAsItWasLeftWithoutActivatingEachWindow) {
    OtherProgram other({{"bottom", "v", "", "E2E stacked bottom"},
                        {"middle", "v", "", "E2E stacked middle"},
                        {"top", "v", "", "E2E stacked top"}});
    StartBeside(other);
    const std::vector<std::string> names{"bottom", "middle", "top"};
    for (const std::string& n : names)
        Raise(other.Window(n));
    const std::vector<std::string> stacked{"top", "middle", "bottom"};
    ASSERT_EQ(stacked, other.Stacking(names));

    SwitchTo(2);
    ASSERT_TRUE(AllBecome(other, names, false));
    const size_t activations = other.Activated().size();
    SwitchTo(1);
    ASSERT_TRUE(AllBecome(other, names, true));
    WaitUntilDone({other.Window("top")});
    EXPECT_EQ(stacked, other.Stacking(names));
    EXPECT_LE(other.Activated().size(), activations + 1)
        << "at most the window that gets the input is activated";
}

// The named windows, top first, as the desktop stacks them.
std::vector<std::string> StackOf(const std::vector<std::pair<std::string, HWND>>& named) {
    std::vector<std::string> order;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        for (const auto& [name, h] : named)
            if (h == w) order.push_back(name);
    return order;
}

TEST_F(GroupsE2E, ThreeProgramsInterleavedComeBackInTheExactOrderEveryRoundTrip) {
    OtherProgram a({{"1", "v", "", "E2E interleaved A1"}, {"2", "v", "", "E2E interleaved A2"}});
    OtherProgram b({{"1", "v", "", "E2E interleaved B1"}, {"2", "v", "", "E2E interleaved B2"}});
    OtherProgram c({{"1", "v", "", "E2E interleaved C1"}, {"2", "v", "", "E2E interleaved C2"}});
    ASSERT_TRUE(b.started() && c.started());
    StartBeside(a);
    // Top first: each program's windows lie apart, between those of the others.
    const std::vector<std::pair<std::string, HWND>> named{
        {"A1", a.Window("1")}, {"B1", b.Window("1")}, {"C1", c.Window("1")},
        {"A2", a.Window("2")}, {"B2", b.Window("2")}, {"C2", c.Window("2")}};
    for (auto w = named.rbegin(); w != named.rend(); ++w)
        Raise(w->second);
    FocusOn(named.front().second);
    std::vector<std::string> stacked;
    for (const auto& w : named)
        stacked.push_back(w.first);
    ASSERT_EQ(stacked, StackOf(named));

    auto all = [&](bool visible) {
        return WaitFor(
            [&] {
                for (const auto& w : named)
                    if (Visible(w.second) != visible) return false;
                return true;
            },
            5000);
    };
    for (int trip = 1; trip <= 20; ++trip) {
        SCOPED_TRACE("round trip " + std::to_string(trip));
        SwitchTo(2);
        ASSERT_TRUE(all(false));
        SwitchTo(1);
        ASSERT_TRUE(all(true));
        WaitUntilDone({a.Window("1"), b.Window("1"), c.Window("1")});
        // Once wrong, the next trip would start from the wrong order.
        ASSERT_EQ(stacked, StackOf(named));
    }
    // A program busy as the screen comes back (a loaded machine does it too) is not
    // waited for past its time; its windows still end up in their places.
    SwitchTo(2);
    ASSERT_TRUE(all(false));
    PostMessageA(c.Window("1"), WM_APP + 1, 1500, 0);
    SwitchTo(1);
    ASSERT_TRUE(all(true));
    WaitUntilDone({a.Window("1"), b.Window("1"), c.Window("1")});
    EXPECT_TRUE(WaitFor([&] { return StackOf(named) == stacked; }, 2000))
        << "with a program busy for 1.5 s";
    EXPECT_EQ(0u, QuitWithButton());
}

TEST_F(GroupsE2E, AWindowTakesItsFindBoxAndPaletteAlongAndTheMenuMovesThemAsOneItem) {
    OtherProgram other({{"main", "v", "", "E2E editor"},
                        {"find", "vp", "main", "E2E find box"},
                        {"palette", "vt", "main", "E2E palette"},
                        {"bystander", "v", "", "E2E bystander"}});
    StartBeside(other);
    const std::vector<std::string> group{"main", "find", "palette"};
    const std::vector<std::string> all{"main", "find", "palette", "bystander"};

    SwitchTo(2);
    EXPECT_TRUE(AllBecome(other, all, false)) << "nothing of the editor stays behind";
    SwitchTo(1);
    ASSERT_TRUE(AllBecome(other, all, true));
    EXPECT_TRUE(Above(other.Stacking(all), {"find", "palette"}, "main"))
        << "the owned windows stand above their owner again";

    // At the bottom of the stack, the editor's item stands first in the menu.
    SendToBottom(other.Window("main"));
    ChooseMenuItem({VK_HOME});
    EXPECT_TRUE(AllBecome(other, group, false)) << "moved to screen 2 as one";
    EXPECT_TRUE(Visible(other.Window("bystander")));
    EXPECT_EQ("1", TextOf(app.NumberLabel()));

    // The one item of screen 2 stands last before the launch item; the second
    // right click is no double click.
    WaitOutDoubleClick();
    ChooseNearLaunchItem(1);
    EXPECT_TRUE(AllBecome(other, group, true)) << "brought back as one";
    EXPECT_TRUE(Above(other.Stacking(all), {"find", "palette"}, "main"));
    EXPECT_EQ(0u, QuitWithButton());
    EXPECT_TRUE(AllBecome(other, all, true));
}

TEST_F(GroupsE2E, AWindowWaitingOnItsDialogGoesAndComesBackWithIt) {
    OtherProgram other({{"document", "vd", "", "E2E document with a question open"},
                        {"question", "vp", "document", "E2E save changes?"},
                        {"alone", "vd", "", "E2E disabled on its own"}});
    StartBeside(other);
    const std::vector<std::string> pair{"document", "question"};

    SwitchTo(2);
    EXPECT_TRUE(AllBecome(other, pair, false)) << "the pair leaves together";
    EXPECT_TRUE(Visible(other.Window("alone"))) << "a disabled window alone stays";
    SwitchTo(1);
    ASSERT_TRUE(AllBecome(other, pair, true));
    EXPECT_TRUE(Above(other.Stacking(pair), {"question"}, "document"));
    EXPECT_EQ((std::vector<std::string>{"document hide", "question hide", "document show",
                                        "question show"}),
              other.ShowHideLog());
}
} // namespace
