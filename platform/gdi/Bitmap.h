// CBitmap: the pixels of a memory DC, a 32-bit surface in the layer's one
// pixel format, black when created. A bitmap is selected into at most one DC
// at a time.
// Left out: monochrome and device-independent bitmaps, loading from resources.
#pragma once

#include "platform/gdi/GdiObject.h"

// A bitmap of nWidth x nHeight pixels for drawing compatible with pDC (the
// screen when pDC is null); null when a side is not positive.
HBITMAP CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);

class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetWidth() const;
    int GetHeight() const;
};
