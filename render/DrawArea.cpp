#include "render/DrawArea.h"

CDrawArea::CDrawArea()
{
    m_rcArea.SetRectEmpty();
    m_rcTitle.SetRectEmpty();
    m_rcStart.SetRectEmpty();
    m_rcStop.SetRectEmpty();
    m_rcExit.SetRectEmpty();
    m_strText = "";
    m_bHoverStart = m_bHoverStop = m_bHoverExit = 0;
    m_nMenuFocus = kFocusStart;
    m_bFocusShown = 0;
    m_padInCharge = EPadFamily::kNone;
    m_bInGame = 0;
    m_nPassed = m_nBest = kNoScore;
    m_crFace = m_crFaceText = 0;
    m_bRebuildMain = m_bRebuildOverlay = 1;
}

CDrawArea::~CDrawArea()
{
    // A bitmap still selected into its DC cannot be deleted: deselect first.
    m_dcOverlay.SelectObject(static_cast<CBitmap*>(nullptr));
    m_dcMain.SelectObject(static_cast<CBitmap*>(nullptr));
    m_bmpOverlay.DeleteObject();
    m_bmpMain.DeleteObject();
    m_dcOverlay.DeleteDC();
    m_dcMain.DeleteDC();
}

void CDrawArea::SetArea(int left, int top, int right, int bottom)
{
    ::SetRect(&m_rcArea, left, top, right, bottom);
}

void CDrawArea::SetText(CString text)
{
    m_strText = text;
}

BOOL CDrawArea::HitStart(POINT pt) const
{
    return ::PtInRect(&m_rcStart, pt);
}

BOOL CDrawArea::HitExit(POINT pt) const
{
    return ::PtInRect(&m_rcExit, pt);
}

BOOL CDrawArea::HitStop(POINT pt) const
{
    return ::PtInRect(&m_rcStop, pt);
}

void CDrawArea::UpdateHover(POINT pt)
{
    m_bHoverStart = HitStart(pt) ? 1 : 0;
    m_bHoverStop = HitStop(pt) ? 1 : 0;
    m_bHoverExit = HitExit(pt) ? 1 : 0;
    // Enter presses what the mouse shows: the button under it, else Start.
    m_bFocusShown = 0;
    m_nMenuFocus = m_bHoverExit ? kFocusExit : kFocusStart;
}

void CDrawArea::MoveMenuFocus(int nStep)
{
    m_nMenuFocus = nStep < 0 ? kFocusStart : kFocusExit;
    ShowMenuFocus();
}

void CDrawArea::ToggleMenuFocus()
{
    m_nMenuFocus = m_nMenuFocus == kFocusStart ? kFocusExit : kFocusStart;
    ShowMenuFocus();
}

void CDrawArea::ShowMenuFocus()
{
    m_bFocusShown = 1;
    m_bHoverStart = m_nMenuFocus == kFocusStart ? 1 : 0;
    m_bHoverExit = m_nMenuFocus == kFocusExit ? 1 : 0;
}

void CDrawArea::ResetMenuFocus()
{
    m_nMenuFocus = kFocusStart;
    if (m_bFocusShown)
        ShowMenuFocus();
}
