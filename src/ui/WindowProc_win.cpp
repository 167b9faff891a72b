// The one window procedure of the layer, its fixed dispatch order, the built-in
// handlers, the message loop and the modal loop.
#include "ui/Control.h"
#include "ui/LayerInternal.h"
#include "ui/ObjectList.h"

using namespace layer;

LRESULT layer::CallDefault(Control* c, const MSG& msg) {
    if (c && c->defaultProc)
        return CallWindowProcA(c->defaultProc, msg.hwnd, msg.message, msg.wParam, msg.lParam);
    return DefWindowProcA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

bool layer::IsMainForm(const Control* c) {
    Control* app = ApplicationObject;
    if (!c->parent) return !app || c == app;
    return app && c->parent == app && !app->parent && app->children &&
           ListGet(app->children, 0) == c;
}

namespace {
// A control in the middle of its destruction only gets the platform's handling,
// and learns when its window is gone.
LRESULT DestroyingDispatch(Control* c, const MSG& msg) {
    if (msg.message == WM_CLOSE) return 0;
    if (msg.message == WM_NCDESTROY) {
        RemovePropA(msg.hwnd, SelfProperty);
        c->windowGone = true;
    }
    return CallDefault(c, msg);
}
} // namespace

LRESULT CALLBACK layer::CommonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // While an unhandled error is reported, the windows only get the platform's
    // handling: none of the program's own code runs again.
    if (err::FatalErrorPending()) {
        Control* c = ControlOfWindow(hwnd);
        MSG msg{hwnd, message, wParam, lParam, 0, {0, 0}};
        return c ? CallDefault(c, msg) : DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return Guarded([&]() -> LRESULT {
        MSG msg{hwnd, message, wParam, lParam, 0, {0, 0}};
        Control* target = nullptr;
        if (hwnd && creating && !GetPropA(hwnd, SelfProperty)) {
            target = creating;
            target->handle = hwnd;
            SetPropA(hwnd, SelfProperty, target);
            creating = nullptr;
        } else {
            target = ControlOfWindow(hwnd);
        }
        if (!target) {
            target = ApplicationObject;
            if (!target || target->destroying) return DefWindowProcA(hwnd, message, wParam, lParam);
        }
        if (target->destroying) return DestroyingDispatch(target, msg);
        // Held for the whole dispatch: a handler may free the control, which then
        // goes only when its message is done with.
        AddRef(target);
        LRESULT result = target->WindowProc(msg);
        ReleaseRef(target);
        return result;
    });
}

namespace {
// Attached handlers, newest first; the first that consumes ends the walk.
bool DispatchAttached(Control* c, MSG& msg, LRESULT& result) {
    if (c->refWord < 0 || !c->handlers) return false;
    const bool pendingBefore = (c->refWord & 1) != 0;
    AddRef(c);
    bool consumed = false;
    for (int32_t i = c->handlers->count - 2; i >= 0; i -= 2) {
        auto routine = reinterpret_cast<AttachedHandler>(ListGet(c->handlers, i));
        const bool afterTermination = ListGet(c->handlers, i + 1) != nullptr;
        if (!routine || (terminated && !afterTermination)) continue;
        if (routine(c, msg, result)) {
            consumed = true;
            break;
        }
        if (!c->handlers) break;
    }
    // A free asked for during this walk: the message is finished here. One asked
    // for earlier lets later messages (down to WM_NCDESTROY) run their course.
    if (!pendingBefore && (c->refWord & 1)) consumed = true;
    ReleaseRef(c);
    return consumed;
}

uint32_t KeyShiftState() {
    uint32_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 4;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 8;
    if (GetKeyState(VK_MENU) < 0) shift |= kShiftAlt;
    return shift;
}

bool DispatchKey(Control* c, MSG& msg, LRESULT& result) {
    KeyEvent* event = nullptr;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        event = &c->OnKeyDown;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        event = &c->OnKeyUp;
        break;
    case WM_CHAR:
        event = &c->OnChar;
        break;
    default:
        return false;
    }
    if (!*event) return false;
    (*event)(c, msg.wParam, KeyShiftState());
    if (msg.wParam != 0) return false;
    result = 0;
    return true;
}

LRESULT HandleClose(Control* c, MSG& msg) {
    if (c->OnClose) {
        bool accept = true;
        c->OnClose(c, accept);
        if (!accept && loopRunning) return 0;
        c->OnClose = {};
    }
    if (IsMainForm(c)) {
        Control* app = ApplicationObject;
        if (app && app->handle && app->handle != c->handle)
            SendMessageA(app->handle, WM_CLOSE, 0, 0);
        PostQuitMessage(0);
        return 0;
    }
    return CallDefault(c, msg);
}

LRESULT HandleNcDestroy(Control* c, MSG& msg) {
    RemovePropA(msg.hwnd, SelfProperty);
    c->windowGone = true;
    LRESULT result = 0;
    Control* app = ApplicationObject;
    if (c->isApplication || IsMainForm(c)) {
        // The main form keeps its object; the application frees it at the end.
        result = CallDefault(c, msg);
    } else if (c->isForm && app && c->parent == app) {
        FreeObject(c);
    } else {
        result = CallDefault(c, msg);
    }
    c->handle = nullptr;
    return result;
}
} // namespace

LRESULT Control::WindowProc(MSG& msg) {
    LRESULT result = 0;
    Control* app = ApplicationObject;
    if (loopRunning && app && app != this && app->OnMessage && app->OnMessage(msg, result))
        return result;
    if (OnMessage && OnMessage(msg, result)) return result;
    if (DispatchAttached(this, msg, result)) return result;

    switch (msg.message) {
    case WM_CLOSE:
        return HandleClose(this, msg);
    case WM_NCDESTROY:
        return HandleNcDestroy(this, msg);
    case WM_SIZE: {
        result = CallDefault(this, msg);
        windowState = static_cast<int32_t>(msg.wParam);
        if (!isForm && parent) Realign(parent);
        Realign(this);
        return result;
    }
    case WM_SHOWWINDOW:
        if (msg.lParam == SW_PARENTCLOSING) {
            rememberedShow = IsIconic(msg.hwnd)   ? SW_SHOWMINNOACTIVE
                             : IsZoomed(msg.hwnd) ? SW_SHOWMAXIMIZED
                                                  : SW_SHOWNOACTIVATE;
            return CallDefault(this, msg);
        }
        if (msg.lParam == SW_PARENTOPENING) {
            if (rememberedShow) {
                ShowWindow(msg.hwnd, rememberedShow);
                rememberedShow = 0;
            }
            return 0;
        }
        return CallDefault(this, msg);
    case WM_SYSCOMMAND:
        if ((msg.wParam & kSysCommandMask) == SC_MINIMIZE && IsMainForm(this) && !isApplication &&
            app && app->handle) {
            // Minimising the main form minimises the application.
            PostMessageA(app->handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return 0;
        }
        return CallDefault(this, msg);
    case WM_SETFOCUS:
        if (enabled && tabStop) {
            ++settingFocus;
            SetFocus(msg.hwnd);
            result = CallDefault(this, msg);
            --settingFocus;
            return result;
        }
        return 0;
    case WM_SETCURSOR:
        if (!GetCapture() && LOWORD(msg.lParam) == HTCLIENT && cursor) {
            SetCursor(cursor);
            return 1;
        }
        return CallDefault(this, msg);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        // The child decides its own colours.
        auto child = reinterpret_cast<HWND>(msg.lParam);
        if (ControlOfWindow(child))
            return SendMessageA(child, msg.message + ReflectedColorBase, msg.wParam, msg.lParam);
        return CallDefault(this, msg);
    }
    case WM_COMMAND: {
        auto child = reinterpret_cast<HWND>(msg.lParam);
        if (child && ControlOfWindow(child))
            return SendMessageA(child, ReflectedCommand, msg.wParam, msg.lParam);
        return CallDefault(this, msg);
    }
    default:
        break;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        if (GetFocus() == msg.hwnd && keyDispatcher && DispatchKey(this, msg, result))
            return result;
        const bool modifier = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
        if (!modifier && msg.message == WM_CHAR && msg.wParam == VK_TAB) msg.wParam = 0;
    }
    return CallDefault(this, msg);
}

// ---- built-in handlers ----

bool layer::CommonControlHandler(Control* c, MSG& msg, LRESULT& result) {
    const UINT m = msg.message;
    if (m >= WM_CTLCOLORMSGBOX + ReflectedColorBase &&
        m <= WM_CTLCOLORSTATIC + ReflectedColorBase) {
        HDC dc = reinterpret_cast<HDC>(msg.wParam);
        SetTextColor(dc, ResolveColor(c->textColor));
        if (c->transparent) {
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, ResolveColor(c->backColor));
            result = reinterpret_cast<LRESULT>(BackgroundBrush(c));
        }
        return true;
    }
    if (m == ReflectedCommand) {
        const uint16_t code = HIWORD(msg.wParam);
        const ControlActions& a = c->actions;
        if (code == a.clickCode) {
            if (c->settingFocus == 0) c->OnClick(c);
        } else if (code == a.focusGainedCode) {
            c->OnFocusGained(c);
        } else if (code == a.focusLostCode) {
            c->OnFocusLost(c);
        } else if (code == a.changedCode) {
            c->OnChange(c);
        } else if (code == a.selectionCode) {
            c->OnSelectionChange(c);
        }
        result = CallDefault(c, msg);
        return true;
    }
    if (m == WM_SETFOCUS) {
        if (Control* form = ParentForm(c)) form->currentControl = c;
    }
    return false;
}

bool layer::ApplicationHandler(Control* c, MSG& msg, LRESULT& result) {
    if (msg.message == WM_SETFOCUS) {
        if (c->currentForm) {
            SetFocus(GetHandle(c->currentForm));
            result = 0;
            return true;
        }
        return false;
    }
    if (msg.message == WM_SYSCOMMAND && (msg.wParam & kSysCommandMask) == SC_CLOSE) {
        auto* first = c->children ? static_cast<Control*>(ListGet(c->children, 0)) : nullptr;
        if (first && IsMainForm(first)) {
            Close(first);
            result = 0;
            return true;
        }
    }
    return false;
}

// ---- Enter and Escape ----

namespace {
MessageEvent keptOnMessage;
int32_t buttonAssignments = 0;

bool KeyFilter(void*, MSG& msg, LRESULT& result);

void InstallKeyFilter() {
    Control* app = ApplicationObject;
    if (!app || app->OnMessage.routine == KeyFilter) return;
    keptOnMessage = app->OnMessage;
    app->OnMessage = MessageEvent{KeyFilter, nullptr};
}

void RemoveKeyFilter() {
    Control* app = ApplicationObject;
    if (!app || app->OnMessage.routine != KeyFilter) return;
    app->OnMessage = keptOnMessage;
    keptOnMessage = {};
}

bool UsableButton(Control* b) {
    if (!b || !b->handle || !IsWindowVisible(b->handle)) return false;
    for (Control* p = b; p; p = p->parent) {
        if (!p->enabled || !p->visible) return false;
        if (p->handle && !IsWindowEnabled(p->handle)) return false;
    }
    return true;
}

bool HandlesEnterItself(const Control* c) {
    return c->className == "BUTTON" || (c->className == "EDIT" && (c->style & ES_MULTILINE));
}

bool KeyFilter(void*, MSG& msg, LRESULT& result) {
    if (keptOnMessage && keptOnMessage(msg, result)) return true;
    if (terminated) return false;
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return false;
    if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return false;
    Control* target = ControlOfWindow(msg.hwnd);
    Control* form = ParentForm(target);
    if (!form && ApplicationObject) form = ApplicationObject->currentForm;
    if (!form) return false;
    Control* button = nullptr;
    if (msg.wParam == VK_RETURN) {
        button = form->defaultButton;
        if (button && target && target != button && target->isChildControl &&
            HandlesEnterItself(target))
            button = nullptr;
    } else {
        button = form->cancelButton;
    }
    if (!UsableButton(button)) return false;
    if (msg.message == WM_KEYDOWN) BringToFront(button);
    // A push button clicks itself on the space bar.
    SendMessageA(button->handle, msg.message, VK_SPACE, msg.lParam);
    msg.wParam = 0;
    result = 0;
    return true;
}

Control* AssignButton(Control* c, bool b, Control* Control::*slot) {
    Control* form = ParentForm(c);
    if (!form) return c;
    Control*& current = form->*slot;
    if (b) {
        if (!current) ++buttonAssignments;
        current = c;
        InstallKeyFilter();
    } else if (current == c) {
        current = nullptr;
        if (--buttonAssignments <= 0) {
            buttonAssignments = 0;
            RemoveKeyFilter();
        }
    }
    return c;
}
} // namespace

Control* SetDefaultButton(Control* c, bool b) {
    AssignButton(c, b, &Control::defaultButton);
    if (c->className == "BUTTON")
        SetStyle(c, b ? (c->style | BS_DEFPUSHBUTTON) : (c->style & ~BS_DEFPUSHBUTTON));
    return c;
}

Control* SetCancelButton(Control* c, bool b) {
    return AssignButton(c, b, &Control::cancelButton);
}

// ---- the loops ----

void ProcessMessages(Control*) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.message == 0) break;
    }
}

void RunMessageLoop(Control*& app) {
    loopRunning = true;
    ApplicationObject = app;
    if (app) app->CreateWnd();
    while (!terminated) {
        ProcessMessages(app);
        if (terminated) break;
        WaitMessage();
    }
    if (app) Terminate(app);
}

void Terminate(Control*& app) {
    const bool wasTerminated = terminated;
    terminated = true;
    loopRunning = false;
    ApplicationObject = nullptr;
    Control* a = app;
    if (!a) return;
    AddRef(a);
    if (!wasTerminated) {
        ProcessMessages(a);
        if (a->handle) SendMessageA(a->handle, WM_CLOSE, 0, 0);
    }
    app = nullptr;
    FreeObject(a);
    ReleaseRef(a);
    // Whatever the last close asked for belongs to this run, not the next one.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

namespace {
bool ModalCloseHandler(Control* c, MSG& msg, LRESULT& result) {
    if (msg.message != WM_CLOSE) return false;
    if (c->modalResult == 0) c->modalResult = -1;
    result = 0;
    return true;
}
} // namespace

int32_t ShowModal(Control* form) {
    if (!form) return 0;
    if (!form->parent || form->isChildControl) {
        GetHandle(form);
        SetVisibleFixed(form, true);
        return 0;
    }
    Control* app = ApplicationObject;
    AttachHandler(form, ModalCloseHandler);
    // Windows, not objects: a form freed meanwhile must not be touched again.
    ObjectList* disabled = CreateList();
    if (app && app->isForm) {
        if (app->handle && IsWindowEnabled(app->handle)) {
            EnableWindow(app->handle, FALSE);
            ListAdd(disabled, app->handle);
        }
    } else if (app) {
        for (int32_t i = 0; i < app->children->count; ++i) {
            auto* other = static_cast<Control*>(ListGet(app->children, i));
            if (!other || other == form || !other->isForm || !other->handle) continue;
            if (IsWindowEnabled(other->handle)) {
                EnableWindow(other->handle, FALSE);
                ListAdd(disabled, other->handle);
            }
        }
    }
    HWND previousForm = app && app->currentForm ? app->currentForm->handle : nullptr;
    Control* previousFocus = app && app->isForm ? app->currentControl : nullptr;
    if (app) app->modalForm = form;
    AddRef(form);
    form->modalResult = 0;
    HWND hwnd = GetHandle(form);
    if (hwnd) EnableWindow(hwnd, TRUE);
    form->enabled = true;
    SetVisibleFixed(form, true);
    SetForegroundWindow(hwnd);
    if (hwnd && IsWindowEnabled(hwnd)) SetFocus(hwnd);

    while (!terminated && form->modalResult == 0 && !(form->refWord & 1)) {
        ProcessMessages(app);
        if (terminated || form->modalResult != 0) break;
        WaitMessage();
    }

    if (ApplicationObject && ApplicationObject->modalForm == form)
        ApplicationObject->modalForm = nullptr;
    if (form->handlers) DetachHandler(form, ModalCloseHandler);
    for (int32_t i = 0; i < disabled->count; ++i) {
        auto w = static_cast<HWND>(ListGet(disabled, i));
        if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    FreeObject(disabled);
    if (app && app->isForm && app->handle) {
        PostMessageA(app->handle, WM_ACTIVATE, WA_ACTIVE, 0);
        if (previousFocus && ApplicationObject == app) BringToFront(previousFocus);
    } else if (previousForm && IsWindow(previousForm)) {
        PostMessageA(previousForm, WM_ACTIVATE, WA_ACTIVE, 0);
    }
    const int32_t result = form->modalResult;
    ReleaseRef(form);
    return result;
}
