#include "settings/WindowRules.h"

namespace {
char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool Names(const std::string& line, std::string_view program, int screens, SameProgramFn same,
           int& screen) {
    std::string_view name;
    return ParseWindowRule(line, name, screen) && same(name, program) && screen <= screens;
}
} // namespace

bool SameProgramAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool ParseWindowRule(std::string_view line, std::string_view& program, int& screen) {
    // The last "=" divides: a file name may hold one, a screen never does.
    const size_t eq = line.rfind('=');
    if (eq == std::string_view::npos) return false;
    const std::string_view name = Trimmed({line.data(), eq}),
                           where = Trimmed({line.data() + eq + 1, line.size() - eq - 1});
    if (name.empty()) return false;
    if (SameProgramAscii(where, "both"))
        screen = kEveryScreen;
    else if (where.size() == 1 && where[0] >= '1' && where[0] <= '9')
        screen = where[0] - '0';
    else
        return false;
    program = name;
    return true;
}

int RuleOf(const std::vector<std::string>& lines, std::string_view program, int screens,
           SameProgramFn same) {
    int screen = kNoRule;
    for (const std::string& line : lines)
        if (Names(line, program, screens, same, screen)) return screen;
    return kNoRule;
}

bool HasRule(const std::vector<std::string>& lines, int screens, bool everyScreen) {
    std::string_view name;
    int screen = kNoRule;
    for (const std::string& line : lines)
        if (ParseWindowRule(line, name, screen) && screen <= screens &&
            (screen == kEveryScreen) == everyScreen)
            return true;
    return false;
}

void SetEveryScreenRule(std::vector<std::string>& lines, const std::string& program, bool on,
                        SameProgramFn same) {
    // Every rule of the program counts here, those of screens there are not too:
    // a program has one rule.
    // on: "=both" in the place of the first of them, or after the last line.
    std::vector<std::string> kept;
    bool placed = !on;
    int screen = kNoRule;
    for (size_t i = 0; i <= lines.size(); ++i) {
        if (i < lines.size() &&
            (!Names(lines[i], program, 9, same, screen) || (!on && screen != kEveryScreen)))
            kept.push_back(std::move(lines[i]));
        else if (!placed && (placed = true))
            kept.push_back(program + "=both");
    }
    lines.swap(kept);
}
