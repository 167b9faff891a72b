#include "settings/WindowRules.h"
#include "errors/Wide_win.h"
#include <windows.h>

bool SameProgramName(std::string_view a, std::string_view b) {
    // The file system's names ignore case in every script, as lstrcmpi does.
    return lstrcmpiW(WideText(a), WideText(b)) == 0;
}
