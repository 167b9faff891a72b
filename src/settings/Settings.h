// The three settings kept between runs: translucency and the strip's position.
// Read once at start-up, written once at the end of the run.
#pragma once
#include <cstdint>
#include <string>

// On when the strip is to be translucent; false until the settings are loaded.
extern bool TransparencyOn;

// Where the stored position goes: the strip's form, seen through its left and top.
class PositionTarget {
  public:
    virtual int32_t GetLeft() = 0;
    virtual int32_t GetTop() = 0;
    virtual void SetLeft(int32_t left) = 0;
    virtual void SetTop(int32_t top) = 0;

  protected:
    ~PositionTarget() = default;
};

// Full paths (key path, backslash, value name) under HKEY_LOCAL_MACHINE.
inline constexpr const char* kTransparentPath = "SOFTWARE\\Quenbrook\\Paravue\\Transparent";
inline constexpr const char* kLeftPath = "SOFTWARE\\Quenbrook\\Paravue\\Left";
inline constexpr const char* kTopPath = "SOFTWARE\\Quenbrook\\Paravue\\Top";
// The switch key (see HotkeyText.h); only ever read.
inline constexpr const char* kHotkeyPath = "SOFTWARE\\Quenbrook\\Paravue\\Hotkey";

// ---- portable ----
// The stored "Transparent" text decides only when it is not empty, and then only
// exactly "1" means on.
bool TransparencyFromText(const std::string& text, bool current);

// How a stored text is read and written; false when there is no such text or it
// cannot be stored.
using ReadSettingFn = bool (*)(const char* path, std::string& text);
using WriteSettingFn = bool (*)(const char* path, const std::string& text);

// Applies what read finds to TransparencyOn and target. Writes nothing.
void LoadSettingsWith(ReadSettingFn read, PositionTarget& target);
// Writes TransparencyOn and target's position as texts; results are not checked.
void SaveSettingsWith(WriteSettingFn write, PositionTarget& target);

// ---- Win32 ----
// The same, on the registry under HKEY_LOCAL_MACHINE.
void LoadSettings(PositionTarget& target);
void SaveSettings(PositionTarget& target);
// The "Hotkey" text; false when there is no such text value.
bool ReadHotkeySetting(std::string& text);
