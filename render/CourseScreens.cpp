// The screens of the course view: the menu, or the game with the player, the
// obstacles and the status text.
#include "game/CourseView.h"

#include "render/Painter.h"
#include "render/Palette.h"

using namespace palette;

void CCourseView::Draw(CDC* pDC, CString text)
{
    FillArea(pDC, kBlack);
    if (m_bInGame == 0) {
        DrawTitle(pDC);
        DrawMenuButtons(pDC, kCaptionPointSize);
        DrawMenuPadGlyph(pDC);
        return;
    }
    DrawPlayer(pDC);
    DrawObstacles(pDC);
    DrawBanner(pDC, text, kStatusPointSize, kWhite);
    // Lies below the area, outside the main buffer: Paint shows Stop through the overlay.
    DrawStopButton(pDC);
}

void CCourseView::GetPictureKey(CString text, std::vector<int>* pKey)
{
    CDrawArea::GetPictureKey(text, pKey);
    if (m_bInGame == 0)
        return;
    // As Draw reads them; an obstacle that the game thread moves meanwhile
    // only makes the next paint draw again.
    const auto add = [pKey](const CRect& rc) { pKey->insert(pKey->end(), {rc.left, rc.top, rc.right, rc.bottom}); };
    add(GetPlayerRect());
    for (int i = 0; i < GetObstacleCount(); ++i)
        add(GetObstacleRect(i));
}

void CCourseView::DrawPlayer(CDC* pDC)
{
    CPainter painter(pDC);
    const CRect rc = GetPlayerRect();
    painter.DrawRect(rc.left, rc.top, rc.right, rc.bottom, kDarkGrey, kRed);
}

void CCourseView::DrawObstacles(CDC* pDC)
{
    CPainter painter(pDC);
    // The count is read again before every obstacle, so a list that the game
    // thread empties meanwhile ends the loop; a vanished index gives an empty
    // rectangle, which draws nothing.
    for (int i = 0; i < GetObstacleCount(); ++i) {
        const CRect rc = GetObstacleRect(i);
        painter.DrawRect(rc.left, rc.top, rc.right, rc.bottom, kDarkGrey, kGrey);
    }
}
