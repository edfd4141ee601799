// Paint: the two off-screen buffers, built once, and what reaches the window.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Canvas.h"
#include "Layout.h"
#include "render/Palette.h"

using namespace palette;

namespace {

constexpr COLORREF kPaintPaper = RGB(255, 0, 255);

// A window of paper, and a view whose area starts at (10, 12).
class Painting : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.Fill(kPaintPaper);
        view.SetArea(10, 12, 470, 212);
        view.m_rcTitle = CRect(100, 40, 300, 90);
        view.m_rcStart = CRect(200, 120, 280, 150);
        view.m_rcExit = CRect(200, 160, 280, 190);
        view.m_rcStop = CRect(360, 220, 470, 250);
        view.SetText("Quindle");
        view.m_player.SetPos(100, 100);
    }
    void TearDown() override { view.m_obstacles.RemoveAll(); }

    // True when exactly the rectangle rc of the window was painted over, as far
    // as its edges and the pixels just outside them tell.
    ::testing::AssertionResult CopiedExactly(const CRect& rc)
    {
        const CPoint inside[] = {{rc.left, rc.top}, {rc.right - 1, rc.top}, {rc.left, rc.bottom - 1},
                                 {rc.right - 1, rc.bottom - 1}};
        const CPoint outside[] = {{rc.left - 1, rc.top}, {rc.left, rc.top - 1}, {rc.right, rc.bottom - 1},
                                  {rc.right - 1, rc.bottom}};
        for (const CPoint& pt : inside)
            if (window.At(pt.x, pt.y) == kPaintPaper)
                return ::testing::AssertionFailure() << "not painted at " << pt.x << "," << pt.y;
        for (const CPoint& pt : outside)
            if (window.At(pt.x, pt.y) != kPaintPaper)
                return ::testing::AssertionFailure() << "painted at " << pt.x << "," << pt.y;
        return ::testing::AssertionSuccess();
    }

    CCourseView view;
    CCanvas window{480, 260};
};

TEST_F(Painting, FirstPaintBuildsBuffersReachingTheRectanglesFarCorners)
{
    EXPECT_EQ(view.m_bmpMain.GetSafeHandle(), nullptr);
    view.Paint(&window.dc, "");
    EXPECT_EQ(view.m_bmpMain.GetWidth(), 470);
    EXPECT_EQ(view.m_bmpMain.GetHeight(), 212);
    EXPECT_EQ(view.m_bmpOverlay.GetWidth(), 470);
    EXPECT_EQ(view.m_bmpOverlay.GetHeight(), 250);
    EXPECT_EQ(view.m_dcMain.GetCurrentBitmap(), &view.m_bmpMain);
    EXPECT_EQ(view.m_dcOverlay.GetCurrentBitmap(), &view.m_bmpOverlay);
    EXPECT_EQ(view.m_bRebuildMain, 0);
    EXPECT_EQ(view.m_bRebuildOverlay, 0);
}

TEST_F(Painting, LaterPaintsReuseTheSameBuffers)
{
    view.Paint(&window.dc, "");
    const HGDIOBJ hMain = view.m_bmpMain.GetSafeHandle();
    const HGDIOBJ hOverlay = view.m_bmpOverlay.GetSafeHandle();
    // Marks in the strips that are never drawn or copied survive only in the same bitmaps.
    view.m_dcMain.SetPixel(0, 0, kPaintPaper);
    view.m_dcOverlay.SetPixel(0, 0, kPaintPaper);
    view.m_bInGame = 1;
    view.Paint(&window.dc, "Go!!");
    view.Paint(&window.dc, "Go!!");
    EXPECT_EQ(view.m_bmpMain.GetSafeHandle(), hMain);
    EXPECT_EQ(view.m_bmpOverlay.GetSafeHandle(), hOverlay);
    EXPECT_EQ(view.m_dcMain.GetPixel(0, 0), kPaintPaper);
    EXPECT_EQ(view.m_dcOverlay.GetPixel(0, 0), kPaintPaper);
}

TEST_F(Painting, MenuCopiesOnlyTheAreaBlockAtItsOwnPlace)
{
    view.m_bHoverStop = 1;
    view.Paint(&window.dc, "");
    EXPECT_TRUE(CopiedExactly(view.m_rcArea));
    EXPECT_EQ(window.At(10, 12), kBlack);
    EXPECT_EQ(window.At(469, 211), kBlack);
    EXPECT_EQ(window.At(100, 40), kGrey);
    EXPECT_TRUE(window.All(view.m_rcStop, kPaintPaper));
    EXPECT_EQ(window.Count(window.Bounds(), kPaintPaper), 480 * 260 - 460 * 200);
}

TEST_F(Painting, GameCopiesTheStopButtonToo)
{
    view.m_bInGame = 1;
    view.Paint(&window.dc, "");
    EXPECT_TRUE(CopiedExactly(view.m_rcArea));
    EXPECT_TRUE(CopiedExactly(view.m_rcStop));
    EXPECT_EQ(window.At(view.m_rcStop.left + 1, view.m_rcStop.top + 1), kDarkGrey);
    EXPECT_GT(window.Count(view.m_rcStop, kYellow), 20);
    EXPECT_EQ(window.Count(window.Bounds(), kPaintPaper), 480 * 260 - 460 * 200 - 110 * 30);
}

TEST_F(Painting, AnInGameValueOtherThanOneShowsNoStopButton)
{
    view.m_bInGame = 2;
    view.Paint(&window.dc, "");
    EXPECT_TRUE(window.All(view.m_rcStop, kPaintPaper));
    EXPECT_EQ(window.At(100, 100), kRed);
}

TEST_F(Painting, ObstacleAcrossTheRightEdgeShowsUpToItAndOneBeyondLeavesNoTrace)
{
    view.m_bInGame = 1;
    AddObstacle(view, 468, 60);  // columns 463 .. 472 straddle the edge at 470
    AddObstacle(view, 478, 120); // wholly right of the area
    AddObstacle(view, 60, 10);   // rows 5 .. 14 cross the area's top at 12
    view.Paint(&window.dc, "");
    EXPECT_EQ(window.At(463, 60), kDarkGrey);
    EXPECT_TRUE(window.All(CRect(464, 56, 470, 64), kGrey));
    EXPECT_TRUE(window.All(CRect(470, 0, 480, 220), kPaintPaper));
    EXPECT_TRUE(window.All(CRect(0, 0, 480, 12), kPaintPaper));
    EXPECT_EQ(window.At(60, 12), kGrey);
    EXPECT_EQ(window.At(60, 14), kDarkGrey);
}

TEST_F(Painting, WithoutAWindowDcTheBuffersAreStillDrawn)
{
    view.Paint(nullptr, "");
    EXPECT_EQ(view.m_bmpMain.GetWidth(), 470);
    EXPECT_EQ(view.m_dcMain.GetPixel(100, 40), kGrey);
}

TEST_F(Painting, PaintingWhileTheGameThreadRefillsAndMovesTheObstaclesIsSafe)
{
    view.m_bInGame = 1;
    std::atomic<bool> bDone{false};
    std::thread game([&] {
        for (int frame = 0; frame < 200; ++frame) {
            if (frame % 20 == 0)
                view.SpawnObstacles(300);
            view.AdvanceObstacles();
            view.ResetPlayer();
        }
        bDone = true;
    });
    int nPaints = 0;
    while (!bDone || nPaints < 5) {
        view.Paint(&window.dc, "Go!!");
        ++nPaints;
    }
    game.join();
    EXPECT_TRUE(CopiedExactly(view.m_rcArea));
}

TEST(PaintLayout, EmptyLayoutPaintsNothingAndDoesNotCrash)
{
    CCourseView view;
    CCanvas window(40, 40);
    window.Fill(kPaintPaper);
    view.m_bInGame = 1;
    view.Paint(&window.dc, "Ready");
    view.Paint(&window.dc, "Ready");
    EXPECT_TRUE(window.All(window.Bounds(), kPaintPaper));
    EXPECT_EQ(view.m_bmpMain.GetSafeHandle(), nullptr);
}

} // namespace
