#include "launch/LaunchList.h"
#include "ui/Services_win.h"
#include "ui/StringList_win.h"
#include <windows.h>
#include "launch/ShellExecute.h"
#include "launch/ListForm.h"
#include "errors/Wide_win.h"

std::string CommandLineFile() {
    std::vector<std::string> params;
    int count = GetParamCount();
    for (int i = 1; i <= count; ++i)
        params.push_back(GetParam(i));
    return CommandLineFileOf(params);
}

namespace {

class ShellLaunch final : public LaunchEffects {
  public:
    explicit ShellLaunch(const LaunchHooks& hooks) : hooks(hooks) {}

    bool FileExists(const std::string& path) override { return ::FileExists(path); }

    void SwitchScreen() override {
        if (hooks.switchScreen) hooks.switchScreen(hooks.data);
        // Let the hidden and shown windows finish before anything new opens.
        if (hooks.processMessages) hooks.processMessages(hooks.data);
    }

    bool Execute(const std::string& file, const std::string& parameters,
                 const std::string& directory) override {
        HANDLE process = nullptr;
        const bool opened =
            ShellExecuteLate(file.c_str(), parameters.c_str(), directory.c_str(), &process);
        if (process) started.push_back(reinterpret_cast<uintptr_t>(process));
        return opened;
    }

    // The report comes up in front of what the list opened: once those programs
    // are ready for input (5 s at most in all), none of them still coming up
    // takes the input from it.
    void ShowMessage(const std::string& text) override {
        const DWORD start = GetTickCount();
        for (uintptr_t process : started)
            while (GetTickCount() - start < 5000 &&
                   WaitForInputIdle(reinterpret_cast<HANDLE>(process), 50) == WAIT_TIMEOUT) {
                // Answers a program that sends to our windows meanwhile.
                MSG msg;
                PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            }
        ::ShowMessage(text);
    }

    // A name has no blank to wrap at: a line wider than the screen would push the
    // box past its edges. Two thirds of the screen, in the font boxes write in.
    bool FitsInMessage(const std::string& line) override {
        if (!dc) {
            // The face name is the system's own, in its code page.
            NONCLIENTMETRICSA metrics{};
            metrics.cbSize = sizeof metrics;
            SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
            dc = GetDC(nullptr);
            font = CreateFontIndirectA(&metrics.lfMessageFont);
            oldFont = SelectObject(dc, font);
        }
        WideText wide(line);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide, static_cast<int>(wide.size()), &size);
        return size.cx <= GetSystemMetrics(SM_CXSCREEN) * 2 / 3;
    }

    ~ShellLaunch() {
        for (uintptr_t process : started)
            CloseHandle(reinterpret_cast<HANDLE>(process));
        if (!dc) return;
        SelectObject(dc, oldFont);
        DeleteObject(font);
        ReleaseDC(nullptr, dc);
    }

  private:
    const LaunchHooks& hooks;
    // The programs the list started, owned; as numbers, the form the program keeps
    // its other handle lists in.
    std::vector<uintptr_t> started;
    HDC dc = nullptr;
    HFONT font = nullptr;
    HGDIOBJ oldFont = nullptr;
};

} // namespace

ListRead ReadLaunchListLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::string bytes, text;
    if (!ReadFileBytes(path, bytes)) return ListRead::Unreadable;
    if (!ReadListText(bytes, AnsiToUtf8, Utf8ToAnsi, text)) return ListRead::NotText;
    for (const TextLine& line : SplitLines(text))
        lines.emplace_back(line.text);
    return ListRead::Ok;
}

void RunLaunchList(const std::string& path, const LaunchHooks& hooks) {
    std::string found =
        FindLaunchList(path, ProgramDir, [](const std::string& p) { return FileExists(p); });
    if (found.empty()) {
        ShowMessage(MissingListMessage(path));
        return;
    }
    std::vector<std::string> lines;
    // A file that is not text is refused whole: its "lines" are noise.
    switch (ReadLaunchListLines(found, lines)) {
    case ListRead::Ok:
        break;
    case ListRead::Unreadable:
        ShowMessage(UnreadableListMessage(found));
        return;
    case ListRead::NotText:
        ShowMessage(NotTextListMessage(found));
        return;
    }
    ShellLaunch effects(hooks);
    CarryOutLaunchList(lines, effects);
}

// Kindlet's window on this screen; one on the other screen is hidden and stays
// with that screen.
static HWND VisibleKindlet() {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"Kindlet", nullptr));)
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

void LaunchKindlet() {
    // A second copy would open exactly on top of the first: bring it forward.
    if (HWND running = VisibleKindlet()) {
        if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
        return;
    }
    std::string path = JoinPath(ProgramDir, "kindlet.exe");
    if (!ShellExecuteLate(path.c_str(), nullptr, FileDirPart(path).c_str()))
        ShowMessage(ErrorExecutingMessage(path));
}
