#include "app/Placement.h"
#include "ui/LayoutRules.h"
#include <cstdint>

int32_t TaskbarThickness(const ScreenRect* taskbar) {
    // Without a taskbar nothing needs to be kept free.
    if (!taskbar) return 0;
    int32_t width = taskbar->right - taskbar->left;
    int32_t height = taskbar->bottom - taskbar->top;
    return width <= height ? width : height;
}

namespace {
// A far edge past the end of the numbers (a damaged stored place) stays at the end.
int32_t FarEdge(int32_t from, int32_t size) {
    return from > INT32_MAX - size ? INT32_MAX : from + size;
}

ScreenRect StripRect(StripPlace place, int dpi) {
    return {place.left, place.top, FarEdge(place.left, ScalePixels(kStripWidth, dpi)),
            FarEdge(place.top, ScalePixels(kStripHeight, dpi))};
}

int64_t Overlap(const ScreenRect& a, const ScreenRect& b) {
    const int64_t w =
        int64_t{a.right < b.right ? a.right : b.right} - (a.left > b.left ? a.left : b.left);
    const int64_t h =
        int64_t{a.bottom < b.bottom ? a.bottom : b.bottom} - (a.top > b.top ? a.top : b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// How far apart two rectangles are along each axis, squared and summed.
int64_t Distance(const ScreenRect& a, const ScreenRect& b) {
    const int64_t dx = a.right <= b.left   ? int64_t{b.left} - a.right
                       : b.right <= a.left ? int64_t{a.left} - b.right
                                           : 0;
    const int64_t dy = a.bottom <= b.top   ? int64_t{b.top} - a.bottom
                       : b.bottom <= a.top ? int64_t{a.top} - b.bottom
                                           : 0;
    return dx * dx + dy * dy;
}

StripPlace DefaultOn(const MonitorFacts& m) {
    const int32_t width = ScalePixels(kStripWidth, m.dpi);
    const int32_t height = ScalePixels(kStripHeight, m.dpi);
    return {m.rect.right - (width + ScalePixels(kStripRightGap, m.dpi)),
            m.rect.bottom - (height + m.reserved)};
}
} // namespace

int MonitorOf(const ScreenRect& rect, const MonitorFacts* monitors, int count) {
    int best = -1;
    int64_t bestOverlap = 0, bestDistance = INT64_MAX;
    for (int i = 0; i < count; ++i) {
        const int64_t overlap = Overlap(rect, monitors[i].rect);
        if (overlap > bestOverlap) best = i, bestOverlap = overlap;
    }
    if (best >= 0) return best;
    for (int i = 0; i < count; ++i) {
        const int64_t distance = Distance(rect, monitors[i].rect);
        if (distance < bestDistance) best = i, bestDistance = distance;
    }
    return best;
}

StripLayout DefaultStripPlace(const MonitorFacts* monitors, int count) {
    if (count <= 0) return {{0, 0}, 96};
    int primary = 0;
    for (int i = 0; i < count; ++i)
        if (monitors[i].primary) primary = i;
    return {DefaultOn(monitors[primary]), monitors[primary].dpi};
}

StripLayout KeepOnMonitors(StripPlace place, int dpi, const MonitorFacts* monitors, int count) {
    const int i = MonitorOf(StripRect(place, dpi), monitors, count);
    if (i < 0) return {place, dpi};
    const MonitorFacts& m = monitors[i];
    const int32_t width = ScalePixels(kStripWidth, m.dpi);
    const int32_t height = ScalePixels(kStripHeight, m.dpi);
    // In this order: no part above or left of the monitor; half the strip may
    // stand past the right edge (it can still be grabbed there), beyond that it
    // goes back to its default left; no part below the bottom.
    const StripPlace d = DefaultOn(m);
    if (place.top < m.rect.top) place.top = m.rect.top;
    if (place.left < m.rect.left) place.left = m.rect.left;
    if (m.rect.right - width / 2 < place.left) place.left = d.left;
    if (m.rect.bottom - height < place.top) place.top = d.top;
    return {place, m.dpi};
}

bool StripShown(StripPlace place, int dpi, const MonitorFacts* monitors, int count) {
    const ScreenRect strip = StripRect(place, dpi);
    for (int i = 0; i < count; ++i)
        if (Overlap(strip, monitors[i].rect) > 0) return true;
    return false;
}
