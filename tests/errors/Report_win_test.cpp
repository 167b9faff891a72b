#include "errors/err.h"
#include "ui/Services_win.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

using namespace err;

namespace {

std::string OwnPath() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n);
}

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           lstrcmpiA(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

std::string Hex8(const void* p) {
    return FormatText("%p", p);
}

// The report box of a child process, written where the parent can read it.
std::string ReportFile() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "pv-err-report.txt";
}

int BoxToFile(void* owner, const char* text, const char* caption, unsigned type) {
    HANDLE h = CreateFileA(ReportFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string record = FormatText("%p|%u|%s|", owner, type, caption ? "caption" : "none");
    record += text;
    DWORD written = 0;
    WriteFile(h, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(h);
    return IDOK;
}

std::string ReadWholeFileText(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    char buffer[4096];
    DWORD got = 0;
    ReadFile(h, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(h);
    return std::string(buffer, got);
}

std::string ReadReport() {
    return ReadWholeFileText(ReportFile());
}

void PrepareChild() {
    SetMessageBoxFunction(BoxToFile);
    InstallErrorHandlers();
}

__attribute__((noinline)) void WriteThroughNull() {
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
}

volatile int quotient;
__attribute__((noinline)) void DivideBy(int d) {
    volatile int divisor = d;
    quotient = 100 / divisor;
}

// The report with the 8 address digits after head masked; digits gets them.
std::string MaskAddress(std::string report, const std::string& head, std::string& digits) {
    digits.clear();
    if (report.rfind(head, 0) != 0 || report.size() < head.size() + 8) return report;
    digits = report.substr(head.size(), 8);
    report.replace(head.size(), 8, "########");
    return report;
}

// The test framework catches what a death-test statement throws; an error
// leaving a function that throws nothing goes straight to termination.
void Uncaught(void (*raise)()) noexcept {
    raise();
}

} // namespace

TEST(ErrModules, AddressesAreFoundInTheirModules) {
    ModuleInfo own = ModuleOfAddress(reinterpret_cast<const void*>(&OwnPath));
    EXPECT_TRUE(own.found);
    EXPECT_EQ(own.base, reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
    EXPECT_EQ(own.path, OwnPath());

    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto tick = reinterpret_cast<const void*>(GetProcAddress(kernel, "GetTickCount"));
    ModuleInfo k = ModuleOfAddress(tick);
    EXPECT_TRUE(k.found);
    EXPECT_EQ(k.base, reinterpret_cast<uintptr_t>(kernel));
    EXPECT_TRUE(EndsWithNoCase(k.path, "kernel32.dll")) << k.path;

    EXPECT_FALSE(ModuleOfAddress(nullptr).found);
    void* block = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    EXPECT_FALSE(ModuleOfAddress(block).found);
    VirtualFree(block, 0, MEM_RELEASE);
}

TEST(ErrModules, RecordsTranslateWithTheirModule) {
    EXCEPTION_RECORD r = {};
    r.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    r.ExceptionAddress = reinterpret_cast<void*>(&OwnPath);
    r.NumberParameters = 2;
    r.ExceptionInformation[0] = 0;
    r.ExceptionInformation[1] = 0;
    Exception e = TranslateException(&r);
    EXPECT_EQ(e.kind, kKindAccessViolation);
    std::string exe = FileNamePart(OwnPath());
    EXPECT_EQ(e.message, "Access violation at address " + Hex8(r.ExceptionAddress) +
                             " in module '" + exe + "'. Read of address 00000000");

    r.ExceptionAddress = reinterpret_cast<void*>(0x10);
    r.ExceptionInformation[0] = 1;
    EXPECT_EQ(TranslateException(&r).message,
              "Access violation at address 00000010. Write of address 00000000");

    r.ExceptionCode = 0xE0000001u;
    Exception ext = TranslateException(&r);
    EXPECT_EQ(ext.message, "External exception e0000001");
    EXPECT_EQ(ext.exceptionRecord, &r);
}

TEST(ErrModules, ReportNamesTheModuleOrTheProgram) {
    Exception e(6, "Division by zero");
    const char* inOwn = reinterpret_cast<const char*>(&OwnPath);
    uint32_t rel =
        static_cast<uint32_t>(inOwn - reinterpret_cast<const char*>(GetModuleHandleA(nullptr)));
    EXPECT_EQ(ReportText(&e, inOwn), "Exception Exception in module " + OwnPath() + " at " +
                                         Hex8(reinterpret_cast<void*>(rel)) +
                                         ".\nDivision by zero");
    // An address in no module counts from the program's code; null stays 0.
    EXPECT_EQ(ReportText(nullptr, reinterpret_cast<void*>(0x2000)),
              "Exception Exception in module " + OwnPath() + " at 00001000.\n");
    EXPECT_EQ(ReportText(&e, nullptr),
              "Exception Exception in module " + OwnPath() + " at 00000000.\nDivision by zero");
}

TEST(ErrReportDeathTest, FaultsAndUncaughtErrorsEndInTheReport) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string head = "00000000|" + IntToText(MB_TASKMODAL | MB_ICONERROR) +
                       "|none|Exception Exception in module " + OwnPath() + " at ";
    std::string exe = FileNamePart(OwnPath());

    DeleteFileA(ReportFile().c_str());
    EXPECT_EXIT(
        {
            PrepareChild();
            WriteThroughNull();
        },
        ::testing::ExitedWithCode(1), "");
    std::string report = ReadReport();
    EXPECT_EQ(report.rfind(head, 0), 0u) << report;
    EXPECT_NE(report.find(".\nAccess violation at address "), std::string::npos) << report;
    EXPECT_NE(report.find(" in module '" + exe + "'. Write of address 00000000"), std::string::npos)
        << report;

    DeleteFileA(ReportFile().c_str());
    EXPECT_EXIT(
        {
            PrepareChild();
            DivideBy(0);
        },
        ::testing::ExitedWithCode(1), "");
    report = ReadReport();
    EXPECT_EQ(report.rfind(head, 0), 0u) << report;
    EXPECT_NE(report.find(".\nDivision by zero"), std::string::npos) << report;

    DeleteFileA(ReportFile().c_str());
    EXPECT_EXIT(
        {
            PrepareChild();
            Uncaught([] { RaiseRunError(99, 32); });
        },
        ::testing::ExitedWithCode(1), "");
    // Errors the program raises itself carry the place of the raise.
    std::string at;
    EXPECT_EQ(MaskAddress(ReadReport(), head, at), head + "########.\nI/O error 32");
    EXPECT_NE(at, "00000000");

    DeleteFileA(ReportFile().c_str());
    EXPECT_EXIT(
        {
            PrepareChild();
            // As a window procedure ends what it could not handle.
            try {
                RaiseAssertion("", "x", 12);
            } catch (...) {
                ReportCurrentAndExit();
            }
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(MaskAddress(ReadReport(), head, at),
              head + "########.\nAssertion failed (x, line 12)");
    EXPECT_NE(at, "00000000");

    DeleteFileA(ReportFile().c_str());
    EXPECT_EXIT(
        {
            PrepareChild();
            RaiseException(0xE0000001u, 0, 0, nullptr);
        },
        ::testing::ExitedWithCode(1), "");
    report = ReadReport();
    EXPECT_NE(report.find(".\nExternal exception e0000001"), std::string::npos) << report;
    DeleteFileA(ReportFile().c_str());
}

namespace {
std::string NotesFile() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "pv-err-notes.txt";
}

void Note(const char* text) {
    HANDLE h = CreateFileA(NotesFile().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, text, lstrlenA(text), &written, nullptr);
    CloseHandle(h);
}

int NotingBox(void*, const char* text, const char*, unsigned) {
    Note(FatalErrorPending() ? "box(pending) " : "box ");
    // The short report that stands in names no address and no message.
    if (std::string(text).ends_with(" at 00000000.\n")) Note("short ");
    return IDOK;
}

// A box during which the program meets a second error, as when the box's message
// loop runs one of the program's handlers again.
int BoxWithSecondError(void*, const char*, const char*, unsigned) {
    Note("box ");
    try {
        RaiseAssertion("again", "y", 1);
    } catch (...) {
        ReportCurrentAndExit();
    }
    Note("back ");
    return IDOK;
}

// Texts whose report template faults, as a damaged heap would while the report
// is written.
bool FaultingLoader(int id, std::string&) {
    if (id == 65508) WriteThroughNull();
    return false;
}

void PrepareNotingChild(MessageBoxFn box, FatalExitHook hook) {
    SetMessageBoxFunction(box);
    InstallErrorHandlers();
    SetFatalExitHook(hook);
}
} // namespace

TEST(ErrReportDeathTest, TheLastHookRunsBeforeTheReportAndStopsNeitherTheReportNorTheEnd) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto run = [](MessageBoxFn box, FatalExitHook hook, TextLoader loader = nullptr) {
        DeleteFileA(NotesFile().c_str());
        EXPECT_EXIT(
            {
                PrepareNotingChild(box, hook);
                if (loader) LoadErrorTexts(loader);
                Uncaught([] { RaiseRunError(4); });
            },
            ::testing::ExitedWithCode(1), "");
        return ReadWholeFileText(NotesFile());
    };
    EXPECT_EQ(run(NotingBox, [] { Note("hook "); }), "hook box(pending) ");
    // A hook that fails, by an error or by a fault, is left for the report.
    EXPECT_EQ(run(NotingBox,
                  [] {
                      Note("hook ");
                      RaiseRunError(2);
                  }),
              "hook box(pending) ");
    EXPECT_EQ(run(NotingBox,
                  [] {
                      Note("hook ");
                      WriteThroughNull();
                      Note("survived ");
                  }),
              "hook box(pending) ");
    // A fault while the report is written: the windows and the short report.
    EXPECT_EQ(run(
                  NotingBox, [] { Note("hook "); }, FaultingLoader),
              "hook box(pending) short ");
    // A second error while the report is up is not reported again: the program ends.
    EXPECT_EQ(run(BoxWithSecondError, [] { Note("hook "); }), "hook box ");
    DeleteFileA(NotesFile().c_str());
}
