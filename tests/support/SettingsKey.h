// The program's stored values (Left, Top, Transparent, Hotkey), read and written
// straight through the registry: the user's key HKCU\Software\Quenbrook\Paravue,
// and the machine's key HKLM\SOFTWARE\Quenbrook\Paravue it falls back to.
#pragma once
#include <string>

inline constexpr const char* kSettingsKey = "Software\\Quenbrook\\Paravue";

// Every test that reads the settings starts as on a new machine: no user's key,
// no per-user copies, no machine's key.
void DeleteSettingsKey();
// In the user's key.
void WriteSetting(const char* name, const std::string& value);
// A number (REG_DWORD) in the user's key, as "Screens" is kept.
void WriteNumberSetting(const char* name, unsigned long value);
// In the machine's key, as an administrator sets a value for everyone.
void WriteMachineSetting(const char* name, const std::string& value);
// From the user's key; false when the value is missing or not text.
bool ReadSetting(const char* name, std::string& value);
// The value as text; "<none>" when it is missing.
std::string StoredSetting(const char* name);

// The "Start with Windows" value Para-Vue in the user's Run key; "<none>" when
// it is missing. Setting "" removes it.
std::string RunValue();
void SetRunValue(const std::string& value);
