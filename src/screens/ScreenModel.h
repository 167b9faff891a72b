// Where the windows are: the one model of the screens. It holds how many screens
// there are, each screen's hidden windows in stacking order with their groups and
// the one that had the input, the screen shown, the requests still on their way
// to other programs and the windows that refused to be hidden. Its operations
// take facts read from the desktop and return plans (hide these, show those in
// this order, offer the input to these); the Win32 side reads the facts and
// carries the plans out. Nothing else in the program keeps any of this.
#pragma once
#include "screens/InputChoice.h"
#include "screens/PendingStates.h"
#include "screens/WindowGroups.h"
#include <cstdint>
#include <string>
#include <vector>

// A window remembered for a screen it is hidden on. A screen's list stands in the
// order its windows are shown again: bottom first, every owner before the windows
// it owns.
struct WindowEntry {
    uintptr_t Handle = 0;
    uintptr_t Main = 0;         // the main window of its group; Handle when it leads one
    uint8_t Flag = 0;           // always 0
    bool WasForeground = false; // it had the input when it was recorded
    std::string Title;          // UTF-8, whole: finds the window again should the handle go
    int Screen = 0;             // the screen it is remembered for
};

// A window that takes part and stands on the screen shown, as the reader found it:
// its handle, its group's main window and its title.
using ShownWindow = WindowEntry;

// A top-level window as the window menu sees it (top first), and, once the model
// has made it an item, the group it moves and where to.
struct MenuCandidate {
    uintptr_t handle = 0;
    bool leadsShownGroup = false; // visible, and the main window of a group that takes part
    bool seemsVisible = false;    // visible by the state last asked for
    std::string title;            // its title now; the item's caption once made one
    // The screen the item moves its group to; 0: the item opens one sub-item per
    // screen other than from, the screen its group stands on (both set by the model).
    int target = 0;
    int from = 0;
};
using MenuWindowItem = MenuCandidate;

// What a switch does: hide the groups of the screen left (bottom first), show the
// windows of the screen entered (bottom first), then offer the input to them.
struct SwitchPlan {
    int from = 0, to = 0;
    std::vector<uintptr_t> hide;
    std::vector<WindowEntry> show;
    std::vector<InputCandidate> input; // top first; usable is for the reader to fill
};

// What moving a group does where the user can see it.
struct MovePlan {
    std::vector<uintptr_t> hide;   // it leaves the screen shown
    std::vector<WindowEntry> show; // it comes to the screen shown
};

// What the strip says: its number, its switch button and that button's hint.
// sign is the screen of a window that asks for attention (0: none); the button
// is marked then, and its hint names that window.
struct StripTexts {
    std::string number, switchCaption, switchHint;
    int sign = 0;
};

class ScreenModel {
  public:
    static constexpr int kMinScreens = 2, kMaxScreens = 9;

    explicit ScreenModel(int screens = kMinScreens) { Reset(screens); }
    // A new run: every list empty, screen 1 shown, no request pending.
    void Reset(int screens = kMinScreens);

    int Count() const { return count_; }
    int Current() const { return current_; }
    // The screen the switch leads to: the next one, and after the last the first.
    int Next() const { return current_ % count_ + 1; }
    bool IsScreen(int screen) const { return screen >= 1 && screen <= count_; }
    // The windows remembered for screen, in the order to show them.
    std::vector<WindowEntry> List(int screen) const;
    // Every window remembered, each once; the screens' lists interleaved.
    const std::vector<WindowEntry>& All() const { return entries_; }
    // The entry of window; null when no screen remembers it.
    const WindowEntry* Find(uintptr_t window) const;
    // The screen window is remembered for; 0 when none.
    int ScreenOf(uintptr_t window) const;

    // Leaving the screen shown: its groups (bottom first, as the reader gives them)
    // become its list, each window taken from any other list it stood in; input is
    // the window with the input. Returns the windows to hide, in the same order.
    std::vector<uintptr_t> RecordCurrent(const std::vector<ShownWindow>& shown, uintptr_t input);
    // A switch to target: records the screen shown, then takes target's list to
    // show. Nothing to do (an empty plan, to == 0) for target shown or no screen.
    SwitchPlan PlanSwitch(int target, const std::vector<ShownWindow>& shown, uintptr_t input);
    // Moves the group whose main window is main to target. group is that group as it
    // stands now: on the screen shown as the reader found it, hidden as its owners
    // make it among the windows of its screen (empty: as it was recorded). A group
    // that is already there, or unknown, does not move.
    MovePlan MoveGroup(uintptr_t main, int target, const std::vector<ShownWindow>& group,
                       uintptr_t input);
    // The number of screens becomes count (clamped). With fewer, the windows
    // remembered for the screens that go come to the screen shown afterwards, each
    // screen's in its stacking order, and if the screen shown went, the last one
    // left takes its place: its windows come too, those on view stay. The plan
    // shows them (from and to: the screen shown before and after); it hides none.
    SwitchPlan SetCount(int count);
    // The session may end or the run ends: every remembered window comes back, and
    // onto becomes the screen shown.
    std::vector<WindowEntry> GatherAll(int onto);
    // The window is gone, or no screen's any more: its entry goes.
    bool Forget(uintptr_t window);
    // The window's hide did not take although its program answered: it stays on
    // every screen while it lives, and no screen remembers it.
    void Refuse(uintptr_t window);
    bool IsRefused(uintptr_t window) const;
    // Drops refused windows for which alive says they no longer exist.
    void PruneRefused(bool (*alive)(uintptr_t window));
    // The window items of the menu, from every top-level window top first: one per
    // group of the screen shown (moving it to the next screen), the window
    // enumerated last first; then one per group remembered for another screen
    // (moving it here), in the order enumerated. With more than two screens an
    // item leaves the target to the user (0): one sub-item per screen but its own.
    std::vector<MenuWindowItem> MenuItems(const std::vector<MenuCandidate>& topFirst) const;
    // The candidates for the input among list (bottom first): the window that had the
    // input, then the main windows top first.
    static std::vector<InputCandidate> InputCandidates(const std::vector<WindowEntry>& list);
    StripTexts Texts() const;

    // window asks for attention (its taskbar button flashes). Only a window
    // remembered for a screen not shown makes a sign, named by the title it was
    // recorded with; one that asks again keeps its place. True when it is new.
    bool Ask(uintptr_t window);
    // window stopped asking, or is gone; true when it was asking. With window 0,
    // every window asking that stands on the screen shown: it has been seen, and
    // no longer asks whatever it goes on to do.
    bool StopAsking(uintptr_t window);

    // Requests to other programs' windows not yet carried out.
    PendingStates Pending;
    // Set as the restore at the end begins; from then on nothing is remembered.
    bool Ended = false;
    // A switch runs: its waits handle what other programs send us, and a click sent
    // meanwhile must not start a second switch inside the first.
    bool Switching = false;

  private:
    void Remember(int screen, const ShownWindow& w, uintptr_t input);
    // Moves the entries of screen (of main's group alone, when main is given) out.
    std::vector<WindowEntry> TakeOut(int screen, uintptr_t main = 0);

    // Every remembered window; a screen's list is its entries in this order.
    std::vector<WindowEntry> entries_;
    std::vector<uintptr_t> refused_;
    // The windows asking for attention, oldest first; the latest is named.
    std::vector<uintptr_t> asking_;
    int count_ = kMinScreens;
    int current_ = 1;
};

// The program's one model of the screens.
extern ScreenModel Screens;
