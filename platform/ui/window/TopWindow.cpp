#include "platform/ui/window/TopWindow.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/DisplaySystem.h"

std::unique_ptr<CUiTopWindow> CUiTopWindow::Create(CWnd* pWnd, const char* pszCaption, int cx, int cy,
                                                   DWORD dwStyle, const UIFONT& font, BOOL bInTaskbar)
{
    std::unique_ptr<CNativeWindow> pWindow = AfxGetDisplaySystem().CreateWindow(pszCaption, cx, cy, bInTaskbar);
    if (!pWindow)
        return nullptr;
    std::unique_ptr<CUiTopWindow> pTop(new CUiTopWindow(pWnd, std::move(pWindow), dwStyle, pszCaption, font, cx, cy));
    pTop->ApplyScale();
    return pTop;
}

CUiTopWindow::CUiTopWindow(CWnd* pWnd, std::unique_ptr<CNativeWindow> pWindow, DWORD dwStyle,
                           const char* pszCaption, const UIFONT& font, int cx, int cy)
    : CUiWindow(0, dwStyle & ~WS_VISIBLE, CString(pszCaption)), m_pWindow(std::move(pWindow)),
      m_nWindowID(m_pWindow->GetID()), m_font(font), m_cxClient(cx), m_cyClient(cy), m_placement(cx, cy)
{
    m_pWnd = pWnd;
    NoteRefreshRate();
    CMessageLoop::Get().AddWindow(this);
}

void CUiTopWindow::NoteRefreshRate()
{
    m_pacer.SetRefreshRate(m_pWindow ? m_pWindow->GetRefreshRate() : 0);
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
    m_input.Reset();
    m_pointer.SetFullscreen(FALSE, 0);
    m_bShown = FALSE;
    m_dwStyle &= ~WS_VISIBLE;
    m_pWindow.reset();
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
    m_pWindow->GetSize(&cx, &cy);
    if (pOwner && pOwner->m_pWindow) {
        int xOwner = 0;
        int yOwner = 0;
        int cxOwner = 0;
        int cyOwner = 0;
        pOwner->m_pWindow->GetPosition(&xOwner, &yOwner);
        pOwner->m_pWindow->GetSize(&cxOwner, &cyOwner);
        m_pWindow->SetPosition(xOwner + (cxOwner - cx) / 2, yOwner + (cyOwner - cy) / 2);
        m_pWindow->SetParent(pOwner->m_pWindow.get());
    }
    m_pWindow->Show();
    // Minimum = maximum: a tiling compositor then floats the window instead of
    // stretching it. SDL says "fixed size" on Wayland only once the window is shown.
    m_pWindow->SetFixedSize(cx, cy);
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
    m_pWindow->GetPosition(&x, &y);
    return CRect(x, y, x + m_cxClient, y + m_cyClient);
}

CRect CUiTopWindow::GetWindowScreenRect() const
{
    CRect rc = GetClientScreenRect();
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (m_pWindow && m_pWindow->GetBordersSize(&top, &left, &bottom, &right))
        rc = CRect(rc.left - left, rc.top - top, rc.right + right, rc.bottom + bottom);
    return rc;
}

BOOL CUiTopWindow::IsIconic() const
{
    return m_pWindow && m_pWindow->IsMinimized();
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
    return m_pWindow ? std::min(m_timers.NextDue(), m_pointer.NextDue()) : kNever;
}

BOOL CUiTopWindow::FireDueTimer(ULONGLONG now)
{
    UINT_PTR nIDEvent = 0;
    if (m_pointer.HideIfDue(now))
        return TRUE;
    if (!m_pWindow || !m_timers.TakeDue(now, &nIDEvent))
        return FALSE;
    Send(WM_TIMER, nIDEvent, 0);
    return TRUE;
}

BOOL CUiTopWindow::HasKeyboardFocus() const
{
    return m_pWindow && m_pWindow->HasKeyboardFocus();
}

BOOL AfxAnyWindowHasKeyboardFocus()
{
    return AfxGetDisplaySystem().AnyWindowHasKeyboardFocus();
}

void CUiTopWindow::TakeKeyboardFocus()
{
    if (m_pWindow)
        m_pWindow->TakeKeyboardFocus();
}

void CUiTopWindow::OnInput(const AFX_INPUT& input)
{
    m_input.OnInput(input);
}

void CUiTopWindow::OnPointerMoved()
{
    m_pointer.OnMotion(AfxGetClock().GetTickCount());
}

void CUiTopWindow::OnPadRemoved()
{
    Send(WM_INPUT_DEVICE_CHANGE, GIDC_REMOVAL, 0);
}

void CUiTopWindow::OnWindowChange(EWindowChange change)
{
    switch (change) {
    case EWindowChange::kSizeChanged:
    case EWindowChange::kDisplayChanged:
        // On another output (or one whose scale changed) the window may draw at another scale.
        ApplyScale();
        m_picture.Lose();
        Invalidate(nullptr, TRUE);
        break;
    case EWindowChange::kExposed:
    case EWindowChange::kShown:
    case EWindowChange::kRestored:
        // What the window showed is lost: paint it all and present it all.
        m_picture.Lose();
        Invalidate(nullptr, TRUE);
        break;
    case EWindowChange::kClose:
        // The close button of the frame, the desktop's or libdecor's.
        if (TakesInput())
            Send(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case EWindowChange::kFocusLost: {
        // The window that takes the focus when it is ours (a modal dialog over
        // this one); null when it went to another program.
        CLoopWindow* pModal = CMessageLoop::Get().GetModalWindow();
        CUiTopWindow* pOther = pModal != this ? dynamic_cast<CUiTopWindow*>(pModal) : nullptr;
        Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, WORD(IsIconic())), LPARAM(static_cast<HWND>(pOther)));
        break;
    }
    case EWindowChange::kMinimized:
        Send(WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    default:
        break;
    }
}

