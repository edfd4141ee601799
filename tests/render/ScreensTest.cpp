// The two screens as Draw renders them: what each shows and what it never shows.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "Layout.h"
#include "render/Palette.h"

using namespace palette;

namespace {

constexpr COLORREF kScreensPaper = RGB(240, 240, 240);

bool IsOneOf(COLORREF c, std::initializer_list<COLORREF> colours)
{
    for (COLORREF k : colours)
        if (c == k)
            return true;
    return false;
}

// A window-sized canvas and a view with the dialog's layout, a player and obstacles.
class Screens : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDialogLayout(view);
        canvas.Fill(kScreensPaper);
        view.m_player.SetPos(100, 104);
        AddObstacle(view, 480, 150);
        AddObstacle(view, 40, 40);
    }
    void TearDown() override { view.m_obstacles.RemoveAll(); }

    // Inside a button's outline.
    static CRect Inside(const CRect& rc) { return CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1); }
    // The colours of a button's face where no caption lies: its top inner row.
    static CRect FaceRow(const CRect& rc) { return CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.top + 2); }

    CCourseView view;
    CCanvas canvas{kClientWidth, kClientHeight};
};

class MenuScreen : public Screens {
protected:
    void SetUp() override
    {
        Screens::SetUp();
        view.m_bInGame = 0;
    }
};

TEST_F(MenuScreen, ShowsTitleAndIdleButtonsOnBlackWithoutPlayerOrObstacles)
{
    view.Draw(&canvas.dc, "Ready");
    EXPECT_EQ(canvas.At(86, 23), kGrey);
    EXPECT_TRUE(canvas.All(FaceRow(view.m_rcTitle), kDarkGrey));
    EXPECT_GT(canvas.Count(view.m_rcTitle, kRed), 50);
    for (const CRect& rc : {view.m_rcStart, view.m_rcExit}) {
        EXPECT_EQ(canvas.At(rc.left, rc.top), kGrey);
        EXPECT_EQ(canvas.At(rc.right - 1, rc.bottom - 1), kGrey);
        EXPECT_TRUE(canvas.All(FaceRow(rc), kDarkGrey));
        EXPECT_GT(canvas.Count(rc, kBlue), 20);
    }
    // The player's and the obstacles' places stay black; so does the status text's.
    EXPECT_TRUE(canvas.All(view.GetPlayerRect(), kBlack));
    EXPECT_TRUE(canvas.All(view.GetObstacleRect(0), kBlack));
    EXPECT_TRUE(canvas.All(view.GetObstacleRect(1), kBlack));
    EXPECT_EQ(canvas.Count(view.m_rcArea, kWhite), 0);
}

TEST_F(MenuScreen, HoverFillsOnlyTheHoveredButtonAndCaptionsStayBlue)
{
    view.m_bHoverStart = 1;
    view.Draw(&canvas.dc, "");
    EXPECT_TRUE(canvas.All(FaceRow(view.m_rcStart), kRed));
    EXPECT_TRUE(canvas.All(FaceRow(view.m_rcExit), kDarkGrey));
    EXPECT_EQ(canvas.At(view.m_rcStart.left, view.m_rcStart.top), kGrey);
    EXPECT_GT(canvas.Count(view.m_rcStart, kBlue), 20);
    EXPECT_GT(canvas.Count(view.m_rcExit, kBlue), 20);
}

TEST_F(MenuScreen, StopIsNeverShownWhateverItsHover)
{
    view.m_bHoverStop = 1;
    view.Draw(&canvas.dc, "");
    EXPECT_TRUE(canvas.All(view.m_rcStop, kScreensPaper));
}

TEST_F(MenuScreen, ALongTitleIsCutAtTheTitleBox)
{
    view.SetText("QuindleQuindleQuindleQuindle");
    view.Draw(&canvas.dc, "");
    const CRect& box = view.m_rcTitle;
    // The text reaches both ends of the box and nothing of it spills out.
    EXPECT_GT(canvas.Count(CRect(box.left + 1, box.top + 1, box.left + 11, box.bottom - 1), kRed), 0);
    EXPECT_GT(canvas.Count(CRect(box.right - 11, box.top + 1, box.right - 1, box.bottom - 1), kRed), 0);
    const CRect around(box.left - 1, box.top - 1, box.right + 1, box.bottom + 1);
    EXPECT_EQ(canvas.Count(around, kRed), canvas.Count(box, kRed));
}

class GameScreen : public Screens {
protected:
    void SetUp() override
    {
        Screens::SetUp();
        view.m_bInGame = 1;
    }
};

TEST_F(GameScreen, ShowsPlayerObstaclesAndStopButNoTitleOrMenuButtons)
{
    view.m_bHoverStart = 1;
    view.m_bHoverExit = 1;
    view.Draw(&canvas.dc, "");
    const CRect player = view.GetPlayerRect();
    EXPECT_EQ(canvas.At(player.left, player.top), kDarkGrey);
    EXPECT_TRUE(canvas.All(Inside(player), kRed));
    const CRect obstacle = view.GetObstacleRect(0);
    EXPECT_EQ(canvas.At(obstacle.right - 1, obstacle.bottom - 1), kDarkGrey);
    EXPECT_TRUE(canvas.All(Inside(obstacle), kGrey));
    // Start, Exit and the title leave nothing: only black and the player remain there.
    for (const CRect& rc : {view.m_rcStart, view.m_rcExit, view.m_rcTitle})
        EXPECT_TRUE(canvas.All(rc, kBlack));
    // Draw's own Stop lands below the area; on this window-sized canvas it shows.
    EXPECT_TRUE(canvas.All(FaceRow(view.m_rcStop), kDarkGrey));
    EXPECT_GT(canvas.Count(view.m_rcStop, kYellow), 20);
}

TEST_F(GameScreen, StopHoverFillsItRedInsideADarkGreyOutline)
{
    view.m_bHoverStop = 1;
    view.Draw(&canvas.dc, "");
    EXPECT_TRUE(canvas.All(FaceRow(view.m_rcStop), kRed));
    EXPECT_EQ(canvas.At(view.m_rcStop.left, view.m_rcStop.top), kDarkGrey);
}

TEST_F(GameScreen, StatusTextIsWhiteAndCentredOverTheArea)
{
    // Nothing else in the area, so that every lit pixel there is the text's.
    view.m_obstacles.RemoveAll();
    view.m_player.SetPos(-100, -100);
    view.Draw(&canvas.dc, "Game Over!!");
    const CRect& area = view.m_rcArea;
    const CRect ink = canvas.Extent(area, kBlack);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_GT(canvas.Count(ink, kWhite), 50);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, (area.left + area.right) / 2.0, 2.0);
    // One 27-pixel line around the area's middle row.
    const int middle = (area.top + area.bottom) / 2;
    EXPECT_GE(ink.top, middle - 14);
    EXPECT_LE(ink.bottom, middle + 14);
}

TEST_F(GameScreen, EmptyStatusAndNoObstaclesShowThePlayerAloneOnBlack)
{
    view.m_obstacles.RemoveAll();
    view.Draw(&canvas.dc, "");
    const CRect player = view.GetPlayerRect();
    EXPECT_EQ(canvas.Extent(view.m_rcArea, kBlack), player);
    EXPECT_EQ(canvas.Count(view.m_rcArea, [](COLORREF c) { return !IsOneOf(c, {kBlack, kDarkGrey, kRed}); }), 0);
}

TEST_F(GameScreen, LaterObstaclesCoverEarlierOnesAndAllCoverThePlayer)
{
    view.m_obstacles.RemoveAll();
    AddObstacle(view, 104, 104); // over the player's right half
    AddObstacle(view, 108, 104); // over the first one's right half
    view.Draw(&canvas.dc, "");
    // Column 103 is the second obstacle's left outline, drawn over the first's fill.
    EXPECT_EQ(canvas.At(103, 104), kDarkGrey);
    EXPECT_EQ(canvas.At(102, 104), kGrey);
    // The player's fill shows only left of the first obstacle.
    EXPECT_EQ(canvas.At(97, 104), kRed);
    EXPECT_EQ(canvas.At(100, 104), kGrey);
}

TEST_F(GameScreen, AnyNonZeroInGameValueShowsTheGameScreen)
{
    view.m_bInGame = 2;
    view.Draw(&canvas.dc, "");
    EXPECT_TRUE(canvas.All(Inside(view.GetPlayerRect()), kRed));
    EXPECT_TRUE(canvas.All(view.m_rcStart, kBlack));
}

} // namespace
