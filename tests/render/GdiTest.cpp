// The device-context subset: pixel rules of Rectangle, object selection,
// DC attributes and BitBlt, all on memory surfaces.
#include <gtest/gtest.h>

#include <climits>

#include "Canvas.h"

namespace {

constexpr COLORREF kPaper = RGB(250, 240, 230);
constexpr COLORREF kInk = RGB(10, 20, 30);
constexpr COLORREF kFill = RGB(200, 100, 50);

// A canvas with a pen and a brush of its own selected.
class RectangleRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas.Fill(kPaper);
        pen.CreatePen(PS_SOLID, 1, kInk);
        brush.CreateSolidBrush(kFill);
        pOldPen = canvas.dc.SelectObject(&pen);
        pOldBrush = canvas.dc.SelectObject(&brush);
    }
    void TearDown() override
    {
        canvas.dc.SelectObject(pOldPen);
        canvas.dc.SelectObject(pOldBrush);
    }

    // What Rectangle(l, t, r, b) should leave at (x, y).
    static COLORREF Expected(int x, int y, int l, int t, int r, int b)
    {
        if (x < l || x >= r || y < t || y >= b)
            return kPaper;
        if (x == l || x == r - 1 || y == t || y == b - 1)
            return kInk;
        return kFill;
    }

    void ExpectRectangle(int l, int t, int r, int b)
    {
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                ASSERT_EQ(canvas.At(x, y), Expected(x, y, l, t, r, b)) << "at " << x << "," << y;
    }

    CCanvas canvas{16, 12};
    CPen pen;
    CBrush brush;
    CPen* pOldPen = nullptr;
    CBrush* pOldBrush = nullptr;
};

TEST_F(RectangleRules, OutlineStopsOnePixelShortOfRightAndBottom)
{
    canvas.dc.Rectangle(2, 3, 9, 8);
    ExpectRectangle(2, 3, 9, 8);
}

TEST_F(RectangleRules, SwappedCornersDrawTheSameRectangle)
{
    canvas.dc.Rectangle(9, 8, 2, 3);
    ExpectRectangle(2, 3, 9, 8);
}

TEST_F(RectangleRules, TinyRectanglesAreAllOutline)
{
    canvas.dc.Rectangle(1, 1, 3, 3);
    canvas.dc.Rectangle(5, 5, 6, 6);
    EXPECT_TRUE(canvas.All(CRect(1, 1, 3, 3), kInk));
    EXPECT_EQ(canvas.At(5, 5), kInk);
    EXPECT_EQ(canvas.Count(canvas.Bounds(), kInk), 5);
    EXPECT_EQ(canvas.Count(canvas.Bounds(), kFill), 0);
}

TEST_F(RectangleRules, EmptyRectanglesDrawNothing)
{
    canvas.dc.Rectangle(0, 0, 0, 0);
    canvas.dc.Rectangle(4, 2, 4, 9);
    canvas.dc.Rectangle(3, 6, 10, 6);
    EXPECT_TRUE(canvas.All(canvas.Bounds(), kPaper));
}

TEST_F(RectangleRules, PartsOutsideTheSurfaceAreClippedAway)
{
    canvas.dc.Rectangle(-5, -4, 4, 3);
    canvas.dc.Rectangle(12, 9, 30, 20);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF first = Expected(x, y, -5, -4, 4, 3);
            const COLORREF second = Expected(x, y, 12, 9, 30, 20);
            ASSERT_EQ(canvas.At(x, y), second != kPaper ? second : first) << "at " << x << "," << y;
        }
    }
}

TEST_F(RectangleRules, ExtremeCoordinatesFillTheSurfaceWithoutOverflow)
{
    canvas.dc.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_TRUE(canvas.All(canvas.Bounds(), kFill));
}

class Selection : public ::testing::Test {
protected:
    CCanvas canvas{8, 8};
};

TEST_F(Selection, SelectObjectHandsBackWhatWasSelectedBefore)
{
    CPen* pStock = canvas.dc.GetCurrentPen();
    ASSERT_NE(pStock, nullptr);
    CPen first, second;
    first.CreatePen(PS_SOLID, 1, kInk);
    second.CreatePen(PS_SOLID, 0, kFill);
    EXPECT_EQ(canvas.dc.SelectObject(&first), pStock);
    EXPECT_EQ(canvas.dc.SelectObject(&second), &first);
    EXPECT_EQ(canvas.dc.SelectObject(pStock), &second);
    EXPECT_EQ(canvas.dc.GetCurrentPen(), pStock);
}

TEST_F(Selection, AnObjectWithoutHandleSelectsNothing)
{
    CBrush brush;
    brush.CreateSolidBrush(kFill);
    CBrush* pStock = canvas.dc.SelectObject(&brush);
    CBrush empty;
    EXPECT_EQ(canvas.dc.SelectObject(&empty), nullptr);
    EXPECT_EQ(canvas.dc.SelectObject(static_cast<CBrush*>(nullptr)), nullptr);
    EXPECT_EQ(canvas.dc.GetCurrentBrush(), &brush);
    canvas.dc.SelectObject(pStock);
}

TEST_F(Selection, ASelectedObjectCannotBeDeletedUntilDeselected)
{
    CBrush brush;
    brush.CreateSolidBrush(kFill);
    CBrush* pStock = canvas.dc.SelectObject(&brush);
    EXPECT_FALSE(brush.DeleteObject());
    EXPECT_NE(brush.GetSafeHandle(), nullptr);
    canvas.dc.SelectObject(pStock);
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_EQ(brush.GetSafeHandle(), nullptr);
}

TEST_F(Selection, PenWhoseWrapperWentKeepsDrawingUntilReplaced)
{
    CPen* pStock = canvas.dc.GetCurrentPen();
    {
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, kInk);
        canvas.dc.SelectObject(&pen);
    }
    canvas.dc.Rectangle(0, 0, 3, 3);
    EXPECT_EQ(canvas.At(0, 0), kInk);
    // The orphaned pen is freed as it is replaced: there is no wrapper to hand back.
    EXPECT_EQ(canvas.dc.SelectObject(pStock), nullptr);
}

TEST_F(Selection, ABitmapDrawsForOneDcAtATime)
{
    CDC other;
    other.CreateCompatibleDC(&canvas.dc);
    EXPECT_EQ(other.SelectObject(&canvas.bmp), nullptr);
    EXPECT_EQ(other.GetPixel(0, 0), CLR_INVALID);
}

TEST_F(Selection, ANullBitmapDeselectsSoTheBitmapCanBeDeleted)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 4, 4);
    CBitmap* pDefault = dc.SelectObject(&bmp);
    EXPECT_NE(pDefault, nullptr);
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(0, 0, 0));
    EXPECT_EQ(dc.SelectObject(static_cast<CBitmap*>(nullptr)), &bmp);
    EXPECT_EQ(dc.GetPixel(3, 3), CLR_INVALID);
    EXPECT_TRUE(bmp.DeleteObject());
}

TEST(GdiObjects, CreationRefusesWhatCannotBeDrawn)
{
    CPen wide, dashed;
    EXPECT_FALSE(wide.CreatePen(PS_SOLID, 3, kInk));
    EXPECT_FALSE(dashed.CreatePen(1, 1, kInk));
    CBitmap none;
    EXPECT_FALSE(none.CreateCompatibleBitmap(nullptr, 0, 10));
    EXPECT_EQ(none.GetWidth(), 0);
}

TEST(DcAttributes, NewDcStartsWithThePlatformDefaultsAndSettersReturnThePrevious)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);

    EXPECT_EQ(dc.SetBkColor(kInk), RGB(255, 255, 255));
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetTextColor(kFill), RGB(0, 0, 0));
    EXPECT_EQ(dc.SetROP2(R2_WHITE), R2_COPYPEN);
    EXPECT_EQ(dc.GetBkColor(), kInk);
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(dc.GetTextColor(), kFill);
    EXPECT_EQ(dc.GetROP2(), R2_WHITE);

    // Values outside the platform's ranges are refused and change nothing.
    EXPECT_EQ(dc.SetBkMode(3), 0);
    EXPECT_EQ(dc.SetROP2(0), 0);
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(dc.GetROP2(), R2_WHITE);
}

TEST(DcAttributes, ADcWithoutHandleIgnoresEverything)
{
    CDC dc;
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, kInk);
    EXPECT_EQ(dc.SelectObject(&pen), nullptr);
    EXPECT_EQ(dc.SetTextColor(kInk), CLR_INVALID);
    EXPECT_FALSE(dc.Rectangle(0, 0, 4, 4));
    RECT rc = {0, 0, 40, 40};
    EXPECT_EQ(dc.DrawText("x", 1, &rc, DT_SINGLELINE), 0);
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
}

// A source whose every pixel has its own colour, and a destination of paper.
class BlockCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int y = 0; y < source.Height(); ++y)
            for (int x = 0; x < source.Width(); ++x)
                source.dc.SetPixel(x, y, Pattern(x, y));
        target.Fill(kPaper);
    }
    static COLORREF Pattern(int x, int y) { return RGB(BYTE(x * 10), BYTE(y * 10), 77); }

    // Every target pixel is the source pixel at offset (dx, dy) inside the copied block, else paper.
    void ExpectBlock(const CRect& block, int dx, int dy)
    {
        for (int y = 0; y < target.Height(); ++y)
            for (int x = 0; x < target.Width(); ++x)
                ASSERT_EQ(target.At(x, y), block.PtInRect(CPoint(x, y)) ? Pattern(x + dx, y + dy) : kPaper)
                    << "at " << x << "," << y;
    }

    CCanvas source{20, 16};
    CCanvas target{18, 14};
};

TEST_F(BlockCopy, CopiesTheBlockFromTheSourcePlaceToTheTargetPlace)
{
    EXPECT_TRUE(target.dc.BitBlt(5, 6, 4, 3, &source.dc, 2, 1, SRCCOPY));
    ExpectBlock(CRect(5, 6, 9, 9), -3, -5);
}

TEST_F(BlockCopy, PartsOutsideEitherSurfaceAreLeftOut)
{
    // Starts left of and above the target; reaches past the source's right and bottom.
    target.dc.BitBlt(-2, -3, 30, 30, &source.dc, 10, 8, SRCCOPY);
    ExpectBlock(CRect(0, 0, 8, 5), 12, 11);
}

TEST_F(BlockCopy, NegativeSourcePlaceShiftsTheTarget)
{
    target.dc.BitBlt(0, 0, 6, 6, &source.dc, -2, -1, SRCCOPY);
    ExpectBlock(CRect(2, 1, 6, 6), -2, -1);
}

TEST_F(BlockCopy, OnlySrcCopyIsOffered)
{
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 5, 5, &source.dc, 0, 0, 0x00EE0086));
    EXPECT_TRUE(target.All(target.Bounds(), kPaper));
}

TEST_F(BlockCopy, OverlappingCopyWithinOneSurfaceKeepsTheSource)
{
    source.dc.BitBlt(3, 2, 10, 10, &source.dc, 1, 0, SRCCOPY);
    for (int y = 2; y < 12; ++y)
        for (int x = 3; x < 13; ++x)
            ASSERT_EQ(source.At(x, y), Pattern(x - 2, y - 2)) << "at " << x << "," << y;
}

} // namespace
