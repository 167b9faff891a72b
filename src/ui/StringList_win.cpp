#include "ui/StringList_win.h"
#include "errors/Wide_win.h"
#include <windows.h>

bool ReadFileBytes(const std::string& name, std::string& bytes) {
    bytes.clear();
    FileHandle file{CreateFileW(WideText(name), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file.h, nullptr);
    if (size == INVALID_FILE_SIZE) size = 0;
    bytes.resize(size);
    DWORD got = 0;
    if (size && !ReadFile(file.h, bytes.data(), size, &got, nullptr)) got = 0;
    // A short read keeps what was read.
    bytes.resize(got);
    return true;
}

bool StringListLoadFromFile(StringList* list, const char* name) {
    StringListClear(list);
    std::string bytes;
    if (!ReadFileBytes(name, bytes)) return false;
    StringListSetText(list, bytes.data(), bytes.size());
    return true;
}
