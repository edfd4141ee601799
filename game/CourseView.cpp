#include "game/CourseView.h"

#include "game/CourseRules.h"
#include "platform/core/Random.h"

CCourseView::CCourseView()
{
    m_obstacles.RemoveAll();
}

CCourseView::~CCourseView()
{
    m_obstacles.RemoveAll();
}

void CCourseView::ResetPlayer()
{
    m_player.SetPos(course::kPlayerStartX, (m_rcArea.top + m_rcArea.bottom) / 2);
}

void CCourseView::SpawnObstacles(int count)
{
    m_obstacles.RemoveAll();
    srand(unsigned(time(nullptr)));

    const int span = (m_rcArea.right - m_rcArea.left) * course::kCourseWidths;
    const int xRange = span - course::kFirstObstacleOffset;
    const int yRange = m_rcArea.bottom - m_rcArea.top;
    // An area too small for the course places nothing rather than divide by zero.
    if (xRange <= 0 || yRange <= 0)
        return;

    for (int i = 0; i < count; ++i) {
        CGameObject* p = m_obstacles.AddNew();
        if (!p)
            continue;
        const int x = rand() % xRange + m_rcArea.left + course::kFirstObstacleOffset;
        const int y = rand() % yRange + m_rcArea.top;
        p->SetPos(x, y);
        p->m_dSpeedX = course::kSlowSpeedX;
        p->m_dSpeedY = 0.0;
        if (i % course::kRisingEvery == 0)
            p->m_dSpeedY = course::kRisingSpeedY;
        if (i % course::kFastEvery == 0)
            p->m_dSpeedX = course::kFastSpeedX;
    }
}

void CCourseView::AdvanceObstacles()
{
    for (int i = 0; i < GetObstacleCount(); ++i) {
        CGameObject* p = m_obstacles.GetAt(i);
        if (!p)
            continue;
        p->Step();
        const int y = p->GetPos().y;
        if (y < course::kUpperBounceY || y > m_rcArea.bottom)
            p->m_dSpeedY = -p->m_dSpeedY;
    }
}

int CCourseView::IsPlayerHit()
{
    for (int i = 0; i < GetObstacleCount(); ++i) {
        CGameObject* p = m_obstacles.GetAt(i);
        if (p && p->GetRect().PtInRect(m_player.GetPos()))
            return 1;
    }
    return 0;
}

int CCourseView::CountObstaclesInArea()
{
    int count = 0;
    for (int i = 0; i < GetObstacleCount(); ++i) {
        CGameObject* p = m_obstacles.GetAt(i);
        if (p && m_rcArea.PtInRect(p->GetPos()))
            ++count;
    }
    return count;
}

int CCourseView::CountObstaclesPassed()
{
    int count = 0;
    for (int i = 0; i < GetObstacleCount(); ++i) {
        CGameObject* p = m_obstacles.GetAt(i);
        if (p && p->GetRect().right <= m_rcArea.left)
            ++count;
    }
    return count;
}

void CCourseView::MovePlayerUp()
{
    m_player.MoveUp();
    ClampPlayer(m_rcArea.top);
}

void CCourseView::MovePlayerDown()
{
    m_player.MoveDown();
    ClampPlayer(m_rcArea.bottom);
}

// After a wheel step, a player that left the area is put on the given edge row.
// Only y is written: the game thread may be placing the player at this moment,
// and writing back an x read before that would undo its placement.
void CCourseView::ClampPlayer(int y)
{
    if (!m_rcArea.PtInRect(m_player.GetPos()))
        m_player.SetY(y);
}

CRect CCourseView::GetPlayerRect() const
{
    return m_player.GetRect();
}

CRect CCourseView::GetObstacleRect(int nIndex)
{
    CRect rc;
    m_obstacles.GetRectAt(nIndex, &rc);
    return rc;
}

int CCourseView::GetObstacleCount() const
{
    return m_obstacles.GetCount();
}
