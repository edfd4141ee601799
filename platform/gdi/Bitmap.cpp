#include "platform/gdi/Bitmap.h"

#include <climits>
#include <cstring>

#include "platform/gdi/GdiData.h"
#include "platform/gdi/Raster.h"

namespace {

SDL_Surface* SurfaceOf(HGDIOBJ hObject)
{
    return hObject && AfxIs32Bit(hObject->pSurface) ? hObject->pSurface : nullptr;
}

} // namespace

HBITMAP CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    const int nScale = AfxGetDCScale(pDC ? pDC->m_hDC : nullptr);
    if (nWidth <= 0 || nHeight <= 0 || nWidth > INT_MAX / nScale || nHeight > INT_MAX / nScale)
        return nullptr;
    SDL_Surface* pSurface = SDL_CreateRGBSurfaceWithFormat(0, nWidth * nScale, nHeight * nScale, 32, kPixelFormat);
    if (!pSurface)
        return nullptr;
    SDL_FillRect(pSurface, nullptr, 0);
    HBITMAP hBitmap = new GdiObjectData(GdiKind::Bitmap);
    hBitmap->pSurface = pSurface;
    hBitmap->nScale = nScale;
    return hBitmap;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC, nWidth, nHeight));
}

int CBitmap::GetWidth() const
{
    const SDL_Surface* pSurface = SurfaceOf(m_hObject);
    return pSurface ? pSurface->w / m_hObject->nScale : 0;
}

int CBitmap::GetHeight() const
{
    const SDL_Surface* pSurface = SurfaceOf(m_hObject);
    return pSurface ? pSurface->h / m_hObject->nScale : 0;
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    const SDL_Surface* pSurface = SurfaceOf(m_hObject);
    if (!pSurface || !pBitMap)
        return 0;
    *pBitMap = BITMAP{0, pSurface->w, pSurface->h, pSurface->w * 4, 1, 32, nullptr};
    return int(sizeof(BITMAP));
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, void* lpBits) const
{
    SDL_Surface* pSurface = SurfaceOf(m_hObject);
    if (!pSurface || !lpBits)
        return 0;
    // The layer's pixel format is 0x00RRGGBB words already: rows copy as they are.
    const size_t nRowBytes = size_t(pSurface->w) * 4;
    size_t nLeft = dwCount;
    auto* pOut = static_cast<Uint8*>(lpBits);
    for (int y = 0; y < pSurface->h && nLeft > 0; ++y) {
        const size_t n = nLeft < nRowBytes ? nLeft : nRowBytes;
        std::memcpy(pOut, AfxPixelRow(pSurface, y), n);
        pOut += n;
        nLeft -= n;
    }
    return DWORD(dwCount - nLeft);
}
