// Control objects: construction and properties.
#include "ui/Control.h"
#include "ui/LayerInternal.h"
#include "ui/Services.h"
#include <cstring>

Control* ApplicationObject = nullptr;

namespace layer {
bool loopRunning = false;
bool terminated = false;
Control* creating = nullptr;
uint16_t nextControlId = 0x8000;
} // namespace layer

using namespace layer;

// ---- construction ----

Control::Control() {
    children = CreateList();
    handlers = CreateList();
}

namespace {
constexpr uint32_t kChildStyle = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kLabelStyle = kChildStyle | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;

const ControlActions buttonActions{0, BN_SETFOCUS, BN_KILLFOCUS,
                                   0, 0,           {{BS_LEFT, BS_RIGHT, BS_CENTER}, 0}};
// A label's alignment also drops SS_LEFTNOWORDWRAP, which would override it.
const ControlActions staticActions{0, 0, 0,
                                   0, 0, {{SS_LEFT, SS_RIGHT, SS_CENTER}, SS_LEFTNOWORDWRAP}};
const ControlActions editActions{0,         EN_SETFOCUS, EN_KILLFOCUS,
                                 EN_CHANGE, 0,           {{ES_LEFT, ES_RIGHT, ES_CENTER}, 0}};

void FontChanged(void* data, GraphicTool* tool) {
    auto* c = static_cast<Control*>(data);
    c->textColor = tool->color;
    if (c->handle) SendMessageA(c->handle, WM_SETFONT, (WPARAM)ToolHandle(tool), TRUE);
}

GraphicTool* NewOwnedFont(Control* c) {
    GraphicTool* f = CreateFontTool();
    f->color = c->textColor;
    f->OnChange = MakeEvent(FontChanged, static_cast<void*>(c));
    return f;
}

// Every constructor starts here: defaults, then what a child takes from its parent.
Control* NewControl(Control* parent, const char* className, bool edge3DDefault) {
    auto* c = new Control();
    c->className = className;
    c->edge3D = edge3DDefault;
    if (parent) {
        c->childrenEdge3D = parent->childrenEdge3D;
        c->edge3D = parent->childrenEdge3D ? edge3DDefault : false;
        c->textColor = parent->textColor;
        if (parent->font) c->font = ToolCopy(NewOwnedFont(c), parent->font);
        c->backColor = parent->backColor;
        if (parent->brush) c->brush = ToolCopy(CreateBrushTool(parent->backColor), parent->brush);
        const int32_t m = parent->margin;
        c->bounds = {m, m, m + Px(64), m + Px(64)};
    }
    c->SetParentControl(parent);
    return c;
}

Control* NewChild(Control* parent, const char* className, uint32_t style,
                  const ControlActions& actions, bool edge3DDefault) {
    if (!parent) return nullptr;
    Control* c = NewControl(parent, className, edge3DDefault);
    c->isChildControl = true;
    c->actions = actions;
    style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (c->edge3D) {
        style &= ~WS_BORDER;
        c->exStyle |= WS_EX_CLIENTEDGE;
    }
    c->style = style;
    c->visible = (style & WS_VISIBLE) != 0;
    c->cursor = parent->cursor;
    Control* form = ParentForm(parent);
    if (form) c->tabOrder = ++form->tabCounter;
    if (style & WS_TABSTOP) {
        c->tabStop = true;
        if (form && !form->currentControl) form->currentControl = c;
    }
    c->id = nextControlId++;
    AttachHandler(c, CommonControlHandler);
    return c;
}

bool IsLabel(const Control* c) {
    return c->className == "STATIC";
}
} // namespace

void Control::SetParentControl(Control* newParent) {
    if (parent == newParent) return;
    if (parent && parent->children) ListRemove(parent->children, this);
    parent = newParent;
    if (parent) ListAdd(parent->children, this);
}

Control* CreateApplication(const char* name) {
    // A new application starts a fresh life: no quit request left over.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    terminated = false;
    loopRunning = false;
    Control* app = NewControl(nullptr, "App", true);
    app->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    app->exStyle = WS_EX_APPWINDOW;
    app->text = name ? name : "";
    app->isApplication = true;
    ApplicationObject = app;
    AttachHandler(app, ApplicationHandler);
    return app;
}

Control* CreateForm(Control* owner, const char* caption) {
    Control* f = NewControl(owner, "Form", true);
    f->classStyle |= CS_DBLCLKS;
    f->isForm = true;
    AttachHandler(f, FormHandler);
    return SetCaption(f, caption);
}

Control* CreateButton(Control* parent, const char* caption) {
    Control* c =
        NewChild(parent, "BUTTON", kChildStyle | WS_TABSTOP | BS_PUSHLIKE, buttonActions, false);
    if (!c) return nullptr;
    c->bounds.bottom = c->bounds.top + Px(22);
    SetTextAlign(c, 2);
    return SetCaption(c, caption);
}

Control* CreateCheckBox(Control* parent, const char* caption) {
    Control* c = NewChild(parent, "BUTTON", kChildStyle | WS_TABSTOP | BS_AUTOCHECKBOX,
                          buttonActions, false);
    if (!c) return nullptr;
    c->bounds.bottom = c->bounds.top + Px(22);
    SetTextAlign(c, 2);
    SetCaption(c, caption);
    return SetWidth(c, Px(72));
}

Control* CreateLabel(Control* parent, const char* caption) {
    Control* c = NewChild(parent, "STATIC", kLabelStyle, staticActions, false);
    if (!c) return nullptr;
    c->bounds.bottom = c->bounds.top + Px(22);
    return SetCaption(c, caption);
}

Control* CreatePanel(Control* parent, int edge) {
    uint32_t style = kLabelStyle;
    if (edge == 0) style |= WS_DLGFRAME;
    if (edge == 1) style |= SS_SUNKEN;
    Control* c = NewChild(parent, "STATIC", style, staticActions, false);
    if (!c) return nullptr;
    c->bounds.right += Px(36);
    c->bounds.bottom += Px(36);
    c->exStyle |= WS_EX_CONTROLPARENT;
    return c;
}

Control* CreateEditBox(Control* parent, uint32_t options) {
    Control* c = NewChild(parent, "EDIT", EditBoxStyle(options), editActions, true);
    if (!c) return nullptr;
    const bool multiLine = (options & 8) != 0;
    c->bounds.right = c->bounds.left + Px(multiLine ? 200 : 100);
    c->bounds.bottom = c->bounds.top + Px(multiLine ? 200 : 22);
    return c;
}

// ---- properties ----

Control* ParentForm(Control* c) {
    while (c && c->isChildControl)
        c = c->parent;
    return c && c->isForm ? c : nullptr;
}

Control* ControlOfWindow(HWND hwnd) {
    if (!hwnd) return nullptr;
    return static_cast<Control*>(GetPropA(hwnd, SelfProperty));
}

HWND GetHandle(Control* c) {
    if (!c) return nullptr;
    if (!c->handle && !c->destroying) c->CreateWnd();
    return c->handle;
}

namespace {
// With a window, the bounds follow where the window really is.
void RefreshBounds(Control* c) {
    if (!c->handle || !IsWindow(c->handle)) return;
    RECT r;
    if (!GetWindowRect(c->handle, &r)) return;
    if (c->isChildControl && c->parent && c->parent->handle) {
        POINT origin{0, 0};
        ClientToScreen(c->parent->handle, &origin);
        OffsetRect(&r, -origin.x, -origin.y);
    }
    c->bounds = {r.left, r.top, r.right, r.bottom};
}

LayoutRect CurrentBounds(Control* c) {
    RefreshBounds(c);
    return c->bounds;
}
} // namespace

int GetLeft(Control* c) {
    return CurrentBounds(c).left;
}
int GetTop(Control* c) {
    return CurrentBounds(c).top;
}
int GetWidth(Control* c) {
    return CurrentBounds(c).Width();
}
int GetHeight(Control* c) {
    return CurrentBounds(c).Height();
}

Control* SetBounds(Control* c, const LayoutRect& r) {
    if (r == c->bounds) return c;
    if (r.left != c->bounds.left) c->leftSet = true;
    if (r.top != c->bounds.top) c->topSet = true;
    c->bounds = r;
    if (c->handle) {
        SetWindowPos(c->handle, nullptr, r.left, r.top, r.Width(), r.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (IsLabel(c)) InvalidateRect(c->handle, nullptr, TRUE);
    }
    return c;
}

Control* SetLeft(Control* c, int v) {
    const LayoutRect r = CurrentBounds(c);
    return SetBounds(c, {v, r.top, v + r.Width(), r.bottom});
}

Control* SetTop(Control* c, int v) {
    const LayoutRect r = CurrentBounds(c);
    return SetBounds(c, {r.left, v, r.right, v + r.Height()});
}

Control* SetWidth(Control* c, int v) {
    const LayoutRect r = CurrentBounds(c);
    return SetBounds(c, {r.left, r.top, r.left + v, r.bottom});
}

Control* SetHeight(Control* c, int v) {
    const LayoutRect r = CurrentBounds(c);
    return SetBounds(c, {r.left, r.top, r.right, r.top + v});
}

Control* SetPosition(Control* c, int x, int y) {
    return SetTop(SetLeft(c, x), y);
}

Control* SetSize(Control* c, int w, int h) {
    LayoutRect r = CurrentBounds(c);
    if (w) r.right = r.left + w;
    if (h) r.bottom = r.top + h;
    return SetBounds(c, r);
}

Control* PlaceScaled(Control* c, int x, int y, int w, int h) {
    const LayoutRect r = ScaleRect({x, y, x + w, y + h}, LayoutDpi());
    return SetSize(SetPosition(c, r.left, r.top), r.Width(), r.Height());
}

void RescaleFonts(Control* c) {
    if (!c) return;
    FontRescale(c->font);
    for (int32_t i = 0; c->children && i < c->children->count; ++i)
        RescaleFonts(static_cast<Control*>(ListGet(c->children, i)));
}

Control* SetClientSize(Control* c, int w, int h) {
    HWND hwnd = GetHandle(c);
    if (!hwnd) return c;
    RECT client;
    GetClientRect(hwnd, &client);
    LayoutRect r = CurrentBounds(c);
    if (w > 0) r.right = r.left + w + r.Width() - (client.right - client.left);
    if (h > 0) r.bottom = r.top + h + r.Height() - (client.bottom - client.top);
    return SetBounds(c, r);
}

Control* SetCaption(Control* c, const char* text) {
    c->text = text ? text : "";
    if (c->handle) {
        SetWindowTextA(c->handle, c->text.c_str());
        if (IsLabel(c)) InvalidateRect(c->handle, nullptr, TRUE);
    }
    return c;
}

std::string GetCaption(Control* c) {
    if (!c->handle) return c->text;
    // Our own window: the text messages are what GetWindowText sends.
    int n = static_cast<int>(SendMessageA(c->handle, WM_GETTEXTLENGTH, 0, 0));
    std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    int got = static_cast<int>(
        SendMessageA(c->handle, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(s.data())));
    s.resize(got > 0 ? got : 0);
    return s;
}

Control* SetColor(Control* c, uint32_t color) {
    GetHandle(c);
    if (c->backColor == color) return c;
    c->backColor = color;
    if (c->backBrush) DeleteObject(c->backBrush);
    c->backBrush = nullptr;
    if (c->brush) ToolSetColor(c->brush, color);
    if (c->handle) InvalidateRect(c->handle, nullptr, TRUE);
    return c;
}

GraphicTool* GetFont(Control* c) {
    if (!c->font) c->font = NewOwnedFont(c);
    return c->font;
}

Control* SetVisible(Control* c, bool v) {
    if (v)
        c->style |= WS_VISIBLE;
    else
        c->style &= ~WS_VISIBLE;
    c->visible = v;
    if (c->handle) {
        // A window that must never take the input is shown without it.
        ShowWindow(c->handle, !v ? SW_HIDE : c->exStyle & WS_EX_NOACTIVATE ? SW_SHOWNA : SW_SHOW);
        if (!v) c->showAfterCreation = false;
    }
    if (c->parent) Realign(c->parent);
    if (v) Realign(c);
    return c;
}

Control* SetVisibleFixed(Control* c, bool v) {
    c->visibleFixed = true;
    return SetVisible(c, v);
}

Control* SetEnabled(Control* c, bool v) {
    c->enabled = v;
    if (v)
        c->style &= ~WS_DISABLED;
    else
        c->style |= WS_DISABLED;
    if (c->handle) EnableWindow(c->handle, v);
    return c;
}

// Stores one of the two style words and applies it to a live window, frame included.
static Control* ApplyStyleWord(Control* c, uint32_t& field, int index, uint32_t value) {
    if (field == value) return c;
    field = value;
    if (c->handle) {
        SetWindowLongA(c->handle, index, static_cast<LONG>(value));
        SetWindowPos(c->handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        InvalidateRect(c->handle, nullptr, TRUE);
    }
    return c;
}

Control* SetStyle(Control* c, uint32_t style) {
    return ApplyStyleWord(c, c->style, GWL_STYLE, style);
}

Control* SetExStyle(Control* c, uint32_t exStyle) {
    return ApplyStyleWord(c, c->exStyle, GWL_EXSTYLE, exStyle);
}

namespace {
// A live window may have had its styles changed behind the object's back.
void ReadLiveStyles(Control* c) {
    if (!c->handle) return;
    c->style = static_cast<uint32_t>(GetWindowLongA(c->handle, GWL_STYLE));
    c->exStyle = static_cast<uint32_t>(GetWindowLongA(c->handle, GWL_EXSTYLE));
    c->classStyle = static_cast<uint32_t>(GetClassLongA(c->handle, GCL_STYLE));
}
} // namespace

Control* SetHasBorder(Control* c, bool b) {
    ReadLiveStyles(c);
    if (StyleHasBorder(c->style, c->exStyle) == b) return c;
    uint32_t style = c->style, exStyle = c->exStyle;
    ApplyBorder(style, exStyle, b, !c->isChildControl, c->edge3D);
    SetStyle(c, style);
    return SetExStyle(c, exStyle);
}

Control* SetStayOnTop(Control* c, bool b) {
    if (c->handle)
        SetWindowPos(c->handle, b ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    if (b)
        c->exStyle |= WS_EX_TOPMOST;
    else
        c->exStyle &= ~WS_EX_TOPMOST;
    return c;
}

Control* SetEdge3D(Control* c, bool b) {
    c->childrenEdge3D = b;
    if (c->edge3D == b) return c;
    c->edge3D = b;
    ReadLiveStyles(c);
    uint32_t style = c->style, exStyle = c->exStyle;
    if (b) {
        style &= ~WS_BORDER;
        exStyle |= WS_EX_CLIENTEDGE;
    } else {
        style |= WS_BORDER;
        exStyle &= ~WS_EX_CLIENTEDGE;
    }
    SetStyle(c, style);
    return SetExStyle(c, exStyle);
}

Control* SetTextAlign(Control* c, int a) {
    if (a < 0 || a > 2) return c;
    c->textAlign = a;
    return SetStyle(c, AlignedStyle(c->style, c->actions.align, a));
}

Control* SetAlign(Control* c, int a) {
    if (!c->alignLocked) c->dockAlign = a;
    if (c->parent) Realign(c->parent);
    return c;
}

Control* SetControlCursor(Control* c, HCURSOR cursor) {
    if (c->cursor == cursor) return c;
    c->cursor = cursor;
    if (c->handle && cursor) {
        POINT p;
        RECT r;
        if (GetCursorPos(&p) && ScreenToClient(c->handle, &p) && GetClientRect(c->handle, &r) &&
            PtInRect(&r, p))
            SetCursor(cursor);
    }
    return c;
}

Control* BringToFront(Control* c) {
    if (c->isChildControl) {
        SetFocus(GetHandle(c));
        if (Control* form = ParentForm(c)) form->currentControl = c;
    } else {
        SetForegroundWindow(GetHandle(c));
    }
    return c;
}

LRESULT SendMsg(Control* c, UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(GetHandle(c), msg, wParam, lParam);
}

void Close(Control* c) {
    if (c && c->handle) PostMessageA(c->handle, WM_CLOSE, 0, 0);
}

void SetModalResult(Control* form, int32_t result) {
    if (form) form->modalResult = result;
}

// ---- events ----

namespace {
MouseEvent* MouseEventFor(Control* c, MouseKind kind) {
    switch (kind) {
    case MouseDown:
        return &c->OnMouseDown;
    case MouseUp:
        return &c->OnMouseUp;
    case MouseDblClk:
        return &c->OnMouseDblClk;
    case MouseMove:
        return &c->OnMouseMove;
    case MouseWheel:
        return &c->OnMouseWheel;
    default:
        return nullptr;
    }
}

bool MouseDispatcher(Control* c, MSG& msg, LRESULT& result) {
    uint8_t button = 0;
    MouseEvent* event = MouseEventFor(c, MouseKindOf(msg.message, &button));
    if (!event || !*event) return false;
    MouseRecord rec = MakeMouseRecord(msg.message, static_cast<uint32_t>(msg.wParam),
                                      static_cast<uint32_t>(msg.lParam), GetKeyState(VK_MENU) < 0);
    (*event)(c, rec);
    if (!rec.stop) return false;
    result = 0;
    return true;
}
} // namespace

Control* SetOnMouseDown(Control* c, MouseEvent::Routine routine, void* data) {
    c->OnMouseDown = MouseEvent{routine, data};
    AttachHandler(c, MouseDispatcher);
    return c;
}

Control* SetOnMouseUp(Control* c, MouseEvent::Routine routine, void* data) {
    c->OnMouseUp = MouseEvent{routine, data};
    AttachHandler(c, MouseDispatcher);
    return c;
}

Control* SetOnChar(Control* c, KeyEvent::Routine routine, void* data) {
    c->OnChar = KeyEvent{routine, data};
    c->keyDispatcher = true;
    return c;
}

Control* SetOnKeyDown(Control* c, KeyEvent::Routine routine, void* data) {
    c->OnKeyDown = KeyEvent{routine, data};
    c->keyDispatcher = true;
    return c;
}

void AttachHandler(Control* c, AttachedHandler routine, bool runAfterTermination) {
    if (!c->handlers) c->handlers = CreateList();
    void* r = reinterpret_cast<void*>(routine);
    for (int32_t i = 0; i < c->handlers->count; i += 2) {
        if (ListGet(c->handlers, i) == r) return;
    }
    ListAdd(c->handlers, r);
    ListAdd(c->handlers, reinterpret_cast<void*>(static_cast<intptr_t>(runAfterTermination)));
}

void DetachHandler(Control* c, AttachedHandler routine) {
    if (!c->handlers) return;
    void* r = reinterpret_cast<void*>(routine);
    for (int32_t i = 0; i < c->handlers->count; i += 2) {
        if (ListGet(c->handlers, i) == r) {
            ListDeleteRange(c->handlers, i, 2);
            return;
        }
    }
}

bool Terminated() {
    return terminated;
}
