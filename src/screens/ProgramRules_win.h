// Rules per program at work (see settings/WindowRules.h): whose a window is, the
// programs kept on every screen, and new windows sent to their program's screen.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

// One look at the desktop: a process's program is read once for windows of it
// that come one after the other (a program's windows mostly stand together).
class ProgramPass {
  public:
    // The file name of the executable of window's process (UTF-8); "" when it
    // cannot be read (a program that runs elevated, on some systems).
    const std::string& ProgramOf(HWND window);
    // Whether a rule keeps window's program on every screen.
    bool OnEveryScreen(HWND window);

  private:
    DWORD process_ = 0;
    std::string program_;
};

// Reads the user's rules; with a rule that gives a program a screen of its own,
// watches for the windows programs open. Called at start: windows there are
// then stay where they are.
void StartProgramRules();
// Whether a rule keeps some program on every screen: only then is a window's
// program read while the desktop is.
bool EveryScreenRulesExist();
// Whether program's rule keeps it on every screen.
bool ProgramOnEveryScreen(const std::string& program);
// Adds (on) or removes program's every-screen rule and saves the rules; on brings
// its windows remembered for other screens here at once. False when the rules
// could not be saved (they hold for this run all the same).
bool SetProgramOnEveryScreen(const std::string& program, bool on);
