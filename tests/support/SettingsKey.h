// The program's stored values under HKLM\SOFTWARE\Quenbrook\Paravue (Left, Top,
// Transparent, Hotkey), read and written straight through the registry.
#pragma once
#include <string>

inline constexpr const char* kSettingsKey = "SOFTWARE\\Quenbrook\\Paravue";

// Every test that reads the settings starts as on a new machine.
void DeleteSettingsKey();
void WriteSetting(const char* name, const std::string& value);
// False when the value is missing or not text.
bool ReadSetting(const char* name, std::string& value);
// The value as text; "<none>" when it is missing.
std::string StoredSetting(const char* name);
