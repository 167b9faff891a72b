#include "launch/ShellExecute.h"
#include "errors/Wide_win.h"

HINSTANCE ShellExecuteLate(HWND window, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show) {
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    // Loaded once and kept for the rest of the run.
    static ShellExecuteFn shellExecute = [] {
        HMODULE shell = LoadLibraryA("shell32.dll");
        return shell ? reinterpret_cast<ShellExecuteFn>(
                           reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteW")))
                     : nullptr;
    }();
    if (!shellExecute) return nullptr;
    return shellExecute(window, WideText(verb), WideText(file), WideText(parameters),
                        WideText(directory), show);
}
