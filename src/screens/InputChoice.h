// Which window gets the input once a screen's windows are back.
#pragma once
#include <cstdint>
#include <vector>

struct InputCandidate {
    uintptr_t window;
    bool hadInput; // it had the input when its screen was left
    bool usable;   // it still exists, is shown and takes input
};

// The window that had the input, if usable; else the first usable one (the list
// runs top first); else 0: nothing of the screen, the desktop takes the input.
uintptr_t ChooseInputWindow(const std::vector<InputCandidate>& topFirst);
