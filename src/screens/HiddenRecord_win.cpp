#include "screens/HiddenRecord.h"
#include "screens/ScreenLists.h"
#include "screens/WindowCommands.h"
#include "settings/MiniReg.h"
#include "errors/Wide_win.h"
#include "ui/Services_win.h"
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <map>

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

// What the shared memory holds, kept so that a publish rewrites only what
// changed: a recording publishes once for every window it takes, and building
// and copying the whole record each time would grow with the square of the
// windows (and read the titles of windows on their way back again and again).
HiddenWindowsRecord published;
std::string publishedBytes;
std::vector<size_t> offsets; // where each window of published starts in publishedBytes
size_t slotSame[2];          // leading bytes of each slot that equal publishedBytes
// Titles of windows on their way back, read from their programs once between
// two stored publishes.
std::map<uint32_t, std::string> titleCache;

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

uint32_t HandleOf(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

// The record's header: it ends in the count of windows, four bytes, lowest first.
std::string HeaderOf(uint32_t processId, size_t count) {
    std::string header = EncodeRecord({processId, {}});
    for (size_t i = 0; i < 4; ++i)
        header[header.size() - 4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
    return header;
}

// Brings published up to the windows of both screens, then those still on their
// way back, each once; returns the index of the first window that changed, or
// -1 when none did. Titles are compared only when fresh: the guard goes by
// handles, the registry (written fresh) by titles.
int RefreshPublished(bool fresh) {
    std::vector<RecordedWindow>& windows = published.windows;
    // On their way back: the request outlives us, but a program busy for long
    // should not depend on that alone.
    const std::vector<uintptr_t> shows = PendingRequests.PendingShows();
    std::vector<uintptr_t> showing(shows), recorded; // sorted; those the lists hold too
    std::sort(showing.begin(), showing.end());
    size_t n = 0, changed = SIZE_MAX;
    auto put = [&](HWND window, const char* title) {
        const uint32_t handle = HandleOf(window);
        std::string text;
        if (fresh || n >= windows.size() || windows[n].handle != handle) {
            if (title) {
                text = title;
            } else {
                auto cached = titleCache.find(handle);
                if (cached == titleCache.end())
                    cached = titleCache.emplace(handle, TitleOf(window)).first;
                text = cached->second;
            }
            if (n < windows.size() && windows[n].handle == handle && windows[n].title == text) {
                ++n;
                return;
            }
            changed = std::min(changed, n);
            if (n < windows.size())
                windows[n] = {handle, std::move(text)};
            else
                windows.push_back({handle, std::move(text)});
        }
        ++n;
    };
    for (int screen = 1; screen <= 2; ++screen) {
        ObjectList* list = ScreenListOf(screen);
        for (int32_t i = 0; list && i < list->count; ++i) {
            auto* entry = static_cast<WindowEntry*>(ListGet(list, i));
            const auto key = reinterpret_cast<uintptr_t>(entry->Handle);
            if (std::binary_search(showing.begin(), showing.end(), key)) recorded.push_back(key);
            put(entry->Handle, entry->Title.c_str());
        }
    }
    // A window on its way back that is recorded already is written once.
    std::sort(recorded.begin(), recorded.end());
    for (uintptr_t shown : shows)
        if (!std::binary_search(recorded.begin(), recorded.end(), shown))
            put(reinterpret_cast<HWND>(shown), nullptr);
    if (n < windows.size()) {
        changed = std::min(changed, n);
        windows.resize(n);
    }
    return changed == SIZE_MAX ? -1 : static_cast<int>(changed);
}

// Re-encodes the windows of published from index from on, and the header.
void EncodeFrom(size_t from) {
    from = std::min(from, offsets.size());
    const std::string header = HeaderOf(published.processId, published.windows.size());
    const size_t at =
        from < offsets.size() ? offsets[from] : std::max(publishedBytes.size(), header.size());
    publishedBytes.resize(at);
    publishedBytes.replace(0, header.size(), header);
    offsets.resize(from);
    for (size_t i = from; i < published.windows.size(); ++i) {
        offsets.push_back(publishedBytes.size());
        publishedBytes += EncodeRecord({0, {published.windows[i]}}).substr(header.size());
    }
    for (size_t& same : slotSame)
        same = std::min(same, at);
}

// Writes publishedBytes into the slot not in use and makes it the one in use:
// the header, and what that slot does not hold yet.
void WriteShared() {
    if (!shared || publishedBytes.size() > kSlotBytes) return;
    const LONG next = shared->active ? 0 : 1;
    const size_t header = HeaderOf(0, 0).size();
    char* slot = SlotOf(shared, next);
    const size_t from = std::max(header, std::min(slotSame[next], publishedBytes.size()));
    std::copy(publishedBytes.begin(), publishedBytes.begin() + header, slot);
    std::copy(publishedBytes.begin() + from, publishedBytes.end(), slot + from);
    slotSame[next] = publishedBytes.size();
    shared->size[next] = static_cast<uint32_t>(publishedBytes.size());
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

// Shows the recorded windows that are still hidden, in the order of the screens'
// lists: bottom first, owners before their windows. Posted: a busy program must
// not hold up the others.
void ShowRecorded(const HiddenWindowsRecord& record, bool titleMustMatch) {
    for (const RecordedWindow& w : record.windows) {
        HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(w.handle));
        if (!IsWindow(window) || IsWindowVisible(window)) continue;
        // A handle may have been given to another window since.
        if (titleMustMatch &&
            (record.ansiTitles ? AnsiTitleOf(window) : TitleOf(window)) != w.title)
            continue;
        ShowWindowAsync(window, SW_SHOWNA);
    }
}
} // namespace

void EnableHiddenRecord(const std::string& program) {
    enabled = true;
    guardProgram = program;
    if (section) return;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    section = CreateFileMappingA(INVALID_HANDLE_VALUE, &inherit, PAGE_READWRITE, 0, kSectionBytes,
                                 nullptr);
    if (section)
        shared = static_cast<SectionHeader*>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0));
}

void PublishHiddenWindows(bool store) {
    if (!enabled) return;
    if (store) titleCache.clear();
    published.processId = GetCurrentProcessId();
    const int changed = RefreshPublished(store);
    if (!published.windows.empty()) StartGuard();
    if (changed >= 0 || publishedBytes.empty()) {
        EncodeFrom(changed >= 0 ? static_cast<size_t>(changed) : 0);
        WriteShared();
    }
    if (!store || publishedBytes == lastStored) return;
    if (published.windows.empty()) {
        DeleteStoredRecord();
    } else {
        WriteRegValue(HKEY_CURRENT_USER, kRecordPath, REG_BINARY,
                      static_cast<uint32_t>(publishedBytes.size()), publishedBytes.data());
    }
    lastStored = publishedBytes;
}

void ClearHiddenRecord() {
    if (!enabled) return;
    published = {GetCurrentProcessId(), {}};
    EncodeFrom(0);
    WriteShared();
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
    if (!enabled || guardStarted || guardProgram.empty() || !shared) return;
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
    WideText commandLine("\"" + guardProgram + "\" " + FormatGuardArgs(args));
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
