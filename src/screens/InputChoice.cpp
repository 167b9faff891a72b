#include "screens/InputChoice.h"

uintptr_t ChooseInputWindow(const std::vector<InputCandidate>& topFirst) {
    for (const InputCandidate& c : topFirst)
        if (c.hadInput && c.usable) return c.window;
    for (const InputCandidate& c : topFirst)
        if (c.usable) return c.window;
    return 0;
}
