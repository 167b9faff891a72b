#include "settings/StartWithWindows.h"

namespace {
// File names on Windows ignore the case of letters.
bool SameName(const char* text, const std::string& name) {
    for (size_t i = 0; i < name.size(); ++i) {
        char a = text[i], b = name[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}
} // namespace

std::string RunValueFor(const std::string& programPath) {
    return "\"" + programPath + "\"";
}

bool RunValueStarts(const std::string& value, const std::string& programPath) {
    size_t begin = value.find_first_not_of(' ');
    if (begin == std::string::npos || programPath.empty()) return false;
    size_t end;
    if (value[begin] == '"') {
        end = value.find('"', ++begin);
        if (end == std::string::npos) return false;
    } else {
        end = value.find(' ', begin);
        if (end == std::string::npos) end = value.size();
    }
    return end - begin == programPath.size() && SameName(value.data() + begin, programPath);
}

std::string RunValueOpening(const std::string& programPath, const std::string& list) {
    return RunValueFor(programPath) + " \"" + list + "\"";
}

bool RunValueOpens(const std::string& value, const std::string& programPath,
                   const std::string& list) {
    if (list.empty() || !RunValueStarts(value, programPath)) return false;
    // Past the program's name, quoted or not: its closing quote or the blank after it.
    size_t after = value.find_first_not_of(' ');
    after = value.find(value[after] == '"' ? '"' : ' ', after + 1);
    if (after == std::string::npos) return false;
    const size_t first = value.find_first_not_of(" \"", after + 1);
    const size_t last = value.find_last_not_of(" \"");
    return first != std::string::npos && last - first + 1 == list.size() &&
           SameName(value.data() + first, list);
}
