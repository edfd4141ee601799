#include "platform/core/Rect.h"

BOOL PtInRect(const RECT* lprc, POINT pt)
{
    if (!lprc)
        return FALSE;
    return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL SetRect(RECT* lprc, int left, int top, int right, int bottom)
{
    if (!lprc)
        return FALSE;
    *lprc = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(RECT* lprc)
{
    return SetRect(lprc, 0, 0, 0, 0);
}

BOOL IsRectEmpty(const RECT* lprc)
{
    return !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}
