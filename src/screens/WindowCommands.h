// Showing and hiding other programs' windows without waiting on them.
//
// ShowWindow on a window of another program waits until that program handles the
// request; a program that has stopped answering would freeze the strip with it.
// So windows of other programs get the command posted (ShowWindowAsync), in the
// same order as before, and a batch then waits for the windows whose programs
// answer, so that for them the old order still holds: old windows gone before
// the screen number changes, new ones shown after. The wait ends when no window
// has reached its state for a while: a program that is merely busy with many
// windows keeps it going, one that has stopped answering ends it.
//
// Requests not yet carried out are remembered program-wide (PendingStates), and
// SeemsVisible answers with the state asked for while one is pending.
#pragma once
#include "screens/PendingStates.h"
#include <windows.h>
#include <vector>

constexpr DWORD kWindowBatchWaitMs = 500;

class WindowBatch {
  public:
    // Hides (SW_HIDE) or shows (SW_SHOWNA) window; our own windows synchronously.
    void Show(HWND window, int command);
    // Waits until every window commanded reached its state, or none has for
    // maxMs. Messages other programs send us are handled meanwhile: a program
    // that talks to us while we wait on it must not stall the wait. False when
    // it gave up on a window.
    bool Wait(DWORD maxMs = kWindowBatchWaitMs);

  private:
    struct Pending {
        HWND window;
        bool visible;
    };
    std::vector<Pending> pending_;
};

// The requests of this program still on their way to other programs' windows.
extern PendingStates PendingRequests;

// Whether the bookkeeping takes window to be visible: the state last asked for
// while that request is pending, else what the platform reports.
bool SeemsVisible(HWND window);

// How the bookkeeping reads whether a window stands on the screen once asked to
// change: IsWindowVisible unless replaced. Wine lets every program hide every
// window; a test replaces it to see a hide that did not take. Returns the reader
// in use before.
using VisibilityReadFn = bool (*)(HWND);
VisibilityReadFn SetVisibilityRead(VisibilityReadFn read);

// True for a window whose hide did not take although its program answered: it
// stays on every screen while it lives.
bool HideRefused(HWND window);
