// Recording and hiding the windows of the screen being left, against real
// windows of another process in the Wine desktop.
#include "screens/ScreenLists.h"
#include "screens/Switching.h"
#include "screens/WindowCommands.h"
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
    void SetUp() override { Screens.Reset(); }
    void TearDown() override {
        // Whatever else of the desktop was recorded (the shell's own windows) comes back.
        for (const WindowEntry& e : Screens.All())
            ShowWindow(WindowOf(e.Handle), SW_SHOWNA);
        Screens.Reset();
    }
    // Records the screen shown and hides its windows, as leaving it does.
    static void HideCurrentScreen() {
        WindowBatch hiding;
        for (uintptr_t w : Screens.RecordCurrent(ShownWindowsNow(), KeyOf(InputWindowNow())))
            hiding.Hide(WindowOf(w));
        hiding.Wait();
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

    const WindowEntry longEntry = EntryOf(1, prog.Window("long"));
    ASSERT_NE(longEntry.Handle, 0u);
    EXPECT_EQ(longEntry.Title, kLong) << "kept whole, to be found again by the whole title";
    EXPECT_EQ(longEntry.Flag, 0);
    EXPECT_EQ(EntryOf(1, prog.Window("plain")).Title, "Plain window");
    // Nothing was recorded for the other screen.
    EXPECT_EQ(EntryIndex(2, prog.Window("plain")), -1);
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
}
