#include "platform/ui/window/Wnd.h"

// The operations a window-less CWnd needs live here; the rest of CWnd is
// defined by platform/ui, which owns real windows.

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    if (!hWnd)
        return FALSE;
    hWnd->Invalidate(lpRect, bErase);
    return TRUE;
}

BOOL CWnd::InvalidateRect(const RECT* lpRect, BOOL bErase)
{
    return ::InvalidateRect(m_hWnd, lpRect, bErase);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return m_hWnd ? m_hWnd->GetDlgItem(nID) : nullptr;
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return m_hWnd ? m_hWnd->EnableWindow(bEnable) : FALSE;
}
