#include "platform/gdi/GdiObject.h"

#include "platform/gdi/GdiData.h"

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    if (!::DeleteObject(m_hObject))
        return FALSE;
    m_hObject = nullptr;
    return TRUE;
}

BOOL DeleteObject(HGDIOBJ hObject)
{
    if (!hObject || hObject->nSelections > 0)
        return FALSE;
    if (hObject->pSurface)
        SDL_FreeSurface(hObject->pSurface);
    delete hObject;
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(CDC*, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    SDL_Surface* pSurface = SDL_CreateRGBSurfaceWithFormat(0, nWidth, nHeight, 32, kPixelFormat);
    if (!pSurface)
        return nullptr;
    SDL_FillRect(pSurface, nullptr, 0);
    return new GdiObjectData{GdiKind::Bitmap, pSurface, 0};
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
