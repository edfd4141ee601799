#include "platform/gdi/Dc.h"

#include "platform/gdi/GdiData.h"

DcData::DcData(SDL_Surface* pSurface, bool bMemoryDC, int nDeviceScale)
    : pTarget(pSurface),
      bMemory(bMemoryDC),
      nScale(AfxClampScale(nDeviceScale)),
      hPen(AfxStockObject(GdiKind::Pen)),
      hBrush(AfxStockObject(GdiKind::Brush)),
      hFont(AfxStockObject(GdiKind::Font)),
      hBitmap(AfxStockObject(GdiKind::Bitmap))
{
}

HDC AfxCreateSurfaceDC(SDL_Surface* pSurface, int nScale)
{
    return new DcData(pSurface, false, nScale);
}

HDC CreateCompatibleDC(HDC hDC)
{
    return new DcData(nullptr, true, AfxGetDCScale(hDC));
}

HDC AfxCreateScaledDC(int nScale)
{
    return new DcData(nullptr, true, nScale);
}

int AfxGetDCScale(HDC hDC)
{
    return hDC ? hDC->nScale : 1;
}

BOOL DeleteDC(HDC hDC)
{
    if (!hDC)
        return FALSE;
    AfxReleaseSelection(hDC->hPen);
    AfxReleaseSelection(hDC->hBrush);
    AfxReleaseSelection(hDC->hFont);
    AfxReleaseSelection(hDC->hBitmap);
    delete hDC;
    return TRUE;
}

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    return ::DeleteDC(Detach());
}
