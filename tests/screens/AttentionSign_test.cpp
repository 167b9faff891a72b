#include "screens/ScreenModel.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <sstream>
#include <string>

// The sign on the switch button when windows ask for attention, after a run of
// steps: "a20" window 20 asks, "s20" it stops, "g2" the user goes to screen 2,
// "m20>3" the menu moves it to screen 3, "f20" the model forgets it, "end" every
// window comes back. Screen 2 holds Mail (10) and Chat (20), screen 3 Notes (30),
// and screen 1 is shown with window 40 on it.
TEST(AttentionSign, TheSwitchButtonNamesTheLatestWindowAskingFromAScreenNotShown) {
    const std::string two = " Switch to screen 2 ", chat = "Screen 2: Chat";
    const struct {
        const char* steps;
        int sign;
        std::string hint;
        bool lastNew = true; // what the last ask or stop answered
    } rows[] = {
        {"", 0, two},
        {"a20", 2, chat},
        {"a30", 3, "Screen 3: Notes"},
        {"a40", 0, two, false}, // on the screen shown
        {"a20 s20", 0, two},
        {"a20 s10", 2, chat, false},
        {"a20 g2", 0, " Switch to screen 3 "},
        {"a20 g2 g1", 0, two}, // seen once is seen
        {"a20 g3", 2, chat},
        {"a20 f20", 0, two},
        {"a20 m20>1", 0, two},
        {"a20 m20>3", 3, "Screen 3: Chat"},
        {"a20 a30", 3, "Screen 3: Notes"},
        {"a20 a30 a20", 3, "Screen 3: Notes", false}, // asking again keeps its place
        {"a20 a30 s30", 2, chat},
        {"a20 a30 g3", 2, chat},
        {"a20 a10 end", 0, two},
    };
    auto W = [](uintptr_t handle, const char* title) -> ShownWindow {
        return {handle, handle, 0, false, title, 0};
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.steps);
        ScreenModel m(3);
        m.PlanSwitch(2, {}, 0);
        m.PlanSwitch(3, {W(10, "Mail"), W(20, "Chat")}, 0);
        m.PlanSwitch(1, {W(30, "Notes")}, 0);
        std::vector<ShownWindow> shown{W(40, "")};
        bool answer = true;
        std::istringstream steps(row.steps);
        for (std::string s; steps >> s;) {
            const uintptr_t w = std::strtoul(s.c_str() + 1, nullptr, 10);
            if (s[0] == 'a') answer = m.Ask(w);
            if (s[0] == 's') answer = m.StopAsking(w);
            if (s[0] == 'f') m.Forget(w);
            if (s[0] == 'm') m.MoveGroup(w, s.back() - '0', {}, 0);
            if (s == "end") m.GatherAll(1);
            if (s[0] == 'g') {
                const SwitchPlan p = m.PlanSwitch(static_cast<int>(w), shown, 0);
                shown.assign(p.show.begin(), p.show.end());
            }
        }
        const StripTexts t = m.Texts();
        EXPECT_EQ(row.sign, t.sign);
        EXPECT_EQ(row.hint, t.switchHint);
        EXPECT_EQ(row.lastNew, answer);
        EXPECT_EQ(std::to_string(m.Next()), t.switchCaption) << "the caption stays the screen's";
    }
}
