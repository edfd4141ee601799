// CDC::GetPixel and SetPixel: one logical pixel of a 32-bit surface as a
// COLORREF; at scale s it is the s x s block at (s*x, s*y).
#include "platform/gdi/Dc.h"

#include <algorithm>

#include "platform/gdi/Colour.h"
#include "platform/gdi/GdiData.h"
#include "platform/gdi/Raster.h"

namespace {

// The surface when logical (x, y) lies on it; (x, y) become device coordinates.
SDL_Surface* SurfaceAt(HDC hDC, long long& x, long long& y)
{
    SDL_Surface* pSurface = hDC ? hDC->pTarget : nullptr;
    if (!AfxIs32Bit(pSurface) || SDL_MUSTLOCK(pSurface))
        return nullptr;
    x *= hDC->nScale;
    y *= hDC->nScale;
    if (x < 0 || y < 0 || x >= pSurface->w || y >= pSurface->h)
        return nullptr;
    return pSurface;
}

} // namespace

COLORREF CDC::GetPixel(int x, int y) const
{
    long long dx = x, dy = y;
    SDL_Surface* pSurface = SurfaceAt(m_hDC, dx, dy);
    return pSurface ? AfxPixelToColour(AfxPixelRow(pSurface, int(dy))[dx], pSurface->format) : CLR_INVALID;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    long long dx = x, dy = y;
    SDL_Surface* pSurface = SurfaceAt(m_hDC, dx, dy);
    if (!pSurface)
        return CLR_INVALID;
    const Uint32 pixel = AfxColourToPixel(crColor, pSurface->format);
    const long long right = std::min<long long>(dx + m_hDC->nScale, pSurface->w);
    const long long bottom = std::min<long long>(dy + m_hDC->nScale, pSurface->h);
    for (long long row = dy; row < bottom; ++row)
        std::fill(AfxPixelRow(pSurface, int(row)) + dx, AfxPixelRow(pSurface, int(row)) + right, pixel);
    return AfxPixelToColour(pixel, pSurface->format);
}
