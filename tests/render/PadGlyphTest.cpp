// The controller button glyphs on the two screens: each family's own labels
// beside the focused menu button and beside Stop, drawn only where the glyph
// goes (nothing else of the picture changes), and at 2x the same shapes as
// exact blocks. No controller driving: the picture of before, pixel for pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "GoldenScenes.h"
#include "PngImage.h"
#include "platform/gdi/PadGlyph.h"

namespace {

constexpr EPadFamily kFamilies[] = {EPadFamily::kXbox, EPadFamily::kPlayStation, EPadFamily::kNintendo};

// The whole window painted as the dialog paints it, with family driving.
CImage PaintWindow(CCourseView& view, EPadFamily family, int nScale, const char* pszStatus)
{
    CCanvas window(kClientWidth, kClientHeight, nScale);
    SetUpWindow(view, window);
    view.m_crFace = kDialogFace;
    view.m_padInCharge = family;
    view.Paint(&window.dc, pszStatus);
    return CImage::FromBitmap(window.bmp);
}

// The pixels in which a and b differ lie inside rc (logical, at nScale).
::testing::AssertionResult DiffersOnlyInside(const CImage& a, const CImage& b, const CRect& rc, int nScale)
{
    int nInside = 0;
    for (int y = 0; y < a.nHeight; ++y) {
        for (int x = 0; x < a.nWidth; ++x) {
            if (a.At(x, y) == b.At(x, y))
                continue;
            if (!rc.PtInRect(CPoint(x / nScale, y / nScale)))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") changed outside the glyph";
            ++nInside;
        }
    }
    if (nInside < kPadGlyphSize * nScale * nScale)
        return ::testing::AssertionFailure() << "only " << nInside << " pixels of a glyph";
    return ::testing::AssertionSuccess();
}

// rc's pixels, as a key to tell glyphs apart.
std::vector<COLORREF> Pixels(const CImage& image, const CRect& rc)
{
    std::vector<COLORREF> pixels;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            pixels.push_back(image.At(x, y));
    return pixels;
}

class PadGlyphs : public ::testing::Test {
protected:
    void SetUp() override { SetDialogLayout(view); }
    void TearDown() override { view.m_obstacles.RemoveAll(); }

    // A look at the pictures: QUINDLE_PAD_GLYPH_DIR=<folder> writes them there.
    void Keep(const CImage& image, const std::string& name)
    {
        if (const char* pszDir = std::getenv("QUINDLE_PAD_GLYPH_DIR"))
            WritePng(std::string(pszDir) + "/" + name + ".png", image);
    }

    CCourseView view;
};

TEST_F(PadGlyphs, EachFamilyShowsItsOwnLabelBesideTheButtonThatActsAndNothingElseChanges)
{
    std::set<std::vector<COLORREF>> menuGlyphs, stopGlyphs;
    const CImage menu = PaintWindow(view, EPadFamily::kNone, 1, "");
    view.m_nMenuFocus = CDrawArea::kFocusExit;
    const CImage menuOnExit = PaintWindow(view, EPadFamily::kNone, 1, "");
    EXPECT_TRUE(menuOnExit == menu) << "the focus alone shows nothing while no controller drives";
    SetUpReadyScene(view);
    view.m_nPassed = 12;
    const CImage game = PaintWindow(view, EPadFamily::kNone, 1, "Ready");
    for (EPadFamily family : kFamilies) {
        view.m_bInGame = 0;
        view.m_nMenuFocus = CDrawArea::kFocusStart;
        const CImage onStart = PaintWindow(view, family, 1, "");
        EXPECT_TRUE(DiffersOnlyInside(menu, onStart, AfxPadGlyphRect(view.m_rcStart), 1)) << int(family);
        view.m_nMenuFocus = CDrawArea::kFocusExit;
        const CImage onExit = PaintWindow(view, family, 1, "");
        EXPECT_TRUE(DiffersOnlyInside(menu, onExit, AfxPadGlyphRect(view.m_rcExit), 1)) << int(family);
        EXPECT_EQ(Pixels(onStart, AfxPadGlyphRect(view.m_rcStart)), Pixels(onExit, AfxPadGlyphRect(view.m_rcExit)))
            << "the same button presses either";
        menuGlyphs.insert(Pixels(onStart, AfxPadGlyphRect(view.m_rcStart)));

        view.m_bInGame = 1;
        const CImage inGame = PaintWindow(view, family, 1, "Ready");
        EXPECT_TRUE(DiffersOnlyInside(game, inGame, AfxPadGlyphRect(view.m_rcStop), 1)) << int(family);
        stopGlyphs.insert(Pixels(inGame, AfxPadGlyphRect(view.m_rcStop)));
        Keep(onStart, "menu_" + std::to_string(int(family)));
        Keep(inGame, "game_" + std::to_string(int(family)));
        Keep(PaintWindow(view, family, 2, "Ready"), "game_2x_" + std::to_string(int(family)));
    }
    EXPECT_EQ(menuGlyphs.size(), 3u) << "the bottom button's label differs by family";
    EXPECT_EQ(stopGlyphs.size(), 3u) << "the right button's label differs by family";
}

// Shapes and discs are the 1x glyph's pixels as 2 x 2 blocks: the
// PlayStation glyphs are drawn with no text at all.
TEST_F(PadGlyphs, AtTwiceTheScaleTheShapesAreExactBlocks)
{
    SetUpReadyScene(view);
    for (EPadFamily family : {EPadFamily::kPlayStation}) {
        const CImage menu1 = PaintWindow(view, family, 1, "Ready");
        const CImage menu2 = PaintWindow(view, family, 2, "Ready");
        const CRect rc = AfxPadGlyphRect(view.m_rcStop);
        int nMismatches = 0;
        for (int y = rc.top * 2; y < rc.bottom * 2; ++y)
            for (int x = rc.left * 2; x < rc.right * 2; ++x)
                nMismatches += menu2.At(x, y) != menu1.At(x / 2, y / 2);
        EXPECT_EQ(nMismatches, 0);
    }
}

} // namespace
