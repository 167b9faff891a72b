// Small services the program calls everywhere, the Win32 half: parameters of this
// run, files, message boxes, common controls, screen size and the system version.
// The message-box seam itself (SetMessageBoxFunction, CallMessageBox) is
// errors/MessageBox.h, so that the error report can use it too.
#pragma once
#include "errors/MessageBox.h"
#include "errors/Wide_win.h" // ProgramPath
#include "ui/Services.h"
#include <cstdint>
#include <string>

// The program's own path for n = 0, else parameter n of the command line.
std::string GetParam(int n);
// The whole command line, UTF-8.
std::string CommandLineText();
// A window's title (of any window, ours or another program's), at most limit - 1
// UTF-16 units of it; the whole title for a limit of 0. Empty on failure.
std::string WindowTitle(void* window, int limit = 0);
int GetParamCount();
bool FileExists(const std::string& name);
// wvsprintfA into a 2048-byte buffer.
std::string FormatText(const char* format, ...);
// A box in front of every window (topmost), titled with the owner's caption.
void ShowMessage(const std::string& text);
// The window whose caption titles message boxes (the application object's).
void SetMessageOwner(void* window);
void InitCommonControlsFor(uint32_t classes);
int ScreenWidth();
int ScreenHeight();

struct SystemVersion {
    bool known = false;
    uint32_t major = 0, minor = 0;
    uint32_t platformId = 0;
};
// GetVersionExA's answer; known is false when the system refused to tell.
SystemVersion QuerySystemVersion();
bool IsNTPlatform();
