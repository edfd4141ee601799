#include "platform/ui/window/TopWindow.h"

#include "platform/ui/window/SysMenuPopup.h"
#include "platform/ui/window/SystemMetrics.h"

LRESULT CUiTopWindow::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_pWnd ? m_pWnd->SendMessage(message, wParam, lParam) : DefaultProc(nullptr, message, wParam, lParam);
}

LRESULT CUiTopWindow::DefaultProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        // A paint of its own only when no CPaintDC is open: inside one, the
        // request has been taken already.
        if (!m_bPainting) {
            BOOL bErase = FALSE;
            BeginPaint(&bErase);
            if (bErase)
                FillBackground();
            EndPaint();
        }
        return 0;
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
        FillBackground();
        return 1;
    case WM_SETICON:
        return SetIcon(wParam, reinterpret_cast<HICON>(lParam));
    case WM_QUERYDRAGICON:
        return LRESULT(m_hIconBig);
    case WM_SYSCOMMAND:
        if ((wParam & kSysCommandMask) == SC_CLOSE && pWnd)
            pWnd->SendMessage(WM_CLOSE);
        else if ((wParam & kSysCommandMask) == SC_KEYMENU)
            ShowSystemMenu(pWnd, CPoint(0, 0));
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_SPACE && pWnd)
            pWnd->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, ' ');
        else if (wParam == VK_F4 && pWnd)
            pWnd->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_RBUTTONUP:
        ShowSystemMenu(pWnd, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    default:
        return 0;
    }
}

void CUiTopWindow::ShowSystemMenu(CWnd* pWnd, CPoint ptClient)
{
    HMENU hMenu = GetSystemMenu(FALSE);
    if (!hMenu || !pWnd)
        return;
    const UINT nID = AfxTrackSystemMenu(this, hMenu, ptClient);
    // WM_SYSCOMMAND carries the place in screen coordinates.
    const CRect rcClient = GetClientScreenRect();
    if (nID)
        pWnd->SendMessage(WM_SYSCOMMAND, nID,
                          MAKELPARAM(WORD(rcClient.left + ptClient.x), WORD(rcClient.top + ptClient.y)));
}

LRESULT CUiTopWindow::SetIcon(WPARAM nType, HICON hIcon)
{
    HICON& slot = nType == ICON_BIG ? m_hIconBig : m_hIconSmall;
    const HICON hOld = slot;
    slot = hIcon;
    const HICON hShown = m_hIconBig ? m_hIconBig : m_hIconSmall;
    const int nSize = m_hIconBig ? GetSystemMetrics(SM_CXICON) : GetSystemMetrics(SM_CXSMICON);
    // At a scale above 1 the desktop gets the icon as larger pixel art.
    SDL_Surface* pIcon =
        SDL_CreateRGBSurfaceWithFormat(0, nSize * GetScale(), nSize * GetScale(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (pIcon && m_pWindow && hShown) {
        AfxDrawIconImage(pIcon, 0, 0, hShown, nSize, GetScale());
        m_pWindow->SetIcon(pIcon);
    }
    SDL_FreeSurface(pIcon);
    return LRESULT(hOld);
}

void CUiTopWindow::OnQuit()
{
    Send(WM_CLOSE);
}

HMENU CUiTopWindow::GetSystemMenu(BOOL bRevert)
{
    if (!(m_dwStyle & WS_SYSMENU))
        return nullptr;
    if (bRevert) {
        m_pSysMenu.reset();
        return nullptr;
    }
    if (!m_pSysMenu)
        m_pSysMenu = AfxCreateSystemMenu();
    return m_pSysMenu.get();
}
