// CBrush: a solid brush, for the interior of Rectangle.
// Left out: hatched and pattern brushes.
#pragma once

#include "platform/gdi/GdiObject.h"

HBRUSH CreateSolidBrush(COLORREF crColor);

class CBrush : public CGdiObject {
public:
    BOOL CreateSolidBrush(COLORREF crColor);
};
