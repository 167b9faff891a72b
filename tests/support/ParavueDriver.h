// Drives paravue.exe as a user does: starts it in its own process, finds its strip
// and the strip's controls, acts with real input (SendInput) and reads what shows
// on the desktop (window places, visibility, message boxes) and in the registry.
#pragma once
#include "support/ChildProcess.h"
#include "support/SettingsKey.h"
#include <windows.h>
#include <initializer_list>
#include <string>
#include <vector>

// Real input, in screen pixels.
void MouseMoveTo(int x, int y);
void MouseClick(int x, int y);
void MouseRightClick(int x, int y);
// Left press at (x1, y1), the mouse moved in steps to (x2, y2), released there.
void MouseDrag(int x1, int y1, int x2, int y2);
// Returns once a press can no longer make a double click with the last one.
void WaitOutDoubleClick();
void PressKey(WORD vk);
// A key pressed while another is held (Alt+F4: PressChord(VK_MENU, VK_F4)).
void PressChord(WORD held, WORD vk);
// vk pressed while all of held are down (Ctrl+Alt+Space), its key-down sent downs
// times before the one key-up, as a key held down repeats.
void PressKeys(std::initializer_list<WORD> held, WORD vk, int downs = 1);

POINT CenterOf(HWND window);
RECT RectOf(HWND window);
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
// The child windows of parent, at every depth, in the platform's order.
std::vector<HWND> ChildrenOf(HWND parent);
// The first child of parent with class cls and, unless text is null, that text.
HWND FindChild(HWND parent, const char* cls, const char* text = nullptr);
// The top-level windows of a process (pid 0: of any) with the given class ("" for any).
std::vector<HWND> TopWindowsOf(DWORD pid, const char* cls, bool visibleOnly = true);

// Whether w is the desktop's own (the desktop window, the shell's, the taskbar) or
// none: where the input goes when no window of a screen can take it.
bool IsDesktop(HWND w);
// Whether process pid has ended (or never was).
bool ProcessEnded(DWORD pid);

// Whether a process of the program file exe ("launched.exe", any folder) runs.
bool ProcessRuns(const char* exe);
// The processes that pid started and that still run.
std::vector<DWORD> ChildProcessesOf(DWORD pid);

class Paravue {
  public:
    Paravue() = default; // the process is killed with the object if it still runs
    Paravue(const Paravue&) = delete;
    Paravue& operator=(const Paravue&) = delete;

    // Starts paravue.exe (or another program next to the test program, or one
    // named by its full path) with the given command-line tail, in workDir ("" =
    // the test's own). Returns at once.
    bool Start(const std::string& args = "", const std::string& workDir = "",
               const std::string& program = "paravue.exe");
    // Waits until the strip ("obj_Form" titled "sd") of the process is visible.
    bool WaitForStrip(DWORD ms = 8000);

    DWORD pid() const { return process_.pid(); }
    HANDLE process() const { return process_.handle(); }
    HWND strip() const { return strip_; }
    // Child controls of the strip: buttons by caption, the number label.
    HWND Button(const char* caption) const;
    HWND SwitchButton() const; // the button that reads a screen's number, "1" to "9"
    HWND NumberLabel() const;
    // The application window ("tallowin").
    HWND AppWindow() const;

    // The text of the first message box (#32770) of the process, waiting up to ms;
    // false when none appears.
    bool WaitForMessageBox(std::string& text, DWORD ms = 5000);
    // Clicks the OK button of the open message box and waits until it is gone.
    bool DismissMessageBox(DWORD ms = 3000);
    // A visible popup menu window (#32768), or 0 after ms.
    HWND WaitForMenu(DWORD ms = 3000) const;
    bool WaitForNoMenu(DWORD ms = 3000) const;

    bool Running() const { return process_.Running(); }
    // The guard: the copy of the program it starts to watch over it; 0 when none.
    DWORD GuardPid() const;
    // Ends the guard the way Task Manager would; false when there is none.
    bool KillGuard();
    // Waits for the process to end; false on time-out.
    bool WaitForExit(DWORD ms, DWORD& exitCode) { return process_.WaitForExit(ms, exitCode); }
    void Kill();

  private:
    ChildProcess process_;
    HWND strip_ = nullptr;
};
