// The score line: "Passed N" on the game screen and "Best N" on the menu, in
// the dialog's small font on its face below the area, left of Stop's place;
// every pixel outside it is what the screen shows without it.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "Layout.h"
#include "render/Palette.h"

namespace {

constexpr COLORREF kFace = RGB(212, 208, 200);
constexpr COLORREF kFaceText = RGB(0, 0, 0);
constexpr COLORREF kScoreLinePaper = RGB(255, 0, 255);

class ScoreLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDialogLayout(view);
        view.m_crFace = kFace;
        view.m_crFaceText = kFaceText;
        view.m_player.SetPos(100, 104);
        AddObstacle(view, 300, 100);
    }
    void TearDown() override { view.m_obstacles.RemoveAll(); }

    // Paints the view into a fresh window of paper.
    void PaintInto(CCanvas& window)
    {
        window.Fill(kScoreLinePaper);
        view.Paint(&window.dc, "Ready");
    }
    // The pixels of rc where a and b differ.
    static int Differences(const CCanvas& a, const CCanvas& b, const CRect& rc)
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += a.At(x, y) != b.At(x, y) ? 1 : 0;
        return n;
    }
    static bool IsDark(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }

    CCourseView view;
    CCanvas plain{kClientWidth, kClientHeight};
    CCanvas scored{kClientWidth, kClientHeight};
};

TEST_F(ScoreLine, PassedInAGameAndBestOnTheMenuGoBelowTheAreaLeftOfStopAndTouchNothingElse)
{
    view.m_bInGame = 1;
    PaintInto(plain);
    view.m_nPassed = 12;
    PaintInto(scored);

    const CRect rc = view.GetScoreRect();
    EXPECT_EQ(rc, CRect(12, 200, 422, 232));
    EXPECT_EQ(Differences(plain, scored, CRect(0, 0, kClientWidth, kClientHeight)),
              Differences(plain, scored, rc)) << "only the score line changed";
    EXPECT_EQ(scored.Count(rc, [](COLORREF c) { return c == kScoreLinePaper; }), 0) << "on the dialog's face throughout";
    const CRect text = scored.Extent(rc, kFace);
    ASSERT_FALSE(text.IsRectEmpty());
    EXPECT_LE(text.left, rc.left + 2) << "from the left";
    EXPECT_LT(text.right, rc.left + 120);
    EXPECT_LE(text.Height(), 12) << "the dialog's 9-point font, not the status text's";
    EXPECT_GT(scored.Count(text, IsDark), 0) << "in the face's text colour";

    // The menu: the best, not the game's count ("Best 12" is narrower than "Passed 12").
    view.m_bInGame = 0;
    PaintInto(plain);
    EXPECT_TRUE(plain.All(rc, kScoreLinePaper)) << "no best yet: no line";
    view.m_nBest = 12;
    PaintInto(scored);
    EXPECT_EQ(Differences(plain, scored, CRect(0, 0, kClientWidth, kClientHeight)), Differences(plain, scored, rc));
    const CRect best = scored.Extent(rc, kFace);
    EXPECT_FALSE(best.IsRectEmpty());
    EXPECT_LT(best.right, text.right);
}

} // namespace
