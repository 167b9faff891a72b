#include "settings/ToolTip1.h"
#include "errors/Wide_win.h"
#include "ui/Services_win.h"
#include <commctrl.h>
#include <cstddef>

namespace {
// The tool record in its original 44-byte form, which every comctl32 version
// accepts. The headers' TOOLINFOW has grown since.
struct ToolRecord {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPCWSTR lpszText;
    LPARAM lParam;
};
static_assert(sizeof(ToolRecord) == 44, "the tool record is 44 bytes");
static_assert(offsetof(ToolRecord, lpszText) == offsetof(TOOLINFOW, lpszText),
              "the tool record starts like TOOLINFOA");
} // namespace

HWND CreateToolTipWindow(HWND owner, HINSTANCE instance) {
    InitCommonControlsFor(ICC_WIN95_CLASSES);
    HWND toolTip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    SetWindowPos(toolTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return toolTip;
}

bool SetToolTip(HWND toolTip, HWND control, const char* text) {
    if (!toolTip || !control) return false;
    ToolRecord tool{};
    tool.cbSize = sizeof tool;
    // Identified by the control's handle; the tooltip watches its mouse itself.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // A hint may name another program's window, whose title is in any script.
    const WideText wide(text ? text : "");
    tool.lpszText = wide;
    if (text && *text)
        return SendMessageA(toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    SendMessageA(toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}
