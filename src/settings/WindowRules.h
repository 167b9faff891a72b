// Rules per program, the multi-string value WindowRules: one rule a line,
// "PROGRAM=both" (the program's windows stay on every screen) or "PROGRAM=N" (a
// window it opens goes to screen N). PROGRAM is the file name of the program's
// executable, in any case. A line that is no rule is skipped, and kept as it is
// when the value is written back.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Where the rules are stored (ReadRegLines, WriteRegLines).
inline constexpr const char* kWindowRulesPath = "SOFTWARE\\Quenbrook\\Paravue\\WindowRules";
// What a rule says of a program's windows: nothing, every screen, or a screen's number.
inline constexpr int kNoRule = -1, kEveryScreen = 0;

// ---- portable ----
// Whether two program names are the same, whatever their case.
using SameProgramFn = bool (*)(std::string_view a, std::string_view b);
// The portable comparison: ASCII letters in any case, every other byte as it is.
bool SameProgramAscii(std::string_view a, std::string_view b);
// The program of one line and where its windows go (kEveryScreen, or 1 to 9);
// false for a line that is no rule. program is a part of line.
bool ParseWindowRule(std::string_view line, std::string_view& program, int& screen);
// The rule for program: that of the first line naming it whose screen is one of
// the screens there are (1 to screens); kNoRule when none.
int RuleOf(const std::vector<std::string>& lines, std::string_view program, int screens,
           SameProgramFn same = SameProgramAscii);
// Whether some line holds a rule of that kind: every screen, or a screen of its own.
bool HasRule(const std::vector<std::string>& lines, int screens, bool everyScreen);
// on: program's windows stay on every screen ("PROGRAM=both" in the place of its
// first rule, its other rules gone); off: its every-screen rules go. Every other
// line stays where it is.
void SetEveryScreenRule(std::vector<std::string>& lines, const std::string& program, bool on,
                        SameProgramFn same = SameProgramAscii);

// ---- Win32 ----
// The system's comparison of names in any case (every script).
bool SameProgramName(std::string_view a, std::string_view b);
