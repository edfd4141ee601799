// CWnd's operations on its real window: geometry, state, timers, focus and
// the system menu. A CWnd without a platform window gets empty results.
#include "platform/ui/window/Menu.h"
#include "platform/ui/window/TopWindow.h"

namespace {

CUiWindow* g_pFocusWindow = nullptr; // window thread only

CUiTopWindow* TopOf(HWND hWnd)
{
    CUiWindow* pWindow = AfxUiWindow(hWnd);
    return pWindow ? pWindow->GetTopWindow() : nullptr;
}

CPoint ClientOrigin(HWND hWnd)
{
    CUiWindow* pWindow = AfxUiWindow(hWnd);
    const CRect rc = pWindow ? pWindow->GetClientScreenRect() : CRect();
    return CPoint(rc.left, rc.top);
}

} // namespace

CUiWindow* AfxGetFocusWindow()
{
    return g_pFocusWindow;
}

void AfxSetFocusWindow(CUiWindow* pWindow)
{
    g_pFocusWindow = pWindow;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    const CRect rc = pWindow ? pWindow->GetClientScreenRect() : CRect();
    ::SetRect(lpRect, 0, 0, rc.Width(), rc.Height());
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    *lpRect = pWindow ? pWindow->GetWindowScreenRect() : CRect();
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    const CPoint origin = ClientOrigin(m_hWnd);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    const CPoint origin = ClientOrigin(m_hWnd);
    ::SetRect(lpRect, lpRect->left - origin.x, lpRect->top - origin.y, lpRect->right - origin.x,
              lpRect->bottom - origin.y);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    const CPoint origin = ClientOrigin(m_hWnd);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    const CPoint origin = ClientOrigin(m_hWnd);
    ::SetRect(lpRect, lpRect->left + origin.x, lpRect->top + origin.y, lpRect->right + origin.x,
              lpRect->bottom + origin.y);
}

BOOL CWnd::IsIconic() const
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    return pWindow ? pWindow->IsIconic() : FALSE;
}

BOOL CWnd::IsWindowVisible() const
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    return pWindow ? pWindow->IsVisible() : FALSE;
}

BOOL CWnd::IsWindowEnabled() const
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    return pWindow ? pWindow->IsEnabled() : FALSE;
}

int CWnd::GetDlgCtrlID() const
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    return pWindow ? pWindow->m_nID : 0;
}

void CWnd::GetWindowText(CString& rString) const
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    rString = pWindow ? pWindow->m_strText : CString();
}

CWnd* CWnd::GetParent() const
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    return pWindow ? pWindow->m_pParentWnd : nullptr;
}

void CWnd::UpdateWindow()
{
    if (CUiTopWindow* pTop = TopOf(m_hWnd))
        pTop->PaintPending();
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer)
{
    CUiTopWindow* pTop = TopOf(m_hWnd);
    if (!pTop || pTop != AfxUiWindow(m_hWnd) || lpfnTimer || !pTop->IsAlive())
        return 0;
    pTop->SetTimer(nIDEvent, nElapse);
    return TRUE;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    CUiTopWindow* pTop = TopOf(m_hWnd);
    return pTop && pTop == AfxUiWindow(m_hWnd) ? pTop->KillTimer(nIDEvent) : FALSE;
}

CWnd* CWnd::SetFocus()
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    CUiTopWindow* pTop = TopOf(m_hWnd);
    // Only a window that may take input now gets the focus; nothing here
    // touches the window system's focus or raises a window.
    if (!pWindow || !pTop || !pTop->IsAlive() || !pTop->TakesInput() || !pWindow->IsEnabled())
        return nullptr;
    if (pWindow != pTop && !pWindow->IsVisible())
        return nullptr;
    CWnd* pOld = GetFocus();
    AfxSetFocusWindow(pWindow);
    return pOld;
}

CWnd* CWnd::GetFocus()
{
    CUiWindow* pWindow = AfxGetFocusWindow();
    return pWindow ? pWindow->m_pWnd : nullptr;
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    CUiTopWindow* pTop = TopOf(m_hWnd);
    if (!pTop || pTop != AfxUiWindow(m_hWnd))
        return nullptr;
    return CMenu::FromHandle(pTop->GetSystemMenu(bRevert));
}
