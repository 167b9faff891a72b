#include "screens/WindowGroups.h"
#include <utility>

namespace {
struct Grouping {
    const std::vector<GroupCandidate>& windows;
    std::vector<uintptr_t> mainOf; // 0: does not take part
    std::vector<char> emitted;
    std::vector<GroupMember> order;

    // The index of a visible window, or windows.size() when it is not one.
    size_t Find(uintptr_t handle) const {
        size_t i = 0;
        if (handle)
            while (i < windows.size() && windows[i].handle != handle)
                ++i;
        return handle ? i : windows.size();
    }

    void Emit(size_t i) {
        if (emitted[i] || !mainOf[i]) return;
        emitted[i] = true;
        // The owner first: shown after it, the owned window stands above it again.
        if (size_t o = Find(windows[i].owner); o < windows.size()) Emit(o);
        order.push_back({windows[i].handle, mainOf[i]});
    }
};

// A window owned by one that takes part goes with it, whatever its own style; only
// what is kept out for every screen stays where it is.
bool CanGoAlong(WindowVerdict v) {
    return v != WindowVerdict::Cloaked && v != WindowVerdict::Untouchable &&
           v != WindowVerdict::EveryScreen && v != WindowVerdict::NamedParavue;
}
} // namespace

std::vector<GroupMember> GroupWindows(const std::vector<GroupCandidate>& topFirst) {
    const size_t n = topFirst.size();
    Grouping g{topFirst, std::vector<uintptr_t>(n, 0), std::vector<char>(n, 0), {}};

    // The top of each window's chain of visible owners (n steps at most: a loop of
    // owners is damage, not a group).
    std::vector<size_t> top(n);
    for (size_t i = 0; i < n; ++i) {
        size_t t = i;
        for (size_t steps = 0; steps < n; ++steps) {
            const size_t o = g.Find(topFirst[t].owner);
            if (o == n || o == t) break;
            t = o;
        }
        top[i] = t;
    }
    // A disabled window waiting on a dialog it owns goes with that dialog; disabled
    // and alone, it waits on something of every screen.
    std::vector<char> ownsVisible(n, 0);
    for (size_t i = 0; i < n; ++i)
        if (size_t o = g.Find(topFirst[i].owner);
            o < n && o != i && CanGoAlong(topFirst[i].verdict))
            ownsVisible[o] = true;
    for (size_t i = 0; i < n; ++i) {
        const GroupCandidate& m = topFirst[top[i]];
        const bool mainTakesPart = m.verdict == WindowVerdict::TakesPart ||
                                   (m.verdict == WindowVerdict::Disabled && ownsVisible[top[i]]);
        if (mainTakesPart && (top[i] == i || CanGoAlong(topFirst[i].verdict)))
            g.mainOf[i] = m.handle;
    }
    for (size_t i = n; i-- > 0;)
        g.Emit(i);
    return std::move(g.order);
}
