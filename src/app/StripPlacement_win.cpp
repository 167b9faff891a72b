#include "app/StripPlacement.h"
#include "app/Placement.h"
#include "app/Unit1.h"

namespace {
// Not declared for the Windows XP target we build for.
constexpr UINT kWmDpiChanged = 0x02E0;

void SetStripPlace(Control* form, StripPlace place) {
    if (place.top != GetTop(form)) SetTop(form, place.top);
    if (place.left != GetLeft(form)) SetLeft(form, place.left);
}

// A monitor went, or a bar took more room: a strip no monitor shows any more
// comes back by the start-up rules.
void BringBackUnseenStrip(MainForm* s) {
    const std::vector<MonitorFacts> monitors = ReadMonitors();
    const int n = static_cast<int>(monitors.size());
    const StripPlace now{GetLeft(s->form), GetTop(s->form)};
    if (n == 0 || StripShown(now, LayoutDpi(), monitors.data(), n)) return;
    const StripLayout layout = KeepOnMonitors(now, LayoutDpi(), monitors.data(), n);
    if (layout.dpi != LayoutDpi()) ScaleStrip(s, layout.dpi);
    SetStripPlace(s->form, layout.place);
}

bool StripDisplayHandler(Control* form, MSG& msg, LRESULT& result) {
    MainForm* s = MainFormRecord;
    if (!s || s->form != form) return false;
    switch (msg.message) {
    case kWmDpiChanged: {
        // Moved onto a monitor of another scale: the size Windows suggests, and
        // everything inside made again at the new scale.
        ScaleStrip(s, HIWORD(msg.wParam));
        const RECT* r = reinterpret_cast<const RECT*>(msg.lParam);
        if (r) SetBounds(form, {r->left, r->top, r->right, r->bottom});
        result = 0;
        return true;
    }
    case WM_DISPLAYCHANGE:
        BringBackUnseenStrip(s);
        return false;
    case WM_SETTINGCHANGE:
        if (msg.wParam == SPI_SETWORKAREA) BringBackUnseenStrip(s);
        return false;
    }
    return false;
}
} // namespace

void ScaleStrip(MainForm* s, int dpi) {
    SetLayoutDpi(dpi);
    Control* form = s->form;
    form->margin = Px(2);
    PlaceScaled(s->ScreenNumberLabel, 28, 1, 19, 20);
    PlaceScaled(s->SwitchButton, 0, 0, 28, 20);
    PlaceScaled(s->AboutButton, 47, 0, 24, 20);
    PlaceScaled(s->QuitButton, 71, 0, 24, 20);
    SetWidth(form, Px(kStripWidth));
    SetHeight(form, Px(kStripHeight));
    Realign(form);
    RescaleFonts(form);
}

void PlaceStripAtStart(MainForm* s) {
    Control* form = s->form;
    const std::vector<MonitorFacts> monitors = ReadMonitors();
    const int n = static_cast<int>(monitors.size());
    const StripLayout home = DefaultStripPlace(monitors.data(), n);
    // Built for 96 dpi; laid out again for any other scale.
    if (n > 0 && home.dpi != kBaseDpi) ScaleStrip(s, home.dpi);
    SetWidth(form, Px(kStripWidth));
    SetHeight(form, Px(kStripHeight));
    if (n > 0) SetStripPlace(form, home.place);
    AttachHandler(form, StripDisplayHandler);
}

void KeepStripOnMonitors(MainForm* s) {
    const std::vector<MonitorFacts> monitors = ReadMonitors();
    const int n = static_cast<int>(monitors.size());
    if (n == 0) return;
    const StripLayout layout =
        KeepOnMonitors({GetLeft(s->form), GetTop(s->form)}, LayoutDpi(), monitors.data(), n);
    if (layout.dpi != LayoutDpi()) ScaleStrip(s, layout.dpi);
    SetStripPlace(s->form, layout.place);
}
