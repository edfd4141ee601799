#include "platform/ui/window/TopWindow.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/DisplaySystem.h"

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
