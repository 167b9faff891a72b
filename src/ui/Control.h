// The window objects: the application object, forms and child controls, each a
// Control that owns its window; their drawing tools, events and timers. Only
// Win32 sources and Windows tests include this header.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include "ui/GraphicTool.h"
#include "ui/LayoutRules.h"
#include "ui/Object.h"
#include "ui/ObjectList.h"

class Control;
class Menu;

// ---- events ----

// Raised for every message before anything else; returns true when handled.
struct MessageEvent {
    using Routine = bool (*)(void* data, MSG& msg, LRESULT& result);
    Routine routine = nullptr;
    void* data = nullptr;
    explicit operator bool() const { return routine != nullptr; }
    bool operator()(MSG& msg, LRESULT& result) const {
        return routine ? routine(data, msg, result) : false;
    }
};

using MouseEvent = EventRef<BaseObject*, MouseRecord&>;
// Key code by reference (set it to 0 to consume the key), then the shift state.
using KeyEvent = EventRef<BaseObject*, WPARAM&, uint32_t>;
// Accept flag by reference, preset true.
using CloseEvent = EventRef<BaseObject*, bool&>;

// A handler attached to a control; returns true when it consumed the message.
using AttachedHandler = bool (*)(Control* control, MSG& msg, LRESULT& result);

// ---- controls ----

// Per-class notification codes of a reflected WM_COMMAND and the alignment styles.
struct ControlActions {
    uint16_t clickCode = 0, focusGainedCode = 0, focusLostCode = 0, changedCode = 0,
             selectionCode = 0;
    AlignStyles align;
};

class Control : public BaseObject {
  public:
    Control();

    HWND handle = nullptr;
    Control* parent = nullptr;      // borrowed
    ObjectList* children = nullptr; // owned, in creation order

    bool isApplication = false;
    bool isForm = false;
    bool isChildControl = false;

    std::string className;
    ControlActions actions;
    uint32_t style = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    uint32_t exStyle = 0;
    uint32_t classStyle = CS_OWNDC;

    LayoutRect bounds;
    bool leftSet = false, topSet = false;
    int32_t margin = 2;
    std::string text;

    uint32_t textColor = kColorWindowText;
    uint32_t backColor = kColorButtonFace;
    GraphicTool* font = nullptr;  // owned
    GraphicTool* brush = nullptr; // owned
    HBRUSH backBrush = nullptr;   // owned, cached from backColor
    bool transparent = false;

    HCURSOR cursor = nullptr;
    uint16_t id = 0;
    bool visible = true, visibleFixed = false, showAfterCreation = false;
    bool enabled = true, tabStop = false;
    int32_t tabOrder = 0;
    int32_t tabCounter = 0; // forms: tab orders handed out so far
    bool edge3D = true, childrenEdge3D = true;
    int32_t textAlign = 0;
    int32_t dockAlign = DockNone;
    bool alignLocked = false;

    HICON icon = nullptr;
    bool iconShared = false; // not ours to destroy
    bool noIcon = false;     // the "-1" icon: none wanted

    Control* currentControl = nullptr; // forms: the focused control
    Control* currentForm = nullptr;    // application: the active form
    Control* modalForm = nullptr;      // application: the form shown modally
    Control* defaultButton = nullptr;  // forms: clicked by Enter
    Control* cancelButton = nullptr;   // forms: clicked by Escape
    int32_t modalResult = 0;

    NotifyEvent OnClick;
    MessageEvent OnMessage;
    CloseEvent OnClose;
    MouseEvent OnMouseDown, OnMouseUp, OnMouseMove, OnMouseDblClk, OnMouseWheel;
    KeyEvent OnChar, OnKeyDown, OnKeyUp;
    NotifyEvent OnFocusGained, OnFocusLost, OnChange, OnSelectionChange;

    ObjectList* handlers = nullptr; // pairs (routine, run-after-termination flag)
    bool keyDispatcher = false;     // key events go to OnKeyDown/OnKeyUp/OnChar
    Menu* menu = nullptr;           // owned chain of menus

    WNDPROC defaultProc = nullptr; // the system class's procedure, if any
    bool destroying = false;       // destruction has begun
    bool windowGone = false;       // WM_NCDESTROY seen
    int32_t settingFocus = 0;
    int32_t windowState = 0;
    int32_t rememberedShow = 0;

    void Destroy() override;
    virtual void SetParentControl(Control* newParent);
    // Gives the control (and its parents and children) their windows.
    virtual bool CreateWnd();
    virtual LRESULT WindowProc(MSG& msg);

  protected:
    ~Control() override = default;
};

// The one application object; null before CreateApplication and after it ends.
extern Control* ApplicationObject;

// Constructors; child constructors need a parent.
Control* CreateApplication(const char* name);
Control* CreateForm(Control* owner, const char* caption);
Control* CreateButton(Control* parent, const char* caption);
Control* CreateCheckBox(Control* parent, const char* caption);
Control* CreateLabel(Control* parent, const char* caption);
Control* CreatePanel(Control* parent, int edge);
Control* CreateEditBox(Control* parent, uint32_t options);

// Properties; setters return the control they were given.
HWND GetHandle(Control* c);
int GetLeft(Control* c);
int GetTop(Control* c);
int GetWidth(Control* c);
int GetHeight(Control* c);
Control* SetLeft(Control* c, int v);
Control* SetTop(Control* c, int v);
Control* SetWidth(Control* c, int v);
Control* SetHeight(Control* c, int v);
Control* SetPosition(Control* c, int x, int y);
Control* SetSize(Control* c, int w, int h);
Control* SetClientSize(Control* c, int w, int h);
// Position and size given in the 96-dpi layout, set at LayoutDpi.
Control* PlaceScaled(Control* c, int x, int y, int w, int h);
// Makes the fonts of c and its children again at LayoutDpi.
void RescaleFonts(Control* c);
Control* SetBounds(Control* c, const LayoutRect& r);
Control* SetCaption(Control* c, const char* text);
std::string GetCaption(Control* c);
Control* SetColor(Control* c, uint32_t color);
GraphicTool* GetFont(Control* c);
Control* SetVisible(Control* c, bool v);
Control* SetVisibleFixed(Control* c, bool v);
Control* SetEnabled(Control* c, bool v);
Control* SetStyle(Control* c, uint32_t style);
Control* SetExStyle(Control* c, uint32_t exStyle);
Control* SetHasBorder(Control* c, bool b);
Control* SetStayOnTop(Control* c, bool b);
Control* SetEdge3D(Control* c, bool b);
Control* SetTextAlign(Control* c, int a);
Control* SetAlign(Control* c, int a);
Control* SetControlCursor(Control* c, HCURSOR cursor);
Control* SetDefaultButton(Control* c, bool b);
Control* SetCancelButton(Control* c, bool b);
Control* BringToFront(Control* c);
LRESULT SendMsg(Control* c, UINT msg, WPARAM wParam, LPARAM lParam);
void Close(Control* c);
// Ends a modal showing of form with result.
void SetModalResult(Control* form, int32_t result);
// Re-places the docked children of c inside its client area.
void Realign(Control* c);
// The form c belongs to (c itself for a form), or null.
Control* ParentForm(Control* c);
// The control bound to a window of the layer, or null.
Control* ControlOfWindow(HWND hwnd);

// Events and handlers.
Control* SetOnMouseDown(Control* c, MouseEvent::Routine routine, void* data);
Control* SetOnMouseUp(Control* c, MouseEvent::Routine routine, void* data);
Control* SetOnChar(Control* c, KeyEvent::Routine routine, void* data);
Control* SetOnKeyDown(Control* c, KeyEvent::Routine routine, void* data);
void AttachHandler(Control* c, AttachedHandler routine, bool runAfterTermination = false);
void DetachHandler(Control* c, AttachedHandler routine);

// The message loop.
void RunMessageLoop(Control*& app);
void ProcessMessages(Control* app);
void Terminate(Control*& app);
int32_t ShowModal(Control* form);
bool Terminated();

// ---- timers ----

class Timer : public BaseObject {
  public:
    UINT_PTR timerId = 0;
    bool enabled = false;
    uint32_t interval = 1000;
    NotifyEvent OnTimer;

    void Destroy() override;
    virtual void SetEnabled(bool on);

  protected:
    ~Timer() override = default;
};

Timer* CreateTimer(int32_t interval);
Timer* TimerSetEnabled(Timer* timer, bool on);
// The hidden window shared by all timers; null while no timer has run.
Control* TimerWindow();
