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
#include "screens/ScreenLists.h"
#include "screens/WindowCommands.h"
#include "support/ParavueDriver.h"
#include "screens/Switching.h"
#include "screens/WindowMenu.h"
#include "support/OtherProgram.h"
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// Waits until every window has the visibility wanted (a dead one counts as done),
// polling the same way the program's own batch wait does.
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

// The peak working set of a process, 0 when it cannot be read.
size_t PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!process || !GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

// testwins.exe with n plain visible windows.
class Crowd {
  public:
    explicit Crowd(int n) {
        std::string dir = MakeTempDir("bench");
        std::string spec;
        for (int i = 0; i < n; ++i)
            spec += "w" + std::to_string(i) + "\tv\t-\tBench window " + std::to_string(i) + "\n";
        WriteWholeFile(dir + "spec.txt", spec);
        const std::string log = dir + "log.txt";
        process_.Start(
            ProgramBeside("testwins.exe", "\"" + dir + "spec.txt\" \"" + log + "\" quiet"));
        WaitFor([&] { return ReadWholeFile(log).find("ready\n") != std::string::npos; }, 60000);
        windows_ = TopWindowsOf(process_.pid(), "TestWins");
        Settle(500);
    }
    Crowd(const Crowd&) = delete;
    Crowd& operator=(const Crowd&) = delete;
    const std::vector<HWND>& windows() const { return windows_; }

  private:
    ChildProcess process_;
    std::vector<HWND> windows_;
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
    std::vector<double> floorHide, floorShow, syncHide, syncShow;
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

void MeasureSwitch(MainForm* strip, int n, int reps, SwitchFigures& f) {
    Crowd crowd(n);
    // After a step the other program repaints its windows for a while; timing the
    // next step over that would time the repainting.
    auto quiet = [n] { Settle(static_cast<DWORD>(std::max(200, 2 * n))); };
    const std::vector<HWND>& windows = crowd.windows();
    if (static_cast<int>(windows.size()) != n) {
        std::fprintf(stderr, "bench: %zu of %d windows came up\n", windows.size(), n);
        f.complete = false;
    }
    for (int r = 0; r < reps; ++r) {
        // The switch, away and back. The program waits a bounded time for the
        // windows; the figure is the time until they all really reached their state.
        StripInFront(strip);
        double t0 = NowMs();
        SwitchScreen(strip, nullptr);
        double t1 = NowMs();
        f.complete &= WaitForState(windows, false);
        double t2 = NowMs();
        f.awayReturn.push_back(t1 - t0);
        f.away.push_back(t2 - t0);
        quiet();

        StripInFront(strip);
        t0 = NowMs();
        SwitchScreen(strip, nullptr);
        t1 = NowMs();
        f.complete &= WaitForState(windows, true);
        t2 = NowMs();
        f.backReturn.push_back(t1 - t0);
        f.back.push_back(t2 - t0);
        quiet();

        // The floor: the same calls on the same windows and nothing else.
        StripInFront(strip);
        t0 = NowMs();
        for (HWND w : windows)
            ShowWindowAsync(w, SW_HIDE);
        f.complete &= WaitForState(windows, false);
        f.floorHide.push_back(NowMs() - t0);
        quiet();
        StripInFront(strip);
        t0 = NowMs();
        for (HWND w : windows)
            ShowWindowAsync(w, SW_SHOW);
        f.complete &= WaitForState(windows, true);
        f.floorShow.push_back(NowMs() - t0);
        quiet();

        // The synchronous calls, for comparison.
        StripInFront(strip);
        t0 = NowMs();
        for (HWND w : windows)
            ShowWindow(w, SW_HIDE);
        f.syncHide.push_back(NowMs() - t0);
        quiet();
        StripInFront(strip);
        t0 = NowMs();
        for (HWND w : windows)
            ShowWindow(w, SW_SHOW);
        f.syncShow.push_back(NowMs() - t0);
        quiet();
    }

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

void BenchSwitchAndMenu(int reps) {
    CreateApplication("tallowin");
    MainForm* strip = nullptr;
    BuildMainForm(strip, ApplicationObject);
    // As the program keeps it: the record written before every hide (the guard
    // process is left out; its figure is its own).
    EnableHiddenRecord("");
    Settle(300);

    // PARAVUE_BENCH_N=500 measures that one count only.
    const char* only = std::getenv("PARAVUE_BENCH_N");
    SwitchFigures figures[std::size(kCounts)];
    for (size_t i = 0; i < std::size(kCounts); ++i)
        if (!only || std::atoi(only) == kCounts[i])
            MeasureSwitch(strip, kCounts[i], kCounts[i] >= 500 ? std::max(3, reps / 2) : reps,
                          figures[i]);

    for (size_t i = 0; i < std::size(kCounts); ++i) {
        const SwitchFigures& f = figures[i];
        if (f.away.empty()) continue;
        const std::string n = std::to_string(kCounts[i]) + (f.complete ? "" : " (!)");
        double away = Median(f.away), back = Median(f.back);
        double hide = Median(f.floorHide), show = Median(f.floorShow);
        Row("Switch away (hide N)", n, Ms(away), "floor " + Ms(hide), Ratio(away, hide));
        Row("Switch back (show N)", n, Ms(back), "floor " + Ms(show), Ratio(back, show));
        Row("Switch away + back", n, Ms(away + back), "floor " + Ms(hide + show),
            Ratio(away + back, hide + show));
        Row("... of which SwitchScreen returned after", n,
            Ms(Median(f.awayReturn)) + " + " + Ms(Median(f.backReturn)));
        Row("ShowWindow (synchronous) hide + show", n,
            Ms(Median(f.syncHide)) + " + " + Ms(Median(f.syncShow)));
    }
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
    Crowd crowd(n);
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
    // PARAVUE_BENCH_PART=start or switch runs one half only.
    const char* part = std::getenv("PARAVUE_BENCH_PART");
    const std::string which = part ? part : "";
    if (which != "switch") BenchStartAndMemory(reps);
    if (which != "start") BenchSwitchAndMenu(reps);
    return 0;
}
