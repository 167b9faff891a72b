// Fuzzes the reader of the record of hidden windows, which the next start reads
// from the registry whatever state an ended run left it in: any bytes are
// either refused or read into a record that writes back to the very same bytes
// (a record of the first version: to one that reads back the same windows),
// and the heap-free reader of the handles agrees with it.
#include "errors/Utf8.h"
#include "screens/HiddenRecord.h"
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    HiddenWindowsRecord record, again;
    if (DecodeRecord(bytes, record)) {
        const std::string written = EncodeRecord(record);
        if (!record.ansiTitles && written != bytes) std::abort();
        if (!DecodeRecord(written, again) || again.ansiTitles ||
            again.windows.size() != record.windows.size())
            std::abort();
        for (size_t i = 0; i < again.windows.size(); ++i)
            if (!IsValidUtf8(again.windows[i].title) ||
                again.windows[i].handle != record.windows[i].handle ||
                (IsValidUtf8(record.windows[i].title) &&
                 again.windows[i].title != record.windows[i].title))
                std::abort();
    }
    // The heap-free reader takes the same handles from every record the full one
    // reads, and from no other shape.
    std::vector<uint32_t> handles;
    const bool whole = VisitRecordedHandles(
        bytes.data(), bytes.size(),
        [](uint32_t h, void* c) { static_cast<std::vector<uint32_t>*>(c)->push_back(h); },
        &handles);
    if (!whole && !handles.empty()) std::abort();
    if (DecodeRecord(bytes, record) && !record.ansiTitles) {
        if (!whole || handles.size() != record.windows.size()) std::abort();
        for (size_t i = 0; i < handles.size(); ++i)
            if (handles[i] != record.windows[i].handle) std::abort();
    }
    GuardArgs args;
    ParseGuardArgs(bytes.c_str(), args);
    return 0;
}
