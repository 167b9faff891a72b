// Programs a test starts in processes of their own: one way to start them, wait
// for them and end them, for the suites, the benchmark and the soak run.
#pragma once
#include <windows.h>
#include <string>

// The command line of a program beside the test program, quoted, then args.
std::string ProgramBeside(const std::string& program, const std::string& args = "");

class ChildProcess {
  public:
    ChildProcess() = default;
    // Starts at once; started() tells whether it did.
    explicit ChildProcess(const std::string& commandLine, const std::string& workDir = "") {
        Start(commandLine, workDir);
    }
    ~ChildProcess(); // kills the process if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts commandLine in workDir ("" = ours); ends what this object ran before.
    bool Start(const std::string& commandLine, const std::string& workDir = "");
    bool started() const { return handle_ != nullptr; }
    HANDLE handle() const { return handle_; }
    DWORD pid() const { return pid_; }
    bool Running() const;
    // Waits for the end, dispatching this thread's messages; false on time-out.
    bool WaitForExit(DWORD ms, DWORD& exitCode);
    // Asks politely first when a window is given (WM_CLOSE), then insists with
    // exitCode; closes the handle.
    void Stop(HWND window = nullptr, UINT exitCode = 99);

  private:
    HANDLE handle_ = nullptr;
    DWORD pid_ = 0;
};

// Runs commandLine to its end and returns its exit code; -1 when it did not
// start or did not end within ms (it is killed then).
long RunToEnd(const std::string& commandLine, DWORD ms = 60000);
// Runs this test program again for test alone, with the environment variable
// flag set for it (the copy asks InChild(flag)); returns its exit code as RunToEnd.
long RunTestInChild(const char* test, const char* flag);
bool InChild(const char* flag);
