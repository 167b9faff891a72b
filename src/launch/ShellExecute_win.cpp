#include "launch/ShellExecute.h"
#include "errors/Wide_win.h"
#include <shellapi.h>

bool ShellExecuteLate(const char* file, const char* parameters, const char* directory,
                      HANDLE* process) {
    using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    // Loaded once and kept for the rest of the run.
    static ShellExecuteExFn shellExecute = [] {
        HMODULE shell = LoadLibraryA("shell32.dll");
        return shell ? reinterpret_cast<ShellExecuteExFn>(
                           reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExW")))
                     : nullptr;
    }();
    if (!shellExecute) return false;
    WideText wideFile(file), wideParameters(parameters), wideDirectory(directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // A failure is ours to report, in a box of our own.
    info.fMask = SEE_MASK_FLAG_NO_UI | (process ? SEE_MASK_NOCLOSEPROCESS : 0);
    info.lpFile = wideFile;
    info.lpParameters = wideParameters;
    info.lpDirectory = wideDirectory;
    info.nShow = SW_SHOWNORMAL;
    const bool opened = shellExecute(&info) != FALSE;
    if (process) *process = info.hProcess;
    return opened;
}
