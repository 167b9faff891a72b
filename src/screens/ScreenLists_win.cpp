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
    // An unhandled error ends the program at once; the user's hidden windows
    // must not vanish with it.
    err::SetFatalExitHook(ShowRecordedWindowsNow);
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

void ShowRecordedWindowsNow() {
    // The program is failing: anything it holds may be damaged, so every pointer
    // is checked before it is read. A C++ error in one entry loses only that
    // entry; a processor fault here ends the report's hook, and the guard
    // process still shows what is left.
    for (int screen = 1; screen <= 2; ++screen) {
        ObjectList* list = ScreenList[screen];
        if (!list || IsBadReadPtr(list, sizeof *list)) continue;
        const int32_t count = list->count;
        if (count <= 0 || IsBadReadPtr(list->items, count * sizeof(void*))) continue;
        for (int32_t i = 0; i < count; ++i) {
            try {
                auto* entry = static_cast<const WindowEntry*>(list->items[i]);
                if (!entry || IsBadReadPtr(entry, sizeof *entry)) continue;
                HWND window = entry->Handle;
                if (!IsWindow(window)) continue;
                // Posted, not sent: a program that stopped answering must not
                // keep the others hidden, nor this one from ending.
                if (HWND owner = GetWindow(window, GW_OWNER)) ShowWindowAsync(owner, SW_SHOW);
                ShowWindowAsync(window, SW_SHOW);
            } catch (...) {
            }
        }
    }
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

namespace {
// One recording: the screen it fills and the hides it asks for, owners first.
struct Recording {
    int screen;
    HWND shell;
    // Read once: the window that had the input when the recording began.
    HWND foreground;
    WindowBatch hiding;
};
} // namespace

static void RecordWindow(HWND window, Recording* rec) {
    // Windows already taken by this recording (owners of earlier windows) are
    // hidden as far as it is concerned, though the hide is yet to be asked for.
    if (!SeemsVisible(window) || FindEntryIndex(rec->screen, window) != -1) return;
    const WindowFacts facts = ReadWindowFacts(window, true, rec->shell);
    if (ClassifyWindow(facts) != WindowVerdict::TakesPart) return;
    // The owner goes first, so that the owned window never stands alone on
    // screen, and it is remembered as a window of its own: it must come back
    // even when the window it owns is closed meanwhile. An owner hidden already
    // belongs elsewhere (or to its program) and stays as it is.
    HWND owner = reinterpret_cast<HWND>(facts.owner);
    const bool withOwner = owner && SeemsVisible(owner) && FindEntryIndex(rec->screen, owner) == -1;
    if (withOwner) RememberWindow(rec->screen, owner, rec->foreground);
    RememberWindow(rec->screen, window, rec->foreground);
    // The guard reads it before the hide is asked for; the program hiding the
    // window gets to work while the enumeration goes on.
    PublishHiddenWindows(false);
    if (!IsWindow(window)) return;
    if (withOwner) rec->hiding.Show(owner, SW_HIDE);
    rec->hiding.Show(window, SW_HIDE);
}

BOOL CALLBACK RecordAndHideWindow(HWND window, LPARAM param) {
    err::Guarded([&] { RecordWindow(window, reinterpret_cast<Recording*>(param)); });
    return TRUE;
}

void HideCurrentScreen() {
    ClearScreenList(CurrentScreen);
    Recording rec{CurrentScreen, GetShellWindow(), GetForegroundWindow(), {}};
    EnumWindows(RecordAndHideWindow, reinterpret_cast<LPARAM>(&rec));
    // Once for the whole recording: the registry, for the next start.
    PublishHiddenWindows();
    rec.hiding.Wait();
}

int FindEntryIndex(int screen, HWND window) {
    ObjectList* list = ScreenListOf(screen);
    if (!list) return -1;
    for (int32_t i = 0; i < list->count; ++i)
        if (static_cast<WindowEntry*>(ListGet(list, i))->Handle == window) return i;
    return -1;
}
