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

// Full paths (key path, backslash, value name) under the user's key, and under the
// machine's key, where they were kept before.
inline constexpr const char* kTransparentPath = "SOFTWARE\\Quenbrook\\Paravue\\Transparent";
inline constexpr const char* kLeftPath = "SOFTWARE\\Quenbrook\\Paravue\\Left";
inline constexpr const char* kTopPath = "SOFTWARE\\Quenbrook\\Paravue\\Top";
// The switch key and the move key (see HotkeyText.h); only ever read.
inline constexpr const char* kHotkeyPath = "SOFTWARE\\Quenbrook\\Paravue\\Hotkey";
inline constexpr const char* kMoveHotkeyPath = "SOFTWARE\\Quenbrook\\Paravue\\MoveHotkey";
// How many screens there are (DWORD, under the user's key alone); read at start
// and written as soon as the menu changes it.
inline constexpr const char* kScreensPath = "SOFTWARE\\Quenbrook\\Paravue\\Screens";

// Where a value is looked for, first to last: the user's own key; the per-user
// copies Windows made of the machine's key while earlier versions ran without a
// manifest (64-bit Windows, then 32-bit); the machine's key, where an
// administrator may set a value for everyone. Only the user's key is written.
struct SettingsSource {
    bool machine; // HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER
    const char* key;
};
inline constexpr SettingsSource kSettingsSources[] = {
    {false, "Software\\Quenbrook\\Paravue"},
    {false, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Quenbrook\\Paravue"},
    {false, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Quenbrook\\Paravue"},
    {true, "SOFTWARE\\Quenbrook\\Paravue"},
};
inline constexpr const char* kUserSettingsName = "HKEY_CURRENT_USER\\Software\\Quenbrook\\Paravue";

// ---- portable ----
// How one source is read: the key's full value path; false when it has no such text.
using ReadSourceFn = bool (*)(bool machine, const std::string& path, std::string& text);
// The value named by the last part of path, from the first source that holds it.
bool ReadSettingChain(ReadSourceFn read, const std::string& path, std::string& text);
// The message at the end of a run whose settings could not be written; reason is
// the system's own words.
std::string SettingsNotKeptText(std::string reason);

// The stored "Transparent" text decides only when it is not empty, and then only
// exactly "1" means on.
bool TransparencyFromText(const std::string& text, bool current);

// How a stored text is read and written; false when there is no such text or it
// cannot be stored.
using ReadSettingFn = bool (*)(const char* path, std::string& text);
using WriteSettingFn = bool (*)(const char* path, const std::string& text);

// Applies what read finds to TransparencyOn and target. Writes nothing.
void LoadSettingsWith(ReadSettingFn read, PositionTarget& target);
// Writes TransparencyOn and target's position as texts; false when a write failed
// (every write is still tried).
bool SaveSettingsWith(WriteSettingFn write, PositionTarget& target);

// The number of screens a stored value stands for: 2 to 9, a value outside that
// range read as the nearest of them.
int ScreenCountFromValue(uint32_t value);

// ---- Win32 ----
// The same, on the registry: read through kSettingsSources, written to the user's key.
void LoadSettings(PositionTarget& target);
// False when a value could not be written; the reason is kept for
// ReportSettingsNotKept.
bool SaveSettings(PositionTarget& target);
// Once the run the user ended is over: one message box when the last save failed.
// Never called at log-off or shutdown, where no box may wait.
void ReportSettingsNotKept();
// Replaces how SaveSettings writes one text (nullptr: the registry); gives the old.
WriteSettingFn SetSettingsWriter(WriteSettingFn write);
// The "Hotkey" text (or another key's, by its path); false when there is no such
// text value.
bool ReadHotkeySetting(std::string& text, const char* path = kHotkeyPath);
// The stored number of screens; 2 when none is stored.
int ReadScreenCount();
// False when it could not be stored.
bool WriteScreenCount(int count);
