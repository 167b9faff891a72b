#include "settings/MiniReg.h"
#include "errors/Utf8.h"
#include <cstring>

int LastCharPos(char c, const std::string& text) {
    size_t i = text.rfind(c);
    return i == std::string::npos ? 0 : static_cast<int>(i) + 1;
}

bool SplitRegPath(const std::string& path, std::string& keyPath, std::string& valueName) {
    int p = LastCharPos('\\', path);
    if (p < 1) return false;
    keyPath = path.substr(0, static_cast<size_t>(p) - 1);
    valueName = path.substr(static_cast<size_t>(p));
    return true;
}

std::string DecodeRegString(const std::string& bytes) {
    if (!bytes.empty() && bytes.back() == '\0') return bytes.substr(0, bytes.size() - 1);
    return bytes;
}

std::vector<std::string> DecodeMultiString(std::string_view bytes) {
    // As EncodeMultiString lays them out.
    std::u16string units(bytes.size() / 2, u'\0');
    std::memcpy(units.data(), bytes.data(), units.size() * 2);
    std::vector<std::string> lines;
    for (size_t start = 0, end = 0; start < units.size(); start = end + 1) {
        end = start;
        while (end < units.size() && units[end] != 0)
            ++end;
        if (end == start) break;
        lines.push_back(Utf16ToUtf8(std::u16string_view(units.data() + start, end - start)));
    }
    return lines;
}

std::string EncodeMultiString(const std::vector<std::string>& lines) {
    // Each line's units as they lie in memory, its terminating zero with them:
    // every machine this runs on, Windows' own among them, is little-endian.
    std::string bytes;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        const std::u16string units = Utf8ToUtf16(line);
        bytes.append(reinterpret_cast<const char*>(units.c_str()), (units.size() + 1) * 2);
    }
    bytes.append(2, '\0');
    return bytes;
}
