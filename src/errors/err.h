// err: every run-time fault becomes one kind of error object with a kind code,
// an error number and a readable message; an error nobody handles is reported
// in a message box and ends the program.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace err {

class Exception {
  public:
    uint8_t kind = 0;
    int32_t errorNumber = 0; // the input/output result code for kind 3, else 0
    std::string message;
    // The platform's exception record, kept for "External exception" errors only.
    void* exceptionRecord = nullptr;
    // Where the program raised it, for the report; null when not known.
    const void* raisedAt = nullptr;

    Exception(uint8_t kind, std::string message, int32_t errorNumber = 0,
              void* exceptionRecord = nullptr)
        : kind(kind), errorNumber(errorNumber), message(std::move(message)),
          exceptionRecord(exceptionRecord) {}
};

constexpr uint8_t kKindIo = 3;
constexpr uint8_t kKindExternal = 4;
constexpr uint8_t kKindAccessViolation = 18;
constexpr uint8_t kKindAssertion = 25;

// The run-time's error indexes; an index above kRunSafecallError is an
// input/output error.
enum RunErrorIndex : int {
    kRunOutOfMemory = 1,
    kRunInvalidPointer = 2,
    kRunDivisionByZero = 3,
    kRunRangeCheck = 4,
    kRunIntegerOverflow = 5,
    kRunInvalidFloatOperation = 6,
    kRunFloatDivisionByZero = 7,
    kRunFloatOverflow = 8,
    kRunFloatUnderflow = 9,
    kRunInvalidCast = 10,
    kRunAccessViolation = 11,
    kRunPrivilegedInstruction = 12,
    kRunControlBreak = 13,
    kRunStackOverflow = 14,
    kRunVariantFirst = 15, // 15 to 20: the variant errors
    kRunVariantLast = 20,
    kRunAssertionFailed = 21,
    kRunExternalException = 22,
    kRunInterfaceNotSupported = 23,
    kRunSafecallError = 24,
};

// ---- texts ----
// The texts live in the program's string table. A loader gives the text of an
// identifier, or false when it has none; the built-in text then stands in, so a
// missing resource never hides a report.
using TextLoader = bool (*)(int id, std::string& text);
// The built-in text of id; null for an identifier that is not ours.
const char* BuiltInText(int id);
// From now on texts come from loader (null: built-in only): the messages of the
// two maps are read at once, the templates each time an error is built.
void LoadErrorTexts(TextLoader loader);
// The message of one of the two maps, as read by LoadErrorTexts.
const std::string& MapText(int id);
// A template, read now.
std::string TemplateText(int id);

// One value for a template: a text, or a 32-bit number (addresses included:
// the program is 32-bit). A text is borrowed, not copied: the values live as
// long as the call they are given to, and a text ends at its first zero, as
// for the system's formatter.
struct FormatArg {
    bool isText;
    const char* text = "";
    uint32_t number;

    FormatArg(const char* s) : isText(true), text(s ? s : "(null)"), number(0) {}
    FormatArg(const std::string& s) : isText(true), text(s.c_str()), number(0) {}
    FormatArg(int32_t n) : isText(false), number(static_cast<uint32_t>(n)) {}
    FormatArg(uint32_t n) : isText(false), number(n) {}
};

// Fills a template the way the system's wvsprintfA does (%s %c %d %i %u %x %X
// %p %%, with flags - # 0, width and precision), at most limit characters.
// A missing value reads as 0 or "", and a number never stands in for a text.
std::string FormatTemplate(const char* format, std::initializer_list<FormatArg> args,
                           size_t limit = 1023);

struct ErrorInfo {
    uint8_t kind;
    const char* message;
};
// The kind and message of a run-time error index (kRunOutOfMemory to
// kRunSafecallError); any other index is taken as an external exception.
ErrorInfo RunErrorInfo(int index);
// The message of an input/output result code.
std::string IoErrorMessage(int32_t code);
Exception IoError(int32_t code);
// A run-time error; indexes above kRunSafecallError are input/output errors
// with ioResult.
Exception RunError(int index, int32_t ioResult);

// The run-time error index of an operating-system exception status.
int StatusToRunError(uint32_t status);

// A processor fault at address inside the program's own image, or in no module
// at all (a call through a broken pointer), is ours and cannot be handled by
// anyone: it is reported at once rather than left to the platform, which
// swallows faults inside timer routines and, under Wine, inside every window
// procedure.
bool IsOwnFault(uint32_t status, uint32_t address, uint32_t imageBase, uint32_t imageSize,
                bool inAModule);

// The facts of an operating-system exception that decide its error.
struct ExceptionFacts {
    uint32_t status = 0;
    uint32_t address = 0;    // where it happened
    uint32_t accessKind = 0; // first parameter of an access violation: 0 = read
    uint32_t accessed = 0;   // second parameter: the address accessed
    bool inModule = false;   // the address lies in a module...
    std::string moduleName;  // ...of this file name (without folder)
    void* record = nullptr;
};
std::string AccessViolationMessage(const ExceptionFacts& facts);
Exception TranslateException(const ExceptionFacts& facts);

// A failed assertion: "message (file, line n)".
Exception AssertionError(const std::string& message, const std::string& file, int line);

// The address shown in the report: relative to the module that holds it, or to
// the program's code when no module does. A null address stays 0.
uint32_t ShownAddress(uint32_t address, bool inModule, uint32_t allocationBase);
// The text of the report of an unhandled error, at most 1023 characters.
std::string UnhandledReport(const std::string& modulePath, uint32_t shownAddress,
                            const std::string& message);

// Raise the errors of the run-time's own checks (input/output among them) and of
// failed assertions, each marked with the address of its caller.
[[noreturn]] void RaiseRunError(int index, int32_t ioResult = 0);
[[noreturn]] void RaiseAssertion(const std::string& message, const std::string& file, int line);

// A condition the program relies on; when it does not hold, the error of a
// failed assertion with this source file and line.
#define PV_ASSERT(condition, message)                                                              \
    do {                                                                                           \
        if (!(condition)) ::err::RaiseAssertion((message), __FILE__, __LINE__);                    \
    } while (0)

// ---- Win32 ----

struct ModuleInfo {
    bool found = false;
    uint32_t base = 0; // the module handle: the allocation base of its image
    std::string path;  // full path of the module file
};
// The text id in the string table of module (an HMODULE; null: the program).
bool LoadTextFrom(void* module, int id, std::string& text);
// The input/output error of the system's last error code (GetLastError).
[[noreturn]] void RaiseLastIoError();
// Runs once an unhandled error is met, before its report is shown: the user gets
// back what the program holds while the box waits. A fault in it keeps neither
// the report nor the end from coming.
using FatalExitHook = void (*)();
void SetFatalExitHook(FatalExitHook hook);

// The module whose image holds address, if any.
ModuleInfo ModuleOfAddress(const void* address);
// The error for a platform exception record (an EXCEPTION_RECORD).
Exception TranslateException(const void* exceptionRecord);
// The report text for error (null: not one of ours) raised at address.
std::string ReportText(const Exception* error, const void* address);
// Gives back what the program holds (the fatal exit hook), shows the report in a
// task-modal error box and ends the program with exit code 1.
[[noreturn]] void ReportAndExit(const Exception* error, const void* address);
// For the outermost catch (...) of a callback: reports the error being handled
// and ends the program.
[[noreturn]] void ReportCurrentAndExit();
// Runs routine; a C++ error it lets out goes to the unhandled-error report, so
// that none unwinds into the system's frames. Every Win32 callback of the
// program (window procedure, timer routine, enumeration callback) runs its body
// through it.
template <typename F> auto Guarded(F&& routine) -> decltype(routine()) {
    try {
        return routine();
    } catch (...) {
        ReportCurrentAndExit();
    }
}
// True from the moment an unhandled error is being reported: the program is
// ending, and its own handlers must no longer run (the report box's message
// loop would otherwise run them and meet the same fault again).
bool FatalErrorPending();
// What the C runtime calls for a parameter it refuses, once InstallErrorHandlers
// has handed it over (where the runtime takes one): the report, as for a fault.
void OnInvalidParameter(const wchar_t* expression, const wchar_t* function, const wchar_t* file,
                        unsigned line, uintptr_t reserved);
// From now on, faults and errors nobody catches end in the report: processor
// faults, C++ errors nobody catches (and every other way to the terminate
// handler), abort(), and a parameter the C runtime refuses.
void InstallErrorHandlers();
void RemoveErrorHandlers();

} // namespace err
