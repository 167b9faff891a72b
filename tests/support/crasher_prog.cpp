// The program itself, built as paravue.exe is (on the runtime stand-ins where
// paravue.exe uses them), with one way to end of choice: the strip is built and
// runs as in paravue.exe, but a click on its About button commits the fault named
// by the environment variable PARAVUE_CRASH (the command line belongs to launch
// lists):
//   read-null     read through a null pointer
//   divide        integer division by zero
//   assert        a failed assertion without a message
//   io            open a file that does not exist
//   throw         a C++ error that is not one of ours
//   oom           an allocation that cannot be met
//   stack         endless recursion
//   timer-read-null   the null read, in a timer's event
//   menu-read-null    the null read, in a timer's event while the window menu is
//                 open (the test opens it)
//   terminate     std::terminate() with no error in flight
//   uncaught      an error of ours that nobody catches, on a thread of its own
//   pure-virtual  a call of a pure virtual function, from a constructor
//   abort         abort()
//   invalid-parameter  the C runtime's call for a parameter it refuses (Wine's
//                 runtime never makes it itself, so it is made here)
#include "app/Unit1.h"
#include "errors/err.h"
#include "launch/LaunchList.h"
#include "screens/ScreenLists.h"
#include "ui/Services_win.h"
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

namespace {
std::string crash;

__attribute__((noinline)) int ReadNull() {
    volatile int* volatile nowhere = nullptr;
    return *nowhere;
}

volatile int divisor = 0;
char* volatile kept;
volatile int quotient;

volatile int deepest = 1 << 30;

__attribute__((noinline)) int Recurse(int depth) {
    volatile char frame[512];
    frame[depth % 512] = static_cast<char>(depth);
    // Ends only far beyond any stack.
    if (depth >= deepest) return 0;
    return Recurse(depth + 1) + frame[(depth + 1) % 512];
}

void TimerFault(void*, BaseObject*) {
    ReadNull();
}

// Inside the menu's own message loop, once there is one.
void MenuTimerFault(void*, BaseObject*) {
    HWND menu = FindWindowA("#32768", nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(menu, &pid);
    if (menu && IsWindowVisible(menu) && pid == GetCurrentProcessId()) ReadNull();
}

DWORD WINAPI RaiseUncaught(void*) {
    err::RaiseRunError(err::kRunRangeCheck);
}

// Its constructor runs Run while the object is still only a Job.
struct Job {
    Job();
    virtual ~Job() = default;
    virtual void Run() = 0;
};
Job* volatile starting;
// Seen whole, the program has one Run to call: the call must not be turned into
// a call of that one.
__attribute__((noinline, optimize("no-devirtualize", "no-devirtualize-speculatively"))) void
RunStarting() {
    starting->Run();
}
Job::Job() {
    starting = this;
    RunStarting();
}
struct PrintJob : Job {
    void Run() override {}
};

void CommitFault(void*, BaseObject*) {
    if (crash == "read-null") {
        ReadNull();
    } else if (crash == "divide") {
        quotient = 100 / divisor;
    } else if (crash == "assert") {
        PV_ASSERT(Screens.IsScreen(3), "");
    } else if (crash == "io") {
        HANDLE f = CreateFileA((ProgramDir + "no such file.txt").c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) err::RaiseLastIoError();
        CloseHandle(f);
    } else if (crash == "throw") {
        throw std::runtime_error("not one of ours");
    } else if (crash == "oom") {
        volatile size_t huge = 0x7FFFFFF0u;
        kept = new char[huge];
    } else if (crash == "stack") {
        quotient = Recurse(0);
    } else if (crash == "timer-read-null") {
        Timer* t = CreateTimer(10);
        t->OnTimer = MakeEvent(TimerFault, nullptr);
        TimerSetEnabled(t, true);
    } else if (crash == "menu-read-null") {
        Timer* t = CreateTimer(50);
        t->OnTimer = MakeEvent(MenuTimerFault, nullptr);
        TimerSetEnabled(t, true);
    } else if (crash == "terminate") {
        std::terminate();
    } else if (crash == "uncaught") {
        if (HANDLE thread = CreateThread(nullptr, 0, RaiseUncaught, nullptr, 0, nullptr))
            CloseHandle(thread);
    } else if (crash == "pure-virtual") {
        PrintJob job;
    } else if (crash == "abort") {
        std::abort();
    } else if (crash == "invalid-parameter") {
        err::OnInvalidParameter(nullptr, nullptr, nullptr, 0, 0);
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    err::InstallErrorHandlers();
    char name[64] = "";
    GetEnvironmentVariableA("PARAVUE_CRASH", name, sizeof name);
    crash = name;
    Control* app = CreateApplication("tallowin");
    MainForm* strip = nullptr;
    BuildMainForm(strip, app);
    strip->AboutButton->OnClick = MakeEvent(CommitFault, strip);
    RunMessageLoop(app);
    err::RemoveErrorHandlers();
    return 0;
}
