// Recording and hiding the windows of the screen being left, against real
// windows of another process in the Wine desktop.
#include "screens/ScreenLists.h"
#include "support/ScreenChecks.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>

namespace {
const std::string kMarked = std::string(150, 'm') + "Paravue"; // name inside 199 characters
const std::string kMarkedLate = std::string(199, 'n') + "Paravue tail"; // name beyond them
const std::string kLong = "L" + std::string(299, 'x');

class HideCurrentScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateScreenLists();
        CurrentScreen = 1;
    }
    void TearDown() override {
        // Whatever else of the desktop was recorded (the shell's own windows) comes back.
        for (int screen = 1; screen <= 2; ++screen) {
            ObjectList* list = ScreenListOf(screen);
            for (int i = 0; list && i < list->count; ++i)
                ShowWindow(static_cast<WindowEntry*>(ListGet(list, i))->Handle, SW_SHOWNA);
        }
        ReleaseScreenLists();
    }

    const WindowEntry* EntryOf(HWND h, int screen = 1) {
        int i = FindEntryIndex(screen, h);
        return i < 0 ? nullptr : static_cast<WindowEntry*>(ListGet(ScreenListOf(screen), i));
    }
};
} // namespace

TEST_F(HideCurrentScreenTest, RecordsAndHidesExactlyTheEligibleWindows) {
    OtherProgram prog({
        {"plain", "v", "", "Plain window"},
        {"hidden", "", "", "Already hidden"},
        {"tool", "vt", "", "Tool window"},
        {"disabled", "vd", "", "Disabled window"},
        {"popupOwner", "v", "", "Owner of a pop-up"},
        {"popup", "vp", "popupOwner", "Owned pop-up"},
        {"marked", "v", "", kMarked},
        {"markedLate", "v", "", kMarkedLate},
        {"lower", "v", "", "my paravue notes"},
        {"long", "v", "", kLong},
    });
    ASSERT_TRUE(prog.started());
    const std::vector<std::string> all = {"plain", "hidden", "tool",       "disabled", "popupOwner",
                                          "popup", "marked", "markedLate", "lower",    "long"};
    for (const std::string& n : all)
        ASSERT_NE(prog.Window(n), nullptr) << n;

    HideCurrentScreen();

    std::vector<std::string> recorded = RecordedNames(1, prog, all);
    std::sort(recorded.begin(), recorded.end());
    // The owned pop-up goes with its owner.
    EXPECT_EQ(recorded, (std::vector<std::string>{"long", "lower", "markedLate", "plain", "popup",
                                                  "popupOwner"}));
    for (const char* n : {"plain", "popupOwner", "popup", "markedLate", "lower", "long", "hidden"})
        EXPECT_FALSE(IsWindowVisible(prog.Window(n))) << n << " should be hidden";
    for (const char* n : {"tool", "disabled", "marked"})
        EXPECT_TRUE(IsWindowVisible(prog.Window(n))) << n << " should stay visible";

    const WindowEntry* longEntry = EntryOf(prog.Window("long"));
    ASSERT_NE(longEntry, nullptr);
    EXPECT_EQ(longEntry->Title, kLong) << "kept whole, to be found again by the whole title";
    EXPECT_EQ(longEntry->Flag, 0);
    EXPECT_EQ(EntryOf(prog.Window("plain"))->Title, "Plain window");
    // Nothing was recorded for the other screen.
    EXPECT_EQ(FindEntryIndex(2, prog.Window("plain")), -1);
}

TEST_F(HideCurrentScreenTest, HidesTheOwnerBeforeTheWindowItOwns) {
    OtherProgram prog({
        {"owner", "v", "", "The owner"},
        {"owned", "v", "owner", "Owned, not a pop-up"},
    });
    ASSERT_TRUE(prog.started());
    HideCurrentScreen();

    // The owned window stands above its owner and is reached first; hiding it takes
    // the owner along, and the owner is remembered as a window of its own, first.
    EXPECT_EQ(RecordedNames(1, prog, {"owner", "owned"}),
              (std::vector<std::string>{"owner", "owned"}));
    EXPECT_FALSE(IsWindowVisible(prog.Window("owner")));
    EXPECT_FALSE(IsWindowVisible(prog.Window("owned")));
    std::vector<std::string> log = prog.ShowHideLog();
    ASSERT_FALSE(log.empty());
    auto ownedHide = std::find(log.begin(), log.end(), "owned hide");
    ASSERT_NE(ownedHide, log.end());
    EXPECT_NE(std::find(log.begin(), ownedHide, "owner hide"), ownedHide)
        << "the owner must be hidden before the window it owns";
}

TEST_F(HideCurrentScreenTest, ALaterRecordingOfTheSameScreenStartsAfresh) {
    OtherProgram prog({{"a", "v", "", "Window A"}, {"b", "v", "", "Window B"}});
    ASSERT_TRUE(prog.started());
    HideCurrentScreen();
    ASSERT_EQ(RecordedNames(1, prog, {"a", "b"}).size(), 2u);

    // Back on screen without a switch (as if the user had brought them back): a new
    // recording must not keep the stale entries.
    ShowWindow(prog.Window("a"), SW_SHOWNA);
    HideCurrentScreen();
    EXPECT_EQ(RecordedNames(1, prog, {"a", "b"}), (std::vector<std::string>{"a"}));
    EXPECT_FALSE(IsWindowVisible(prog.Window("a")));

    // Recording screen 2 leaves the list of screen 1 alone.
    ShowWindow(prog.Window("b"), SW_SHOWNA);
    CurrentScreen = 2;
    HideCurrentScreen();
    EXPECT_EQ(RecordedNames(1, prog, {"a", "b"}), (std::vector<std::string>{"a"}));
    EXPECT_EQ(RecordedNames(2, prog, {"a", "b"}), (std::vector<std::string>{"b"}));
}

TEST_F(HideCurrentScreenTest, FindEntryIndexFindsTheFirstMatch) {
    HWND a = reinterpret_cast<HWND>(0x1234), b = reinterpret_cast<HWND>(0x5678);
    EXPECT_EQ(FindEntryIndex(1, a), -1);
    for (HWND h : {b, a, a}) {
        auto* e = new WindowEntry{};
        e->Handle = h;
        ListAdd(ScreenListOf(1), e);
    }
    EXPECT_EQ(FindEntryIndex(1, a), 1);
    EXPECT_EQ(FindEntryIndex(1, b), 0);
    EXPECT_EQ(FindEntryIndex(2, a), -1);
    EXPECT_EQ(FindEntryIndex(0, a), -1);
    EXPECT_EQ(FindEntryIndex(3, a), -1);
    // The fake handles must not be shown by the tear-down.
    ClearScreenList(1);
}
