// The drawing area: the layout rectangles that the dialog takes from its
// hidden controls, the hover flags of the self-drawn buttons, the in-game
// flag, the title text and the two off-screen buffers. It answers which button
// a point lies on; what the area shows is Draw's business (CCourseView).
#pragma once

#include "platform/core/Rect.h"
#include "platform/core/Shared.h"
#include "platform/core/String.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

class CDrawArea {
public:
    CDrawArea();
    CDrawArea(const CDrawArea&) = delete;
    CDrawArea& operator=(const CDrawArea&) = delete;
    virtual ~CDrawArea();

    // Draws the whole area into pDC, the main buffer's memory DC.
    virtual void Draw(CDC* pDC, CString text) = 0;
    virtual void SetArea(int left, int top, int right, int bottom);

    void SetText(CString text);
    BOOL HitStart(POINT pt) const;
    BOOL HitExit(POINT pt) const;
    BOOL HitStop(POINT pt) const;
    void UpdateHover(POINT pt);

    // The drawing operations of the screens.
    void FillArea(CDC* pDC, COLORREF colour);
    void DrawTitle(CDC* pDC);
    void DrawMenuButtons(CDC* pDC, int pointSize);
    void DrawBanner(CDC* pDC, CString text, int pointSize, COLORREF colour);
    void DrawStopButton(CDC* pDC);

    // Renders the area through the off-screen buffers onto pDC.
    void Paint(CDC* pDC, CString text);

    // Written by the dialog before any game; read by both threads after.
    CRect m_rcArea;
    CRect m_rcTitle;
    CRect m_rcStart;
    CRect m_rcStop;
    CRect m_rcExit;
    // Window thread only.
    BOOL m_bHoverStart;
    BOOL m_bHoverStop;
    BOOL m_bHoverExit;
    // Written by the window thread (Start, Stop clicks) and the game thread
    // (end of a run); read by the window thread. A shared word, no lock.
    CSharedFlag m_bInGame;
    CString m_strText;
    // Window thread only, inside Paint.
    BOOL m_bRebuildMain;
    BOOL m_bRebuildOverlay;
    CDC m_dcMain;
    CDC m_dcOverlay;
    CBitmap m_bmpMain;
    CBitmap m_bmpOverlay;
};
