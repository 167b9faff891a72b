// Where the strip stands at start-up: its default place above the taskbar, and
// the corrections that keep a stored place on the screen.
#pragma once
#include <cstdint>
#include <vector>

struct ScreenRect {
    int32_t left, top, right, bottom;
};

// The strip's fixed width, and the gap between its right edge and the screen's.
constexpr int32_t kStripWidth = 99;
constexpr int32_t kStripRightGap = 23;

// The smaller of the taskbar's width and height; 0 without a taskbar.
int32_t TaskbarThickness(const ScreenRect* taskbar);

struct StripPlace {
    int32_t left, top;
};

// The strip's height in the 96-dpi layout.
constexpr int32_t kStripHeight = 23;

// One monitor as placement sees it: its rectangle in desktop pixels (left of or
// above the primary ones are negative), its dots per inch, and what the taskbar
// and other bars keep free at its edges (kept free at the bottom whatever edge).
struct MonitorFacts {
    ScreenRect rect;
    int dpi = 96;
    int32_t reserved = 0;
    bool primary = false;
};

struct StripLayout {
    StripPlace place;
    int dpi;
};

// The index of the monitor holding most of rect; the nearest when none holds any
// of it; -1 without monitors.
int MonitorOf(const ScreenRect& rect, const MonitorFacts* monitors, int count);
// The default place: the bottom right of the primary monitor, above the taskbar,
// at the primary monitor's scale.
StripLayout DefaultStripPlace(const MonitorFacts* monitors, int count);
// The place kept on the monitor that holds most of the strip at place (the
// nearest when none does), at that monitor's scale, corrected in a fixed order:
// no part above or left of the monitor; a left more than half the width past its
// right edge and a top that lets the strip reach below its bottom go back to the
// monitor's default. The strip is taken to be as large as at dpi now.
StripLayout KeepOnMonitors(StripPlace place, int dpi, const MonitorFacts* monitors, int count);
// Whether some monitor shows part of the strip at place, as large as at dpi.
bool StripShown(StripPlace place, int dpi, const MonitorFacts* monitors, int count);

// ---- Win32 ----
// The thickness of the shell's taskbar now; 0 when there is none.
int32_t ReadTaskbarThickness();
// The monitors now; tests replace the reader (nullptr: the system's). Gives the old.
using MonitorReaderFn = std::vector<MonitorFacts> (*)();
MonitorReaderFn SetMonitorReader(MonitorReaderFn read);
std::vector<MonitorFacts> ReadMonitors();
