#include "app/Placement.h"
#include "errors/err.h"
#include "ui/GraphicTool.h"
#include <windows.h>

int32_t ReadTaskbarThickness() {
    HWND taskbar = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr);
    RECT r;
    // No taskbar (or no rectangle for it): nothing to keep free.
    if (!taskbar || !GetWindowRect(taskbar, &r)) return TaskbarThickness(nullptr);
    ScreenRect rect{r.left, r.top, r.right, r.bottom};
    return TaskbarThickness(&rect);
}

namespace {
struct MonitorList {
    std::vector<MonitorFacts> list;
    HMONITOR taskbarMonitor;
    int32_t taskbar;
    bool several;
};

// Windows 8.1 and later tell each monitor's scale; before, all share the system's.
int DpiOfMonitor(HMONITOR monitor, bool several) {
    if (!several) return LayoutDpi();
    using GetDpiForMonitorFn = LONG(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static HMODULE shcore = LoadLibraryA("shcore.dll");
    static auto get = shcore ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(
                                   GetProcAddress(shcore, "GetDpiForMonitor")))
                             : nullptr;
    UINT x = 0, y = 0;
    return get && get(monitor, 0, &x, &y) == 0 && y > 0 ? static_cast<int>(y) : LayoutDpi();
}

void AddMonitor(HMONITOR monitor, MonitorList& monitors) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return;
    const RECT& r = info.rcMonitor;
    const RECT& w = info.rcWork;
    MonitorFacts m;
    m.rect = {r.left, r.top, r.right, r.bottom};
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    m.dpi = DpiOfMonitor(monitor, monitors.several);
    // The widest bar on any edge; the taskbar where the shell reports none.
    for (int32_t inset : {w.left - r.left, r.right - w.right, w.top - r.top, r.bottom - w.bottom})
        if (inset > m.reserved) m.reserved = inset;
    if (monitor == monitors.taskbarMonitor && monitors.taskbar > m.reserved)
        m.reserved = monitors.taskbar;
    monitors.list.push_back(m);
}

BOOL CALLBACK AddMonitorCallback(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    err::Guarded([&] { AddMonitor(monitor, *reinterpret_cast<MonitorList*>(param)); });
    return TRUE;
}

std::vector<MonitorFacts> SystemMonitors() {
    HWND taskbar = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr);
    MonitorList monitors{{},
                         taskbar ? MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY)
                                 : MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY),
                         ReadTaskbarThickness(),
                         GetSystemMetrics(SM_CMONITORS) > 1};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitorCallback, reinterpret_cast<LPARAM>(&monitors));
    return monitors.list;
}

MonitorReaderFn monitorReader = SystemMonitors;
} // namespace

MonitorReaderFn SetMonitorReader(MonitorReaderFn read) {
    MonitorReaderFn old = monitorReader;
    monitorReader = read ? read : SystemMonitors;
    return old;
}

std::vector<MonitorFacts> ReadMonitors() {
    return monitorReader();
}
