// Controls before and after they have windows: defaults, identifiers, sizes,
// styles, window classes and the order of creation and destruction.
#include "LayerTestSupport.h"
#include "Traced.h"
#include "support/ChildProcess.h"
#include "ui/Services_win.h"
#include <vector>

// Identifiers are counted per process, so the exact first values are checked
// in a fresh copy of this test program that runs only this test.
TEST_F(LayerTest, ChildControlsAreNumberedFrom0x8000) {
    Control* form = CreateForm(app, "f");
    Control* first = CreateButton(form, "a");
    Control* second = CreateLabel(form, "b");
    EXPECT_EQ(form->id, 0); // forms are not child controls
    ASSERT_NE(GetHandle(second), nullptr);
    EXPECT_EQ(GetDlgCtrlID(GetHandle(first)), first->id);
    EXPECT_EQ(GetDlgCtrlID(GetHandle(second)), second->id);
    if (InChild("PARAVUE_FIRST_IDS")) {
        EXPECT_EQ(first->id, 0x8000);
        EXPECT_EQ(second->id, 0x8001);
        return;
    }
    EXPECT_EQ(second->id, first->id + 1);
    EXPECT_EQ(RunTestInChild("LayerTest.ChildControlsAreNumberedFrom0x8000", "PARAVUE_FIRST_IDS"),
              0)
        << "the first child controls of a process are not 0x8000 and 0x8001";
}

TEST_F(LayerTest, FreshChildrenStartAtTheMarginWithTheirConstructorSizes) {
    Control* form = CreateForm(app, "f");
    struct Expect {
        Control* c;
        int w, h;
    } cases[] = {
        {CreateButton(form, "b"), 64, 22},   {CreateLabel(form, "l"), 64, 22},
        {CreateCheckBox(form, "c"), 72, 22}, {CreatePanel(form, 2), 100, 100},
        {CreateEditBox(form, 0), 100, 22},   {CreateEditBox(form, 8), 200, 200},
    };
    for (const Expect& e : cases) {
        EXPECT_EQ(GetLeft(e.c), 2);
        EXPECT_EQ(GetTop(e.c), 2);
        EXPECT_EQ(GetWidth(e.c), e.w) << e.c->className;
        EXPECT_EQ(GetHeight(e.c), e.h) << e.c->className;
    }
    // Before its constructor's own sizes a child is 64 x 64 at the parent's margin.
    Control* panel = CreatePanel(form, 2);
    panel->margin = 5;
    Control* inner = CreatePanel(panel, 2);
    EXPECT_EQ(GetLeft(inner), 5);
    EXPECT_EQ(GetWidth(inner), 64 + 36);
    EXPECT_EQ(GetHeight(inner), 64 + 36);
}

TEST_F(LayerTest, ChildrenTakeColoursAndFontFromTheirParent) {
    Control* form = CreateForm(app, "f");
    Control* panel = CreatePanel(form, 2);
    SetColor(panel, 0x00FFC890);
    FontSetStyle(GetFont(panel), 1);
    Control* label = CreateLabel(panel, "x");
    EXPECT_EQ(label->backColor, 0x00FFC890u);
    EXPECT_EQ(label->textColor, 0x80000008u);
    ASSERT_NE(label->font, nullptr);
    EXPECT_NE(label->font, panel->font); // a copy, not shared
    EXPECT_EQ(label->font->font.lfWeight, 700);
    EXPECT_STREQ(label->font->font.lfFaceName, "MS Sans Serif");
    // A change to the copy reaches the child's window only.
    FontSetCharset(GetFont(label), 0);
    EXPECT_EQ(panel->font->font.lfCharSet, DEFAULT_CHARSET);
    auto applied = reinterpret_cast<HFONT>(SendMessageA(GetHandle(label), WM_GETFONT, 0, 0));
    EXPECT_EQ(applied, ToolHandle(label->font));
    LOGFONTA lf{};
    GetObjectA(applied, sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfCharSet, 0);
}

TEST_F(LayerTest, SetSizeWithZeroKeepsThatDimension) {
    Control* form = CreateForm(app, "f");
    Control* c = CreateButton(form, "b");
    SetPosition(SetSize(c, 30, 40), 7, 9);
    SetSize(c, 0, 22);
    EXPECT_EQ(GetWidth(c), 30);
    EXPECT_EQ(GetHeight(c), 22);
    EXPECT_EQ(GetLeft(c), 7);
    EXPECT_EQ(GetTop(c), 9);
    // The same on a live window, read back from the window itself.
    HWND h = GetHandle(c);
    SetSize(c, 0, 17);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, 30);
    EXPECT_EQ(r.bottom - r.top, 17);
    SetSize(c, 12, 0);
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, 12);
    EXPECT_EQ(r.bottom - r.top, 17);
    EXPECT_EQ(GetLeft(c), 7); // relative to the parent's client area
    EXPECT_EQ(GetTop(c), 9);
}

TEST_F(LayerTest, SetClientSizeGivesExactlyThatClientArea) {
    Control* form = CreateForm(app, "f");
    SetClientSize(form, 157, 74);
    ASSERT_NE(form->handle, nullptr);
    RECT client;
    GetClientRect(form->handle, &client);
    EXPECT_EQ(client.right, 157);
    EXPECT_EQ(client.bottom, 74);
    EXPECT_GT(GetWidth(form), 157);              // the frame is outside
    EXPECT_FALSE(IsWindowVisible(form->handle)); // hidden until the loop shows it
    EXPECT_FALSE(IsIconic(form->handle));
    SetClientSize(form, 0, 50); // 0 keeps the width
    GetClientRect(form->handle, &client);
    EXPECT_EQ(client.right, 157);
    EXPECT_EQ(client.bottom, 50);
}

TEST_F(LayerTest, StylesOfTheConstructorsAndSetters) {
    Control* form = CreateForm(app, "f");
    Control* label = CreateLabel(form, "x");
    Control* button = CreateButton(form, "b");
    Control* edit = CreateEditBox(form, 0);
    Control* sunken = CreatePanel(form, 1);
    SetTextAlign(label, 2);
    auto style = [](Control* c) {
        return static_cast<uint32_t>(GetWindowLongA(GetHandle(c), GWL_STYLE));
    };
    auto exStyle = [](Control* c) {
        return static_cast<uint32_t>(GetWindowLongA(GetHandle(c), GWL_EXSTYLE));
    };
    EXPECT_EQ(style(label) & 0xF, static_cast<uint32_t>(SS_CENTER)); // SS_LEFTNOWORDWRAP gone
    EXPECT_EQ(style(label) & (SS_NOTIFY | SS_NOPREFIX),
              static_cast<uint32_t>(SS_NOTIFY | SS_NOPREFIX));
    EXPECT_EQ(style(button) & 0x300, static_cast<uint32_t>(BS_CENTER));
    EXPECT_TRUE(style(button) & WS_TABSTOP);
    EXPECT_EQ(style(edit) & 0xFFFF, 0xC0u);
    EXPECT_TRUE(exStyle(edit) & WS_EX_CLIENTEDGE); // edit boxes are 3-D
    EXPECT_FALSE(exStyle(label) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(style(label) & WS_BORDER);
    EXPECT_TRUE(style(sunken) & 0x1000);
    EXPECT_TRUE(exStyle(sunken) & WS_EX_CONTROLPARENT);

    SetEdge3D(label, true);
    EXPECT_TRUE(exStyle(label) & WS_EX_CLIENTEDGE);
    SetEdge3D(label, false);
    EXPECT_FALSE(exStyle(label) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(style(label) & WS_BORDER);

    // A child created after its parent turned 3-D off gets no client edge.
    Control* panel = CreatePanel(form, 2);
    SetEdge3D(panel, false);
    Control* flatEdit = CreateEditBox(panel, 0);
    EXPECT_FALSE(exStyle(flatEdit) & WS_EX_CLIENTEDGE);
}

TEST_F(LayerTest, BorderlessTopmostForm) {
    Control* form = CreateForm(app, "sd");
    SetStayOnTop(SetHasBorder(form, false), true);
    HWND h = GetHandle(form);
    const auto style = static_cast<uint32_t>(GetWindowLongA(h, GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetSize(form, 99, 23);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 99); // no frame at all
    EXPECT_EQ(client.bottom, 23);
    SetHasBorder(form, true);
    EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_CAPTION);
    // Set on a live window too.
    Control* other = CreateForm(app, "o");
    HWND o = GetHandle(other);
    EXPECT_FALSE(GetWindowLongA(o, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetStayOnTop(other, true);
    EXPECT_TRUE(GetWindowLongA(o, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(LayerTest, WindowsCarryTheirClassAndObject) {
    Control* form = CreateForm(app, "caption");
    Control* button = CreateButton(form, "b");
    Control* label = CreateLabel(form, "l");
    Control* edit = CreateEditBox(form, 0);
    HWND b = GetHandle(button);
    EXPECT_EQ(ClassNameOf(GetHandle(app)), "obj_App");
    EXPECT_EQ(ClassNameOf(GetHandle(form)), "obj_Form");
    EXPECT_EQ(ClassNameOf(b), "obj_BUTTON");
    EXPECT_EQ(ClassNameOf(GetHandle(label)), "obj_STATIC");
    EXPECT_EQ(ClassNameOf(GetHandle(edit)), "obj_EDIT");
    EXPECT_EQ(GetPropA(b, "SELF_"), static_cast<void*>(button));
    EXPECT_EQ(ControlOfWindow(GetHandle(form)), form);
    EXPECT_EQ(GetParent(b), form->handle);
    EXPECT_EQ(GetWindow(form->handle, GW_OWNER), app->handle); // forms belong to the application
    char text[32];
    GetWindowTextA(app->handle, text, sizeof text);
    EXPECT_STREQ(text, "tallowin");
    EXPECT_EQ(GetCaption(form), "caption");
    SetCaption(form, "other");
    GetWindowTextA(form->handle, text, sizeof text);
    EXPECT_STREQ(text, "other");
    // The system class still does the work: an edit box edits.
    SetCaption(edit, "typed");
    EXPECT_EQ(SendMsg(edit, WM_GETTEXTLENGTH, 0, 0), 5);
    // No icon resource in a test program: simply no icon.
    EXPECT_EQ(app->icon, nullptr);
    // The application's system menu loses size, move and maximise.
    HMENU sys = GetSystemMenu(app->handle, FALSE);
    EXPECT_EQ(GetMenuState(sys, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(sys, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(LayerTest, AChildStyleWithoutParentWindowIsRefused) {
    Control* form = CreateForm(app, "f");
    Control* button = CreateButton(form, "b");
    Control* orphan = CreateButton(form, "o");
    orphan->SetParentControl(nullptr);
    EXPECT_EQ(GetHandle(orphan), nullptr);
    orphan->SetParentControl(form);
    EXPECT_NE(GetHandle(button), nullptr);
}

namespace {
std::vector<std::string> events;

bool RecordFirstMessage(void* data, MSG&, LRESULT&) {
    auto* c = static_cast<Control*>(data);
    std::string name = c->text;
    for (const std::string& e : events)
        if (e == name) return false;
    events.push_back(name);
    return false;
}
} // namespace

TEST_F(LayerTest, ParentsGetWindowsBeforeChildrenAndChildrenInCreationOrder) {
    events.clear();
    Control* form = CreateForm(app, "form");
    Control* a = CreateButton(form, "a");
    Control* panel = CreatePanel(form, 2);
    SetCaption(panel, "panel");
    Control* inner = CreateLabel(panel, "inner");
    Control* b = CreateLabel(form, "b");
    for (Control* c : {form, a, panel, inner, b})
        c->OnMessage = MessageEvent{RecordFirstMessage, c};
    GetHandle(inner); // asking for the deepest creates the whole tree
    EXPECT_EQ(events, (std::vector<std::string>{"form", "a", "panel", "inner", "b"}));
    EXPECT_NE(b->handle, nullptr);
}

namespace {
std::string trace;

HWND watchedWindow;
void RecordDestroy(void* data, BaseObject*) {
    trace += static_cast<const char*>(data);
    if (watchedWindow && !IsWindow(watchedWindow)) trace += "(gone)";
}
} // namespace

TEST_F(LayerTest, DestructionOrder) {
    trace.clear();
    Control* form = CreateForm(app, "f");
    Control* a = CreateButton(form, "a");
    Control* b = CreateLabel(form, "b");
    Control* c = CreatePanel(form, 2);
    Control* inner = CreateLabel(c, "i");
    AddToAutoFree(form, new Traced(trace, '1'));
    AddToAutoFree(form, new Traced(trace, '2'));
    form->OnDestroy = MakeEvent(RecordDestroy, static_cast<void*>(const_cast<char*>("F")));
    a->OnDestroy = MakeEvent(RecordDestroy, static_cast<void*>(const_cast<char*>("a")));
    b->OnDestroy = MakeEvent(RecordDestroy, static_cast<void*>(const_cast<char*>("b")));
    c->OnDestroy = MakeEvent(RecordDestroy, static_cast<void*>(const_cast<char*>("c")));
    inner->OnDestroy = MakeEvent(RecordDestroy, static_cast<void*>(const_cast<char*>("i")));
    HWND formWindow = GetHandle(form);
    HWND buttonWindow = a->handle;
    watchedWindow = formWindow;
    FreeObject(form);
    watchedWindow = nullptr;
    // Destroy event, auto-free newest first, children last created first (each
    // with its own children), all while the form's window still stands.
    EXPECT_EQ(trace, "F21ciba");
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_FALSE(IsWindow(buttonWindow));
    EXPECT_EQ(ListIndexOf(app->children, form), -1);
}

TEST_F(LayerTest, FreeingTheApplicationFreesItsFormsAndReleasesTheMessageOwner) {
    trace.clear();
    std::string caption = "unset";
    static std::string* seen;
    seen = &caption;
    MessageBoxFn old = SetMessageBoxFunction(+[](void*, const char*, const char* cap, unsigned) {
        *seen = cap ? cap : "(none)";
        return 1;
    });
    Control* form = CreateForm(app, "f");
    form->OnDestroy = MakeEvent(RecordDestroy, static_cast<void*>(const_cast<char*>("F")));
    HWND appWindow = GetHandle(app);
    ShowMessage("hello");
    EXPECT_EQ(caption, "tallowin");
    Terminate(app);
    EXPECT_EQ(app, nullptr);
    EXPECT_EQ(ApplicationObject, nullptr);
    EXPECT_EQ(trace, "F");
    EXPECT_FALSE(IsWindow(appWindow));
    ShowMessage("again");
    EXPECT_EQ(caption, "(none)");
    SetMessageBoxFunction(old);
}
