#include "platform/ui/TopWindow.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/ui/DisplaySystem.h"
#include "platform/ui/SysMenuPopup.h"
#include "platform/ui/SystemMetrics.h"

namespace {

// System commands keep their low four bits for the system.
constexpr WPARAM kSysCommandMask = 0xFFF0;

} // namespace

std::unique_ptr<CUiTopWindow> CUiTopWindow::Create(CWnd* pWnd, const char* pszCaption, int cx, int cy,
                                                   DWORD dwStyle, const UIFONT& font, BOOL bInTaskbar)
{
    const Uint32 flags = SDL_WINDOW_HIDDEN | (bInTaskbar ? 0 : SDL_WINDOW_SKIP_TASKBAR);
    SDL_Window* pWindow = SDL_CreateWindow(pszCaption ? pszCaption : "", SDL_WINDOWPOS_CENTERED,
                                           SDL_WINDOWPOS_CENTERED, cx, cy, flags);
    if (!pWindow)
        return nullptr;
    AfxGetDisplaySystem().Attach(pWindow);
    return std::unique_ptr<CUiTopWindow>(new CUiTopWindow(pWnd, pWindow, dwStyle, pszCaption, font));
}

CUiTopWindow::CUiTopWindow(CWnd* pWnd, SDL_Window* pWindow, DWORD dwStyle, const char* pszCaption,
                           const UIFONT& font)
    : CUiWindow(0, dwStyle & ~WS_VISIBLE, CString(pszCaption)), m_pWindow(pWindow),
      m_nWindowID(SDL_GetWindowID(pWindow)), m_pFrameBuffer(AfxGetDisplaySystem().MakeFrameBuffer(pWindow)),
      m_font(font)
{
    m_pWnd = pWnd;
    NoteRefreshRate();
    CMessageLoop::Get().AddWindow(this);
}

void CUiTopWindow::NoteRefreshRate()
{
    SDL_DisplayMode mode;
    const int nDisplay = m_pWindow ? SDL_GetWindowDisplayIndex(m_pWindow) : -1;
    m_pacer.SetRefreshRate(nDisplay >= 0 && SDL_GetCurrentDisplayMode(nDisplay, &mode) == 0 && mode.refresh_rate > 0
                               ? UINT(mode.refresh_rate)
                               : 0);
}

CUiTopWindow::~CUiTopWindow()
{
    Destroy();
}

void CUiTopWindow::Destroy()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bAlive)
            return;
        m_bAlive = FALSE;
    }
    CMessageLoop::Get().RemoveWindow(this);
    CUiWindow* pFocus = AfxGetFocusWindow();
    if (pFocus && pFocus->GetTopWindow() == this)
        AfxSetFocusWindow(nullptr);
    m_pPressed = nullptr;
    m_bShown = FALSE;
    m_dwStyle &= ~WS_VISIBLE;
    m_pFrameBuffer.reset();
    SDL_DestroyWindow(m_pWindow);
    m_pWindow = nullptr;
}

BOOL CUiTopWindow::IsAlive() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bAlive;
}

void CUiTopWindow::Show(CUiTopWindow* pOwner)
{
    if (!m_pWindow)
        return;
    int cx = 0;
    int cy = 0;
    SDL_GetWindowSize(m_pWindow, &cx, &cy);
    if (pOwner && pOwner->m_pWindow) {
        const CRect rcOwner = pOwner->GetClientScreenRect();
        SDL_SetWindowPosition(m_pWindow, rcOwner.left + (rcOwner.Width() - cx) / 2,
                              rcOwner.top + (rcOwner.Height() - cy) / 2);
        SDL_SetWindowModalFor(m_pWindow, pOwner->m_pWindow);
    }
    SDL_ShowWindow(m_pWindow);
    // Minimum = maximum: a tiling compositor then floats the window instead of
    // stretching it. SDL 2.26 says "fixed size" on Wayland only when asked,
    // and only once the window is shown (before the first paint maps it).
    SDL_SetWindowMinimumSize(m_pWindow, cx, cy);
    SDL_SetWindowMaximumSize(m_pWindow, cx, cy);
    NoteRefreshRate();
    m_bShown = TRUE;
    m_dwStyle |= WS_VISIBLE;
    Invalidate(nullptr, TRUE);
}

CUiControl* CUiTopWindow::AddControl(std::unique_ptr<CUiControl> pControl)
{
    m_controls.push_back(std::move(pControl));
    return m_controls.back().get();
}

CUiControl* CUiTopWindow::FindControl(int nID) const
{
    for (const auto& pControl : m_controls) {
        if (pControl->m_nID == nID)
            return pControl.get();
    }
    return nullptr;
}

int CUiTopWindow::GetDefaultButtonID() const
{
    for (const auto& pControl : m_controls) {
        if (pControl->IsDefPushButton())
            return pControl->m_nID;
    }
    return IDOK;
}

BOOL CUiTopWindow::TakesInput() const
{
    const CLoopWindow* pModal = CMessageLoop::Get().GetModalWindow();
    return !pModal || pModal == this;
}

CWnd* CUiTopWindow::GetDlgItem(int nID)
{
    CUiControl* pControl = FindControl(nID);
    return pControl ? &pControl->m_wnd : nullptr;
}

CRect CUiTopWindow::GetClientScreenRect() const
{
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    if (m_pWindow) {
        SDL_GetWindowPosition(m_pWindow, &x, &y);
        SDL_GetWindowSize(m_pWindow, &cx, &cy);
    }
    return CRect(x, y, x + cx, y + cy);
}

CRect CUiTopWindow::GetWindowScreenRect() const
{
    CRect rc = GetClientScreenRect();
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (m_pWindow && SDL_GetWindowBordersSize(m_pWindow, &top, &left, &bottom, &right) == 0)
        rc = CRect(rc.left - left, rc.top - top, rc.right + right, rc.bottom + bottom);
    return rc;
}

BOOL CUiTopWindow::IsIconic() const
{
    return m_pWindow && (SDL_GetWindowFlags(m_pWindow) & SDL_WINDOW_MINIMIZED) != 0;
}

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
    SDL_Surface* pIcon = SDL_CreateRGBSurfaceWithFormat(0, nSize, nSize, 32, SDL_PIXELFORMAT_ARGB8888);
    if (pIcon && m_pWindow && hShown) {
        AfxDrawIconImage(pIcon, 0, 0, hShown, nSize);
        SDL_SetWindowIcon(m_pWindow, pIcon);
    }
    SDL_FreeSurface(pIcon);
    return LRESULT(hOld);
}

void CUiTopWindow::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    m_timers.Set(nIDEvent, nElapse, AfxGetClock().GetTickCount());
}

BOOL CUiTopWindow::KillTimer(UINT_PTR nIDEvent)
{
    return m_timers.Kill(nIDEvent);
}

UINT CUiTopWindow::GetTimerElapse(UINT_PTR nIDEvent) const
{
    return m_timers.GetElapse(nIDEvent);
}

ULONGLONG CUiTopWindow::NextTimerDue() const
{
    return m_pWindow ? m_timers.NextDue() : kNever;
}

BOOL CUiTopWindow::FireDueTimer(ULONGLONG now)
{
    UINT_PTR nIDEvent = 0;
    if (!m_pWindow || !m_timers.TakeDue(now, &nIDEvent))
        return FALSE;
    Send(WM_TIMER, nIDEvent, 0);
    return TRUE;
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

BOOL CUiTopWindow::HasKeyboardFocus() const
{
    return m_pWindow && SDL_GetKeyboardFocus() == m_pWindow;
}

void CUiTopWindow::TakeKeyboardFocus()
{
    if (m_pWindow)
        SDL_SetWindowInputFocus(m_pWindow);
}
