// Giving a Control its window, taking it down again in a fixed order, docking,
// and the form background.
#include "ui/Control.h"
#include "ui/LayerInternal.h"
#include "ui/Menu.h"
#include "ui/Services_win.h"
#include <vector>

using namespace layer;

namespace {
bool IsSystemClass(const std::string& name, WNDCLASSA* info) {
    return !name.empty() && GetClassInfoA(nullptr, name.c_str(), info);
}

// Registers name ("obj_" + class) once. A control of a system class keeps that
// class's attributes and procedure; everything it does not consume goes on to it.
bool EnsureWindowClass(Control* c, const std::string& name) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA system{};
    const bool isSystem = IsSystemClass(c->className, &system);
    c->defaultProc = isSystem ? system.lpfnWndProc : nullptr;
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, name.c_str(), &existing)) return true;
    WNDCLASSA wc{};
    if (isSystem) {
        wc = system;
        wc.style &= ~(CS_GLOBALCLASS | CS_OWNDC | CS_CLASSDC | CS_PARENTDC);
    } else {
        wc.style = c->classStyle;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    wc.lpfnWndProc = CommonWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = name.c_str();
    wc.lpszMenuName = nullptr;
    return RegisterClassA(&wc) != 0;
}

void AfterApplicationCreated(Control* app) {
    SetMessageOwner(app->handle);
    HMENU sys = GetSystemMenu(app->handle, FALSE);
    if (!sys) return;
    EnableMenuItem(sys, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    DeleteMenu(sys, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(sys, SC_MOVE, MF_BYCOMMAND);
    DeleteMenu(sys, SC_MAXIMIZE, MF_BYCOMMAND);
}

void SetWindowIcon(Control* c) {
    if (c->isChildControl || c->noIcon) return;
    Control* app = ApplicationObject;
    if (c->isApplication) {
        // Without the resource there is simply no icon.
        c->icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
        c->iconShared = true;
    } else if (app && app->icon) {
        c->icon = static_cast<HICON>(CopyImage(app->icon, IMAGE_ICON, 0, 0, 0));
        c->iconShared = false;
    }
    if (c->icon) SendMessageA(c->handle, WM_SETICON, ICON_BIG, (LPARAM)c->icon);
}

void CreateChildWindows(Control* c) {
    for (int32_t i = 0; i < c->children->count; ++i) {
        if (auto* child = static_cast<Control*>(ListGet(c->children, i))) child->CreateWnd();
    }
}
} // namespace

bool Control::CreateWnd() {
    if (destroying) return false;
    if (parent && !parent->handle && !parent->CreateWnd()) return false;
    if (handle) {
        // Windows made before the loop ran stay hidden until the loop shows them.
        CreateChildWindows(this);
        if (showAfterCreation && loopRunning) {
            showAfterCreation = false;
            SetVisible(this, true);
        }
        return true;
    }
    const std::string windowClass = "obj_" + className;
    if (!EnsureWindowClass(this, windowClass)) return false;
    HWND parentWindow = parent ? parent->handle : nullptr;
    if ((style & WS_CHILD) && !parentWindow) return false;

    if (!loopRunning && !visibleFixed && (style & WS_VISIBLE)) {
        style &= ~WS_VISIBLE;
        showAfterCreation = true;
    }
    int x = bounds.left, y = bounds.top, w = bounds.Width(), h = bounds.Height();
    if (!isChildControl) {
        // Only top-level windows have a default size; for a child it would wipe
        // out the other dimension too (a docked child squeezed to width 0).
        if (w == 0) w = CW_USEDEFAULT;
        if (h == 0) h = CW_USEDEFAULT;
        // With x left to the system, an overlapped window reads y as its show
        // command: y = 2 would start it minimised. Leave y to the system too.
        if (!leftSet && !topSet) x = y = CW_USEDEFAULT;
    }
    // A child control's identifier, or a top-level window's menu bar: a menu made
    // before the window has no window to attach itself to, so it comes in here.
    HMENU menuOrId = nullptr;
    if (isChildControl)
        menuOrId = reinterpret_cast<HMENU>(static_cast<uintptr_t>(id));
    else if (menu && menu->isMenuBar)
        menuOrId = menu->handle;

    Control* outer = creating;
    creating = this;
    HWND hwnd = CreateWindowExA(exStyle, windowClass.c_str(), text.c_str(), style, x, y, w, h,
                                parentWindow, menuOrId, GetModuleHandleA(nullptr), nullptr);
    creating = outer;
    if (!hwnd) {
        handle = nullptr;
        return false;
    }
    handle = hwnd;
    windowGone = false;
    SendMessageA(hwnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (!GetPropA(hwnd, SelfProperty)) SetPropA(hwnd, SelfProperty, this);
    SetWindowIcon(this);
    if (isApplication) AfterApplicationCreated(this);
    ApplyFont(this);
    CreateChildWindows(this);
    Realign(this);
    return true;
}

void layer::ApplyFont(Control* c) {
    if (c->font && c->handle)
        SendMessageA(c->handle, WM_SETFONT, (WPARAM)ToolHandle(c->font), TRUE);
}

HBRUSH layer::BackgroundBrush(Control* c) {
    if (!c->backBrush) c->backBrush = CreateSolidBrush(ResolveColor(c->backColor));
    return c->backBrush;
}

void Control::Destroy() {
    destroying = true;
    Control* app = ApplicationObject;
    // 1. Nobody may keep pointing at this control.
    if (Control* form = ParentForm(parent)) {
        if (form->currentControl == this) form->currentControl = nullptr;
        if (form->defaultButton == this) SetDefaultButton(this, false);
        if (form->cancelButton == this) SetCancelButton(this, false);
    }
    if (app && app != this) {
        if (app->currentForm == this) app->currentForm = nullptr;
        if (app->modalForm == this) app->modalForm = nullptr;
    }
    // 2.
    if (handle && IsWindow(handle)) ShowWindow(handle, SW_HIDE);
    // 3. The destroy event, then what was given to this control to free.
    DestroyBasePart();
    // 4. Children, last created first. One still referenced is freed later by
    // its holder; it no longer belongs here.
    for (int32_t i = children->count - 1; i >= 0; --i) {
        auto* child = static_cast<Control*>(ListGet(children, i));
        if (!child) continue;
        if (child->refWord != 0) {
            ListDelete(children, i);
            child->parent = nullptr;
        }
        FreeObject(child);
    }
    ListClear(children);
    // 5. Drawing tools.
    FreeObject(font);
    font = nullptr;
    FreeObject(brush);
    brush = nullptr;
    // 6. Menus, icon, window.
    FreeMenuChain(this);
    if (handle) {
        if (IsWindow(handle) && !windowGone) {
            if (icon) SendMessageA(handle, WM_SETICON, ICON_BIG, 0);
            DestroyWindow(handle);
            if (IsWindow(handle)) RemovePropA(handle, SelfProperty);
        }
        handle = nullptr;
    }
    if (icon && !iconShared) DestroyIcon(icon);
    icon = nullptr;
    // 7.
    if (parent) {
        if (Control* form = ParentForm(parent))
            if (form->currentControl == this) form->currentControl = nullptr;
        ListRemove(parent->children, this);
        parent = nullptr;
    }
    if (backBrush) DeleteObject(backBrush);
    backBrush = nullptr;
    FreeObject(handlers);
    handlers = nullptr;
    FreeObject(children);
    children = nullptr;
    if (isApplication) {
        SetMessageOwner(nullptr);
        if (ApplicationObject == this) ApplicationObject = nullptr;
    }
    if (creating == this) creating = nullptr;
    delete this;
}

void Realign(Control* c) {
    if (!c || !c->handle || !c->children || c->destroying) return;
    std::vector<DockItem> items;
    // The docked children, in the order of the list; the second walk below meets
    // them again in the same order.
    auto docked = [c](int32_t i) -> Control* {
        auto* child = static_cast<Control*>(ListGet(c->children, i));
        return child && child->dockAlign != DockNone ? child : nullptr;
    };
    for (int32_t i = 0; i < c->children->count; ++i) {
        Control* child = docked(i);
        if (!child) continue;
        GetLeft(child); // refresh from the window
        items.push_back({child->dockAlign, child->visible, child->alignLocked, child->bounds});
    }
    if (items.empty()) return;
    RECT client;
    GetClientRect(c->handle, &client);
    DockItems({client.left, client.top, client.right, client.bottom}, c->margin, items.data(),
              static_cast<int32_t>(items.size()));
    size_t n = 0;
    for (int32_t i = 0; i < c->children->count && n < items.size(); ++i) {
        Control* child = docked(i);
        if (!child) continue;
        const LayoutRect rect = items[n++].rect;
        const LayoutRect old = child->bounds;
        if (rect == old) continue;
        SetBounds(child, rect);
        if (rect.Width() != old.Width() || rect.Height() != old.Height()) Realign(child);
    }
}

bool layer::FormHandler(Control* c, MSG& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_ENDSESSION:
        if (msg.wParam) {
            // Log-off: end the run the ordinary way, then the process, at once.
            loopRunning = false;
            Control* app = ApplicationObject;
            ApplicationObject = nullptr;
            terminated = true;
            FreeObject(app);
            ExitProcess(0);
        }
        return false;
    case WM_SETFOCUS: {
        if (Control* app = ApplicationObject) app->currentForm = c;
        Control* current = c->currentControl;
        if (!current) return false;
        SetFocus(GetHandle(current));
        result = 0;
        return true;
    }
    case WM_ERASEBKGND: {
        result = 1;
        CreateChildWindows(c);
        if (!c->transparent) {
            HDC dc = reinterpret_cast<HDC>(msg.wParam);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, ResolveColor(c->backColor));
            SetBrushOrgEx(dc, 0, 0, nullptr);
            RECT r;
            GetClientRect(c->handle, &r);
            FillRect(dc, &r, BackgroundBrush(c));
        }
        return false;
    }
    default:
        return false;
    }
}
