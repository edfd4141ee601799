#include "platform/ui/TopWindow.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/ui/FirstPaintTrace.h"
#include "platform/ui/SysColors.h"
#include "platform/ui/SysMenuPopup.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WheelTrace.h"

namespace {

// WM_SYSKEYDOWN's lParam: the Alt key is down.
constexpr LPARAM kAltContext = LPARAM(1) << 29;
// Key messages' lParam: a repeat count of one, and whether the key was down
// already (auto-repeat).
constexpr LPARAM kOneKeyStroke = 1;
constexpr LPARAM kWasDown = LPARAM(KF_REPEAT) << 16;
// System commands keep their low four bits for the system.
constexpr WPARAM kSysCommandMask = 0xFFF0;

UINT VirtualKey(SDL_Keycode sym)
{
    if (sym >= SDLK_a && sym <= SDLK_z)
        return UINT('A' + (sym - SDLK_a));
    if (sym >= SDLK_0 && sym <= SDLK_9)
        return UINT('0' + (sym - SDLK_0));
    switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_F1:
        return VK_F1;
    case SDLK_F4:
        return VK_F4;
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    default:
        return 0;
    }
}

WORD ModifierKeys()
{
    const SDL_Keymod mod = SDL_GetModState();
    return WORD(((mod & KMOD_SHIFT) ? MK_SHIFT : 0) | ((mod & KMOD_CTRL) ? MK_CONTROL : 0));
}

WORD MouseKeys(Uint32 state)
{
    return WORD(ModifierKeys() | ((state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0) |
                ((state & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0) | ((state & SDL_BUTTON_MMASK) ? MK_MBUTTON : 0));
}

LPARAM PointParam(CPoint pt)
{
    return MAKELPARAM(WORD(pt.x), WORD(pt.y));
}

} // namespace

std::unique_ptr<CUiTopWindow> CUiTopWindow::Create(CWnd* pWnd, const char* pszCaption, int cx, int cy,
                                                   DWORD dwStyle, const UIFONT& font, BOOL bInTaskbar)
{
    const Uint32 flags = SDL_WINDOW_HIDDEN | (bInTaskbar ? 0 : SDL_WINDOW_SKIP_TASKBAR);
    SDL_Window* pWindow = SDL_CreateWindow(pszCaption ? pszCaption : "", SDL_WINDOWPOS_CENTERED,
                                           SDL_WINDOWPOS_CENTERED, cx, cy, flags);
    if (!pWindow)
        return nullptr;
    return std::unique_ptr<CUiTopWindow>(new CUiTopWindow(pWnd, pWindow, dwStyle, pszCaption, font));
}

CUiTopWindow::CUiTopWindow(CWnd* pWnd, SDL_Window* pWindow, DWORD dwStyle, const char* pszCaption,
                           const UIFONT& font)
    : CUiWindow(0, dwStyle & ~WS_VISIBLE, CString(pszCaption)), m_pWindow(pWindow),
      m_nWindowID(SDL_GetWindowID(pWindow)), m_font(font)
{
    m_pWnd = pWnd;
    CMessageLoop::Get().AddWindow(this);
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
    if (pOwner && pOwner->m_pWindow) {
        const CRect rcOwner = pOwner->GetClientScreenRect();
        int cx = 0;
        int cy = 0;
        SDL_GetWindowSize(m_pWindow, &cx, &cy);
        SDL_SetWindowPosition(m_pWindow, rcOwner.left + (rcOwner.Width() - cx) / 2,
                              rcOwner.top + (rcOwner.Height() - cy) / 2);
        SDL_SetWindowModalFor(m_pWindow, pOwner->m_pWindow);
    }
    SDL_ShowWindow(m_pWindow);
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

void CUiTopWindow::Invalidate(const RECT*, BOOL bErase)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bAlive)
        return;
    if (bErase)
        m_bErase = TRUE;
    // One wake-up per request that finds the window clean: the loop does not
    // sleep while a repaint is pending.
    if (!m_bDirty) {
        m_bDirty = TRUE;
        CMessageLoop::Get().Wake();
    }
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
            ShowSystemMenu(pWnd, CPoint(GetClientScreenRect().left, GetClientScreenRect().top));
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_SPACE && pWnd)
            pWnd->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, ' ');
        else if (wParam == VK_F4 && pWnd)
            pWnd->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_RBUTTONUP: {
        const CRect rcClient = GetClientScreenRect();
        ShowSystemMenu(pWnd, CPoint(rcClient.left + GET_X_LPARAM(lParam), rcClient.top + GET_Y_LPARAM(lParam)));
        return 0;
    }
    default:
        return 0;
    }
}

void CUiTopWindow::ShowSystemMenu(CWnd* pWnd, CPoint ptScreen)
{
    HMENU hMenu = GetSystemMenu(FALSE);
    if (!hMenu || !pWnd)
        return;
    const UINT nID = AfxTrackSystemMenu(this, hMenu, ptScreen);
    if (nID)
        pWnd->SendMessage(WM_SYSCOMMAND, nID, PointParam(ptScreen));
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

void CUiTopWindow::OnInput(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION:
        m_ptMouse = CPoint(event.motion.x, event.motion.y);
        // A pushed button keeps the mouse until the button is released.
        if (m_pPressed)
            Invalidate(nullptr, FALSE);
        else
            Send(WM_MOUSEMOVE, MouseKeys(event.motion.state), PointParam(m_ptMouse));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnMouseButton(event.button);
        break;
    case SDL_MOUSEWHEEL:
        OnMouseWheel(event.wheel);
        break;
    case SDL_KEYDOWN:
        OnKey(event.key);
        break;
    default:
        break;
    }
}

void CUiTopWindow::OnMouseButton(const SDL_MouseButtonEvent& event)
{
    m_ptMouse = CPoint(event.x, event.y);
    const BOOL bDown = event.type == SDL_MOUSEBUTTONDOWN;
    const WORD keys = MouseKeys(SDL_GetMouseState(nullptr, nullptr));
    if (event.button == SDL_BUTTON_RIGHT) {
        Send(bDown ? WM_RBUTTONDOWN : WM_RBUTTONUP, keys, PointParam(m_ptMouse));
        return;
    }
    if (event.button != SDL_BUTTON_LEFT)
        return;
    if (bDown) {
        if (CUiControl* pControl = ControlAt(m_ptMouse)) {
            if (pControl->TakesInput()) {
                m_pPressed = pControl;
                Invalidate(nullptr, FALSE);
            }
            return;
        }
        Send(WM_LBUTTONDOWN, keys | MK_LBUTTON, PointParam(m_ptMouse));
        return;
    }
    if (CUiControl* pPressed = m_pPressed) {
        m_pPressed = nullptr;
        Invalidate(nullptr, FALSE);
        if (pPressed->m_rc.PtInRect(m_ptMouse) && pPressed->TakesInput())
            Send(WM_COMMAND, MAKEWPARAM(WORD(pPressed->m_nID), BN_CLICKED), LPARAM(pPressed));
        return;
    }
    // A release over a button that was not pressed there is the button's, and it ignores it.
    if (!ControlAt(m_ptMouse))
        Send(WM_LBUTTONUP, keys, PointParam(m_ptMouse));
}

void CUiTopWindow::OnMouseWheel(const SDL_MouseWheelEvent& event)
{
    // Precise (touchpad) movement adds up to whole notches; each notch is one message.
    float fNotches = event.preciseY;
    if (event.direction == SDL_MOUSEWHEEL_FLIPPED)
        fNotches = -fNotches;
    m_fWheel += fNotches;
    const CRect rcClient = GetClientScreenRect();
    const LPARAM lParam = PointParam(CPoint(rcClient.left + event.mouseX, rcClient.top + event.mouseY));
    const WORD keys = MouseKeys(SDL_GetMouseState(nullptr, nullptr));
    const BOOL bNotches = m_fWheel >= 1.0f || m_fWheel <= -1.0f;
    for (; m_fWheel >= 1.0f; m_fWheel -= 1.0f)
        Send(WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(WHEEL_DELTA)), lParam);
    for (; m_fWheel <= -1.0f; m_fWheel += 1.0f)
        Send(WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(-WHEEL_DELTA)), lParam);
    if (bNotches)
        AfxNoteWheelEvent(event.timestamp, m_nWindowID);
}

void CUiTopWindow::OnKey(const SDL_KeyboardEvent& event)
{
    const UINT nVirtKey = VirtualKey(event.keysym.sym);
    if (!nVirtKey)
        return;
    const LPARAM lParam = kOneKeyStroke | (event.repeat ? kWasDown : 0);
    if (event.keysym.mod & KMOD_ALT)
        Send(WM_SYSKEYDOWN, nVirtKey, lParam | kAltContext);
    else
        Send(WM_KEYDOWN, nVirtKey, lParam);
}

CUiControl* CUiTopWindow::ControlAt(CPoint pt) const
{
    // Statics let clicks through to the dialog; hidden controls are not there.
    for (const auto& pControl : m_controls) {
        if (pControl->IsVisible() && pControl->IsPushButton() && pControl->m_rc.PtInRect(pt))
            return pControl.get();
    }
    return nullptr;
}

void CUiTopWindow::OnWindowEvent(const SDL_WindowEvent& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        Invalidate(nullptr, TRUE);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        if (TakesInput())
            Send(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST: {
        // The window that takes the focus when it is ours (a modal dialog over
        // this one); null when it went to another program.
        CLoopWindow* pModal = CMessageLoop::Get().GetModalWindow();
        CUiTopWindow* pOther = pModal != this ? dynamic_cast<CUiTopWindow*>(pModal) : nullptr;
        Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, WORD(IsIconic())), LPARAM(static_cast<HWND>(pOther)));
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
        Send(WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    default:
        break;
    }
}

BOOL CUiTopWindow::PaintPending()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bAlive || !m_bDirty || !m_bShown)
            return FALSE;
    }
    const unsigned nPaintsBefore = m_nPaintCount;
    Send(WM_PAINT);
    if (m_nPaintCount == nPaintsBefore) {
        // A handler that painted nothing still answers the request.
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bDirty = m_bErase = FALSE;
    }
    return TRUE;
}

SDL_Surface* CUiTopWindow::BeginPaint(BOOL* pbErase)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        *pbErase = m_bErase;
        m_bDirty = m_bErase = FALSE;
    }
    ++m_nPaintCount;
    m_bPainting = TRUE;
    m_pPaintSurface = (m_pWindow && m_bShown) ? SDL_GetWindowSurface(m_pWindow) : nullptr;
    return m_pPaintSurface;
}

void CUiTopWindow::EndPaint()
{
    if (m_pPaintSurface) {
        for (const auto& pControl : m_controls) {
            const BOOL bPressed = pControl.get() == m_pPressed && pControl->m_rc.PtInRect(m_ptMouse);
            pControl->Draw(m_pPaintSurface, m_font, bPressed);
        }
        Present();
    }
    m_pPaintSurface = nullptr;
    m_bPainting = FALSE;
}

void CUiTopWindow::Present()
{
    SDL_UpdateWindowSurface(m_pWindow);
    AfxNoteFirstPresent();
    AfxNoteWheelPresent(m_nWindowID);
}

void CUiTopWindow::FillBackground()
{
    SDL_Surface* pSurface = m_pPaintSurface;
    if (!pSurface && m_pWindow && m_bShown)
        pSurface = SDL_GetWindowSurface(m_pWindow);
    if (pSurface)
        AfxFillSolid(pSurface, CRect(0, 0, pSurface->w, pSurface->h), GetSysColor(COLOR_3DFACE));
}

void CUiTopWindow::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    KillTimer(nIDEvent);
    const UINT nPeriod = std::max(nElapse, 1u);
    m_timers.push_back(TIMER{nIDEvent, nPeriod, AfxGetClock().GetTickCount() + nPeriod});
}

BOOL CUiTopWindow::KillTimer(UINT_PTR nIDEvent)
{
    const auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                 [nIDEvent](const TIMER& t) { return t.nIDEvent == nIDEvent; });
    if (it == m_timers.end())
        return FALSE;
    m_timers.erase(it);
    return TRUE;
}

UINT CUiTopWindow::GetTimerElapse(UINT_PTR nIDEvent) const
{
    for (const TIMER& t : m_timers) {
        if (t.nIDEvent == nIDEvent)
            return t.nElapse;
    }
    return 0;
}

ULONGLONG CUiTopWindow::NextTimerDue() const
{
    ULONGLONG due = kNever;
    if (!m_pWindow)
        return due;
    for (const TIMER& t : m_timers)
        due = std::min(due, t.due);
    return due;
}

BOOL CUiTopWindow::FireDueTimer(ULONGLONG now)
{
    if (!m_pWindow)
        return FALSE;
    for (TIMER& t : m_timers) {
        if (t.due > now)
            continue;
        // A loop that fell behind does not fire the missed periods in a burst.
        t.due += t.nElapse;
        if (t.due <= now)
            t.due = now + t.nElapse;
        const UINT_PTR nIDEvent = t.nIDEvent;
        Send(WM_TIMER, nIDEvent, 0);
        return TRUE;
    }
    return FALSE;
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
