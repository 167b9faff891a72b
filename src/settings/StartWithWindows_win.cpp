#include "settings/StartWithWindows.h"
#include "errors/Wide_win.h"
#include "settings/MiniReg.h"
#include <windows.h>
#include <cstring>

// Wide calls: the program's folder may be named in any script.
bool ReadRunValue(std::string& value) {
    std::string bytes;
    if (!ReadRegValue(HKEY_CURRENT_USER, kRunValuePath, REG_SZ, bytes, 0, true)) return false;
    // The text ends at its first zero, when it has one.
    value = NarrowText(reinterpret_cast<const wchar_t*>(bytes.data()),
                       static_cast<int>(bytes.size() / sizeof(wchar_t)));
    value.resize(std::strlen(value.c_str()));
    return true;
}

bool StartsWithWindows() {
    std::string value;
    return ReadRunValue(value) && RunValueStarts(value, ProgramPath());
}

bool WriteRunValue(const std::string& text) {
    const WideText value(text);
    return WriteRegValue(HKEY_CURRENT_USER, kRunValuePath, REG_SZ,
                         static_cast<uint32_t>((value.size() + 1) * sizeof(wchar_t)), value.data(),
                         true);
}

bool SetStartWithWindows(bool on) {
    if (!on) return DeleteRegValue(HKEY_CURRENT_USER, kRunValuePath);
    return WriteRunValue(RunValueFor(ProgramPath()));
}
