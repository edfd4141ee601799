// Drawing at a device scale: a 2x paint is the 1x paint with every pixel
// doubled, except inside the text, which is drawn from the font at twice its
// size; blits between scales, bitmaps and DCs of a scale.
#include <gtest/gtest.h>

#include <vector>

#include "Canvas.h"
#include "GoldenScenes.h"
#include "PngImage.h"
#include "render/Palette.h"

namespace {

constexpr const char* kFace = "ＭＳ ゴシック";
// How far, in logical pixels, a 2x string may spill past its 1x extent.
constexpr int kTextMargin = 2;

struct TEXTITEM {
    CRect rc;
    const char* pszText;
    int nPointSize;
};

// Where a string centred in rc can show: its 1x extent grown by the margin.
CRect TextBox(const TEXTITEM& item)
{
    CCanvas scratch(1, 1);
    CFont font;
    font.CreatePointFont(item.nPointSize, kFace);
    CFont* pOld = scratch.dc.SelectObject(&font);
    RECT extent = {0, 0, 0, 0};
    scratch.dc.DrawText(item.pszText, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    scratch.dc.SelectObject(pOld);
    const int left = item.rc.left + (item.rc.Width() - extent.right) / 2;
    const int top = item.rc.top + (item.rc.Height() - extent.bottom) / 2;
    return CRect(left - kTextMargin, top - kTextMargin, left + extent.right + kTextMargin,
                 top + extent.bottom + kTextMargin);
}

bool InAny(const std::vector<CRect>& boxes, int x, int y)
{
    for (const CRect& rc : boxes)
        if (::PtInRect(&rc, CPoint(x, y)))
            return true;
    return false;
}

class ScaledPaint : public ::testing::Test {
protected:
    void TearDown() override
    {
        view1.m_obstacles.RemoveAll();
        view2.m_obstacles.RemoveAll();
    }

    // Paints both views the same way and checks every device pixel of the 2x
    // picture outside the text boxes against its 1x pixel; inside them the 2x
    // text must not be the 1x text doubled.
    void ExpectDoubledOutsideText(const char* pszStatus, const std::vector<TEXTITEM>& texts)
    {
        view1.Paint(&window1.dc, pszStatus);
        view2.Paint(&window2.dc, pszStatus);
        const CImage one = CImage::FromBitmap(window1.bmp);
        const CImage two = CImage::FromBitmap(window2.bmp);
        ASSERT_EQ(two.nWidth, one.nWidth * 2);
        ASSERT_EQ(two.nHeight, one.nHeight * 2);
        std::vector<CRect> boxes;
        for (const TEXTITEM& item : texts)
            boxes.push_back(TextBox(item));
        int nWrong = 0, nTextDiffers = 0;
        for (int y = 0; y < two.nHeight; ++y) {
            for (int x = 0; x < two.nWidth; ++x) {
                const bool bSame = two.At(x, y) == one.At(x / 2, y / 2);
                if (InAny(boxes, x / 2, y / 2))
                    nTextDiffers += bSame ? 0 : 1;
                else if (!bSame && nWrong++ < 5)
                    ADD_FAILURE() << "device pixel (" << x << ", " << y << ") is not its 1x pixel doubled";
            }
        }
        EXPECT_EQ(nWrong, 0);
        EXPECT_GT(nTextDiffers, 100) << "the 2x text looks like the 1x text doubled";
    }

    CCourseView view1, view2;
    CCanvas window1{kClientWidth, kClientHeight, 1};
    CCanvas window2{kClientWidth, kClientHeight, 2};
};

TEST_F(ScaledPaint, MenuWithStartHoveredIsDoubledOutsideItsText)
{
    SetUpWindow(view1, window1);
    SetUpWindow(view2, window2);
    view1.UpdateHover(CPoint(250, 110));
    view2.UpdateHover(CPoint(250, 110));
    ExpectDoubledOutsideText("", {{view1.m_rcTitle, "Quindle", palette::kTitlePointSize},
                                  {view1.m_rcStart, palette::kStartCaption, palette::kCaptionPointSize},
                                  {view1.m_rcExit, palette::kExitCaption, palette::kCaptionPointSize}});
}

TEST_F(ScaledPaint, ReadyScreenIsDoubledOutsideItsText)
{
    SetUpWindow(view1, window1);
    SetUpWindow(view2, window2);
    SetUpReadyScene(view1);
    SetUpReadyScene(view2);
    ExpectDoubledOutsideText("Ready", {{view1.m_rcArea, "Ready", palette::kStatusPointSize},
                                       {view1.m_rcStop, palette::kStopCaption, palette::kStopPointSize}});
}

TEST(ScaledText, IsClippedToTheScaledRectangleAndMeasuredAtOneX)
{
    CCanvas one(60, 40, 1), two(60, 40, 2);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(200, kFace));
    RECT calc1 = {0, 0, 0, 0}, calc2 = {0, 0, 0, 0};
    for (CCanvas* pCanvas : {&one, &two}) {
        pCanvas->Fill(RGB(0, 0, 0));
        CFont* pOld = pCanvas->dc.SelectObject(&font);
        pCanvas->dc.SetBkMode(TRANSPARENT);
        pCanvas->dc.SetTextColor(RGB(255, 255, 255));
        RECT rc = {10, 5, 40, 30};
        pCanvas->dc.DrawText("Ready", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pCanvas->dc.DrawText("Ready", -1, pCanvas == &one ? &calc1 : &calc2, DT_CALCRECT | DT_SINGLELINE);
        pCanvas->dc.SelectObject(pOld);
    }
    EXPECT_EQ(calc1.right, calc2.right);
    EXPECT_EQ(calc1.bottom, calc2.bottom);
    const CImage image = CImage::FromBitmap(two.bmp);
    int nInside = 0;
    for (int y = 0; y < image.nHeight; ++y) {
        for (int x = 0; x < image.nWidth; ++x) {
            const bool bInside = x >= 20 && x < 80 && y >= 10 && y < 60;
            if (image.At(x, y) != RGB(0, 0, 0)) {
                EXPECT_TRUE(bInside) << x << ", " << y;
                nInside += 1;
            }
        }
    }
    EXPECT_GT(nInside, 0);
}

TEST(ScaledBitmaps, HaveTheirDcsScaleAndOnlyGoIntoDcsOfIt)
{
    CCanvas two(30, 20, 2);
    EXPECT_EQ(AfxGetDCScale(two.dc.m_hDC), 2);
    EXPECT_EQ(two.bmp.GetWidth(), 30);
    BITMAP info;
    ASSERT_NE(two.bmp.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmWidth, 60);
    EXPECT_EQ(info.bmHeight, 40);

    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&two.dc));
    EXPECT_EQ(AfxGetDCScale(memory.m_hDC), 2);
    CDC plain;
    ASSERT_TRUE(plain.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&memory, 5, 5));
    EXPECT_EQ(plain.SelectObject(&bmp), nullptr);
    EXPECT_NE(memory.SelectObject(&bmp), nullptr);
    memory.SelectObject(static_cast<CBitmap*>(nullptr));
    HDC hBeyond = AfxCreateScaledDC(9);
    EXPECT_EQ(AfxGetDCScale(hBeyond), kMaxDeviceScale);
    DeleteDC(hBeyond);
}

TEST(ScaledBitmaps, PixelsAndBlitsMapEachLogicalPixelToABlock)
{
    CCanvas one(4, 4, 1), three(8, 8, 3);
    one.Fill(RGB(0, 0, 255));
    one.dc.SetPixel(1, 2, RGB(255, 0, 0));
    three.Fill(RGB(0, 255, 0));
    // 1x onto 3x: every source pixel becomes a 3 x 3 block at the logical place.
    EXPECT_TRUE(three.dc.BitBlt(2, 2, 4, 4, &one.dc, 0, 0, SRCCOPY));
    const CImage image = CImage::FromBitmap(three.bmp);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int lx = x / 3, ly = y / 3;
            COLORREF expected = RGB(0, 255, 0);
            if (lx >= 2 && lx < 6 && ly >= 2 && ly < 6)
                expected = (lx == 3 && ly == 4) ? RGB(255, 0, 0) : RGB(0, 0, 255);
            ASSERT_EQ(image.At(x, y), expected) << x << ", " << y;
        }
    }
    // And back: each 1x pixel takes the block's top-left pixel; parts off either side are left out.
    three.dc.SetPixel(6, 7, RGB(9, 9, 9));
    EXPECT_TRUE(one.dc.BitBlt(-1, -1, 5, 5, &three.dc, 2, 3, SRCCOPY));
    EXPECT_EQ(one.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(one.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(one.At(3, 3), RGB(9, 9, 9));
}

} // namespace
