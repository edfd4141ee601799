// The colours and modes a DC keeps for its drawing operations.
#include "platform/gdi/Dc.h"

#include <utility>

#include "platform/gdi/GdiData.h"

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return m_hDC ? std::exchange(m_hDC->crBk, crColor) : CLR_INVALID;
}

COLORREF CDC::GetBkColor() const
{
    return m_hDC ? m_hDC->crBk : CLR_INVALID;
}

int CDC::SetBkMode(int nBkMode)
{
    if (!m_hDC || (nBkMode != TRANSPARENT && nBkMode != OPAQUE))
        return 0;
    return std::exchange(m_hDC->nBkMode, nBkMode);
}

int CDC::GetBkMode() const
{
    return m_hDC ? m_hDC->nBkMode : 0;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return m_hDC ? std::exchange(m_hDC->crText, crColor) : CLR_INVALID;
}

COLORREF CDC::GetTextColor() const
{
    return m_hDC ? m_hDC->crText : CLR_INVALID;
}

int CDC::SetROP2(int nDrawMode)
{
    if (!m_hDC || nDrawMode < R2_BLACK || nDrawMode > R2_WHITE)
        return 0;
    return std::exchange(m_hDC->nRop2, nDrawMode);
}

int CDC::GetROP2() const
{
    return m_hDC ? m_hDC->nRop2 : 0;
}
