#include "app/Placement.h"
#include <windows.h>

int32_t ReadTaskbarThickness() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    RECT r;
    // No taskbar (or no rectangle for it): nothing to keep free.
    if (!taskbar || !GetWindowRect(taskbar, &r)) return TaskbarThickness(nullptr);
    ScreenRect rect{r.left, r.top, r.right, r.bottom};
    return TaskbarThickness(&rect);
}
