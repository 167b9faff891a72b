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
#pragma once
#include <windows.h>
#include <vector>

constexpr DWORD kWindowBatchWaitMs = 500;

class WindowBatch {
  public:
    // Hides (SW_HIDE) or shows (SW_SHOW) window; our own windows synchronously.
    void Show(HWND window, int command);
    // Waits until every window commanded reached its state, or none has for maxMs.
    void Wait(DWORD maxMs = kWindowBatchWaitMs);

  private:
    struct Pending {
        HWND window;
        bool visible;
    };
    std::vector<Pending> pending_;
};
