// CDC: a device context that draws into a 32-bit pixel surface with the
// original platform's pixel rules. A memory DC draws into the bitmap selected
// into it (nothing until one is); the window's paint DC draws straight into the
// window's surface (platform/ui makes it with AfxCreateSurfaceDC).
//
// A new DC holds a black one-pixel pen, a white brush, the dialog font, text
// colour black, background white and OPAQUE, raster operation R2_COPYPEN.
// SelectObject returns the object selected before, so that it can be put back.
// Every drawing operation is clipped to the target surface.
//
// Device scale: a DC draws at an integer scale s from 1 to kMaxDeviceScale,
// set when it is made (a window's surface DC gets its window's scale, a memory
// DC the scale of the DC it is compatible with). Callers always work in
// logical pixels; s maps each logical pixel to an s x s block of the surface,
// so rectangles, fills, pixels and blits at s are the 1x picture with every
// pixel repeated, while text is drawn from its font at s times its pixel size.
// At 1x nothing changes.
//
// Left out: mapping modes (one logical unit is one pixel), clip regions,
// raster operations other than R2_COPYPEN (SetROP2 keeps the mode, drawing
// always copies the pen) and other than SRCCOPY for BitBlt, lines, ellipses,
// several lines of text (DrawText draws one line, never wrapped).
#pragma once

#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/core/Types.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Pen.h"

struct DcData;
typedef DcData* HDC;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations of pens: the first, the copy, the last.
constexpr int R2_BLACK = 1;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

// DrawText formats.
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;

// Raster operation of BitBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;

// What GetPixel and the colour setters return on failure.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr int kMaxDeviceScale = 4;

// A memory DC compatible with hDC (the screen when null): it has hDC's scale
// (1 for the screen). DeleteDC frees it.
HDC CreateCompatibleDC(HDC hDC);
BOOL DeleteDC(HDC hDC);

// A memory DC for a screen at nScale (clamped to 1 .. kMaxDeviceScale), as
// CreateCompatibleDC would give for a window DC of that scale.
HDC AfxCreateScaledDC(int nScale);
// The device scale of hDC; 1 for a null handle.
int AfxGetDCScale(HDC hDC);

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    BOOL Attach(HDC hDC);
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }

    // Makes this a memory DC compatible with pDC (the screen when pDC is null),
    // of pDC's scale.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Deletes the attached DC; its selected objects are released, not deleted.
    BOOL DeleteDC();

    // Each selects the object and returns the one selected before; nullptr, and
    // nothing changed, for a null pointer or an object without a handle. The
    // exception is a null bitmap, which puts back the DC's empty default bitmap
    // so that a bitmap can be deselected before it is deleted. A bitmap is
    // selected into one memory DC at a time, and only into a DC of its scale.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // Each returns the previous value (CLR_INVALID or 0 without a DC).
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    int SetROP2(int nDrawMode);
    int GetROP2() const;

    // Outlines columns x1 .. x2-1 and rows y1 .. y2-1 with the pen and fills
    // the inside with the brush; the corners are put in order first.
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(const RECT* lpRect);

    // One line of text in the selected font and the text colour, placed in
    // lpRect by nFormat and clipped to it (unless DT_NOCLIP); behind it the
    // background colour when the mode is OPAQUE. nCount -1: up to the end.
    // Returns the text's height, 0 when nothing is drawn. With DT_CALCRECT it
    // draws nothing and sets lpRect's right and bottom to the text's extent.
    // At scale s the text comes from the font at s times its pixel size, placed
    // and clipped in lpRect's device pixels; extents are measured at 1x, so
    // that a layout made from them is the same at every scale.
    int DrawText(const char* lpszString, int nCount, RECT* lpRect, UINT nFormat);
    int DrawText(const CString& str, RECT* lpRect, UINT nFormat);

    // Copies nWidth x nHeight pixels from (xSrc, ySrc) of pSrcDC to (x, y);
    // parts outside either surface are left out. SRCCOPY only. Both sides are
    // in their DC's logical pixels; between DCs of different scales each
    // destination pixel takes the nearest source pixel.
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);

    // CLR_INVALID outside the surface or without one. At scale s, GetPixel
    // reads the top-left device pixel of the block and SetPixel sets the block.
    COLORREF GetPixel(int x, int y) const;
    COLORREF SetPixel(int x, int y, COLORREF crColor);

    HDC m_hDC = nullptr;
};
