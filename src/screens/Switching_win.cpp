#include "screens/Switching.h"
#include "screens/Eligibility.h"
#include "screens/ScreenLists.h"
#include "screens/WindowCommands.h"

// The window an entry stands for now: its own handle while that lives, else a
// window that carries exactly the remembered title.
static HWND CurrentWindowOf(const WindowEntry& entry, int screen) {
    if (IsWindow(entry.Handle)) return entry.Handle;
    // An empty title matches some program's invisible helper window; showing that
    // would put a stray blank window on the screen.
    if (!entry.Title[0]) return nullptr;
    HWND found = FindWindowA(nullptr, entry.Title);
    // A namesake remembered for the other screen belongs there, not here.
    if (found && FindEntryIndex(OtherScreen(screen), found) != -1) return nullptr;
    return found;
}

void ShowScreen(int screen, HWND foreground) {
    ObjectList* list = ScreenListOf(screen);
    if (!list) return;
    WindowBatch showing;
    const int32_t count = list->count;
    for (int32_t i = 0; i < count; ++i) {
        // One entry that fails must not keep the others hidden.
        try {
            auto* entry = static_cast<WindowEntry*>(ListGet(list, i));
            HWND window = entry ? CurrentWindowOf(*entry, screen) : nullptr;
            if (!window || !IsWindow(window)) continue;
            if (HWND owner = GetWindow(window, GW_OWNER)) showing.Show(owner, SW_SHOW);
            showing.Show(window, SW_SHOW);
        } catch (...) {
        }
    }
    showing.Wait();
    try {
        SetForegroundWindow(foreground);
    } catch (...) {
    }
    ClearScreenList(screen);
}
