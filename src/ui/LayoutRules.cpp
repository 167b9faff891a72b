#include "ui/LayoutRules.h"

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
            LayoutRect r = item.rect;
            const int32_t w = r.Width(), h = r.Height();
            switch (a) {
            case DockTop:
                r = {rest.left + m, rest.top + m, rest.right - m, rest.top + m + h};
                break;
            case DockBottom:
                r = {rest.left + m, rest.bottom - m - h, rest.right - m, rest.bottom - m};
                break;
            case DockLeft:
                r = {rest.left + m, rest.top + m, rest.left + m + w, rest.bottom - m};
                break;
            case DockRight:
                r = {rest.right - m - w, rest.top + m, rest.right - m, rest.bottom - m};
                break;
            default:
                r = {rest.left + m, rest.top + m, rest.right - m, rest.bottom - m};
                break;
            }
            ClampSize(r);
            switch (a) {
            case DockTop:
                rest.top = r.bottom;
                break;
            case DockBottom:
                rest.bottom = r.top;
                break;
            case DockLeft:
                rest.left = r.right;
                break;
            case DockRight:
                rest.right = r.left;
                break;
            default:
                break;
            }
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
    constexpr uint32_t autoHScroll = 0x80, autoVScroll = 0x40, hScroll = 0x100000,
                       vScroll = 0x200000, multiLine = 0x4;
    // Bit i set gives the style in the table; bits 0 and 1 work the other way round.
    static constexpr uint32_t whenSet[12] = {0,    0,     0x10, multiLine, 0x100, 0x400,
                                             0x20, 0x800, 0x8,  0x1000,    0,     0x2000};
    uint32_t style = 0x50810000;
    for (int i = 0; i < 12; ++i) {
        if (options & (1u << i)) style |= whenSet[i];
    }
    if (!(options & 1)) style |= autoHScroll | hScroll;
    if (!(options & 2)) style |= autoVScroll | vScroll;
    // Scroll bars only make sense on a multi-line box.
    if (!(options & 8)) style &= ~(hScroll | vScroll);
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
    return (style & 0x00C40000u) != 0 || (exStyle & 0x200u) != 0;
}

void ApplyBorder(uint32_t& style, uint32_t& exStyle, bool border, bool topLevel, bool edge3D) {
    if (border) {
        if (topLevel)
            style |= 0x00CF0000u;
        else if (edge3D)
            exStyle |= 0x200u;
        else
            style |= 0x00800000u;
    } else {
        style &= ~0x00CF0000u;
        if (topLevel) style |= 0x80000000u;
        exStyle &= ~0x10301u;
    }
}

MouseKind MouseKindOf(uint32_t msg, uint8_t* button) {
    *button = 0;
    switch (msg) {
    case 0x200:
        return MouseMove;
    case 0x20A:
        return MouseWheel;
    case 0x201:
        *button = 1;
        return MouseDown;
    case 0x202:
        *button = 1;
        return MouseUp;
    case 0x203:
        *button = 1;
        return MouseDblClk;
    case 0x204:
        *button = 2;
        return MouseDown;
    case 0x205:
        *button = 2;
        return MouseUp;
    case 0x206:
        *button = 2;
        return MouseDblClk;
    case 0x207:
        *button = 3;
        return MouseDown;
    case 0x208:
        *button = 3;
        return MouseUp;
    case 0x209:
        *button = 3;
        return MouseDblClk;
    default:
        return MouseNone;
    }
}

MouseRecord MakeMouseRecord(uint32_t msg, uint32_t wParam, uint32_t lParam, bool altDown) {
    MouseRecord rec;
    MouseKindOf(msg, &rec.button);
    rec.shift = wParam | (altDown ? 0x20u : 0u);
    rec.x = static_cast<int16_t>(lParam & 0xFFFF);
    rec.y = static_cast<int16_t>(lParam >> 16);
    return rec;
}
