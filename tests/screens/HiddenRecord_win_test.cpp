// The record of hidden windows as the guard reads it: kept up to date one change
// at a time, it must still hold exactly the windows recorded when the program ends.
#include "screens/HiddenRecord.h"
#include "screens/ScreenLists.h"
#include "support/ChildProcess.h"
#include "support/OtherProgram.h"
#include "support/ParavueDriver.h"
#include <gtest/gtest.h>

namespace {
constexpr const char* kChildFlag = "PARAVUE_RECORD_CHILD";
const std::vector<std::string> kNames = {"a", "b", "c", "d", "e", "f"};

std::string TitleFor(const std::string& name) {
    return "Guarded record " + name;
}

// In the copy of this test program: records the windows in steps that add,
// take out of the middle, from the front and from the end, and store in between, with the real
// guard watching, then ends without a word to it.
void RecordInStepsAndDie() {
    Screens.Reset();
    EnableHiddenRecord(TestBinDir() + "paravue.exe");
    auto window = [](const std::string& name) {
        return FindWindowA(nullptr, TitleFor(name).c_str());
    };
    auto take = [&](const std::string& name, bool store = false) {
        const uintptr_t w = KeyOf(window(name));
        Screens.MoveGroup(w, 2, {{w, w, 0, false, TitleFor(name)}}, 0);
        PublishHiddenWindows(store);
        ShowWindow(window(name), SW_HIDE);
    };
    auto drop = [&](const std::string& name) {
        Screens.Forget(KeyOf(window(name)));
        PublishHiddenWindows(false);
    };
    take("a");
    take("b");
    take("c");
    drop("b");
    take("d", true);
    drop("a");
    take("e");
    take("f");
    drop("f");
    TerminateProcess(GetCurrentProcess(), 0);
}
} // namespace

TEST(HiddenRecordTest, TheGuardShowsExactlyTheWindowsRecordedLastAfterChangesOneAtATime) {
    if (InChild(kChildFlag)) RecordInStepsAndDie();
    std::vector<WindowSpec> specs;
    for (const std::string& n : kNames)
        specs.push_back({n, "v", "", TitleFor(n)});
    OtherProgram prog(specs);
    ASSERT_TRUE(prog.started());

    EXPECT_EQ(
        0, RunTestInChild(
               "HiddenRecordTest.TheGuardShowsExactlyTheWindowsRecordedLastAfterChangesOneAtATime",
               kChildFlag));
    EXPECT_TRUE(WaitFor(
        [&] {
            for (const char* n : {"c", "d", "e"})
                if (!IsWindowVisible(prog.Window(n))) return false;
            return true;
        },
        5000))
        << "the guard shows every window still recorded";
    // The guard asks for every show at once and then ends; once the program has
    // answered, all it was asked is carried out.
    EXPECT_TRUE(WaitFor([] { return !ProcessRuns("paravue.exe"); })) << "the guard ended";
    ASSERT_TRUE(Answers(prog.Window("a")));
    for (const char* n : {"a", "b", "f"})
        EXPECT_FALSE(IsWindowVisible(prog.Window(n))) << n << " was taken out of the record";
}
