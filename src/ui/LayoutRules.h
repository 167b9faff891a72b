// The arithmetic behind the window layer: docking, style words built from option
// bits, font style bits, border decisions and the mouse record. Plain values in
// and out, so every rule can be checked without a window.
#pragma once
#include <cstdint>

struct LayoutRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const LayoutRect&) const = default;
};

// The layer's alignment values, 0 to 5 in this order.
enum DockAlign : int32_t { DockNone, DockLeft, DockTop, DockRight, DockBottom, DockClient };

struct DockItem {
    int32_t align = DockNone;
    bool visible = true;
    bool locked = false;
    LayoutRect rect; // in the parent's client coordinates; replaced by the result
};

// Places the docked items inside client, in three passes (top/bottom, then
// left/right, then client), each inset by margin from the edges it touches.
// Widths and heights that come out negative are clamped to 0.
void DockItems(const LayoutRect& client, int32_t margin, DockItem* items, int32_t count);

// Per-class text alignment style values (left, right, centre) and the bits
// removed whenever the alignment is set.
struct AlignStyles {
    uint16_t values[3] = {0, 0, 0};
    uint8_t alsoCleared = 0;
};
// The style word with its low word re-aligned to a (0 left, 1 right, 2 centre).
uint32_t AlignedStyle(uint32_t style, const AlignStyles& styles, int32_t a);

// Edit-box option bits to window style: the given bits plus the fixed part of an
// edit box (child, visible, border, tab stop).
uint32_t EditBoxStyle(uint32_t options);

// Font style bits: 1 bold, 2 italic, 4 underline, 8 strike-out.
struct FontAttributes {
    int32_t weight = 0;
    uint8_t italic = 0, underline = 0, strikeOut = 0;
};
uint32_t FontStyleOf(const FontAttributes& font);
// Returns false (and leaves font alone) when the bits equal the current style.
bool ApplyFontStyle(FontAttributes& font, uint32_t bits);

// Border present: any of WS_BORDER, WS_DLGFRAME, WS_THICKFRAME, or a client edge.
bool StyleHasBorder(uint32_t style, uint32_t exStyle);
// The styles after switching the border on or off.
void ApplyBorder(uint32_t& style, uint32_t& exStyle, bool border, bool topLevel, bool edge3D);

// Shift state: the message's MK_* key flags, plus this bit while Alt is down.
constexpr uint32_t kShiftAlt = 0x20;

// The mouse record of one mouse message.
struct MouseRecord {
    uint8_t button = 0; // 0 none, 1 left, 2 right, 3 middle
    uint8_t stop = 0;   // set non-zero by a handler to consume the message
    uint32_t shift = 0;
    int16_t x = 0, y = 0;
};
enum MouseKind { MouseNone, MouseDown, MouseUp, MouseDblClk, MouseMove, MouseWheel };
// Kind and button of message msg (WM_MOUSEMOVE..WM_MOUSEWHEEL); MouseNone for any
// other message.
MouseKind MouseKindOf(uint32_t msg, uint8_t* button);
MouseRecord MakeMouseRecord(uint32_t msg, uint32_t wParam, uint32_t lParam, bool altDown);

// Colour values: kSystemColor + n is system colour n, anything else 0x00BBGGRR.
constexpr uint32_t kSystemColor = 0x80000000u;
inline bool IsSystemColor(uint32_t color) {
    return (color & kSystemColor) != 0;
}
inline int32_t SystemColorIndex(uint32_t color) {
    return static_cast<int32_t>(color & 0xFF);
}

// The layout is given for 96 dots per inch; on a screen of another scale every
// size is multiplied by dpi / 96 and rounded to the nearest pixel (halves away
// from zero, as MulDiv does).
inline constexpr int kBaseDpi = 96;
int32_t ScalePixels(int32_t px, int dpi);
// A rectangle of the 96-dpi layout at dpi: its edges are scaled, not its size, so
// that rectangles that touch at 96 dpi still touch.
LayoutRect ScaleRect(const LayoutRect& r, int dpi);
// A font height of the 96-dpi layout at dpi; 0 (the system's size) becomes the
// cell height the system gives at 96 dpi, scaled.
int32_t ScaleFontHeight(int32_t height, int dpi, int32_t systemCellHeight96);
