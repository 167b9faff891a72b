#include "ui/StringList_win.h"
#include <windows.h>
#include <memory>

namespace {
struct FileHandle {
    HANDLE h;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
} // namespace

bool StringListLoadFromFile(StringList* list, const char* name) {
    StringListClear(list);
    FileHandle file{CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file.h, nullptr);
    if (size == INVALID_FILE_SIZE) size = 0;
    std::unique_ptr<char[]> buffer(new char[size + 1]);
    DWORD got = 0;
    if (size && !ReadFile(file.h, buffer.get(), size, &got, nullptr)) got = 0;
    // A short read keeps what was read.
    StringListSetText(list, buffer.get(), got);
    return true;
}
