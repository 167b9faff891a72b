// Services that reach the file system, the command line and message boxes.
#include "ui/Services_win.h"
#include "ui/StringList_win.h"
#include "support/OtherProgram.h"
#include <windows.h>
#include <gtest/gtest.h>

namespace {
struct Loaded {
    bool ok;
    std::vector<std::string> lines;
};

Loaded Load(const std::string& path) {
    StringList* list = CreateStringList();
    StringListSetText(list, "stale\nlines", 11);
    Loaded r{StringListLoadFromFile(list, path.c_str()), {}};
    for (int i = 0; i < list->count; ++i)
        r.lines.push_back(StringListGet(list, i));
    FreeObject(list);
    return r;
}
using V = std::vector<std::string>;
} // namespace

TEST(LoadFromFile, ReadsTextFilesWhateverTheirLineEnds) {
    std::string dir = MakeTempDir("lists");
    WriteWholeFile(dir + "crlf.txt", "one\r\ntwo\r\n");
    WriteWholeFile(dir + "lf.txt", "one\ntwo\nthree");
    WriteWholeFile(dir + "empty.txt", "");
    WriteWholeFile(dir + "binary.bin", std::string("MZ\x90\x01\n\xff\xfe\r\n\0tail", 14));

    Loaded crlf = Load(dir + "crlf.txt");
    EXPECT_TRUE(crlf.ok);
    EXPECT_EQ(crlf.lines, (V{"one", "two"}));
    EXPECT_EQ(Load(dir + "lf.txt").lines, (V{"one", "two", "three"}));

    Loaded empty = Load(dir + "empty.txt");
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.lines, V{});

    Loaded binary = Load(dir + "binary.bin");
    EXPECT_TRUE(binary.ok);
    EXPECT_EQ(binary.lines, (V{"MZ\x90\x01", "\xff\xfe"}));
}

TEST(LoadFromFile, AFileThatCannotBeOpenedGivesFalseAndAnEmptyList) {
    std::string dir = MakeTempDir("lists");
    Loaded missing = Load(dir + "missing.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.lines, V{});

    // Held open by someone who shares nothing: unreadable for us.
    WriteWholeFile(dir + "locked.txt", "secret\n");
    HANDLE lock = CreateFileA((dir + "locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Loaded locked = Load(dir + "locked.txt");
    CloseHandle(lock);
    EXPECT_FALSE(locked.ok);
    EXPECT_EQ(locked.lines, V{});

    EXPECT_FALSE(Load(dir).ok) << "a folder is not a list";
}

TEST(FileSystem, FileExistsOnlyForFiles) {
    std::string dir = MakeTempDir("exists");
    WriteWholeFile(dir + "a file.txt", "x");
    EXPECT_TRUE(FileExists(dir + "a file.txt"));
    EXPECT_FALSE(FileExists(dir + "nothing.txt"));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_FALSE(FileExists(""));
}

TEST(CommandLine, ParametersOfThisProcess) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    EXPECT_EQ(GetParam(0), path);
    int count = GetParamCount();
    EXPECT_EQ(GetParam(count + 1), "");
    EXPECT_EQ(GetParam(count + 100), "");
}

TEST(Formatting, FormatTextUsesTheSystemFormatter) {
    EXPECT_EQ(FormatText("%d|%s|%x|%c", -42, "abc", 255, 'z'), "-42|abc|ff|z");
    std::string big(3000, 'q');
    // The system formatter stops at its 1024-character limit; never past our buffer.
    EXPECT_LE(FormatText("%s", big.c_str()).size(), 2047u);
}

namespace {
struct Box {
    void* owner;
    std::string text, caption;
    bool hasCaption;
    unsigned type;
};
std::vector<Box> boxes;
int RecordBox(void* owner, const char* text, const char* caption, unsigned type) {
    boxes.push_back({owner, text, caption ? caption : "", caption != nullptr, type});
    return IDOK;
}
} // namespace

TEST(Messages, ShowMessageUsesTheOwnersCaptionWhenThereIsOne) {
    boxes.clear();
    MessageBoxFn old = SetMessageBoxFunction(RecordBox);
    SetMessageOwner(nullptr);
    ShowMessage("Cannot find file:\rC:\\x.txt");

    HWND owner = CreateWindowExA(0, "STATIC", "tallowin", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    SetMessageOwner(owner);
    ShowMessage("second");
    SetMessageOwner(nullptr);
    DestroyWindow(owner);
    SetMessageBoxFunction(old);

    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_FALSE(boxes[0].hasCaption);
    EXPECT_EQ(boxes[0].text, "Cannot find file:\rC:\\x.txt");
    // In front of everything, the windows a launch list just opened included.
    EXPECT_EQ(boxes[0].type, static_cast<unsigned>(MB_SETFOREGROUND | MB_TOPMOST));
    EXPECT_EQ(boxes[1].owner, owner);
    EXPECT_EQ(boxes[1].caption, "tallowin");
}

namespace {
DWORD WINAPI AnswerTallowinBox(void*) {
    for (int i = 0; i < 500; ++i, Sleep(10))
        if (HWND box = FindWindowA("#32770", "tallowin")) {
            Sleep(100);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
    return 1;
}
} // namespace

// The box's owner is the application's window, never on view; when the box goes,
// the input must not stay with it, where nothing the user types can be seen.
TEST(Messages, TheInputGoesBackToTheWindowThatHadItWhenTheBoxCloses) {
    HWND owner = CreateWindowExA(0, "STATIC", "tallowin", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND front = CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(front);
    ASSERT_EQ(GetForegroundWindow(), front);
    SetMessageOwner(owner);
    // The box is answered from another thread, as the user would: OK.
    HANDLE answer = CreateThread(nullptr, 0, AnswerTallowinBox, nullptr, 0, nullptr);
    ShowMessage("Error executing file:\rC:\\x.exe");
    WaitForSingleObject(answer, 5000);
    CloseHandle(answer);
    MSG m;
    for (int i = 0; i < 20 && GetForegroundWindow() != front; ++i, Sleep(10))
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
    EXPECT_EQ(GetForegroundWindow(), front);
    SetMessageOwner(nullptr);
    DestroyWindow(front);
    DestroyWindow(owner);
}

TEST(Screen, SizeOfTheTestDesktop) {
    EXPECT_EQ(ScreenWidth(), 1024);
    EXPECT_EQ(ScreenHeight(), 768);
    InitCommonControlsFor(0xFF);
    HWND tip = CreateWindowExA(0, "tooltips_class32", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, nullptr, nullptr);
    EXPECT_NE(tip, nullptr) << "common controls are registered";
    DestroyWindow(tip);
}
