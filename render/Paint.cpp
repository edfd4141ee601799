// CDrawArea::Paint: the area is drawn into the main buffer and shown with one
// block copy, so the window never gets a half-drawn frame; in a game the Stop
// button goes the same way through the overlay buffer. Each buffer's bitmap
// reaches from the client origin to its rectangle's far corner, so drawing and
// copying use client coordinates alike.
#include "render/DrawArea.h"

#include "platform/gdi/PadGlyph.h"

namespace {

// (Re)makes one buffer: a width x height bitmap selected into a new memory DC.
void BuildBuffer(CDC* pDC, CDC& dc, CBitmap& bmp, int width, int height)
{
    // A bitmap still selected into its DC cannot be deleted: deselect it first.
    dc.SelectObject(static_cast<CBitmap*>(nullptr));
    bmp.DeleteObject();
    bmp.CreateCompatibleBitmap(pDC, width, height);
    dc.DeleteDC();
    dc.CreateCompatibleDC(pDC);
    dc.SelectObject(&bmp);
}

void CopyToWindow(CDC* pDC, CDC& buffer, const CRect& rc)
{
    // Without a window DC there is nothing to copy to.
    if (pDC)
        pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &buffer, rc.left, rc.top, SRCCOPY);
}

} // namespace

void CDrawArea::Paint(CDC* pDC, CString text)
{
    // A window that moved to a screen of another scale needs buffers of that scale.
    if (pDC && m_dcMain.GetSafeHdc() && AfxGetDCScale(m_dcMain.GetSafeHdc()) != AfxGetDCScale(pDC->GetSafeHdc()))
        m_bRebuildMain = m_bRebuildOverlay = 1;
    if (m_bRebuildMain) {
        BuildBuffer(pDC, m_dcMain, m_bmpMain, m_rcArea.right, m_rcArea.bottom);
        m_bRebuildMain = 0;
    }
    if (m_bRebuildOverlay) {
        BuildBuffer(pDC, m_dcOverlay, m_bmpOverlay, m_rcStop.right, m_rcStop.bottom);
        m_bRebuildOverlay = 0;
    }
    Draw(&m_dcMain, text);
    CopyToWindow(pDC, m_dcMain, m_rcArea);
    if (m_bInGame == 1) {
        DrawStopButton(&m_dcOverlay);
        CopyToWindow(pDC, m_dcOverlay, m_rcStop);
    }
    if (HasScoreLine()) {
        DrawScoreLine(&m_dcOverlay);
        CopyToWindow(pDC, m_dcOverlay, GetScoreRect());
    }
    // Beside Stop, over the score line's right end, which it never reaches.
    if (m_bInGame == 1 && m_padInCharge != EPadFamily::kNone) {
        DrawStopPadGlyph(&m_dcOverlay);
        CopyToWindow(pDC, m_dcOverlay, AfxPadGlyphRect(m_rcStop));
    }
}
