#include "screens/ScreenLists.h"
#include "errors/err.h"
#include "screens/ProgramRules_win.h"
#include "screens/WindowCommands.h"
#include "ui/Services_win.h"
#include <vector>

// Windows 8 and later; loaded when first needed and kept for the run. A system
// without it, or a call that fails, cloaks nothing.
static bool DwmCloaked(HWND window) {
    using GetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
    constexpr DWORD kDWMWA_CLOAKED = 14;
    static GetAttributeFn getAttribute = [] {
        HMODULE dwm = LoadLibraryA("dwmapi.dll");
        return dwm ? reinterpret_cast<GetAttributeFn>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")))
                   : nullptr;
    }();
    DWORD cloaked = 0;
    return getAttribute &&
           SUCCEEDED(getAttribute(window, kDWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}
static CloakReadFn cloakRead = DwmCloaked;

CloakReadFn SetCloakRead(CloakReadFn read) {
    CloakReadFn old = cloakRead;
    cloakRead = read ? read : DwmCloaked;
    return old;
}

WindowFacts ReadWindowFacts(HWND window, bool visible, HWND shell) {
    WindowFacts f;
    f.visible = visible;
    f.hasParent = GetParent(window) != nullptr;
    f.owner = KeyOf(GetWindow(window, GW_OWNER));
    f.title = WindowTitle(window, kTitleTestLimit);
    f.style = static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE));
    f.exStyle = static_cast<uint32_t>(GetWindowLongA(window, GWL_EXSTYLE));
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    f.className = cls;
    f.isShellWindow = window == shell;
    f.cloaked = cloakRead(window);
    f.untouchable = HideRefused(window);
    return f;
}

bool HasEligibleStyle(HWND window) {
    uint32_t style = static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE));
    uint32_t exStyle = static_cast<uint32_t>(GetWindowLongA(window, GWL_EXSTYLE));
    return StyleIsEligible(style, exStyle);
}

static BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    err::Guarded([&] { reinterpret_cast<std::vector<HWND>*>(param)->push_back(window); });
    return TRUE;
}

// Adds program to the sorted list programs unless it is there.
static void AddProgram(std::vector<std::string>& programs, const std::string& program) {
    size_t i = programs.size();
    int order = 1;
    while (i > 0 && (order = program.compare(programs[i - 1])) < 0)
        --i;
    if (order == 0 || program.empty()) return;
    programs.emplace_back();
    for (size_t j = programs.size() - 1; j > i; --j)
        programs[j] = std::move(programs[j - 1]);
    programs[i] = program;
}

std::vector<GroupMember> TakingPartNow(HWND shell, std::vector<HWND>* all,
                                       std::vector<std::string>* titles,
                                       std::vector<std::string>* programs) {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    if (titles) titles->assign(windows.size(), std::string());
    // Programs are read only when a rule may keep one out, or the caller asks.
    ProgramPass pass;
    const bool rules = EveryScreenRulesExist();
    std::vector<GroupCandidate> shown;
    for (size_t i = 0; i < windows.size(); ++i) {
        // Judged by the state last asked for: a busy program's window counts
        // where it is going, not where it still stands.
        if (!SeemsVisible(windows[i])) continue;
        WindowFacts facts = ReadWindowFacts(windows[i], true, shell);
        facts.everyScreen = rules && pass.OnEveryScreen(windows[i]);
        shown.push_back({KeyOf(windows[i]), facts.owner, ClassifyWindow(facts)});
        if (titles) (*titles)[i] = std::move(facts.title);
        if (programs && shown.back().verdict == WindowVerdict::EveryScreen)
            AddProgram(*programs, pass.ProgramOf(windows[i]));
    }
    if (all) *all = std::move(windows);
    std::vector<GroupMember> groups = GroupWindows(shown);
    for (size_t i = 0; programs && i < groups.size(); ++i)
        AddProgram(*programs, pass.ProgramOf(WindowOf(groups[i].handle)));
    return groups;
}

std::vector<ShownWindow> ShownWindowsNow(HWND main) {
    std::vector<ShownWindow> shown;
    for (const GroupMember& m : TakingPartNow(GetShellWindow()))
        if (!main || m.main == KeyOf(main))
            shown.push_back({m.handle, m.main, 0, false, WindowTitle(WindowOf(m.handle))});
    return shown;
}

std::vector<InputCandidate> InputCandidatesNow(HWND hadInput) {
    std::vector<InputCandidate> candidates;
    if (hadInput) candidates.push_back({KeyOf(hadInput), true, true});
    const std::vector<GroupMember> groups = TakingPartNow(GetShellWindow());
    for (size_t i = groups.size(); i-- > 0;)
        if (groups[i].main == groups[i].handle)
            candidates.push_back({groups[i].handle, false, true});
    return candidates;
}

std::vector<ShownWindow> RememberedGroupOf(HWND main) {
    // Every remembered window took part when it was recorded; who owns whom now
    // decides the group. The list stands bottom first, the rule reads top first.
    const int screen = Screens.ScreenOf(KeyOf(main));
    std::vector<GroupCandidate> windows;
    const std::vector<WindowEntry>& all = Screens.All();
    for (size_t i = all.size(); i-- > 0;)
        if (all[i].Screen == screen)
            windows.push_back({all[i].Handle, KeyOf(GetWindow(WindowOf(all[i].Handle), GW_OWNER))});
    std::vector<ShownWindow> group;
    for (const GroupMember& m : GroupWindows(windows))
        if (m.main == KeyOf(main)) group.push_back({m.handle, m.main, 0, false, {}, 0});
    return group;
}

void ClaimOnView(const std::vector<GroupMember>& onView) {
    for (const GroupMember& m : onView)
        Screens.Forget(m.handle);
}
