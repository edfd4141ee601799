#include <gtest/gtest.h>

#include "game/CourseView.h"

namespace {
class Course : public ::testing::Test {
protected:
    void SetUp() override { view.SetArea(0, 0, 400, 200); }

    // Places obstacle i (which must exist) at (x, y) with the given speeds.
    CGameObject* Place(int i, int x, int y, double sx = -8.0, double sy = 0.0)
    {
        CGameObject* p = view.m_obstacles.GetAt(i);
        p->SetPos(x, y);
        p->m_dSpeedX = sx;
        p->m_dSpeedY = sy;
        return p;
    }
    void Spawn(int n)
    {
        view.m_obstacles.RemoveAll();
        for (int i = 0; i < n; ++i)
            view.m_obstacles.AddNew();
    }

    CCourseView view;
};

TEST_F(Course, ResetPlayerPutsItAtXHundredInTheMiddleRow)
{
    view.ResetPlayer();
    EXPECT_EQ(view.m_player.GetPos(), CPoint(100, 100));
    EXPECT_EQ(view.GetPlayerRect(), CRect(95, 95, 105, 105));

    view.SetArea(12, 11, 546, 197); // the dialog's area: (11 + 197) / 2
    view.ResetPlayer();
    EXPECT_EQ(view.m_player.GetPos(), CPoint(100, 104));
}

TEST_F(Course, SpawnScattersThreeHundredOverTheCourseWithTheSpeedPattern)
{
    view.SpawnObstacles(300);
    ASSERT_EQ(view.GetObstacleCount(), 300);
    int rising = 0, fast = 0, both = 0;
    for (int i = 0; i < 300; ++i) {
        CGameObject* p = view.m_obstacles.GetAt(i);
        const CPoint pos = p->GetPos();
        EXPECT_GE(pos.x, 200);
        EXPECT_LE(pos.x, 1599);
        EXPECT_GE(pos.y, 0);
        EXPECT_LE(pos.y, 199);
        const bool isRising = p->m_dSpeedY == -2.0, isFast = p->m_dSpeedX == -16.0;
        EXPECT_EQ(isRising, i % 5 == 0) << i;
        EXPECT_EQ(isFast, i % 9 == 0) << i;
        EXPECT_TRUE(p->m_dSpeedX == -8.0 || isFast) << i;
        EXPECT_TRUE(p->m_dSpeedY == 0.0 || isRising) << i;
        rising += isRising;
        fast += isFast;
        both += isRising && isFast;
    }
    EXPECT_EQ(rising, 60);
    EXPECT_EQ(fast, 34);
    EXPECT_EQ(both, 7);
}

TEST_F(Course, SpawnReplacesTheLastSessionAndZeroLeavesItEmpty)
{
    view.SpawnObstacles(300);
    view.SpawnObstacles(5);
    EXPECT_EQ(view.GetObstacleCount(), 5);
    view.SpawnObstacles(0);
    EXPECT_EQ(view.GetObstacleCount(), 0);
}

TEST_F(Course, SpawnOnAnAreaTooSmallEmptiesTheListAndPlacesNothing)
{
    view.SpawnObstacles(10);
    view.SetArea(0, 0, 50, 200); // 4 * 50 - 200 = 0: nothing to divide by
    view.SpawnObstacles(300);
    EXPECT_EQ(view.GetObstacleCount(), 0);
    view.SetArea(0, 0, 400, 0); // no height
    view.SpawnObstacles(300);
    EXPECT_EQ(view.GetObstacleCount(), 0);
    view.SetArea(0, 0, 51, 1); // just big enough: x = 200 + 0..3, y = 0
    view.SpawnObstacles(20);
    ASSERT_EQ(view.GetObstacleCount(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(view.m_obstacles.GetAt(i)->GetPos().y, 0);
        EXPECT_LT(view.m_obstacles.GetAt(i)->GetPos().x, 204);
    }
}

TEST_F(Course, RisingObstacleBouncesOnlyPastTheClientTopOrTheAreaBottom)
{
    Spawn(3);
    CGameObject* top = Place(0, 300, 1, -8.0, -2.0);
    CGameObject* edge = Place(1, 300, 2, -8.0, -2.0);   // steps to exactly 0: no bounce
    CGameObject* bottom = Place(2, 300, 198, -8.0, 2.0); // steps to exactly 200: no bounce
    view.AdvanceObstacles();
    EXPECT_EQ(top->GetPos(), CPoint(292, -1));
    EXPECT_EQ(top->m_dSpeedY, 2.0);
    EXPECT_EQ(edge->GetPos().y, 0);
    EXPECT_EQ(edge->m_dSpeedY, -2.0);
    EXPECT_EQ(bottom->GetPos().y, 200);
    EXPECT_EQ(bottom->m_dSpeedY, 2.0);
    view.AdvanceObstacles();
    EXPECT_EQ(top->GetPos().y, 1);
    EXPECT_EQ(bottom->GetPos().y, 202);
    EXPECT_EQ(bottom->m_dSpeedY, -2.0);
}

TEST_F(Course, AnAreaTopBelowTheClientTopDoesNotBounce)
{
    view.SetArea(12, 11, 546, 197);
    Spawn(1);
    CGameObject* p = Place(0, 300, 12, -8.0, -2.0);
    view.AdvanceObstacles(); // 10: above the area, still inside the client
    EXPECT_EQ(p->m_dSpeedY, -2.0);
}

TEST_F(Course, OnlyThePlayersCentreCountsForAHit)
{
    view.ResetPlayer(); // (100, 100)
    Spawn(2);
    Place(0, 95, 100); // rectangle 90..100: the centre's column 100 is outside
    EXPECT_EQ(view.IsPlayerHit(), 0);
    Place(1, 105, 100); // rectangle 100..110: inside
    EXPECT_EQ(view.IsPlayerHit(), 1);
    Place(1, 105, 105); // rectangle rows 100..110
    EXPECT_EQ(view.IsPlayerHit(), 1);
    Place(1, 105, 95); // rows 90..100: the bottom edge is outside
    EXPECT_EQ(view.IsPlayerHit(), 0);
}

TEST_F(Course, CountsCentresInsideTheAreaAtThisMoment)
{
    view.SetArea(10, 10, 400, 200);
    Spawn(5);
    Place(0, 10, 50);   // on the left edge: inside
    Place(1, 400, 50);  // on the right edge: outside
    Place(2, 100, 200); // on the bottom edge: outside
    Place(3, 100, 5);   // above the area's top, inside the client
    Place(4, 9, 50);    // just past the left edge
    EXPECT_EQ(view.CountObstaclesInArea(), 1);
}

TEST_F(Course, EmptyCourseCountsNothingAndNeverHits)
{
    view.ResetPlayer();
    EXPECT_EQ(view.CountObstaclesInArea(), 0);
    EXPECT_EQ(view.IsPlayerHit(), 0);
    EXPECT_EQ(view.GetObstacleRect(0), CRect(0, 0, 0, 0));
}

TEST_F(Course, WheelStepsClampToTheTopRowAndJustBelowTheLastRow)
{
    view.SetArea(12, 10, 546, 200);
    view.m_player.SetPos(100, 13);
    view.MovePlayerUp(); // 8 is outside: clamped to the top
    EXPECT_EQ(view.m_player.GetPos(), CPoint(100, 10));
    view.MovePlayerUp();
    EXPECT_EQ(view.m_player.GetPos().y, 10);

    view.m_player.SetPos(100, 198);
    view.MovePlayerDown(); // 203 is outside: set to the bottom edge itself
    EXPECT_EQ(view.m_player.GetPos().y, 200);
    view.MovePlayerDown();
    EXPECT_EQ(view.m_player.GetPos().y, 200);
    view.MovePlayerUp();
    EXPECT_EQ(view.m_player.GetPos().y, 195);
}

TEST_F(Course, PassedAreThoseWhollyLeftOfTheAreaNotOneAcrossItsLeftEdge)
{
    view.SetArea(12, 11, 546, 197);
    Spawn(6);
    Place(0, 7, 100);    // right edge 12: its last column is 11, outside
    Place(1, 8, 100);    // right edge 13: column 12 is still in the area
    Place(2, -300, 5);   // far left, above the area's rows
    Place(3, 300, 100);  // inside
    Place(4, 600, 100);  // right of the area, not yet come in
    Place(5, 16, 300);   // below the area, not left of it
    EXPECT_EQ(view.CountObstaclesPassed(), 2);
    view.AdvanceObstacles(); // all move 8 left: obstacle 1 leaves, 5 is still short of it
    EXPECT_EQ(view.CountObstaclesPassed(), 3);
    view.m_obstacles.RemoveAll();
    EXPECT_EQ(view.CountObstaclesPassed(), 0);
}

} // namespace
