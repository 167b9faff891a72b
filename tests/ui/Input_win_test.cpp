// Real input in the desktop: mouse and keys go through SendInput to our own
// visible, foreground windows, the way a user's would.
#include "LayerTestSupport.h"
#include "ui/Menu.h"

namespace {
void MoveMouseTo(int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    // The press that follows must find the pointer already there.
    PumpUntil(
        [&] {
            POINT p;
            return GetCursorPos(&p) && p.x == x && p.y == y;
        },
        1000);
    PumpFor(50);
}

void MouseButton(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

void PressKey(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

// The centre of c on screen, once nothing else covers it there.
POINT CentreOf(Control* c) {
    RECT r;
    GetWindowRect(c->handle, &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    PumpUntil([&] { return WindowFromPoint(p) == c->handle; }, 3000);
    EXPECT_EQ(WindowFromPoint(p), c->handle);
    return p;
}

// Puts form on screen at (x, y) and in front, ready for input.
void ShowInFront(Control* form, int x, int y) {
    SetPosition(form, x, y);
    SetVisibleFixed(form, true);
    SetStayOnTop(form, true);
    BringToFront(form);
    PumpUntil([&] { return GetForegroundWindow() == form->handle; }, 1000);
    PumpFor(100);
}

void Count(void* data, BaseObject*) {
    ++*static_cast<int*>(data);
}

struct Pressed {
    int count = 0;
    uint8_t button = 0;
    int16_t x = -1, y = -1;
};
void OnPress(void* data, BaseObject*, MouseRecord& m) {
    auto* p = static_cast<Pressed*>(data);
    ++p->count;
    p->button = m.button;
    p->x = m.x;
    p->y = m.y;
}
} // namespace

TEST_F(LayerTest, ClicksAndRightPressesFromTheMouse) {
    Control* form = CreateForm(app, "input");
    SetClientSize(form, 200, 100);
    Control* button = SetSize(SetPosition(CreateButton(form, "Go"), 20, 20), 80, 30);
    Control* label = SetSize(SetPosition(CreateLabel(form, "label"), 120, 20), 60, 30);
    int clicks = 0;
    button->OnClick = MakeEvent(Count, static_cast<void*>(&clicks));
    Pressed onButton, onLabel;
    SetOnMouseDown(button, OnPress, &onButton);
    SetOnMouseDown(label, OnPress, &onLabel);
    bool clicked = false, rightPressed = false, labelPressed = false;
    RunInLoop(app, [&] {
        ShowInFront(form, 700, 450);
        POINT c = CentreOf(button);
        MoveMouseTo(c.x, c.y);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        MouseButton(MOUSEEVENTF_LEFTUP);
        clicked = PumpUntil([&] { return clicks == 1; });
        // The left press was seen too, with client coordinates.
        EXPECT_EQ(onButton.button, 1);
        EXPECT_NEAR(onButton.x, 40, 2);
        EXPECT_NEAR(onButton.y, 15, 2);

        CentreOf(button);
        MouseButton(MOUSEEVENTF_RIGHTDOWN);
        MouseButton(MOUSEEVENTF_RIGHTUP);
        rightPressed = PumpUntil([&] { return onButton.count == 2; }) && onButton.button == 2;

        POINT l = CentreOf(label);
        MoveMouseTo(l.x, l.y);
        MouseButton(MOUSEEVENTF_RIGHTDOWN);
        MouseButton(MOUSEEVENTF_RIGHTUP);
        // Under Wine a right press that closely follows another one is now and then
        // not delivered at all (seen on a loaded machine); a second press tells a
        // lost press from a label that does not hear it. It waits out the
        // double-click time, or it would arrive as a double click.
        if (!PumpUntil([&] { return onLabel.count == 1; })) {
            PumpFor(GetDoubleClickTime());
            MouseButton(MOUSEEVENTF_RIGHTDOWN);
            MouseButton(MOUSEEVENTF_RIGHTUP);
        }
        labelPressed = PumpUntil([&] { return onLabel.count >= 1; }) && onLabel.button == 2;
        PumpFor(100);
    });
    EXPECT_TRUE(clicked);
    EXPECT_EQ(clicks, 1); // a right press is no click
    EXPECT_TRUE(rightPressed);
    EXPECT_TRUE(labelPressed);
}

namespace {
struct Dialog {
    Control* form = nullptr;
    Control* ok = nullptr;
    Control* help = nullptr;
    WORD key = 0;
    int helpClicks = 0;
};
void OkClick(void* data, BaseObject*) {
    SetModalResult(static_cast<Dialog*>(data)->form, 1);
}
void HelpClick(void* data, BaseObject*) {
    auto* d = static_cast<Dialog*>(data);
    ++d->helpClicks;
    SetModalResult(d->form, 2);
}
void PressWhenShown(void* data, BaseObject* sender) {
    auto* d = static_cast<Dialog*>(data);
    if (GetForegroundWindow() != d->form->handle) return; // not yet in front
    TimerSetEnabled(static_cast<Timer*>(sender), false);
    PressKey(d->key);
}
} // namespace

TEST_F(LayerTest, EnterAndEscapeOnAModalFormPressTheDefaultAndCancelButtons) {
    Control* main = CreateForm(app, "main");
    Dialog d;
    d.form = CreateForm(app, "About");
    SetClientSize(d.form, 211, 203);
    d.help = SetSize(SetPosition(CreateButton(d.form, "&Help"), 24, 160), 0, 33);
    d.ok = SetSize(SetPosition(CreateButton(d.form, "&Ok"), 125, 160), 0, 33);
    d.ok->OnClick = MakeEvent(OkClick, static_cast<void*>(&d));
    d.help->OnClick = MakeEvent(HelpClick, static_cast<void*>(&d));
    SetDefaultButton(d.ok, true);
    SetCancelButton(d.help, true);
    EXPECT_TRUE(d.ok->style & BS_DEFPUSHBUTTON);
    Timer* keys = CreateTimer(50);
    AddToAutoFree(main, keys);
    keys->OnTimer = MakeEvent(PressWhenShown, static_cast<void*>(&d));
    int32_t enter = 0, escape = 0;
    RunInLoop(app, [&] {
        SetVisibleFixed(main, false);
        SetPosition(d.form, 700, 400);
        SetStayOnTop(d.form, true);
        BringToFront(d.ok);
        d.key = VK_RETURN;
        TimerSetEnabled(keys, true);
        enter = ShowModal(d.form);
        // Escape picks the cancel button even while the default one has the focus.
        BringToFront(d.ok);
        d.key = VK_ESCAPE;
        TimerSetEnabled(keys, true);
        escape = ShowModal(d.form);
    });
    EXPECT_EQ(enter, 1);
    EXPECT_EQ(escape, 2);
    EXPECT_EQ(d.helpClicks, 1);
}

namespace {
struct Chosen {
    int32_t index = -1;
    int count = 0;
};
void ChooseSecond(void*, BaseObject* sender) {
    TimerSetEnabled(static_cast<Timer*>(sender), false);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
}
} // namespace

TEST_F(LayerTest, AnItemChosenFromThePoppedUpMenuReachesTheHandler) {
    Control* form = CreateForm(app, "menu");
    SetClientSize(form, 200, 100);
    Control* panel = CreatePanel(form, 2);
    SetAlign(panel, DockClient);
    Chosen chosen;
    Menu* menu = CreateMenuObject(panel, 0, nullptr, 0,
                                  MakeEvent(
                                      +[](void* d, BaseObject*, int32_t index) {
                                          auto* c = static_cast<Chosen*>(d);
                                          c->index = index;
                                          ++c->count;
                                      },
                                      static_cast<void*>(&chosen)));
    MenuAddItem(menu, "first", 0);
    MenuAddItem(menu, "", 0x20);
    MenuAddItem(menu, "second", 0);
    Timer* keys = CreateTimer(300);
    AddToAutoFree(form, keys);
    keys->OnTimer = MakeEvent(ChooseSecond, nullptr);
    RunInLoop(app, [&] {
        ShowInFront(form, 700, 450);
        TimerSetEnabled(keys, true);
        MenuPopup(menu, 750, 500); // returns once the keys chose an item
        PumpUntil([&] { return chosen.count > 0; }, 1000);
    });
    EXPECT_EQ(chosen.count, 1);
    EXPECT_EQ(chosen.index, 2); // the separator is skipped by the keys, but counted
}
