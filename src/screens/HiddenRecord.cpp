#include "screens/HiddenRecord.h"
#include "errors/Utf8.h"
#include "ui/Services.h"

namespace {
constexpr char kMagicAnsi[4] = {'P', 'V', 'H', '1'};
constexpr char kMagic[4] = {'P', 'V', 'H', '2'};

void PutU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t U32At(const char* p) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    return v;
}

bool GetU32(const std::string& in, size_t& pos, uint32_t& v) {
    if (in.size() - pos < 4) return false;
    v = U32At(in.data() + pos);
    pos += 4;
    return true;
}

bool ParseNumber(const std::string& text, uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v > 0xFFFFFFFFu) return false;
    value = static_cast<uint32_t>(v);
    return true;
}
} // namespace

std::string EncodeRecord(const HiddenWindowsRecord& record) {
    std::string out(kMagic, sizeof kMagic);
    PutU32(out, record.processId);
    PutU32(out, static_cast<uint32_t>(record.windows.size()));
    for (const RecordedWindow& w : record.windows) {
        PutU32(out, w.handle);
        // The reader refuses a record with a broken title, and a record refused
        // loses every window: whatever the title holds, it goes in well formed.
        std::string title = IsValidUtf8(w.title) ? w.title : Utf16ToUtf8(Utf8ToUtf16(w.title));
        size_t n = title.size() < kMaxRecordedTitle ? title.size() : kMaxRecordedTitle;
        while (n < title.size() && (static_cast<unsigned char>(title[n]) & 0xC0) == 0x80)
            --n; // never half a character
        out += static_cast<char>(n & 0xFF);
        out += static_cast<char>(n >> 8);
        out.append(title, 0, n);
    }
    return out;
}

bool DecodeRecord(const std::string& bytes, HiddenWindowsRecord& record) {
    record = {};
    if (bytes.size() < 4) return false;
    HiddenWindowsRecord r;
    r.ansiTitles = bytes.compare(0, 4, kMagicAnsi, 4) == 0;
    if (!r.ansiTitles && bytes.compare(0, 4, kMagic, 4) != 0) return false;
    const size_t lengthBytes = r.ansiTitles ? 1 : 2;
    size_t pos = 4;
    uint32_t count = 0;
    if (!GetU32(bytes, pos, r.processId) || !GetU32(bytes, pos, count)) return false;
    // Each window takes at least a handle and a length: a count beyond that is damage.
    if (count > (bytes.size() - pos) / (4 + lengthBytes)) return false;
    r.windows.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        RecordedWindow w;
        if (!GetU32(bytes, pos, w.handle) || bytes.size() - pos < lengthBytes) return false;
        size_t n = static_cast<unsigned char>(bytes[pos++]);
        if (lengthBytes == 2)
            n |= static_cast<size_t>(static_cast<unsigned char>(bytes[pos++])) << 8;
        if (bytes.size() - pos < n) return false;
        w.title.assign(bytes, pos, n);
        if (!r.ansiTitles && !IsValidUtf8(w.title)) return false;
        pos += n;
        r.windows.push_back(std::move(w));
    }
    if (pos != bytes.size()) return false;
    record = std::move(r);
    return true;
}

bool VisitRecordedHandles(const char* bytes, size_t size, RecordedHandleFn visit, void* context) {
    if (!bytes || size < 12) return false;
    for (int i = 0; i < 4; ++i)
        if (bytes[i] != kMagic[i]) return false;
    const uint32_t count = U32At(bytes + 8);
    // The first pass only checks the shape: a record cut short shows nothing
    // rather than a part.
    for (int pass = 0; pass < 2; ++pass) {
        size_t pos = 12;
        for (uint32_t i = 0; i < count; ++i) {
            if (size - pos < 6) return false;
            const size_t n = static_cast<unsigned char>(bytes[pos + 4]) |
                             static_cast<size_t>(static_cast<unsigned char>(bytes[pos + 5])) << 8;
            if (size - pos - 6 < n) return false;
            if (pass == 1) visit(U32At(bytes + pos), context);
            pos += 6 + n;
        }
        if (pos != size) return false;
    }
    return true;
}

std::string FormatGuardArgs(const GuardArgs& a) {
    // Appended in a loop: a chain of + would build and free a string per piece.
    std::string text = kGuardSwitch;
    for (uint32_t n : {a.process, a.section, a.event, a.processId}) {
        text += ' ';
        text += UIntToText(n);
    }
    return text;
}

bool ParseGuardArgs(const char* commandLine, GuardArgs& args) {
    if (!commandLine || CommandLineParamCount(commandLine) != 5) return false;
    if (CommandLineParam(commandLine, 1) != kGuardSwitch) return false;
    GuardArgs a;
    uint32_t* const numbers[] = {&a.process, &a.section, &a.event, &a.processId};
    for (int i = 0; i < 4; ++i)
        if (!ParseNumber(CommandLineParam(commandLine, i + 2), *numbers[i])) return false;
    args = a;
    return true;
}
