// An error that escapes a handler never crosses the platform's callback: it is
// reported and the program ends with exit code 1. Checked in a child copy of
// this test program, since the report ends the process.
#include "LayerTestSupport.h"
#include "errors/err.h"
#include "support/ChildProcess.h"
#include "ui/Services_win.h"
#include <stdexcept>

namespace {
int ReportSilently(void*, const char*, const char*, unsigned) {
    return IDOK;
}

// Runs this program again with only test and the variable PARAVUE_CHILD set;
// returns its exit code.
long RunChild(const char* test) {
    return RunTestInChild(test, "PARAVUE_CHILD");
}
} // namespace

TEST_F(LayerTest, AnErrorThrownInAClickHandlerEndsTheProgramWithCode1) {
    if (!InChild("PARAVUE_CHILD")) {
        EXPECT_EQ(RunChild("LayerTest.AnErrorThrownInAClickHandlerEndsTheProgramWithCode1"), 1);
        return;
    }
    SetMessageBoxFunction(ReportSilently);
    Control* form = CreateForm(app, "f");
    Control* button = CreateButton(form, "b");
    button->OnClick = MakeEvent(
        +[](void*, BaseObject*) { throw std::runtime_error("boom"); }, nullptr);
    SendMessageA(GetHandle(button), BM_CLICK, 0, 0);
    ExitProcess(7); // not 1, which a failed test would also give
}

TEST_F(LayerTest, AnErrorThrownInATimerEndsTheProgramWithCode1) {
    if (!InChild("PARAVUE_CHILD")) {
        EXPECT_EQ(RunChild("LayerTest.AnErrorThrownInATimerEndsTheProgramWithCode1"), 1);
        return;
    }
    SetMessageBoxFunction(ReportSilently);
    Timer* t = CreateTimer(10);
    t->OnTimer = MakeEvent(
        +[](void*, BaseObject*) { throw 42; }, nullptr);
    TimerSetEnabled(t, true);
    PumpFor(2000);
    ExitProcess(7); // not 1, which a failed test would also give
}

namespace {
Control* clickedButton;
int clicks, hooks;
} // namespace

TEST_F(LayerTest, WhileAnErrorIsReportedTheProgramsHandlersNoLongerRun) {
    if (!InChild("PARAVUE_CHILD")) {
        EXPECT_EQ(RunChild("LayerTest.WhileAnErrorIsReportedTheProgramsHandlersNoLongerRun"), 1);
        return;
    }
    // The report box's own message loop delivers another click to the button.
    SetMessageBoxFunction(+[](void*, const char*, const char*, unsigned) {
        SendMessageA(GetHandle(clickedButton), BM_CLICK, 0, 0);
        ExitProcess(clicks == 1 && hooks == 1 ? 1 : 9);
        return IDOK;
    });
    err::SetFatalExitHook(+[] { ++hooks; });
    Control* form = CreateForm(app, "f");
    clickedButton = CreateButton(form, "b");
    clickedButton->OnClick = MakeEvent(
        +[](void*, BaseObject*) {
            ++clicks;
            throw std::runtime_error("boom");
        },
        nullptr);
    SendMessageA(GetHandle(clickedButton), BM_CLICK, 0, 0);
    ExitProcess(7);
}

TEST_F(LayerTest, EndOfSessionFreesTheApplicationAndEndsTheProcess) {
    if (!InChild("PARAVUE_CHILD")) {
        EXPECT_EQ(RunChild("LayerTest.EndOfSessionFreesTheApplicationAndEndsTheProcess"), 5);
        return;
    }
    Control* form = CreateForm(app, "f");
    // The application's destroy event proves the ordinary end ran first.
    app->OnDestroy = MakeEvent(
        +[](void*, BaseObject*) { ExitProcess(5); }, nullptr);
    SendMessageA(GetHandle(form), WM_ENDSESSION, TRUE, 0);
    ExitProcess(7);
}
