#include "screens/PendingStates.h"
#include <algorithm>

void PendingStates::Request(uintptr_t window, bool visible) {
    auto it = Find(window);
    if (it == items_.end())
        items_.push_back({window, visible, false, false, 0});
    else if (it->visible != visible)
        *it = {window, visible, true, false, 0};
}

bool PendingStates::Judge(uintptr_t window, bool exists, bool reportedVisible) {
    auto it = Find(window);
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

std::vector<PendingStates::Item>::iterator PendingStates::Find(uintptr_t window) {
    return std::find_if(items_.begin(), items_.end(),
                        [&](const Item& i) { return i.window == window; });
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

PendingStates::Check PendingStates::Recheck(uintptr_t window, bool exists, bool answered,
                                            bool reportedVisible) {
    auto it = Find(window);
    if (it == items_.end()) return Check::Done;
    if (!exists) {
        items_.erase(it);
        return Check::Done;
    }
    if (!answered) {
        it->looks = 0;
        return Check::Wait;
    }
    if (reportedVisible == it->visible) {
        // The program may still be inside the earlier request's handling:
        // reached twice, it stays.
        if (!it->mixed || ++it->looks >= 2) {
            items_.erase(it);
            return Check::Done;
        }
        return Check::Wait;
    }
    if (it->mixed) {
        // Asked again, alone this time.
        *it = {window, it->visible, false, false, 0};
        return Check::Resend;
    }
    if (++it->looks >= 2) {
        const bool shown = it->visible;
        items_.erase(it);
        return shown ? Check::Done : Check::Refused;
    }
    return Check::Wait;
}

bool PendingStates::Wanted(uintptr_t window) const {
    for (const Item& i : items_)
        if (i.window == window) return i.visible;
    return true;
}

std::vector<uintptr_t> PendingStates::Windows() const {
    std::vector<uintptr_t> all;
    for (const Item& i : items_)
        all.push_back(i.window);
    return all;
}
