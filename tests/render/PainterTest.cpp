// CPainter: the rectangle and text primitives, their pixels and what they
// leave behind in the DC.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "render/Painter.h"

namespace {

constexpr COLORREF kDarkGrey = 0x00262626;
constexpr COLORREF kRed = 0x000000CC;
constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr COLORREF kPainterPaper = RGB(30, 60, 90);

class DrawRectOnADc : public ::testing::Test {
protected:
    CCanvas canvas{32, 32};
    CPainter painter{&canvas.dc};
};

TEST_F(DrawRectOnADc, SquareIsRedWithADarkGreyOnePixelBorder)
{
    canvas.Fill(kPainterPaper);
    painter.DrawRect(10, 10, 20, 20, kDarkGrey, kRed);
    EXPECT_TRUE(canvas.All(CRect(10, 10, 20, 11), kDarkGrey));
    EXPECT_TRUE(canvas.All(CRect(10, 19, 20, 20), kDarkGrey));
    EXPECT_TRUE(canvas.All(CRect(10, 11, 11, 19), kDarkGrey));
    EXPECT_TRUE(canvas.All(CRect(19, 11, 20, 19), kDarkGrey));
    EXPECT_TRUE(canvas.All(CRect(11, 11, 19, 19), kRed));
    EXPECT_EQ(canvas.Count(canvas.Bounds(), kPainterPaper), 32 * 32 - 100);
}

TEST_F(DrawRectOnADc, GivesBackPenAndBrushAndLeavesBlackBackgroundAndCopyPen)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, kWhite);
    CBrush brush;
    brush.CreateSolidBrush(kWhite);
    CPen* pStockPen = canvas.dc.SelectObject(&pen);
    CBrush* pStockBrush = canvas.dc.SelectObject(&brush);
    canvas.dc.SetBkColor(kWhite);
    canvas.dc.SetROP2(R2_WHITE);
    canvas.dc.SetTextColor(kRed);
    canvas.dc.SetBkMode(OPAQUE);

    painter.DrawRect(1, 1, 5, 5, kDarkGrey, kRed);

    EXPECT_EQ(canvas.dc.GetCurrentPen(), &pen);
    EXPECT_EQ(canvas.dc.GetCurrentBrush(), &brush);
    EXPECT_EQ(canvas.dc.GetBkColor(), RGB(0, 0, 0));
    EXPECT_EQ(canvas.dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(canvas.dc.GetTextColor(), kRed);
    EXPECT_EQ(canvas.dc.GetBkMode(), OPAQUE);
    canvas.dc.SelectObject(pStockPen);
    canvas.dc.SelectObject(pStockBrush);
}

// Text on a black canvas, as on the screens.
class DrawStringOnADc : public ::testing::Test {
protected:
    void SetUp() override { canvas.Fill(RGB(0, 0, 0)); }

    // The text's cell: its extent placed centred in rc.
    CRect Cell(const CRect& rc, const char* pszText, int pointSize)
    {
        CFont font;
        font.CreatePointFont(pointSize, "ＭＳ ゴシック");
        CFont* pOld = canvas.dc.SelectObject(&font);
        RECT extent = {0, 0, 0, 0};
        canvas.dc.DrawText(pszText, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
        canvas.dc.SelectObject(pOld);
        const int left = rc.left + (rc.Width() - extent.right) / 2;
        const int top = rc.top + (rc.Height() - extent.bottom) / 2;
        return CRect(left, top, left + extent.right, top + extent.bottom);
    }

    CCanvas canvas{240, 120};
    CPainter painter{&canvas.dc};
};

TEST_F(DrawStringOnADc, TextIsCentredInTheRectangleInItsColour)
{
    const CRect rc(20, 10, 220, 110);
    painter.DrawString(rc, "Go!!", 200, kWhite);
    const CRect ink = canvas.Extent(canvas.Bounds(), RGB(0, 0, 0));
    const CRect cell = Cell(rc, "Go!!", 200);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_GE(ink.left, cell.left);
    EXPECT_LE(ink.right, cell.right);
    EXPECT_GE(ink.top, cell.top);
    EXPECT_LE(ink.bottom, cell.bottom);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, (rc.left + rc.right) / 2.0, 2.0);
    EXPECT_GT(canvas.Count(ink, kWhite), 20);
    // Anti-aliased edges mix white into black: every pixel is a grey.
    EXPECT_EQ(canvas.Count(canvas.Bounds(), [](COLORREF c) {
        return GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c);
    }), 0);
}

TEST_F(DrawStringOnADc, TextWiderThanTheRectangleIsCutAtItsEdgesNotWrapped)
{
    // Tall enough for three lines, far too narrow for the text.
    const CRect rc(60, 10, 120, 110);
    painter.DrawString(rc, "Quindle Quindle Quindle", 200, kWhite);
    const CRect ink = canvas.Extent(canvas.Bounds(), RGB(0, 0, 0));
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_EQ(ink.left, rc.left);
    EXPECT_EQ(ink.right, rc.right);
    const CRect cell = Cell(rc, "Quindle Quindle Quindle", 200);
    EXPECT_GE(ink.top, cell.top);
    EXPECT_LE(ink.bottom, cell.bottom);
}

TEST_F(DrawStringOnADc, TextTallerThanTheRectangleIsCutAtTopAndBottom)
{
    const CRect rc(20, 50, 220, 60);
    painter.DrawString(rc, "Quindle", 400, kRed);
    const CRect ink = canvas.Extent(canvas.Bounds(), RGB(0, 0, 0));
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_EQ(ink.top, rc.top);
    EXPECT_EQ(ink.bottom, rc.bottom);
}

TEST_F(DrawStringOnADc, EmptyTextDrawsNothingAndLeavesTransparent)
{
    canvas.dc.SetBkMode(OPAQUE);
    painter.DrawString(CRect(0, 0, 240, 120), "", 200, kWhite);
    EXPECT_TRUE(canvas.All(canvas.Bounds(), RGB(0, 0, 0)));
    EXPECT_EQ(canvas.dc.GetBkMode(), TRANSPARENT);
}

TEST_F(DrawStringOnADc, GivesBackFontAndTextColourAndLeavesTransparent)
{
    CFont font;
    font.CreatePointFont(90, "ＭＳ Ｐゴシック");
    CFont* pStockFont = canvas.dc.SelectObject(&font);
    canvas.dc.SetTextColor(kRed);
    canvas.dc.SetBkMode(OPAQUE);
    canvas.dc.SetBkColor(kRed);
    CPen* pPen = canvas.dc.GetCurrentPen();
    CBrush* pBrush = canvas.dc.GetCurrentBrush();

    painter.DrawString(CRect(0, 0, 240, 120), "Stop", 200, kWhite);

    EXPECT_EQ(canvas.dc.GetCurrentFont(), &font);
    EXPECT_EQ(canvas.dc.GetTextColor(), kRed);
    EXPECT_EQ(canvas.dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(canvas.dc.GetBkColor(), kRed);
    EXPECT_EQ(canvas.dc.GetCurrentPen(), pPen);
    EXPECT_EQ(canvas.dc.GetCurrentBrush(), pBrush);
    // Transparent: nothing of the red background shows behind the text.
    EXPECT_EQ(canvas.Count(canvas.Bounds(), kRed), 0);
    canvas.dc.SelectObject(pStockFont);
}

TEST(DrawTextModes, OpaqueModePaintsTheBackgroundBehindTheTextCell)
{
    CCanvas canvas(200, 60);
    canvas.Fill(RGB(0, 0, 0));
    CFont font;
    font.CreatePointFont(200, "ＭＳ ゴシック");
    CFont* pOld = canvas.dc.SelectObject(&font);
    canvas.dc.SetBkColor(kRed);
    canvas.dc.SetTextColor(kWhite);
    RECT rc = {10, 10, 190, 50};
    canvas.dc.DrawText("Exit", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const CRect box = canvas.Extent(canvas.Bounds(), RGB(0, 0, 0));
    EXPECT_EQ(box.Height(), 27);
    EXPECT_EQ(canvas.At(box.left, box.top), kRed);
    EXPECT_GT(canvas.Count(box, kWhite), 10);
    canvas.dc.SelectObject(pOld);
}

} // namespace
