// Stands in for "other programs" in the tests: opens the top-level windows a test
// asks for and writes down, in order, every time one of them is shown or hidden.
//
//   testwins.exe <window list file> <log file> [quiet]
//
// Each line of the window list file (UTF-8) describes one window, fields separated by tabs:
//   name <TAB> flags <TAB> owner name or "-" <TAB> title
// flags: v visible, t WS_EX_TOOLWINDOW, d WS_DISABLED, p WS_POPUP,
//        s slow: takes 60 ms over every show and hide (a busy program),
//        m messenger: sends the strip a message before every show and hide
//          (a program that talks to the strip while the strip waits on it),
//        f takes the input once shown (SetForegroundWindow).
// The log gets "ready" once all windows exist, then "<name> show" / "<name> hide",
// "<name> activate" each time one becomes the active window and "<name> key <vk>" for
// each key pressed while it has the input (not with "quiet":
// a benchmark with hundreds of windows must not time our log).
// Windows cascade from the top left, starting over every 16 windows.
// Messages a test may post to any of the windows:
//   WM_APP + 1 (wParam = ms): stop answering messages for that long.
//   WM_APP + 2: destroy this window.
//   WM_APP + 3 (wParam bit 1: owned by this window, bit 2: visible, bit 3: takes the
//     input; lParam = n): open a new window named "<name>#n", titled "<title> #n".
//   WM_APP + 6: show this window and bring it to the front, as a program does with
//     its hidden window when a link clicked elsewhere is for it (wParam 1: show it
//     without the input).
#include "errors/Wide_win.h"
#include "ui/Services_win.h"
#include <windows.h>
#include <deque>
#include <string>
#include <vector>

namespace {
std::string logPath;
bool quiet = false;

void Log(const std::string& line) {
    HANDLE f = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\n";
    DWORD written;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
}

HINSTANCE instance;
std::deque<std::string> names; // keeps the property strings alive: never moves them

HWND OpenWindow(const std::string& name, const std::string& flags, HWND owner,
                const std::string& title) {
    static int n = 0;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    if (flags.find('p') != std::string::npos) style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    if (flags.find('d') != std::string::npos) style |= WS_DISABLED;
    if (flags.find('t') != std::string::npos) exStyle |= WS_EX_TOOLWINDOW;
    // Unicode windows: titles in any script, as today's programs have them.
    HWND hwnd = CreateWindowExW(exStyle, L"TestWins", WideText(title), style, 40 + 30 * (n % 16),
                                40 + 20 * (n % 16), 300, 160, owner, nullptr, instance, nullptr);
    ++n;
    names.push_back(name);
    SetPropA(hwnd, "testwins.name", const_cast<char*>(names.back().c_str()));
    if (flags.find('s') != std::string::npos) SetPropA(hwnd, "testwins.slow", hwnd);
    if (flags.find('m') != std::string::npos) SetPropA(hwnd, "testwins.messenger", hwnd);
    if (flags.find('v') != std::string::npos) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    if (flags.find('f') != std::string::npos) SetForegroundWindow(hwnd);
    return hwnd;
}

std::string NameOf(HWND hwnd) {
    const char* name = static_cast<const char*>(GetPropA(hwnd, "testwins.name"));
    return name ? name : "?";
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_WINDOWPOSCHANGING: {
        // Whether shown by ShowWindow or by SetWindowPos, every change of
        // visibility passes here once.
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lp)->flags;
        const bool show = flags & SWP_SHOWWINDOW, hide = flags & SWP_HIDEWINDOW;
        // Showing a window that stands already, or hiding one that does not, changes nothing.
        if (show == hide || show == (IsWindowVisible(hwnd) != FALSE)) break;
        if (GetPropA(hwnd, "testwins.slow")) Sleep(60);
        if (GetPropA(hwnd, "testwins.messenger"))
            if (HWND strip = FindWindowA("obj_Form", "sd")) SendMessageA(strip, WM_NULL, 0, 0);
        if (!quiet) Log(NameOf(hwnd) + (show ? " show" : " hide"));
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && !quiet) Log(NameOf(hwnd) + " activate");
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!quiet) Log(NameOf(hwnd) + " key " + std::to_string(wp));
        break;
    case WM_APP + 1:
        Sleep(static_cast<DWORD>(wp));
        return 0;
    case WM_APP + 2:
        DestroyWindow(hwnd);
        return 0;
    case WM_APP + 3: {
        const std::string n = std::to_string(lp);
        OpenWindow(NameOf(hwnd) + "#" + n, std::string((wp & 2) ? "v" : "") + ((wp & 4) ? "f" : ""),
                   (wp & 1) ? hwnd : nullptr, WindowTitle(hwnd) + " #" + n);
        return 0;
    }
    case WM_APP + 6:
        ShowWindow(hwnd, wp ? SW_SHOWNOACTIVATE : SW_SHOW);
        if (!wp) SetForegroundWindow(hwnd);
        return 0;
    case WM_DESTROY:
        Log(NameOf(hwnd) + " destroyed");
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t i = s.find(sep, start);
        parts.push_back(s.substr(start, i == std::string::npos ? i : i - start));
        if (i == std::string::npos) return parts;
        start = i + 1;
    }
}

std::string ReadFile(const char* path) {
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string data(GetFileSize(f, nullptr), '\0');
    DWORD got = 0;
    ::ReadFile(f, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
    CloseHandle(f);
    data.resize(got);
    return data;
}
} // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 2;
    instance = inst;
    logPath = __argv[2];
    quiet = __argc > 3 && std::string(__argv[3]) == "quiet";

    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TestWins";
    RegisterClassW(&wc);

    std::vector<std::pair<std::string, HWND>> windows;
    for (const std::string& raw : Split(ReadFile(__argv[1]), '\n')) {
        std::string line = raw;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> f = Split(line, '\t');
        if (f.size() < 4) continue;
        HWND owner = nullptr;
        for (auto& [name, hwnd] : windows)
            if (name == f[2]) owner = hwnd;
        windows.emplace_back(f[0], OpenWindow(f[0], f[1], owner, f[3]));
    }
    Log("ready");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
