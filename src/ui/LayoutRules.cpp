#include "ui/LayoutRules.h"
#include "errors/WinValues.h"

namespace {
void ClampSize(LayoutRect& r) {
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
}
} // namespace

void DockItems(const LayoutRect& client, int32_t margin, DockItem* items, int32_t count) {
    LayoutRect rest = client;
    const int32_t m = margin;
    // Edges first, so that top and bottom bars span the full width and the side
    // bars fit between them; the client item takes what is left.
    for (int pass = 0; pass < 3; ++pass) {
        for (int32_t i = 0; i < count; ++i) {
            DockItem& item = items[i];
            if (!item.visible || item.locked) continue;
            const int32_t a = item.align;
            const bool inPass = (pass == 0 && (a == DockTop || a == DockBottom)) ||
                                (pass == 1 && (a == DockLeft || a == DockRight)) ||
                                (pass == 2 && a == DockClient);
            if (!inPass) continue;
            const int32_t w = item.rect.Width(), h = item.rect.Height();
            // The item fills what is left, inset by the margin, and keeps its own
            // size across the side it docks to.
            LayoutRect r{rest.left + m, rest.top + m, rest.right - m, rest.bottom - m};
            if (a == DockTop) r.bottom = r.top + h;
            if (a == DockBottom) r.top = r.bottom - h;
            if (a == DockLeft) r.right = r.left + w;
            if (a == DockRight) r.left = r.right - w;
            ClampSize(r);
            if (a == DockTop) rest.top = r.bottom;
            if (a == DockBottom) rest.bottom = r.top;
            if (a == DockLeft) rest.left = r.right;
            if (a == DockRight) rest.right = r.left;
            item.rect = r;
        }
    }
}

uint32_t AlignedStyle(uint32_t style, const AlignStyles& styles, int32_t a) {
    if (a < 0 || a > 2) return style;
    uint32_t low = style & 0xFFFF;
    low &= ~static_cast<uint32_t>(styles.values[0] | styles.values[1] | styles.values[2]);
    low |= styles.values[a];
    low &= ~static_cast<uint32_t>(styles.alsoCleared);
    return (style & 0xFFFF0000u) | low;
}

uint32_t EditBoxStyle(uint32_t options) {
    // Bit i set gives the style in the table; bits 0 and 1 work the other way round.
    static constexpr uint32_t whenSet[12] = {0,
                                             0,
                                             kES_LOWERCASE,
                                             kES_MULTILINE,
                                             kES_NOHIDESEL,
                                             kES_OEMCONVERT,
                                             kES_PASSWORD,
                                             kES_READONLY,
                                             kES_UPPERCASE,
                                             kES_WANTRETURN,
                                             0,
                                             kES_NUMBER};
    uint32_t style = kWS_CHILD | kWS_VISIBLE | kWS_BORDER | kWS_TABSTOP;
    for (int i = 0; i < 12; ++i) {
        if (options & (1u << i)) style |= whenSet[i];
    }
    if (!(options & 1)) style |= kES_AUTOHSCROLL | kWS_HSCROLL;
    if (!(options & 2)) style |= kES_AUTOVSCROLL | kWS_VSCROLL;
    // Scroll bars only make sense on a multi-line box.
    if (!(options & 8)) style &= ~(kWS_HSCROLL | kWS_VSCROLL);
    return style;
}

uint32_t FontStyleOf(const FontAttributes& font) {
    return (font.weight >= 700 ? 1u : 0u) | (font.italic ? 2u : 0u) | (font.underline ? 4u : 0u) |
           (font.strikeOut ? 8u : 0u);
}

bool ApplyFontStyle(FontAttributes& font, uint32_t bits) {
    bits &= 0xF;
    if (bits == FontStyleOf(font)) return false;
    if (bits & 1) {
        if (font.weight < 700) font.weight = 700;
    } else if (font.weight >= 700) {
        font.weight = 0;
    }
    font.italic = (bits & 2) ? 1 : 0;
    font.underline = (bits & 4) ? 1 : 0;
    font.strikeOut = (bits & 8) ? 1 : 0;
    return true;
}

bool StyleHasBorder(uint32_t style, uint32_t exStyle) {
    return (style & (kWS_BORDER | kWS_DLGFRAME | kWS_THICKFRAME)) != 0 ||
           (exStyle & kWS_EX_CLIENTEDGE) != 0;
}

void ApplyBorder(uint32_t& style, uint32_t& exStyle, bool border, bool topLevel, bool edge3D) {
    if (border) {
        if (topLevel)
            style |= kWS_OVERLAPPEDWINDOW;
        else if (edge3D)
            exStyle |= kWS_EX_CLIENTEDGE;
        else
            style |= kWS_BORDER;
    } else {
        style &= ~kWS_OVERLAPPEDWINDOW;
        if (topLevel) style |= kWS_POPUP;
        exStyle &=
            ~(kWS_EX_DLGMODALFRAME | kWS_EX_WINDOWEDGE | kWS_EX_CLIENTEDGE | kWS_EX_CONTROLPARENT);
    }
}

MouseKind MouseKindOf(uint32_t msg, uint8_t* button) {
    struct Kind {
        MouseKind kind;
        uint8_t button;
    };
    // Indexed by msg - WM_MOUSEMOVE: the mouse messages are numbered in a row.
    static constexpr Kind kinds[] = {{MouseMove, 0},   {MouseDown, 1}, {MouseUp, 1},
                                     {MouseDblClk, 1}, {MouseDown, 2}, {MouseUp, 2},
                                     {MouseDblClk, 2}, {MouseDown, 3}, {MouseUp, 3},
                                     {MouseDblClk, 3}, {MouseWheel, 0}};
    static_assert(kWM_MOUSEWHEEL - kWM_MOUSEMOVE + 1 == sizeof kinds / sizeof kinds[0]);
    *button = 0;
    if (msg < kWM_MOUSEMOVE || msg > kWM_MOUSEWHEEL) return MouseNone;
    *button = kinds[msg - kWM_MOUSEMOVE].button;
    return kinds[msg - kWM_MOUSEMOVE].kind;
}

MouseRecord MakeMouseRecord(uint32_t msg, uint32_t wParam, uint32_t lParam, bool altDown) {
    MouseRecord rec;
    MouseKindOf(msg, &rec.button);
    rec.shift = wParam | (altDown ? kShiftAlt : 0u);
    rec.x = static_cast<int16_t>(lParam & 0xFFFF);
    rec.y = static_cast<int16_t>(lParam >> 16);
    return rec;
}

int32_t ScalePixels(int32_t px, int dpi) {
    // (|px| * |dpi| + 48) / 96 with the sign of the product, halves away from
    // zero. Each factor is split as q * 96 + r, so that the quotient is
    // q_px * |dpi| + r_px * q_dpi + (r_px * r_dpi + 48) / 96, exact in 32 bits
    // (modulo 2^32, as the cast of a 64-bit result would give): a 64-bit
    // division would bring the library's routine for it.
    const uint32_t p = px < 0 ? 0u - static_cast<uint32_t>(px) : static_cast<uint32_t>(px);
    const uint32_t d = dpi < 0 ? 0u - static_cast<uint32_t>(dpi) : static_cast<uint32_t>(dpi);
    const uint32_t base = kBaseDpi;
    const uint32_t rp = p % base, rd = d % base;
    const uint32_t magnitude = p / base * d + rp * (d / base) + (rp * rd + base / 2) / base;
    return static_cast<int32_t>((px < 0) != (dpi < 0) ? 0u - magnitude : magnitude);
}

LayoutRect ScaleRect(const LayoutRect& r, int dpi) {
    return {ScalePixels(r.left, dpi), ScalePixels(r.top, dpi), ScalePixels(r.right, dpi),
            ScalePixels(r.bottom, dpi)};
}

int32_t ScaleFontHeight(int32_t height, int dpi, int32_t systemCellHeight96) {
    if (dpi == kBaseDpi) return height;
    return ScalePixels(height ? height : systemCellHeight96, dpi);
}
