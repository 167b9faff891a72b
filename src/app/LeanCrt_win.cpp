// Stand-ins for three pieces of the MinGW start-up code that print diagnostics
// to a standard error stream a windowed program does not have, or do work this
// program never needs; each pulls in a printf and its helpers. Linked into
// paravue.exe only.
#include <windows.h>

extern "C" {

// The linker's table of "pseudo relocations", made for data imported from DLLs
// without a declaration saying so.
extern char __RUNTIME_PSEUDO_RELOC_LIST__[];
extern char __RUNTIME_PSEUDO_RELOC_LIST_END__[];

// Would apply those relocations. The program imports no data that way, so the
// table is empty; should it ever not be, the program stops at once rather than
// run with addresses left unfixed.
void _pei386_runtime_relocator(void) {
    if (+__RUNTIME_PSEUDO_RELOC_LIST__ != +__RUNTIME_PSEUDO_RELOC_LIST_END__)
        FatalAppExitA(0, "paravue.exe was linked with data it cannot fix up.");
}

// The start-up code's unhandled-exception filter turns a fault into a C signal
// for a handler installed with signal(), which the program never does; with no
// handler it hands the fault on, as this one does.
LPTOP_LEVEL_EXCEPTION_FILTER __mingw_oldexcpt_handler = nullptr;

LONG CALLBACK _gnu_exception_handler(EXCEPTION_POINTERS* exception) {
    if (__mingw_oldexcpt_handler) return __mingw_oldexcpt_handler(exception);
    return EXCEPTION_CONTINUE_SEARCH;
}

// Called by the maths library on a domain or range error, which the program's
// integer-only work never raises; 0 lets the library report it the usual way.
int _matherr(struct _exception*) {
    return 0;
}

} // extern "C"
