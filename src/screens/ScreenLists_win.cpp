#include "screens/ScreenLists.h"
#include "errors/err.h"
#include "screens/HiddenRecord.h"
#include "screens/WindowCommands.h"
#include "ui/Services_win.h"
#include <vector>

ObjectList* ScreenList[3];
int32_t CurrentScreen = 1;

ObjectList* ScreenListOf(int screen) {
    return screen == 1 || screen == 2 ? ScreenList[screen] : nullptr;
}

void CreateScreenLists() {
    ScreenList[1] = CreateList();
    ScreenList[2] = CreateList();
}

void ClearScreenList(int screen) {
    ObjectList* list = ScreenListOf(screen);
    if (!list) return;
    for (int32_t i = 0; i < list->count; ++i)
        delete static_cast<WindowEntry*>(ListGet(list, i));
    ListClear(list);
}

void ReleaseScreenLists() {
    for (int screen = 1; screen <= 2; ++screen) {
        ClearScreenList(screen);
        FreeObject(ScreenList[screen]);
        ScreenList[screen] = nullptr;
    }
}

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
    f.owner = reinterpret_cast<uintptr_t>(GetWindow(window, GW_OWNER));
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

WindowEntry* MakeWindowEntry(HWND window, HWND foreground) {
    auto* entry = new WindowEntry{};
    entry->Handle = window;
    entry->Flag = 0;
    entry->WasForeground = window == foreground;
    entry->Title = WindowTitle(window);
    return entry;
}

bool ForgetWindow(int screen, HWND window) {
    const int i = FindEntryIndex(screen, window);
    if (i == -1) return false;
    ObjectList* list = ScreenListOf(screen);
    delete static_cast<WindowEntry*>(ListGet(list, i));
    ListDelete(list, i);
    return true;
}

void RememberWindow(int screen, HWND window, HWND foreground) {
    ObjectList* list = ScreenListOf(screen);
    if (!list || FindEntryIndex(screen, window) != -1) return;
    ForgetWindow(OtherScreen(screen), window);
    ListAdd(list, MakeWindowEntry(window, foreground));
}

static BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    err::Guarded([&] { reinterpret_cast<std::vector<HWND>*>(param)->push_back(window); });
    return TRUE;
}

std::vector<GroupMember> TakingPartNow(HWND shell, std::vector<HWND>* all,
                                       std::vector<std::string>* titles) {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    if (titles) titles->assign(windows.size(), std::string());
    std::vector<GroupCandidate> shown;
    for (size_t i = 0; i < windows.size(); ++i) {
        // Judged by the state last asked for: a busy program's window counts
        // where it is going, not where it still stands.
        if (!SeemsVisible(windows[i])) continue;
        WindowFacts facts = ReadWindowFacts(windows[i], true, shell);
        shown.push_back(
            {reinterpret_cast<uintptr_t>(windows[i]), facts.owner, ClassifyWindow(facts)});
        if (titles) (*titles)[i] = std::move(facts.title);
    }
    if (all) *all = std::move(windows);
    return GroupWindows(shown);
}

std::vector<HWND> GroupOf(const std::vector<GroupMember>& groups, HWND main) {
    std::vector<HWND> members;
    for (const GroupMember& m : groups)
        if (m.main == reinterpret_cast<uintptr_t>(main))
            members.push_back(reinterpret_cast<HWND>(m.handle));
    if (members.empty()) members.push_back(main);
    return members;
}

std::vector<GroupMember> GroupsOfScreen(int screen) {
    // Every remembered window took part when it was recorded; who owns whom
    // decides the groups. The list stands bottom first, the rule reads top first.
    std::vector<GroupCandidate> windows;
    ObjectList* list = ScreenListOf(screen);
    for (int32_t i = list ? list->count : 0; i-- > 0;) {
        HWND window = static_cast<WindowEntry*>(ListGet(list, i))->Handle;
        windows.push_back({reinterpret_cast<uintptr_t>(window),
                           reinterpret_cast<uintptr_t>(GetWindow(window, GW_OWNER))});
    }
    return GroupWindows(windows);
}

void HideCurrentScreen() {
    ClearScreenList(CurrentScreen);
    const HWND foreground = GetForegroundWindow();
    const std::vector<GroupMember> groups = TakingPartNow(GetShellWindow());
    for (const GroupMember& m : groups)
        RememberWindow(CurrentScreen, reinterpret_cast<HWND>(m.handle), foreground);
    // The guard and the next start can find them before the first hide is asked for.
    PublishHiddenWindows();
    // Bottom first: the window with the input goes last, so the input does not
    // pass from window to window of the screen being left.
    WindowBatch hiding;
    for (const GroupMember& m : groups)
        hiding.Show(reinterpret_cast<HWND>(m.handle), SW_HIDE);
    hiding.Wait();
}

int FindEntryIndex(int screen, HWND window) {
    ObjectList* list = ScreenListOf(screen);
    if (!list) return -1;
    for (int32_t i = 0; i < list->count; ++i)
        if (static_cast<WindowEntry*>(ListGet(list, i))->Handle == window) return i;
    return -1;
}
