// The strip as the program builds it, in the shell desktop of 1024 x 768 with its
// 20-pixel taskbar at the bottom: place, look, hints and the application window.
#include "launch/LaunchList.h"
#include "screens/Switching.h"
#include "support/StripFixture.h"
#include "ui/Services_win.h"

namespace {
struct Box {
    int left, top, width, height;
    bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "(" << b.left << ", " << b.top << ") " << b.width << " x " << b.height;
}

// A window's box in the client coordinates of another window.
Box BoxIn(HWND window, HWND parent) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Box ScreenBox(HWND window) {
    return BoxIn(window, nullptr);
}

LOGFONTA FontOf(HWND window) {
    LOGFONTA lf{};
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    GetObjectA(font, sizeof lf, &lf);
    return lf;
}

struct Colours {
    COLORREF back, text;
};
// The colours a static control is painted in: what its parent answers when the
// control asks before drawing.
Colours PaintColours(HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(control), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(control)));
    LOGBRUSH lb{};
    GetObjectA(brush, sizeof lb, &lb);
    Colours c{lb.lbColor, GetTextColor(dc)};
    DeleteDC(dc);
    return c;
}
} // namespace

using StripLayout = StripTest;

TEST_F(StripLayout, FirstRunPlacesTheStripAboveTheTaskbarAtTheRight) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    ASSERT_TRUE(taskbar) << "the shell desktop has a taskbar";
    ASSERT_EQ(ScreenBox(taskbar), (Box{0, 748, 1024, 20}));

    HWND form = GetHandle(strip->form);
    EXPECT_EQ(ScreenBox(form), (Box{902, 725, 99, 23}));
    EXPECT_EQ(GetLeft(strip->form), 902);
    EXPECT_EQ(GetTop(strip->form), 725);
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 99) << "no frame";
    EXPECT_EQ(client.bottom, 23) << "no caption bar";
    EXPECT_EQ(TextOf(form), "sd");
    EXPECT_EQ(ClassOf(form), "obj_Form");

    const LONG style = GetWindowLongA(form, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME | WS_SYSMENU));
    EXPECT_TRUE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Owned by the application window: no taskbar button, and never recorded by a switch.
    EXPECT_EQ(GetWindow(form, GW_OWNER), GetHandle(app));
}

TEST_F(StripLayout, PanelAndControlsStandAtTheirPlacesWithBoldAnsiCaptions) {
    HWND form = GetHandle(strip->form);
    HWND panel = GetHandle(strip->DragPanel);
    EXPECT_EQ(GetParent(panel), form);
    EXPECT_EQ(BoxIn(panel, form), (Box{2, 2, 95, 19}));

    struct Expected {
        Control* control;
        const char* caption;
        Box box;
        const char* windowClass;
    } controls[] = {
        {strip->ScreenNumberLabel, "1", {28, 1, 19, 20}, "obj_STATIC"},
        {strip->SwitchButton, "2", {0, 0, 28, 20}, "obj_BUTTON"},
        {strip->AboutButton, "?", {47, 0, 24, 20}, "obj_BUTTON"},
        {strip->QuitButton, "X", {71, 0, 24, 20}, "obj_BUTTON"},
    };
    for (const Expected& e : controls) {
        HWND h = GetHandle(e.control);
        SCOPED_TRACE(e.caption);
        EXPECT_EQ(GetParent(h), panel);
        EXPECT_EQ(TextOf(h), e.caption);
        EXPECT_EQ(BoxIn(h, panel), e.box);
        EXPECT_EQ(ClassOf(h), e.windowClass);
        LOGFONTA lf = FontOf(h);
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
        EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    }
    EXPECT_EQ(GetWindowLongA(GetHandle(strip->ScreenNumberLabel), GWL_STYLE) & SS_TYPEMASK,
              SS_CENTER);
    // The panel in light blue; the label takes the panel's colours.
    for (HWND h : {panel, GetHandle(strip->ScreenNumberLabel)}) {
        Colours c = PaintColours(h);
        EXPECT_EQ(c.back, RGB(0x90, 0xC8, 0xFF));
        EXPECT_EQ(c.text, GetSysColor(COLOR_WINDOWTEXT));
    }
    EXPECT_EQ(GetWindowLongA(GetHandle(strip->SwitchButton), GWL_STYLE) & BS_TYPEMASK,
              BS_PUSHBUTTON);
}

TEST_F(StripLayout, TheFiveHintsCarryTheirTexts) {
    HWND tip = strip->ToolTipWindow;
    ASSERT_TRUE(IsWindow(tip));
    EXPECT_EQ(ClassOf(tip), "tooltips_class32");
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 5);
    std::multimap<HWND, std::string> expected{
        {GetHandle(strip->SwitchButton), " Switch to screen 2 "},
        {GetHandle(strip->AboutButton), " About Para-Vue "},
        {GetHandle(strip->QuitButton), " Quit and restore all applications "},
        {GetHandle(strip->DragPanel), " Drag here to move "},
        {GetHandle(strip->ScreenNumberLabel), " Current screen number. Drag here to move "},
    };
    EXPECT_EQ(Hints(tip), expected);
}

TEST_F(StripLayout, ShownOnTopByTheLoopWhileTheApplicationWindowGoesAway) {
    HWND appWindow = GetHandle(app);
    HWND form = GetHandle(strip->form);
    // Before the loop: the application window is up, as a tool window; the strip is not.
    EXPECT_TRUE(IsWindowVisible(appWindow));
    EXPECT_TRUE(GetWindowLongA(appWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(TextOf(appWindow), "tallowin");
    EXPECT_FALSE(IsWindowVisible(form));

    RunStrip([&] {
        EXPECT_TRUE(IsWindowVisible(form));
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(appWindow); }, 2000))
            << "the application window is hidden shortly after the loop starts";
        EXPECT_FALSE(strip->TaskbarHideTimer->enabled) << "one-shot";

        // A window activated later does not cover the strip.
        OtherProgram later({{"later", "", "", "Activated after the strip"}});
        ASSERT_TRUE(later.started());
        ShowWindow(later.Window("later"), SW_SHOW);
        SetWindowPos(later.Window("later"), HWND_TOP, 850, 650, 300, 200, SWP_SHOWWINDOW);
        // The program has taken its raise, and the strip what it was told of it.
        ASSERT_TRUE(Answers(later.Window("later")));
        PumpQueued();
        EXPECT_EQ(WindowFromPoint(POINT{904, 727}), GetHandle(strip->SwitchButton));
        EXPECT_EQ(WindowFromPoint(POINT{902 + 2 + 30, 725 + 2 + 5}),
                  GetHandle(strip->ScreenNumberLabel));

        // Showing the first screen again brings the application forward, not back.
        ClickSwitch();
        ClickSwitch();
        PumpQueued();
        EXPECT_FALSE(IsWindowVisible(appWindow));
        EXPECT_TRUE(IsWindowVisible(form));
    });
}

TEST_F(StripLayout, StoredTranslucencyReachesTheStrip) {
    EndStrip();
    WriteSetting("Transparent", "1");
    StartStrip();
    ASSERT_TRUE(TransparencyOn);
    ASSERT_TRUE(LayeredSupported) << "the platform has layered windows";
    HWND form = GetHandle(strip->form);
    EXPECT_TRUE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(form, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, kAlphaTranslucent);
    EXPECT_TRUE(flags & LWA_ALPHA);

    // The menu's switch works on the same window.
    ToggleTransparency();
    ASSERT_TRUE(GetLayeredWindowAttributes(form, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, kAlphaOpaque);
}

namespace {
std::vector<std::string> boxes;
int RecordBox(void*, const char* text, const char*, unsigned) {
    boxes.push_back(text);
    return IDOK;
}
} // namespace

TEST_F(StripLayout, AMissingLaunchListIsReportedAndTheStripCarriesOn) {
    MessageBoxFn old = SetMessageBoxFunction(RecordBox);
    boxes.clear();
    const std::string list = MakeTempDir("nolist") + "missing list.txt";
    LaunchHooks hooks{[](void* data) { SwitchScreen(data, nullptr); }, nullptr, strip};
    RunLaunchList(list, hooks);
    // The list names a file that is not there either: reported, and no switch.
    const std::string present = MakeTempDir("list") + "present.txt";
    WriteWholeFile(present, "; a comment\r\nZ:\\no\\such\\file.txt\r\n");
    RunLaunchList(present, hooks);
    SetMessageBoxFunction(old);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Cannot find the launch list:\r" + list,
                                               "Cannot find file:\rZ:\\no\\such\\file.txt"}));
    EXPECT_EQ(Screens.Current(), 1);
    EXPECT_EQ(TextOf(GetHandle(strip->ScreenNumberLabel)), "1");
}
