// Inside the drawing layer: what the handles stand for. Only platform/gdi and
// platform/ui include this.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/gdi/Dc.h"

typedef struct _TTF_Font TTF_Font;

// The one pixel format of every surface the layer makes, so blits never convert.
constexpr Uint32 kPixelFormat = SDL_PIXELFORMAT_XRGB8888;

enum class GdiKind { Pen, Brush, Font, Bitmap };

struct GdiObjectData {
    explicit GdiObjectData(GdiKind k) : kind(k) {}
    GdiObjectData(const GdiObjectData&) = delete;
    GdiObjectData& operator=(const GdiObjectData&) = delete;
    ~GdiObjectData();

    GdiKind kind;
    COLORREF colour = 0;             // pen, brush
    TTF_Font* pFont = nullptr;       // font: a face of the font cache, shared, never closed here
    std::string strFace;             // font: the face asked for
    int nPixelHeight = 0;            // font: character height in pixels
    SDL_Surface* pSurface = nullptr; // bitmap, owned: nScale x its logical size
    int nScale = 1;                  // bitmap: device pixels per logical pixel, each way
    bool bStock = false;             // never deleted
    int nSelections = 0;             // DCs that have it selected (not counted for stock objects)
    bool bOrphaned = false;          // its wrapper went while it was selected: freed on release
    CGdiObject* pWrapper = nullptr;  // the wrapper that owns the handle, if any
    std::unique_ptr<CGdiObject> pTemporary; // wrapper made on demand for a handle with none
};

struct DcData {
    DcData(SDL_Surface* pSurface, bool bMemoryDC, int nDeviceScale);

    SDL_Surface* pTarget;  // where drawing goes; null for a memory DC with no bitmap
    bool bMemory;          // bitmaps may be selected into it
    int nScale;            // device pixels per logical pixel, each way: 1 .. kMaxDeviceScale
    HGDIOBJ hPen;
    HGDIOBJ hBrush;
    HGDIOBJ hFont;
    HGDIOBJ hBitmap;
    COLORREF crBk = RGB(255, 255, 255);
    COLORREF crText = RGB(0, 0, 0);
    int nBkMode = OPAQUE;
    int nRop2 = R2_COPYPEN;
};

// The objects a new DC starts with: black pen, white brush, the dialog font
// and, for a memory DC, a bitmap with no pixels (drawing does nothing).
HGDIOBJ AfxStockObject(GdiKind kind);

// The wrapper that SelectObject hands back for a handle: its owner, or a
// temporary wrapper that lives as long as the handle.
CGdiObject* AfxWrapperOf(HGDIOBJ hObject);

// Counts a selection of hObject / ends one; an orphan is freed at its last release.
void AfxAddSelection(HGDIOBJ hObject);
void AfxReleaseSelection(HGDIOBJ hObject);

// A DC that draws straight into pSurface (not owned), such as a window's
// surface, at nScale (clamped to 1 .. kMaxDeviceScale): pSurface is then
// nScale times the logical size the caller draws in. CDC::DeleteDC releases
// it and leaves the surface alone.
HDC AfxCreateSurfaceDC(SDL_Surface* pSurface, int nScale = 1);

// nScale kept inside 1 .. kMaxDeviceScale.
inline int AfxClampScale(int nScale)
{
    return nScale < 1 ? 1 : nScale > kMaxDeviceScale ? kMaxDeviceScale : nScale;
}
