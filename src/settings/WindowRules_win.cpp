#include "settings/WindowRules.h"
#include "errors/Wide_win.h"
#include "settings/MiniReg.h"
#include <windows.h>

std::vector<std::string> ReadWindowRules() {
    std::vector<std::string> lines;
    ReadRegLines(HKEY_CURRENT_USER, kWindowRulesPath, lines);
    return lines;
}

bool WriteWindowRules(const std::vector<std::string>& lines) {
    return WriteRegLines(HKEY_CURRENT_USER, kWindowRulesPath, lines);
}

bool SameProgramName(std::string_view a, std::string_view b) {
    // The file system's names ignore case in every script, as lstrcmpi does.
    return lstrcmpiW(WideText(a), WideText(b)) == 0;
}
