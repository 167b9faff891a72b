#include "settings/MiniReg.h"

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
