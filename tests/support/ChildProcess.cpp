#include "support/ChildProcess.h"
#include "support/OtherProgram.h"
#include "errors/Wide_win.h"
#include "ui/Services_win.h"

std::string ProgramBeside(const std::string& program, const std::string& args) {
    std::string cmd = "\"" + TestBinDir() + program + "\"";
    if (!args.empty()) cmd += " " + args;
    return cmd;
}

ChildProcess::~ChildProcess() {
    Stop();
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& workDir) {
    Stop();
    WideText cmd(commandLine); // CreateProcessW may write into it
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.buffer(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : WideText(workDir).data(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    handle_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

bool ChildProcess::Running() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(DWORD ms, DWORD& exitCode) {
    if (!handle_) return false;
    if (!WaitFor([&] { return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }, ms))
        return false;
    GetExitCodeProcess(handle_, &exitCode);
    return true;
}

void ChildProcess::Stop(HWND window, UINT exitCode) {
    if (!handle_) return;
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (Running() && (!window || WaitForSingleObject(handle_, 10000) != WAIT_OBJECT_0)) {
        TerminateProcess(handle_, exitCode);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
}

long RunToEnd(const std::string& commandLine, DWORD ms) {
    ChildProcess child(commandLine);
    if (!child.started()) return -1;
    if (WaitForSingleObject(child.handle(), ms) != WAIT_OBJECT_0) return -1; // killed by Stop
    DWORD code = 0;
    GetExitCodeProcess(child.handle(), &code);
    return static_cast<long>(code);
}

long RunTestInChild(const char* test, const char* flag) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    // The copy inherits our environment, flag included.
    SetEnvironmentVariableA(flag, "1");
    const long code = RunToEnd(std::string("\"") + path + "\" --gtest_filter=" + test);
    SetEnvironmentVariableA(flag, nullptr);
    return code;
}

bool InChild(const char* flag) {
    return GetEnvironmentVariableA(flag, nullptr, 0) != 0;
}
