// What is remembered of a hidden window, the list of hidden windows for each of
// the two screens, and the recording that fills the list of the screen being left.
#pragma once
#include "screens/Eligibility.h"
#include "screens/WindowGroups.h"
#include "ui/ObjectList.h"
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

// A screen's list stands in the order its windows are shown again: bottom first,
// every owner before the windows it owns.
struct WindowEntry {
    HWND Handle;
    uint8_t Flag;       // always 0
    bool WasForeground; // the window had the input when it was recorded
    std::string Title;  // UTF-8, whole: used to find the window again
};

// ScreenList[1] and ScreenList[2]; there is no list for screen 0.
extern ObjectList* ScreenList[3];
extern int32_t CurrentScreen;

// The list of a screen, or null for anything but 1 and 2.
ObjectList* ScreenListOf(int screen);
void CreateScreenLists();
// Releases every entry of the list of screen, then empties it.
void ClearScreenList(int screen);
void ReleaseScreenLists();

// The facts the window filter decides on; visible is what the caller found
// (SeemsVisible), shell the shell's desktop window (GetShellWindow).
WindowFacts ReadWindowFacts(HWND window, bool visible, HWND shell);
// How ReadWindowFacts learns that the window manager cloaks a window: through
// DwmGetWindowAttribute (DWMWA_CLOAKED) unless replaced. Returns the reader in use before.
using CloakReadFn = bool (*)(HWND);
CloakReadFn SetCloakRead(CloakReadFn read);
// The window groups that take part now, in the order to show them (bottom first,
// owners first). all, when given, receives every top-level window, top first, and
// titles, when given, the title of each of them that is visible ("" for the rest).
std::vector<GroupMember> TakingPartNow(HWND shell, std::vector<HWND>* all = nullptr,
                                       std::vector<std::string>* titles = nullptr);
// The members of main's group in groups, in their order; main alone when it leads none.
std::vector<HWND> GroupOf(const std::vector<GroupMember>& groups, HWND main);
// The groups among the windows remembered for screen, in list order.
std::vector<GroupMember> GroupsOfScreen(int screen);
bool HasEligibleStyle(HWND window);
// A new entry for window as it is now; foreground is the window with the input.
WindowEntry* MakeWindowEntry(HWND window, HWND foreground);
// Appends an entry for window to the list of screen, unless it is there already.
// A window belongs to one screen at a time: an entry in the other list goes.
void RememberWindow(int screen, HWND window, HWND foreground);
// Takes the entry of window out of the list of screen; false when it had none.
bool ForgetWindow(int screen, HWND window);
// Records the groups of the screen shown in its list and hides them, bottom first.
void HideCurrentScreen();
int FindEntryIndex(int screen, HWND window);
