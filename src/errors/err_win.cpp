#include "errors/err.h"
#include "errors/MessageBox.h"
#include "errors/Wide_win.h"
#include <windows.h>
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

// How far the program is on its way out after an unhandled error. A second
// error on the way (a handler run by the report box's message loop, a fault
// while windows are given back) must not start the road again.
enum class FatalState { Running, Reporting, Restoring, Exiting };
volatile FatalState fatalState = FatalState::Running;

[[noreturn]] void FinishFatalExit() {
    // A fault while giving things back or while ending: end now.
    if (fatalState == FatalState::Restoring || fatalState == FatalState::Exiting) ExitProcess(1);
    fatalState = FatalState::Restoring;
    if (fatalExitHook) {
        try {
            fatalExitHook();
        } catch (...) {
            // Whatever is left hidden, the program still ends.
        }
    }
    fatalState = FatalState::Exiting;
    std::exit(1);
}

} // namespace

bool FatalErrorPending() {
    return fatalState != FatalState::Running;
}

void SetFatalExitHook(FatalExitHook hook) {
    fatalExitHook = hook;
}

void ReportAndExit(const Exception* error, const void* address) {
    if (fatalState != FatalState::Running) FinishFatalExit();
    fatalState = FatalState::Reporting;
    try {
        std::string text = ReportText(error, address);
        CallMessageBox(nullptr, text.c_str(), nullptr, MB_TASKMODAL | MB_ICONERROR);
    } catch (...) {
        // Not even the report could be shown; the program ends all the same.
    }
    FinishFatalExit();
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
    if (!IsOwnFault(record->ExceptionCode, AddressValue(record->ExceptionAddress), imageBase,
                    imageSize))
        return EXCEPTION_CONTINUE_SEARCH;
    ReportFault(record);
}

// A C++ error that no handler took ends here.
[[noreturn]] void OnTerminate() {
    ReportCurrentAndExit();
}

void FindOwnImage() {
    auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    imageBase = AddressValue(base);
    imageSize = nt->OptionalHeader.SizeOfImage;
}

} // namespace

void InstallErrorHandlers() {
    if (installed) return;
    installed = true;
    LoadErrorTexts(ProgramText);
    FindOwnImage();
    previousFilter = SetUnhandledExceptionFilter(OnUnhandledException);
    faultHandler = AddVectoredExceptionHandler(1, OnFirstChanceException);
    previousTerminate = std::set_terminate(OnTerminate);
}

void RemoveErrorHandlers() {
    if (!installed) return;
    installed = false;
    SetUnhandledExceptionFilter(previousFilter);
    if (faultHandler) RemoveVectoredExceptionHandler(faultHandler);
    faultHandler = nullptr;
    std::set_terminate(previousTerminate);
}

} // namespace err
