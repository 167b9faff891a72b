// Stands in for a program opened by a launch list: appends one line
// "<current directory>|<command line>" to the file named by the environment
// variable PARAVUE_LAUNCH_LOG, then ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char log[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("PARAVUE_LAUNCH_LOG", log, sizeof log);
    if (n == 0 || n >= sizeof log) return 2;
    char line[4096];
    DWORD dirLen = GetCurrentDirectoryA(MAX_PATH, line);
    if (dirLen == 0 || dirLen >= MAX_PATH) return 3;
    lstrcatA(line, "|");
    const char* cmd = GetCommandLineA();
    if (lstrlenA(line) + lstrlenA(cmd) + 2 >= static_cast<int>(sizeof line)) return 4;
    lstrcatA(line, cmd);
    lstrcatA(line, "\n");
    // Several copies may start at once: wait for sole use of the log.
    for (int tries = 0; tries < 500; ++tries) {
        HANDLE h = CreateFileA(log, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(h, line, lstrlenA(line), &written, nullptr);
            CloseHandle(h);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
