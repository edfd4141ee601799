// SelectObject and the current objects of a DC.
#include "platform/gdi/Dc.h"

#include "platform/gdi/GdiData.h"

namespace {

// Puts hNew into slot and returns the wrapper of what was there, or null when
// that handle went with its release (its owner had already gone).
CGdiObject* Select(HGDIOBJ& slot, HGDIOBJ hNew)
{
    HGDIOBJ hOld = slot;
    if (hOld == hNew)
        return AfxWrapperOf(hOld);
    AfxAddSelection(hNew);
    slot = hNew;
    const bool bGoes = hOld && hOld->bOrphaned && hOld->nSelections == 1;
    CGdiObject* pOld = bGoes ? nullptr : AfxWrapperOf(hOld);
    AfxReleaseSelection(hOld);
    return pOld;
}

bool IsA(const CGdiObject* pObject, GdiKind kind)
{
    return pObject && pObject->m_hObject && pObject->m_hObject->kind == kind;
}

} // namespace

CPen* CDC::SelectObject(CPen* pPen)
{
    if (!m_hDC || !IsA(pPen, GdiKind::Pen))
        return nullptr;
    return static_cast<CPen*>(Select(m_hDC->hPen, pPen->m_hObject));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (!m_hDC || !IsA(pBrush, GdiKind::Brush))
        return nullptr;
    return static_cast<CBrush*>(Select(m_hDC->hBrush, pBrush->m_hObject));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    if (!m_hDC || !IsA(pFont, GdiKind::Font))
        return nullptr;
    return static_cast<CFont*>(Select(m_hDC->hFont, pFont->m_hObject));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (!m_hDC || !m_hDC->bMemory)
        return nullptr;
    HBITMAP hNew = pBitmap ? pBitmap->m_hObject : AfxStockObject(GdiKind::Bitmap);
    if (!hNew || hNew->kind != GdiKind::Bitmap)
        return nullptr;
    // A bitmap draws for one DC at a time, and only at the scale it was made for.
    if (hNew != m_hDC->hBitmap && hNew->nSelections > 0)
        return nullptr;
    if (hNew->pSurface && hNew->nScale != m_hDC->nScale)
        return nullptr;
    CBitmap* pOld = static_cast<CBitmap*>(Select(m_hDC->hBitmap, hNew));
    m_hDC->pTarget = hNew->pSurface;
    return pOld;
}

CPen* CDC::GetCurrentPen() const
{
    return m_hDC ? static_cast<CPen*>(AfxWrapperOf(m_hDC->hPen)) : nullptr;
}

CBrush* CDC::GetCurrentBrush() const
{
    return m_hDC ? static_cast<CBrush*>(AfxWrapperOf(m_hDC->hBrush)) : nullptr;
}

CFont* CDC::GetCurrentFont() const
{
    return m_hDC ? static_cast<CFont*>(AfxWrapperOf(m_hDC->hFont)) : nullptr;
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return m_hDC ? static_cast<CBitmap*>(AfxWrapperOf(m_hDC->hBitmap)) : nullptr;
}
