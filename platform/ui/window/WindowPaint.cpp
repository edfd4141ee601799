// CUiTopWindow's painting: repaint requests from any thread, WM_PAINT when
// one is due, the controls and any overlay drawn over the handler's
// painting, and one present of the changed part at the end.
#include "platform/ui/window/TopWindow.h"

#include <functional>
#include <string>

#include "platform/core/Clock.h"
#include "platform/gdi/Colour.h"
#include "platform/gdi/PadGlyph.h"
#include "platform/ui/input/Gamepad.h"
#include "platform/ui/loop/FirstPaintTrace.h"
#include "platform/ui/window/SysColors.h"
#include "platform/ui/window/WheelTrace.h"

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
    // On Wayland not before the compositor's frame callback: a window it does
    // not show paints nothing, and paints at once when it is shown again.
    return m_pWindow && m_bShown && m_pWindow->CanPresent() ? m_pacer.NextPaintDue() : kNever;
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
    // An erased background is a picture lost.
    m_picture.BeginPaint(*pbErase);
    m_bPainting = TRUE;
    m_pFrame = (m_pWindow && m_bShown) ? m_pWindow->GetFrameBuffer()->GetSurface() : nullptr;
    m_pPaintSurface = m_placement.MakePicture(m_pFrame);
    return m_pPaintSurface;
}

void CUiTopWindow::EndPaint()
{
    if (m_pPaintSurface && !m_picture.KeepsPicture()) {
        for (const auto& pControl : m_controls) {
            const BOOL bPressed = m_input.ShowsPressed(pControl.get());
            pControl->Draw(m_pPaintSurface, m_font, bPressed, GetScale());
        }
        DrawPadGlyph();
        if (m_pOverlay)
            m_pOverlay->Draw(m_pPaintSurface, GetScale());
        Present();
        ++m_nPictureCount;
    } else if (m_pPaintSurface) {
        // A wheel notch that changes nothing on the screen (the menu shows no
        // player) has its whole effect there now.
        AfxNoteWheelPresent(m_nWindowID);
    }
    if (m_pPaintSurface != m_pFrame)
        SDL_FreeSurface(m_pPaintSurface);
    m_pPaintSurface = m_pFrame = nullptr;
    m_picture.EndPaint();
    m_bPainting = FALSE;
}

BOOL CUiTopWindow::PaintKeepsPicture(std::vector<int> key)
{
    if (!m_bPainting || !m_pPaintSurface)
        return FALSE;
    // What the window draws over the handler's picture is part of it too.
    key.push_back(GetScale());
    key.push_back(int(AfxGetPadInCharge()));
    for (const auto& pControl : m_controls) {
        const BOOL bPressed = m_input.ShowsPressed(pControl.get());
        key.insert(key.end(), {int(pControl->m_dwStyle), bPressed,
                               int(std::hash<std::string>()(static_cast<const char*>(pControl->m_strText)))});
    }
    // The popup menu draws its own highlight: with it open, every paint draws.
    return m_picture.Describe(std::move(key), m_pOverlay != nullptr);
}

void CUiTopWindow::DrawPadGlyph()
{
    // A controller's bottom button presses the default button (CDialog):
    // while one drives, its label shows left of that button.
    const EPadLabel label = AfxPadLabel(AfxGetPadInCharge(), EPadButton::kBottom);
    if (label == EPadLabel::kNone)
        return;
    for (const auto& pControl : m_controls) {
        if (pControl->IsDefPushButton() && pControl->TakesInput()) {
            const CRect rc = AfxPadGlyphRect(pControl->m_rc);
            AfxDrawPadButton(m_pPaintSurface, rc.left, rc.top, label, GetScale());
            return;
        }
    }
}

void CUiTopWindow::OnPadChargeChanged()
{
    // What a glyph covered comes back with the background.
    Invalidate(nullptr, TRUE);
}

void CUiTopWindow::Present()
{
    const SDL_Surface* pSurface = m_pPaintSurface;
    const CRect rc = m_picture.Drawn(pSurface->pixels, pSurface->pitch, pSurface->w, pSurface->h);
    if (m_placement.IsBlackDue() && m_pFrame != pSurface) {
        // The black around a fullscreen picture shows with it, once.
        m_pWindow->GetFrameBuffer()->Present(SDL_Rect{0, 0, m_pFrame->w, m_pFrame->h});
        m_placement.OnBlackShown();
    } else if (!rc.IsRectEmpty()) {
        const CPoint ptOrigin = m_placement.GetOrigin();
        const SDL_Rect rcChanged{ptOrigin.x + rc.left, ptOrigin.y + rc.top, rc.Width(), rc.Height()};
        m_pWindow->GetFrameBuffer()->Present(rcChanged);
    }
    AfxNoteFirstPresent();
    AfxNoteWheelPresent(m_nWindowID);
}

BOOL CUiTopWindow::CopyShownPicture(std::vector<COLORREF>* pPixels, int* pcx, int* pcy)
{
    const CPoint ptOrigin = m_placement.GetOrigin();
    SDL_Surface* pFrame = (m_pWindow && m_bShown && !m_bPainting) ? m_pWindow->GetFrameBuffer()->GetSurface() : nullptr;
    const int cx = m_cxClient * GetScale();
    const int cy = m_cyClient * GetScale();
    if (!pFrame || pFrame->format->BytesPerPixel != 4 || ptOrigin.x < 0 || ptOrigin.y < 0 ||
        ptOrigin.x + cx > pFrame->w || ptOrigin.y + cy > pFrame->h)
        return FALSE;
    *pcx = cx;
    *pcy = cy;
    pPixels->clear();
    for (int y = 0; y < cy; ++y) {
        const Uint8* pBytes = static_cast<const Uint8*>(pFrame->pixels) + (ptOrigin.y + y) * pFrame->pitch;
        const Uint32* pRow = reinterpret_cast<const Uint32*>(pBytes) + ptOrigin.x;
        for (int x = 0; x < cx; ++x)
            pPixels->push_back(AfxPixelToColour(pRow[x], pFrame->format));
    }
    return TRUE;
}

void CUiTopWindow::FillBackground()
{
    SDL_Surface* pSurface = m_pPaintSurface;
    SDL_Surface* pFrame = nullptr;
    if (!pSurface && m_pWindow && m_bShown) {
        pFrame = m_pWindow->GetFrameBuffer()->GetSurface();
        pSurface = m_placement.MakePicture(pFrame);
    }
    if (pSurface)
        AfxFillSolid(pSurface, CRect(0, 0, m_cxClient, m_cyClient), GetSysColor(COLOR_3DFACE), GetScale());
    if (pSurface != pFrame && !m_pPaintSurface)
        SDL_FreeSurface(pSurface);
}

void CUiTopWindow::SetOverlay(CWindowOverlay* pOverlay)
{
    m_pOverlay = pOverlay;
    // Showing it needs a paint; taking it away, a paint that erases what it covered.
    Invalidate(nullptr, pOverlay == nullptr);
}
