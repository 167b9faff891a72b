#include "app/Placement.h"

int32_t TaskbarThickness(const ScreenRect* taskbar) {
    // Without a taskbar nothing needs to be kept free.
    if (!taskbar) return 0;
    int32_t width = taskbar->right - taskbar->left;
    int32_t height = taskbar->bottom - taskbar->top;
    return width <= height ? width : height;
}

int32_t DefaultLeft(int32_t screenWidth, int32_t width) {
    return screenWidth - (width + kStripRightGap);
}

int32_t DefaultTop(int32_t screenHeight, int32_t height, int32_t taskbarThickness) {
    return screenHeight - (height + taskbarThickness);
}

StripPlace KeepOnScreen(StripPlace place, int32_t width, int32_t height, int32_t screenWidth,
                        int32_t screenHeight, int32_t taskbarThickness) {
    if (place.top < 0) place.top = 0;
    if (place.left < 0) place.left = 0;
    // Half the strip may stand past the right edge; it can still be grabbed there.
    if (screenWidth - width / 2 < place.left) place.left = DefaultLeft(screenWidth, width);
    if (screenHeight - height < place.top)
        place.top = DefaultTop(screenHeight, height, taskbarThickness);
    return place;
}
