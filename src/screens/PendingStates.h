// Hide and show requests sent to other programs' windows that may not have been
// carried out yet.
//
// A request (ShowWindowAsync) waits in the window's queue until its program next
// answers; meanwhile the platform still reports the old state. Every decision
// about such a window (record it, list it, move it) must use the state we asked
// for, or a busy program's window ends up remembered by both screens or by none.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class PendingStates {
  public:
    // A request for window to become visible or hidden. A request that reverses
    // one still pending leaves both in the window's queue.
    void Request(uintptr_t window, bool visible);
    // The state the bookkeeping takes the window to have, given what the platform
    // reports now. A request leaves once it has been carried out or its window
    // is gone. With two opposite requests queued, the window must first be seen
    // in the state of the earlier one: until then the report may predate both.
    bool Judge(uintptr_t window, bool exists, bool reportedVisible);
    // A second look, once the window's program has answered a message sent
    // after the requests (so it has taken them all): a reversed pair can be
    // swallowed (a program that talks to us while it hides may carry out the
    // show inside the hide, where it changes nothing), so the last request is
    // asked again when the window is not in its state; a request the window has
    // kept for two looks is done; a single request the program has overridden
    // twice running is the program's choice. A hide the window has outlasted
    // twice running while its program answered is Refused: the program may not
    // touch that window (it runs elevated, we do not).
    enum class Check { Wait, Resend, Done, Refused };
    Check Recheck(uintptr_t window, bool exists, bool answered, bool reportedVisible);
    // The state last asked for; true when nothing is pending.
    bool Wanted(uintptr_t window) const;
    bool Has(uintptr_t window) const;
    std::vector<uintptr_t> Windows() const;
    // Windows with a pending request to be shown.
    std::vector<uintptr_t> PendingShows() const;
    std::size_t size() const { return items_.size(); }

  private:
    struct Item {
        uintptr_t window;
        bool visible; // the state asked for last
        bool mixed;   // an opposite request may still be queued before it
        bool sawOther;
        int looks; // answered looks in a row that agree on the outcome
    };
    std::vector<Item> items_;
    std::vector<Item>::iterator Find(uintptr_t window);
};
