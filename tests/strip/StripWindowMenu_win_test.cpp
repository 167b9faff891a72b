// The strip's window menu with windows of another program: what it lists and in
// which order, and moving single windows to the other screen and back.
#include "screens/MoveCaptions.h"
#include "errors/Wide_win.h"
#include "support/StripFixture.h"
#include "screens/ProgramRules_win.h"
#include "settings/MiniReg.h"
#include "settings/WindowRules.h"
#include <algorithm>

namespace {
struct PlatformItem {
    std::string text;
    bool separator;
    UINT id;
    bool checked;
};

// The menu as the user sees it: the platform menu of the window menu.
std::vector<PlatformItem> ShownMenu() {
    std::vector<PlatformItem> items;
    HMENU menu = WindowMenu->handle;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        // A submenu's state carries its item count in the high byte (eight items
        // read as MF_SEPARATOR).
        const UINT state = GetSubMenu(menu, i) ? 0 : GetMenuState(menu, i, MF_BYPOSITION);
        items.push_back({NarrowText(text), (state & MF_SEPARATOR) != 0, GetMenuItemID(menu, i),
                         (state & MF_CHECKED) != 0});
    }
    return items;
}

std::string ShownCaptionOf(int32_t itemId) {
    wchar_t text[256] = L"";
    if (!GetMenuStringW(WindowMenu->handle, static_cast<UINT>(itemId), text, 256, MF_BYCOMMAND))
        return "<not shown>";
    return NarrowText(text);
}

BOOL CALLBACK CollectWindow(HWND h, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
}

// Top-level windows in the platform's enumeration order.
std::vector<HWND> EnumerationOrder() {
    std::vector<HWND> order;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&order));
    return order;
}

// The names of prog's windows among handles, in the order of handles.
std::vector<std::string> NamesIn(const std::vector<HWND>& handles, const OtherProgram& prog,
                                 const std::vector<std::string>& names) {
    std::vector<std::string> found;
    for (HWND h : handles)
        for (const std::string& n : names)
            if (prog.Window(n) == h) found.push_back(n);
    return found;
}

// Stands in for the shell's desktop window and counts the refresh commands it gets.
int desktopRefreshes = 0;
LRESULT CALLBACK DesktopProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && wp == 0xA065 && lp == 0) ++desktopRefreshes;
    return DefWindowProcA(h, msg, wp, lp);
}
struct FakeDesktop {
    HWND window = nullptr;
    FakeDesktop() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DesktopProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Progman";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "Progman", "Program Manager", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        desktopRefreshes = 0;
    }
    ~FakeDesktop() { DestroyWindow(window); }
};
} // namespace

using StripWindowMenu = StripTest;

TEST_F(StripWindowMenu, ListsVisibleWindowsLastFirstThenRememberedOnesThenLaunchAndTransparent) {
    OtherProgram before({
        {"r1", "v", "", "Remembered one"},
        {"r2", "v", "", "Remembered two"},
        {"own", "", "", "Hidden by its own program"},
    });
    ASSERT_TRUE(before.started());
    ClickSwitch(); // r1 and r2 are remembered for screen 1 now
    ASSERT_EQ(Screens.Current(), 2);

    const std::string title41 = "Forty-one: " + std::string(30, 'x');
    const std::string title40 = "Forty: " + std::string(33, 'y');
    ASSERT_EQ(title41.size(), 41u);
    ASSERT_EQ(title40.size(), 40u);
    OtherProgram now({
        {"v1", "v", "", "Visible one"},
        {"v2", "v", "", "Visible two"},
        {"long41", "v", "", title41},
        {"long40", "v", "", title40},
        {"tool", "vt", "", "A tool window"},
        {"off", "vd", "", "A disabled window"},
    });
    ASSERT_TRUE(now.started());

    TransparencyOn = true;
    ASSERT_TRUE(BuildWindowMenu());
    std::vector<PlatformItem> items = ShownMenu();
    ASSERT_GE(items.size(), 5u);

    // Block by block: visible, separator, remembered, separator, launch, start with
    // Windows, transparency.
    std::vector<size_t> separators;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].separator) separators.push_back(i);
    ASSERT_EQ(separators.size(), 2u);
    ASSERT_EQ(separators[1] + 4, items.size());
    EXPECT_EQ(items[separators[1] + 1].text, "Launch \"Kindlet\" (for launching groups of files)");
    EXPECT_FALSE(items[separators[1] + 1].checked);
    EXPECT_EQ(items[separators[1] + 2].text, "Start with Windows");
    ASSERT_TRUE(LayeredSupported);
    EXPECT_EQ(items.back().text, "Transparent");
    EXPECT_TRUE(items.back().checked);

    std::map<std::string, std::string> titles{
        {"v1", "Visible one"}, {"v2", "Visible two"}, {"long41", title41}, {"long40", title40}};
    const std::vector<std::string> visibleNames{"v1", "v2", "long41", "long40", "tool", "off"};
    std::vector<std::string> expectedFirst =
        NamesIn(EnumerationOrder(), now, {"v1", "v2", "long41", "long40"});
    std::reverse(expectedFirst.begin(), expectedFirst.end());
    std::vector<std::string> first, firstCaptions, expectedCaptions;
    for (size_t i = 0; i < separators[0]; ++i)
        for (const std::string& n : visibleNames)
            if (items[i].id == static_cast<UINT>(ItemOf(now.Window(n)))) {
                first.push_back(n);
                firstCaptions.push_back(items[i].text);
            }
    EXPECT_EQ(first, expectedFirst) << "the window enumerated last stands first";
    for (const std::string& n : expectedFirst)
        expectedCaptions.push_back("Move 2: " + titles[n] + ", to other screen");
    for (std::string& c : expectedCaptions)
        if (c.find(title41) != std::string::npos)
            c = "Move 2: " + title41.substr(0, 39) + ".., to other screen";
    EXPECT_EQ(firstCaptions, expectedCaptions);

    const std::vector<std::string> hiddenNames{"r1", "r2", "own"};
    std::vector<std::string> expectedThird = NamesIn(EnumerationOrder(), before, {"r1", "r2"});
    std::vector<std::string> third, thirdCaptions;
    for (size_t i = separators[0] + 1; i < separators[1]; ++i)
        for (const std::string& n : hiddenNames)
            if (items[i].id == static_cast<UINT>(ItemOf(before.Window(n)))) {
                third.push_back(n);
                thirdCaptions.push_back(items[i].text);
            }
    EXPECT_EQ(third, expectedThird) << "enumeration order";
    for (const std::string& c : thirdCaptions)
        EXPECT_TRUE(c == "Move 1: Remembered one, to this screen" ||
                    c == "Move 1: Remembered two, to this screen")
            << c;
    EXPECT_EQ(ItemOf(before.Window("own")), 0) << "hidden, but not by us";
    EXPECT_EQ(ItemOf(now.Window("tool")), 0);
    EXPECT_EQ(ItemOf(now.Window("off")), 0);

    // The check mark follows the setting at each opening.
    TransparencyOn = false;
    ASSERT_TRUE(BuildWindowMenu());
    items = ShownMenu();
    EXPECT_EQ(items.back().text, "Transparent");
    EXPECT_FALSE(items.back().checked);
    EXPECT_EQ(std::count_if(items.begin(), items.end(),
                            [](const PlatformItem& i) { return i.separator; }),
              2)
        << "the previous items are gone";
}

TEST_F(StripWindowMenu, ANoteStandsGreyedAfterEveryOtherItem) {
    SetWindowMenuNote("Hotkey: Ctrl+Alt+Space");
    TransparencyOn = true;
    const bool built = BuildWindowMenu();
    SetWindowMenuNote("");
    ASSERT_TRUE(built);
    std::vector<PlatformItem> items = ShownMenu();
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ("Hotkey: Ctrl+Alt+Space", items.back().text);
    EXPECT_TRUE(GetMenuState(WindowMenu->handle, items.back().id, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ("Transparent", items[items.size() - 2].text);
    EXPECT_TRUE(items[items.size() - 2].checked);
    EXPECT_EQ("Start with Windows", items[items.size() - 3].text);
    EXPECT_EQ("Launch \"Kindlet\" (for launching groups of files)", items[items.size() - 4].text);

    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ("Transparent", ShownMenu().back().text) << "no note, no line";
}

TEST_F(StripWindowMenu, TheShellsTaskbarIsNeitherListedNorTakenAlong) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    ASSERT_NE(taskbar, nullptr) << "the test desktop has a taskbar";
    ASSERT_TRUE(IsWindowVisible(taskbar));
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ItemOf(taskbar), 0);
    ClickSwitch();
    EXPECT_TRUE(IsWindowVisible(taskbar));
    EXPECT_EQ(EntryIndex(1, taskbar), -1);
    ClickSwitch();
}

TEST_F(StripWindowMenu, AGroupIsListedOnceByItsMainWindow) {
    OtherProgram prog({
        {"boss", "v", "", "Main window of the application"},
        {"worker", "v", "boss", "Document window of the application"},
        {"find", "vp", "boss", "Find box of the application"},
        {"single", "v", "", "A window on its own"},
    });
    ASSERT_TRUE(prog.started());
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ShownCaptionOf(ItemOf(prog.Window("boss"))),
              "Move 1: Main window of the application, to other screen");
    EXPECT_EQ(ItemOf(prog.Window("worker")), 0);
    EXPECT_EQ(ItemOf(prog.Window("find")), 0);
    EXPECT_EQ(ShownCaptionOf(ItemOf(prog.Window("single"))),
              "Move 1: A window on its own, to other screen");
    // The items of the top menu (a submenu's own stand below their item).
    EXPECT_EQ(WindowMenu->items->count, GetMenuItemCount(WindowMenu->handle));

    // Remembered for the other screen, the group is listed once as well.
    ClickSwitch();
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ShownCaptionOf(ItemOf(prog.Window("boss"))),
              "Move 1: Main window of the application, to this screen");
    EXPECT_EQ(ItemOf(prog.Window("worker")), 0);
    EXPECT_EQ(ItemOf(prog.Window("find")), 0);
}

TEST_F(StripWindowMenu, MovingAWindowAcrossAndBack) {
    FakeDesktop desktop;
    OtherProgram prog({
        {"boss", "v", "", "Owner of the moved window"},
        {"worker", "v", "boss", "The moved window"},
        {"other", "v", "", "Goes to screen 2"},
    });
    ASSERT_TRUE(prog.started());
    const std::vector<std::string> names{"boss", "worker", "other"};
    HWND boss = prog.Window("boss"), worker = prog.Window("worker");

    // Across: the group hidden at once, owner first, both remembered for screen 2.
    ASSERT_TRUE(BuildWindowMenu());
    Choose(ItemOf(boss));
    EXPECT_EQ(Visibility(prog, names), "boss- worker- other+ ");
    EXPECT_EQ(HiddenNames(prog), (std::vector<std::string>{"boss", "worker"}));
    EXPECT_EQ(Screens.Current(), 1);
    EXPECT_EQ(ListCount(2), 2);
    EXPECT_EQ(EntryIndex(2, boss), 0);
    EXPECT_EQ(EntryIndex(2, worker), 1);
    EXPECT_EQ(ListCount(1), 0);
    EXPECT_EQ(desktopRefreshes, 1);

    // Back: listed once, by the main window.
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ItemOf(worker), 0);
    EXPECT_EQ(ShownCaptionOf(ItemOf(boss)), "Move 2: Owner of the moved window, to this screen");
    Choose(ItemOf(boss));
    EXPECT_EQ(Visibility(prog, names), "boss+ worker+ other+ ");
    EXPECT_EQ(ShownNames(prog), (std::vector<std::string>{"boss", "worker"}));
    EXPECT_EQ(ListCount(2), 0) << "forgotten";
    EXPECT_EQ(desktopRefreshes, 2);

    // A separator runs the same command: no move, the desktop still hears of it.
    ASSERT_TRUE(BuildWindowMenu());
    Menu* separator = nullptr;
    for (int32_t i = 0; i < MenuItemCount(WindowMenu) && !separator; ++i)
        if (MenuItemAt(WindowMenu, i)->separator) separator = MenuItemAt(WindowMenu, i);
    ASSERT_TRUE(separator);
    Choose(static_cast<int32_t>(separator->commandId));
    EXPECT_EQ(Visibility(prog, names), "boss+ worker+ other+ ");
    EXPECT_EQ(desktopRefreshes, 3);

    // The old entry is gone for good: once its program hides the window, no switch
    // shows it again. A window moved across appears when its screen is entered.
    ASSERT_TRUE(BuildWindowMenu());
    Choose(ItemOf(prog.Window("other")));
    ShowWindow(worker, SW_HIDE);
    ClickSwitch();
    EXPECT_EQ(Screens.Current(), 2);
    EXPECT_EQ(Visibility(prog, names), "boss- worker- other+ ");
    ClickSwitch();
    EXPECT_EQ(Visibility(prog, names), "boss+ worker- other- ");
}

TEST_F(StripWindowMenu, AWindowWhoseTitleHoldsTheMovePhraseComesBack) {
    OtherProgram prog({{"odd", "v", "", "Report, to other screen"}});
    ASSERT_TRUE(prog.started());
    HWND odd = prog.Window("odd");
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ShownCaptionOf(ItemOf(odd)), "Move 1: Report, to other screen, to other screen");
    Choose(ItemOf(odd));
    EXPECT_FALSE(IsWindowVisible(odd));
    EXPECT_EQ(EntryIndex(2, odd), 0);

    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ShownCaptionOf(ItemOf(odd)), "Move 2: Report, to other screen, to this screen");
    Choose(ItemOf(odd));
    EXPECT_TRUE(IsWindowVisible(odd));
    EXPECT_EQ(ListCount(2), 0);
    EXPECT_EQ(ListCount(1), 0);
}

TEST_F(StripWindowMenu, TitlesInAnyScriptAreListedExactlyAndShortenedByCharacters) {
    // 41 characters, 80 bytes: the emoji, a surrogate pair, stands at 39 and 40.
    const std::string emoji = "\xF0\x9F\x98\x80";
    std::string cyrillic41;
    for (int i = 0; i < 19; ++i)
        cyrillic41 += "Жы";
    cyrillic41 += emoji + emoji + "!";
    OtherProgram prog({{"mixed", "v", "", "Zażółć 報告 " + emoji},
                       {"long", "v", "", "Ab" + cyrillic41.substr(4)}});
    ASSERT_TRUE(prog.started());
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ShownCaptionOf(ItemOf(prog.Window("mixed"))),
              "Move 1: Zażółć 報告 " + emoji + ", to other screen");
    EXPECT_EQ(ShownCaptionOf(ItemOf(prog.Window("long"))),
              "Move 1: Ab" + cyrillic41.substr(4, 36 * 2) + emoji + ".., to other screen");
    Choose(ItemOf(prog.Window("mixed")));
    EXPECT_FALSE(IsWindowVisible(prog.Window("mixed")));
    EXPECT_EQ(EntryIndex(2, prog.Window("mixed")), 0);
}

TEST_F(StripWindowMenu, AProgramThatStopsAnsweringDoesNotHoldUpAMove) {
    OtherProgram prog({{"busy", "v", "", "Busy while moved"}});
    ASSERT_TRUE(prog.started());
    HWND busy = prog.Window("busy");

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const bool across = round == 0;
        prog.StopAnswering(busy, 2000);
        // Opening the menu reads the busy window's title without asking its program.
        const DWORD start = GetTickCount();
        ASSERT_TRUE(BuildWindowMenu());
        const int32_t item = ItemOf(busy);
        ASSERT_NE(item, 0);
        EXPECT_EQ(ShownCaptionOf(item), across ? "Move 1: Busy while moved, to other screen"
                                               : "Move 2: Busy while moved, to this screen");
        Choose(item);
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_EQ(ListCount(2), across ? 1 : 0);
        EXPECT_TRUE(WaitFor([&] { return (IsWindowVisible(busy) != FALSE) == !across; }, 6000));
    }
}

TEST_F(StripWindowMenu, StartWithWindowsIsCheckedOnlyForAValueNamingThisCopy) {
    char me[MAX_PATH];
    GetModuleFileNameA(nullptr, me, sizeof me);
    auto checked = [&](const std::string& value) {
        SetRunValue(value);
        EXPECT_TRUE(BuildWindowMenu());
        for (const PlatformItem& item : ShownMenu())
            if (item.text == "Start with Windows") return item.checked ? 1 : 0;
        return -1;
    };
    EXPECT_EQ(checked(""), 0);
    EXPECT_EQ(checked(std::string("\"") + me + "\""), 1);
    // Kindlet's value opens a list with this copy.
    EXPECT_EQ(checked(std::string("\"") + me + "\" \"C:\\My lists\\morning.txt\""), 1);
    EXPECT_EQ(checked("\"C:\\Other copy\\paravue.exe\""), 0);
    EXPECT_EQ(checked(""), 0);
    EXPECT_EQ(RunValue(), "<none>");
}

namespace {
// Stands in for a window on another of the system's virtual desktops.
HWND cloaked;
bool FakeCloak(HWND w) {
    return w == cloaked;
}
} // namespace

TEST_F(StripWindowMenu, ACloakedWindowIsNeitherListedNorSwitched) {
    OtherProgram prog({{"cloaked", "v", "", "On another virtual desktop"},
                       {"plain", "v", "", "On this desktop"}});
    ASSERT_TRUE(prog.started());
    cloaked = prog.Window("cloaked");
    const CloakReadFn old = SetCloakRead(FakeCloak);
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ItemOf(cloaked), 0);
    EXPECT_NE(ItemOf(prog.Window("plain")), 0);
    ClickSwitch();
    EXPECT_EQ(Visibility(prog, {"cloaked", "plain"}), "cloaked+ plain- ");
    EXPECT_EQ(EntryIndex(1, cloaked), -1);
    ClickSwitch();
    SetCloakRead(old);
    EXPECT_EQ(HiddenNames(prog), (std::vector<std::string>{"plain"}));
}

namespace {
// The items of the submenu "Keep on every screen", "+" after a checked one; its
// own identifier in id. Empty when the menu has no such submenu.
std::vector<std::string> EveryScreenItems(UINT& id) {
    std::vector<std::string> items;
    const std::vector<PlatformItem> top = ShownMenu();
    for (size_t i = 0; i < top.size(); ++i) {
        HMENU sub = GetSubMenu(WindowMenu->handle, static_cast<int>(i));
        if (top[i].text != "Keep on every screen" || !sub) continue;
        for (int k = 0; k < GetMenuItemCount(sub); ++k) {
            wchar_t text[256] = L"";
            GetMenuStringW(sub, k, text, 256, MF_BYPOSITION);
            const bool checked = GetMenuState(sub, k, MF_BYPOSITION) & MF_CHECKED;
            items.push_back(NarrowText(text) + (checked ? "+" : ""));
            if (NarrowText(text) == "testwins.exe") id = GetMenuItemID(sub, k);
        }
    }
    return items;
}

void SetRules(const std::vector<std::string>& lines) {
    WriteRegLines(HKEY_CURRENT_USER, kWindowRulesPath, lines);
    StartProgramRules();
}
} // namespace

TEST_F(StripWindowMenu, AProgramKeptOnEveryScreenStaysOutOfSwitchesAndMoves) {
    OtherProgram prog({{"player", "v", "", "Music player"},
                       {"list", "v", "player", "Its play list"},
                       {"away", "v", "", "Sent away"}});
    ASSERT_TRUE(prog.started());
    HWND player = prog.Window("player"), away = prog.Window("away");
    // Sent to screen 2 before the rule stands.
    ASSERT_TRUE(BuildWindowMenu());
    Choose(ItemOf(away));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(away); }));

    SetRules({"; mine", "TestWins.EXE=both", "other.exe=3"});
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(ItemOf(player), 0) << "no move item for a window on every screen";
    EXPECT_NE(ItemOf(away), 0) << "remembered for screen 2 before the rule: still listed";
    UINT id = 0;
    EXPECT_EQ(EveryScreenItems(id), (std::vector<std::string>{"testwins.exe+"}));
    // Shown by the switch to screen 2, the window sent away is one of the program's too.
    ClickSwitch();
    EXPECT_EQ(Visibility(prog, {"player", "list", "away"}), "player+ list+ away+ ");
    ClickSwitch();
    EXPECT_EQ(Visibility(prog, {"player", "list", "away"}), "player+ list+ away+ ");
    EXPECT_EQ(EntryIndex(2, player), -1) << "not remembered for the screen left";

    // Unchecked: an ordinary program again, the other lines as they were.
    ASSERT_TRUE(BuildWindowMenu());
    EveryScreenItems(id);
    Choose(static_cast<int32_t>(id));
    std::vector<std::string> stored;
    ASSERT_TRUE(ReadRegLines(HKEY_CURRENT_USER, kWindowRulesPath, stored));
    EXPECT_EQ(stored, (std::vector<std::string>{"; mine", "other.exe=3"}));
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_NE(ItemOf(player), 0);
    EXPECT_EQ(EveryScreenItems(id), (std::vector<std::string>{"testwins.exe"}));
    Choose(ItemOf(away));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(away); }));

    // Checked again: its window on screen 2 comes here at once and is no screen's.
    Choose(static_cast<int32_t>(id));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(away); }));
    EXPECT_EQ(Screens.ScreenOf(KeyOf(away)), 0);
    ASSERT_TRUE(ReadRegLines(HKEY_CURRENT_USER, kWindowRulesPath, stored));
    EXPECT_EQ(stored, (std::vector<std::string>{"; mine", "other.exe=3", "testwins.exe=both"}));
    ClickSwitch();
    EXPECT_EQ(Visibility(prog, {"player", "list", "away"}), "player+ list+ away+ ");
    ClickSwitch();
    SetRules({});
}

namespace {
// The captions of the submenu at position of the window menu, "+" after a checked one.
std::string SubmenuCaptions(size_t position) {
    std::string captions;
    HMENU sub = GetSubMenu(WindowMenu->handle, static_cast<int>(position));
    for (int k = 0; sub && k < GetMenuItemCount(sub); ++k) {
        wchar_t text[64] = L"";
        GetMenuStringW(sub, k, text, 64, MF_BYPOSITION);
        captions +=
            NarrowText(text) + (GetMenuState(sub, k, MF_BYPOSITION) & MF_CHECKED ? "+" : "");
        captions += "|";
    }
    return captions;
}
} // namespace

// Choosing from these submenus is the end-to-end tests' part (ScreensE2E).
TEST_F(StripWindowMenu, ScreensStandsFirstBelowThisScreensWindowsAndItemsOfferTheOtherScreens) {
    OtherProgram prog({{"here", "v", "", "Shown here"}, {"away", "v", "", "Sent away"}});
    ASSERT_TRUE(prog.started());
    for (int count : {2, 3}) {
        SCOPED_TRACE(count);
        Screens.Reset(count);
        if (count == 3) MoveGroupQuietly(prog.Window("away"), 3);
        ASSERT_TRUE(BuildWindowMenu());
        std::vector<std::string> captions;
        for (const PlatformItem& item : ShownMenu())
            captions.push_back(item.separator ? "-" : item.text);
        const auto IndexOf = [&](const char* caption) {
            return static_cast<size_t>(std::find(captions.begin(), captions.end(), caption) -
                                       captions.begin());
        };
        const size_t screens = IndexOf("Screens");
        ASSERT_LT(screens, captions.size());
        EXPECT_EQ("-", captions[screens - 1]);
        EXPECT_EQ(count == 2 ? "2+|3|4|5|6|7|8|9|" : "2|3+|4|5|6|7|8|9|", SubmenuCaptions(screens));
        if (count == 2) {
            EXPECT_EQ("", SubmenuCaptions(IndexOf("Move 1: Shown here, to other screen")));
            continue;
        }
        EXPECT_EQ("to screen 2|to screen 3|", SubmenuCaptions(IndexOf("Move 1: Shown here")));
        EXPECT_EQ("to screen 1|to screen 2|", SubmenuCaptions(IndexOf("Move 3: Sent away")));
    }
}
