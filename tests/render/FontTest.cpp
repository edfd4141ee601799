// Fonts: the Windows Japanese faces resolve to the IPA families, unknown faces
// to a font with Japanese glyphs, sizes follow 96 dpi, faces are opened once,
// and fonts opened ahead (on another thread) are the ones drawing then uses.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

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

// Sizes no other test uses, new on each repetition, so that this test sees
// its own fonts opened.
TEST(FontPreload, APointFontOfAPreloadedFaceAndSizeOpensNothingMore)
{
    static int s_nRun = 0;
    const int nSize = 600 + 30 * s_nRun++;
    const int nBefore = AfxGetOpenFontCount();
    AfxPreloadFonts({POINTFONT{"ＭＳ ゴシック", nSize}, POINTFONT{"ＭＳ Ｐゴシック", nSize}});
    EXPECT_EQ(AfxGetOpenFontCount(), nBefore + 2);
    CFont title, negative, label;
    ASSERT_TRUE(title.CreatePointFont(nSize, "ＭＳ ゴシック"));
    ASSERT_TRUE(negative.CreatePointFont(-nSize, "ＭＳ ゴシック"));
    ASSERT_TRUE(label.CreatePointFont(nSize, "ＭＳ Ｐゴシック"));
    AfxPreloadFonts({POINTFONT{"ＭＳ ゴシック", nSize}});
    EXPECT_EQ(AfxGetOpenFontCount(), nBefore + 2) << "the same fonts, found and opened once";
    CFont other;
    ASSERT_TRUE(other.CreatePointFont(nSize + 15, "ＭＳ ゴシック"));
    EXPECT_EQ(AfxGetOpenFontCount(), nBefore + 3);
}

// Rendering a text while another thread opens faces: each text, with a
// trailing space so that it is rendered anew rather than found in the text
// cache, shows the very pixels it showed when drawn alone.
TEST(FontPreload, TextDrawnWhileFontsOpenOnAnotherThreadIsTheSame)
{
    const auto draw = [](const std::string& text) {
        CCanvas canvas(220, 40);
        CFont font;
        font.CreatePointFont(200, "ＭＳ ゴシック");
        CFont* pOld = canvas.dc.SelectObject(&font);
        canvas.dc.SetTextColor(RGB(255, 255, 255));
        canvas.dc.SetBkMode(TRANSPARENT);
        RECT rc = {0, 0, 220, 40};
        canvas.dc.DrawText(text.c_str(), -1, &rc, DT_LEFT | DT_TOP | DT_SINGLELINE);
        canvas.dc.SelectObject(pOld);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                pixels.push_back(canvas.At(x, y));
        return pixels;
    };
    constexpr int kTexts = 20;
    std::vector<std::vector<COLORREF>> alone;
    for (int i = 0; i < kTexts; ++i)
        alone.push_back(draw("Stop ゴ" + std::to_string(i)));
    std::vector<POINTFONT> fonts;
    for (int nPointSize = 500; nPointSize < 530; ++nPointSize)
        fonts.push_back(POINTFONT{nPointSize % 2 ? "ＭＳ ゴシック" : "ＭＳ Ｐゴシック", nPointSize});
    std::thread preload([&fonts] { AfxPreloadFonts(fonts); });
    std::vector<std::vector<COLORREF>> meanwhile;
    for (int i = 0; i < kTexts; ++i)
        meanwhile.push_back(draw("Stop ゴ" + std::to_string(i) + " "));
    preload.join();
    for (int i = 0; i < kTexts; ++i)
        EXPECT_EQ(meanwhile[size_t(i)], alone[size_t(i)]) << i;
}

} // namespace
