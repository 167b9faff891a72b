// Times the program where its users wait on it and weighs what it costs them:
// the switch against the bare hiding and showing of the same windows, the window
// menu, start-up against a minimal Win32 program, and memory. Prints the figures
// as rows of a Markdown table; it reports, it never fails on a time.
//
//   paravue_bench.exe            (paravue.exe, minimal.exe and testwins.exe beside it)
//
// The windows of "another program" are testwins.exe's, in its own process. The
// switch and the menu run on a real strip built in this process; start-up and
// memory are measured on the real paravue.exe.
#include "app/MainInteraction.h"
#include "app/Unit1.h"
#include "screens/HiddenRecord.h"
#include "screens/ScreenModel.h"
#include "screens/ScreenLists.h"
#include "screens/WindowCommands.h"
#include "support/ParavueDriver.h"
#include "screens/Switching.h"
#include "screens/WindowMenu.h"
#include "support/OtherProgram.h"
#include <psapi.h>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kCounts[] = {10, 100, 500};
constexpr DWORD kStateWaitMs = 60000; // a bench, not a guard: wait for the real end

double NowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int Repetitions(int fallback) {
    const char* text = std::getenv("PARAVUE_BENCH_REPS");
    int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : fallback;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Lets the other processes finish what they were doing (repaints after a show).
void Settle(DWORD ms = 200) {
    double end = NowMs() + ms;
    while (NowMs() < end) {
        Pump();
        Sleep(5);
    }
}

// The stopwatch for the program and the floors alike: polls until every window
// has the visibility wanted (a dead one counts as done).
bool WaitForState(const std::vector<HWND>& windows, bool visible, DWORD maxMs = kStateWaitMs) {
    double end = NowMs() + maxMs;
    size_t done = 0;
    while (done < windows.size()) {
        HWND w = windows[done];
        if (!IsWindow(w) || (IsWindowVisible(w) != FALSE) == visible) {
            ++done;
            continue;
        }
        if (NowMs() > end) return false;
        Sleep(1);
    }
    return true;
}

void CALLBACK Answered(HWND, UINT, ULONG_PTR, LRESULT) {}

// The program's own calls, bare: each window posted its state (PostShowWindow,
// bottom first, a show without activation), its program asked to answer once it
// has taken the request, and a wait that wakes on those answers until every
// window has reached its state.
void PostAndWait(const std::vector<HWND>& windows, bool visible) {
    for (auto w = windows.rbegin(); w != windows.rend(); ++w) {
        PostShowWindow(*w, visible);
        SendMessageCallbackW(*w, WM_NULL, 0, 0, Answered, 0);
    }
    std::vector<bool> done(windows.size());
    const double end = NowMs() + kStateWaitMs;
    for (;;) {
        bool open = false;
        for (size_t i = 0; i < windows.size(); ++i) {
            if (done[i]) continue;
            HWND w = windows[i];
            if (IsWindow(w) && (IsWindowVisible(w) != FALSE) != visible)
                open = true;
            else
                done[i] = true;
        }
        if (!open || NowMs() > end) return;
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_SENDMESSAGE) == WAIT_OBJECT_0) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
}

// Notes from a thread of its own when window first becomes the foreground window:
// the switch hands it the input before it returns.
class ForegroundWatch {
  public:
    explicit ForegroundWatch(HWND window) : window_(window) {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~ForegroundWatch() {
        stop_ = true;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;
    // NowMs() when it first was, 0 until then.
    double at() const { return at_; }

  private:
    static DWORD WINAPI Run(void* self) {
        auto* watch = static_cast<ForegroundWatch*>(self);
        while (!watch->stop_) {
            if (GetForegroundWindow() == watch->window_) {
                watch->at_ = NowMs();
                break;
            }
            Sleep(1);
        }
        return 0;
    }
    HWND window_;
    HANDLE thread_ = nullptr;
    std::atomic<bool> stop_{false};
    std::atomic<double> at_{0};
};

// The peak working set of a process, 0 when it cannot be read.
size_t PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!process || !GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

// testwins.exe with n visible windows; with groups, every fifth of them owns a
// visible pop-up as well (a find box, a palette), shown after it.
class Crowd {
  public:
    Crowd(int n, bool groups, const std::string& name = "Bench") {
        std::string dir = MakeTempDir("bench");
        std::string spec;
        for (int i = 0; i < n; ++i) {
            const std::string k = std::to_string(i);
            spec += "w" + k + "\tv\t-\t" + name + " window " + k + "\n";
            if (groups && i % 5 == 0)
                spec += "p" + k + "\tvp\tw" + k + "\tBench pop-up " + k + "\n";
        }
        WriteWholeFile(dir + "spec.txt", spec);
        const std::string log = dir + "log.txt";
        process_.Start(
            ProgramBeside("testwins.exe", "\"" + dir + "spec.txt\" \"" + log + "\" quiet"));
        WaitFor([&] { return ReadWholeFile(log).find("ready\n") != std::string::npos; }, 60000);
        windows_ = TopWindowsOf(process_.pid(), "TestWins");
        expected_ = n + (groups ? (n + 4) / 5 : 0);
        Settle(500);
    }
    Crowd(const Crowd&) = delete;
    Crowd& operator=(const Crowd&) = delete;
    // Every window, pop-ups too, from the top.
    const std::vector<HWND>& windows() const { return windows_; }
    bool complete() const { return static_cast<int>(windows_.size()) == expected_; }

  private:
    ChildProcess process_;
    std::vector<HWND> windows_;
    int expected_ = 0;
};

std::string Ms(double ms) {
    char text[32];
    if (ms >= 100)
        std::snprintf(text, sizeof text, "%.0f ms", ms);
    else
        std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

std::string Ratio(double a, double b) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", b > 0 ? a / b : 0.0);
    return text;
}

std::string Kb(size_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f KB", static_cast<double>(bytes) / 1024.0);
    return text;
}

void Row(const std::string& figure, const std::string& n, const std::string& value,
         const std::string& against = "", const std::string& ratio = "") {
    std::printf("| %s | %s | %s | %s | %s |\n", figure.c_str(), n.c_str(), value.c_str(),
                against.c_str(), ratio.c_str());
    std::fflush(stdout);
}

// ---- switch and menu, on a strip of our own ------------------------------------

// The reads by which the switch and the menu judge a window, and nothing else.
BOOL CALLBACK ReadJudgingFacts(HWND window, LPARAM shell) {
    if (SeemsVisible(window)) ReadWindowFacts(window, true, reinterpret_cast<HWND>(shell));
    return TRUE;
}

struct SwitchFigures {
    std::vector<double> away, back, awayReturn, backReturn;
    std::vector<double> floorHide, floorShow;              // PostShowWindow
    std::vector<double> asyncHide, asyncShow, asyncShowNa; // ShowWindowAsync
    std::vector<double> syncHide, syncShow;                // ShowWindow
    std::vector<double> input; // from the switch back until the chosen window has the input
    bool inputTimed = false;
    std::vector<double> menuShown, menuHidden, readsShown;
    bool complete = true;
};

// Every timed step starts as a click on the strip does: with the strip in front.
// Hiding the window that has the input makes the platform hand the input to the
// next window, and the next, for every window hidden: a cost the starting state
// decides, not the calls.
void StripInFront(MainForm* strip) {
    SetForegroundWindow(GetHandle(strip->form));
    Settle(50);
}

// Times f (the calls) until every window reached the state wanted.
double TimeUntil(const std::vector<HWND>& windows, bool visible, bool& complete,
                 const std::function<void()>& calls) {
    const double t0 = NowMs();
    calls();
    complete &= WaitForState(windows, visible);
    return NowMs() - t0;
}

// The switch away and back, then the floor: a bare loop over the same windows
// with the same calls and the same kind of wait (PostAndWait), and nothing else.
// For comparison, the calls the program made before: ShowWindowAsync, showing
// with activation (SW_SHOW) and without (SW_SHOWNA), and synchronous ShowWindow.
void MeasureSwitchSteps(MainForm* strip, const Crowd& crowd, int n, int reps, SwitchFigures& f) {
    // After a step the other program repaints its windows for a while; timing the
    // next step over that would time the repainting.
    auto quiet = [n] { Settle(static_cast<DWORD>(std::max(200, 2 * n))); };
    const std::vector<HWND>& windows = crowd.windows();
    if (!crowd.complete()) {
        std::fprintf(stderr, "bench: only %zu windows came up for %d\n", windows.size(), n);
        f.complete = false;
    }
    auto bare = [&](int command) {
        return [&windows, command] {
            for (HWND w : windows)
                ShowWindowAsync(w, command);
        };
    };
    for (int r = 0; r < reps; ++r) {
        // The program waits a bounded time for the windows; the figure is the time
        // until they all really reached their state.
        double returned = 0;
        auto switchScreen = [&] {
            const double t0 = NowMs();
            SwitchScreen(strip, nullptr);
            returned = NowMs() - t0;
        };
        StripInFront(strip);
        f.away.push_back(TimeUntil(windows, false, f.complete, switchScreen));
        f.awayReturn.push_back(returned);
        quiet();
        StripInFront(strip);
        f.back.push_back(TimeUntil(windows, true, f.complete, switchScreen));
        f.backReturn.push_back(returned);
        quiet();
        // A switch that leaves windows behind is timed once: each wait is long.
        if (!f.complete) {
            std::fprintf(stderr, "bench: the switch with %d windows left some behind\n", n);
            break;
        }

        StripInFront(strip);
        f.floorHide.push_back(
            TimeUntil(windows, false, f.complete, [&] { PostAndWait(windows, false); }));
        quiet();
        StripInFront(strip);
        f.floorShow.push_back(
            TimeUntil(windows, true, f.complete, [&] { PostAndWait(windows, true); }));
        quiet();

        StripInFront(strip);
        f.asyncHide.push_back(TimeUntil(windows, false, f.complete, bare(SW_HIDE)));
        quiet();
        StripInFront(strip);
        f.asyncShow.push_back(TimeUntil(windows, true, f.complete, bare(SW_SHOW)));
        quiet();
        StripInFront(strip);
        TimeUntil(windows, false, f.complete, bare(SW_HIDE));
        quiet();
        StripInFront(strip);
        f.asyncShowNa.push_back(TimeUntil(windows, true, f.complete, bare(SW_SHOWNA)));
        quiet();

        // The synchronous calls, for comparison.
        StripInFront(strip);
        f.syncHide.push_back(TimeUntil(windows, false, f.complete, [&] {
            for (HWND w : windows)
                ShowWindow(w, SW_HIDE);
        }));
        quiet();
        StripInFront(strip);
        f.syncShow.push_back(TimeUntil(windows, true, f.complete, [&] {
            for (HWND w : windows)
                ShowWindow(w, SW_SHOW);
        }));
        quiet();
    }
}

// The user works in a window in the middle of the pile and switches away and
// back (a click on the strip leaves the input where it is): the time from the
// switch back until that window has the input again.
void MeasureInput(MainForm* strip, const Crowd& crowd, int n, int reps, SwitchFigures& f) {
    const std::vector<HWND>& windows = crowd.windows();
    if (windows.empty() || !f.complete) return;
    HWND chosen = windows[windows.size() / 2];
    f.inputTimed = true;
    for (int r = 0; r < reps; ++r) {
        SetForegroundWindow(chosen);
        const bool inFront =
            WaitFor([&] { return GetForegroundWindow() == chosen; }, static_cast<DWORD>(2000 + n));
        SwitchScreen(strip, nullptr);
        f.complete &= WaitForState(windows, false);
        Settle(static_cast<DWORD>(std::max(200, 2 * n)));
        ForegroundWatch watch(chosen);
        const double t0 = NowMs();
        SwitchScreen(strip, nullptr);
        const bool got = inFront && WaitFor([&] { return watch.at() > 0; },
                                            static_cast<DWORD>(std::max(5000, 10 * n)));
        f.complete &= got && WaitForState(windows, true);
        if (got) f.input.push_back(watch.at() - t0);
        Settle(static_cast<DWORD>(std::max(200, 2 * n)));
    }
}

void MeasureSwitch(MainForm* strip, int n, int reps, SwitchFigures& f, SwitchFigures& g) {
    {
        Crowd crowd(n, false);
        MeasureSwitchSteps(strip, crowd, n, reps, f);
        MeasureInput(strip, crowd, n, reps, f);
        const std::vector<HWND>& windows = crowd.windows();
        auto quiet = [n] { Settle(static_cast<DWORD>(std::max(200, 2 * n))); };

        // The window menu with the n windows on this screen, then on the other one.
        StripInFront(strip);
        BuildWindowMenu();
        for (int r = 0; r < reps; ++r) {
            double t0 = NowMs();
            BuildWindowMenu();
            f.menuShown.push_back(NowMs() - t0);
            t0 = NowMs();
            EnumWindows(ReadJudgingFacts, reinterpret_cast<LPARAM>(GetShellWindow()));
            f.readsShown.push_back(NowMs() - t0);
        }
        StripInFront(strip);
        SwitchScreen(strip, nullptr);
        f.complete &= WaitForState(windows, false);
        quiet();
        BuildWindowMenu();
        for (int r = 0; r < reps; ++r) {
            double t0 = NowMs();
            BuildWindowMenu();
            f.menuHidden.push_back(NowMs() - t0);
        }
        ClearWindowMenu();
        SwitchScreen(strip, nullptr);
        f.complete &= WaitForState(windows, true);
        quiet();
    }
    Crowd groups(n, true);
    MeasureSwitchSteps(strip, groups, n, reps, g);
    MeasureInput(strip, groups, n, reps, g);
}

// The windows of three programs, dealt out in turn over the stacking order: 20
// round trips through the switch, each checked against the order it started from.
struct Interleaved {
    int trips = 0, exact = 0;
    std::vector<double> back; // from the switch back until every window is up
    bool complete = true;
};
constexpr int kInterleavedTrips = 20;

// The given windows, top first, as the desktop stacks them.
std::vector<HWND> StackOf(const std::vector<HWND>& windows) {
    std::vector<HWND> order;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (std::find(windows.begin(), windows.end(), w) != windows.end()) order.push_back(w);
    return order;
}

void MeasureInterleaved(MainForm* strip, int n, Interleaved& f) {
    Crowd a((n + 2) / 3, false, "Bench A"), b((n + 1) / 3, false, "Bench B"),
        c(n / 3, false, "Bench C");
    f.complete = a.complete() && b.complete() && c.complete();
    // Top first: a0 b0 c0 a1 b1 c1 ...
    std::vector<HWND> stacked;
    for (size_t i = 0; i < a.windows().size(); ++i)
        for (const Crowd* crowd : {&a, &b, &c})
            if (i < crowd->windows().size()) stacked.push_back(crowd->windows()[i]);
    // Stacked so, and the input on the top window, as a user left it.
    auto restack = [&] {
        for (auto w = stacked.rbegin(); w != stacked.rend(); ++w)
            SetWindowPos(*w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(stacked.front());
        WaitFor([&] { return GetForegroundWindow() == stacked.front(); }, 2000);
        Settle(static_cast<DWORD>(std::max(200, 2 * n)));
    };
    restack();
    if (StackOf(stacked) != stacked) {
        std::fprintf(stderr, "bench: the %d interleaved windows could not be stacked\n", n);
        f.complete = false;
        return;
    }
    // Every request a program was sent is carried out once it answers.
    auto answered = [&] {
        for (const Crowd* crowd : {&a, &b, &c})
            if (!crowd->windows().empty()) f.complete &= Answers(crowd->windows().front(), 10000);
    };
    for (int trip = 0; trip < kInterleavedTrips && f.complete; ++trip) {
        SwitchScreen(strip, nullptr);
        f.complete &= WaitForState(stacked, false);
        Settle(static_cast<DWORD>(std::max(200, 2 * n)));
        const double t0 = NowMs();
        SwitchScreen(strip, nullptr);
        f.complete &= WaitForState(stacked, true);
        f.back.push_back(NowMs() - t0);
        answered();
        Settle(static_cast<DWORD>(std::max(200, 2 * n)));
        ++f.trips;
        if (StackOf(stacked) == stacked)
            ++f.exact;
        else
            restack(); // each trip starts from the order wanted
    }
}

// Three screens with the windows spread over them, one program's on each (n in
// all): each step of the round 1 > 2 > 3 > 1 hides one program's windows and
// shows the next one's. Its floor is the same two bare steps: PostAndWait hiding
// the windows left, then PostAndWait showing the windows entered. Beside it, the
// bare steps with the input handed over as the switch does: to the desktop first,
// then to the top window entered, shown alone before the rest.
constexpr int kSteps = 3;
struct ThreeScreens {
    std::vector<double> step[kSteps], returned[kSteps], floor[kSteps], floorInput[kSteps];
    bool complete = true;
};

void MeasureThreeScreens(MainForm* strip, int n, int reps, ThreeScreens& f) {
    auto quiet = [n] { Settle(static_cast<DWORD>(std::max(200, 2 * n))); };
    // Every window stands on screen 1 when a measure begins: the model starts afresh.
    Screens.Reset(3);
    // Each program started while its screen is shown: the switch before it hides
    // the windows of the one before.
    Crowd one((n + 2) / 3, false, "Bench 1");
    SwitchScreen(strip, nullptr);
    Crowd two((n + 1) / 3, false, "Bench 2");
    SwitchScreen(strip, nullptr);
    Crowd three(n / 3, false, "Bench 3");
    SwitchScreen(strip, nullptr);
    const std::vector<HWND>* screen[kSteps] = {&one.windows(), &two.windows(), &three.windows()};
    f.complete = one.complete() && two.complete() && three.complete() &&
                 WaitForState(*screen[0], true) && WaitForState(*screen[1], false) &&
                 WaitForState(*screen[2], false) && Screens.Current() == 1;
    quiet();
    auto step = [&](int from, const std::function<void()>& calls) {
        const std::vector<HWND>&left = *screen[from], &entered = *screen[(from + 1) % kSteps];
        StripInFront(strip);
        const double t0 = NowMs();
        calls();
        f.complete &= WaitForState(left, false) && WaitForState(entered, true);
        const double ms = NowMs() - t0;
        quiet();
        return ms;
    };
    for (int r = 0; r < reps && f.complete; ++r) {
        for (int from = 0; from < kSteps; ++from) {
            double returned = 0;
            f.step[from].push_back(step(from, [&] {
                const double t0 = NowMs();
                SwitchScreen(strip, nullptr);
                returned = NowMs() - t0;
            }));
            f.returned[from].push_back(returned);
        }
        // The same round bare; the model still has screen 1 shown at its end.
        for (int from = 0; from < kSteps; ++from)
            f.floor[from].push_back(step(from, [&] {
                PostAndWait(*screen[from], false);
                PostAndWait(*screen[(from + 1) % kSteps], true);
            }));
        for (int from = 0; from < kSteps; ++from)
            f.floorInput[from].push_back(step(from, [&] {
                const std::vector<HWND>& entered = *screen[(from + 1) % kSteps];
                SetForegroundWindow(GetShellWindow() ? GetShellWindow() : GetDesktopWindow());
                PostAndWait(*screen[from], false);
                if (!entered.empty()) {
                    PostAndWait({entered.front()}, true);
                    SetForegroundWindow(entered.front());
                }
                PostAndWait(entered, true);
            }));
    }
    if (!f.complete) std::fprintf(stderr, "bench: three screens with %d windows fell short\n", n);
    // Back to two screens with every window shown, as the other figures expect.
    for (int s = 2; s <= kSteps && Screens.Current() != 1; ++s)
        SwitchScreen(strip, nullptr);
    Screens.Reset(2);
    for (const std::vector<HWND>* windows : screen)
        for (HWND w : *windows)
            PostShowWindow(w, true);
}

void ThreeScreensRows(int count, const ThreeScreens& f) {
    if (f.step[0].empty()) return;
    const std::string n = std::to_string(count) + (f.complete ? "" : " (!)");
    for (int from = 0; from < kSteps; ++from) {
        const double ms = Median(f.step[from]), floor = Median(f.floor[from]);
        const int to = (from + 1) % kSteps;
        Row("Switch " + std::to_string(from + 1) + " > " + std::to_string(to + 1) +
                " of 3 screens (hide N/3, show N/3)",
            n, Ms(ms), "floor " + Ms(floor), Ratio(ms, floor));
    }
    Row("... of which SwitchScreen returned after", n,
        Ms(Median(f.returned[0])) + " / " + Ms(Median(f.returned[1])) + " / " +
            Ms(Median(f.returned[2])));
    std::string ms, floors, ratios;
    for (int from = 0; from < kSteps; ++from) {
        const char* sep = from ? " / " : "";
        const double step = Median(f.step[from]), floor = Median(f.floorInput[from]);
        ms += sep + Ms(step);
        floors += sep + Ms(floor);
        ratios += sep + Ratio(step, floor);
    }
    Row("... against the bare steps with the input handed over", n, ms, floors, ratios);
}

// The rows of one kind of switch; kind, when given, goes in brackets.
void SwitchRows(const std::string& kind, int count, const SwitchFigures& f) {
    if (f.away.empty()) return;
    const std::string n = std::to_string(count) + (f.complete ? "" : " (!)");
    const std::string of = kind.empty() ? "" : kind + ", ";
    const std::string tag = kind.empty() ? "" : " (" + kind + ")";
    double away = Median(f.away), back = Median(f.back);
    double hide = Median(f.floorHide), show = Median(f.floorShow);
    double asyncHide = Median(f.asyncHide), asyncShow = Median(f.asyncShow),
           asyncShowNa = Median(f.asyncShowNa);
    Row("Switch away (" + of + "hide N)", n, Ms(away), "floor " + Ms(hide), Ratio(away, hide));
    Row("Switch back (" + of + "show N)", n, Ms(back), "floor " + Ms(show), Ratio(back, show));
    Row("Switch away + back" + tag, n, Ms(away + back), "floor " + Ms(hide + show),
        Ratio(away + back, hide + show));
    Row("... of which SwitchScreen returned after", n,
        Ms(Median(f.awayReturn)) + " + " + Ms(Median(f.backReturn)));
    Row("... against ShowWindowAsync: SW_HIDE / SW_SHOWNA", n, Ms(away) + " / " + Ms(back),
        Ms(asyncHide) + " / " + Ms(asyncShowNa),
        Ratio(away, asyncHide) + " / " + Ratio(back, asyncShowNa));
    Row("... against ShowWindowAsync with activation (SW_SHOW)", n, Ms(back), Ms(asyncShow),
        Ratio(back, asyncShow));
    Row("ShowWindow (synchronous) hide + show", n,
        Ms(Median(f.syncHide)) + " + " + Ms(Median(f.syncShow)));
    if (!f.inputTimed) return;
    const double input = Median(f.input);
    Row("Switch back until the window left with the input has it" + tag, n,
        f.input.empty() ? "never" : Ms(input), "switch back " + Ms(back),
        f.input.empty() ? "" : Ratio(input, back));
}

// threeOnly: the switch on three screens alone.
void BenchSwitchAndMenu(int reps, bool threeOnly) {
    CreateApplication("tallowin");
    MainForm* strip = nullptr;
    BuildMainForm(strip, ApplicationObject);
    // As the program keeps it: the record written before every hide (the guard
    // process is left out; its figure is its own).
    EnableHiddenRecord("");
    Settle(300);

    // PARAVUE_BENCH_N=500 measures that one count only.
    const char* only = std::getenv("PARAVUE_BENCH_N");
    SwitchFigures figures[std::size(kCounts)], grouped[std::size(kCounts)];
    Interleaved interleaved[std::size(kCounts)];
    ThreeScreens three[std::size(kCounts)];
    for (size_t i = 0; i < std::size(kCounts); ++i)
        if (!only || std::atoi(only) == kCounts[i]) {
            const int r = kCounts[i] >= 500 ? std::max(3, reps / 2) : reps;
            if (!threeOnly) {
                MeasureSwitch(strip, kCounts[i], r, figures[i], grouped[i]);
                MeasureInterleaved(strip, kCounts[i], interleaved[i]);
            }
            MeasureThreeScreens(strip, kCounts[i], r, three[i]);
        }

    for (size_t i = 0; i < std::size(kCounts); ++i) {
        SwitchRows("", kCounts[i], figures[i]);
        SwitchRows("groups", kCounts[i], grouped[i]);
        const Interleaved& f = interleaved[i];
        if (f.trips == 0) continue;
        const std::string n = std::to_string(kCounts[i]) + (f.complete ? "" : " (!)");
        Row("Three programs interleaved: round trips back in the exact stacking order", n,
            std::to_string(f.exact) + " of " + std::to_string(f.trips),
            "goal " + std::to_string(kInterleavedTrips) + " of " +
                std::to_string(kInterleavedTrips));
        const double back = Median(f.back), one = Median(figures[i].back);
        Row("... switch back until every window is up (three programs)", n, Ms(back),
            "one program " + Ms(one), Ratio(back, one));
    }
    for (size_t i = 0; i < std::size(kCounts); ++i)
        ThreeScreensRows(kCounts[i], three[i]);
    for (size_t i = 0; i < std::size(kCounts); ++i) {
        const SwitchFigures& f = figures[i];
        if (f.menuShown.empty()) continue;
        Row("Window menu (BuildWindowMenu), N shown", std::to_string(kCounts[i]),
            Ms(Median(f.menuShown)));
        Row("Window menu (BuildWindowMenu), N on the other screen", std::to_string(kCounts[i]),
            Ms(Median(f.menuHidden)));
        Row("... the reads that judge each window, N shown", std::to_string(kCounts[i]),
            Ms(Median(f.readsShown)));
    }
}

// ---- start-up and memory, on the real programs ---------------------------------

struct Started {
    double ms = 0;       // from CreateProcess to the window visible
    size_t peakIdle = 0; // peak working set once idle
    std::vector<std::string> modules;
};

// The file names of the modules a process has loaded, in lower case.
std::vector<std::string> ModulesOf(HANDLE process) {
    HMODULE modules[256];
    DWORD bytes = 0;
    std::vector<std::string> names;
    if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return names;
    // The first module is the program itself.
    for (DWORD i = 1; i < bytes / sizeof(HMODULE) && i < 256; ++i) {
        char name[MAX_PATH] = "";
        if (!GetModuleBaseNameA(process, modules[i], name, MAX_PATH)) continue;
        CharLowerA(name);
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The window a program shows: the strip (a form of ours) or the minimal window.
HWND WaitForWindow(const ChildProcess& p, const char* className, DWORD maxMs = 30000) {
    if (!p.started()) return nullptr; // pid 0 would stand for every process
    double end = NowMs() + maxMs;
    for (;;) {
        std::vector<HWND> found = TopWindowsOf(p.pid(), className);
        if (!found.empty()) return found.front();
        if (NowMs() > end) return nullptr;
        Sleep(1);
    }
}

HWND ClosingWindow(const ChildProcess& p, const char* className) {
    if (lstrcmpA(className, "obj_Form") == 0) {
        std::vector<HWND> app = TopWindowsOf(p.pid(), "obj_App", false);
        return app.empty() ? nullptr : app.front();
    }
    std::vector<HWND> w = TopWindowsOf(p.pid(), className, false);
    return w.empty() ? nullptr : w.front();
}

Started StartOnce(const std::string& exe, const char* className, const char* args = "") {
    Started s;
    double t0 = NowMs();
    ChildProcess p(ProgramBeside(exe, args));
    if (!p.started() || !WaitForWindow(p, className)) {
        std::fprintf(stderr, "bench: %s did not show its window\n", exe.c_str());
        return s;
    }
    s.ms = NowMs() - t0;
    Settle(1000);
    s.peakIdle = PeakWorkingSet(p.handle());
    s.modules = ModulesOf(p.handle());
    p.Stop(ClosingWindow(p, className));
    return s;
}

void BenchStartAndMemory(int reps) {
    // One start of each first: the files come into the cache.
    Started minimalFirst = StartOnce("minimal.exe", "Minimal");
    Started paravueFirst = StartOnce("paravue.exe", "obj_Form");
    StartOnce("minimal.exe", "Minimal", "comctl32");
    std::vector<double> minimalMs, paravueMs, comctlMs, minimalPeak, paravuePeak, comctlPeak;
    // Starts are short and the machine is shared: more of them, interleaved.
    for (int r = 0; r < std::max(9, 2 * reps); ++r) {
        Started m = StartOnce("minimal.exe", "Minimal");
        Started p = StartOnce("paravue.exe", "obj_Form");
        Started c = StartOnce("minimal.exe", "Minimal", "comctl32");
        minimalMs.push_back(m.ms);
        paravueMs.push_back(p.ms);
        comctlMs.push_back(c.ms);
        minimalPeak.push_back(static_cast<double>(m.peakIdle));
        paravuePeak.push_back(static_cast<double>(p.peakIdle));
        comctlPeak.push_back(static_cast<double>(c.peakIdle));
    }
    double mMs = Median(minimalMs), pMs = Median(paravueMs), cMs = Median(comctlMs);
    Row("Start-up to the strip visible", "-", Ms(pMs), "minimal program " + Ms(mMs),
        Ratio(pMs, mMs));
    Row("... the same against the minimal program loading comctl32", "-", Ms(pMs),
        "minimal + comctl32 " + Ms(cMs), Ratio(pMs, cMs));
    if (std::getenv("PARAVUE_BENCH_VERBOSE")) {
        for (const std::string& m : minimalFirst.modules)
            std::fprintf(stderr, "minimal: %s\n", m.c_str());
        for (const std::string& m : paravueFirst.modules)
            std::fprintf(stderr, "paravue: %s\n", m.c_str());
    }
    std::string extra;
    for (const std::string& m : paravueFirst.modules)
        if (!std::binary_search(minimalFirst.modules.begin(), minimalFirst.modules.end(), m))
            extra += (extra.empty() ? "" : " ") + m;
    Row("DLLs loaded beyond the minimal program's", "-", extra.empty() ? "none" : extra, "",
        std::to_string(paravueFirst.modules.size()) + " vs " +
            std::to_string(minimalFirst.modules.size()) + " modules");
    double mPeak = Median(minimalPeak), pPeak = Median(paravuePeak), cPeak = Median(comctlPeak);
    Row("Peak working set, idle", "-", Kb(static_cast<size_t>(pPeak)),
        "minimal program " + Kb(static_cast<size_t>(mPeak)),
        "+" + Kb(static_cast<size_t>(std::max(0.0, pPeak - mPeak))));
    Row("... the same against the minimal program loading comctl32", "-",
        Kb(static_cast<size_t>(pPeak)), "minimal + comctl32 " + Kb(static_cast<size_t>(cPeak)),
        (pPeak >= cPeak ? "+" : "-") + Kb(static_cast<size_t>(std::abs(pPeak - cPeak))));

    // The real program switching away from 500 windows and back.
    const int n = kCounts[std::size(kCounts) - 1];
    Crowd crowd(n, false);
    ChildProcess p(ProgramBeside("paravue.exe"));
    HWND strip = WaitForWindow(p, "obj_Form");
    Settle(1000);
    HWND toTwo = strip ? FindChild(strip, "obj_BUTTON", "2") : nullptr;
    bool ok = toTwo != nullptr;
    if (ok) SendMessageA(toTwo, BM_CLICK, 0, 0);
    ok = ok && WaitForState(crowd.windows(), false);
    Settle(500);
    HWND toOne = strip ? FindChild(strip, "obj_BUTTON", "1") : nullptr;
    ok = ok && toOne;
    if (ok) SendMessageA(toOne, BM_CLICK, 0, 0);
    ok = ok && WaitForState(crowd.windows(), true);
    Settle(500);
    size_t peak = PeakWorkingSet(p.handle());
    size_t guardPeak = 0;
    for (DWORD child : ChildProcessesOf(p.pid()))
        if (HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, child)) {
            if (size_t got = PeakWorkingSet(h)) guardPeak = got;
            CloseHandle(h);
        }
    p.Stop(ClosingWindow(p, "obj_Form"));
    Row("Peak working set of the guard process", guardPeak ? "-" : "- (!)", Kb(guardPeak),
        "minimal program " + Kb(static_cast<size_t>(mPeak)),
        (guardPeak >= mPeak ? "+" : "-") +
            Kb(static_cast<size_t>(std::abs(static_cast<double>(guardPeak) - mPeak))));
    Row("Peak working set, after switching " + std::to_string(n) + " windows away and back",
        std::to_string(n) + (ok ? "" : " (!)"), Kb(peak),
        "minimal program " + Kb(static_cast<size_t>(mPeak)),
        "+" + Kb(peak > mPeak ? peak - static_cast<size_t>(mPeak) : 0));
}

} // namespace

int main() {
    const int reps = Repetitions(5);
    std::printf("| Figure | N | Para-Vue | Against | Ratio / difference |\n");
    std::printf("|---|---|---|---|---|\n");
    std::fflush(stdout);
    // PARAVUE_BENCH_PART=start or switch runs one half only; =three the switch on
    // three screens alone.
    const char* part = std::getenv("PARAVUE_BENCH_PART");
    const std::string which = part ? part : "";
    if (which.empty() || which == "start") BenchStartAndMemory(reps);
    if (which != "start") BenchSwitchAndMenu(reps, which == "three");
    return 0;
}
