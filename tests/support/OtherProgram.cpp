#include "support/OtherProgram.h"
#include "errors/Wide_win.h"
#include "ui/Services_win.h"
#include <algorithm>

std::string TestBinDir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string MakeTempDir(const char* prefix) {
    static int counter;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    // Process ids come round again, and with them the names of an earlier run's
    // folders and whatever that run left in them: only a folder this call
    // created is new and empty.
    for (;;) {
        std::string dir = std::string(tmp) + prefix + std::to_string(GetCurrentProcessId()) + "_" +
                          std::to_string(++counter) + "\\";
        if (CreateDirectoryA(dir.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            return dir;
    }
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE f = CreateFileW(WideText(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string data(GetFileSize(f, nullptr), '\0');
    DWORD got = 0;
    ReadFile(f, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
    CloseHandle(f);
    data.resize(got);
    return data;
}

void WriteWholeFile(const std::string& path, const std::string& data) {
    HANDLE f = CreateFileW(WideText(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(f);
}

namespace {
struct FindContext {
    DWORD pid;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK FindByTitle(HWND hwnd, LPARAM param) {
    auto* ctx = reinterpret_cast<FindContext*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ctx->pid) return TRUE;
    if (WindowTitle(hwnd) != *ctx->title) return TRUE;
    ctx->found = hwnd;
    return FALSE;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0, i;
    while ((i = text.find('\n', start)) != std::string::npos) {
        lines.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    return lines;
}
} // namespace

std::vector<WindowSpec> Family(const std::string& what, const std::vector<WindowSpec>& more) {
    std::vector<WindowSpec> family{
        {"a", "v", "", what + " A"},
        {"owner", "v", "", what + " owner"},
        {"owned", "v", "owner", what + " owned"},
    };
    family.insert(family.end(), more.begin(), more.end());
    family.push_back({"asleep", "", "", what + " hidden before"});
    return family;
}

OtherProgram::OtherProgram(const std::vector<WindowSpec>& windows, const std::string& program)
    : specs_(windows) {
    dir_ = MakeTempDir("otherprog");
    log_ = dir_ + "log.txt";
    std::string spec;
    for (const WindowSpec& w : windows)
        spec += w.name + "\t" + w.flags + "\t" + (w.owner.empty() ? "-" : w.owner) + "\t" +
                w.title + "\n";
    WriteWholeFile(dir_ + "spec.txt", spec);

    if (!process_.Start(ProgramBeside(program, "\"" + dir_ + "spec.txt\" \"" + log_ + "\"")))
        return;
    WaitFor([&] { return ReadWholeFile(log_).find("ready\n") != std::string::npos; }, 10000);
    for (const WindowSpec& w : specs_) {
        FindContext ctx{process_.pid(), &w.title, nullptr};
        EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&ctx));
        windows_.push_back(ctx.found);
    }
}

OtherProgram::~OtherProgram() {
    process_.Stop(nullptr, 0);
}

HWND OtherProgram::Window(const std::string& name) const {
    for (size_t i = 0; i < specs_.size(); ++i)
        if (specs_[i].name == name) return windows_[i];
    return nullptr;
}

HWND OtherProgram::Open(const std::string& from, int n, bool owned, bool visible, bool takesInput) {
    HWND source = Window(from);
    if (!source) return nullptr;
    char title[256] = "";
    GetWindowTextA(source, title, sizeof title);
    const std::string want = std::string(title) + " #" + std::to_string(n);
    PostMessageA(source, WM_APP + 3, (owned ? 1 : 0) | (visible ? 2 : 0) | (takesInput ? 4 : 0), n);
    FindContext ctx{processId(), &want, nullptr};
    WaitFor([&] {
        EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&ctx));
        return ctx.found != nullptr;
    });
    if (ctx.found) {
        specs_.push_back(
            {from + "#" + std::to_string(n), visible ? "v" : "", owned ? from : "", want});
        windows_.push_back(ctx.found);
    }
    return ctx.found;
}

void OtherProgram::BringForward(const std::string& name, bool front) const {
    PostMessageA(Window(name), WM_APP + 6, front ? 0 : 1, 0);
}

void OtherProgram::StopAnswering(HWND window, DWORD ms) const {
    PostMessageA(window, WM_APP + 1, ms, 0);
    WaitFor([&] { return !Answers(window, 50); }, 2000);
}

std::vector<std::string> OtherProgram::Log() const {
    std::vector<std::string> lines = Lines(ReadWholeFile(log_));
    auto ready = std::find(lines.begin(), lines.end(), "ready");
    if (ready != lines.end()) lines.erase(lines.begin(), ready + 1);
    return lines;
}

std::vector<std::string> OtherProgram::ShowHideLog() const {
    std::vector<std::string> lines = Log();
    std::erase_if(
        lines, [](const std::string& l) { return !l.ends_with(" show") && !l.ends_with(" hide"); });
    return lines;
}

std::vector<std::string> OtherProgram::Keys() const {
    std::vector<std::string> lines = Log();
    std::erase_if(lines, [](const std::string& l) { return l.find(" key ") == std::string::npos; });
    return lines;
}

std::vector<std::string> OtherProgram::Activated() const {
    std::vector<std::string> names;
    for (const std::string& l : Log())
        if (l.ends_with(" activate")) names.push_back(l.substr(0, l.size() - 9));
    return names;
}

static BOOL CALLBACK CollectTopWindow(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

std::vector<std::string> OtherProgram::Stacking(const std::vector<std::string>& names) const {
    std::vector<HWND> all;
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<std::string> order;
    for (HWND h : all)
        for (const std::string& n : names)
            if (Window(n) == h && IsWindowVisible(h)) order.push_back(n);
    return order;
}
