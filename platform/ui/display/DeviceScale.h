// The device scale of the program's windows: one whole number s from 1 to
// kMaxDeviceScale. A window at scale s is s times its client size in device
// pixels; everything above the platform keeps drawing and hit-testing in
// logical (1x) pixels, and the device contexts map them (Dc.h).
//
// The scale comes from the first source that is set:
//   1. QUINDLE_SCALE, a whole number 1 .. 4;
//   1a. the zoom the player chose in an earlier run (the window layer
//      keeps a zoom chosen in this run above them all);
//   2. GDK_SCALE, the same (the desktop's usual way to ask for a scale);
//   3. on X11, the Xft.dpi resource: dpi / 96 rounded down, at least 1;
//   4. on Wayland, the output's scale: a fractional scale takes the next
//      whole number (the compositor scales the picture down);
//   else 1. A value that is set but not valid (0, negative, text, above 4)
// is skipped with one line on stderr, and the next source decides.
//
// The choice is a function of its inputs, so it needs no display: the window
// layer fills in what its display system offers (XftDpi.h on X11) and keeps
// the result with the window, where painting finds it.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/Dc.h"

struct DEVICESCALESOURCES {
    const char* pszQuindleScale = nullptr; // QUINDLE_SCALE, null when unset
    const char* pszGdkScale = nullptr;     // GDK_SCALE, null when unset
    const char* pszXftDpi = nullptr;       // X11 only: the Xft.dpi resource, null when absent
    double dOutputScale = 0;               // Wayland only: the output's scale, 0 when unknown
    int nKeptZoom = 0;                     // the player's zoom from an earlier run, 0 for none
};

// The two variables from the environment; the display's sources left empty.
DEVICESCALESOURCES AfxDeviceScaleEnvironment();

// The scale the sources give; each invalid value adds one line to *pWarnings
// (which may be null).
int AfxChooseDeviceScale(const DEVICESCALESOURCES& sources, std::vector<std::string>* pWarnings);

// The same, the warnings written to stderr, each line once per process.
int AfxGetDeviceScale(const DEVICESCALESOURCES& sources);
