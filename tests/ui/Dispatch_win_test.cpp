// Messages reaching their objects: the dispatch order, handlers, deferred
// freeing, docking on live windows, and the message loop's start and end.
#include "LayerTestSupport.h"
#include <string>

namespace {
std::string order;

bool AppSees(void*, MSG& msg, LRESULT& result) {
    if (msg.message < WM_APP) return false;
    order += "app,";
    result = 11;
    return msg.message == WM_APP + 1;
}
bool ControlSees(void*, MSG& msg, LRESULT&) {
    if (msg.message >= WM_APP) order += "control,";
    return false;
}
bool FirstAttached(Control*, MSG& msg, LRESULT& result) {
    if (msg.message < WM_APP) return false;
    order += "first,";
    result = 22;
    return true;
}
bool SecondAttached(Control*, MSG& msg, LRESULT&) {
    if (msg.message >= WM_APP) order += "second,";
    return false;
}
} // namespace

TEST_F(LayerTest, DispatchOrderApplicationThenControlThenHandlersNewestFirst) {
    Control* form = CreateForm(app, "f");
    Control* button = CreateButton(form, "b");
    RunInLoop(app, [&] {
        app->OnMessage = MessageEvent{AppSees, nullptr};
        button->OnMessage = MessageEvent{ControlSees, nullptr};
        AttachHandler(button, FirstAttached);
        AttachHandler(button, SecondAttached);
        AttachHandler(button, FirstAttached); // already there: no second entry
        order.clear();
        EXPECT_EQ(SendMsg(button, WM_APP + 1, 0, 0), 11);
        EXPECT_EQ(order, "app,"); // handled by the application: nobody else sees it
        order.clear();
        EXPECT_EQ(SendMsg(button, WM_APP + 2, 0, 0), 22);
        EXPECT_EQ(order, "app,control,second,first,");
        DetachHandler(button, FirstAttached);
        order.clear();
        SendMsg(button, WM_APP + 2, 0, 0);
        EXPECT_EQ(order, "app,control,second,");
        app->OnMessage = {};
    });
}

TEST_F(LayerTest, ApplicationOnMessageIsSkippedWhileNoLoopRuns) {
    Control* form = CreateForm(app, "f");
    app->OnMessage = MessageEvent{AppSees, nullptr};
    form->OnMessage = MessageEvent{ControlSees, nullptr};
    order.clear();
    SendMsg(form, WM_APP + 1, 0, 0);
    EXPECT_EQ(order, "control,");
}

namespace {
struct MouseSeen {
    int count = 0;
    MouseRecord last;
    bool stop = false;
};
void OnMouse(void* data, BaseObject*, MouseRecord& m) {
    auto* seen = static_cast<MouseSeen*>(data);
    ++seen->count;
    seen->last = m;
    if (seen->stop) m.stop = 1;
}
} // namespace

TEST_F(LayerTest, AMouseDownHandlerThatStopsKeepsTheMessageFromTheButton) {
    Control* form = CreateForm(app, "f");
    Control* button = CreateButton(form, "b");
    MouseSeen seen;
    SetOnMouseDown(button, OnMouse, &seen);
    HWND b = GetHandle(button);
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.last.button, 1);
    EXPECT_EQ(seen.last.x, 5);
    EXPECT_EQ(seen.last.y, 6);
    EXPECT_EQ(seen.last.shift & MK_LBUTTON, static_cast<uint32_t>(MK_LBUTTON));
    EXPECT_TRUE(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED); // the button saw it
    SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    ReleaseCapture();

    seen.stop = true;
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    EXPECT_EQ(seen.count, 2);
    EXPECT_FALSE(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED); // it did not
    SendMessageA(b, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
    EXPECT_EQ(seen.last.button, 2);
}

namespace {
struct FreeingClick {
    Control* button = nullptr;
    bool alive = false;
    std::string trace;
};
void ClickFreesButton(void* data, BaseObject*) {
    auto* f = static_cast<FreeingClick*>(data);
    f->trace += "click,";
    FreeObject(f->button);
    // Still here: the free waits until this message is done with.
    f->alive = IsWindow(f->button->handle) && f->button->handle != nullptr;
    f->trace += "after free,";
}
void NoteDestroy(void* data, BaseObject*) {
    static_cast<FreeingClick*>(data)->trace += "destroyed,";
}
} // namespace

TEST_F(LayerTest, AHandlerThatFreesItsControlFreesItAfterTheDispatch) {
    Control* form = CreateForm(app, "f");
    FreeingClick f;
    f.button = CreateButton(form, "b");
    f.button->OnClick = MakeEvent(ClickFreesButton, static_cast<void*>(&f));
    f.button->OnDestroy = MakeEvent(NoteDestroy, static_cast<void*>(&f));
    HWND b = GetHandle(f.button);
    SendMessageA(b, BM_CLICK, 0, 0);
    EXPECT_TRUE(f.alive);
    EXPECT_EQ(f.trace, "click,after free,destroyed,");
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(form->children->count, 0);
}

namespace {
struct FormFree {
    Control* form = nullptr;
    int seen = 0;
};
bool FreeFormHandler(Control* c, MSG& msg, LRESULT&) {
    if (msg.message != WM_APP + 5) return false;
    auto* ff = reinterpret_cast<FormFree*>(msg.lParam);
    ++ff->seen;
    FreeObject(ff->form); // the button's own form, button included
    EXPECT_NE(c->handlers, nullptr);
    return false;
}
} // namespace

TEST_F(LayerTest, FreeingTheParentFromAChildsHandlerIsSafe) {
    FormFree ff;
    ff.form = CreateForm(app, "f");
    Control* button = CreateButton(ff.form, "b");
    AttachHandler(button, FreeFormHandler);
    HWND fw = GetHandle(ff.form), bw = GetHandle(button);
    SendMessageA(bw, WM_APP + 5, 0, reinterpret_cast<LPARAM>(&ff));
    EXPECT_EQ(ff.seen, 1);
    EXPECT_FALSE(IsWindow(fw));
    EXPECT_FALSE(IsWindow(bw));
    EXPECT_EQ(app->children->count, 0);
}

TEST_F(LayerTest, DockingOnLiveWindows) {
    Control* form = CreateForm(app, "f");
    SetHasBorder(form, false);
    SetSize(form, 99, 23);
    Control* panel = CreatePanel(form, 2);
    SetAlign(panel, DockClient);
    SetColor(panel, 0x00FFC890); // creates the windows
    EXPECT_EQ(GetLeft(panel), 2);
    EXPECT_EQ(GetTop(panel), 2);
    EXPECT_EQ(GetWidth(panel), 95);
    EXPECT_EQ(GetHeight(panel), 19);
    // The form grows: the panel follows through WM_SIZE.
    SetSize(form, 120, 40);
    EXPECT_EQ(GetWidth(panel), 116);
    EXPECT_EQ(GetHeight(panel), 36);

    // Too little room: sizes stop at 0 instead of going negative.
    Control* narrow = CreatePanel(panel, 2);
    SetSize(narrow, 3, 30);
    Control* filler = CreatePanel(narrow, 2);
    SetAlign(filler, DockClient);
    Control* bar = CreatePanel(narrow, 2);
    SetSize(bar, 50, 10);
    SetAlign(bar, DockTop);
    GetHandle(bar);
    EXPECT_EQ(GetWidth(filler), 0);
    EXPECT_EQ(GetWidth(bar), 0);
    EXPECT_EQ(GetHeight(bar), 10);
    EXPECT_EQ(GetHeight(filler), 30 - 2 - 10 - 2 - 2);
}

TEST_F(LayerTest, WindowsAskedForEarlyStayHiddenUntilTheLoopShowsThem) {
    Control* form = CreateForm(app, "f");
    Control* label = CreateLabel(form, "l");
    Control* hidden = CreateButton(form, "h");
    SetVisible(hidden, false);
    Control* fixed = CreateForm(app, "fixed");
    SetVisibleFixed(fixed, false);
    HWND l = GetHandle(label);
    HWND fw = form->handle;
    EXPECT_FALSE(IsWindowVisible(fw));
    EXPECT_FALSE(IsWindowVisible(GetHandle(fixed)));
    bool shown = false, staysHidden = false, fixedHidden = false, lateShown = false;
    RunInLoop(app, [&] {
        shown = IsWindowVisible(fw) && IsWindowVisible(l) && !IsIconic(fw);
        // A form made while the loop runs shows at once, not minimised.
        Control* late = CreateForm(app, "late");
        lateShown = IsWindowVisible(GetHandle(late)) && !IsIconic(late->handle);
        staysHidden = !IsWindowVisible(hidden->handle);
        fixedHidden = !IsWindowVisible(fixed->handle);
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(lateShown);
    EXPECT_TRUE(staysHidden);
    EXPECT_TRUE(fixedHidden);
}

namespace {
void Refuse(void* data, BaseObject*, bool& accept) {
    ++*static_cast<int*>(data);
    accept = false;
}
} // namespace

TEST_F(LayerTest, OnCloseThatRefusesKeepsTheMainFormAndTheLoop) {
    Control* main = CreateForm(app, "main");
    int asked = 0;
    main->OnClose = MakeEvent(Refuse, static_cast<void*>(&asked));
    bool alive = false;
    RunInLoop(app, [&] {
        Close(main);
        PumpFor(200);
        alive = !Terminated() && IsWindow(main->handle) && ApplicationObject == app;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(alive);
}

TEST_F(LayerTest, ClosingTheMainFormEndsTheLoop) {
    Control* main = CreateForm(app, "main");
    Timer* t = CreateTimer(20);
    AddToAutoFree(main, t);
    t->OnTimer = MakeEvent(
        +[](void* data, BaseObject*) { Close(static_cast<Control*>(data)); },
        static_cast<void*>(main));
    TimerSetEnabled(t, true);
    Timer* watchdog = CreateTimer(5000);
    AddToAutoFree(main, watchdog);
    bool timedOut = false;
    watchdog->OnTimer = MakeEvent(
        +[](void* data, BaseObject*) {
            *static_cast<bool*>(data) = true;
            PostQuitMessage(0);
        },
        static_cast<void*>(&timedOut));
    TimerSetEnabled(watchdog, true);
    RunMessageLoop(app);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(app, nullptr); // ended and freed
    EXPECT_EQ(ApplicationObject, nullptr);
}

TEST_F(LayerTest, ClosingASecondaryFormFreesItWhileTheLoopGoesOn) {
    Control* main = CreateForm(app, "main");
    Control* second = CreateForm(app, "second");
    Control* child = CreateButton(second, "b");
    std::string trace;
    second->OnDestroy = MakeEvent(
        +[](void* d, BaseObject*) { *static_cast<std::string*>(d) += "form,"; },
        static_cast<void*>(&trace));
    child->OnDestroy = MakeEvent(
        +[](void* d, BaseObject*) { *static_cast<std::string*>(d) += "child,"; },
        static_cast<void*>(&trace));
    bool survived = false;
    RunInLoop(app, [&] {
        HWND w = second->handle;
        Close(second);
        PumpUntil([&] { return !IsWindow(w); });
        PumpFor(50);
        survived =
            !Terminated() && IsWindow(main->handle) && ListIndexOf(app->children, second) < 0;
    });
    EXPECT_EQ(trace, "form,child,");
    EXPECT_TRUE(survived);
}

TEST_F(LayerTest, ChildrenChooseTheirOwnColoursAndCursor) {
    Control* form = CreateForm(app, "f");
    Control* panel = CreatePanel(form, 2);
    SetColor(panel, 0x00FFC890);
    Control* label = CreateLabel(panel, "x");
    HWND l = GetHandle(label);
    HDC dc = GetDC(l);
    // The panel passes the question on to the label, which answers with its colours.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(panel->handle, WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(l)));
    EXPECT_EQ(GetBkColor(dc), 0x00FFC890u);
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectA(brush, sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, 0x00FFC890u);
    ReleaseDC(l, dc);

    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    SetControlCursor(label, hand);
    EXPECT_EQ(SendMessageA(l, WM_SETCURSOR, reinterpret_cast<WPARAM>(l),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              1);
    EXPECT_EQ(GetCursor(), hand);
    // Children made later take the parent's cursor.
    SetControlCursor(panel, hand);
    EXPECT_EQ(CreateButton(panel, "b")->cursor, hand);
}

namespace {
struct Keys {
    WPARAM lastKey = 0;
    uint32_t shift = 99;
    bool consume = false;
};
void OnKey(void* data, BaseObject*, WPARAM& key, uint32_t shift) {
    auto* k = static_cast<Keys*>(data);
    k->lastKey = key;
    k->shift = shift;
    if (k->consume) key = 0;
}
} // namespace

TEST_F(LayerTest, KeyEventsOfTheFocusedControl) {
    Control* form = CreateForm(app, "f");
    Control* edit = CreateEditBox(form, 0);
    Keys keys;
    SetOnChar(edit, OnKey, &keys);
    SetOnKeyDown(edit, OnKey, &keys);
    RunInLoop(app, [&] {
        BringToFront(form);
        PumpUntil([&] { return GetForegroundWindow() == form->handle; });
        BringToFront(edit);
        PumpUntil([&] { return GetFocus() == edit->handle; }, 1000);
        ASSERT_EQ(GetFocus(), edit->handle);
        SendMessageA(edit->handle, WM_CHAR, 'a', 1);
        EXPECT_EQ(keys.lastKey, static_cast<WPARAM>('a'));
        EXPECT_EQ(keys.shift, 0u);
        EXPECT_EQ(GetCaption(edit), "a");
        keys.consume = true; // a handler that zeroes the key keeps it from the box
        SendMessageA(edit->handle, WM_CHAR, 'b', 1);
        EXPECT_EQ(GetCaption(edit), "a");
        SendMessageA(edit->handle, WM_KEYDOWN, VK_F5, 1);
        EXPECT_EQ(keys.lastKey, static_cast<WPARAM>(VK_F5));
        keys.consume = false;
        SendMessageA(edit->handle, WM_CHAR, '\t', 1); // Tab is swallowed
        EXPECT_EQ(GetCaption(edit), "a");
    });
}

TEST_F(LayerTest, TheApplicationsCloseCommandClosesTheMainForm) {
    Control* main = CreateForm(app, "main");
    int asked = 0;
    main->OnClose = MakeEvent(
        +[](void* d, BaseObject*, bool&) { ++*static_cast<int*>(d); }, static_cast<void*>(&asked));
    bool ended = false;
    RunInLoop(app, [&] {
        SendMessageA(app->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        ended = PumpUntil([] { return Terminated(); });
    });
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(ended);
}

namespace {
bool KeepWhatWasThere(void* data, MSG& msg, LRESULT&) {
    if (msg.message == WM_APP + 9) ++*static_cast<int*>(data);
    return false;
}
} // namespace

TEST_F(LayerTest, TheEnterAndEscapeFilterKeepsTheApplicationsOwnHandler) {
    Control* form = CreateForm(app, "f");
    Control* ok = CreateButton(form, "ok");
    int seen = 0;
    app->OnMessage = MessageEvent{KeepWhatWasThere, &seen};
    SetDefaultButton(ok, true);
    EXPECT_NE(app->OnMessage.routine, KeepWhatWasThere);
    RunInLoop(app, [&] {
        SendMsg(ok, WM_APP + 9, 0, 0);
        EXPECT_EQ(seen, 1); // still asked, through the filter
        SetDefaultButton(ok, false);
        EXPECT_EQ(app->OnMessage.routine, KeepWhatWasThere);
        EXPECT_FALSE(GetWindowLongA(ok->handle, GWL_STYLE) & BS_DEFPUSHBUTTON);
        app->OnMessage = {};
    });
}

TEST_F(LayerTest, MinimisingTheMainFormMinimisesTheApplication) {
    Control* main = CreateForm(app, "main");
    Control* second = CreateForm(app, "second");
    bool appMinimised = false, mainStays = false, secondOwn = false;
    RunInLoop(app, [&] {
        SendMessageA(main->handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        appMinimised = PumpUntil([&] { return IsIconic(app->handle) != 0; });
        mainStays = !IsIconic(main->handle);
        // Any other form minimises itself.
        SendMessageA(second->handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        secondOwn = IsIconic(second->handle) != 0;
    });
    EXPECT_TRUE(appMinimised);
    EXPECT_TRUE(mainStays);
    EXPECT_TRUE(secondOwn);
}
