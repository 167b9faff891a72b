#include "errors/err.h"
#include "ui/Services.h"
#include <windows.h>
#include <cstdlib>
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
    char path[261];
    DWORD n = GetModuleFileNameA(static_cast<HMODULE>(mbi.AllocationBase), path, sizeof path);
    if (n == 0 || n >= sizeof path) return info;
    info.found = true;
    info.base = AddressValue(mbi.AllocationBase);
    info.path.assign(path, n);
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
    if (!module.found) {
        // Nothing better known: name the program itself.
        char own[261];
        DWORD n = GetModuleFileNameA(nullptr, own, sizeof own);
        path.assign(own, n < sizeof own ? n : 0);
    }
    uint32_t shown = ShownAddress(AddressValue(address), module.found, module.base);
    return UnhandledReport(path, shown, error ? error->message : std::string());
}

void ReportAndExit(const Exception* error, const void* address) {
    std::string text = ReportText(error, address);
    CallMessageBox(nullptr, text.c_str(), nullptr, MB_TASKMODAL | MB_ICONERROR);
    std::exit(1);
}

void ReportCurrentAndExit() {
    std::exception_ptr current = std::current_exception();
    try {
        if (current) std::rethrow_exception(current);
    } catch (const Exception& e) {
        ReportAndExit(&e, nullptr);
    } catch (const std::bad_alloc&) {
        Exception e = RunError(1, 0);
        ReportAndExit(&e, nullptr);
    } catch (...) {
    }
    ReportAndExit(nullptr, nullptr);
}

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter;
std::terminate_handler previousTerminate;
bool installed;

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    Exception error = TranslateException(record);
    ReportAndExit(&error, record->ExceptionAddress);
}

// A C++ error that no handler took ends here.
[[noreturn]] void OnTerminate() {
    ReportCurrentAndExit();
}

} // namespace

void InstallErrorHandlers() {
    if (installed) return;
    installed = true;
    previousFilter = SetUnhandledExceptionFilter(OnUnhandledException);
    previousTerminate = std::set_terminate(OnTerminate);
}

void RemoveErrorHandlers() {
    if (!installed) return;
    installed = false;
    SetUnhandledExceptionFilter(previousFilter);
    std::set_terminate(previousTerminate);
}

} // namespace err
