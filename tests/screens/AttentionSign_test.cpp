#include "screens/ScreenModel.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The sign on the switch button when a window asks for attention, as the model
// gives it after a run of steps. Three screens: screen 2 holds Mail (10) and Chat
// (20), screen 3 Notes (30), and screen 1 is shown with Shown (40) on it.
namespace {
enum Op { AskOf, StopOf, SwitchTo, MoveTo, ForgetOf, GatherAll };
struct Step {
    Op op;
    uintptr_t window = 0;
    int screen = 0;
};
struct Row {
    const char* what;
    std::vector<Step> steps;
    int sign;
    std::string hint;
    bool lastChanged = true; // what the last Ask or StopAsking said
};

ShownWindow W(uintptr_t handle, const char* title) {
    return {handle, handle, 0, false, title, 0};
}

const char* TitleOf(uintptr_t w) {
    return w == 10 ? "Mail" : w == 20 ? "Chat" : w == 30 ? "Notes" : "Shown";
}
} // namespace

TEST(AttentionSign, TheSwitchButtonNamesTheLatestWindowAskingFromAScreenNotShown) {
    const std::string toTwo = " Switch to screen 2 ";
    const Row rows[] = {
        {"nothing asks", {}, 0, toTwo},
        {"a window on a screen not shown", {{AskOf, 20}}, 2, "Screen 2: Chat"},
        {"on another", {{AskOf, 30}}, 3, "Screen 3: Notes"},
        {"a window on the screen shown", {{AskOf, 40}}, 0, toTwo, false},
        {"it stops asking", {{AskOf, 20}, {StopOf, 20}}, 0, toTwo},
        {"a stop from a window not asking",
         {{AskOf, 20}, {StopOf, 10}},
         2,
         "Screen 2: Chat",
         false},
        {"the user goes to its screen", {{AskOf, 20}, {SwitchTo, 0, 2}}, 0, " Switch to screen 3 "},
        {"seen once, not again when the user leaves",
         {{AskOf, 20}, {SwitchTo, 0, 2}, {SwitchTo, 0, 1}},
         0,
         toTwo},
        {"the user goes to a third screen", {{AskOf, 20}, {SwitchTo, 0, 3}}, 2, "Screen 2: Chat"},
        {"it is gone and forgotten", {{AskOf, 20}, {ForgetOf, 20}}, 0, toTwo},
        {"it is moved to the screen shown", {{AskOf, 20}, {MoveTo, 20, 1}}, 0, toTwo},
        {"it is moved to another screen not shown",
         {{AskOf, 20}, {MoveTo, 20, 3}},
         3,
         "Screen 3: Chat"},
        {"two ask: the latest is named", {{AskOf, 20}, {AskOf, 30}}, 3, "Screen 3: Notes"},
        {"the one asking first asks again and keeps its place",
         {{AskOf, 20}, {AskOf, 30}, {AskOf, 20}},
         3,
         "Screen 3: Notes",
         false},
        {"the latest stops: the other is named",
         {{AskOf, 20}, {AskOf, 30}, {StopOf, 30}},
         2,
         "Screen 2: Chat"},
        {"the latest is seen: the other is named",
         {{AskOf, 20}, {AskOf, 30}, {SwitchTo, 0, 3}},
         2,
         "Screen 2: Chat"},
        {"every window comes back at the end", {{AskOf, 20}, {AskOf, 10}, {GatherAll}}, 0, toTwo},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScreenModel m(3);
        m.PlanSwitch(2, {}, 0);
        m.PlanSwitch(3, {W(10, "Mail"), W(20, "Chat")}, 0);
        SwitchPlan p = m.PlanSwitch(1, {W(30, "Notes")}, 0);
        std::vector<ShownWindow> shown{W(40, "Shown")};
        bool changed = true;
        for (const Step& s : row.steps) {
            switch (s.op) {
            case AskOf:
                changed = m.Ask(s.window);
                break;
            case StopOf:
                changed = m.StopAsking(s.window);
                break;
            case SwitchTo:
                p = m.PlanSwitch(s.screen, shown, 0);
                shown.clear();
                for (const WindowEntry& e : p.show)
                    shown.push_back(W(e.Handle, TitleOf(e.Handle)));
                break;
            case MoveTo:
                m.MoveGroup(s.window, s.screen, {}, 0);
                break;
            case ForgetOf:
                m.Forget(s.window);
                break;
            case GatherAll:
                m.GatherAll(1);
                break;
            }
        }
        const StripTexts t = m.Texts();
        EXPECT_EQ(row.sign, t.sign);
        EXPECT_EQ(row.hint, t.switchHint);
        EXPECT_EQ(row.lastChanged, changed);
        EXPECT_EQ(std::to_string(m.Next()), t.switchCaption) << "the caption stays the screen's";
    }
}
