#include "app/FullScreen.h"

bool CoversScreen(const ForegroundFacts& f) {
    if (f.desktop || f.own || !f.shown) return false;
    // A maximised window with a title bar reaches past the monitor's edges when the
    // taskbar hides itself; it is still a window among others.
    if (f.zoomedWithCaption) return false;
    const ScreenRect& w = f.window;
    const ScreenRect& m = f.monitor;
    // An empty monitor rectangle is a failed read, not a screen.
    if (m.right <= m.left || m.bottom <= m.top) return false;
    return w.left <= m.left && w.top <= m.top && w.right >= m.right && w.bottom >= m.bottom;
}
