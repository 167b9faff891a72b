#include "screens/Switching.h"
#include "errors/Wide_win.h"
#include "screens/HiddenRecord.h"
#include "screens/ScreenLists.h"
#include "screens/WindowCommands.h"
#include <algorithm>

// The window an entry stands for now: its own handle while that lives, else a
// window that carries exactly the remembered title.
static HWND CurrentWindowOf(const WindowEntry& entry) {
    HWND window = WindowOf(entry.Handle);
    if (IsWindow(window)) return window;
    // An empty title matches some program's invisible helper window; showing that
    // would put a stray blank window on the screen.
    if (entry.Title.empty()) return nullptr;
    HWND found = FindWindowExW(nullptr, nullptr, nullptr, WideText(entry.Title));
    // A namesake remembered for another screen belongs there, not here.
    if (found && Screens.ScreenOf(KeyOf(found)) != 0) return nullptr;
    return found;
}

HWND ChooseInput(std::vector<InputCandidate>& candidates, const std::vector<HWND>& coming) {
    for (InputCandidate& c : candidates) {
        HWND w = WindowOf(c.window);
        c.usable = IsWindow(w) && IsWindowEnabled(w) &&
                   (std::find(coming.begin(), coming.end(), w) != coming.end() || SeemsVisible(w));
    }
    return WindowOf(ChooseInputWindow(candidates));
}

void GiveInputTo(HWND window) {
    if (!window) window = GetShellWindow() ? GetShellWindow() : GetDesktopWindow();
    SetForegroundWindow(window);
}

void GiveInputBackTo(HWND before, HWND strip) {
    if (!before || before == GetDesktopWindow() || before == GetShellWindow()) {
        GiveInputTo(nullptr);
        return;
    }
    std::vector<InputCandidate> candidates = InputCandidatesNow(before != strip ? before : nullptr);
    GiveInputTo(ChooseInput(candidates));
}

HWND InputWindowNow() {
    HWND w = GetForegroundWindow();
    return w ? w : GetDesktopWindow();
}

void ShowScreen(const std::vector<WindowEntry>& entries, std::vector<InputCandidate> candidates,
                HWND foreground) {
    WindowBatch showing;
    // The windows as they stand now; a window found again by its title takes the
    // place of the one it was.
    std::vector<HWND> windows(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        windows[i] = CurrentWindowOf(entries[i]);
        if (windows[i] && KeyOf(windows[i]) != entries[i].Handle)
            for (InputCandidate& c : candidates)
                if (c.window == entries[i].Handle) c.window = KeyOf(windows[i]);
    }
    const std::vector<HWND> bottomFirst = windows;
    // The window that gets the input comes first and gets it as soon as it stands:
    // the user does not wait for the rest of the screen. (Taking the input lifts
    // it to the top, where the window that had it stood.)
    HWND chosen = foreground;
    try {
        if (!chosen) chosen = ChooseInput(candidates, windows);
        // Its group with it, owners first, so that what it owns stays above it.
        uintptr_t group = 0;
        for (size_t i = 0; i < windows.size(); ++i)
            if (chosen && windows[i] == chosen) group = entries[i].Main;
        HWND last = nullptr;
        for (size_t i = 0; group && i < windows.size(); ++i)
            if (windows[i] && entries[i].Main == group) {
                showing.Show(last = windows[i]);
                windows[i] = nullptr;
            }
        if (last) showing.WaitFor(last);
        GiveInputTo(chosen);
    } catch (...) {
    }
    // The rest bottom first. A window that comes back is put just above the nearest
    // window below it that stands on the screen (so Wine restacks; Windows leaves
    // it where it was): those of one program go out together, and the next
    // program's only once the last are up, or the programs' order of waking would
    // become the order of their windows. A program that does not answer holds up
    // the others for one wait at most.
    DWORD lastThread = 0;
    HWND lastWindow = nullptr;
    for (HWND window : windows) {
        if (!window) continue;
        const DWORD thread = GetWindowThreadProcessId(window, nullptr);
        if (lastWindow && thread != lastThread) showing.WaitFor(lastWindow);
        lastThread = thread;
        lastWindow = window;
        showing.Show(window);
    }
    PublishHiddenWindows();
    showing.Wait();
    showing.KeepOrder(bottomFirst);
}

namespace {
// While a switch runs, a click sent meanwhile starts no second one inside it.
struct SwitchRuns {
    SwitchRuns() { Screens.Switching = true; }
    ~SwitchRuns() { Screens.Switching = false; }
};
} // namespace

void SwitchScreenTo(int target, SwitchingStrip* strip) {
    // Once the program is restoring everything at its end, the lists are gone.
    if (Screens.Ended || Screens.Switching || !Screens.IsScreen(target) ||
        target == Screens.Current())
        return;
    SwitchRuns running;

    // The input leaves the screen first: a window losing it while the others are
    // still going would hand it to one of them, which would rise above the rest.
    const HWND input = InputWindowNow();
    GiveInputTo(nullptr);
    SwitchPlan plan = Screens.PlanSwitch(target, ShownWindowsNow(), KeyOf(input));
    // The guard and the next start can find them before the first hide is asked for.
    PublishHiddenWindows();
    WindowBatch hiding;
    for (uintptr_t w : plan.hide)
        hiding.Hide(WindowOf(w));
    hiding.Wait();
    if (strip) strip->ShowTexts(Screens.Texts());
    ShowScreen(plan.show, std::move(plan.input), nullptr);
}

void SetScreenCount(int count, SwitchingStrip* strip) {
    if (Screens.Ended || Screens.Switching) return;
    SwitchRuns running;
    SwitchPlan plan = Screens.SetCount(count);
    if (strip) strip->ShowTexts(Screens.Texts());
    if (!plan.show.empty()) ShowScreen(plan.show, {}, InputWindowNow());
}
