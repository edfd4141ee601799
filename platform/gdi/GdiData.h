// Inside the drawing layer: what the handles stand for. Only platform/gdi and
// platform/ui include this.
#pragma once

#include <SDL.h>

#include "platform/gdi/Dc.h"

enum class GdiKind { Bitmap };

struct GdiObjectData {
    GdiKind kind;
    SDL_Surface* pSurface = nullptr; // Bitmap
    int nSelections = 0;             // DCs that hold it selected
};

struct DcData {
    SDL_Surface* pTarget = nullptr; // where drawing goes
    CBitmap* pBitmap = nullptr;     // the selected bitmap of a memory DC
};

// The one pixel format of every surface, so blits never convert.
constexpr Uint32 kPixelFormat = SDL_PIXELFORMAT_XRGB8888;

// A DC that draws straight into pSurface (not owned), such as a window's
// surface; CDC::DeleteDC releases it and leaves the surface alone.
inline HDC AfxCreateSurfaceDC(SDL_Surface* pSurface)
{
    HDC hDC = new DcData;
    hDC->pTarget = pSurface;
    return hDC;
}
