#include "screens/HiddenRecord.h"
#include "screens/ScreenModel.h"
#include "screens/WindowCommands.h"
#include "settings/MiniReg.h"
#include "errors/Wide_win.h"
#include "errors/err.h"
#include "ui/Services_win.h"
#include <windows.h>
#include <algorithm>

namespace {
constexpr const char* kRecordPath = "Software\\Quenbrook\\Paravue\\HiddenWindows";

// The shared memory holds two slots; the writer fills the one not in use and
// then flips `active`, so a process ended in the middle of a write leaves the
// previous record whole.
struct SectionHeader {
    volatile LONG active;
    uint32_t size[2];
};
constexpr DWORD kSlotBytes = 512 * 1024;
constexpr DWORD kSectionBytes = sizeof(SectionHeader) + 2 * kSlotBytes;

bool enabled;
std::string guardProgram;
HANDLE section;
SectionHeader* shared;
HANDLE quitEvent;
bool guardStarted;
std::string lastStored; // what the registry holds, to write only changes

char* SlotOf(SectionHeader* header, LONG slot) {
    return reinterpret_cast<char*>(header + 1) + slot * kSlotBytes;
}

std::string TitleOf(HWND window) {
    return WindowTitle(window);
}

// A title as the first version of the record wrote it: through the code page,
// letters it lacks turned into question marks, at most 254 characters.
std::string AnsiTitleOf(HWND window) {
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    return AnsiToUtf8(title);
}

HiddenWindowsRecord CurrentRecord() {
    HiddenWindowsRecord record;
    record.processId = GetCurrentProcessId();
    for (const WindowEntry& e : Screens.All())
        record.windows.push_back({static_cast<uint32_t>(e.Handle), e.Title});
    // On their way back: the request outlives us, but a program busy for long
    // should not depend on that alone.
    // (No screen remembers a window on its way back: none is listed twice.)
    for (uintptr_t shown : Screens.Pending.PendingShows())
        record.windows.push_back(
            {static_cast<uint32_t>(shown), TitleOf(reinterpret_cast<HWND>(shown))});
    return record;
}

void WriteShared(const std::string& bytes) {
    if (!shared || bytes.size() > kSlotBytes) return;
    const LONG next = shared->active ? 0 : 1;
    std::copy(bytes.begin(), bytes.end(), SlotOf(shared, next));
    shared->size[next] = static_cast<uint32_t>(bytes.size());
    InterlockedExchange(&shared->active, next);
}

void DeleteStoredRecord() {
    DeleteRegValue(HKEY_CURRENT_USER, kRecordPath);
}

bool ReadStoredRecord(HiddenWindowsRecord& record) {
    std::string bytes;
    if (!ReadRegValue(HKEY_CURRENT_USER, kRecordPath, REG_BINARY, bytes) ||
        !DecodeRecord(bytes, record))
        return false;
    // Written by an earlier version, in this system's code page.
    if (record.ansiTitles)
        for (RecordedWindow& w : record.windows)
            w.title = AnsiToUtf8(w.title);
    return true;
}

// Shows the recorded windows again, in the order of the screens' lists: bottom
// first, owners before their windows. Posted: a busy program must not hold up the
// others. A window that still reports visible is shown too: its program may not
// yet have carried out the hide we asked for, and our show must come after it.
void ShowRecorded(const HiddenWindowsRecord& record, bool titleMustMatch) {
    for (const RecordedWindow& w : record.windows) {
        HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(w.handle));
        if (!IsWindow(window)) continue;
        // A handle may have been given to another window since.
        if (titleMustMatch &&
            (record.ansiTitles ? AnsiTitleOf(window) : TitleOf(window)) != w.title)
            continue;
        PostShowWindow(window, true);
    }
}

// After an unhandled error, before its report: every window of the shared record
// comes back, in the record's order. Whatever failed may have damaged the heap
// and the screens' lists, so this reads the shared copy alone and allocates
// nothing. Posted: a program that stopped answering must hold up neither the
// others nor the report.
void ShowSharedRecordNow() {
    const SectionHeader* header = shared;
    if (!header) return;
    const LONG slot = header->active ? 1 : 0;
    const uint32_t size = std::min<uint32_t>(header->size[slot], kSlotBytes);
    VisitRecordedHandles(
        SlotOf(const_cast<SectionHeader*>(header), slot), size,
        [](uint32_t handle, void*) {
            HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
            if (IsWindow(window)) PostShowWindow(window, true);
        },
        nullptr);
}

// The shared record is kept in every run, the in-process ones that keep no other
// copy included: the end after an unhandled error shows the windows from it. It
// is made on the first write.
bool SectionReady() {
    if (shared) return true;
    if (!section) {
        // Inherited by the guard, once there is one.
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        section = CreateFileMappingA(INVALID_HANDLE_VALUE, &inherit, PAGE_READWRITE, 0,
                                     kSectionBytes, nullptr);
    }
    if (section)
        shared = static_cast<SectionHeader*>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0));
    if (shared) err::SetFatalExitHook(ShowSharedRecordNow);
    return shared != nullptr;
}
} // namespace

void EnableHiddenRecord(const std::string& program) {
    enabled = true;
    guardProgram = program;
}

void PublishHiddenWindows(bool store) {
    HiddenWindowsRecord record = CurrentRecord();
    SectionReady();
    if (enabled && !record.windows.empty()) StartGuard();
    const std::string bytes = EncodeRecord(record);
    WriteShared(bytes);
    if (!enabled || !store || bytes == lastStored) return;
    if (record.windows.empty()) {
        DeleteStoredRecord();
    } else {
        WriteRegValue(HKEY_CURRENT_USER, kRecordPath, REG_BINARY,
                      static_cast<uint32_t>(bytes.size()), bytes.data());
    }
    lastStored = bytes;
}

void ClearHiddenRecord() {
    WriteShared(EncodeRecord({GetCurrentProcessId(), {}}));
    if (!enabled) return;
    DeleteStoredRecord();
    lastStored.clear();
}

void RestoreFromLastRun() {
    HiddenWindowsRecord record;
    if (ReadStoredRecord(record)) ShowRecorded(record, true);
    // Read or not, it has served: a damaged one must not trouble the next start.
    DeleteStoredRecord();
}

void StartGuard() {
    if (!enabled || guardStarted || guardProgram.empty() || !SectionReady()) return;
    guardStarted = true; // one try: a guard that cannot start must not slow every switch
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    quitEvent = CreateEventA(&inherit, TRUE, FALSE, nullptr);
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                    SYNCHRONIZE, TRUE, 0);
    if (!quitEvent || !self) return;
    GuardArgs args;
    args.process = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(self));
    args.section = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(section));
    args.event = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(quitEvent));
    args.processId = GetCurrentProcessId();
    // Wide: the program's folder may have a name outside the code page.
    std::string text = '"' + guardProgram;
    text += "\" ";
    text += FormatGuardArgs(args);
    WideText commandLine(text);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(WideText(guardProgram), commandLine.buffer(), nullptr, nullptr, TRUE, 0,
                       nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    // The guard has its own copy now.
    CloseHandle(self);
}

void DismissGuard() {
    if (quitEvent) SetEvent(quitEvent);
}

int RunGuard(const GuardArgs& args) {
    HANDLE program = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(args.process));
    HANDLE quit = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(args.event));
    HANDLE both[2] = {program, quit};
    if (WaitForMultipleObjects(2, both, FALSE, INFINITE) == WAIT_FAILED) return 1;
    // A clean end may be followed at once by the process's end: dismissed wins.
    if (WaitForSingleObject(quit, 0) == WAIT_OBJECT_0) return 0;
    auto* header = static_cast<SectionHeader*>(MapViewOfFile(
        reinterpret_cast<HANDLE>(static_cast<uintptr_t>(args.section)), FILE_MAP_READ, 0, 0, 0));
    if (!header) return 1;
    const LONG slot = header->active ? 1 : 0;
    const uint32_t size = std::min<uint32_t>(header->size[slot], kSlotBytes);
    if (size == 0) return 0; // nothing was ever hidden
    HiddenWindowsRecord record;
    if (!DecodeRecord(std::string(SlotOf(header, slot), size), record)) return 1;
    ShowRecorded(record, false);
    // The next start has nothing left to do, unless a newer run wrote the record.
    HiddenWindowsRecord stored;
    if (ReadStoredRecord(stored) && stored.processId == args.processId) DeleteStoredRecord();
    return 0;
}
