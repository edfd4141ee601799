#include "platform/ui/window/TopWindow.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/dialog/SysMenuPopup.h"
#include "platform/ui/dialog/SystemMetrics.h"

namespace {

// System commands keep their low four bits for the system.
constexpr WPARAM kSysCommandMask = 0xFFF0;

} // namespace

std::unique_ptr<CUiTopWindow> CUiTopWindow::Create(CWnd* pWnd, const char* pszCaption, int cx, int cy,
                                                   DWORD dwStyle, const UIFONT& font, BOOL bInTaskbar)
{
    // High DPI: on a scaled Wayland output the window gets a buffer of the output's pixels.
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI | (bInTaskbar ? 0 : SDL_WINDOW_SKIP_TASKBAR);
    SDL_Window* pWindow = SDL_CreateWindow(pszCaption ? pszCaption : "", SDL_WINDOWPOS_CENTERED,
                                           SDL_WINDOWPOS_CENTERED, cx, cy, flags);
    if (!pWindow)
        return nullptr;
    AfxGetDisplaySystem().Attach(pWindow);
    std::unique_ptr<CUiTopWindow> pTop(new CUiTopWindow(pWnd, pWindow, dwStyle, pszCaption, font, cx, cy));
    pTop->ApplyScale();
    return pTop;
}

CUiTopWindow::CUiTopWindow(CWnd* pWnd, SDL_Window* pWindow, DWORD dwStyle, const char* pszCaption,
                           const UIFONT& font, int cx, int cy)
    : CUiWindow(0, dwStyle & ~WS_VISIBLE, CString(pszCaption)), m_pWindow(pWindow),
      m_nWindowID(SDL_GetWindowID(pWindow)), m_pFrameBuffer(AfxGetDisplaySystem().MakeFrameBuffer(pWindow)),
      m_font(font), m_cxClient(cx), m_cyClient(cy)
{
    m_pWnd = pWnd;
    NoteRefreshRate();
    CMessageLoop::Get().AddWindow(this);
}

BOOL CUiTopWindow::ApplyScale()
{
    DEVICESCALESOURCES sources = AfxDeviceScaleEnvironment();
    AfxGetDisplaySystem().GetScaleSources(m_pWindow, &sources);
    const int nScale = AfxGetDeviceScale(sources);
    int cx = 0;
    int cy = 0;
    int cxPixels = 0;
    int cyPixels = 0;
    SDL_GetWindowSize(m_pWindow, &cx, &cy);
    SDL_GetWindowSizeInPixels(m_pWindow, &cxPixels, &cyPixels);
    const int nBacking = cx > 0 ? std::max(1, cxPixels / cx) : 1;
    const int cxWanted = m_cxClient * nScale / nBacking;
    const int cyWanted = m_cyClient * nScale / nBacking;
    if (nScale == m_nScale && nBacking == m_nBacking && cx == cxWanted && cy == cyWanted)
        return FALSE;
    m_nScale = nScale;
    m_nBacking = nBacking;
    AfxSetWindowScale(m_pWindow, nScale);
    if (m_bShown)
        SDL_SetWindowMinimumSize(m_pWindow, cxWanted, cyWanted);
    SDL_SetWindowSize(m_pWindow, cxWanted, cyWanted);
    if (m_bShown)
        SDL_SetWindowMaximumSize(m_pWindow, cxWanted, cyWanted);
    m_frameDiff.Reset();
    return TRUE;
}

CPoint CUiTopWindow::ClientPoint(int x, int y) const
{
    // Rounded down, also left of and above the window (a held button's moves).
    const auto toClient = [this](int n) {
        const int nScaled = n * m_nBacking;
        return nScaled >= 0 ? nScaled / m_nScale : -((-nScaled + m_nScale - 1) / m_nScale);
    };
    return CPoint(toClient(x), toClient(y));
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
        int xOwner = 0;
        int yOwner = 0;
        int cxOwner = 0;
        int cyOwner = 0;
        SDL_GetWindowPosition(pOwner->m_pWindow, &xOwner, &yOwner);
        SDL_GetWindowSize(pOwner->m_pWindow, &cxOwner, &cyOwner);
        SDL_SetWindowPosition(m_pWindow, xOwner + (cxOwner - cx) / 2, yOwner + (cyOwner - cy) / 2);
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
    // Where the window is, and how large its client is in logical pixels.
    int x = 0;
    int y = 0;
    if (!m_pWindow)
        return CRect(0, 0, 0, 0);
    SDL_GetWindowPosition(m_pWindow, &x, &y);
    return CRect(x, y, x + m_cxClient, y + m_cyClient);
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
    // At a scale above 1 the desktop gets the icon as larger pixel art.
    SDL_Surface* pIcon =
        SDL_CreateRGBSurfaceWithFormat(0, nSize * m_nScale, nSize * m_nScale, 32, SDL_PIXELFORMAT_ARGB8888);
    if (pIcon && m_pWindow && hShown) {
        AfxDrawIconImage(pIcon, 0, 0, hShown, nSize, m_nScale);
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

BOOL AfxAnyWindowHasKeyboardFocus()
{
    return SDL_GetKeyboardFocus() != nullptr;
}

void CUiTopWindow::TakeKeyboardFocus()
{
    if (m_pWindow)
        SDL_SetWindowInputFocus(m_pWindow);
}
