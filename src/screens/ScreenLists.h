// Reading the desktop for the model of the screens: which top-level windows take
// part now, in groups, and the facts the window filter decides on.
#pragma once
#include "screens/Eligibility.h"
#include "screens/ScreenModel.h"
#include "screens/WindowGroups.h"
#include <windows.h>
#include <string>
#include <vector>

// The facts the window filter decides on; visible is what the caller found
// (SeemsVisible), shell the shell's desktop window (GetShellWindow).
WindowFacts ReadWindowFacts(HWND window, bool visible, HWND shell);
// How ReadWindowFacts learns that the window manager cloaks a window: through
// DwmGetWindowAttribute (DWMWA_CLOAKED) unless replaced. Returns the reader in use before.
using CloakReadFn = bool (*)(HWND);
CloakReadFn SetCloakRead(CloakReadFn read);
// The window groups that take part now, in the order to show them (bottom first,
// owners first). all, when given, receives every top-level window, top first, and
// titles, when given, the title of each of them that is visible ("" for the rest),
// and programs, when given, the programs of the windows that take part or that a
// rule keeps on every screen, each once, in alphabetical order.
std::vector<GroupMember> TakingPartNow(HWND shell, std::vector<HWND>* all = nullptr,
                                       std::vector<std::string>* titles = nullptr,
                                       std::vector<std::string>* programs = nullptr);
// Windows on view that a screen not shown still remembers (their program brought
// them forward) are the shown screen's from now on: the model forgets them.
void ClaimOnView(const std::vector<GroupMember>& onView);
// The windows of the screen shown as the model records them: the groups that take
// part, bottom first, each window with its whole title; with main, its group alone.
std::vector<ShownWindow> ShownWindowsNow(HWND main = nullptr);
// Where the input may go on the screen shown: hadInput (when given) first, then
// the main windows top first; for ChooseInput.
std::vector<InputCandidate> InputCandidatesNow(HWND hadInput);
// The group of main among the windows remembered for its screen, as their owners
// make it now.
std::vector<ShownWindow> RememberedGroupOf(HWND main);
bool HasEligibleStyle(HWND window);

inline HWND WindowOf(uintptr_t key) {
    return reinterpret_cast<HWND>(key);
}
inline uintptr_t KeyOf(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}
