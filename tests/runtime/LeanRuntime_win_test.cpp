// The start-up and runtime that paravue.exe is built on (the light stand-ins,
// or the standard runtime with PARAVUE_LEAN_RUNTIME off), run in a program built
// the same way (leancheck.exe).
#include "support/ChildProcess.h"
#include <gtest/gtest.h>

namespace {
// Runs leancheck.exe with mode and returns its exit code (or -1).
long RunLeanCheck(const char* mode) {
    return RunToEnd(ProgramBeside("leancheck.exe", mode), 20000);
}
} // namespace

TEST(LeanRuntime, ConstructorsExceptionsLibraryMessagesAndExitCodesWork) {
    EXPECT_EQ(RunLeanCheck("catch"), 0) << "the number is the check that failed";
    EXPECT_EQ(RunLeanCheck("exit"), 7) << "WinMain's result is the exit code";
}

TEST(LeanRuntime, LocksOfEveryKindAndThreadsThatStartTogetherWork) {
    EXPECT_EQ(RunLeanCheck("threads"), 0) << "the number is the check that failed";
}

TEST(LeanRuntime, AnExceptionNobodyCatchesEndsTheProgramAtOnce) {
    const long code = RunLeanCheck("uncaught");
    EXPECT_NE(code, -1);
    EXPECT_NE(code, 0);
    EXPECT_NE(code, 100) << "it did get as far as the throw";
}
