#include "screens/ScreenLists.h"
#include "errors/err.h"
#include "screens/Eligibility.h"
#include "screens/WindowCommands.h"
#include <algorithm>
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
    // is checked before it is read, and one bad entry only loses itself.
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

bool HasEligibleStyle(HWND window) {
    uint32_t style = static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE));
    uint32_t exStyle = static_cast<uint32_t>(GetWindowLongA(window, GWL_EXSTYLE));
    return StyleIsEligible(style, exStyle);
}

WindowEntry* MakeWindowEntry(HWND window) {
    auto* entry = new WindowEntry{};
    entry->Handle = window;
    entry->Flag = 0;
    entry->WasForeground = window == GetForegroundWindow();
    GetWindowTextA(window, entry->Title, 255);
    return entry;
}

// The hide commands of one recording, waited for together once it is complete.
static WindowBatch hiding;
// Owners hidden along with the windows they own during this recording. Their hide
// may still be on its way, but for the recording they are hidden already.
static std::vector<HWND> ownersHidden;

static bool IsHiddenOwner(HWND window) {
    return std::find(ownersHidden.begin(), ownersHidden.end(), window) != ownersHidden.end();
}

// The tests of eligibility, in order; the first that fails ends the examination.
static bool IsEligibleTopLevel(HWND window) {
    if (!IsWindowVisible(window) || IsHiddenOwner(window)) return false;
    // Owned pop-ups report their owner here and go with it.
    if (GetParent(window)) return false;
    char title[kTitleTestLimit] = "";
    GetWindowTextA(window, title, kTitleTestLimit);
    if (TitleProtectsWindow(title)) return false;
    return HasEligibleStyle(window);
}

BOOL CALLBACK RecordAndHideWindow(HWND window, LPARAM) {
    if (!IsEligibleTopLevel(window)) return TRUE;
    ListAdd(ScreenListOf(CurrentScreen), MakeWindowEntry(window));
    if (IsWindow(window)) {
        // The owner goes first, so that the owned window never stands alone on screen.
        if (HWND owner = GetWindow(window, GW_OWNER)) {
            hiding.Show(owner, SW_HIDE);
            ownersHidden.push_back(owner);
        }
        hiding.Show(window, SW_HIDE);
    }
    return TRUE;
}

void HideCurrentScreen() {
    ClearScreenList(CurrentScreen);
    ownersHidden.clear();
    EnumWindows(RecordAndHideWindow, 0);
    hiding.Wait();
    ownersHidden.clear();
}

int FindEntryIndex(int screen, HWND window) {
    ObjectList* list = ScreenListOf(screen);
    if (!list) return -1;
    for (int32_t i = 0; i < list->count; ++i)
        if (static_cast<WindowEntry*>(ListGet(list, i))->Handle == window) return i;
    return -1;
}
