// The label of the controller button that acts, beside the button it acts
// on, on SDL's virtual joystick with the ids of real pads (an Xbox 360, a
// PlayStation 4 and a Switch Pro controller), read back from the window's
// picture at 1x and 2x: nothing before a controller is used; beside the
// focused menu button, Stop and the About box's OK while one drives; each
// family's own picture; gone after a mouse move, a key or the controller
// unplugged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "AppTestSupport.h"
#include "InputTestSupport.h"
#include "platform/gdi/PadGlyph.h"
#include "platform/ui/dialog/SysColors.h"
#include "platform/ui/input/Gamepad.h"
#include "../render/PngImage.h"

namespace {

struct SPadCase {
    const char* pszName;
    WORD nVendor;
    WORD nProduct;
    EPadFamily family;
    int nScale;
};

const SPadCase kCases[] = {
    {"xbox360", 0x045e, 0x028e, EPadFamily::kXbox, 1},
    {"ps4", 0x054c, 0x09cc, EPadFamily::kPlayStation, 1},
    {"switchpro", 0x057e, 0x2009, EPadFamily::kNintendo, 1},
    {"ps4_2x", 0x054c, 0x09cc, EPadFamily::kPlayStation, 2},
};

// A window's picture as it shows, read at logical points.
class CShown {
public:
    CShown(CWnd* pWnd, int nScale) : m_nScale(nScale) { m_bValid = AfxGetShownPicture(pWnd, &m_pixels, &m_cx, &m_cy); }
    COLORREF At(int x, int y) const { return m_pixels[size_t(y * m_nScale) * m_cx + x * m_nScale]; }
    // Pixels of rc that are not background: what a glyph drew there.
    int Drawn(const CRect& rc, COLORREF background) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += At(x, y) != background;
        return n;
    }
    std::vector<COLORREF> Pixels(const CRect& rc) const
    {
        std::vector<COLORREF> pixels;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                pixels.push_back(At(x, y));
        return pixels;
    }
    // A look at the picture: QUINDLE_PAD_GLYPH_DIR=<folder> writes it there.
    void Keep(const std::string& name) const
    {
        const char* pszDir = std::getenv("QUINDLE_PAD_GLYPH_DIR");
        if (!pszDir || !m_bValid)
            return;
        CImage image;
        image.nWidth = m_cx;
        image.nHeight = m_cy;
        image.rgb.resize(size_t(m_cx) * m_cy * 3);
        for (int i = 0; i < m_cx * m_cy; ++i)
            image.Set(i % m_cx, i / m_cx, m_pixels[size_t(i)]);
        WritePng(std::string(pszDir) + "/" + name + ".png", image);
    }

    BOOL m_bValid = FALSE;

private:
    int m_nScale;
    int m_cx = 0;
    int m_cy = 0;
    std::vector<COLORREF> m_pixels;
};

// A disc of the glyph's size draws most of its square.
constexpr int kGlyphPixels = kPadGlyphSize * kPadGlyphSize / 2;
constexpr COLORREF kArea = RGB(0, 0, 0);

class PadGlyphTest : public ::testing::Test {
protected:
    void SetUp() override { CModalScript::PaintClock() = &m_clock; }
    void TearDown() override
    {
        AfxSetIdleHook(nullptr);
        CModalScript::PaintClock() = nullptr;
        unsetenv("QUINDLE_SCALE");
    }

    void Tap(CModalScript& script, CVirtualPad::EButton button)
    {
        script.Then([this, button] { m_pad.Press(button); }).Then([this, button] { m_pad.Release(button); });
    }

    // Plays one case through; its glyphs beside Exit and Stop go into the sets.
    void Play(const SPadCase& pad);

    CVirtualClock m_clock;
    CRunWatchClock m_watch{m_clock};
    CClockScope m_clockInUse{&m_watch};
    CVirtualPad m_pad;
    std::set<std::vector<COLORREF>> m_exitGlyphs;
    std::set<std::vector<COLORREF>> m_stopGlyphs;
};

void PadGlyphTest::Play(const SPadCase& pad)
{
    SCOPED_TRACE(pad.pszName);
    if (pad.nScale != 1)
        setenv("QUINDLE_SCALE", std::to_string(pad.nScale).c_str(), 1);
    ASSERT_TRUE(m_pad.Plug(TRUE, pad.nVendor, pad.nProduct));
    CObservedDlg dlg;
    const CRect& rcStart = dlg.m_view.m_rcStart;
    const CRect& rcExit = dlg.m_view.m_rcExit;
    const CRect& rcStop = dlg.m_view.m_rcStop;
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const auto shown = [&] { return CShown(&dlg, pad.nScale); };
    const auto mouse = [&] {
        AfxQueueMouse(&dlg, WM_MOUSEMOVE, CPoint(40, 40));
        AfxQueueMouse(&dlg, WM_MOUSEMOVE, CPoint(44, 41));
    };
    CModalScript script;
    script.Then([&] { AfxQueueFocusGain(&dlg); }).Then([&] {
        const CShown picture = shown();
        ASSERT_TRUE(picture.m_bValid);
        EXPECT_EQ(picture.Drawn(AfxPadGlyphRect(rcStart), kArea), 0) << "no controller used yet";
    });
    Tap(script, CVirtualPad::kDpadDown);
    script.Then([&] {
        EXPECT_EQ(AfxGetPadInCharge(), pad.family);
        const CShown picture = shown();
        EXPECT_GT(picture.Drawn(AfxPadGlyphRect(rcExit), kArea), kGlyphPixels) << "beside the focused Exit";
        EXPECT_EQ(picture.Drawn(AfxPadGlyphRect(rcStart), kArea), 0);
        m_exitGlyphs.insert(picture.Pixels(AfxPadGlyphRect(rcExit)));
        picture.Keep(std::string("menu_") + pad.pszName);
        AfxQueueMouse(&dlg, WM_MOUSEMOVE, CPoint(40, 40));
    });
    script.Then([&] {
        // It does move the focus, as any motion does, to Start here.
        EXPECT_GT(shown().Drawn(AfxPadGlyphRect(rcStart), kArea), kGlyphPixels)
            << "a pointer's first motion in a window is no use of the mouse";
        AfxQueueMouse(&dlg, WM_MOUSEMOVE, CPoint(44, 41));
    });
    script.Then([&] {
        const CShown picture = shown();
        EXPECT_EQ(picture.Drawn(AfxPadGlyphRect(rcStart), kArea) + picture.Drawn(AfxPadGlyphRect(rcExit), kArea), 0)
            << "the mouse took over";
    });
    Tap(script, CVirtualPad::kDpadUp);
    script.Then([&] {
        EXPECT_GT(shown().Drawn(AfxPadGlyphRect(rcStart), kArea), kGlyphPixels) << "beside the focused Start";
        AfxQueueKey(&dlg, 'Q');
    });
    script.Then([&] {
        const CShown picture = shown();
        EXPECT_EQ(picture.Drawn(AfxPadGlyphRect(rcStart), kArea) + picture.Drawn(AfxPadGlyphRect(rcExit), kArea), 0)
            << "the keys took over";
    });
    Tap(script, CVirtualPad::kA);
    script.Then([&] {
        ASSERT_EQ(dlg.m_view.m_bInGame, 1);
        const CShown picture = shown();
        EXPECT_GT(picture.Drawn(AfxPadGlyphRect(rcStop), face), kGlyphPixels) << "beside Stop";
        m_stopGlyphs.insert(picture.Pixels(AfxPadGlyphRect(rcStop)));
        picture.Keep(std::string("game_") + pad.pszName);
    });
    Tap(script, CVirtualPad::kBack);
    script.Then([&] {
        ASSERT_TRUE(IsAboutBoxActive());
        CWnd* pAbout = CWnd::GetFocus()->GetParent();
        const CShown picture(pAbout, pad.nScale);
        ASSERT_TRUE(picture.m_bValid);
        EXPECT_GT(picture.Drawn(AfxPadGlyphRect(GetControlRect(pAbout, IDOK)), face), kGlyphPixels) << "beside OK";
        picture.Keep(std::string("about_") + pad.pszName);
        AfxQueueKey(nullptr, 'Q');
    });
    script.Then([&] {
        CWnd* pAbout = CWnd::GetFocus()->GetParent();
        EXPECT_EQ(CShown(pAbout, pad.nScale).Drawn(AfxPadGlyphRect(GetControlRect(pAbout, IDOK)), face), 0)
            << "a key in the About box";
    });
    Tap(script, CVirtualPad::kB);
    script.Then([&] {
        EXPECT_FALSE(IsAboutBoxActive());
        EXPECT_GT(shown().Drawn(AfxPadGlyphRect(rcStop), face), kGlyphPixels) << "B drives again";
        mouse();
    });
    script.Then([&] {
        EXPECT_EQ(shown().Drawn(AfxPadGlyphRect(rcStop), face), 0) << "the mouse took over in a game";
    });
    Tap(script, CVirtualPad::kStart);
    script.Then([&] {
        EXPECT_GT(shown().Drawn(AfxPadGlyphRect(rcStop), face), kGlyphPixels);
        m_pad.Unplug();
    });
    script.Then([&] {
        EXPECT_EQ(AfxGetPadInCharge(), EPadFamily::kNone);
        EXPECT_EQ(shown().Drawn(AfxPadGlyphRect(rcStop), face), 0) << "unplugged, it drives no more";
        AfxQueueKey(&dlg, VK_ESCAPE);
    });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
}

TEST_F(PadGlyphTest, EachFamilysLabelShowsWhileItsControllerDrivesAndGoesWhenTheMouseOrKeysTakeOver)
{
    for (const SPadCase& pad : kCases) {
        Play(pad);
        unsetenv("QUINDLE_SCALE");
    }
    EXPECT_EQ(m_exitGlyphs.size(), 3u) << "the bottom button's label differs by family";
    EXPECT_EQ(m_stopGlyphs.size(), 3u) << "the right button's label differs by family";
}

} // namespace
