// The program's entry, in place of the MinGW start-up object. That object also
// sets up what this program never uses (C-style argument vectors and wildcard
// expansion, thread-local storage callbacks, console and floating-point modes,
// its own fault filter with a diagnostic printer) and brings two sections of
// its own. Here: tell the C library this is a windowed program, run the static
// constructors (which also register the exception tables), keep the exit list,
// call WinMain as the usual start-up would, and leave through exit() so that
// what was registered with atexit runs. Linked with cmake/lean-startup.specs,
// which keeps the usual start-up object out of the link.
#include "runtime/CheckedToolchain.h"
#include <windows.h>
#include <cstdlib>

extern "C" {
void __main(void);             // the static constructors
void __set_app_type(int type); // the C library's idea of the program's kind

// The C library's exit list for this program; the usual start-up object made
// this. exit() runs it, last registered first.
int atexit(void (*routine)(void)) {
    return _onexit(reinterpret_cast<_onexit_t>(reinterpret_cast<void*>(routine))) ? 0 : -1;
}

// The linker's table of fix-ups for data imported from DLLs without saying so,
// which the usual start-up would apply.
extern char __RUNTIME_PSEUDO_RELOC_LIST__[];
extern char __RUNTIME_PSEUDO_RELOC_LIST_END__[];
}

namespace {
constexpr int kWindowedProgram = 2;

// The command line after the program's own name (which may be quoted), as the
// usual start-up hands it to WinMain.
char* ArgumentsOf(char* line) {
    bool quoted = false;
    while (*line && (quoted || static_cast<unsigned char>(*line) > ' ')) {
        if (*line == '"') quoted = !quoted;
        ++line;
    }
    while (*line && static_cast<unsigned char>(*line) <= ' ')
        ++line;
    return line;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show);

// The system enters with the stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer, used, externally_visible)) void
WinMainCRTStartup(void) {
    // The program imports no data that way, so there is nothing to fix up;
    // should that ever change, stop here rather than run with bad addresses.
    if (+__RUNTIME_PSEUDO_RELOC_LIST__ != +__RUNTIME_PSEUDO_RELOC_LIST_END__)
        FatalAppExitA(0, "paravue.exe was linked with imports it cannot fix up.");
    __set_app_type(kWindowedProgram);
    __main();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show =
        (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    std::exit(WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), show));
}
