// CDC::Rectangle with the platform's pixel rules for a one-pixel pen: the
// outline takes columns left .. right-1 and rows top .. bottom-1, the brush
// fills what lies inside it. At scale s each of those pixels is an s x s block.
#include "platform/gdi/Dc.h"

#include <utility>

#include "platform/gdi/GdiData.h"
#include "platform/gdi/Raster.h"

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    if (!m_hDC)
        return FALSE;
    long long left = x1, top = y1, right = x2, bottom = y2;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    SDL_Surface* pSurface = m_hDC->pTarget;
    if (!pSurface || left == right || top == bottom)
        return TRUE;
    const COLORREF pen = m_hDC->hPen->colour;
    const int s = m_hDC->nScale;
    AfxFillLogicalRect(pSurface, s, left, top, right, top + 1, pen);
    AfxFillLogicalRect(pSurface, s, left, bottom - 1, right, bottom, pen);
    AfxFillLogicalRect(pSurface, s, left, top + 1, left + 1, bottom - 1, pen);
    AfxFillLogicalRect(pSurface, s, right - 1, top + 1, right, bottom - 1, pen);
    AfxFillLogicalRect(pSurface, s, left + 1, top + 1, right - 1, bottom - 1, m_hDC->hBrush->colour);
    return TRUE;
}

BOOL CDC::Rectangle(const RECT* lpRect)
{
    return lpRect ? Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}
