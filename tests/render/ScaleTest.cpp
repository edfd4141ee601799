// Drawing at a device scale: a 2x paint is the 1x paint with every pixel
// doubled, except inside the text, which comes from the font at twice its
// size; text is clipped to the scaled rectangle; blits map both sides.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Canvas.h"
#include "GoldenScenes.h"
#include "PngImage.h"
#include "render/Palette.h"

namespace {

using namespace palette;

struct TEXTITEM {
    CRect rc;
    const char* pszText;
    int nPointSize;
};

// Where a string centred in rc can show at either scale: its 1x extent and 2 px around it.
CRect TextBox(const TEXTITEM& item)
{
    CCanvas scratch(1, 1);
    CFont font;
    font.CreatePointFont(item.nPointSize, "ＭＳ ゴシック");
    CFont* pOld = scratch.dc.SelectObject(&font);
    CRect extent(0, 0, 0, 0);
    scratch.dc.DrawText(item.pszText, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    scratch.dc.SelectObject(pOld);
    const int left = item.rc.left + (item.rc.Width() - extent.right) / 2;
    const int top = item.rc.top + (item.rc.Height() - extent.bottom) / 2;
    return CRect(left - 2, top - 2, left + extent.right + 2, top + extent.bottom + 2);
}

void ExpectDoubledOutsideText(bool bReady, const std::vector<TEXTITEM>& texts)
{
    CCourseView views[2];
    CCanvas one(kClientWidth, kClientHeight, 1), two(kClientWidth, kClientHeight, 2);
    CCanvas* canvases[2] = {&one, &two};
    for (int i = 0; i < 2; ++i) {
        SetUpWindow(views[i], *canvases[i]);
        views[i].UpdateHover(CPoint(250, 110));
        if (bReady)
            SetUpReadyScene(views[i]);
        views[i].Paint(&canvases[i]->dc, bReady ? "Ready" : "");
        views[i].m_obstacles.RemoveAll();
    }
    const CImage a = CImage::FromBitmap(one.bmp), b = CImage::FromBitmap(two.bmp);
    ASSERT_EQ(b.nWidth, a.nWidth * 2);
    std::vector<CRect> boxes;
    for (const TEXTITEM& item : texts)
        boxes.push_back(TextBox(item));
    int nWrong = 0, nTextDiffers = 0;
    for (int y = 0; y < b.nHeight; ++y) {
        for (int x = 0; x < b.nWidth; ++x) {
            bool bInText = false;
            for (const CRect& box : boxes)
                bInText = bInText || box.PtInRect(CPoint(x / 2, y / 2));
            const bool bSame = b.At(x, y) == a.At(x / 2, y / 2);
            (bInText ? nTextDiffers : nWrong) += bSame ? 0 : 1;
        }
    }
    EXPECT_EQ(nWrong, 0) << "device pixels outside the text that are not their 1x pixel doubled";
    EXPECT_GT(nTextDiffers, 100) << "the 2x text looks like the 1x text doubled";
}

TEST(ScaledPaint, MenuAndReadyScreenAreDoubledOutsideTheirText)
{
    CCourseView layout;
    SetDialogLayout(layout);
    ExpectDoubledOutsideText(false, {{layout.m_rcTitle, "Quindle", kTitlePointSize},
                                     {layout.m_rcStart, kStartCaption, kCaptionPointSize},
                                     {layout.m_rcExit, kExitCaption, kCaptionPointSize}});
    ExpectDoubledOutsideText(true, {{layout.m_rcArea, "Ready", kStatusPointSize},
                                    {layout.m_rcStop, kStopCaption, kStopPointSize}});
}

TEST(ScaledText, StaysInsideTheScaledRectangle)
{
    CCanvas two(60, 40, 2);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(200, "ＭＳ ゴシック"));
    CFont* pOld = two.dc.SelectObject(&font);
    two.dc.SetTextColor(RGB(255, 255, 255));
    CRect rc(10, 5, 40, 30);
    two.dc.DrawText("Ready", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    two.dc.SelectObject(pOld);
    const CImage image = CImage::FromBitmap(two.bmp);
    CRect drawn(image.nWidth, image.nHeight, 0, 0);
    for (int y = 0; y < image.nHeight; ++y) {
        for (int x = 0; x < image.nWidth; ++x) {
            if (image.At(x, y) != 0)
                drawn = CRect(std::min<int>(drawn.left, x), std::min<int>(drawn.top, y), std::max<int>(drawn.right, x + 1),
                              std::max<int>(drawn.bottom, y + 1));
        }
    }
    // The text's opaque background, wider and taller than the rectangle, fills exactly its device pixels.
    EXPECT_EQ(drawn, CRect(20, 10, 80, 60));
}

TEST(ScaledBitmaps, BlitsBetweenScalesMapEachLogicalPixelToABlock)
{
    CCanvas one(4, 4, 1), three(8, 8, 3);
    EXPECT_EQ(three.bmp.GetWidth(), 8);
    CBitmap plain;
    ASSERT_TRUE(plain.CreateCompatibleBitmap(&one.dc, 2, 2));
    EXPECT_EQ(three.dc.SelectObject(&plain), nullptr) << "a bitmap goes only into a DC of its scale";
    one.Fill(RGB(0, 0, 255));
    one.dc.SetPixel(1, 2, RGB(255, 0, 0));
    three.Fill(RGB(0, 255, 0));
    EXPECT_TRUE(three.dc.BitBlt(2, 2, 4, 4, &one.dc, 0, 0, SRCCOPY));
    const CImage image = CImage::FromBitmap(three.bmp);
    ASSERT_EQ(image.nWidth, 24);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int lx = x / 3, ly = y / 3;
            const bool bCopied = lx >= 2 && lx < 6 && ly >= 2 && ly < 6;
            const COLORREF expected = !bCopied ? RGB(0, 255, 0) : lx == 3 && ly == 4 ? RGB(255, 0, 0) : RGB(0, 0, 255);
            ASSERT_EQ(image.At(x, y), expected) << x << ", " << y;
        }
    }
    // Back to 1x, partly off the destination's edge: each pixel takes its block's top-left.
    three.dc.SetPixel(6, 7, RGB(9, 9, 9));
    EXPECT_TRUE(one.dc.BitBlt(-1, -1, 5, 5, &three.dc, 2, 3, SRCCOPY));
    EXPECT_EQ(one.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(one.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(one.At(3, 3), RGB(9, 9, 9));
}

} // namespace
