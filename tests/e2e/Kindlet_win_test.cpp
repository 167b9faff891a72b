// kindlet.exe, the companion program, as a user meets it: opened from the strip's
// window menu, a list made with its own buttons and the standard file dialog,
// saved, opened again, and handed to paravue.exe by its launch button.
#include "settings/Transparency.h"
#include "support/OtherProgram.h"
#include "support/ParavueDriver.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

namespace {

void Click(HWND w) {
    POINT c = CenterOf(w);
    MouseClick(c.x, c.y);
}

HWND Control(HWND parent, const char* cls, const char* text = nullptr) {
    HWND found = nullptr;
    for (HWND c = GetWindow(parent, GW_CHILD); c && !found; c = GetWindow(c, GW_HWNDNEXT))
        if (ClassOf(c) == cls && (!text || TextOf(c) == text)) found = c;
    return found;
}

// Paths as Windows compares them: the file dialog gives back a path typed into
// it with the drive letter as typed or as the folder spells it.
std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}
std::vector<std::string> Lower(std::vector<std::string> lines) {
    for (std::string& l : lines)
        l = Lower(l);
    return lines;
}

// Types text as key presses, with Shift where the keyboard needs it.
void TypeText(const std::string& text) {
    for (char c : text) {
        SHORT key = VkKeyScanA(c);
        if (HIBYTE(key) & 1)
            PressChord(VK_SHIFT, LOBYTE(key));
        else
            PressKey(LOBYTE(key));
    }
}

// The lines of a list view in another process, "file|parameters" each: the
// view's messages carry pointers, so the buffers live in that process.
std::vector<std::string> ListViewLines(HWND list, DWORD pid) {
    std::vector<std::string> lines;
    HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!p) return lines;
    constexpr size_t kText = 1024;
    char* remote = static_cast<char*>(
        VirtualAllocEx(p, nullptr, sizeof(LVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; remote && i < count; ++i) {
        std::string line;
        for (int column = 0; column < 2; ++column) {
            LVITEMA it{};
            it.iSubItem = column;
            it.pszText = remote + sizeof(LVITEMA);
            it.cchTextMax = kText;
            char text[kText] = "";
            WriteProcessMemory(p, remote, &it, sizeof it, nullptr);
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remote));
            ReadProcessMemory(p, remote + sizeof(LVITEMA), text, kText - 1, nullptr);
            line += (column ? "|" : "") + std::string(text);
        }
        lines.push_back(line);
    }
    if (remote) VirtualFreeEx(p, remote, 0, MEM_RELEASE);
    CloseHandle(p);
    return lines;
}

class KindletE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteSettingsKey();
        dir = MakeTempDir("kindlet");
        // Process ids come round again, and with them the folder of an earlier run.
        for (const char* sub : {"one", "two words", "three"}) {
            CreateDirectoryA((dir + sub).c_str(), nullptr);
            DeleteFileA((dir + sub + "\\launched.log").c_str());
            ASSERT_TRUE(CopyFileA((TestBinDir() + "launched.exe").c_str(),
                                  (dir + sub + "\\launched.exe").c_str(), FALSE));
        }
    }
    void TearDown() override {
        kindlet.Kill();
        QuitStrips();
        if (HWND t = FindWindowA("Shell_TrayWnd", nullptr); t && !IsWindowVisible(t))
            ShowWindow(t, SW_SHOW);
        MouseMoveTo(600, 300);
    }
    // Every strip on the desktop quits as its "X" button has it quit (a close
    // request to its application window), which shows what it hid.
    static void QuitStrips() {
        for (HWND app : TopWindowsOf(0, "", false)) {
            if (TextOf(app) != "tallowin") continue;
            DWORD pid = 0;
            GetWindowThreadProcessId(app, &pid);
            HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
            PostMessageA(app, WM_CLOSE, 0, 0);
            if (h && WaitForSingleObject(h, 5000) != WAIT_OBJECT_0) TerminateProcess(h, 1);
            if (h) CloseHandle(h);
        }
    }

    // Starts kindlet.exe with a list (or none) and waits for its window.
    void StartKindlet(const std::string& list = "") {
        kindlet.Kill();
        ASSERT_TRUE(kindlet.Start(list.empty() ? "" : "\"" + list + "\"", "", "kindlet.exe"));
        ASSERT_TRUE(WaitFor([&] { return !TopWindowsOf(kindlet.pid(), "Kindlet").empty(); }, 8000));
        window = TopWindowsOf(kindlet.pid(), "Kindlet")[0];
        list_ = Control(window, "SysListView32");
        ASSERT_NE(nullptr, list_);
        // A user's first click meets a window that is up and in front.
        WaitForInputIdle(kindlet.process(), 5000);
        ASSERT_TRUE(WaitFor(
            [&] {
                DWORD pid = 0;
                GetWindowThreadProcessId(GetForegroundWindow(), &pid);
                return pid == kindlet.pid();
            },
            3000));
    }
    HWND Button(const char* text) { return Control(window, "Button", text); }
    // A click below the rows gives the list the focus (and takes the selection
    // away); then keys as a user presses them.
    void SelectRow(int row) {
        RECT r = RectOf(list_);
        MouseClick(r.left + 30, r.bottom - 12);
        PressKey(VK_HOME);
        for (int i = 0; i < row; ++i)
            PressKey(VK_DOWN);
        PressKey(VK_SPACE); // selects the row with the focus, wherever it was already
    }
    std::vector<std::string> Entries() { return ListViewLines(list_, kindlet.pid()); }

    // Clicks a button that opens the standard file dialog, puts the path into its
    // file name box and confirms with Enter.
    void ChooseInFileDialog(const char* button, const std::string& path) {
        Click(Button(button));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                auto boxes = TopWindowsOf(kindlet.pid(), "#32770");
                dialog = boxes.empty() ? nullptr : boxes[0];
                return dialog != nullptr;
            },
            20000))
            << button << " opens no dialog";
        // The file name box has the focus when the dialog opens.
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }, 3000));
        TypeText(path);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000)) << "the dialog stays";
    }

    std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

    Paravue kindlet, strip;
    HWND window = nullptr, list_ = nullptr;
    std::string dir;
};

TEST_F(KindletE2E, TheWindowMenuItemOpensKindlet) {
    ASSERT_TRUE(strip.Start());
    ASSERT_TRUE(strip.WaitForStrip());
    ASSERT_TRUE(WaitFor([&] { return strip.NumberLabel() != nullptr; }, 3000));
    POINT p = CenterOf(strip.NumberLabel());
    MouseRightClick(p.x, p.y);
    ASSERT_NE(nullptr, strip.WaitForMenu());
    // From the end: "Transparent" where layered windows exist, then the launch item.
    PressKey(VK_END);
    if (IsLayeredSupported()) PressKey(VK_UP);
    PressKey(VK_RETURN);

    HWND opened = nullptr;
    EXPECT_TRUE(WaitFor(
        [&] {
            auto w = TopWindowsOf(0, "Kindlet");
            opened = w.empty() ? nullptr : w[0];
            return opened != nullptr;
        },
        8000))
        << "kindlet.exe did not open";
    std::string text;
    EXPECT_FALSE(strip.WaitForMessageBox(text, 500)) << text;
    if (opened) {
        EXPECT_EQ("Kindlet - Untitled", TextOf(opened));
        DWORD pid = 0;
        GetWindowThreadProcessId(opened, &pid);
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
            TerminateProcess(h, 0);
            CloseHandle(h);
        }
    }
}

TEST_F(KindletE2E, AListMadeWithItsButtonsIsSavedAndOpensAgainTheSame) {
    StartKindlet();
    EXPECT_EQ("Kindlet - Untitled", TextOf(window));
    ChooseInFileDialog("A&dd files...", dir + "one\\launched.exe");
    ChooseInFileDialog("A&dd files...", dir + "three\\launched.exe");
    ChooseInFileDialog("A&dd files...", dir + "two words\\launched.exe");
    // The last one added is selected: up one place, then give "three" parameters.
    Click(Button("Move &up"));
    Click(Button("Move do&wn"));
    Click(Button("Move &up"));
    ASSERT_TRUE(WaitFor([&] { return Entries().size() == 3; }, 2000));
    EXPECT_EQ(Lower(dir + "two words\\launched.exe|"), Lower(Entries()[1]));
    Click(Button("Move do&wn")); // back to the end
    SelectRow(1);
    Click(Control(window, "Edit"));
    for (WORD vk : {WORD(VK_OEM_MINUS), WORD('X'), WORD(VK_SPACE), WORD('5')})
        PressKey(vk);
    EXPECT_EQ("Kindlet - Untitled *", TextOf(window));
    const std::vector<std::string> made = {dir + "one\\launched.exe|",
                                           dir + "three\\launched.exe|-x 5",
                                           dir + "two words\\launched.exe|"};
    const std::vector<std::string> before = Entries();
    EXPECT_EQ(Lower(made), Lower(before));

    const std::string list = dir + "my list.txt";
    DeleteFileA(list.c_str());
    ChooseInFileDialog("Save &as...", list);
    EXPECT_EQ("Kindlet - my list.txt", TextOf(window));
    // Quotes exactly where a path has a blank or parameters follow.
    const std::string one = dir.find(' ') == std::string::npos ? dir + "one\\launched.exe"
                                                               : Quoted(dir + "one\\launched.exe");
    EXPECT_EQ(Lower(one + "\r\n" + Quoted(dir + "three\\launched.exe") + " -x 5\r\n" +
                    Quoted(dir + "two words\\launched.exe") + "\r\n"),
              Lower(ReadWholeFile(list)));

    // Saved: it closes without a question, and opens again with the same entries.
    PressChord(VK_MENU, VK_F4);
    DWORD code = 1;
    ASSERT_TRUE(kindlet.WaitForExit(5000, code));
    StartKindlet(list);
    EXPECT_EQ("Kindlet - my list.txt", TextOf(window));
    EXPECT_EQ(before, Entries());

    // A change is not lost without a question: Escape keeps the window, "No" drops it.
    SelectRow(0);
    Click(Button("&Remove"));
    ASSERT_TRUE(WaitFor([&] { return Entries().size() == 2; }, 2000));
    PressChord(VK_MENU, VK_F4);
    std::string text;
    ASSERT_TRUE(kindlet.WaitForMessageBox(text));
    EXPECT_EQ("Save the changes to my list.txt?", text);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(kindlet.WaitForExit(500, code));
    PressChord(VK_MENU, VK_F4);
    ASSERT_TRUE(kindlet.WaitForMessageBox(text));
    PressKey('N');
    ASSERT_TRUE(kindlet.WaitForExit(5000, code));
    EXPECT_EQ(0u, code);
    StartKindlet(list);
    EXPECT_EQ(before, Entries()) << "the removal was not saved";
}

// Files dropped from the shell arrive as WM_DROPFILES naming a block of paths in
// the program's own memory; the block is put there as a drop does. Folders are
// left out: a list opens files.
TEST_F(KindletE2E, FilesDroppedOnItAreAdded) {
    StartKindlet();
    const std::string paths = dir + "one\\launched.exe" + '\0' + dir + "two words" + '\0' + dir +
                              "two words\\launched.exe" + '\0' + '\0';
    DROPFILES head{};
    head.pFiles = sizeof head;
    std::string block(reinterpret_cast<const char*>(&head), sizeof head);
    block += paths;
    HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, kindlet.pid());
    ASSERT_NE(nullptr, p);
    void* remote = VirtualAllocEx(p, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(nullptr, remote);
    WriteProcessMemory(p, remote, block.data(), block.size(), nullptr);
    CloseHandle(p);
    PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    const std::vector<std::string> want = {dir + "one\\launched.exe|",
                                           dir + "two words\\launched.exe|"};
    EXPECT_TRUE(WaitFor([&] { return Entries() == want; }, 3000));
    EXPECT_EQ(want, Entries());
    EXPECT_EQ("Kindlet - Untitled *", TextOf(window));
}

TEST_F(KindletE2E, AListItCannotReadOrWriteIsNamedInAMessage) {
    const std::string missing = dir + "no such list.txt";
    StartKindlet(missing);
    std::string text;
    ASSERT_TRUE(kindlet.WaitForMessageBox(text));
    EXPECT_EQ("Cannot read the launch list:\r" + missing, text);
    ASSERT_TRUE(kindlet.DismissMessageBox());
    EXPECT_EQ("Kindlet - Untitled", TextOf(window));

    // Another program holds the list open and shares it with nobody.
    const std::string locked = dir + "locked.txt";
    WriteWholeFile(locked, dir + "one\\launched.exe\r\n");
    StartKindlet(locked);
    ASSERT_TRUE(WaitFor([&] { return Entries().size() == 1; }, 2000));
    HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Click(Control(window, "Edit"));
    PressKey('7');
    Click(Button("&Save"));
    ASSERT_TRUE(kindlet.WaitForMessageBox(text));
    EXPECT_EQ("Cannot write the launch list:\r" + locked, text);
    ASSERT_TRUE(kindlet.DismissMessageBox());
    EXPECT_EQ("Kindlet - locked.txt *", TextOf(window)) << "still unsaved";
    CloseHandle(held);
}

// The launch button hands the saved list to paravue.exe, and the group opens on
// the other screen: the watched window of another program is already hidden
// when each file starts.
TEST_F(KindletE2E, TheLaunchButtonOpensTheGroupOnTheOtherScreen) {
    SetEnvironmentVariableA("PARAVUE_E2E_WATCH", "E2E kindlet watched");
    OtherProgram other({{"w", "v", "", "E2E kindlet watched"}});
    ASSERT_TRUE(other.started());
    ASSERT_TRUE(strip.Start());
    ASSERT_TRUE(strip.WaitForStrip());
    const std::string list = dir + "group.txt";
    WriteWholeFile(list,
                   dir + "one\\launched.exe\r\n\"" + dir + "two words\\launched.exe\" -p\r\n");
    StartKindlet(list);
    ASSERT_TRUE(WaitFor([&] { return Entries().size() == 2; }, 2000));
    Click(Button("&Launch group"));

    auto launches = [&](const char* sub) { return ReadWholeFile(dir + sub + "\\launched.log"); };
    bool opened =
        WaitFor([&] { return !launches("one").empty() && !launches("two words").empty(); }, 10000);
    SetEnvironmentVariableA("PARAVUE_E2E_WATCH", nullptr);
    // The files open after a switch, whether the running strip carries the list
    // out or (until it takes lists over) a second strip does.
    ASSERT_TRUE(opened);
    EXPECT_EQ("args=|cwd=" + dir + "one|watched=hidden\n", launches("one"));
    EXPECT_EQ("args=-p|cwd=" + dir + "two words|watched=hidden\n", launches("two words"));
}

} // namespace
