// CBitmap: the pixels of a memory DC, a 32-bit surface in the layer's one
// pixel format, black when created. A bitmap is selected into at most one DC
// at a time. A compatible bitmap has the scale of its DC: asked for w x h
// logical pixels at scale s, it holds s*w x s*h device pixels.
// Left out: monochrome and device-independent bitmaps, loading from resources,
// SetBitmapBits.
#pragma once

#include "platform/gdi/GdiObject.h"

// What GetBitmap tells of a bitmap, in device pixels: 32 bits a pixel, one
// plane, rows of bmWidthBytes with no padding. bmBits is always null.
struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};

// A bitmap of nWidth x nHeight logical pixels for drawing compatible with pDC
// (the screen when pDC is null); null when a side is not positive.
HBITMAP CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);

class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // The logical size asked for (0 without pixels).
    int GetWidth() const;
    int GetHeight() const;
    // The device size; 0 without pixels.
    int GetBitmap(BITMAP* pBitMap) const;
    // Copies up to dwCount bytes of the device pixels, top row first, each a
    // 32-bit word 0x00RRGGBB; returns the bytes copied.
    DWORD GetBitmapBits(DWORD dwCount, void* lpBits) const;
};
