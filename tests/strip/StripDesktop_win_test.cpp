// The strip and the desktop around it: monitors that come and go, a change of
// scale, and the switch key on a keyboard with AltGr.
#include "app/Placement.h"
#include "app/StripCommands.h"
#include "app/StripPlacement.h"
#include "errors/Wide_win.h"
#include "support/StripFixture.h"

namespace {
using StripDesktop = StripTest;

std::vector<MonitorFacts> monitorsNow;
std::vector<MonitorFacts> FakeMonitors() {
    return monitorsNow;
}

KeyFacts keysNow;
KeyFacts FakeKeys() {
    return keysNow;
}

LONG FontHeightOf(Control* c) {
    LOGFONTA f{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(GetHandle(c), WM_GETFONT, 0, 0)), sizeof f, &f);
    return f.lfHeight;
}

SIZE SizeOf(Control* c) {
    RECT r;
    GetWindowRect(GetHandle(c), &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The switch key as the system delivers it, to the program's command window.
void FireSwitchKey() {
    // The key is taken again at a tick of the strip's own 30 ms timer once the last
    // press is let go: a time of the program's, not a guess at a result.
    Pump(100);
    PostMessageA(OpenCommandWindow(), WM_HOTKEY, 1, 0);
    PumpQueued();
}
} // namespace

TEST_F(StripDesktop, AMonitorThatWentTakesNoStripWithIt) {
    const MonitorFacts primary{{0, 0, 1024, 768}, 96, 20, true};
    const MonitorFacts left{{-1280, 0, 0, 1024}, 96, 0, false};
    MonitorReaderFn old = SetMonitorReader(FakeMonitors);
    monitorsNow = {left, primary};
    HWND form = GetHandle(strip->form);
    SetPosition(strip->form, -600, 500);
    SendMessageA(form, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(GetLeft(strip->form), -600) << "still shown on the left monitor";

    monitorsNow = {primary}; // unplugged
    SendMessageA(form, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(GetLeft(strip->form), 0);
    EXPECT_EQ(GetTop(strip->form), 500);

    // A bar that grew over a strip partly off the monitor: the work area changed.
    SetPosition(strip->form, 1020, 900);
    SendMessageA(form, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(GetLeft(strip->form), 902);
    EXPECT_EQ(GetTop(strip->form), 725);
    SetMonitorReader(old);
}

TEST_F(StripDesktop, OnAMonitorOfAnotherScaleTheStripTakesTheSuggestedSizeAndNewFonts) {
    const LONG font96 = FontHeightOf(strip->SwitchButton);
    RECT suggested{500, 400, 649, 435};
    SendMessageA(GetHandle(strip->form), 0x02E0, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(GetLeft(strip->form), 500);
    EXPECT_EQ(GetTop(strip->form), 400);
    EXPECT_EQ(SizeOf(strip->form).cx, 149);
    EXPECT_EQ(SizeOf(strip->form).cy, 35);
    EXPECT_EQ(SizeOf(strip->SwitchButton).cx, 42);
    EXPECT_EQ(SizeOf(strip->SwitchButton).cy, 30);
    EXPECT_EQ(SizeOf(strip->QuitButton).cx, 36);
    const LONG font144 = FontHeightOf(strip->SwitchButton);
    EXPECT_NE(font144, 0);
    EXPECT_NE(font144, font96) << "the font is made again at the new scale";

    RECT back{500, 400, 599, 423};
    SendMessageA(GetHandle(strip->form), 0x02E0, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(SizeOf(strip->form).cx, 99);
    EXPECT_EQ(SizeOf(strip->SwitchButton).cx, 28);
    EXPECT_EQ(SizeOf(strip->SwitchButton).cy, 20);
    EXPECT_EQ(FontHeightOf(strip->SwitchButton), font96);
    SetLayoutDpi(96);
}

// AltGr reaches programs as Ctrl with the right Alt: on a layout with AltGr,
// AltGr+Space does not switch with the default key; the left Alt does, and a key
// the user wrote down switches as they wrote it.
TEST_F(StripDesktop, AltGrSpaceDoesNotSwitchWithTheDefaultKey) {
    KeyFactsFn old = SetKeyFactsReader(FakeKeys);
    std::vector<std::string> numbers;
    auto fire = [&](KeyFacts keys) {
        keysNow = keys;
        FireSwitchKey();
        numbers.push_back(GetCaption(strip->ScreenNumberLabel));
    };
    MainForm* s = strip;
    RunStrip([&] {
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(GetHandle(s->form)) != FALSE; }, 3000));
        StartHotkey();
        fire({true, true, false});  // AltGr on a layout with AltGr
        fire({false, true, false}); // right Alt on a layout without
        fire({true, false, true});  // left Alt
        WriteSetting("Hotkey", "ctrl+alt+space");
        StartHotkey();
        fire({true, true, false}); // the user's own key
        DeleteSettingsKey();
        StartHotkey();
    });
    SetKeyFactsReader(old);
    EXPECT_EQ(numbers, (std::vector<std::string>{"1", "2", "1", "2"}));
}

namespace {
// The keyboard as it is, on a layout with AltGr (Wine's is a US layout).
KeyFacts AltGrLayoutKeys() {
    KeyFacts keys = ReadKeyFacts();
    keys.layoutHasAltGr = true;
    return keys;
}

// The greyed last line of the window menu, built afresh.
std::string LastMenuLine() {
    wchar_t text[256] = L"";
    if (BuildWindowMenu())
        GetMenuStringW(WindowMenu->handle, GetMenuItemCount(WindowMenu->handle) - 1, text, 256,
                       MF_BYPOSITION);
    return NarrowText(text);
}

// A key (Space unless told) with the keys of held down, in one go as a keyboard
// sends them.
void SpaceWith(std::initializer_list<WORD> held, WORD key = VK_SPACE) {
    std::vector<INPUT> keys;
    auto add = [&](WORD vk, DWORD up) {
        keys.push_back({INPUT_KEYBOARD, {}});
        keys.back().ki.wVk = vk;
        // The right Alt is told from the left one by its extended flag.
        keys.back().ki.dwFlags = up | (vk == VK_RMENU ? KEYEVENTF_EXTENDEDKEY : 0);
    };
    for (WORD k : held)
        add(k, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto k = std::rbegin(held); k != std::rend(held); ++k)
        add(*k, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}
} // namespace

// On a layout with AltGr, AltGr (left Ctrl with the right Alt) with the default
// keys types in the window with the input, and switches or moves nothing; the
// left Alt with the same keys switches, and moves the window to screen 2.
TEST_F(StripDesktop, AltGrWithTheDefaultKeysReachesTheWindowWithTheInput) {
    OtherProgram prog({{"a", "v", "", "Typed with AltGr"}, {"b", "v", "", "Beside the typing"}});
    ASSERT_TRUE(prog.started());
    HWND a = prog.Window("a"), b = prog.Window("b");
    KeyFactsFn old = SetKeyFactsReader(AltGrLayoutKeys);
    MainForm* s = strip;
    std::vector<std::string> spaces;
    RunStrip([&] {
        StartHotkey();
        EXPECT_EQ("Hotkey: Ctrl+Alt+Space; move key: Ctrl+Alt+Shift+Space", LastMenuLine());
        SetForegroundWindow(a);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == a; }, 2000));
        SpaceWith({VK_LCONTROL, VK_RMENU});
        SpaceWith({VK_LCONTROL, VK_RMENU, VK_SHIFT});
        // Escape comes after them: once it is there, they went where they go.
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] {
            const std::vector<std::string> keys = prog.Keys();
            return !keys.empty() && keys.back() == "a key 27";
        }));
        for (const std::string& k : prog.Keys())
            if (k.ends_with(" key 32")) spaces.push_back(k);
        EXPECT_EQ("1", GetCaption(s->ScreenNumberLabel));
        EXPECT_TRUE(IsWindowVisible(a));

        SpaceWith({VK_LCONTROL, VK_LMENU});
        ASSERT_TRUE(WaitFor([&] { return GetCaption(s->ScreenNumberLabel) == "2"; }, 3000));
        ClickSwitch();
        SetForegroundWindow(a);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == a; }, 3000));
        // The keys are taken again at a tick of the strip's 30 ms timer once let go.
        Pump(100);
        SpaceWith({VK_LCONTROL, VK_LMENU, VK_SHIFT});
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(a) && GetForegroundWindow() == b; }));
        EXPECT_EQ(2, Screens.ScreenOf(KeyOf(a)));
        EXPECT_EQ("1", GetCaption(s->ScreenNumberLabel));
        // No key left behind for the tests that follow.
        WriteSetting("Hotkey", "");
        WriteSetting("MoveHotkey", "");
        StartHotkey();
        EXPECT_EQ("No hotkey (turned off); no move key (turned off)", LastMenuLine());
    });
    SetKeyFactsReader(old);
    EXPECT_EQ((std::vector<std::string>{"a key 32", "a key 32"}), spaces);
}

// The digit keys with nine screens on a layout with AltGr: AltGr+7 and AltGr+2
// (a brace and a superscript two on a German keyboard) type in the window with the
// input; the left Alt with Ctrl and 2 goes to screen 2, with 1 back, and with
// Shift and 7 sends the window to screen 7. A digit another program holds is
// named in the menu's last line, and a count of two lets go of 3 to 9.
TEST_F(StripDesktop, AltGrWithADigitTypesWhileCtrlAndTheLeftAltGoToThatScreen) {
    OtherProgram prog({{"a", "v", "", "Typed with AltGr and digits"}, {"b", "v", "", "Beside"}});
    ASSERT_TRUE(prog.started());
    HWND a = prog.Window("a"), b = prog.Window("b");
    KeyFactsFn old = SetKeyFactsReader(AltGrLayoutKeys);
    MainForm* s = strip;
    std::vector<std::string> typed;
    RunStrip([&] {
        Screens.Reset(9);
        ASSERT_TRUE(RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, '5'));
        ASSERT_TRUE(RegisterHotKey(nullptr, 78, MOD_CONTROL | MOD_ALT | MOD_SHIFT, '9'));
        StartHotkey();
        UnregisterHotKey(nullptr, 77);
        UnregisterHotKey(nullptr, 78);
        EXPECT_EQ("Hotkey: Ctrl+Alt+Space; move key: Ctrl+Alt+Shift+Space; Ctrl+Alt+5, "
                  "Ctrl+Alt+Shift+9 are in use",
                  LastMenuLine());
        SetForegroundWindow(a);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == a; }, 2000));
        SpaceWith({VK_LCONTROL, VK_RMENU}, '7');
        SpaceWith({VK_LCONTROL, VK_RMENU}, '2');
        SpaceWith({VK_LCONTROL, VK_RMENU, VK_SHIFT}, '2');
        // Escape comes after them: once it is there, they went where they go.
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] {
            const std::vector<std::string> keys = prog.Keys();
            return !keys.empty() && keys.back() == "a key 27";
        }));
        for (const std::string& k : prog.Keys())
            if (k.ends_with(" key 50") || k.ends_with(" key 55")) typed.push_back(k);
        EXPECT_EQ("1", GetCaption(s->ScreenNumberLabel));
        EXPECT_TRUE(IsWindowVisible(a));

        SpaceWith({VK_LCONTROL, VK_LMENU}, '2');
        ASSERT_TRUE(WaitFor([&] { return GetCaption(s->ScreenNumberLabel) == "2"; }, 3000));
        EXPECT_FALSE(IsWindowVisible(a) || IsWindowVisible(b));
        Pump(100); // taken again at a tick of the strip's 30 ms timer once let go
        SpaceWith({VK_LCONTROL, VK_LMENU}, '1');
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(a) && IsWindowVisible(b); }, 3000));
        EXPECT_EQ("1", GetCaption(s->ScreenNumberLabel));
        SetForegroundWindow(a);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == a; }, 3000));
        Pump(100);
        SpaceWith({VK_LCONTROL, VK_LMENU, VK_SHIFT}, '7');
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(a) && GetForegroundWindow() == b; }));
        EXPECT_EQ(7, Screens.ScreenOf(KeyOf(a)));
        EXPECT_EQ("1", GetCaption(s->ScreenNumberLabel));

        // Back to two screens: 3 to 9 are let go, and 5 is no key of ours to name.
        Screens.Reset(2);
        ASSERT_TRUE(RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, '5'));
        StartHotkey();
        EXPECT_EQ("Hotkey: Ctrl+Alt+Space; move key: Ctrl+Alt+Shift+Space", LastMenuLine());
        EXPECT_TRUE(RegisterHotKey(nullptr, 78, MOD_CONTROL | MOD_ALT, '3'));
        for (int id : {77, 78})
            UnregisterHotKey(nullptr, id);
    });
    SetKeyFactsReader(old);
    EXPECT_EQ((std::vector<std::string>{"a key 55", "a key 50", "a key 50"}), typed);
}

TEST(KeyFactsOnWindows, TheRightAltIsReadAsItIsHeld) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_RMENU;
    in.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &in, sizeof in);
    EXPECT_TRUE(WaitFor([] { return ReadKeyFacts().rightAltDown; }, 1000));
    EXPECT_FALSE(ReadKeyFacts().leftAltDown);
    in.ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    EXPECT_TRUE(WaitFor([] { return !ReadKeyFacts().rightAltDown; }, 1000));
}
