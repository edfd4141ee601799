// The label of the controller button that acts, read back from the window's
// picture, on SDL's virtual joystick with the ids of real pads, at 1x and 2x:
// none before a controller is used; beside the focused menu button, Stop and
// the About box's OK while one drives, each family's own; gone after a mouse
// move (not a pointer's first motion in a window), a key, or unplugging.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "AppTestSupport.h"
#include "InputTestSupport.h"
#include "platform/gdi/PadGlyph.h"
#include "platform/ui/window/SysColors.h"
#include "platform/ui/input/Gamepad.h"

namespace {

struct SPadCase {
    const char* pszName;
    WORD nVendor;
    WORD nProduct;
    EPadFamily family;
    int nScale;
};

const SPadCase kCases[] = {{"xbox360", 0x045e, 0x028e, EPadFamily::kXbox, 1},
                           {"ps4", 0x054c, 0x09cc, EPadFamily::kPlayStation, 1},
                           {"switchpro", 0x057e, 0x2009, EPadFamily::kNintendo, 1},
                           {"ps4 at 2x", 0x054c, 0x09cc, EPadFamily::kPlayStation, 2}};

// A disc of the glyph's size covers most of its square.
constexpr int kGlyphPixels = kPadGlyphSize * kPadGlyphSize / 2;

// The pixels beside the button at rcButton in pWnd's picture (logical points
// at nScale) that are not background: a glyph's, and their colours.
int Drawn(CWnd* pWnd, const CRect& rcButton, COLORREF background, int nScale, std::vector<COLORREF>* pGlyph = nullptr)
{
    std::vector<COLORREF> pixels;
    int cx = 0, cy = 0, n = 0;
    if (!AfxGetShownPicture(pWnd, &pixels, &cx, &cy))
        return -1;
    const CRect rc = AfxPadGlyphRect(rcButton);
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = pixels[size_t(y * nScale) * cx + x * nScale];
            n += c != background;
            if (pGlyph)
                pGlyph->push_back(c);
        }
    }
    return n;
}

class PadGlyphTest : public ::testing::Test {
protected:
    void SetUp() override { CModalScript::PaintClock() = &m_clock; }
    void TearDown() override
    {
        AfxSetIdleHook(nullptr);
        CModalScript::PaintClock() = nullptr;
        unsetenv("QUINDLE_SCALE");
    }
    void Tap(CModalScript& script, CVirtualPad::EButton button, std::function<void()> then)
    {
        script.Then([this, button] { m_pad.Press(button); }).Then([this, button, then] {
            m_pad.Release(button);
        });
        script.Then(then);
    }
    void Play(const SPadCase& pad);

    CVirtualClock m_clock;
    CRunWatchClock m_watch{m_clock};
    CClockScope m_clockInUse{&m_watch};
    CVirtualPad m_pad;
    std::set<std::vector<COLORREF>> m_exitGlyphs, m_stopGlyphs;
};

void PadGlyphTest::Play(const SPadCase& pad)
{
    SCOPED_TRACE(pad.pszName);
    setenv("QUINDLE_SCALE", std::to_string(pad.nScale).c_str(), 1);
    ASSERT_TRUE(m_pad.Plug(TRUE, pad.nVendor, pad.nProduct));
    CObservedDlg dlg;
    const CRect &rcStart = dlg.m_view.m_rcStart, &rcExit = dlg.m_view.m_rcExit, &rcStop = dlg.m_view.m_rcStop;
    const COLORREF black = RGB(0, 0, 0), face = GetSysColor(COLOR_3DFACE);
    const auto menu = [&](const CRect& rc) { return Drawn(&dlg, rc, black, pad.nScale); };
    const auto stop = [&](std::vector<COLORREF>* pGlyph = nullptr) {
        return Drawn(&dlg, rcStop, face, pad.nScale, pGlyph);
    };
    const auto about = [&] {
        CWnd* pAbout = CWnd::GetFocus()->GetParent();
        return Drawn(pAbout, GetControlRect(pAbout, IDOK), face, pad.nScale);
    };
    const auto mouse = [&](CPoint pt) { AfxQueueMouse(&dlg, WM_MOUSEMOVE, pt); };
    CModalScript script;
    script.Then([&] { AfxQueueFocusGain(&dlg); }).Then([&] {
        EXPECT_EQ(menu(rcStart), 0) << "no controller used yet";
    });
    Tap(script, CVirtualPad::kDpadDown, [&] {
        EXPECT_EQ(AfxGetPadInCharge(), pad.family);
        std::vector<COLORREF> glyph;
        EXPECT_GT(Drawn(&dlg, rcExit, black, pad.nScale, &glyph), kGlyphPixels) << "beside the focused Exit";
        EXPECT_EQ(menu(rcStart), 0);
        m_exitGlyphs.insert(glyph);
        mouse(CPoint(40, 40));
    });
    script.Then([&] {
        // It moves the focus to Start, as any motion does.
        EXPECT_GT(menu(rcStart), kGlyphPixels) << "a pointer's first motion in a window";
        mouse(CPoint(44, 41));
    });
    script.Then([&] { EXPECT_EQ(menu(rcStart) + menu(rcExit), 0) << "the mouse took over"; });
    Tap(script, CVirtualPad::kDpadUp, [&] {
        EXPECT_GT(menu(rcStart), kGlyphPixels);
        AfxQueueKey(&dlg, 'Q');
    });
    script.Then([&] { EXPECT_EQ(menu(rcStart) + menu(rcExit), 0) << "the keys took over"; });
    Tap(script, CVirtualPad::kA, [&] {
        ASSERT_EQ(dlg.m_view.m_bInGame, 1);
        std::vector<COLORREF> glyph;
        EXPECT_GT(stop(&glyph), kGlyphPixels) << "beside Stop";
        m_stopGlyphs.insert(glyph);
    });
    Tap(script, CVirtualPad::kBack, [&] {
        ASSERT_TRUE(IsAboutBoxActive());
        EXPECT_GT(about(), kGlyphPixels) << "beside OK";
        AfxQueueKey(nullptr, 'Q');
    });
    script.Then([&] { EXPECT_EQ(about(), 0) << "a key in the About box"; });
    Tap(script, CVirtualPad::kB, [&] {
        EXPECT_FALSE(IsAboutBoxActive());
        EXPECT_GT(stop(), kGlyphPixels) << "B closed it and drives again";
        mouse(CPoint(40, 40));
        mouse(CPoint(44, 41));
    });
    script.Then([&] { EXPECT_EQ(stop(), 0) << "the mouse took over in a game"; });
    Tap(script, CVirtualPad::kStart, [&] {
        EXPECT_GT(stop(), kGlyphPixels);
        m_pad.Unplug();
    });
    script.Then([&] {
        EXPECT_EQ(AfxGetPadInCharge(), EPadFamily::kNone);
        EXPECT_EQ(stop(), 0) << "unplugged, it drives no more";
        AfxQueueKey(&dlg, VK_ESCAPE);
    });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
}

TEST_F(PadGlyphTest, EachFamilysLabelShowsWhileItsControllerDrivesAndGoesWhenTheMouseOrKeysTakeOver)
{
    for (const SPadCase& pad : kCases)
        Play(pad);
    EXPECT_EQ(m_exitGlyphs.size(), 3u) << "the bottom button's label differs by family";
    EXPECT_EQ(m_stopGlyphs.size(), 3u) << "the right button's label differs by family";
}

} // namespace
