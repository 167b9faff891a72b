#include "settings/StartWithWindows.h"
#include "settings/MiniReg.h"
#include <windows.h>

namespace {
std::string ThisProgram() {
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n < sizeof path ? n : 0);
}
} // namespace

bool StartsWithWindows() {
    std::string value;
    return ReadRegString(HKEY_CURRENT_USER, kRunValuePath, value) &&
           RunValueStarts(value, ThisProgram());
}

bool SetStartWithWindows(bool on) {
    if (on) return WriteRegString(HKEY_CURRENT_USER, kRunValuePath, RunValueFor(ThisProgram()));
    return DeleteRegValue(HKEY_CURRENT_USER, kRunValuePath);
}
