// Names outside the system's code page, as a user of the Western code page
// (1252) meets them: a title with Cyrillic letters and an emoji in the window
// menu and in the record of hidden windows, a launch list saved by today's
// editors whose name and file are Cyrillic, and the program installed in a
// folder with such a name.
#include "e2e/E2EFixture.h"
#include "errors/Wide_win.h"
#include "settings/Transparency.h"
#include <algorithm>

namespace {
using namespace e2e;

const std::string kTitle = "Привет мир \xF0\x9F\x98\x80 E2E";

// The pixels of r on the screen, as the user sees them.
std::vector<uint32_t> ScreenPixels(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    GetDIBits(mem, bitmap, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The first item of a popup menu, where it stands in its menu window and how it looks.
struct DrawnItem {
    RECT place{}; // relative to the menu window
    std::vector<uint32_t> pixels;
};

struct OwnMenu {
    std::string caption;
    HWND owner = nullptr;
    HMENU menu = nullptr;
    volatile LONG ready = 0;
};

DWORD WINAPI TrackOwnMenu(void* param) {
    auto* m = static_cast<OwnMenu*>(param);
    m->owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                               nullptr, nullptr, nullptr);
    m->menu = CreatePopupMenu();
    AppendMenuW(m->menu, MF_STRING, 1, WideText(m->caption));
    InterlockedExchange(&m->ready, 1);
    SetForegroundWindow(m->owner);
    TrackPopupMenu(m->menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 40, 40, 0, m->owner,
                   nullptr);
    DestroyMenu(m->menu);
    DestroyWindow(m->owner);
    return 0;
}

HWND MenuWindowOf(DWORD pid) {
    std::vector<HWND> menus = TopWindowsOf(pid, "#32768");
    return menus.empty() ? nullptr : menus[0];
}

// caption drawn by the platform as the only item of a popup menu of this process.
DrawnItem DrawAsMenuItem(const std::string& caption) {
    OwnMenu m{caption};
    HANDLE thread = CreateThread(nullptr, 0, TrackOwnMenu, &m, 0, nullptr);
    DrawnItem item;
    HWND window = nullptr;
    if (WaitFor([&] { return m.ready && (window = MenuWindowOf(GetCurrentProcessId())); }, 5000)) {
        RECT itemRect{}, menuRect{};
        GetMenuItemRect(m.owner, m.menu, 0, &itemRect);
        GetWindowRect(window, &menuRect);
        // Wine answers relative to the menu window, Windows on the screen.
        if (!PtInRect(&menuRect, {itemRect.left, itemRect.top}))
            OffsetRect(&itemRect, menuRect.left, menuRect.top);
        // The item without its right end, where a wider menu has more room.
        itemRect.right -= 8;
        // Drawn: nothing of the menu waits to be painted, the text is there and the
        // picture no longer changes.
        std::vector<uint32_t> last;
        WaitFor([&] {
            std::vector<uint32_t> now = ScreenPixels(itemRect);
            const bool drawn = !GetUpdateRect(window, nullptr, FALSE) && !now.empty() &&
                               std::count(now.begin(), now.end(), now[0]) != std::ssize(now) &&
                               now == last;
            last = std::move(now);
            return drawn;
        });
        item.pixels = last;
        item.place = {itemRect.left - menuRect.left, itemRect.top - menuRect.top,
                      itemRect.right - menuRect.left, itemRect.bottom - menuRect.top};
    }
    EndMenu();
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    return item;
}

// How many pixels of the same place in menu differ from item's.
size_t DifferingPixels(HWND menu, const DrawnItem& item) {
    RECT r = RectOf(menu);
    const std::vector<uint32_t> shown =
        ScreenPixels({r.left + item.place.left, r.top + item.place.top, r.left + item.place.right,
                      r.top + item.place.bottom});
    size_t differing = 0;
    for (size_t i = 0; i < shown.size() && i < item.pixels.size(); ++i)
        differing += (shown[i] & 0xFFFFFF) != (item.pixels[i] & 0xFFFFFF);
    return item.pixels.empty() ? SIZE_MAX : differing;
}

class UnicodeE2E : public ParavueE2E {
  protected:
    void SetUp() override {
        ParavueE2E::SetUp();
        ASSERT_EQ(1252u, GetACP())
            << "the Western code page, where the ANSI calls lose these names";
        dir = MakeTempDir("e2eunicode");
        DeleteFileA((dir + "launched.log").c_str());
    }
    void TearDown() override {
        EndKindlets();
        SetEnvironmentVariableA("PARAVUE_E2E_WATCH", nullptr);
        ParavueE2E::TearDown();
    }
    // A new folder; process ids come round again, and with them the folder of an
    // earlier run: what it holds goes.
    static bool MakeFolder(const std::string& folder) {
        for (const char* old : {"\\launched.log", "launched.log"})
            DeleteFileW(WideText(folder + old));
        return CreateDirectoryW(WideText(folder), nullptr) ||
               GetLastError() == ERROR_ALREADY_EXISTS;
    }
    // Starts the copy of paravue.exe in folder and waits for its strip.
    void StartCopy(const std::string& program) {
        ASSERT_TRUE(app.Start("", "", program));
        ASSERT_TRUE(app.WaitForStrip());
        ASSERT_TRUE(WaitFor([&] { return app.SwitchButton() && app.NumberLabel(); }, 3000));
    }
    std::string dir;
};

TEST_F(UnicodeE2E, ATitleInAnyScriptShowsExactlyInTheMenuMovesAndComesBackAfterEveryCopyEnded) {
    OtherProgram other({{"u", "v", "", kTitle}, {"b", "v", "", "E2E bystander"}});
    ASSERT_TRUE(other.started());
    HWND target = other.Window("u");
    ASSERT_NE(nullptr, target);
    const std::string caption = "Move 1: " + kTitle + ", to other screen";
    const DrawnItem expected = DrawAsMenuItem(caption);
    ASSERT_FALSE(expected.pixels.empty()) << "the reference menu was not drawn";
    StartAndWait();
    SendToBottom(target);

    POINT p = CenterOf(app.NumberLabel());
    MouseRightClick(p.x, p.y);
    HWND menu = app.WaitForMenu();
    ASSERT_NE(nullptr, menu);
    // Drawn as it should be, or not at all.
    WaitFor([&] { return DifferingPixels(menu, expected) == 0; }, 3000);
    EXPECT_EQ(0u, DifferingPixels(menu, expected)) << "the first item reads " << caption;
    PressKey(VK_HOME);
    PressKey(VK_RETURN);
    EXPECT_TRUE(app.WaitForNoMenu());
    ASSERT_TRUE(WaitFor([&] { return !Visible(target); }, 2000)) << "moved to the other screen";
    EXPECT_TRUE(Visible(other.Window("b")));

    // Every paravue.exe ended at once, as taskkill /f /im paravue.exe does.
    ASSERT_TRUE(app.KillGuard());
    app.Kill();
    // Whatever either had asked of the window is carried out.
    ASSERT_TRUE(Answers(target));
    ASSERT_FALSE(Visible(target)) << "nobody is left to show it";
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(WaitFor([&] { return Visible(target); }, 8000))
        << "the next start knows it by its title";
    ASSERT_TRUE(app.WaitForStrip());
    EXPECT_EQ(0u, QuitWithButton());
}

// A run of the version before, ended from outside, left its record in the code
// page: the next start still shows those windows, unless the handle changed hands.
TEST_F(UnicodeE2E, ARecordLeftByTheVersionBeforeIsStillRead) {
    OtherProgram other({{"west", "", "", "Café E2E"},
                        {"cyr", "", "", "Отчёт E2E"},
                        {"other", "", "", "Another E2E"}});
    ASSERT_TRUE(other.started());
    auto entry = [](HWND w, const std::string& ansiTitle) {
        const auto h = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(w));
        return std::string(reinterpret_cast<const char*>(&h), 4) +
               static_cast<char>(ansiTitle.size()) + ansiTitle;
    };
    // "PVH1", the process that wrote it, three windows; the Cyrillic letters
    // as that version read them.
    const std::string record = std::string("PVH1\x01\0\0\0\x03\0\0\0", 12) +
                               entry(other.Window("west"), "Caf\xE9 E2E") +
                               entry(other.Window("cyr"), "????? E2E") +
                               entry(other.Window("other"), "A window since closed");
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quenbrook\\Paravue", 0,
                                             nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    RegSetValueExA(key, "HiddenWindows", 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(record.data()), record.size());
    RegCloseKey(key);

    StartAndWait();
    EXPECT_TRUE(WaitFor([&] { return Visible(other.Window("west")); }, 3000));
    EXPECT_TRUE(WaitFor([&] { return Visible(other.Window("cyr")); }, 3000));
    // The start shows what it recognises before its strip appears; whatever it
    // asked of the windows is carried out once they answer.
    ASSERT_TRUE(Answers(other.Window("other")));
    EXPECT_FALSE(Visible(other.Window("other"))) << "another title: not the window recorded";
    EXPECT_EQ(0u, QuitWithButton());
}

TEST_F(UnicodeE2E, AUtf8ListWithAMarkNamedInCyrillicOpensItsCyrillicFileOnTheOtherScreen) {
    OtherProgram other({{"w", "v", "", "E2E watched window"}});
    ASSERT_TRUE(other.started());
    SetEnvironmentVariableA("PARAVUE_E2E_WATCH", "E2E watched window");
    const std::string folder = dir + "Отчёты за март";
    ASSERT_TRUE(MakeFolder(folder));
    ASSERT_TRUE(CopyFileW(WideText(TestBinDir() + "launched.exe"),
                          WideText(folder + "\\запуск.exe"), FALSE));
    // As Notepad saves it: UTF-8 with a byte-order mark.
    const std::string list = dir + "список дел.txt";
    WriteWholeFile(list, "\xEF\xBB\xBF" + folder + "\\запуск.exe\r\n");

    ASSERT_TRUE(app.Start("\"" + list + "\""));
    const std::string log = folder + "\\launched.log";
    EXPECT_TRUE(WaitFor([&] { return !ReadWholeFile(log).empty(); }, 8000))
        << "the listed file was not opened";
    EXPECT_EQ((std::vector<std::string>{"args=|cwd=" + folder + "|watched=hidden"}),
              ReadLines(log));
    ASSERT_TRUE(app.WaitForStrip());
    EXPECT_EQ("2", TextOf(app.NumberLabel())) << "opened on the other screen";
    std::string text;
    EXPECT_FALSE(app.WaitForMessageBox(text, 300)) << text;
    EXPECT_EQ((std::vector<std::string>{"w hide"}), other.ShowHideLog());

    // A second start hands its list, UTF-16 this time, to the running strip, which
    // goes to the other screen (back to 1) and opens it there.
    const std::string list16 = dir + "ещё.txt";
    const WideText line(folder + "\\запуск.exe\r\n" + "\"" + folder + "\\нет-такого.exe\"\r\n");
    WriteWholeFile(list16, "\xFF\xFE" + std::string(reinterpret_cast<const char*>(line.data()),
                                                    line.size() * 2));
    Paravue second;
    ASSERT_TRUE(second.Start("\"" + list16 + "\""));
    DWORD code = 1;
    EXPECT_TRUE(second.WaitForExit(5000, code));
    EXPECT_EQ(0u, code) << "handed over";
    EXPECT_TRUE(WaitFor([&] { return ReadLines(log).size() == 2; }, 8000));
    EXPECT_EQ((std::vector<std::string>{"args=|cwd=" + folder + "|watched=hidden",
                                        "args=|cwd=" + folder + "|watched=visible"}),
              ReadLines(log));
    // The message names the missing file as written.
    ASSERT_TRUE(app.WaitForMessageBox(text));
    EXPECT_EQ("Cannot find file:\r" + folder + "\\нет-такого.exe", text);
    EXPECT_TRUE(app.DismissMessageBox());
}

TEST_F(UnicodeE2E, ACopyInACyrillicFolderIsGuardedAndOpensHelpAndKindlet) {
    const std::string folder = dir + "Пара-Вю Ω\\";
    ASSERT_TRUE(MakeFolder(folder));
    for (const char* file : {"paravue.exe", "kindlet.exe", "paravue help.html"})
        ASSERT_TRUE(CopyFileW(WideText(TestBinDir() + file), WideText(folder + file), FALSE))
            << file;
    const std::string program = folder + "paravue.exe";

    // The guard: started from the same folder, it shows what the strip hid.
    OtherProgram other({{"a", "v", "", "E2E guarded window"}});
    ASSERT_TRUE(other.started());
    HWND guarded = other.Window("a");
    StartCopy(program);
    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] { return !Visible(guarded); }, 2000));
    ASSERT_NE(0u, app.GuardPid()) << "no guard watches over the hidden window";
    TerminateProcess(app.process(), 1);
    EXPECT_TRUE(WaitFor([&] { return Visible(guarded); }, 3000)) << "the guard shows it again";
    app.Kill();

    // The help file beside the program, opened by a stand-in that writes down
    // what it was asked to open.
    HtmlOpensWith viewer(dir + "launched.exe");
    ASSERT_TRUE(
        CopyFileW(WideText(TestBinDir() + "launched.exe"), WideText(dir + "launched.exe"), FALSE));
    StartCopy(program);
    Click(app.Button("?"));
    ASSERT_TRUE(WaitFor(
        [&] {
            HWND about = AboutFormOf(app.pid());
            return about && GetForegroundWindow() == about;
        },
        3000));
    PressKey(VK_ESCAPE); // presses Help
    EXPECT_TRUE(WaitFor([&] { return !ReadWholeFile(dir + "launched.log").empty(); }, 5000));
    EXPECT_NE(std::string::npos,
              ReadWholeFile(dir + "launched.log").find(folder + "paravue help.html\""))
        << ReadWholeFile(dir + "launched.log");

    // The launch item.
    ChooseNearLaunchItem(0);
    EXPECT_TRUE(WaitFor([] { return !TopWindowsOf(0, "Kindlet").empty(); }, 8000))
        << "Kindlet did not open from the folder";
    std::string text;
    EXPECT_FALSE(app.WaitForMessageBox(text, 500)) << text;
    EXPECT_EQ(0u, QuitWithButton());
}
} // namespace
