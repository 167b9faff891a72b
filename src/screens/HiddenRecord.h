// The record of the windows this program has hidden, kept where a second
// process can find it: the guard (a second copy of the program that shows them
// again if this one ends without quitting) reads it from shared memory, and the
// next start reads it from the registry
// (HKEY_CURRENT_USER\Software\Quenbrook\Paravue, binary value "HiddenWindows").
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// ---- portable ----
struct RecordedWindow {
    uint32_t handle = 0;
    std::string title; // UTF-8, whole up to kMaxRecordedTitle bytes
};

struct HiddenWindowsRecord {
    uint32_t processId = 0;              // the process that wrote it
    std::vector<RecordedWindow> windows; // owners before the windows they own
    // Read from a record of the first version, whose titles are in the ANSI
    // code page of the system that wrote them: the reader converts them.
    bool ansiTitles = false;
};

constexpr size_t kMaxRecordedTitle = 0xFFFF;

// Always the current version ("PVH2"): titles in UTF-8, two length bytes each.
std::string EncodeRecord(const HiddenWindowsRecord& record);
// False for anything not written by EncodeRecord or by the first version
// ("PVH1", one length byte per title): damaged, cut short, a title that is not
// UTF-8, another version. Such a record is ignored, never half read.
bool DecodeRecord(const std::string& bytes, HiddenWindowsRecord& record);
// Visits the handle of every window of a record EncodeRecord wrote, in order,
// reading the bytes alone and allocating nothing: for a process whose own memory
// may be damaged. A record whose shape DecodeRecord would refuse visits nothing
// and gives false (titles are not looked at).
using RecordedHandleFn = void (*)(uint32_t handle, void* context);
bool VisitRecordedHandles(const char* bytes, size_t size, RecordedHandleFn visit, void* context);

// The guard's command line: paravue.exe /ParavueGuard <process> <section> <event> <pid>,
// handles the guard inherits, in decimal.
struct GuardArgs {
    uint32_t process = 0, section = 0, event = 0, processId = 0;
};
constexpr const char* kGuardSwitch = "/ParavueGuard";
std::string FormatGuardArgs(const GuardArgs& args);
// False unless commandLine's first parameter is the guard switch followed by four numbers.
bool ParseGuardArgs(const char* commandLine, GuardArgs& args);

// ---- Win32 ----
// Keeps the registry copy and the guard from now on (the program does; tests of
// the strip in their own process need not: they keep the shared memory alone,
// from which the end after an unhandled error shows the windows).
// guardProgram is the program to start as the guard, "" for none.
void EnableHiddenRecord(const std::string& guardProgram);
// Writes the windows of both screens and those still on their way back to the
// screen into the record: the shared memory at once (before every hide is asked
// for; made on the first write), and the registry when it changed, unless store
// is false (a recording stores once, when it is complete).
void PublishHiddenWindows(bool store = true);
// The run ended cleanly: nothing is left to restore.
void ClearHiddenRecord();
// At start-up, before the strip exists and only when no other copy of the
// program runs: shows the windows a run that was ended from outside left
// hidden (those that still exist, are hidden and still carry their titles,
// owners first), then clears the record. A damaged record is dropped.
void RestoreFromLastRun();

// The guard. StartGuard launches it (once; the record starts it itself before
// the first hide at the latest); DismissGuard tells it the run ended cleanly.
// RunGuard is the guard's whole life: it waits for the program to end and,
// unless dismissed, shows every recorded window again. Returns its exit code.
void StartGuard();
void DismissGuard();
int RunGuard(const GuardArgs& args);
