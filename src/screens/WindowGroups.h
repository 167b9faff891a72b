// Window groups: a window that takes part in switching and the visible windows it
// owns (find boxes, palettes, dialogs), directly or through a chain. A group is
// hidden, remembered, moved and shown as one, its main window first.
#pragma once
#include "screens/Eligibility.h"
#include <cstdint>
#include <vector>

// One visible top-level window: its owner (0 when none) and its own verdict.
struct GroupCandidate {
    uintptr_t handle = 0;
    uintptr_t owner = 0;
    WindowVerdict verdict = WindowVerdict::TakesPart;
};

struct GroupMember {
    uintptr_t handle;
    uintptr_t main; // the group's main window; handle itself for the main window
};

// The windows that take part, each with its group's main window, from the visible
// top-level windows in the platform's order (top first); an owner that is not
// among them counts as hidden. The result is in the order to show them: bottom
// first, and every owner before the windows it owns, so that each window shown
// on top of the others leaves them standing as they stood.
std::vector<GroupMember> GroupWindows(const std::vector<GroupCandidate>& topFirst);
