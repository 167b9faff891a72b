#include "launch/ShellExecute.h"

HINSTANCE ShellExecuteLate(HWND window, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show) {
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    // Loaded once and kept for the rest of the run.
    static ShellExecuteFn shellExecute = [] {
        HMODULE shell = LoadLibraryA("shell32.dll");
        return shell ? reinterpret_cast<ShellExecuteFn>(
                           reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")))
                     : nullptr;
    }();
    if (!shellExecute) return nullptr;
    return shellExecute(window, verb, file, parameters, directory, show);
}
