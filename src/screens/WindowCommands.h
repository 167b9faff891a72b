// Showing and hiding windows: the one way the program does it, for a switch, a
// menu move, quit, the end of a session, the guard, the next start and the fatal
// path alike.
//
// ShowWindow on a window of another program waits until that program handles the
// request; a program that has stopped answering would freeze the strip with it.
// So every request to another program's window is posted, and a window is shown
// where it stands in the stacking order (a hidden window keeps its place there).
// Where a caller must know that a request was carried out (old windows gone
// before the screen number changes, one program's windows up before the next
// program's, the window that gets the input up), the batch waits on the
// programs' answers, never on the clock, and gives up on a silent program once.
//
// Requests not yet carried out are remembered in the model (Screens.Pending),
// and SeemsVisible answers with the state asked for while one is pending.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

// How long a wait goes on while no program answers.
constexpr DWORD kWindowBatchWaitMs = 500;

// Posts the request to show (without activating it, in its place in the stacking
// order, or on top) or hide window, whatever program it belongs to. Nothing is
// remembered: the guard and the fatal path use it as they are.
void PostShowWindow(HWND window, bool visible, bool onTop = false);

class WindowBatch {
  public:
    WindowBatch() = default;
    WindowBatch(const WindowBatch&) = delete;
    WindowBatch& operator=(const WindowBatch&) = delete;
    ~WindowBatch();

    void Hide(HWND window);
    // Shown without taking the input: in its place in the stacking order, or on
    // top of the others (a window brought to this screen from another).
    void Show(HWND window, bool onTop = false);
    // Waits until the programs of the windows commanded (or of window alone) have
    // carried the requests out, or none has answered for maxMs. Messages other
    // programs send us are handled meanwhile. False when it gave up on a window;
    // the batch then waits on none of that program's windows again.
    bool Wait(DWORD maxMs = kWindowBatchWaitMs);
    bool WaitFor(HWND window, DWORD maxMs = kWindowBatchWaitMs);
    // After the shows of bottomFirst (bottom first): a window found above the one
    // that belongs above it, or of a program given up on, is put just under that
    // one (a late program's once its window stands). Wine now and then stacks a
    // window shown among others out of turn, and a program that wakes late shows
    // its windows wherever Wine puts a late window.
    void KeepOrder(const std::vector<HWND>& bottomFirst);

  private:
    struct Sent {
        HWND window;
        uintptr_t thread;
        bool visible;
        uint32_t call; // the answer awaited
        int rounds;    // answers had with the window not yet in its state
        bool done;
    };
    void Send(HWND window, bool visible, bool onTop);
    bool WaitWhile(HWND only, DWORD maxMs);
    // No answer is awaited any more; the settle timer watches what is pending.
    void Forget();
    std::vector<Sent> sent_;
    std::vector<uintptr_t> silent_; // threads given up on
};

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
