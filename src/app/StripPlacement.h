// Where the strip stands on the desktop's monitors and at what scale: its place
// at start-up, and its answer to a change of monitors, bars or scale.
#pragma once

class MainForm;

// Lays the strip out for dpi: its controls, fonts and size.
void ScaleStrip(MainForm* s, int dpi);
// The default place and scale, on the primary monitor above the taskbar; from here
// on the strip follows changes of monitors and scale.
void PlaceStripAtStart(MainForm* s);
// The stored place (or the default) kept on the monitor that holds most of it.
void KeepStripOnMonitors(MainForm* s);
