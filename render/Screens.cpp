// The drawing operations of CDrawArea that the two screens are made of.
#include "render/DrawArea.h"

#include "platform/gdi/PadGlyph.h"
#include "render/Painter.h"
#include "render/Palette.h"

#include <functional>
#include <string>

using namespace palette;

namespace {

// One self-drawn button: its box, red under the mouse, and its caption.
void DrawButton(CPainter& painter, const CRect& rc, BOOL bHover, COLORREF outline, const char* pszCaption,
                int pointSize, COLORREF captionColour)
{
    painter.DrawRect(rc.left, rc.top, rc.right, rc.bottom, outline, bHover ? kRed : kDarkGrey);
    painter.DrawString(rc, pszCaption, pointSize, captionColour);
}

} // namespace

void CDrawArea::FillArea(CDC* pDC, COLORREF colour)
{
    CPainter painter(pDC);
    painter.DrawRect(m_rcArea.left, m_rcArea.top, m_rcArea.right, m_rcArea.bottom, colour, colour);
}

void CDrawArea::DrawTitle(CDC* pDC)
{
    CPainter painter(pDC);
    painter.DrawRect(m_rcTitle.left, m_rcTitle.top, m_rcTitle.right, m_rcTitle.bottom, kGrey, kDarkGrey);
    painter.DrawString(m_rcTitle, m_strText, kTitlePointSize, kRed);
}

void CDrawArea::DrawMenuButtons(CDC* pDC, int pointSize)
{
    CPainter painter(pDC);
    DrawButton(painter, m_rcStart, m_bHoverStart, kGrey, kStartCaption, pointSize, kBlue);
    DrawButton(painter, m_rcExit, m_bHoverExit, kGrey, kExitCaption, pointSize, kBlue);
}

void CDrawArea::DrawBanner(CDC* pDC, CString text, int pointSize, COLORREF colour)
{
    CPainter painter(pDC);
    painter.DrawString(m_rcArea, text, pointSize, colour);
}

void CDrawArea::DrawStopButton(CDC* pDC)
{
    // The outline is the idle fill, so a Stop button not under the mouse shows no border.
    CPainter painter(pDC);
    DrawButton(painter, m_rcStop, m_bHoverStop, kDarkGrey, kStopCaption, kStopPointSize, kYellow);
}

void CDrawArea::DrawMenuPadGlyph(CDC* pDC)
{
    const CRect rc = AfxPadGlyphRect(m_nMenuFocus == kFocusExit ? m_rcExit : m_rcStart);
    AfxDrawPadGlyph(pDC, rc.left, rc.top, AfxPadLabel(m_padInCharge, EPadButton::kBottom));
}

void CDrawArea::DrawStopPadGlyph(CDC* pDC)
{
    const EPadLabel label = AfxPadLabel(m_padInCharge, EPadButton::kRight);
    if (label == EPadLabel::kNone)
        return;
    const CRect rc = AfxPadGlyphRect(m_rcStop);
    CPainter(pDC).DrawRect(rc.left, rc.top, rc.right, rc.bottom, m_crFace, m_crFace);
    AfxDrawPadGlyph(pDC, rc.left, rc.top, label);
}

void CDrawArea::GetPictureKey(CString text, std::vector<int>* pKey)
{
    const std::hash<std::string> hash;
    const BOOL bInGame = m_bInGame == 1;
    // Only the hover flags of the buttons the screen shows.
    pKey->insert(pKey->end(), {bInGame, !bInGame && m_bHoverStart, bInGame && m_bHoverStop, !bInGame && m_bHoverExit,
                               int(hash(static_cast<const char*>(text))), int(hash(static_cast<const char*>(m_strText))),
                               bInGame ? m_nPassed : m_nBest, int(m_padInCharge)});
}

BOOL CDrawArea::HasScoreLine() const
{
    return (m_bInGame == 1 ? m_nPassed : m_nBest) >= 0;
}

CRect CDrawArea::GetScoreRect() const
{
    return CRect(m_rcArea.left, m_rcStop.top, m_rcStop.left, m_rcStop.bottom);
}

void CDrawArea::DrawScoreLine(CDC* pDC)
{
    const BOOL bInGame = m_bInGame == 1;
    const int n = bInGame ? m_nPassed : m_nBest;
    if (n < 0)
        return;
    const CRect rc = GetScoreRect();
    CPainter painter(pDC);
    painter.DrawRect(rc.left, rc.top, rc.right, rc.bottom, m_crFace, m_crFace);
    const std::string text = std::string(bInGame ? kPassedLabel : kBestLabel) + std::to_string(n);
    painter.DrawLabel(rc, CString(text), kDialogFaceName, kDialogPointSize, m_crFaceText);
}
