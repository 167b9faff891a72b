#include "errors/err.h"
#include "errors/MessageBox.h"
#include "errors/Wide_win.h"
#include <windows.h>
#include <csignal>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <new>

namespace err {

static uint32_t AddressValue(const void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

ModuleInfo ModuleOfAddress(const void* address) {
    ModuleInfo info;
    MEMORY_BASIC_INFORMATION mbi;
    if (!address || VirtualQuery(address, &mbi, sizeof mbi) != sizeof mbi) return info;
    if (mbi.State != MEM_COMMIT || !mbi.AllocationBase) return info;
    // A committed region whose allocation base names a file is a module's image.
    info.path = ModulePath(mbi.AllocationBase);
    info.found = !info.path.empty();
    if (info.found) info.base = AddressValue(mbi.AllocationBase);
    return info;
}

Exception TranslateException(const void* exceptionRecord) {
    auto* record = static_cast<const EXCEPTION_RECORD*>(exceptionRecord);
    ExceptionFacts facts;
    facts.status = record->ExceptionCode;
    facts.address = AddressValue(record->ExceptionAddress);
    if (record->NumberParameters >= 2) {
        facts.accessKind = static_cast<uint32_t>(record->ExceptionInformation[0]);
        facts.accessed = static_cast<uint32_t>(record->ExceptionInformation[1]);
    }
    ModuleInfo module = ModuleOfAddress(record->ExceptionAddress);
    facts.inModule = module.found;
    facts.moduleName = module.path;
    facts.record = const_cast<EXCEPTION_RECORD*>(record);
    return TranslateException(facts);
}

std::string ReportText(const Exception* error, const void* address) {
    ModuleInfo module = ModuleOfAddress(address);
    std::string path = module.path;
    // Nothing better known: name the program itself.
    if (!module.found) path = ProgramPath();
    uint32_t shown = ShownAddress(AddressValue(address), module.found, module.base);
    return UnhandledReport(path, shown, error ? error->message : std::string());
}

bool LoadTextFrom(void* module, int id, std::string& text) {
    char buffer[1024];
    HINSTANCE instance = module ? static_cast<HINSTANCE>(module) : GetModuleHandleA(nullptr);
    int n = LoadStringA(instance, static_cast<UINT>(id), buffer, sizeof buffer);
    if (n <= 0) return false;
    text.assign(buffer, static_cast<size_t>(n));
    return true;
}

static bool ProgramText(int id, std::string& text) {
    return LoadTextFrom(nullptr, id, text);
}

__attribute__((noinline)) void RaiseLastIoError() {
    Exception e = IoError(static_cast<int32_t>(GetLastError()));
    e.raisedAt = __builtin_return_address(0);
    throw e;
}

namespace {

FatalExitHook fatalExitHook;

// How far the program is on its way out after an unhandled error: the report is
// written, the windows the program hid come back (the user may need them while
// the box waits), the box is shown, the program ends. An error on the way (a
// fault in the report or the hook, a handler run by the box's message loop)
// never starts the road again: it goes on from the next step not yet begun.
enum FatalState : LONG { kRunning, kWriting, kRestoring, kReporting, kExiting };
volatile LONG fatalState = kRunning;

// The report, kept outside the heap: a damaged heap must not cost the box.
char reportText[2048];
// The report of an error nobody can name, written while the program was well:
// it stands in when writing the real one fails.
char fallbackReport[2048];

} // namespace

bool FatalErrorPending() {
    return fatalState != kRunning;
}

void SetFatalExitHook(FatalExitHook hook) {
    fatalExitHook = hook;
}

void ReportAndExit(const Exception* error, const void* address) {
    // The step an error on the way out met; kRunning for the first error.
    LONG step = InterlockedCompareExchange(&fatalState, kWriting, kRunning);
    if (step == kRunning) {
        try {
            lstrcpynA(reportText, ReportText(error, address).c_str(), sizeof reportText);
        } catch (...) {
            step = kWriting;
        }
    }
    if (step == kWriting) lstrcpynA(reportText, fallbackReport, sizeof reportText);
    if (step <= kWriting) {
        fatalState = kRestoring;
        try {
            if (fatalExitHook) fatalExitHook();
        } catch (...) {
            // What is left hidden, the guard shows; the report comes all the same.
        }
    }
    if (step <= kRestoring) {
        fatalState = kReporting;
        try {
            CallMessageBox(nullptr, reportText, nullptr, MB_TASKMODAL | MB_ICONERROR);
        } catch (...) {
            // Not even the box could be shown; the program ends all the same.
        }
    }
    // Ending already, or the box has been up: end now.
    if (step >= kReporting) ExitProcess(1);
    fatalState = kExiting;
    std::exit(1);
}

void ReportCurrentAndExit() {
    // Rethrown only when one is being handled; a bare rethrow with none would
    // end in the terminate handler, which comes back here.
    try {
        if (abi::__cxa_current_exception_type()) throw;
    } catch (const Exception& e) {
        ReportAndExit(&e, e.raisedAt);
    } catch (const std::bad_alloc&) {
        Exception e = RunError(kRunOutOfMemory, 0);
        ReportAndExit(&e, nullptr);
    } catch (...) {
    }
    ReportAndExit(nullptr, nullptr);
}

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter;
std::terminate_handler previousTerminate;
void (*previousAbort)(int);
using InvalidParameterFn = void (*)(const wchar_t*, const wchar_t*, const wchar_t*, unsigned,
                                    uintptr_t);
using SetInvalidParameterFn = InvalidParameterFn (*)(InvalidParameterFn);
void* faultHandler;
bool installed;
uint32_t imageBase, imageSize;

[[noreturn]] void ReportRecord(const EXCEPTION_RECORD* record) {
    Exception error = TranslateException(record);
    ReportAndExit(&error, record->ExceptionAddress);
}

DWORD WINAPI ReportRecordThread(void* record) {
    ReportRecord(static_cast<const EXCEPTION_RECORD*>(record));
}

// The faulting thread may have next to no stack left (a stack overflow): the
// report then runs on a fresh thread while this one waits.
[[noreturn]] void ReportFault(const EXCEPTION_RECORD* record) {
    // On the way out already: the error would not be shown, and building it could
    // meet the same damage again.
    if (FatalErrorPending()) ReportAndExit(nullptr, nullptr);
    if (record->ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
        HANDLE thread = CreateThread(nullptr, 0, ReportRecordThread,
                                     const_cast<EXCEPTION_RECORD*>(record), 0, nullptr);
        if (thread) WaitForSingleObject(thread, INFINITE);
        ExitProcess(1);
    }
    ReportRecord(record);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    ReportFault(pointers->ExceptionRecord);
}

// Sees every exception first; acts only on a processor fault in our own code,
// which nobody could handle, before the platform can swallow it.
LONG CALLBACK OnFirstChanceException(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    MEMORY_BASIC_INFORMATION mbi{};
    VirtualQuery(record->ExceptionAddress, &mbi, sizeof mbi);
    if (!IsOwnFault(record->ExceptionCode, AddressValue(record->ExceptionAddress), imageBase,
                    imageSize, mbi.Type == MEM_IMAGE))
        return EXCEPTION_CONTINUE_SEARCH;
    ReportFault(record);
}

// A C++ error that no handler took ends here, and so does one leaving a function
// that promised none.
[[noreturn]] void OnTerminate() {
    ReportCurrentAndExit();
}

// abort(): the C runtime raises SIGABRT before it ends the process.
void OnAbortSignal(int) {
    ReportAndExit(nullptr, nullptr);
}

// The C runtime's own choice of handler for a parameter it refuses, where it
// offers one (the import library only stands in for it): msvcrt.dll from
// Windows Vista on. Without one it ends the process without a word, or returns.
SetInvalidParameterFn RuntimeSetInvalidParameter() {
    HMODULE crt = GetModuleHandleA("msvcrt.dll");
    return crt ? reinterpret_cast<SetInvalidParameterFn>(
                     reinterpret_cast<void*>(GetProcAddress(crt, "_set_invalid_parameter_handler")))
               : nullptr;
}

void FindOwnImage() {
    auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    imageBase = AddressValue(base);
    imageSize = nt->OptionalHeader.SizeOfImage;
}

} // namespace

} // namespace err

// A call of a pure virtual function. The C++ runtime's own routine writes to a
// standard error the program lacks, and this toolchain leaves its place in the
// tables empty (a call of address 0) unless something else brings it in: both
// runtimes end here instead, in the report.
extern "C" void __cxa_pure_virtual() {
    err::ReportAndExit(nullptr, __builtin_return_address(0));
}

namespace err {

__attribute__((noinline)) void OnInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*,
                                                  unsigned, uintptr_t) {
    ReportAndExit(nullptr, __builtin_return_address(0));
}

void InstallErrorHandlers() {
    if (installed) return;
    installed = true;
    LoadErrorTexts(ProgramText);
    lstrcpynA(fallbackReport, ReportText(nullptr, nullptr).c_str(), sizeof fallbackReport);
    FindOwnImage();
    previousFilter = SetUnhandledExceptionFilter(OnUnhandledException);
    faultHandler = AddVectoredExceptionHandler(1, OnFirstChanceException);
    previousTerminate = std::set_terminate(OnTerminate);
    // The runtime's own box for abort() would come before the report and say less.
    _set_error_mode(_OUT_TO_STDERR);
    previousAbort = std::signal(SIGABRT, OnAbortSignal);
    // Kept to the end: the runtime's refusals during the exit are reported too.
    if (SetInvalidParameterFn set = RuntimeSetInvalidParameter()) set(OnInvalidParameter);
}

void RemoveErrorHandlers() {
    if (!installed) return;
    installed = false;
    SetUnhandledExceptionFilter(previousFilter);
    if (faultHandler) RemoveVectoredExceptionHandler(faultHandler);
    faultHandler = nullptr;
    std::set_terminate(previousTerminate);
    std::signal(SIGABRT, previousAbort);
}

} // namespace err
