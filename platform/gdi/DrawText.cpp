// CDC::DrawText: one line of text, rendered once per string and font by the
// text cache and blended here in the DC's text colour. At scale s the text is
// rendered from the face at s times the font's pixel height and placed in the
// rectangle's device pixels, so it stays sharp rather than doubled.
#include "platform/gdi/Dc.h"

#include <cstring>

#include "platform/gdi/Colour.h"
#include "platform/gdi/FontCache.h"
#include "platform/gdi/GdiData.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/TextCache.h"

namespace {

TTF_Font* FontOf(HFONT hFont, int nScale)
{
    // The stock font is looked up when first used rather than when the DC is made.
    if (nScale == 1 && hFont->pFont)
        return hFont->pFont;
    return AfxGetFont(hFont->strFace.c_str(), hFont->nPixelHeight * nScale);
}

// A rectangle or point in device pixels: at scale 4 an int coordinate may not fit an int.
struct DeviceRect {
    long long left, top, right, bottom;
};
struct DevicePoint {
    long long x, y;
};

DeviceRect ToDevice(const RECT& rc, int nScale)
{
    return DeviceRect{(long long)rc.left * nScale, (long long)rc.top * nScale, (long long)rc.right * nScale,
                      (long long)rc.bottom * nScale};
}

// Where the text's top-left corner goes in rc, as the format places it.
DevicePoint Place(const DeviceRect& rc, const CTextMask& mask, UINT nFormat)
{
    long long x = rc.left, y = rc.top;
    if (nFormat & DT_CENTER)
        x = rc.left + (rc.right - rc.left - mask.nWidth) / 2;
    else if (nFormat & DT_RIGHT)
        x = rc.right - mask.nWidth;
    if ((nFormat & DT_SINGLELINE) && (nFormat & DT_VCENTER))
        y = rc.top + (rc.bottom - rc.top - mask.nHeight) / 2;
    else if ((nFormat & DT_SINGLELINE) && (nFormat & DT_BOTTOM))
        y = rc.bottom - mask.nHeight;
    return DevicePoint{x, y};
}

// Lays the coverage over the surface in colour, inside clip only.
void Blend(SDL_Surface* pSurface, const CTextMask& mask, DevicePoint at, const SDL_Rect& clip, COLORREF colour)
{
    const Uint32 solid = AfxColourToPixel(colour, pSurface->format);
    for (int y = clip.y; y < clip.y + clip.h; ++y) {
        Uint32* pRow = AfxPixelRow(pSurface, y);
        const uint8_t* pCoverage = &mask.coverage[size_t(y - at.y) * size_t(mask.nWidth)];
        for (int x = clip.x; x < clip.x + clip.w; ++x) {
            const uint8_t a = pCoverage[x - at.x];
            if (a == 255)
                pRow[x] = solid;
            else if (a != 0)
                pRow[x] = AfxBlendPixel(pRow[x], colour, a, pSurface->format);
        }
    }
}

// The part of the text's cell that shows: on the surface and, unless
// DT_NOCLIP, inside rc. False when nothing shows.
bool ClipText(const SDL_Surface* pSurface, const DeviceRect& rc, const CTextMask& mask, DevicePoint at, UINT nFormat,
              SDL_Rect* pClip)
{
    SDL_Rect visible;
    if (!AfxClipToSurface(pSurface, at.x, at.y, at.x + mask.nWidth, at.y + mask.nHeight, &visible))
        return false;
    *pClip = visible;
    if (nFormat & DT_NOCLIP)
        return true;
    SDL_Rect bounds;
    return AfxClipToSurface(pSurface, rc.left, rc.top, rc.right, rc.bottom, &bounds)
        && AfxIntersect(visible, bounds, pClip);
}

} // namespace

int CDC::DrawText(const char* lpszString, int nCount, RECT* lpRect, UINT nFormat)
{
    if (!m_hDC || !lpszString || !lpRect)
        return 0;
    const size_t nBytes = nCount < 0 ? std::strlen(lpszString) : strnlen(lpszString, size_t(nCount));
    const std::string text(lpszString, nBytes);
    const int s = m_hDC->nScale;
    if (nFormat & DT_CALCRECT) {
        // Measured at 1x whatever the scale, so a layout does not shift with it.
        const auto pExtent = AfxGetTextMask(FontOf(m_hDC->hFont, 1), text);
        if (!pExtent)
            return 0;
        lpRect->right = lpRect->left + pExtent->nWidth;
        lpRect->bottom = lpRect->top + pExtent->nHeight;
        return pExtent->nHeight;
    }
    const auto pMask = AfxGetTextMask(FontOf(m_hDC->hFont, s), text);
    if (!pMask)
        return 0;
    const int nHeight = (pMask->nHeight + s - 1) / s;
    SDL_Surface* pSurface = m_hDC->pTarget;
    if (!AfxIs32Bit(pSurface))
        return 0;

    const DeviceRect rc = ToDevice(*lpRect, s);
    const DevicePoint at = Place(rc, *pMask, nFormat);
    SDL_Rect clip;
    if (!ClipText(pSurface, rc, *pMask, at, nFormat, &clip))
        return nHeight;
    if (m_hDC->nBkMode == OPAQUE)
        AfxFillRect(pSurface, clip.x, clip.y, (long long)clip.x + clip.w, (long long)clip.y + clip.h, m_hDC->crBk);
    if (SDL_MUSTLOCK(pSurface) && SDL_LockSurface(pSurface) != 0)
        return 0;
    Blend(pSurface, *pMask, at, clip, m_hDC->crText);
    if (SDL_MUSTLOCK(pSurface))
        SDL_UnlockSurface(pSurface);
    return nHeight;
}

int CDC::DrawText(const CString& str, RECT* lpRect, UINT nFormat)
{
    return DrawText(str, str.GetLength(), lpRect, nFormat);
}
