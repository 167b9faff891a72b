// Where the strip stands at start-up: its default place above the taskbar, and
// the corrections that keep a stored place on the screen.
#pragma once
#include <cstdint>

struct ScreenRect {
    int32_t left, top, right, bottom;
};

// The strip's fixed width, and the gap between its right edge and the screen's.
constexpr int32_t kStripWidth = 99;
constexpr int32_t kStripRightGap = 23;

// The smaller of the taskbar's width and height; 0 without a taskbar.
int32_t TaskbarThickness(const ScreenRect* taskbar);

int32_t DefaultLeft(int32_t screenWidth, int32_t width);
// Whatever edge the taskbar is on, its thickness is kept free at the bottom.
int32_t DefaultTop(int32_t screenHeight, int32_t height, int32_t taskbarThickness);

struct StripPlace {
    int32_t left, top;
};
// The place to use for a stored (or default) place, corrected in a fixed order:
// no negative top or left; a left more than half the width past the right edge
// and a top that lets the strip reach below the bottom go back to the default.
StripPlace KeepOnScreen(StripPlace place, int32_t width, int32_t height, int32_t screenWidth,
                        int32_t screenHeight, int32_t taskbarThickness);

// ---- Win32 ----
// The thickness of the shell's taskbar now; 0 when there is none.
int32_t ReadTaskbarThickness();
