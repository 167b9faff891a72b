// Starts testwins.exe, a program of its own process that opens the windows a test
// describes, and finds those windows and its log of shows and hides.
#pragma once
#include "support/ChildProcess.h"
#include <windows.h>
#include <string>
#include <vector>

struct WindowSpec {
    std::string name;
    // v visible, t tool window, d disabled, p pop-up, s slow to show/hide,
    // m sends the strip a message before every show and hide
    std::string flags;
    std::string owner; // name of an earlier window, or empty
    std::string title;
};

// The windows most screen tests start from: a plain window "a", an "owner" and the
// window it owns ("owned", no pop-up), then the windows of more, then "asleep",
// hidden from the start. Titles begin with what: tests never find the windows of
// an earlier test by title.
std::vector<WindowSpec> Family(const std::string& what, const std::vector<WindowSpec>& more = {});

class OtherProgram {
  public:
    // program: testwins.exe, or a copy of it under another name beside it (a rule
    // per program tells programs apart by their file names).
    explicit OtherProgram(const std::vector<WindowSpec>& windows,
                          const std::string& program = "testwins.exe");
    ~OtherProgram();
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    bool started() const { return process_.started(); }
    DWORD processId() const { return process_.pid(); }
    HWND Window(const std::string& name) const;
    // Has window `from` open a new window (owned by it or not, taking the input or
    // not), known from then on as "<from>#n"; returns it, or 0 when it did not appear.
    HWND Open(const std::string& from, int n, bool owned, bool visible, bool takesInput = false);
    // Has the program show the window and bring it to the front (a link clicked in
    // another program is for it), or only show it; returns at once.
    void BringForward(const std::string& name, bool front = true) const;
    // Has the program stop answering for ms, from the window's own message, and
    // returns once it does not answer.
    void StopAnswering(HWND window, DWORD ms) const;
    // The lines logged since start (after "ready").
    std::vector<std::string> Log() const;
    // Lines of the log about shows and hides, e.g. "owner hide".
    std::vector<std::string> ShowHideLog() const;
    // The keys pressed in its windows, in order, as "<name> key <vk>".
    std::vector<std::string> Keys() const;
    // The windows that became the active window, in order, by name.
    std::vector<std::string> Activated() const;
    // The named windows that are visible, as they stand now, top first.
    std::vector<std::string> Stacking(const std::vector<std::string>& names) const;

  private:
    std::vector<WindowSpec> specs_;
    std::vector<HWND> windows_;
    std::string dir_, log_;
    ChildProcess process_;
};

// The folder of the running test program, with a trailing backslash.
std::string TestBinDir();
// A new empty temporary folder, with a trailing backslash.
std::string MakeTempDir(const char* prefix);
// Paths are UTF-8.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& data);
// Dispatches this thread's messages until pred() holds or ms pass; true if it held.
template <typename Pred> bool WaitFor(Pred pred, DWORD ms = 5000) {
    DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start > ms) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}
// Whether w's thread takes a message and answers within ms. What was sent to it
// before (a show or hide asked with ShowWindowAsync, an activation) is handled
// first: the answer is the sign that those requests are carried out.
inline bool Answers(HWND w, DWORD ms = 5000) {
    DWORD_PTR result;
    return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &result) != 0;
}
