#include "settings/MiniReg.h"
#include "errors/Wide_win.h"
#include <windows.h>

namespace {
// Closes the key on every way out.
struct RegKey {
    HKEY h = nullptr;
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() {
        if (h) RegCloseKey(h);
    }
};

// The registry addresses the default value by a null name.
const char* ValueNameOrNull(const std::string& name) {
    return name.empty() ? nullptr : name.c_str();
}
} // namespace

bool WriteRegValue(HKEY__* root, const std::string& path, uint32_t type, uint32_t size,
                   const void* data, bool wide) {
    std::string keyPath, valueName;
    if (!SplitRegPath(path, keyPath, valueName)) return false;
    const char* name = ValueNameOrNull(valueName);
    const WideText name16(name);
    RegKey key;
    DWORD disposition = 0;
    LONG result = RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_WRITE, nullptr, &key.h, &disposition);
    const BYTE* bytes = static_cast<const BYTE*>(data);
    if (result != ERROR_SUCCESS)
        key.h = nullptr;
    else
        result = wide ? RegSetValueExW(key.h, name16, 0, type, bytes, size)
                      : RegSetValueExA(key.h, name, 0, type, bytes, size);
    // The registry answers with its code, not the thread's last error: kept
    // there so that a caller can say why.
    if (result != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(result));
    return result == ERROR_SUCCESS;
}

bool ReadRegValue(HKEY__* root, const std::string& path, uint32_t expectedType, std::string& data,
                  uint32_t extraAccess, bool wide) {
    data.clear();
    std::string keyPath, valueName;
    if (!SplitRegPath(path, keyPath, valueName)) return false;
    RegKey key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ | extraAccess, &key.h) != ERROR_SUCCESS) {
        key.h = nullptr;
        return false;
    }
    const char* name = ValueNameOrNull(valueName);
    const WideText name16(name);
    DWORD type = 0, size = 0;
    std::string buffer;
    // Its size first, then its bytes.
    for (BYTE* to = nullptr;; to = reinterpret_cast<BYTE*>(buffer.data())) {
        if ((wide ? RegQueryValueExW(key.h, name16, nullptr, &type, to, &size)
                  : RegQueryValueExA(key.h, name, nullptr, &type, to, &size)) != ERROR_SUCCESS)
            return false;
        if (to) break;
        // One spare byte so that even a zero-sized value gets a real buffer.
        buffer.resize(size + 1);
    }
    if (type != expectedType) return false;
    buffer.resize(size);
    data.swap(buffer);
    return true;
}

bool DeleteRegValue(HKEY__* root, const std::string& path) {
    std::string keyPath, valueName;
    if (!SplitRegPath(path, keyPath, valueName)) return false;
    RegKey key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_SET_VALUE, &key.h) != ERROR_SUCCESS) {
        key.h = nullptr;
        return true; // no key, no value
    }
    const LONG result = RegDeleteValueA(key.h, ValueNameOrNull(valueName));
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool WriteRegString(HKEY__* root, const std::string& path, const std::string& text) {
    // c_str() supplies the terminating zero.
    return WriteRegValue(root, path, REG_SZ, static_cast<uint32_t>(text.size() + 1), text.c_str());
}

bool ReadRegString(HKEY__* root, const std::string& path, std::string& text, uint32_t extraAccess) {
    text.clear();
    std::string bytes;
    if (!ReadRegValue(root, path, REG_SZ, bytes, extraAccess)) return false;
    text = DecodeRegString(bytes);
    return true;
}

bool ReadRegLines(HKEY__* root, const std::string& path, std::vector<std::string>& lines) {
    // No value leaves no bytes, and so no lines.
    std::string bytes;
    const bool read = ReadRegValue(root, path, REG_MULTI_SZ, bytes, 0, true);
    lines = DecodeMultiString(bytes);
    return read;
}

bool WriteRegLines(HKEY__* root, const std::string& path, const std::vector<std::string>& lines) {
    const std::string bytes = EncodeMultiString(lines);
    return WriteRegValue(root, path, REG_MULTI_SZ, static_cast<uint32_t>(bytes.size()),
                         bytes.data(), true);
}
