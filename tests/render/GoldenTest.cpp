// Whole window-sized paints compared pixel for pixel with reviewed PNG images
// in golden/. On a mismatch <name>.actual.png and <name>.diff.png are written
// beside the expected image. QUINDLE_UPDATE_GOLDENS=1 rewrites the expected
// images instead; look at each one before keeping it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Canvas.h"
#include "Layout.h"
#include "PngImage.h"
#include "render/Painter.h"

namespace {

// The dialog's own background, where Paint copies nothing.
constexpr COLORREF kDialogFace = RGB(240, 240, 240);

std::string GoldenPath(const std::string& name, const char* pszSuffix)
{
    return std::string(QUINDLE_TEST_DIR) + "/render/golden/" + name + pszSuffix;
}

class GoldenImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDialogLayout(view);
        CPainter(&window.dc).DrawRect(0, 0, kClientWidth, kClientHeight, kDialogFace, kDialogFace);
    }
    void TearDown() override { view.m_obstacles.RemoveAll(); }

    void ExpectMatchesGolden(const std::string& name)
    {
        const CImage actual = CImage::FromDC(window.dc, kClientWidth, kClientHeight);
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
    CCanvas window{kClientWidth, kClientHeight};
};

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
    view.m_bInGame = 1;
    view.m_player.SetPos(100, 104);
    // A fixed field: a row across the middle, one bouncing high, one over the
    // player, two overlapping, one across the right edge, one beyond it, one
    // across the top.
    const CPoint obstacles[] = {{220, 60},  {260, 60},  {300, 60},  {340, 60},  {380, 150}, {104, 108},
                                {420, 120}, {426, 124}, {543, 90},  {600, 90},  {160, 12},  {480, 185},
                                {30, 180},  {200, 160}, {250, 140}, {330, 170}, {500, 30}};
    for (const CPoint& pt : obstacles)
        AddObstacle(view, pt.x, pt.y);
    view.Paint(&window.dc, "Ready");
    ExpectMatchesGolden("game_ready");
}

} // namespace
