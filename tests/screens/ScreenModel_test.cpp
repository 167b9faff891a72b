#include "screens/ScreenModel.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <iterator>
#include <string>

// Every check runs for two screens and for three: the third catches rules that
// only hold while "the other screen" is one screen.
namespace {
using Handles = std::vector<uintptr_t>;
constexpr int kCounts[] = {2, 3};

ShownWindow W(uintptr_t handle, uintptr_t main = 0, const char* title = "") {
    return {handle, main ? main : handle, 0, false, title, 0};
}
Handles Of(const std::vector<WindowEntry>& list) {
    Handles out;
    for (const WindowEntry& e : list)
        out.push_back(e.Handle);
    return out;
}
Handles Of(const std::vector<InputCandidate>& list) {
    Handles out;
    for (const InputCandidate& c : list)
        out.push_back(c.window);
    return out;
}
std::string Digit(int n) {
    return std::to_string(n);
}
} // namespace

TEST(ScreenModel, SwitchRecordsTheScreenLeftAndShowsTheTargetsListWithItsInput) {
    for (int n : kCounts) {
        SCOPED_TRACE(n);
        ScreenModel m(n);
        // Bottom first: 10 with its palette 11, 20 (has the input), 30 with its find box 31.
        SwitchPlan p = m.PlanSwitch(2, {W(10, 0, "Ten"), W(11, 10), W(20), W(30), W(31, 30)}, 20);
        EXPECT_EQ(1, p.from);
        EXPECT_EQ(2, p.to);
        EXPECT_EQ(2, m.Current());
        EXPECT_EQ((Handles{10, 11, 20, 30, 31}), p.hide);
        EXPECT_EQ(p.hide, Of(m.List(1)));
        EXPECT_TRUE(p.show.empty() && p.input.empty());
        for (const WindowEntry& e : m.List(1))
            EXPECT_EQ(e.Handle == 20, e.WasForeground) << e.Handle;
        EXPECT_EQ(10u, m.Find(11)->Main);
        EXPECT_EQ("Ten", m.Find(10)->Title);

        // Round the other screens back to 1; each leaves one group, its palette with the input.
        for (int s = 2; s <= n; ++s) {
            const uintptr_t main = 100 * s;
            p = m.PlanSwitch(m.Next(), {W(main), W(main + 1, main)}, main + 1);
            EXPECT_EQ(s, p.from);
            EXPECT_EQ(s % n + 1, m.Current());
            EXPECT_EQ(s == n, !p.show.empty());
        }
        EXPECT_EQ((Handles{10, 11, 20, 30, 31}), Of(p.show));
        // The window with the input first, then main windows top first; no palette.
        ASSERT_EQ((Handles{20, 30, 10}), Of(p.input));
        EXPECT_TRUE(p.input[0].hadInput);
        EXPECT_FALSE(p.input[1].hadInput || p.input[2].hadInput);
        EXPECT_TRUE(m.List(1).empty());
        for (int s = 2; s <= n; ++s)
            EXPECT_EQ((Handles{100u * s, 100u * s + 1}), Of(m.List(s))) << s;

        // A palette that had the input is offered it first.
        p = m.PlanSwitch(2, {}, 0);
        ASSERT_EQ((Handles{201, 200}), Of(p.input));
        EXPECT_TRUE(p.input[0].hadInput);
    }
}

TEST(ScreenModel, ASwitchToNoOtherScreenOrAfterTheEndDoesNothing) {
    for (int n : kCounts) {
        for (int target : {2, 0, n + 1, -1}) {
            SCOPED_TRACE(testing::Message() << n << " screens, to " << target);
            ScreenModel m(n);
            m.PlanSwitch(2, {W(10)}, 0);
            const bool ended = target == -1;
            m.Ended = ended;
            const SwitchPlan p = m.PlanSwitch(ended ? m.Next() : target, {W(20)}, 20);
            EXPECT_EQ(0, p.to);
            EXPECT_TRUE(p.hide.empty() && p.show.empty() && p.input.empty());
            EXPECT_EQ(2, m.Current());
            EXPECT_EQ((Handles{10}), Of(m.All()));
        }
    }
}

TEST(ScreenModel, NextWrapsAndTheStripSaysWhereTheSwitchGoes) {
    for (int n : kCounts) {
        ScreenModel m(n);
        for (int step = 1; step <= 2 * n; ++step) {
            const int here = (step - 1) % n + 1, next = step % n + 1;
            SCOPED_TRACE(testing::Message() << n << " screens, on " << here);
            ASSERT_EQ(here, m.Current());
            EXPECT_EQ(next, m.Next());
            const StripTexts t = m.Texts();
            EXPECT_EQ(Digit(here), t.number);
            EXPECT_EQ(Digit(next), t.switchCaption);
            EXPECT_EQ(" Switch to screen " + Digit(next) + " ", t.switchHint);
            EXPECT_EQ(next, m.PlanSwitch(m.Next(), {}, 0).to);
        }
    }
}

TEST(ScreenModel, ARecordingStartsAfreshAndTakesItsWindowsFromOtherScreens) {
    for (int n : kCounts) {
        SCOPED_TRACE(n);
        ScreenModel m(n);
        m.MoveGroup(70, n, {W(70)}, 0);
        m.PlanSwitch(2, {W(10), W(20)}, 0);
        m.RecordCurrent({W(50), W(20)}, 50);
        EXPECT_EQ((Handles{10}), Of(m.List(1)));
        EXPECT_EQ((Handles{20, 60}), m.RecordCurrent({W(20), W(60)}, 60));
        EXPECT_EQ((Handles{20, 60}), Of(m.List(2)));
        EXPECT_FALSE(m.Find(20)->WasForeground);
        EXPECT_TRUE(m.Find(60)->WasForeground);
        EXPECT_EQ((Handles{10}), Of(m.List(1)));
        EXPECT_EQ(n == 3 ? Handles{70} : Handles{}, Of(m.List(3)));
    }
}

TEST(ScreenModel, MenuMovesHideRefileOrShowAWholeGroup) {
    for (int n : kCounts) {
        SCOPED_TRACE(n);
        ScreenModel m(n);
        const std::vector<ShownWindow> group = {W(10), W(11, 10)};
        MovePlan p = m.MoveGroup(10, 2, group, 11);
        EXPECT_EQ((Handles{10, 11}), p.hide);
        EXPECT_TRUE(p.show.empty());
        EXPECT_EQ((Handles{10, 11}), Of(m.List(2)));
        EXPECT_TRUE(m.Find(11)->WasForeground);

        // Moves that go nowhere: to where it is, out of range, of an unknown window.
        struct Nothing {
            uintptr_t main;
            int target;
            std::vector<ShownWindow> group;
        } nothing[] = {{10, 2, {}}, {20, 1, {W(20)}}, {10, 0, {}}, {10, n + 1, {}}, {99, 2, {}}};
        for (const Nothing& c : nothing) {
            p = m.MoveGroup(c.main, c.target, c.group, 0);
            EXPECT_TRUE(p.hide.empty() && p.show.empty()) << c.main << " to " << c.target;
            EXPECT_EQ((Handles{10, 11}), Of(m.All())) << c.main << " to " << c.target;
        }

        if (n == 3) {
            // Between two hidden screens: refiled on top of the other's list, no hide or show.
            m.MoveGroup(30, 3, {W(30)}, 0);
            p = m.MoveGroup(10, 3, {}, 0);
            EXPECT_TRUE(p.hide.empty() && p.show.empty());
            EXPECT_TRUE(m.List(2).empty());
            EXPECT_EQ((Handles{30, 10, 11}), Of(m.List(3)));
            m.MoveGroup(30, 3, {}, 0); // where it is: stays where it stands
            EXPECT_EQ((Handles{30, 10, 11}), Of(m.List(3)));
        }
        p = m.MoveGroup(10, 1, {}, 0);
        EXPECT_TRUE(p.hide.empty());
        EXPECT_EQ((Handles{10, 11}), Of(p.show));
        EXPECT_EQ(0, m.ScreenOf(10) + m.ScreenOf(11));
    }
}

TEST(ScreenModel, MenuItemsOnePerGroupShownFirstLastEnumeratedFirst) {
    for (int n : kCounts) {
        SCOPED_TRACE(n);
        ScreenModel m(n);
        m.PlanSwitch(n, {}, 0); // on the last screen, so the switch wraps to 1
        const int other = n - 1;
        m.MoveGroup(10, 1, {W(10, 0, "Ten"), W(11, 10, "Ten's palette")}, 0);
        m.MoveGroup(20, other, {W(20, 0, "Twenty")}, 0);
        m.MoveGroup(30, 1, {W(30, 0, "Thirty")}, 0);
        // Top first, as enumerated. Hidden windows come with no title read.
        const std::vector<MenuCandidate> topFirst = {
            {1, true, true, "One", 0}, {20, false, false, "", 0},       {2, true, true, "Two", 0},
            {11, false, false, "", 0}, {10, false, false, "", 0},       {77, false, false, "", 0},
            {30, false, true, "", 0},  {3, false, true, "Not ours", 0},
        };
        struct Want {
            uintptr_t handle;
            bool shown;
            std::string caption;
            int target;
        } want[] = {
            {2, true, "Move " + Digit(n) + ": Two, to other screen", 1},
            {1, true, "Move " + Digit(n) + ": One, to other screen", 1},
            {20, false, "Move " + Digit(other) + ": Twenty, to this screen", n},
            {10, false, "Move 1: Ten, to this screen", n},
        };
        // With three the screen is chosen in a submenu: no ending, no target.
        for (Want& w : want)
            if (n > 2) {
                w.caption.erase(w.caption.rfind(','));
                w.target = 0;
            }
        const std::vector<MenuWindowItem> items = m.MenuItems(topFirst);
        ASSERT_EQ(std::size(want), items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(want[i].handle, items[i].handle) << i;
            EXPECT_EQ(want[i].shown, items[i].leadsShownGroup) << i;
            EXPECT_EQ(want[i].caption, items[i].title) << i;
            EXPECT_EQ(want[i].target, items[i].target) << i;
        }
    }
}

TEST(ScreenModel, RefusedWindowsStayOutUntilTheyAreGone) {
    for (int n : kCounts) {
        SCOPED_TRACE(n);
        ScreenModel m(n);
        m.MoveGroup(10, 2, {W(10)}, 0);
        m.Refuse(10);
        m.Refuse(40);
        EXPECT_TRUE(m.IsRefused(10));
        EXPECT_EQ(nullptr, m.Find(10));
        EXPECT_TRUE(m.MoveGroup(10, 2, {W(10)}, 0).hide.empty());
        EXPECT_EQ((Handles{20}), m.PlanSwitch(2, {W(10), W(20)}, 10).hide);
        EXPECT_EQ((Handles{20}), Of(m.List(1)));

        m.PruneRefused([](uintptr_t w) { return w != 10; });
        EXPECT_FALSE(m.IsRefused(10));
        EXPECT_TRUE(m.IsRefused(40));
        EXPECT_EQ((Handles{10}), m.RecordCurrent({W(10), W(40)}, 0));
    }
}

TEST(ScreenModel, GatherAllReturnsEveryWindowAndTheLookupsAgree) {
    for (int n : kCounts) {
        SCOPED_TRACE(n);
        ScreenModel m(n);
        for (int s = 1; s <= n; ++s)
            m.PlanSwitch(m.Next(), {W(10 * s), W(10 * s + 1, 10 * s)}, 0);
        EXPECT_EQ(1, m.Current());
        m.MoveGroup(5, 2, {W(5)}, 0);
        for (const WindowEntry& e : m.All()) {
            EXPECT_EQ(&e, m.Find(e.Handle));
            EXPECT_EQ(e.Screen, m.ScreenOf(e.Handle));
        }
        EXPECT_EQ(2, m.ScreenOf(5));
        EXPECT_TRUE(m.Forget(5));
        EXPECT_FALSE(m.Forget(5));
        EXPECT_EQ(0, m.ScreenOf(5));
        EXPECT_EQ(nullptr, m.Find(5));

        const size_t count = m.All().size();
        EXPECT_EQ(2u * (n - 1), count); // screen 1's windows came back with the switch to it
        EXPECT_EQ(count, m.GatherAll(n).size());
        EXPECT_TRUE(m.All().empty());
        EXPECT_EQ(n, m.Current());
        EXPECT_EQ(0, m.ScreenOf(20));
        EXPECT_TRUE(m.GatherAll(0).empty());
        EXPECT_EQ(n, m.Current());
    }
}

TEST(ScreenModel, AHiddenGroupMovesAsItsOwnersMakeItNowNotAsItWasRecorded) {
    for (int n : kCounts) {
        SCOPED_TRACE(n);
        ScreenModel m(n);
        // 40 and 41 were recorded each on its own (41's owner was elsewhere then).
        m.PlanSwitch(2, {W(40), W(41)}, 0);
        // Now 40 owns 41: bringing 40 back brings 41 with it.
        MovePlan p = m.MoveGroup(40, 2, {W(40), W(41, 40)}, 0);
        EXPECT_EQ((Handles{40, 41}), Of(p.show));
        EXPECT_EQ(0, m.ScreenOf(41));
        // Without a group given, as recorded: 41 alone stays.
        m.PlanSwitch(1, {W(50), W(51)}, 0);
        EXPECT_EQ((Handles{50}), Of(m.MoveGroup(50, 1, {}, 0).show));
        EXPECT_EQ(2, m.ScreenOf(51));
    }
}

TEST(ScreenModel, FewerScreensBringTheWindowsOfTheScreensThatGoToTheOneShown) {
    // Screen s holds 10s (bottom) and 10s+1 (top); the screen shown holds none.
    struct Case {
        int from, here, to; // screens before and after, the screen shown before
        int shown;          // the screen shown after
        Handles show;       // what the plan shows, bottom first
        Handles stay;       // still remembered
    } cases[] = {
        // The screen shown stays: only the screens that go come, in order.
        {5, 1, 3, 1, {40, 41, 50, 51}, {20, 21, 30, 31}},
        {4, 2, 2, 2, {30, 31, 40, 41}, {10, 11}},
        // The screen shown goes: the last one left is shown, its windows first.
        {4, 4, 2, 2, {20, 21, 30, 31}, {10, 11}},
        {9, 7, 3, 3, {30, 31, 40, 41, 50, 51, 60, 61, 80, 81, 90, 91}, {10, 11, 20, 21}},
        // More or as many: nothing moves.
        {3, 3, 9, 3, {}, {10, 11, 20, 21}},
        {3, 2, 3, 2, {}, {10, 11, 30, 31}},
        // Out of range is clamped.
        {3, 3, 1, 2, {20, 21}, {10, 11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to << " on " << c.here);
        ScreenModel m(c.from);
        m.PlanSwitch(c.here, {}, 0);
        for (int s = 1; s <= c.from; ++s)
            if (s != c.here) m.MoveGroup(10 * s, s, {W(10 * s), W(10 * s + 1, 10 * s)}, 0);
        const SwitchPlan p = m.SetCount(c.to);
        EXPECT_EQ(std::clamp(c.to, 2, 9), m.Count());
        EXPECT_EQ(c.shown, m.Current());
        EXPECT_EQ(c.here, p.from);
        EXPECT_EQ(c.shown, p.to);
        EXPECT_EQ(c.show, Of(p.show));
        EXPECT_TRUE(p.hide.empty());
        Handles stay = Of(m.All());
        std::sort(stay.begin(), stay.end());
        EXPECT_EQ(c.stay, stay);
        for (uintptr_t w : c.show)
            EXPECT_EQ(0, m.ScreenOf(w)) << w;
        // The strip follows: after the last screen left comes screen 1.
        EXPECT_EQ(Digit(m.Current() % m.Count() + 1), m.Texts().switchCaption);
    }
}

TEST(ScreenModel, FewerScreensEndTheSignOfAWindowThatCameAndNothingAfterTheEnd) {
    ScreenModel m(4);
    m.MoveGroup(40, 4, {W(40, 0, "Mail")}, 0);
    m.MoveGroup(20, 2, {W(20, 0, "Chat")}, 0);
    EXPECT_TRUE(m.Ask(20));
    EXPECT_TRUE(m.Ask(40));
    EXPECT_EQ(4, m.Texts().sign);
    EXPECT_EQ("Screen 4: Mail", m.Texts().switchHint);
    m.SetCount(3);
    EXPECT_EQ(2, m.Texts().sign) << "the window of screen 4 is on view now";
    EXPECT_FALSE(m.StopAsking(40));

    m.Ended = true;
    const SwitchPlan p = m.SetCount(2);
    EXPECT_EQ(3, m.Count());
    EXPECT_TRUE(p.show.empty() && p.to == 0);
}
