// CDC::GetPixel and SetPixel: one pixel of a 32-bit surface as a COLORREF.
#include "platform/gdi/Dc.h"

#include "platform/gdi/Colour.h"
#include "platform/gdi/GdiData.h"
#include "platform/gdi/Raster.h"

namespace {

SDL_Surface* SurfaceAt(HDC hDC, int x, int y)
{
    SDL_Surface* pSurface = hDC ? hDC->pTarget : nullptr;
    if (!AfxIs32Bit(pSurface) || SDL_MUSTLOCK(pSurface) || x < 0 || y < 0 || x >= pSurface->w || y >= pSurface->h)
        return nullptr;
    return pSurface;
}

} // namespace

COLORREF CDC::GetPixel(int x, int y) const
{
    SDL_Surface* pSurface = SurfaceAt(m_hDC, x, y);
    return pSurface ? AfxPixelToColour(AfxPixelRow(pSurface, y)[x], pSurface->format) : CLR_INVALID;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    SDL_Surface* pSurface = SurfaceAt(m_hDC, x, y);
    if (!pSurface)
        return CLR_INVALID;
    Uint32& pixel = AfxPixelRow(pSurface, y)[x];
    pixel = AfxColourToPixel(crColor, pSurface->format);
    return AfxPixelToColour(pixel, pSurface->format);
}
