#include "settings/StartWithWindows.h"

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
    if (end - begin != programPath.size()) return false;
    // File names on Windows ignore the case of letters.
    for (size_t i = 0; i < programPath.size(); ++i) {
        char a = value[begin + i], b = programPath[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}
