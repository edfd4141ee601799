#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "game/GameObject.h"
#include "game/ObjectList.h"

TEST(CGameObject, NewPlayerSitsAtOriginAndMovesFiveUpOrDownOnly)
{
    CPlayer player;
    EXPECT_EQ(player.GetPos(), CPoint(0, 0));
    EXPECT_EQ(player.GetRect(), CRect(-5, -5, 5, 5));
    player.MoveUp();
    EXPECT_EQ(player.GetPos(), CPoint(0, -5));
    player.MoveLeft();
    player.MoveRight();
    EXPECT_EQ(player.GetPos(), CPoint(0, -5));
}

TEST(CGameObject, StepAppliesBothSpeedsTruncatedTowardZero)
{
    CObstacle fresh;
    fresh.Step();
    EXPECT_EQ(fresh.GetPos(), CPoint(1, 1));

    CObstacle o;
    o.SetPos(500, 50);
    o.m_dSpeedX = -8.0;
    o.m_dSpeedY = -2.0;
    o.Step();
    EXPECT_EQ(o.GetPos(), CPoint(492, 48));

    o.m_dSpeedY = -2.5; // truncation, not floor: MoveDown subtracts 2
    o.MoveDown();
    EXPECT_EQ(o.GetPos().y, 46);
    o.m_dSpeedX = 2.9; // the fraction never accumulates
    o.MoveRight();
    o.MoveRight();
    EXPECT_EQ(o.GetPos().x, 496);
    o.m_dSpeedX = -8.0; // a negative speed goes the other way
    o.MoveLeft();
    EXPECT_EQ(o.GetPos().x, 504);
}

TEST(CGameObject, RectangleUsesTruncatedHalfSizes)
{
    CObstacle o;
    o.SetPos(100, 50);
    o.SetWidth(11);
    EXPECT_EQ(o.GetRect(), CRect(95, 45, 105, 55));
    o.SetHeight(3);
    EXPECT_EQ(o.GetRect(), CRect(95, 49, 105, 51));
}

TEST(CGameObject, BothFormsOfSetPosAgree)
{
    CObstacle a, b;
    a.SetPos(-7, 33);
    b.SetPos(CPoint(-7, 33));
    EXPECT_EQ(a.GetPos(), b.GetPos());
    a.Offset(3, -3);
    EXPECT_EQ(a.GetPos(), CPoint(-4, 30));
}

// Records the order in which the list frees its objects, by address.
namespace {
void* g_watched[3];
int g_freedOrder[3];
int g_freedCount = 0;

void NoteFree(void* p)
{
    for (int i = 0; i < 3; ++i) {
        if (p && p == g_watched[i] && g_freedCount < 3)
            g_freedOrder[g_freedCount++] = i;
    }
}
} // namespace

void* operator new(std::size_t n)
{
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    NoteFree(p);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    NoteFree(p);
    std::free(p);
}

TEST(CObjectList, IndexesFromTheOldestAndDeletesTheNewestFirst)
{
    CObjectList list;
    CGameObject* a = list.AddNew();
    CGameObject* b = list.AddNew();
    CGameObject* c = list.AddNew();
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAt(0), a);
    EXPECT_EQ(list.GetAt(1), b);
    EXPECT_EQ(list.GetAt(2), c);
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(a->GetPos(), CPoint(0, 0)); // an obstacle with the defaults
    EXPECT_EQ(a->m_dSpeedX, 1.0);

    g_watched[0] = a;
    g_watched[1] = b;
    g_watched[2] = c;
    g_freedCount = 0;
    list.RemoveAll();
    ASSERT_EQ(g_freedCount, 3);
    EXPECT_EQ(g_freedOrder[0], 2);
    EXPECT_EQ(g_freedOrder[1], 1);
    EXPECT_EQ(g_freedOrder[2], 0);
    EXPECT_EQ(list.GetCount(), 0);
    g_watched[0] = g_watched[1] = g_watched[2] = nullptr;

    list.RemoveAll(); // empty: changes nothing
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(CObjectList, RectangleCopyForAnIndexWithNoObjectIsEmpty)
{
    CObjectList list;
    list.AddNew()->SetPos(50, 60);
    CRect rc;
    EXPECT_TRUE(list.GetRectAt(0, &rc));
    EXPECT_EQ(rc, CRect(45, 55, 55, 65));
    EXPECT_FALSE(list.GetRectAt(1, &rc));
    EXPECT_EQ(rc, CRect(0, 0, 0, 0));
    list.RemoveAll();
}
