#include "platform/gdi/Bitmap.h"

#include "platform/gdi/GdiData.h"

HBITMAP CreateCompatibleBitmap(CDC*, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    SDL_Surface* pSurface = SDL_CreateRGBSurfaceWithFormat(0, nWidth, nHeight, 32, kPixelFormat);
    if (!pSurface)
        return nullptr;
    SDL_FillRect(pSurface, nullptr, 0);
    HBITMAP hBitmap = new GdiObjectData(GdiKind::Bitmap);
    hBitmap->pSurface = pSurface;
    return hBitmap;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC, nWidth, nHeight));
}

int CBitmap::GetWidth() const
{
    return m_hObject && m_hObject->pSurface ? m_hObject->pSurface->w : 0;
}

int CBitmap::GetHeight() const
{
    return m_hObject && m_hObject->pSurface ? m_hObject->pSurface->h : 0;
}
