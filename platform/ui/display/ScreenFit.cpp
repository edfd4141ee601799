#include "platform/ui/display/ScreenFit.h"

#include <algorithm>

#include "platform/gdi/Dc.h"

int AfxFitScale(int cxArea, int cyArea, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return 1;
    return std::clamp(std::min(cxArea / cx, cyArea / cy), 1, kMaxDeviceScale);
}

CRect AfxKeepOnScreen(const CRect& rcWindow, const CRect& rcWork)
{
    const BOOL bInside = rcWindow.left >= rcWork.left && rcWindow.top >= rcWork.top &&
                         rcWindow.right <= rcWork.right && rcWindow.bottom <= rcWork.bottom;
    if (bInside || rcWork.IsRectEmpty())
        return rcWindow;
    const int x = rcWork.left + std::max(0, (rcWork.Width() - rcWindow.Width()) / 2);
    const int y = rcWork.top + std::max(0, (rcWork.Height() - rcWindow.Height()) / 2);
    return CRect(x, y, x + rcWindow.Width(), y + rcWindow.Height());
}
