// Opening through the shell library, which is loaded only when first needed.
#include "launch/ShellExecute.h"
#include "support/OtherProgram.h"
#include <gtest/gtest.h>

TEST(ShellExecuteLate, StartsAProgramHandsItsProcessOverAndReportsAMissingFileAsFailure) {
    const std::string dir = MakeTempDir("shellexec");
    WriteWholeFile(dir + "spec.txt", "x\tv\t-\tStarted by the shell\n");
    const std::string params = "\"" + dir + "spec.txt\" \"" + dir + "log.txt\"";
    HANDLE process = nullptr;
    EXPECT_TRUE(ShellExecuteLate((TestBinDir() + "testwins.exe").c_str(), params.c_str(),
                                 dir.c_str(), &process));
    ASSERT_NE(nullptr, process) << "the started program's handle";
    // Ready for input once its window is up.
    EXPECT_EQ(0u, WaitForInputIdle(process, 10000));
    EXPECT_NE(std::string::npos, ReadWholeFile(dir + "log.txt").find("ready\n"))
        << "the program really ran";
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);

    process = nullptr;
    EXPECT_FALSE(ShellExecuteLate((dir + "no such file.txt").c_str(), "", nullptr, &process));
    EXPECT_EQ(nullptr, process);
}
