#include "settings/Settings.h"
#include "errors/MessageBox.h"
#include "errors/Wide_win.h"
#include "settings/MiniReg.h"
#include <windows.h>

namespace {
// The registry's reason for the first write of the last save that failed; 0: none.
DWORD notKeptReason;

bool ReadSourceText(bool machine, const std::string& path, std::string& text) {
    if (!machine) return ReadRegString(HKEY_CURRENT_USER, path, text);
    // The machine's key as an administrator sees it in the registry editor (on
    // 64-bit Windows our own view is redirected to WOW6432Node), then our view.
    return ReadRegString(HKEY_LOCAL_MACHINE, path, text, KEY_WOW64_64KEY) ||
           ReadRegString(HKEY_LOCAL_MACHINE, path, text);
}

bool ReadSettingText(const char* path, std::string& text) {
    return ReadSettingChain(ReadSourceText, path, text);
}

bool WriteUserText(const char* path, const std::string& text) {
    return WriteRegString(HKEY_CURRENT_USER, path, text);
}

WriteSettingFn settingsWriter = WriteUserText;

// Every write is still tried; the first reason is the one told.
bool WriteNoted(const char* path, const std::string& text) {
    SetLastError(0);
    if (settingsWriter(path, text)) return true;
    if (!notKeptReason) notKeptReason = GetLastError() ? GetLastError() : ERROR_ACCESS_DENIED;
    return false;
}
} // namespace

void LoadSettings(PositionTarget& target) {
    LoadSettingsWith(ReadSettingText, target);
}

bool SaveSettings(PositionTarget& target) {
    notKeptReason = 0;
    return SaveSettingsWith(WriteNoted, target);
}

WriteSettingFn SetSettingsWriter(WriteSettingFn write) {
    WriteSettingFn old = settingsWriter;
    settingsWriter = write ? write : WriteUserText;
    return old;
}

void ReportSettingsNotKept() {
    if (!notKeptReason) return;
    wchar_t reason[256] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   notKeptReason, 0, reason, 256, nullptr);
    notKeptReason = 0;
    CallMessageBox(nullptr, SettingsNotKeptText(NarrowText(reason)).c_str(), "Para-Vue",
                   MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

bool ReadHotkeySetting(std::string& text, const char* path) {
    return ReadSettingText(path, text);
}

int ReadScreenCount() {
    std::string data;
    uint32_t value = 2;
    if (ReadRegValue(HKEY_CURRENT_USER, kScreensPath, REG_DWORD, data) && data.size() == 4)
        CopyMemory(&value, data.data(), 4);
    return ScreenCountFromValue(value);
}

bool WriteScreenCount(int count) {
    const DWORD value = static_cast<DWORD>(count);
    return WriteRegValue(HKEY_CURRENT_USER, kScreensPath, REG_DWORD, 4, &value);
}
