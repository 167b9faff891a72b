// Whether the window with the input is a full-screen program (a film, a slide
// show, a game) that the always-on-top strip must not cover.
#pragma once
#include "app/Placement.h"

struct ForegroundFacts {
    ScreenRect window;      // the window's rectangle
    ScreenRect monitor;     // the whole monitor it stands on, taskbar included
    bool desktop;           // the desktop itself (or no window at all)
    bool own;               // one of this program's windows
    bool shown;             // visible and not minimised
    bool zoomedWithCaption; // maximised with a title bar: an ordinary big window
};

bool CoversScreen(const ForegroundFacts& f);
