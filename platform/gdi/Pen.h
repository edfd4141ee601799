// CPen: a solid pen one pixel wide, for the outline of Rectangle.
// Left out: dashed, dotted and null styles and wider pens; creating one of
// them fails (no handle), and a DC then keeps drawing with the pen it has.
#pragma once

#include "platform/gdi/GdiObject.h"

constexpr int PS_SOLID = 0;

// A pen of the style, width and colour; null unless PS_SOLID with width 0 or 1
// (width 0 is one pixel, as on the original platform).
HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor);

class CPen : public CGdiObject {
public:
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
};
