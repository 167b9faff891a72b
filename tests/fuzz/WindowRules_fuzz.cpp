// Fuzzes the stored rules: any bytes decode to lines without harm, lines encode
// and decode back to themselves, and editing a rule keeps every other line.
#include "settings/MiniReg.h"
#include "settings/WindowRules.h"
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = DecodeMultiString(bytes);
    if (DecodeMultiString(EncodeMultiString(lines)) != lines) std::abort();
    std::string_view program;
    int screen = kNoRule;
    for (const std::string& line : lines)
        if (ParseWindowRule(line, program, screen) &&
            (program.empty() || screen < kEveryScreen || screen > 9))
            std::abort();
    const std::string target = lines.empty() ? "a.exe" : lines[0].substr(0, lines[0].find('='));
    // A program as a process names it: no blanks around it, read back as written.
    const std::string rule = target + "=both";
    if (!ParseWindowRule(rule, program, screen) || program != target) return 0;
    const size_t others = lines.size();
    SetEveryScreenRule(lines, target, true);
    if (RuleOf(lines, target, 9) != kEveryScreen || lines.size() > others + 1) std::abort();
    SetEveryScreenRule(lines, target, false);
    if (RuleOf(lines, target, 9) == kEveryScreen) std::abort();
    return 0;
}
