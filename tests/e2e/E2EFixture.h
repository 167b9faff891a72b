// What the end-to-end suites share: the fixture that starts paravue.exe and
// acts on it as a user does, and small readers of what the desktop shows.
#pragma once
#include "errors/Wide_win.h"
#include "support/OtherProgram.h"
#include "support/ParavueDriver.h"
#include "settings/Transparency.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace e2e {
constexpr int kScreenW = 1024, kScreenH = 768;
// The strip's default place: 23 pixels from the right edge, on the 20-pixel taskbar.
constexpr int kDefaultLeft = 902, kDefaultTop = 725;

inline HWND Taskbar() {
    return FindWindowA("Shell_TrayWnd", nullptr);
}

inline bool Visible(HWND w) {
    return IsWindowVisible(w) != FALSE;
}

// Strip-relative point: the 2-pixel margin around the panel belongs to the form.
inline POINT StripPoint(HWND strip, int dx, int dy) {
    RECT r = RectOf(strip);
    return {r.left + dx, r.top + dy};
}

// Below every other window: its item is the window menu's first.
inline void SendToBottom(HWND w) {
    SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

inline void Click(HWND w) {
    POINT c = CenterOf(w);
    MouseClick(c.x, c.y);
}

inline std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(path), line;
    for (char ch : text) {
        if (ch == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += ch;
        }
    }
    return lines;
}

// The strips on the desktop, of any Para-Vue process.
inline size_t StripCount() {
    size_t strips = 0;
    for (HWND w : TopWindowsOf(0, "obj_Form"))
        strips += TextOf(w) == "sd";
    return strips;
}

inline size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

// A new folder holding launched.exe in its folders "one", "two words" and "three",
// with a backslash at its end; "" when a copy failed.
inline std::string FoldersOfLaunched(const char* prefix) {
    const std::string dir = MakeTempDir(prefix);
    for (const char* sub : {"one", "two words", "three"}) {
        CreateDirectoryA((dir + sub).c_str(), nullptr);
        if (!CopyFileA((TestBinDir() + "launched.exe").c_str(),
                       (dir + sub + "\\launched.exe").c_str(), FALSE))
            return "";
    }
    return dir;
}

// Ends every Kindlet on the desktop, as Task Manager would.
inline void EndKindlets() {
    for (HWND w : TopWindowsOf(0, "Kindlet")) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
            TerminateProcess(h, 1);
            CloseHandle(h);
        }
    }
}

// The About form of process pid, 0 when it is not open.
inline HWND AboutFormOf(DWORD pid) {
    for (HWND w : TopWindowsOf(pid, "obj_Form"))
        if (TextOf(w) == "About this program") return w;
    return nullptr;
}

inline bool Hung(HWND w) {
    DWORD_PTR r;
    return !SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r);
}

// Returns once the window with the input has stayed the same for a while: under
// Wine a window that takes the focus reads the keyboard state anew, which drops
// modifiers pressed meanwhile (a switch just made moves the input).
inline void LetFocusSettle() {
    HWND last = GetForegroundWindow();
    const DWORD start = GetTickCount();
    DWORD since = start;
    while (GetTickCount() - start < 3000 && GetTickCount() - since < 400) {
        Sleep(20);
        if (HWND now = GetForegroundWindow(); now != last) {
            last = now;
            since = GetTickCount();
        }
    }
}

// While it lives, the shell opens ".html" files with the given program.
class HtmlOpensWith {
  public:
    explicit HtmlOpensWith(const std::string& exe) {
        char old[256] = "";
        LONG size = sizeof old;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, ".html", old, &size) == ERROR_SUCCESS) old_ = old;
        const std::string command = "\"" + exe + "\" \"%1\"";
        RegSetValueA(HKEY_CLASSES_ROOT, "ParavueE2E.html\\shell\\open\\command", REG_SZ,
                     command.c_str(), static_cast<DWORD>(command.size()));
        RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, "ParavueE2E.html", 15);
    }
    ~HtmlOpensWith() {
        RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, old_.c_str(),
                     static_cast<DWORD>(old_.size()));
        for (const char* key :
             {"ParavueE2E.html\\shell\\open\\command", "ParavueE2E.html\\shell\\open",
              "ParavueE2E.html\\shell", "ParavueE2E.html"})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    }

  private:
    std::string old_;
};

// The hint the user sees with the mouse resting on w; "" when none shows. Wine's
// tooltip may let the first rest after a click pass without a hint: the pointer
// comes from elsewhere, up to three times.
inline std::string HintOn(const Paravue& app, HWND w) {
    std::string hint;
    for (int attempt = 0; attempt < 3 && hint.empty(); ++attempt) {
        MouseMoveTo(600, 300);
        WaitFor([&] { return TopWindowsOf(app.pid(), "tooltips_class32").empty(); }, 3000);
        const POINT c = CenterOf(w);
        MouseMoveTo(c.x, c.y);
        WaitFor(
            [&] {
                for (HWND tip : TopWindowsOf(app.pid(), "tooltips_class32")) {
                    wchar_t text[256] = L"";
                    DWORD_PTR n = 0;
                    SendMessageTimeoutW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                                        SMTO_ABORTIFHUNG, 1000, &n);
                    hint = NarrowText(text);
                }
                return !hint.empty();
            },
            2000);
    }
    MouseMoveTo(600, 300);
    return hint;
}
// Gives w the input; returns once w's program has handled its activation.
inline void FocusOn(HWND w) {
    SetForegroundWindow(w);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == w; }, 2000));
    ASSERT_TRUE(Answers(w));
}

class ParavueE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteSettingsKey();
        RestoreDesktop();
    }
    void TearDown() override {
        app.Kill();
        RestoreDesktop();
    }
    // A run that was killed mid-way may leave the taskbar hidden; the pointer goes
    // where it touches nothing of ours.
    static void RestoreDesktop() {
        if (HWND t = Taskbar(); t && !Visible(t)) ShowWindow(t, SW_SHOW);
        MouseMoveTo(600, 300);
    }

    void StartAndWait(const std::string& args = "", const std::string& dir = "") {
        ASSERT_TRUE(app.Start(args, dir));
        ASSERT_TRUE(app.WaitForStrip());
        // The strip is up once its controls are there.
        ASSERT_TRUE(WaitFor([&] { return app.SwitchButton() && app.NumberLabel(); }, 3000));
        // Done with its start once the application window has left the screen and the
        // guard runs: the input went back to where it was in between.
        ASSERT_TRUE(WaitFor([&] { return !Visible(app.AppWindow()) && app.GuardPid(); }, 5000));
        WaitUntilDone();
    }

    // Starts the strip beside the windows of another program, which must be up.
    void StartBeside(const OtherProgram& other) {
        ASSERT_TRUE(other.started());
        StartAndWait();
    }

    // Clicks the switch button and waits until the number shows the new screen.
    void SwitchTo(int screen) {
        Click(app.SwitchButton());
        const std::string want = std::to_string(screen);
        ASSERT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == want; }, 3000))
            << "the strip did not switch to screen " << screen;
    }

    // Returns once what the strip was doing is done, and then what it asked of the
    // programs of windows. Call it when the step's own effect is seen (the windows
    // shown): the strip answers inside its waits on other programs too, so its
    // second answer is the one that comes after the last of those waits.
    void WaitUntilDone(std::initializer_list<HWND> windows = {}) {
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(Answers(app.strip(), 10000)) << "the strip does not answer";
        for (HWND w : windows)
            ASSERT_TRUE(Answers(w, 10000)) << "a program does not answer";
    }

    // Returns once the strip has handled the input sent to it so far: it takes its
    // input in order, and a right click then opens its menu. Escape closes the
    // menu, which gives the input back to where it was.
    void WaitUntilInputHandled() {
        WaitOutDoubleClick();
        POINT p = CenterOf(app.NumberLabel());
        MouseRightClick(p.x, p.y);
        ASSERT_NE(nullptr, app.WaitForMenu());
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(app.WaitForNoMenu());
        MouseMoveTo(600, 300);
        WaitUntilDone();
    }

    // Clicks "X"; the run's end must come within ms. Returns the exit code.
    DWORD QuitWithButton(DWORD ms = 5000) {
        Click(app.Button("X"));
        DWORD code = 12345;
        EXPECT_TRUE(app.WaitForExit(ms, code)) << "the program did not end";
        return code;
    }

    void ExpectSavedPlace(int left, int top) {
        std::string value;
        EXPECT_TRUE(ReadSetting("Left", value));
        EXPECT_EQ(std::to_string(left), value);
        EXPECT_TRUE(ReadSetting("Top", value));
        EXPECT_EQ(std::to_string(top), value);
        EXPECT_TRUE(ReadSetting("Transparent", value));
        EXPECT_EQ("0", value);
    }

    // A right click on the strip's number, then the keys that pick an item.
    void ChooseMenuItem(const std::vector<WORD>& keys) {
        POINT p = CenterOf(app.NumberLabel());
        MouseRightClick(p.x, p.y);
        ASSERT_NE(nullptr, app.WaitForMenu()) << "a right click on the strip opens the window menu";
        for (WORD k : keys)
            PressKey(k);
        PressKey(VK_RETURN);
        EXPECT_TRUE(app.WaitForNoMenu());
        MouseMoveTo(600, 300);
    }

    // An item counted up from the launch item (0): 1 is the last window item, -1
    // "Start with Windows". Below them the menu ends with "Transparent" where
    // layered windows exist and the greyed line naming the switch key.
    void ChooseNearLaunchItem(int above) {
        std::vector<WORD> keys{VK_END, VK_UP, VK_UP};
        if (IsLayeredSupported()) keys.push_back(VK_UP);
        keys.resize(static_cast<size_t>(static_cast<int>(keys.size()) + above), VK_UP);
        ChooseMenuItem(keys);
    }

    Paravue app;
};

} // namespace e2e
