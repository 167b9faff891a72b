#include "launch/LaunchList.h"
#include "support/OtherProgram.h"
#include "support/ParavueDriver.h"
#include "ui/Services_win.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> shownMessages;

int CaptureBox(void*, const char* text, const char*, unsigned) {
    shownMessages.push_back(text ? text : "");
    return IDOK;
}

struct SwitchProbe {
    int switches = 0;
    int pumps = 0;
    size_t messagesAtSwitch = 0;
};

void ProbeSwitch(void* data) {
    auto* p = static_cast<SwitchProbe*>(data);
    ++p->switches;
    p->messagesAtSwitch = shownMessages.size();
}

void ProbePump(void* data) {
    ++static_cast<SwitchProbe*>(data)->pumps;
}

std::string OwnDir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return FileDirPart(std::string(path, n));
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string ReadBytes(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string data(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    if (!data.empty()) ReadFile(h, &data[0], static_cast<DWORD>(data.size()), &got, nullptr);
    CloseHandle(h);
    data.resize(got);
    return data;
}

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(dir + name + "\\");
            else
                DeleteFileA((dir + name).c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

// One launched program's record: its working directory and its parameters.
struct Launched {
    std::string dir;
    std::vector<std::string> params;
};

class LaunchListOnWindows : public ::testing::Test {
  protected:
    std::string root; // ends in "\"
    std::string viewer, tool, log;
    SwitchProbe probe;
    LaunchHooks hooks;
    MessageBoxFn oldBox = nullptr;
    std::string oldProgramDir;

    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        static int serial = 0;
        root = std::string(temp) + "pvlaunch-" + IntToText(GetCurrentProcessId()) + "-" +
               IntToText(++serial) + "\\";
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr)) << root;
        CreateDirectoryA((root + "My Files").c_str(), nullptr);
        CreateDirectoryA((root + "prog").c_str(), nullptr);
        std::string launched = OwnDir() + "launched.exe";
        viewer = root + "My Files\\viewer.exe";
        tool = root + "tool.exe";
        ASSERT_TRUE(CopyFileA(launched.c_str(), viewer.c_str(), FALSE)) << launched;
        ASSERT_TRUE(CopyFileA(launched.c_str(), tool.c_str(), FALSE));
        log = root + "log.txt";
        SetEnvironmentVariableA("PARAVUE_LAUNCH_LOG", log.c_str());
        shownMessages.clear();
        oldBox = SetMessageBoxFunction(CaptureBox);
        hooks = {ProbeSwitch, ProbePump, &probe};
        oldProgramDir = ProgramDir;
        ProgramDir = root + "prog\\";
    }

    void TearDown() override {
        SetMessageBoxFunction(oldBox);
        ProgramDir = oldProgramDir;
        RemoveTree(root);
    }

    // The records of the programs the list started, once every one of them has
    // ended: each writes its record before it ends, so a launch too many shows.
    // (They are started before the list returns, as processes of this one.)
    std::vector<Launched> WaitForLaunches(size_t count) {
        std::vector<std::string> lines;
        WaitFor(
            [&] {
                if (!ChildProcessesOf(GetCurrentProcessId()).empty()) return false;
                lines.clear();
                std::string text = ReadBytes(log);
                size_t start = 0, end;
                while ((end = text.find('\n', start)) != std::string::npos) {
                    lines.push_back(text.substr(start, end - start));
                    start = end + 1;
                }
                return lines.size() >= count;
            },
            15000);
        std::vector<Launched> out;
        for (const std::string& line : lines) {
            // "args=<parameters>|cwd=<folder>|watched=..."
            size_t cwd = line.find("|cwd=");
            Launched l;
            l.dir = line.substr(cwd + 5, line.find("|watched=") - cwd - 5);
            std::string cmd = "program " + line.substr(5, cwd - 5);
            int n = CommandLineParamCount(cmd.c_str());
            for (int k = 1; k <= n; ++k)
                l.params.push_back(CommandLineParam(cmd.c_str(), k));
            out.push_back(l);
        }
        std::sort(out.begin(), out.end(),
                  [](const Launched& a, const Launched& b) { return a.params < b.params; });
        return out;
    }

    static std::string NoSlash(std::string dir) {
        if (!dir.empty() && dir.back() == '\\') dir.pop_back();
        return dir;
    }
};

bool SameDir(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

} // namespace

TEST_F(LaunchListOnWindows, OpensEveryExistingFileAfterOneSwitch) {
    std::string missing = root + "missing.exe";
    // Line feeds alone, as some editors write them.
    WriteBytes(root + "list.txt", "; my group\n"
                                  "   ; an indented comment\n" +
                                      missing + "\n\"" + viewer + "\" /a notes.txt\n" + tool +
                                      " 5\n  " + viewer + "  \n");
    RunLaunchList(root + "list.txt", hooks);

    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0], "Cannot find file:\r" + missing);
    EXPECT_EQ(probe.switches, 1);
    EXPECT_EQ(probe.pumps, 1);
    EXPECT_EQ(probe.messagesAtSwitch, 0u); // the box comes once every file is opened

    std::vector<Launched> runs = WaitForLaunches(3);
    ASSERT_EQ(runs.size(), 3u);
    // Sorted by parameters: none, "/a notes.txt", "5".
    EXPECT_TRUE(runs[0].params.empty());
    EXPECT_TRUE(SameDir(runs[0].dir, root + "My Files")) << runs[0].dir;
    EXPECT_EQ(runs[1].params, (std::vector<std::string>{"/a", "notes.txt"}));
    EXPECT_TRUE(SameDir(runs[1].dir, root + "My Files")) << runs[1].dir;
    EXPECT_EQ(runs[2].params, (std::vector<std::string>{"5"}));
    EXPECT_TRUE(SameDir(runs[2].dir, NoSlash(root))) << runs[2].dir;
}

TEST_F(LaunchListOnWindows, NoSwitchWhenNoListedFileExists) {
    std::string a = root + "gone.exe";
    std::string open = "\"" + root + "My Files\\viewer.exe -q";
    WriteBytes(root + "list.txt",
               ";comment\r\n" + a + "\r\n\r\n" + open + "\r\n" + a + " -x -y\r\n");
    RunLaunchList(root + "list.txt", hooks);
    // One box; an unclosed quote leaves the line whole, quote included, and a
    // line split at its last blank is named whole.
    std::vector<std::string> expected = {"Cannot find file: " + a + "\nCannot find file: " + open +
                                         "\nCannot find file: " + a + " -x -y"};
    EXPECT_EQ(shownMessages, expected);
    EXPECT_EQ(probe.switches, 0);
    EXPECT_EQ(probe.pumps, 0);
}

TEST_F(LaunchListOnWindows, ListIsLookedForBesideTheProgram) {
    WriteBytes(root + "prog\\work list.txt", tool + " beside\r\n");
    RunLaunchList("Q:\\nowhere\\work list.txt", hooks);
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(probe.switches, 1);
    std::vector<Launched> runs = WaitForLaunches(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].params, (std::vector<std::string>{"beside"}));

    // Found nowhere: one message naming the path as it was given.
    RunLaunchList(root + "absent.txt", hooks);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0], "Cannot find the launch list:\r" + root + "absent.txt");
    EXPECT_EQ(probe.switches, 1);

    // Held by another program that shares it with nobody: its own words.
    shownMessages.clear();
    const std::string held = root + "prog\\work list.txt";
    HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    RunLaunchList(held, hooks);
    CloseHandle(h);
    EXPECT_EQ(shownMessages, std::vector<std::string>{"Cannot read the launch list:\r" + held});
    EXPECT_EQ(probe.switches, 1);
}

TEST_F(LaunchListOnWindows, RefusedFilesAreReported) {
    // A file of a type nothing opens exists but cannot be executed.
    std::string data = root + "data.pvzzq";
    WriteBytes(data, "x");
    WriteBytes(root + "list.txt", data + "\r\n");
    RunLaunchList(root + "list.txt", hooks);
    EXPECT_EQ(probe.switches, 1);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0], "Error executing file:\r" + data);
}

TEST_F(LaunchListOnWindows, CompanionProgramStartsFromTheProgramFolder) {
    LaunchKindlet();
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0], "Error executing file:\r" + root + "prog\\kindlet.exe");

    shownMessages.clear();
    ASSERT_TRUE(CopyFileA(tool.c_str(), (root + "prog\\kindlet.exe").c_str(), FALSE));
    LaunchKindlet();
    EXPECT_TRUE(shownMessages.empty());
    std::vector<Launched> runs = WaitForLaunches(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].params.empty());
    EXPECT_TRUE(SameDir(runs[0].dir, root + "prog")) << runs[0].dir;
    EXPECT_EQ(probe.switches, 0);

    // Running already on this screen, minimised: brought back, not started again.
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.lpszClassName = L"Kindlet";
    RegisterClassW(&cls);
    HWND running = CreateWindowExW(0, L"Kindlet", L"Kindlet - x", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(running, SW_MINIMIZE);
    LaunchKindlet();
    EXPECT_FALSE(IsIconic(running));
    EXPECT_EQ(GetForegroundWindow(), running);
    DestroyWindow(running);
    UnregisterClassW(L"Kindlet", nullptr);
    EXPECT_EQ(WaitForLaunches(1).size(), 1u) << "no second copy";
}
