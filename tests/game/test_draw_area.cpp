#include <gtest/gtest.h>

#include "game/CourseView.h"

namespace {
class DrawArea : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.SetArea(12, 11, 546, 197);
        view.m_rcStart = CRect(214, 102, 338, 134);
        view.m_rcExit = CRect(214, 146, 338, 178);
        view.m_rcStop = CRect(422, 200, 546, 232);
    }
    CCourseView view;
};

TEST(DrawAreaConstruction, StartsEmptyOnTheMenuWithBothBuffersToBuild)
{
    CCourseView view;
    EXPECT_EQ(view.m_rcArea, CRect(0, 0, 0, 0));
    EXPECT_EQ(view.m_rcStart, CRect(0, 0, 0, 0));
    EXPECT_EQ(view.m_bInGame, 0);
    EXPECT_TRUE(view.m_strText.IsEmpty());
    EXPECT_EQ(view.m_bRebuildMain, 1);
    EXPECT_EQ(view.m_bRebuildOverlay, 1);
    // Before the layout is set no point hits any button.
    EXPECT_FALSE(view.HitStart(CPoint(0, 0)));
    EXPECT_FALSE(view.HitExit(CPoint(0, 0)));
    EXPECT_FALSE(view.HitStop(CPoint(0, 0)));
}

TEST_F(DrawArea, HitTestsTakeTheTopLeftCornerButNotTheBottomRight)
{
    EXPECT_TRUE(view.HitStart(CPoint(214, 102)));
    EXPECT_FALSE(view.HitStart(CPoint(338, 134)));
    EXPECT_TRUE(view.HitStart(CPoint(337, 133)));
    EXPECT_TRUE(view.HitExit(CPoint(214, 146)));
    EXPECT_FALSE(view.HitExit(CPoint(214, 178)));
    EXPECT_TRUE(view.HitStop(CPoint(545, 231)));
    EXPECT_FALSE(view.HitStop(CPoint(546, 231)));
}

TEST_F(DrawArea, HoverFollowsThePointWhateverTheScreen)
{
    view.UpdateHover(CPoint(220, 110));
    EXPECT_EQ(view.m_bHoverStart, 1);
    EXPECT_EQ(view.m_bHoverExit, 0);
    EXPECT_EQ(view.m_bHoverStop, 0);
    view.m_bInGame = 1;
    view.UpdateHover(CPoint(430, 210));
    EXPECT_EQ(view.m_bHoverStart, 0);
    EXPECT_EQ(view.m_bHoverStop, 1);
    view.UpdateHover(CPoint(5, 5));
    EXPECT_EQ(view.m_bHoverStart + view.m_bHoverExit + view.m_bHoverStop, 0);
}

TEST_F(DrawArea, SetAreaStoresTheEdgesAsGiven)
{
    view.SetArea(10, 12, 470, 212);
    EXPECT_EQ(view.m_rcArea, CRect(10, 12, 470, 212));
    view.SetArea(470, 212, 10, 12);
    EXPECT_EQ(view.m_rcArea.left, 470);
    EXPECT_EQ(view.m_rcArea.bottom, 12);
    view.SetText("Quindle");
    EXPECT_EQ(view.m_strText, "Quindle");
}

} // namespace
