#include "platform/gdi/Pen.h"

#include "platform/gdi/GdiData.h"

HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (nPenStyle != PS_SOLID || nWidth < 0 || nWidth > 1)
        return nullptr;
    HPEN hPen = new GdiObjectData(GdiKind::Pen);
    hPen->colour = crColor;
    return hPen;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}
