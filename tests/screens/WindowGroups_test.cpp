#include "screens/WindowGroups.h"
#include <gtest/gtest.h>
#include <utility>

namespace {
using V = WindowVerdict;
using Shown = std::vector<std::pair<uintptr_t, uintptr_t>>; // window, its group's main

Shown Group(const std::vector<GroupCandidate>& topFirst) {
    Shown out;
    for (const GroupMember& m : GroupWindows(topFirst))
        out.emplace_back(m.handle, m.main);
    return out;
}
} // namespace

TEST(WindowGroups, WhoGoesWithWhomAndInWhichOrder) {
    struct Case {
        const char* what;
        std::vector<GroupCandidate> topFirst; // handle, owner, own verdict
        Shown want;                           // bottom first, owners first
    } cases[] = {
        {"windows on their own come back bottom first",
         {{1, 0, V::TakesPart}, {2, 0, V::TakesPart}, {3, 0, V::TakesPart}},
         {{3, 3}, {2, 2}, {1, 1}}},
        {"an owned pop-up and tool window go with their owner, shown after it",
         {{11, 10, V::HasParent}, {12, 10, V::ToolWindow}, {10, 0, V::TakesPart}},
         {{10, 10}, {12, 10}, {11, 10}}},
        {"through a chain of owners",
         {{22, 21, V::HasParent}, {21, 20, V::ToolWindow}, {20, 0, V::TakesPart}},
         {{20, 20}, {21, 20}, {22, 20}}},
        {"another window between a main window and its pop-up keeps its place",
         {{11, 10, V::HasParent}, {5, 0, V::TakesPart}, {10, 0, V::TakesPart}},
         {{10, 10}, {5, 5}, {11, 10}}},
        {"an owner is shown first even where it stood above",
         {{10, 0, V::TakesPart}, {11, 10, V::HasParent}},
         {{10, 10}, {11, 10}}},
        {"a group whose main window stays on every screen stays whole",
         {{31, 30, V::TakesPart},
          {30, 0, V::ToolWindow},
          {41, 40, V::HasParent},
          {40, 0, V::NamedParavue}},
         {}},
        {"with its owner hidden (on the other screen) an owned window is judged alone",
         {{50, 99, V::TakesPart}, {51, 98, V::HasParent}, {53, 50, V::HasParent}},
         {{50, 50}, {53, 50}}},
        {"a disabled window goes with the dialog it waits on",
         {{61, 60, V::HasParent}, {60, 0, V::Disabled}},
         {{60, 60}, {61, 60}}},
        {"disabled and alone, or waiting on a cloaked window, it stays",
         {{62, 0, V::Disabled}, {64, 63, V::Cloaked}, {63, 0, V::Disabled}},
         {}},
        {"what stays on every screen does not go along",
         {{71, 70, V::Cloaked},
          {72, 70, V::Untouchable},
          {73, 70, V::NamedParavue},
          {74, 70, V::EveryScreen},
          {70, 0, V::TakesPart}},
         {{70, 70}}},
        {"a window owned by a cloaked, untouchable or every-screen one stays with it",
         {{81, 80, V::HasParent},
          {80, 0, V::Cloaked},
          {83, 82, V::TakesPart},
          {82, 0, V::Untouchable},
          {85, 84, V::HasParent},
          {84, 0, V::EveryScreen}},
         {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Group(c.topFirst), c.want) << c.what;
}

TEST(WindowGroups, AnOwnerLoopEndsAndListsEachWindowOnce) {
    EXPECT_EQ(Group({{1, 2, V::TakesPart}, {2, 1, V::TakesPart}}).size(), 2u);
    EXPECT_EQ(Group({{1, 1, V::TakesPart}}), (Shown{{1, 1}}));
    EXPECT_TRUE(Group({}).empty());
}
