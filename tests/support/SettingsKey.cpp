#include "support/SettingsKey.h"
#include <windows.h>

namespace {
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void WriteText(HKEY root, const char* name, const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(root, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}
} // namespace

void DeleteSettingsKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyA(
        HKEY_CURRENT_USER,
        "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Quenbrook\\Paravue");
    RegDeleteKeyA(HKEY_CURRENT_USER,
                  "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Quenbrook\\Paravue");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
}

void WriteSetting(const char* name, const std::string& value) {
    WriteText(HKEY_CURRENT_USER, name, value);
}

void WriteNumberSetting(const char* name, unsigned long value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const DWORD number = value;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
}

void WriteMachineSetting(const char* name, const std::string& value) {
    WriteText(HKEY_LOCAL_MACHINE, name, value);
}

bool ReadSetting(const char* name, std::string& value) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char data[256] = "";
    DWORD size = sizeof data - 1, type = 0;
    LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || type != REG_SZ) return false;
    value = data;
    return true;
}

std::string StoredSetting(const char* name) {
    std::string value;
    return ReadSetting(name, value) ? value : "<none>";
}

std::string RunValue() {
    char data[1024] = "";
    DWORD size = sizeof data - 1, type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<none>";
    const LONG r =
        RegQueryValueExA(key, "Para-Vue", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS && type == REG_SZ ? data : "<none>";
}

void SetRunValue(const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (value.empty())
        RegDeleteValueA(key, "Para-Vue");
    else
        RegSetValueExA(key, "Para-Vue", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}
