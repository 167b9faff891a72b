// Opening through the shell library, which is loaded only when first needed.
#include "launch/ShellExecute.h"
#include "support/OtherProgram.h"
#include <gtest/gtest.h>

TEST(ShellExecuteLate, StartsAProgramAndReportsAMissingFileAsFailure) {
    const std::string dir = MakeTempDir("shellexec");
    WriteWholeFile(dir + "spec.txt", "x\tv\t-\tStarted by the shell\n");
    const std::string params = "\"" + dir + "spec.txt\" \"" + dir + "log.txt\"";
    HINSTANCE started = ShellExecuteLate(nullptr, nullptr, (TestBinDir() + "testwins.exe").c_str(),
                                         params.c_str(), dir.c_str(), SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<INT_PTR>(started), 32);
    EXPECT_TRUE(WaitFor(
        [&] { return ReadWholeFile(dir + "log.txt").find("ready\n") != std::string::npos; }, 10000))
        << "the program really ran";
    if (HWND w = FindWindowA("TestWins", "Started by the shell")) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
            TerminateProcess(p, 0);
            WaitForSingleObject(p, 5000);
            CloseHandle(p);
        }
    }

    HINSTANCE missing = ShellExecuteLate(nullptr, nullptr, (dir + "no such file.txt").c_str(), "",
                                         nullptr, SW_SHOWNORMAL);
    EXPECT_LE(reinterpret_cast<INT_PTR>(missing), 32);
}
