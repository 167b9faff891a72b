// kindlet.exe, the companion program, as a user meets it: opened from the strip's
// window menu, a list made with its own buttons and the standard file dialog,
// saved, opened again, and handed to paravue.exe by its launch button.
#include "e2e/E2EFixture.h"
#include "errors/Wide_win.h"
#include "settings/Transparency.h"
#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>

namespace {
using namespace e2e;

HWND Control(HWND parent, const char* cls, const char* text = nullptr) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (ClassOf(c) == cls && (!text || TextOf(c) == text)) return c;
    return nullptr;
}

// Paths as Windows compares them: the file dialog gives a typed path back with
// the drive letter as typed or as the folder spells it.
std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// While it lives, every WriteFile of a program fails as on a full disk: the
// program's import of it is pointed at a stub in its own memory that sets
// ERROR_DISK_FULL and returns FALSE. The import is found as the loader found it,
// through the image's import table.
class WritesRefused {
  public:
    explicit WritesRefused(DWORD pid)
        : process_(
              OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)) {
        HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
        MODULEENTRY32W module{};
        module.dwSize = sizeof module;
        const bool found = Module32FirstW(snap, &module); // the program's own image comes first
        CloseHandle(snap);
        if (!process_ || !found) return;
        auto* base = module.modBaseAddr;
        auto read = [&](DWORD rva, void* to, size_t size) {
            return ReadProcessMemory(process_, base + rva, to, size, nullptr) != 0;
        };
        IMAGE_DOS_HEADER dos{};
        IMAGE_NT_HEADERS32 nt{};
        if (!read(0, &dos, sizeof dos) || !read(dos.e_lfanew, &nt, sizeof nt)) return;
        const DWORD imports =
            nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        IMAGE_IMPORT_DESCRIPTOR d{};
        for (DWORD at = imports; !slot_ && read(at, &d, sizeof d) && d.Name; at += sizeof d) {
            IMAGE_THUNK_DATA32 name{};
            for (DWORD i = 0; read(d.OriginalFirstThunk + 4 * i, &name, 4) && name.u1.AddressOfData;
                 ++i) {
                char text[16] = "";
                if (!(name.u1.Ordinal & IMAGE_ORDINAL_FLAG32) &&
                    read(name.u1.AddressOfData + 2, text, sizeof text - 1) &&
                    std::string(text) == "WriteFile") {
                    slot_ = base + d.FirstThunk + 4 * i;
                    break;
                }
            }
        }
        // mov dword ptr fs:[0x34], ERROR_DISK_FULL (the thread's last error); xor eax, eax; ret 20
        static const unsigned char stub[] = {
            0x64, 0xC7, 0x05, 0x34, 0, 0, 0, ERROR_DISK_FULL, 0, 0, 0, 0x31, 0xC0, 0xC2, 0x14, 0};
        void* code = VirtualAllocEx(process_, nullptr, sizeof stub, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_EXECUTE_READWRITE);
        if (!slot_ || !code || !WriteProcessMemory(process_, code, stub, sizeof stub, nullptr) ||
            !ReadProcessMemory(process_, slot_, &real_, 4, nullptr) || !Point(code))
            slot_ = nullptr;
    }
    ~WritesRefused() {
        if (slot_) Point(real_);
        if (process_) CloseHandle(process_);
    }
    bool active() const { return slot_ != nullptr; }

  private:
    bool Point(void* to) {
        DWORD old = 0;
        VirtualProtectEx(process_, slot_, 4, PAGE_READWRITE, &old);
        return WriteProcessMemory(process_, slot_, &to, 4, nullptr) != 0;
    }
    HANDLE process_;
    unsigned char* slot_ = nullptr;
    void* real_ = nullptr;
};

// The names of the files in a folder.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(WideText(folder + "*"), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(NarrowText(found.cFileName));
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    return names;
}

class KindletE2E : public ParavueE2E {
  protected:
    void SetUp() override {
        ParavueE2E::SetUp();
        dir = FoldersOfLaunched("kindlet");
        ASSERT_FALSE(dir.empty());
    }
    void TearDown() override {
        EndKindlets();
        // Every strip quits as its "X" has it quit, showing what it hid.
        for (HWND w : TopWindowsOf(0, "", false))
            if (TextOf(w) == "tallowin") PostMessageA(w, WM_CLOSE, 0, 0);
        WaitFor([] { return TopWindowsOf(0, "obj_Form").empty(); }, 5000);
        ParavueE2E::TearDown();
    }

    // Starts kindlet.exe with a list (or none) and waits until it is in front.
    void StartKindlet(const std::string& list = "") {
        kindlet.Kill();
        ASSERT_TRUE(kindlet.Start(list.empty() ? "" : "\"" + list + "\"", "", "kindlet.exe"));
        ASSERT_TRUE(WaitFor([&] { return !TopWindowsOf(kindlet.pid(), "Kindlet").empty(); }, 8000));
        window = TopWindowsOf(kindlet.pid(), "Kindlet")[0];
        list_ = Control(window, "SysListView32");
        // A click on a window that is not yet in front may be lost.
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

    // Files dropped from the shell arrive as WM_DROPFILES with a block of paths
    // (DROPFILES, then the paths) in the program's own memory; it is put there
    // as a drop does.
    void Drop(const std::string& block) {
        HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, kindlet.pid());
        void* remote = VirtualAllocEx(p, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
        ASSERT_NE(nullptr, remote);
        WriteProcessMemory(p, remote, block.data(), block.size(), nullptr);
        CloseHandle(p);
        PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    }

    // The list's lines, "file|parameters" each (with columns 3: "file|parameters|
    // mark"). The view's messages carry pointers, so their buffers are made in
    // kindlet's own memory.
    std::string Entries(int columns = 2) {
        std::string lines;
        HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               kindlet.pid());
        char* remote = static_cast<char*>(
            VirtualAllocEx(p, nullptr, sizeof(LVITEMW) + 2 * MAX_PATH, MEM_COMMIT, PAGE_READWRITE));
        int count = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; remote && i < count * columns; ++i) {
            LVITEMW it{};
            it.iSubItem = i % columns;
            it.pszText = reinterpret_cast<wchar_t*>(remote + sizeof it);
            it.cchTextMax = MAX_PATH;
            wchar_t text[MAX_PATH + 1] = L"";
            WriteProcessMemory(p, remote, &it, sizeof it, nullptr);
            SendMessageW(list_, LVM_GETITEMTEXTW, i / columns, reinterpret_cast<LPARAM>(remote));
            ReadProcessMemory(p, it.pszText, text, 2 * MAX_PATH, nullptr);
            lines += NarrowText(text) + std::string(i % columns == columns - 1 ? "\n" : "|");
        }
        if (remote) VirtualFreeEx(p, remote, 0, MEM_RELEASE);
        if (p) CloseHandle(p);
        return lines;
    }

    // A button that opens the standard file dialog; the path is typed into its
    // file name box, which has the focus, and Enter confirms.
    void ChooseInFileDialog(const char* button, const std::string& path) {
        Click(Button(button));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                auto boxes = TopWindowsOf(kindlet.pid(), "#32770");
                dialog = boxes.empty() ? nullptr : boxes[0];
                return dialog && GetForegroundWindow() == dialog;
            },
            20000))
            << button << " opens no dialog";
        // The name goes into the dialog's own file-name box: typed keys that come
        // right after the input moved to the dialog are now and then lost or
        // lose their Shift under Wine. The dialog's own Open button then takes it.
        HWND name = nullptr;
        for (HWND child : ChildrenOf(dialog))
            if (!name && ClassOf(child) == "Edit" && IsWindowVisible(child)) name = child;
        ASSERT_NE(nullptr, name) << "the dialog has a file-name box";
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideText(path).data()));
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000)) << "the dialog stays";
        // Kindlet carries out the choice once its own window has the input again.
        LetFocusSettle();
    }

    // The control of Kindlet that has the keyboard input.
    HWND Focus() {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndFocus;
    }
    // Clicks a row of the list (0 the first), on its file.
    void ClickRow(int row) {
        RECT r{LVIR_LABEL, 0, 0, 0};
        HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               kindlet.pid());
        void* remote = VirtualAllocEx(p, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
        WriteProcessMemory(p, remote, &r, sizeof r, nullptr);
        SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(p, remote, &r, sizeof r, nullptr);
        VirtualFreeEx(p, remote, 0, MEM_RELEASE);
        CloseHandle(p);
        POINT at{r.left + 10, (r.top + r.bottom) / 2};
        ClientToScreen(list_, &at);
        MouseClick(at.x, at.y);
    }

    Paravue kindlet;
    HWND window = nullptr, list_ = nullptr;
    std::string dir;
};

TEST_F(KindletE2E, TheWindowMenuItemOpensKindlet) {
    StartAndWait();
    // The launch item.
    ChooseNearLaunchItem(0);
    EXPECT_TRUE(WaitFor([] { return !TopWindowsOf(0, "Kindlet").empty(); }, 8000))
        << "kindlet.exe did not open";
    std::string text;
    EXPECT_FALSE(app.WaitForMessageBox(text, 500)) << text;
}

TEST_F(KindletE2E, AListMadeWithItsButtonsIsSavedAndOpensAgainTheSame) {
    StartKindlet();
    EXPECT_EQ("Kindlet - Untitled", TextOf(window));
    for (const char* file : {"one", "two words", "three"})
        ChooseInFileDialog("A&dd files...", dir + file + "\\launched.exe");
    // The one added last is selected: up one place, then parameters for it.
    Click(Button("Move &up"));
    Click(Control(window, "Edit"));
    for (WORD vk : {WORD(VK_OEM_MINUS), WORD('X'), WORD(VK_SPACE), WORD('5')})
        PressKey(vk);
    EXPECT_EQ("Kindlet - Untitled *", TextOf(window));
    const std::string made = Entries();
    EXPECT_EQ(Lower(dir + "one\\launched.exe|\n" + dir + "three\\launched.exe|-x 5\n" + dir +
                    "two words\\launched.exe|\n"),
              Lower(made));

    const std::string list = dir + "my list.txt";
    DeleteFileA(list.c_str());
    ChooseInFileDialog("Save &as...", list);
    EXPECT_TRUE(WaitFor([&] { return TextOf(window) == "Kindlet - my list.txt"; }, 3000))
        << TextOf(window);
    // Quotes exactly where a path has a blank or parameters follow.
    EXPECT_EQ(Lower(dir + "one\\launched.exe\r\n\"" + dir + "three\\launched.exe\" -x 5\r\n\"" +
                    dir + "two words\\launched.exe\"\r\n"),
              Lower(ReadWholeFile(list)));

    // Saved: it closes without a question and opens again with the same entries.
    LetFocusSettle();
    PressChord(VK_MENU, VK_F4);
    DWORD code = 1;
    ASSERT_TRUE(kindlet.WaitForExit(5000, code));
    StartKindlet(list);
    EXPECT_EQ("Kindlet - my list.txt", TextOf(window));
    EXPECT_EQ(made, Entries());

    // A change is not lost without a question: Escape keeps the window, "No" drops it.
    Click(Button("&Remove")); // the entry added last, selected on opening
    ASSERT_TRUE(WaitFor([&] { return Entries() != made; }, 2000));
    LetFocusSettle();
    PressChord(VK_MENU, VK_F4);
    std::string text;
    ASSERT_TRUE(kindlet.WaitForMessageBox(text));
    EXPECT_EQ("Save the changes to my list.txt?", text);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(kindlet.WaitForExit(500, code));
    LetFocusSettle();
    PressChord(VK_MENU, VK_F4);
    ASSERT_TRUE(kindlet.WaitForMessageBox(text));
    PressKey('N');
    ASSERT_TRUE(kindlet.WaitForExit(5000, code));
    StartKindlet(list);
    EXPECT_EQ(made, Entries()) << "the removal was not saved";
}

// Dropped files are added; folders are left out: a list opens files.
TEST_F(KindletE2E, FilesDroppedOnItAreAdded) {
    StartKindlet();
    DROPFILES head{};
    head.pFiles = sizeof head;
    std::string block(reinterpret_cast<const char*>(&head), sizeof head);
    for (const char* path : {"one\\launched.exe", "two words", "two words\\launched.exe"})
        block += dir + path + '\0';
    block += '\0';
    Drop(block);
    const std::string want = dir + "one\\launched.exe|\n" + dir + "two words\\launched.exe|\n";
    EXPECT_TRUE(WaitFor([&] { return Entries() == want; }, 3000)) << Entries();
    EXPECT_EQ("Kindlet - Untitled *", TextOf(window));
}

// Names outside the code page are dropped, shown and saved as written: such a
// list is saved as UTF-8 with a byte-order mark, one that fits the code page in
// it, so that older versions read it.
TEST_F(KindletE2E, NamesInAnyScriptAreDroppedShownAndSavedInAFormThatKeepsThem) {
    ASSERT_EQ(1252u, GetACP()) << "the Western code page";
    const std::string cyrillic = dir + "Отчёт за март.txt", western = dir + "Café menü.txt";
    for (const std::string& f : {cyrillic, western})
        WriteWholeFile(f, "x");
    StartKindlet();
    DROPFILES head{};
    head.pFiles = sizeof head;
    head.fWide = TRUE;
    std::string block(reinterpret_cast<const char*>(&head), sizeof head);
    for (const std::string& f : {western, cyrillic}) {
        WideText path(f);
        block.append(reinterpret_cast<const char*>(path.data()), (path.size() + 1) * 2);
    }
    block.append(2, '\0');
    Drop(block);
    const std::string both = western + "|\n" + cyrillic + "|\n";
    ASSERT_TRUE(WaitFor([&] { return Entries() == both; }, 3000)) << Entries();

    const std::string list = dir + "список.txt";
    DeleteFileW(WideText(list));
    ChooseInFileDialog("Save &as...", list);
    EXPECT_TRUE(WaitFor([&] { return TextOf(window) == "Kindlet - список.txt"; }, 3000))
        << TextOf(window);
    EXPECT_EQ("\xEF\xBB\xBF\"" + western + "\"\r\n\"" + cyrillic + "\"\r\n", ReadWholeFile(list));

    // Without the Cyrillic name every character fits the code page.
    Click(Button("&Remove")); // the entry added last, selected
    Click(Button("&Save"));
    EXPECT_TRUE(WaitFor([&] { return TextOf(window) == "Kindlet - список.txt"; }, 3000));
    EXPECT_EQ("\"" + dir + "Caf\xE9 men\xFC.txt\"\r\n", ReadWholeFile(list));
    StartKindlet(list);
    EXPECT_EQ(western + "|\n", Entries()) << "read back in the code page";
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
    ASSERT_TRUE(WaitFor([&] { return !Entries().empty(); }, 2000));
    HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Click(Control(window, "Edit"));
    PressKey('7');
    Click(Button("&Save"));
    ASSERT_TRUE(kindlet.WaitForMessageBox(text));
    EXPECT_EQ("Cannot write the launch list:\r" + locked, text);
    ASSERT_TRUE(kindlet.DismissMessageBox());
    EXPECT_EQ("Kindlet - locked.txt *", TextOf(window)) << "still unsaved";
    CloseHandle(held);
}

// A save that fails on the way (the disk full) leaves the list as it was, byte for
// byte, and nothing beside it; the user is told and the changes stay unsaved.
// The next save replaces the list whole, and it stays the file it was: hidden,
// as its owner made it.
TEST_F(KindletE2E, ASaveThatFailsLeavesTheListWholeAndTheNextReplacesItWhole) {
    const std::string folder = MakeTempDir("kindletsave");
    const std::string list = folder + "saved list.txt";
    const std::string bytes = "; kept as it is\r\n" + dir + "one\\launched.exe\r\n";
    WriteWholeFile(list, bytes);
    ASSERT_TRUE(SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_HIDDEN));
    StartKindlet(list);
    ASSERT_TRUE(WaitFor([&] { return !Entries().empty(); }, 2000));
    Click(Control(window, "Edit"));
    PressKey('7');
    ASSERT_TRUE(WaitFor([&] { return TextOf(window) == "Kindlet - saved list.txt *"; }, 3000));
    {
        WritesRefused full(kindlet.pid());
        ASSERT_TRUE(full.active());
        Click(Button("&Save"));
        std::string text;
        ASSERT_TRUE(kindlet.WaitForMessageBox(text));
        EXPECT_EQ("Cannot write the launch list:\r" + list, text);
        ASSERT_TRUE(kindlet.DismissMessageBox());
    }
    EXPECT_EQ(bytes, ReadWholeFile(list)) << "the old list, byte for byte";
    EXPECT_EQ(std::vector<std::string>{"saved list.txt"}, FilesIn(folder));
    EXPECT_EQ("Kindlet - saved list.txt *", TextOf(window)) << "still unsaved";

    Click(Button("&Save"));
    ASSERT_TRUE(WaitFor([&] { return TextOf(window) == "Kindlet - saved list.txt"; }, 3000))
        << TextOf(window);
    EXPECT_EQ("; kept as it is\r\n\"" + dir + "one\\launched.exe\" 7\r\n", ReadWholeFile(list));
    EXPECT_EQ(std::vector<std::string>{"saved list.txt"}, FilesIn(folder));
    EXPECT_NE(0u, GetFileAttributesA(list.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "still hidden";
    SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The launch button hands the saved list to paravue.exe and the group opens on
// the other screen: the watched window of another program is already hidden
// when each file starts. The running strip carries the list out: no second strip.
TEST_F(KindletE2E, TheLaunchButtonOpensTheGroupOnTheOtherScreen) {
    SetEnvironmentVariableA("PARAVUE_E2E_WATCH", "E2E kindlet watched");
    OtherProgram other({{"w", "v", "", "E2E kindlet watched"}});
    StartBeside(other);
    const std::string list = dir + "group.txt";
    WriteWholeFile(list,
                   dir + "one\\launched.exe\r\n\"" + dir + "two words\\launched.exe\" -p\r\n");
    StartKindlet(list);
    ASSERT_TRUE(WaitFor([&] { return !Entries().empty(); }, 2000));
    Click(Button("&Launch group"));

    auto launches = [&](const char* sub) { return ReadWholeFile(dir + sub + "\\launched.log"); };
    bool opened =
        WaitFor([&] { return !launches("one").empty() && !launches("two words").empty(); }, 10000);
    SetEnvironmentVariableA("PARAVUE_E2E_WATCH", nullptr);
    ASSERT_TRUE(opened);
    EXPECT_EQ("args=|cwd=" + dir + "one|watched=hidden\n", launches("one"));
    EXPECT_EQ("args=-p|cwd=" + dir + "two words|watched=hidden\n", launches("two words"));
    EXPECT_EQ("2", TextOf(app.NumberLabel()));
    EXPECT_EQ(1u, StripCount());
    EXPECT_EQ(std::vector<std::string>{"w hide"}, other.ShowHideLog());
}

// A list with comments, blank lines, blanks around lines, a missing path with a
// blank, line feeds alone and no break at its end: entries moved down and back up
// and saved, it is the same file, byte for byte.
TEST_F(KindletE2E, ACommentedListOpenedAndSavedIsTheSameFileByteForByte) {
    const std::string list = dir + "commented.txt";
    const std::string bytes = "; my morning\r\n" + dir + "one\\launched.exe\r\n\r\n" +
                              "   ; with parameters\n  \"" + dir +
                              "two words\\launched.exe\"   -a  \r\n" + dir + "no such file.txt";
    WriteWholeFile(list, bytes);
    StartKindlet(list);
    ASSERT_TRUE(WaitFor([&] { return !Entries().empty(); }, 2000));
    // Read as paravue.exe reads it; the missing file is one file, marked.
    EXPECT_EQ(dir + "one\\launched.exe||\n" + dir + "two words\\launched.exe|-a|\n" + dir +
                  "no such file.txt||Missing\n",
              Entries(3));
    Click(Button("Move do&wn")); // the first entry, selected on opening
    Click(Button("Move &up"));
    EXPECT_EQ("Kindlet - commented.txt *", TextOf(window));
    LetFocusSettle();
    PressChord(VK_CONTROL, 'S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(window) == "Kindlet - commented.txt"; }, 3000))
        << TextOf(window);
    EXPECT_EQ(bytes, ReadWholeFile(list));
}

TEST_F(KindletE2E, AFileThatIsNotTextIsRefusedAndLeftAsItIs) {
    const std::string binary = dir + "picture.png";
    const std::string bytes = std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + dir +
                              "one\\launched.exe\r\n" + std::string("\0\x10\xFF", 3);
    WriteWholeFile(binary, bytes);
    StartKindlet(binary);
    std::string text;
    ASSERT_TRUE(kindlet.WaitForMessageBox(text));
    EXPECT_EQ("This is not a launch list (not a text file); it was left as it is:\r" + binary,
              text);
    ASSERT_TRUE(kindlet.DismissMessageBox());
    EXPECT_EQ("Kindlet - Untitled", TextOf(window));
    EXPECT_EQ("", Entries());
    // Saving asks where: the refused file is not the list's.
    LetFocusSettle();
    PressChord(VK_CONTROL, 'S');
    ASSERT_TRUE(WaitFor([&] { return !TopWindowsOf(kindlet.pid(), "#32770").empty(); }, 5000));
    PressKey(VK_ESCAPE);
    EXPECT_EQ(bytes, ReadWholeFile(binary));
}

// Delete removes the chosen entry, F2 edits a path in place, Ctrl+S saves, F1
// opens the help; Move up keeps the input on the list and the underlined "P"
// reaches the parameter box.
TEST_F(KindletE2E, DeleteF2AndCtrlSWorkFromTheKeyboard) {
    const std::string list = dir + "keys.txt";
    WriteWholeFile(list, "; keys\r\n" + dir + "one\\launched.exe\r\n" + dir +
                             "three\\launched.exe\r\n" + dir + "gone.exe\r\n");
    StartKindlet(list);
    ASSERT_TRUE(WaitFor([&] { return !Entries().empty(); }, 2000));
    ClickRow(1);
    LetFocusSettle();
    PressKey(VK_DELETE);
    ASSERT_TRUE(WaitFor(
        [&] { return Entries() == dir + "one\\launched.exe|\n" + dir + "gone.exe|\n"; }, 3000))
        << Entries();

    // The entry after the removed one is chosen: F2, the path typed anew, Enter.
    PressKey(VK_F2);
    HWND edit = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (edit = FindChild(list_, "Edit")) != nullptr; }, 3000))
        << "F2 opens no edit";
    const std::string fixed = dir + "two words\\launched.exe";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fixed.c_str()));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return Entries(3).find(fixed + "||\n") != std::string::npos; }, 3000))
        << Entries(3);

    // Move up to the top: the input stays on the list, where Tab can move it on.
    PressChord(VK_MENU, 'U');
    ASSERT_TRUE(
        WaitFor([&] { return Entries() == fixed + "|\n" + dir + "one\\launched.exe|\n"; }, 3000));
    EXPECT_EQ(list_, Focus());
    PressChord(VK_MENU, 'P');
    ASSERT_TRUE(WaitFor([&] { return Focus() == Control(window, "Edit"); }, 3000));
    for (WORD vk : {WORD(VK_OEM_MINUS), WORD('Q')})
        PressKey(vk);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return Focus() == list_; }, 3000)) << "Enter goes back to the list";

    PressChord(VK_CONTROL, 'S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(window) == "Kindlet - keys.txt"; }, 3000))
        << TextOf(window);
    EXPECT_EQ("; keys\r\n\"" + fixed + "\" -q\r\n" + dir + "one\\launched.exe\r\n",
              ReadWholeFile(list));
    // A double click edits a path too; Escape leaves it as it was.
    ClickRow(1);
    ClickRow(1);
    ASSERT_TRUE(WaitFor([&] { return (edit = FindChild(list_, "Edit")) != nullptr; }, 3000))
        << "a double click opens no edit";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return FindChild(list_, "Edit") == nullptr; }, 3000));
    EXPECT_EQ("Kindlet - keys.txt", TextOf(window));

    // F1: the help page, in whatever opens web pages.
    const std::string viewerDir = MakeTempDir("kindlethelp");
    ASSERT_TRUE(CopyFileA((TestBinDir() + "launched.exe").c_str(),
                          (viewerDir + "launched.exe").c_str(), FALSE));
    HtmlOpensWith viewer(viewerDir + "launched.exe");
    PressKey(VK_F1);
    EXPECT_TRUE(WaitFor([&] { return !ReadWholeFile(viewerDir + "launched.log").empty(); }, 8000));
    EXPECT_NE(std::string::npos,
              ReadWholeFile(viewerDir + "launched.log").find("paravue help.html\""));
}

// "Launch group" says why it does not go yet: nothing to launch, entries that are
// missing, a list not saved yet, paravue.exe not beside Kindlet.
TEST_F(KindletE2E, LaunchGroupSaysWhyItCannotGoYet) {
    auto answer = [&](Paravue& program, const std::string& want, WORD key) {
        std::string text;
        ASSERT_TRUE(program.WaitForMessageBox(text));
        EXPECT_EQ(want, text);
        PressKey(key);
        ASSERT_TRUE(WaitFor([&] { return TopWindowsOf(program.pid(), "#32770").empty(); }, 3000));
    };
    StartKindlet();
    Click(Button("&Launch group"));
    answer(kindlet, "There is nothing to launch: the list has no entries.", VK_RETURN);

    const std::string list = dir + "half.txt";
    WriteWholeFile(list, dir + "one\\launched.exe\r\n" + dir + "gone.exe\r\n");
    StartKindlet(list);
    Click(Button("&Launch group"));
    answer(kindlet,
           "1 of the 2 entries cannot be found (marked \"Missing\"); paravue.exe will report "
           "them.\rLaunch the group anyway?",
           'N');

    LetFocusSettle();
    PressChord(VK_CONTROL, 'N');
    ASSERT_TRUE(WaitFor([&] { return Entries().empty(); }, 3000));
    DROPFILES head{};
    head.pFiles = sizeof head;
    Drop(std::string(reinterpret_cast<const char*>(&head), sizeof head) + dir +
         "one\\launched.exe" + std::string(2, '\0'));
    ASSERT_TRUE(WaitFor([&] { return !Entries().empty(); }, 3000));
    Click(Button("&Launch group"));
    answer(kindlet, "paravue.exe opens a saved list: the list is saved first.", VK_ESCAPE);
    EXPECT_EQ("Kindlet - Untitled *", TextOf(window));

    // A copy of Kindlet in a folder of its own.
    const std::string alone = "alone " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA((TestBinDir() + alone).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((TestBinDir() + "kindlet.exe").c_str(),
                          (TestBinDir() + alone + "\\kindlet.exe").c_str(), FALSE));
    WriteWholeFile(list, dir + "one\\launched.exe\r\n");
    Paravue lone;
    ASSERT_TRUE(lone.Start("\"" + list + "\"", "", alone + "\\kindlet.exe"));
    ASSERT_TRUE(WaitFor([&] { return !TopWindowsOf(lone.pid(), "Kindlet").empty(); }, 8000));
    WaitForInputIdle(lone.process(), 5000);
    HWND loneWindow = TopWindowsOf(lone.pid(), "Kindlet")[0];
    LetFocusSettle();
    Click(Control(loneWindow, "Button", "&Launch group"));
    answer(lone,
           "Cannot launch the group: paravue.exe must be in Kindlet's folder. Kindlet looked for "
           "it here:\r" +
               TestBinDir() + alone + "\\paravue.exe",
           VK_RETURN);
    lone.Kill();
    DeleteFileA((TestBinDir() + alone + "\\kindlet.exe").c_str());
    RemoveDirectoryA((TestBinDir() + alone).c_str());
}

// "Open this list when Windows starts": the list is saved first and the Run value
// opens it with the paravue.exe beside Kindlet. The strip's "Start with Windows"
// is checked for that value and removes it. Started as Windows starts it at
// sign-in, from a folder of its own, the value opens the list on screen 2.
TEST_F(KindletE2E, OpenThisListWhenWindowsStartsIsTheRunValueTheStripShowsToo) {
    struct RunValueCleared {
        RunValueCleared() { SetRunValue(""); }
        ~RunValueCleared() { SetRunValue(""); }
    } cleared;
    const char* const kSignIn = "Open this list when Windows s&tarts";
    auto checked = [&] { return SendMessageA(Button(kSignIn), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    auto dropped = [&](const char* file) {
        DROPFILES head{};
        head.pFiles = sizeof head;
        Drop(std::string(reinterpret_cast<const char*>(&head), sizeof head) + dir + file +
             std::string(2, '\0'));
    };
    StartAndWait();
    StartKindlet();
    ASSERT_NE(nullptr, Button(kSignIn));
    EXPECT_FALSE(checked());
    dropped("one\\launched.exe");
    ASSERT_TRUE(WaitFor([&] { return !Entries().empty(); }, 3000));

    // Never saved: it asks where first, as Save does.
    const std::string list = dir + "sign in.txt";
    ChooseInFileDialog(kSignIn, list);
    const std::string opening = Lower("\"" + TestBinDir() + "paravue.exe\" \"" + list + "\"");
    EXPECT_TRUE(WaitFor([&] { return Lower(RunValue()) == opening; }, 3000)) << RunValue();
    EXPECT_EQ(Lower(dir + "one\\launched.exe\r\n"), Lower(ReadWholeFile(list)));
    EXPECT_EQ("Kindlet - sign in.txt", TextOf(window));
    EXPECT_TRUE(checked());

    // Checked at the strip: choosing it there removes the value, and Kindlet shows
    // that once it has the input again.
    LetFocusSettle();
    ChooseNearLaunchItem(-1);
    EXPECT_TRUE(WaitFor([&] { return RunValue() == "<none>"; }, 3000)) << RunValue();
    ClickRow(0);
    EXPECT_TRUE(WaitFor([&] { return !checked(); }, 3000)) << "Kindlet still shows it on";

    // A change is saved before the value is written again; off removes it.
    dropped("two words\\launched.exe");
    ASSERT_TRUE(WaitFor([&] { return TextOf(window) == "Kindlet - sign in.txt *"; }, 3000));
    Click(Button(kSignIn));
    EXPECT_TRUE(WaitFor([&] { return Lower(RunValue()) == opening; }, 3000)) << RunValue();
    EXPECT_EQ("Kindlet - sign in.txt", TextOf(window));
    EXPECT_EQ(Lower(dir + "one\\launched.exe\r\n\"" + dir + "two words\\launched.exe\"\r\n"),
              Lower(ReadWholeFile(list)));
    EXPECT_TRUE(checked());
    Click(Button(kSignIn));
    EXPECT_TRUE(WaitFor([&] { return RunValue() == "<none>"; }, 3000)) << RunValue();
    EXPECT_FALSE(checked());

    Click(Button(kSignIn));
    ASSERT_TRUE(WaitFor([&] { return Lower(RunValue()) == opening; }, 3000)) << RunValue();
    kindlet.Kill();
    EXPECT_EQ(0u, QuitWithButton());
    // Sign-in: the value run as the command line it is.
    const std::string value = RunValue();
    const size_t quote = value.find("\" ");
    ASSERT_NE(std::string::npos, quote);
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(app.Start(value.substr(quote + 2), system, value.substr(1, quote - 1)));
    ASSERT_TRUE(app.WaitForStrip());
    EXPECT_TRUE(WaitFor(
        [&] {
            return !ReadWholeFile(dir + "one\\launched.log").empty() &&
                   !ReadWholeFile(dir + "two words\\launched.log").empty();
        },
        10000));
    EXPECT_TRUE(WaitFor([&] { return TextOf(app.NumberLabel()) == "2"; }, 3000));
}

} // namespace
