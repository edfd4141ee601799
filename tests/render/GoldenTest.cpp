// Whole window-sized paints compared pixel for pixel with reviewed PNG images
// in golden/, at 1x and at a device scale of 2 (<name>_2x.png). On a mismatch
// <name>.actual.png and <name>.diff.png are written beside the expected image.
// QUINDLE_UPDATE_GOLDENS=1 rewrites the expected images instead; look at each
// one before keeping it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Canvas.h"
#include "GoldenScenes.h"
#include "PngImage.h"
#include "platform/gdi/PadGlyph.h"

namespace {

std::string GoldenPath(const std::string& name, const char* pszSuffix)
{
    return std::string(QUINDLE_TEST_DIR) + "/render/golden/" + name + pszSuffix;
}

template <int nScale>
class GoldenImagesAt : public ::testing::Test {
protected:
    void SetUp() override { SetUpWindow(view, window); }
    void TearDown() override { view.m_obstacles.RemoveAll(); }

    void ExpectMatchesGolden(std::string name)
    {
        if (nScale != 1)
            name += "_" + std::to_string(nScale) + "x";
        const CImage actual = CImage::FromBitmap(window.bmp);
        const char* pszUpdate = std::getenv("QUINDLE_UPDATE_GOLDENS");
        if (pszUpdate && std::string(pszUpdate) == "1") {
            ASSERT_TRUE(WritePng(GoldenPath(name, ".png"), actual));
            return;
        }
        CImage expected;
        ASSERT_TRUE(ReadPng(GoldenPath(name, ".png"), &expected))
            << "no golden image " << GoldenPath(name, ".png") << "; make it with QUINDLE_UPDATE_GOLDENS=1";
        if (expected == actual)
            return;
        WritePng(GoldenPath(name, ".actual.png"), actual);
        if (expected.nWidth == actual.nWidth && expected.nHeight == actual.nHeight)
            WritePng(GoldenPath(name, ".diff.png"), DiffImage(expected, actual));
        ADD_FAILURE() << name << " differs from its golden image; see " << GoldenPath(name, ".actual.png")
                      << " and " << GoldenPath(name, ".diff.png");
    }

    CCourseView view;
    CCanvas window{kClientWidth, kClientHeight, nScale};
};

using GoldenImages = GoldenImagesAt<1>;
using GoldenImagesAt2x = GoldenImagesAt<2>;

TEST_F(GoldenImages, MenuScreen)
{
    view.Paint(&window.dc, "");
    ExpectMatchesGolden("menu");
}

TEST_F(GoldenImages, MenuScreenWithStartHovered)
{
    view.UpdateHover(CPoint(250, 110));
    view.Paint(&window.dc, "");
    ExpectMatchesGolden("menu_hover_start");
}

TEST_F(GoldenImages, GameScreenReady)
{
    SetUpReadyScene(view);
    view.Paint(&window.dc, "Ready");
    ExpectMatchesGolden("game_ready");
}

// A controller drives: the label of its button that stops (an Xbox pad's B) beside Stop.
TEST_F(GoldenImages, GameScreenReadyWithAControllerDriving)
{
    SetUpReadyScene(view);
    view.m_crFace = kDialogFace;
    view.m_padInCharge = EPadFamily::kXbox;
    view.Paint(&window.dc, "Ready");
    ExpectMatchesGolden("game_ready_pad");
    // Nothing it would cover moves: beside the glyph, the picture of no controller.
    CImage without;
    ASSERT_TRUE(ReadPng(GoldenPath("game_ready", ".png"), &without));
    const CImage with = CImage::FromBitmap(window.bmp);
    const CRect rcGlyph = AfxPadGlyphRect(view.m_rcStop);
    int nGlyph = 0;
    for (int y = 0; y < with.nHeight; ++y)
        for (int x = 0; x < with.nWidth; ++x)
            if (with.At(x, y) != without.At(x, y))
                nGlyph += rcGlyph.PtInRect(CPoint(x, y)) ? 1 : kClientWidth * kClientHeight;
    EXPECT_GT(nGlyph, kPadGlyphSize * kPadGlyphSize / 2);
    EXPECT_LE(nGlyph, kPadGlyphSize * kPadGlyphSize) << "pixels changed outside the glyph";
}

TEST_F(GoldenImagesAt2x, MenuScreen)
{
    view.Paint(&window.dc, "");
    ExpectMatchesGolden("menu");
}

TEST_F(GoldenImagesAt2x, GameScreenReady)
{
    SetUpReadyScene(view);
    view.Paint(&window.dc, "Ready");
    ExpectMatchesGolden("game_ready");
}

TEST_F(GoldenImagesAt2x, GameScreenReadyWithAControllerDriving)
{
    SetUpReadyScene(view);
    view.m_crFace = kDialogFace;
    view.m_padInCharge = EPadFamily::kXbox;
    view.Paint(&window.dc, "Ready");
    ExpectMatchesGolden("game_ready_pad");
}

} // namespace

