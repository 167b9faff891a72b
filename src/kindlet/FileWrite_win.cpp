#include "kindlet/FileWrite_win.h"
#include "errors/Wide_win.h"
#include "ui/Services.h"
#include "ui/StringList_win.h"
#include <windows.h>

bool WriteFileBytes(const std::string& name, const std::string& bytes) {
    const WideText target(name);
    const DWORD attributes = GetFileAttributesW(target);
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    // The bytes go to a new file beside the old one (the same folder: the same
    // volume, so that taking its place is a rename): a crash or a full disk on
    // the way leaves the old file whole.
    std::string spare;
    FileHandle file{INVALID_HANDLE_VALUE};
    for (int n = 0; n < 100 && file.h == INVALID_HANDLE_VALUE; ++n) {
        spare = name + ".~" + IntToText(static_cast<int32_t>(GetCurrentProcessId())) + "-" +
                IntToText(n) + ".tmp";
        file.h = CreateFileW(WideText(spare), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file.h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (file.h == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    bool ok = WriteFile(file.h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
              done == bytes.size() && FlushFileBuffers(file.h);
    CloseHandle(file.h);
    file.h = INVALID_HANDLE_VALUE;
    const WideText written(spare);
    if (ok && replacing) {
        // It stays the file it was: ReplaceFileW keeps its creation time, security
        // and streams, and the attributes the user gave it (hidden, say) go on the
        // new bytes first (not read-only, which would keep the spare from going).
        SetFileAttributesW(written, attributes & ~FILE_ATTRIBUTE_READONLY);
        ok = ReplaceFileW(target, written, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                          nullptr);
        // Without a backup name, a replacement that could not be renamed has
        // already removed the old file: the new one takes its name.
        if (!ok && GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
            ok = MoveFileExW(written, target, MOVEFILE_WRITE_THROUGH);
    } else if (ok) {
        ok = MoveFileExW(written, target, MOVEFILE_WRITE_THROUGH);
    }
    if (!ok) {
        const DWORD error = GetLastError();
        DeleteFileW(written);
        SetLastError(error);
    }
    return ok;
}
