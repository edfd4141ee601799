// CUiTopWindow's painting: repaint requests from any thread, WM_PAINT when
// one is due, the controls and any overlay drawn over the handler's
// painting, and one present of the changed part at the end.
#include "platform/ui/window/TopWindow.h"

#include "platform/core/Clock.h"
#include "platform/ui/frame/FirstPaintTrace.h"
#include "platform/ui/dialog/SysColors.h"
#include "platform/ui/frame/WheelTrace.h"

void CUiTopWindow::Invalidate(const RECT*, BOOL bErase)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bAlive)
            return;
    }
    // One wake-up per run of requests: the loop does not sleep past a pending repaint.
    if (m_pacer.Request(bErase))
        CMessageLoop::Get().Wake();
}

ULONGLONG CUiTopWindow::NextPaintDue() const
{
    return m_pWindow && m_bShown ? m_pacer.NextPaintDue() : kNever;
}

BOOL CUiTopWindow::PaintPending()
{
    const ULONGLONG now = AfxGetClock().GetTickCount();
    if (NextPaintDue() > now)
        return FALSE;
    const unsigned nPaintsBefore = m_nPaintCount;
    Send(WM_PAINT);
    // A handler that painted nothing still answers the request.
    if (m_nPaintCount == nPaintsBefore)
        m_pacer.Take(now);
    return TRUE;
}

SDL_Surface* CUiTopWindow::BeginPaint(BOOL* pbErase)
{
    *pbErase = m_pacer.Take(AfxGetClock().GetTickCount());
    ++m_nPaintCount;
    m_bPainting = TRUE;
    m_pPaintSurface = (m_pWindow && m_bShown) ? m_pFrameBuffer->GetSurface() : nullptr;
    return m_pPaintSurface;
}

void CUiTopWindow::EndPaint()
{
    if (m_pPaintSurface) {
        for (const auto& pControl : m_controls) {
            const BOOL bPressed = pControl.get() == m_pPressed && pControl->m_rc.PtInRect(m_ptMouse);
            pControl->Draw(m_pPaintSurface, m_font, bPressed, m_nScale);
        }
        if (m_pOverlay)
            m_pOverlay->Draw(m_pPaintSurface, m_nScale);
        Present();
    }
    m_pPaintSurface = nullptr;
    m_bPainting = FALSE;
}

void CUiTopWindow::Present()
{
    const SDL_Surface* pSurface = m_pPaintSurface;
    const CRect rc = m_frameDiff.Update(pSurface->pixels, pSurface->pitch, pSurface->w, pSurface->h);
    if (!rc.IsRectEmpty()) {
        const SDL_Rect rcChanged{rc.left, rc.top, rc.Width(), rc.Height()};
        m_pFrameBuffer->Present(rcChanged);
    }
    AfxNoteFirstPresent();
    AfxNoteWheelPresent(m_nWindowID);
}

void CUiTopWindow::FillBackground()
{
    SDL_Surface* pSurface = m_pPaintSurface;
    if (!pSurface && m_pWindow && m_bShown)
        pSurface = m_pFrameBuffer->GetSurface();
    if (pSurface)
        AfxFillSolid(pSurface, CRect(0, 0, m_cxClient, m_cyClient), GetSysColor(COLOR_3DFACE), m_nScale);
}

void CUiTopWindow::SetOverlay(CWindowOverlay* pOverlay)
{
    m_pOverlay = pOverlay;
    // Showing it needs a paint; taking it away, a paint that erases what it covered.
    Invalidate(nullptr, pOverlay == nullptr);
}
