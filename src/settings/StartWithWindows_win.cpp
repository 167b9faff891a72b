#include "settings/StartWithWindows.h"
#include "errors/Wide_win.h"
#include "settings/MiniReg.h"
#include <windows.h>

// Wide calls: the program's folder may be named in any script.
namespace {
constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kRunName = L"Para-Vue";
} // namespace

bool ReadRunValue(std::string& value) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    // As long as the program's path: asked for its size first.
    DWORD size = 0, type = 0;
    LONG r = RegQueryValueExW(key, kRunName, nullptr, &type, nullptr, &size);
    std::u16string data(size / sizeof(char16_t) + 1, u'\0');
    if (r == ERROR_SUCCESS && type == REG_SZ)
        r = RegQueryValueExW(key, kRunName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || type != REG_SZ) return false;
    value = NarrowText(reinterpret_cast<const wchar_t*>(data.c_str()));
    return true;
}

bool StartsWithWindows() {
    std::string value;
    return ReadRunValue(value) && RunValueStarts(value, ProgramPath());
}

namespace {
// The text is made once the key is open: the strip's own call stays as small as it was.
template <typename MakeText> bool StoreRunValue(MakeText text) {
    HKEY key;
    LONG r = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                             &key, nullptr);
    if (r == ERROR_SUCCESS) {
        const WideText value(text());
        r = RegSetValueExW(key, kRunName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    if (r != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(r));
    return r == ERROR_SUCCESS;
}
} // namespace

bool WriteRunValue(const std::string& text) {
    return StoreRunValue([&] { return text; });
}

bool SetStartWithWindows(bool on) {
    if (!on) return DeleteRegValue(HKEY_CURRENT_USER, kRunValuePath);
    return StoreRunValue([] { return RunValueFor(ProgramPath()); });
}
