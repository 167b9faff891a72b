#include "screens/PendingStates.h"
#include <algorithm>

void PendingStates::Request(uintptr_t window, bool visible) {
    for (Item& item : items_) {
        if (item.window != window) continue;
        if (item.visible != visible) item = {window, visible, true, false};
        return;
    }
    items_.push_back({window, visible, false, false});
}

bool PendingStates::Judge(uintptr_t window, bool exists, bool reportedVisible) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const Item& i) { return i.window == window; });
    if (it == items_.end()) return exists && reportedVisible;
    const bool wanted = it->visible;
    if (!exists) {
        items_.erase(it);
        return false;
    }
    if (reportedVisible != wanted) {
        it->sawOther = true;
    } else if (!it->mixed || it->sawOther) {
        items_.erase(it);
    }
    return wanted;
}

bool PendingStates::Has(uintptr_t window) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](const Item& i) { return i.window == window; });
}

std::vector<uintptr_t> PendingStates::PendingShows() const {
    std::vector<uintptr_t> shows;
    for (const Item& i : items_)
        if (i.visible) shows.push_back(i.window);
    return shows;
}
