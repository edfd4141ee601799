// Inside platform/ui: fitting a window's picture to a screen at whole scales
// only, so that every 1x pixel stays an exact block. No SDL here: sizes and
// rectangles are the screen's pixels.
#pragma once

#include "platform/core/Rect.h"

// The largest whole scale, 1 .. kMaxDeviceScale, at which a cx x cy picture
// fits into cxArea x cyArea; 1 when not even that fits.
int AfxFitScale(int cxArea, int cyArea, int cx, int cy);

// Where a window whose frame is rcWindow goes so that it stays wholly on the
// work area rcWork: where it is when it fits there, else centred on it (its
// top-left corner kept inside when it is larger than the area).
CRect AfxKeepOnScreen(const CRect& rcWindow, const CRect& rcWork);
