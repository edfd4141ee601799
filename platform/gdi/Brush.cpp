#include "platform/gdi/Brush.h"

#include "platform/gdi/GdiData.h"

HBRUSH CreateSolidBrush(COLORREF crColor)
{
    HBRUSH hBrush = new GdiObjectData(GdiKind::Brush);
    hBrush->colour = crColor;
    return hBrush;
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}
