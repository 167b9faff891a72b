#include "screens/ProgramRules_win.h"
#include "errors/Wide_win.h"
#include "errors/err.h"
#include "screens/HiddenRecord.h"
#include "screens/ScreenLists.h"
#include "screens/Switching.h"
#include "screens/WindowMenu.h"
#include "screens/WindowCommands.h"
#include "settings/MiniReg.h"
#include "settings/WindowRules.h"
#include "ui/Services.h"

namespace {
std::vector<std::string> rules;

// New windows of programs with a screen of their own, watched until they show
// (at most kWatchMs after the last one opened), each with the window that had the
// input when it opened (in pairs: window, input). The timer runs only while one is
// watched.
constexpr DWORD kWatchMs = 3000;
constexpr UINT kWatchTickMs = 15;
HWINEVENTHOOK openedHook;
UINT_PTR watchTimer;
DWORD watchUntil;
std::vector<uintptr_t> watched;

std::string ReadProgram(DWORD pid) {
    using QueryFn = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
    // Vista and later; before them no program is read and no rule holds.
    static const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameW")));
    constexpr DWORD kQueryLimited = 0x1000; // PROCESS_QUERY_LIMITED_INFORMATION
    // The least access that reads the name (Vista's too): a process that refuses
    // it refuses every wider one.
    const HANDLE process = query ? OpenProcess(kQueryLimited, FALSE, pid) : nullptr;
    if (!process) return {};
    // The longest path there is; one program is read at a time.
    static wchar_t path[32768];
    DWORD size = 32768;
    const bool read = query(process, 0, path, &size);
    CloseHandle(process);
    return read ? FileNamePart(NarrowText(path, static_cast<int>(size))) : std::string();
}

int RuleOfWindow(HWND window) {
    ProgramPass pass;
    return RuleOf(rules, pass.ProgramOf(window), Screens.Count(), SameProgramName);
}

// A window just shown goes to its program's screen with its group, as the menu
// would move it, unless that screen is shown. A window owned by one of this screen
// stays with its owner.
void SendToItsScreen(HWND window, HWND before) {
    const int target = RuleOfWindow(window);
    if (target >= 1 && target != Screens.Current() && MoveGroupQuietly(window, target) &&
        GetForegroundWindow() != before)
        GiveInputBackTo(before, nullptr);
}

void StopWatching() {
    watched.clear();
    if (watchTimer) KillTimer(nullptr, watchTimer);
    watchTimer = 0;
}

void CALLBACK WatchTick(HWND, UINT, UINT_PTR, DWORD) {
    err::Guarded([] {
        // A switch running now takes the windows as they stand; the next tick does the rest.
        if (Screens.Switching) return;
        for (size_t i = 0; i < watched.size();) {
            const HWND window = WindowOf(watched[i]);
            if (IsWindow(window) && !IsWindowVisible(window) && !Screens.Ended) {
                i += 2;
                continue;
            }
            const HWND before = WindowOf(watched[i + 1]);
            for (size_t j = i; j + 2 < watched.size(); ++j)
                watched[j] = watched[j + 2];
            watched.pop_back();
            watched.pop_back();
            if (IsWindow(window) && !Screens.Ended) SendToItsScreen(window, before);
        }
        if (watched.empty() || static_cast<LONG>(GetTickCount() - watchUntil) > 0) StopWatching();
    });
}

// Windows tells of a window created; it shows later, once its program has made it.
void CALLBACK WindowOpened(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
    if (object != OBJID_WINDOW || child != CHILDID_SELF || !window || err::FatalErrorPending())
        return;
    err::Guarded([window] {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (GetAncestor(window, GA_PARENT) != GetDesktopWindow() || pid == GetCurrentProcessId() ||
            RuleOfWindow(window) < 1)
            return;
        watched.push_back(KeyOf(window));
        watched.push_back(KeyOf(GetForegroundWindow()));
        watchUntil = GetTickCount() + kWatchMs;
        if (!watchTimer) watchTimer = SetTimer(nullptr, 0, kWatchTickMs, WatchTick);
    });
}

// Under Wine a hook sees another program's windows created, not shown: the hook
// names the window, and a short timer waits for it to show. Only while a rule
// gives a program a screen of its own.
void WatchNewWindows() {
    const bool on = HasRule(rules, Screens.Count(), false);
    if (on && !openedHook)
        openedHook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr,
                                     WindowOpened, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (!on && openedHook) {
        UnhookWinEvent(openedHook);
        openedHook = nullptr;
        StopWatching();
    }
}
} // namespace

const std::string& ProgramPass::ProgramOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != process_) {
        process_ = pid;
        program_ = ReadProgram(pid);
    }
    return program_;
}

bool ProgramPass::OnEveryScreen(HWND window) {
    return ProgramOnEveryScreen(ProgramOf(window));
}

void StartProgramRules() {
    ReadRegLines(HKEY_CURRENT_USER, kWindowRulesPath, rules);
    WatchNewWindows();
}

bool EveryScreenRulesExist() {
    return HasRule(rules, Screens.Count(), true);
}

bool ProgramOnEveryScreen(const std::string& program) {
    return RuleOf(rules, program, Screens.Count(), SameProgramName) == kEveryScreen;
}

bool SetProgramOnEveryScreen(const std::string& program, bool on) {
    SetEveryScreenRule(rules, program, on, SameProgramName);
    const bool saved = WriteRegLines(HKEY_CURRENT_USER, kWindowRulesPath, rules);
    WatchNewWindows();
    if (!on || Screens.Ended) return saved;
    // Its windows remembered for other screens belong to every screen now: asked
    // to show here, and out of the record (which may name them until then: they
    // come back either way). A window gone has no process, and so no program.
    ProgramPass pass;
    WindowBatch batch;
    for (size_t i = 0; i < Screens.All().size();) {
        const uintptr_t w = Screens.All()[i].Handle;
        if (!pass.OnEveryScreen(WindowOf(w))) {
            ++i;
            continue;
        }
        batch.Show(WindowOf(w), true);
        Screens.Forget(w);
    }
    PublishHiddenWindows();
    batch.Wait();
    return saved;
}
