// The program with a real fault inside it: the strip is built as in paravue.exe,
// a switch hides another program's windows, then a click ends it one of the ways
// a program can end without its user. The report box is read from the screen,
// the exit code from the process, and the other program's windows must be back
// while the box still waits.
#include "support/OtherProgram.h"
#include "support/ParavueDriver.h"
#include "ui/Services_win.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct CrashOutcome {
    bool reported = false;
    std::string text;               // the report box's message
    bool shownDuringReport = false; // back before the box was answered
    bool exited = false;
    DWORD exitCode = 0;
    bool shownAgain = false; // every window of the other program visible at the end
    std::vector<std::string> showsAfterReport;
};

class CrashTest : public ::testing::Test {
  protected:
    void TearDown() override {
        // A run that failed to give the taskbar back must not spoil the next.
        if (HWND bar = FindWindowA("Shell_TrayWnd", nullptr))
            if (!IsWindowVisible(bar)) ShowWindow(bar, SW_SHOW);
    }

    static std::string Head() {
        return "Exception Exception in module " + TestBinDir() + "crasher.exe at ";
    }

    // Starts the crash program with fault crash, hides the other program's windows
    // with a switch, commits the fault and follows the report to the end.
    CrashOutcome Run(const char* crash) {
        CrashOutcome out;
        OtherProgram other({{"plain", "v", "", "Crash plain"},
                            {"owner", "v", "", "Crash owner"},
                            {"owned", "v", "owner", "Crash owned"}});
        EXPECT_TRUE(other.started());
        HWND plain = other.Window("plain"), owner = other.Window("owner"),
             owned = other.Window("owned");
        EXPECT_TRUE(plain && owner && owned);
        if (!plain || !owner || !owned) return out;

        Paravue app;
        SetEnvironmentVariableA("PARAVUE_CRASH", crash);
        const bool started = app.Start("", "", "crasher.exe");
        SetEnvironmentVariableA("PARAVUE_CRASH", nullptr);
        EXPECT_TRUE(started);
        EXPECT_TRUE(app.WaitForStrip());
        if (!started || !app.strip()) return out;

        PostMessageA(app.SwitchButton(), BM_CLICK, 0, 0);
        const bool hidden = WaitFor([&] {
            return !IsWindowVisible(plain) && !IsWindowVisible(owner) && !IsWindowVisible(owned);
        });
        EXPECT_TRUE(hidden) << "the switch did not hide the other program";
        if (!hidden) return out;
        const size_t logBefore = other.ShowHideLog().size();

        PostMessageA(app.Button("?"), BM_CLICK, 0, 0);
        if (std::string(crash).starts_with("menu-")) {
            // A right click on the strip opens the window menu, as the user does.
            const POINT p = CenterOf(app.NumberLabel());
            MouseRightClick(p.x, p.y);
        }
        out.reported = app.WaitForMessageBox(out.text, 10000);
        if (out.reported) {
            out.shownDuringReport = WaitFor([&] {
                return IsWindowVisible(plain) && IsWindowVisible(owner) && IsWindowVisible(owned);
            });
            for (HWND box : TopWindowsOf(app.pid(), "#32770"))
                PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        out.exited = app.WaitForExit(10000, out.exitCode);
        out.shownAgain = WaitFor([&] {
            return IsWindowVisible(plain) && IsWindowVisible(owner) && IsWindowVisible(owned);
        });
        std::vector<std::string> log = other.ShowHideLog();
        for (size_t i = logBefore; i < log.size(); ++i)
            out.showsAfterReport.push_back(log[i]);
        return out;
    }

    // The report's two lines: the head with the address, and the message.
    static void ExpectReport(const CrashOutcome& out, const std::string& message,
                             uint32_t* shownAddress = nullptr) {
        ASSERT_TRUE(out.reported) << "no report box";
        const std::string head = Head();
        ASSERT_EQ(out.text.rfind(head, 0), 0u) << out.text;
        const size_t lineEnd = out.text.find('\n');
        ASSERT_NE(lineEnd, std::string::npos) << out.text;
        const std::string address = out.text.substr(head.size(), lineEnd - head.size());
        ASSERT_EQ(address.size(), 9u) << out.text; // 8 hexadecimal digits and the full stop
        EXPECT_EQ(address.find_first_not_of("0123456789ABCDEF"), 8u) << out.text;
        EXPECT_EQ(address[8], '.');
        EXPECT_EQ(out.text.substr(lineEnd + 1), message);
        if (shownAddress) *shownAddress = std::stoul(address.substr(0, 8), nullptr, 16);
    }

    static void ExpectEndedAndRestored(const CrashOutcome& out) {
        EXPECT_TRUE(out.shownDuringReport) << "the hidden windows were not back before the report";
        EXPECT_TRUE(out.exited);
        EXPECT_EQ(out.exitCode, 1u);
        EXPECT_TRUE(out.shownAgain) << "the hidden windows stayed hidden";
    }
};

} // namespace

TEST_F(CrashTest, AccessViolationIsReportedAndTheHiddenWindowsComeBack) {
    CrashOutcome out = Run("read-null");
    ASSERT_TRUE(out.reported);
    // The message names where the fault happened; the head the same place,
    // counted from the start of the program's image.
    const std::string prefix = "Access violation at address ";
    const size_t second = out.text.find('\n') + 1;
    std::string message = out.text.substr(second);
    ASSERT_EQ(message.rfind(prefix, 0), 0u) << message;
    const std::string at = message.substr(prefix.size(), 8);
    uint32_t shown = 0;
    ExpectReport(out, prefix + at + " in module 'crasher.exe'. Read of address 00000000", &shown);
    const uint32_t faultAddress = std::stoul(at, nullptr, 16);
    EXPECT_NE(shown, 0u);
    EXPECT_LT(shown, faultAddress);
    EXPECT_EQ((faultAddress - shown) & 0xFFFF, 0u) << "not an image base: " << out.text;
    ExpectEndedAndRestored(out);
    // The owner comes back before the window it owns.
    auto pos = [&](const char* line) {
        return std::find(out.showsAfterReport.begin(), out.showsAfterReport.end(), line) -
               out.showsAfterReport.begin();
    };
    EXPECT_LT(pos("owner show"), pos("owned show"));
    EXPECT_LT(pos("owned show"), static_cast<long>(out.showsAfterReport.size()));
}

TEST_F(CrashTest, FailedAssertionAndInputOutputErrorAreReported) {
    CrashOutcome assertion = Run("assert");
    ASSERT_TRUE(assertion.reported);
    const std::string message = assertion.text.substr(assertion.text.find('\n') + 1);
    // "Assertion failed (<source file>, line <n>)"
    EXPECT_EQ(message.rfind("Assertion failed (", 0), 0u) << message;
    EXPECT_NE(message.find("crasher_prog.cpp, line "), std::string::npos) << message;
    EXPECT_EQ(message.back(), ')');
    uint32_t shown = 0;
    ExpectReport(assertion, message, &shown);
    // The address is where the program raised it, inside its own image.
    EXPECT_NE(shown, 0u);
    ExpectEndedAndRestored(assertion);

    CrashOutcome io = Run("io");
    ExpectReport(io, "File not found");
    ExpectEndedAndRestored(io);
}

// Every way the program can end by itself ends the same: the windows back, the
// report, exit code 1.
TEST_F(CrashTest, EveryWayToEndGivesTheWindowsBackThenReports) {
    struct Case {
        const char* crash;
        const char* message;
    } cases[] = {
        {"divide", "Division by zero"},
        {"oom", "Out of memory"},
        {"stack", "Stack overflow"},
        {"uncaught", "Range check error"},
        // Not one of ours: the message line stays empty.
        {"throw", ""},
        {"terminate", ""},
        {"pure-virtual", ""},
        {"abort", ""},
        {"invalid-parameter", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.crash);
        CrashOutcome out = Run(c.crash);
        ExpectReport(out, c.message);
        ExpectEndedAndRestored(out);
    }
}

TEST_F(CrashTest, FaultInATimerEventIsNotSwallowed) {
    // Also inside the window menu's own loop, which a right click starts.
    for (const char* crash : {"timer-read-null", "menu-read-null"}) {
        SCOPED_TRACE(crash);
        CrashOutcome out = Run(crash);
        ASSERT_TRUE(out.reported) << "the fault went unreported";
        EXPECT_NE(out.text.find("in module 'crasher.exe'. Read of address 00000000"),
                  std::string::npos)
            << out.text;
        ExpectEndedAndRestored(out);
    }
}

// The program as shipped: a thread of paravue.exe that jumps to address 0 (put
// there from outside; the program has no fault of its own to offer) still gives
// the hidden windows back and ends in the report.
TEST_F(CrashTest, TheProgramItselfReportsAFaultAndGivesTheWindowsBack) {
    OtherProgram other({{"plain", "v", "", "Crash plain"}});
    ASSERT_TRUE(other.started());
    HWND plain = other.Window("plain");
    ASSERT_TRUE(plain);
    Paravue app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.WaitForStrip());
    PostMessageA(app.SwitchButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(plain); }));

    HANDLE thread = CreateRemoteThread(app.process(), nullptr, 0, nullptr, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    CloseHandle(thread);
    std::string text;
    ASSERT_TRUE(app.WaitForMessageBox(text, 10000));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(plain); }))
        << "the window was not back before the report";
    // No module holds address 0: the program is named, and the short message used.
    const std::string head = "Exception Exception in module " + TestBinDir() +
                             "paravue.exe at 00000000.\nAccess violation at address 00000000. ";
    EXPECT_EQ(text.rfind(head, 0), 0u) << text;
    EXPECT_TRUE(text.ends_with(" of address 00000000")) << text;
    for (HWND box : TopWindowsOf(app.pid(), "#32770"))
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = 0;
    ASSERT_TRUE(app.WaitForExit(10000, code));
    EXPECT_EQ(code, 1u);
    EXPECT_TRUE(IsWindowVisible(plain));
}
