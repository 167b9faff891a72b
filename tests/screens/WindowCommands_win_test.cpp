// Hides and shows asked of another program's windows without waiting on it: a
// program that talks to us in the middle of one request can swallow the next.
#include "screens/ScreenModel.h"
#include "screens/WindowCommands.h"
#include "support/OtherProgram.h"
#include "ui/Control.h"
#include <gtest/gtest.h>

TEST(WindowBatchTest, AHideAndAShowInARowEndVisibleThoughTheProgramSendsToUsWhileItHides) {
    // The messenger sends to the strip, a form titled "sd", in every show and hide;
    // one of ours stands in for it, served by this thread as the strip's is.
    Control* app = CreateApplication("tallowin");
    GetHandle(CreateForm(app, "sd"));
    OtherProgram prog({{"m", "vm", "", "Settling messenger"}});
    ASSERT_TRUE(prog.started());
    HWND m = prog.Window("m");
    const auto key = reinterpret_cast<uintptr_t>(m);

    WindowBatch batch;
    batch.Hide(m);
    // Busy here (as the strip is while it goes through the windows), we keep the
    // program waiting on us inside the hide while the show arrives: the show goes
    // once the program's message is there, and is handled only in the wait.
    ASSERT_EQ(WAIT_OBJECT_0, MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000, QS_SENDMESSAGE));
    batch.Show(m);
    batch.Wait();
    // Waiting on us inside the hide, the program took the show, which found the
    // window still visible; the hide then ended. Only asking again brings it back.
    EXPECT_TRUE(WaitFor([&] { return !Screens.Pending.Has(key); }, 5000))
        << "the request is settled once the program answers";
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(m) != FALSE; }, 1000));
    // Settled, nothing more is asked; the program has carried out all it was asked.
    ASSERT_TRUE(Answers(m));
    EXPECT_TRUE(IsWindowVisible(m)) << "and stays so";
    const std::vector<std::string> log = prog.ShowHideLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("m hide", log.front());
    EXPECT_EQ("m show", log.back());
    Terminate(app);
}
