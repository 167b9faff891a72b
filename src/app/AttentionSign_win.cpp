#include "app/AttentionSign.h"
#include "screens/ScreenModel.h"
#include "settings/ToolTip1.h"

namespace {
// The colour Windows gives a taskbar button that asks for attention.
constexpr COLORREF kSignColor = RGB(255, 160, 40);
UINT shellHookMessage;

// The shell reports a window that starts or stops flashing its taskbar button, and
// one that is gone. Wine reports nothing: there a test sends what Windows sends.
bool ShellHookMessage(Control*, MSG& msg, LRESULT& result) {
    if (msg.message != shellHookMessage || !shellHookMessage) return false;
    const uintptr_t window = static_cast<uintptr_t>(msg.lParam);
    bool changed = false;
    if (msg.wParam == HSHELL_FLASH)
        changed = Screens.Ask(window);
    else if (msg.wParam == HSHELL_REDRAW || msg.wParam == HSHELL_WINDOWDESTROYED)
        changed = Screens.StopAsking(window);
    if (changed) ShowSwitchHint(MainFormRecord);
    result = 0;
    return true;
}

// The marked switch button: the frame and caption of a push button on the sign's
// colour. The only item of ours drawn by us.
bool DrawMarkedButton(Control*, MSG& msg, LRESULT& result) {
    MainForm* s = MainFormRecord;
    if (msg.message != WM_DRAWITEM || !s) return false;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(msg.lParam);
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    DrawFrameControl(dc, &r, DFC_BUTTON,
                     item->itemState & ODS_SELECTED ? DFCS_BUTTONPUSH | DFCS_PUSHED
                                                    : DFCS_BUTTONPUSH);
    r = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    HBRUSH brush = CreateSolidBrush(kSignColor);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item->hwndItem, WM_GETFONT, 0, 0)));
    DrawTextA(dc, s->SwitchButton->text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    result = TRUE;
    return true;
}
} // namespace

void StartAttentionSign(MainForm* s) {
    shellHookMessage = RegisterWindowMessageA("SHELLHOOK");
    AttachHandler(s->form, ShellHookMessage);
    AttachHandler(s->DragPanel, DrawMarkedButton);
    RegisterShellHookWindow(GetHandle(s->form));
}

void EndAttentionSign() {
    DeregisterShellHookWindow(StripWindow());
}

void ShowSwitchHint(MainForm* s) {
    if (!s || Screens.Ended) return;
    const StripTexts texts = Screens.Texts();
    HWND button = GetHandle(s->SwitchButton);
    SetToolTip(s->ToolTipWindow, button, "");
    SetToolTip(s->ToolTipWindow, button, texts.switchHint.c_str());
    // A push button takes no colour of ours: it is drawn here while it is marked,
    // and is the system's own button, exactly as ever, when it is not.
    const LONG type = texts.sign ? BS_OWNERDRAW : s->SwitchButton->style & BS_TYPEMASK;
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    if ((style & BS_TYPEMASK) == type) return;
    SetWindowLongA(button, GWL_STYLE, (style & ~BS_TYPEMASK) | type);
    InvalidateRect(button, nullptr, TRUE);
}
