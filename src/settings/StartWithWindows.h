// "Start with Windows": a value in the user's Run key that starts this copy of
// the program when the user logs on.
#pragma once
#include <string>

// The Run key's value path (key, backslash, value name) under HKEY_CURRENT_USER.
inline constexpr const char* kRunValuePath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Para-Vue";

// ---- portable ----
// What the Run value holds for the program at programPath: the path in quotes, so
// that a folder with blanks starts the right file.
std::string RunValueFor(const std::string& programPath);
// Whether a Run value starts the program at programPath: its first part (quoted or
// up to the first blank) names the same file, letters in any case.
bool RunValueStarts(const std::string& value, const std::string& programPath);
// What the Run value holds to open the launch list at list with the program at
// programPath when the user logs on: both quoted.
std::string RunValueOpening(const std::string& programPath, const std::string& list);
// Whether a Run value opens exactly that list with that program: the program as
// RunValueStarts takes it, then the rest as the program takes its list (blanks
// and quotes around it dropped), letters in any case.
bool RunValueOpens(const std::string& value, const std::string& programPath,
                   const std::string& list);

// ---- Win32 ----
// The Run value's text; false when there is none.
bool ReadRunValue(std::string& value);
// Stores value as the Run value; false when the registry refused, with the
// reason in the thread's last error.
bool WriteRunValue(const std::string& value);
// True while the Run value starts this copy of the program.
bool StartsWithWindows();
// Adds the value (pointing at this copy) or removes it; false when the registry
// refused, with the reason in the thread's last error.
bool SetStartWithWindows(bool on);
