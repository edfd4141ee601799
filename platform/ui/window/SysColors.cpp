#include "platform/ui/window/SysColors.h"

COLORREF GetSysColor(int nIndex)
{
    switch (nIndex) {
    case COLOR_MENU:
    case COLOR_3DFACE:
    case COLOR_3DLIGHT:
        return RGB(212, 208, 200);
    case COLOR_3DHILIGHT:
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_3DSHADOW:
    case COLOR_GRAYTEXT:
        return RGB(128, 128, 128);
    case COLOR_3DDKSHADOW:
        return RGB(64, 64, 64);
    case COLOR_HIGHLIGHT:
        return RGB(10, 36, 106);
    default:
        return RGB(0, 0, 0);
    }
}
