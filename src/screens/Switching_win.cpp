#include "screens/Switching.h"
#include "screens/QuitRestore.h"
#include "screens/Eligibility.h"
#include "screens/ScreenLists.h"
#include "screens/WindowCommands.h"
#include "screens/HiddenRecord.h"
#include "errors/Wide_win.h"
#include "screens/InputChoice.h"
#include <algorithm>
#include <vector>

// The window an entry stands for now: its own handle while that lives, else a
// window that carries exactly the remembered title.
static HWND CurrentWindowOf(const WindowEntry& entry, int screen) {
    if (IsWindow(entry.Handle)) return entry.Handle;
    // An empty title matches some program's invisible helper window; showing that
    // would put a stray blank window on the screen.
    if (entry.Title.empty()) return nullptr;
    HWND found = FindWindowW(nullptr, WideText(entry.Title));
    // A namesake remembered for the other screen belongs there, not here.
    if (found && FindEntryIndex(OtherScreen(screen), found) != -1) return nullptr;
    return found;
}

// The entered screen's choice; the list stands bottom first, the choice reads top first.
static HWND InputWindowOf(ObjectList* list) {
    std::vector<InputCandidate> candidates;
    for (int32_t i = list->count; i-- > 0;) {
        auto* entry = static_cast<WindowEntry*>(ListGet(list, i));
        if (!entry) continue;
        HWND w = entry->Handle;
        const bool usable = IsWindow(w) && SeemsVisible(w) && IsWindowEnabled(w);
        candidates.push_back({reinterpret_cast<uintptr_t>(w), entry->WasForeground, usable});
    }
    return reinterpret_cast<HWND>(ChooseInputWindow(candidates));
}

void GiveInputTo(HWND window) {
    if (!window) window = GetShellWindow() ? GetShellWindow() : GetDesktopWindow();
    SetForegroundWindow(window);
}

HWND InputWindowNow() {
    HWND w = GetForegroundWindow();
    return w ? w : GetDesktopWindow();
}

void ShowScreen(int screen, HWND foreground) {
    ObjectList* list = ScreenListOf(screen);
    if (!list) return;
    WindowBatch showing;
    std::vector<HWND> shown;
    DWORD lastThread = 0;
    bool inTurn = true;
    auto show = [&](HWND window) {
        if (std::find(shown.begin(), shown.end(), window) != shown.end()) return;
        shown.push_back(window);
        // Programs carry out our requests whenever they wake: the windows of the
        // next program wait until those of the last are up, or they would stack
        // in the order the programs woke. Once one does not answer, the rest go
        // at once, as they did before.
        const DWORD thread = GetWindowThreadProcessId(window, nullptr);
        if (inTurn && lastThread && thread != lastThread) inTurn = showing.Wait();
        lastThread = thread;
        // Not activated: each goes on top of those before it, and the list
        // stands bottom first, so the screen comes back stacked as it was left.
        showing.Show(window, SW_SHOWNA);
    };
    const int32_t count = list->count;
    for (int32_t i = 0; i < count; ++i) {
        // A C++ error over one entry loses only that entry; a processor fault
        // goes to the report, which shows every remembered window again.
        try {
            auto* entry = static_cast<WindowEntry*>(ListGet(list, i));
            HWND window = entry ? CurrentWindowOf(*entry, screen) : nullptr;
            // An owner that belongs here stands before its windows in the list;
            // one left on the other screen stays there.
            if (window && IsWindow(window)) show(window);
        } catch (...) {
        }
    }
    showing.Wait();
    // C++ errors only; a processor fault goes to the report.
    try {
        GiveInputTo(foreground ? foreground : InputWindowOf(list));
    } catch (...) {
    }
    ClearScreenList(screen);
    PublishHiddenWindows();
}

static bool switching;

bool SwitchRunning() {
    return switching;
}

void SwitchToOtherScreen(SwitchingStrip& strip) {
    // Once the program is restoring everything at its end, the lists are gone.
    if (RestoreStarted || !ScreenListOf(CurrentScreen)) return;
    // The button names the screen it leads to; naming this one, it has nothing to do.
    const std::string caption = strip.SwitchCaption();
    if ((caption == "1" && CurrentScreen == 1) || (caption == "2" && CurrentScreen == 2)) return;
    // The waits of a switch handle what other programs send us; a click sent
    // meanwhile must not start a second switch inside the first.
    if (switching) return;
    switching = true;
    struct Done {
        ~Done() { switching = false; }
    } done;

    HideCurrentScreen();
    strip.ScreenLeft(CurrentScreen);
    CurrentScreen = OtherScreen(CurrentScreen);
    strip.ScreenEntered(CurrentScreen);
    ShowScreen(CurrentScreen, nullptr);
}
