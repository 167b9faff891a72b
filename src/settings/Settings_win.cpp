#include "settings/Settings.h"
#include "settings/MiniReg.h"
#include <windows.h>

static bool ReadMachineText(const char* path, std::string& text) {
    return ReadRegString(HKEY_LOCAL_MACHINE, path, text);
}

static bool WriteMachineText(const char* path, const std::string& text) {
    return WriteRegString(HKEY_LOCAL_MACHINE, path, text);
}

void LoadSettings(PositionTarget& target) {
    LoadSettingsWith(ReadMachineText, target);
}

void SaveSettings(PositionTarget& target) {
    SaveSettingsWith(WriteMachineText, target);
}

bool ReadHotkeySetting(std::string& text) {
    return ReadMachineText(kHotkeyPath, text);
}
