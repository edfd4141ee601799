// The drawing area: the layout rectangles that the dialog takes from its
// hidden controls, the hover flags of the self-drawn buttons, the in-game
// flag, the title text and the two off-screen buffers. It answers which button
// a point lies on; what the area shows is Draw's business (CCourseView).
#pragma once

#include <vector>

#include "platform/core/PadLabel.h"
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
    // The mouse at pt: the buttons under it are hovered, and it takes the
    // menu's focus to the one it is over.
    void UpdateHover(POINT pt);

    // The menu's focus for the keys and controllers, on Start or Exit. It is
    // drawn as the hovered button is, while they were used after the mouse.
    enum EMenuFocus { kFocusStart, kFocusExit };
    // One button down (+1) or up (-1), staying on the two, and shows it.
    void MoveMenuFocus(int nStep);
    // The other button, and shows it.
    void ToggleMenuFocus();
    void ShowMenuFocus();
    // Back on Start, as the menu appears.
    void ResetMenuFocus();

    // The drawing operations of the screens.
    void FillArea(CDC* pDC, COLORREF colour);
    void DrawTitle(CDC* pDC);
    void DrawMenuButtons(CDC* pDC, int pointSize);
    void DrawBanner(CDC* pDC, CString text, int pointSize, COLORREF colour);
    void DrawStopButton(CDC* pDC);
    // While a controller drives (m_padInCharge), the label of its button
    // that acts, left of the button it acts on: on the menu the bottom one
    // beside the focused Start or Exit, in a game the right one beside Stop
    // (on the dialog's face). Nothing else moves.
    void DrawMenuPadGlyph(CDC* pDC);
    void DrawStopPadGlyph(CDC* pDC);
    // "Passed N" on the game screen, "Best N" on the menu, in the dialog's
    // face below the area; nothing while there is no such number.
    void DrawScoreLine(CDC* pDC);
    // Where the score line goes: below the area, left of the Stop button's place.
    CRect GetScoreRect() const;
    BOOL HasScoreLine() const;

    // Renders the area through the off-screen buffers onto pDC.
    void Paint(CDC* pDC, CString text);
    // What Paint would show with text, as numbers: equal keys, equal
    // pictures. The layout and colours are fixed before the first paint and
    // left out; the course view adds the player and the obstacles.
    virtual void GetPictureKey(CString text, std::vector<int>* pKey);

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
    int m_nMenuFocus;
    BOOL m_bFocusShown;
    // The family of the controller that drives, kNone while the mouse or the
    // keys were used last; set by the dialog before each paint.
    EPadFamily m_padInCharge;
    // Written by the window thread (Start, Stop clicks) and the game thread
    // (end of a run); read by the window thread. A shared word, no lock.
    CSharedFlag m_bInGame;
    CString m_strText;
    // The run's score and the best one, kNoScore while there is none. Written
    // by the game thread (and the window thread for a stopped run); read by
    // the window thread. Shared words, no lock.
    static constexpr int kNoScore = -1;
    CRelaxed<int> m_nPassed;
    CRelaxed<int> m_nBest;
    // The dialog's face and text colours, set by the dialog before any paint.
    COLORREF m_crFace;
    COLORREF m_crFaceText;
    // Window thread only, inside Paint.
    BOOL m_bRebuildMain;
    BOOL m_bRebuildOverlay;
    CDC m_dcMain;
    CDC m_dcOverlay;
    CBitmap m_bmpMain;
    CBitmap m_bmpOverlay;
};
