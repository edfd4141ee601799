// Fonts: the Windows Japanese faces resolve to the IPA families, unknown faces
// to a font with Japanese glyphs, sizes follow 96 dpi, and faces are opened once.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "platform/gdi/FontCache.h"

namespace {

constexpr DWORD kKatakanaGo = 0x30B4; // ゴ

TEST(FontFaces, WindowsGothicFacesResolveToTheIpaFamilies)
{
    EXPECT_EQ(AfxGetFontFamily(AfxGetFont("ＭＳ ゴシック", 27)), "IPAGothic");
    EXPECT_EQ(AfxGetFontFamily(AfxGetFont("MS Gothic", 27)), "IPAGothic");
    EXPECT_EQ(AfxGetFontFamily(AfxGetFont("ＭＳ Ｐゴシック", 12)), "IPAPGothic");
    EXPECT_EQ(AfxGetFontFamily(AfxGetFont("MS PGothic", 12)), "IPAPGothic");
}

TEST(FontFaces, AnUnknownFaceFallsBackToAFontWithJapaneseGlyphs)
{
    for (const char* pszFace : {"Quindle No Such Face", ""}) {
        TTF_Font* pFont = AfxGetFont(pszFace, 20);
        ASSERT_NE(pFont, nullptr) << pszFace;
        EXPECT_TRUE(AfxFontHasGlyph(pFont, kKatakanaGo)) << AfxGetFontFamily(pFont).Str();
        EXPECT_TRUE(AfxFontHasGlyph(pFont, 'Q'));
    }
}

TEST(FontFaces, EachFaceAndSizeIsOpenedOnceAndShared)
{
    TTF_Font* pFont = AfxGetFont("ＭＳ ゴシック", 27);
    EXPECT_EQ(AfxGetFont("ＭＳ ゴシック", 27), pFont);
    EXPECT_EQ(AfxGetFont("MS Gothic", 27), pFont);
    EXPECT_NE(AfxGetFont("ＭＳ ゴシック", 53), pFont);
}

TEST(FontSizes, PointSizesBecomePixelsAt96DpiRounded)
{
    EXPECT_EQ(AfxPointSizeToPixels(90), 12);
    EXPECT_EQ(AfxPointSizeToPixels(200), 27);
    EXPECT_EQ(AfxPointSizeToPixels(400), 53);
    EXPECT_EQ(AfxPointSizeToPixels(-200), -27);
}

TEST(FontSizes, APointFontHasItsPixelHeightAndFace)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(200, "ＭＳ ゴシック"));
    LOGFONT lf;
    ASSERT_NE(font.GetLogFont(&lf), 0);
    EXPECT_EQ(lf.lfHeight, -27);
    EXPECT_STREQ(lf.lfFaceName, "ＭＳ ゴシック");

    // IPAGothic's cell is exactly its em: one line of a 27-pixel font is 27 pixels high.
    CCanvas canvas(10, 10);
    CFont* pOld = canvas.dc.SelectObject(&font);
    RECT rc = {0, 0, 0, 0};
    EXPECT_EQ(canvas.dc.DrawText("Ready", -1, &rc, DT_CALCRECT | DT_SINGLELINE), 27);
    EXPECT_EQ(rc.bottom, 27);
    EXPECT_GT(rc.right, 27 * 2);
    canvas.dc.SelectObject(pOld);
}

} // namespace
