// A strip built with the window layer, for looking at: borderless, topmost, a
// light blue panel filling it, a bold centred number and three bold buttons.
// Optional parameters: seconds until it ends by itself, then left and top.
#include "ui/Control.h"
#include "ui/Services_win.h"

namespace {
Control* Bold(Control* c) {
    FontSetCharset(FontSetStyle(GetFont(c), 1), 0);
    return c;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Control* app = CreateApplication("tallowin");
    Control* form = CreateForm(app, "sd");
    SetStayOnTop(SetHasBorder(form, false), true);
    Control* panel = CreatePanel(form, 2);
    SetAlign(panel, DockClient);
    SetColor(panel, 0x00FFC890);
    Control* label = Bold(SetSize(SetPosition(CreateLabel(panel, "1"), 28, 1), 19, 20));
    SetTextAlign(label, 2);
    Bold(SetSize(SetPosition(CreateButton(panel, "2"), 0, 0), 28, 20));
    Bold(SetSize(SetPosition(CreateButton(panel, "?"), 47, 0), 24, 20));
    Bold(SetSize(SetPosition(CreateButton(panel, "X"), 71, 0), 24, 20));
    const int left = GetParamCount() >= 3 ? TextToInt(GetParam(2)) : 880;
    const int top = GetParamCount() >= 3 ? TextToInt(GetParam(3)) : 700;
    SetSize(SetPosition(form, left, top), 99, 23);

    const int seconds = TextToInt(GetParam(1));
    if (seconds > 0) {
        Timer* end = CreateTimer(seconds * 1000);
        AddToAutoFree(form, end);
        end->OnTimer = MakeEvent(
            +[](void* f, BaseObject*) { Close(static_cast<Control*>(f)); },
            static_cast<void*>(form));
        TimerSetEnabled(end, true);
    }
    RunMessageLoop(app);
    return 0;
}
