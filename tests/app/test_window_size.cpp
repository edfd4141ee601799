// The window's size, headless: the whole-scale fit and the placement on the
// screen as numbers; then the main dialog on SDL's dummy driver (a 1024 x 768
// screen, where only scale 1 fits): fullscreen puts the picture in the middle
// and a click there lands where it shows, the pointer hides after two seconds
// without motion and shows again with it, F11 goes back; the zoom steps
// within what fits, Ctrl+0 keeps the automatic scale, and a kept zoom that is
// no zoom is said once and ignored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "AppTestSupport.h"
#include "InputTestSupport.h"
#include "platform/core/StateFile.h"
#include "platform/ui/display/ScreenFit.h"
#include "platform/ui/window/TopWindow.h"
#include "platform/ui/window/WindowSize.h"

namespace {

TEST(ScreenFitTest, TheLargestWholeScaleThatFitsFromOneToFour)
{
    EXPECT_EQ(AfxFitScale(1280, 800, 558, 251), 2);
    EXPECT_EQ(AfxFitScale(1675, 800, 558, 251), 3) << "the width and the height each limit it";
    EXPECT_EQ(AfxFitScale(1673, 1200, 558, 251), 2);
    EXPECT_EQ(AfxFitScale(3840, 2160, 558, 251), 4);
    EXPECT_EQ(AfxFitScale(400, 200, 558, 251), 1) << "nothing fits: still 1";
}

TEST(ScreenFitTest, AWindowLeavingItsScreenIsCentredAndOneOnItStaysPut)
{
    const CRect rcWork(0, 0, 1600, 1200);
    const CRect rcInside(100, 50, 658, 301);
    EXPECT_EQ(AfxKeepOnScreen(rcInside, rcWork), rcInside);
    // Created centred at 1x and grown to 2x from the same corner.
    EXPECT_EQ(AfxKeepOnScreen(CRect(521, 474, 1637, 976), rcWork), CRect(242, 349, 1358, 851));
    EXPECT_EQ(AfxKeepOnScreen(CRect(-10, 100, 548, 351), CRect(0, 30, 1280, 800)), CRect(361, 289, 919, 540));
    EXPECT_EQ(AfxKeepOnScreen(CRect(900, 0, 2000, 900), CRect(0, 0, 1024, 768)), CRect(0, 0, 1100, 900))
        << "larger than the area: its top-left corner inside";
}

class WindowSizeTest : public CVirtualTimeTest {
protected:
    void SetUp() override
    {
        CVirtualTimeTest::SetUp();
        std::remove(ZoomPath().c_str());
    }
    static std::string ZoomPath() { return std::string(CStateFile::DefaultPath("zoom")); }
    static std::string ZoomFile()
    {
        std::ifstream in(ZoomPath());
        std::string text;
        std::getline(in, text);
        return in ? text : std::string("(none)");
    }

    CObservedDlg m_dlg;
};

// On the dummy screen of 1024 x 768 the 558 x 251 picture fits once, centred at (233, 258).
TEST_F(WindowSizeTest, FullscreenCentresThePictureMapsClicksHidesTheIdlePointerAndGoesBack)
{
    // Start's middle (the layout's, known once the dialog has started), and
    // where it shows on the screen.
    const CPoint ptStart(276, 118);
    const CPoint ptShown(233 + 276, 258 + 118);
    BOOL bShownAtFirst = FALSE;
    CModalScript script;
    script.Then([&] {
              ASSERT_TRUE(m_dlg.m_view.HitStart(ptStart));
              AfxQueueKey(&m_dlg, VK_F11);
          })
        .Then([&] {
            EXPECT_TRUE(AfxIsFullscreen(&m_dlg));
            EXPECT_TRUE(m_dlg.GetSystemMenu(FALSE)->GetMenuState(IDM_FULLSCREEN, MF_BYCOMMAND) & MF_CHECKED);
            bShownAtFirst = AfxIsPointerShown();
            // Start's place at 1x is off the picture now: a click there does nothing.
            AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, ptStart);
            AfxQueueMouse(&m_dlg, WM_LBUTTONUP, ptStart);
        })
        .Then([&] {
            EXPECT_EQ(m_dlg.m_view.m_bInGame, 0);
            AdvanceAndPump(CUiTopWindow::kPointerHideMs);
            EXPECT_FALSE(AfxIsPointerShown()) << "two seconds without motion";
            AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, ptShown);
        })
        .Then([&] {
            EXPECT_TRUE(AfxIsPointerShown()) << "motion shows it";
            EXPECT_TRUE(m_dlg.m_view.m_bHoverStart) << "the pointer over Start's picture is over Start";
            AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, ptShown);
            AfxQueueMouse(&m_dlg, WM_LBUTTONUP, ptShown);
        })
        .Then([&] {
            EXPECT_EQ(m_dlg.m_view.m_bInGame, 1) << "a click on Start's picture starts a game";
            AfxQueueKey(&m_dlg, VK_F11);
        })
        .Then([&] {
            EXPECT_FALSE(AfxIsFullscreen(&m_dlg));
            EXPECT_FALSE(m_dlg.GetSystemMenu(FALSE)->GetMenuState(IDM_FULLSCREEN, MF_BYCOMMAND) & MF_CHECKED);
            EXPECT_TRUE(AfxIsPointerShown());
            AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, ptStart);
        })
        .Then([&] {
            AdvanceAndPump(CUiTopWindow::kPointerHideMs * 2);
            EXPECT_TRUE(AfxIsPointerShown()) << "a window keeps its pointer";
            AfxQueueKey(&m_dlg, VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(bShownAtFirst);
}

TEST_F(WindowSizeTest, TheZoomStaysWithinWhatFitsAndCtrlZeroKeepsTheAutomaticScale)
{
    ASSERT_TRUE(CStateFile(CString(ZoomPath().c_str())).WriteInt(3));
    CModalScript script;
    script.Then([&] { AfxQueueCtrlKey(&m_dlg, VK_OEM_PLUS); })
        .Then([&] {
            EXPECT_EQ(ZoomFile(), "3") << "1 is the largest that fits here: nothing changes, nothing is written";
            AfxQueueCtrlKey(&m_dlg, VK_SUBTRACT);
        })
        .Then([&] {
            EXPECT_EQ(ZoomFile(), "3") << "nor below 1";
            AfxQueueKey(&m_dlg, VK_OEM_PLUS);
        })
        .Then([&] {
            EXPECT_EQ(ZoomFile(), "3") << "without Ctrl it is no zoom key";
            AfxQueueCtrlKey(&m_dlg, VK_NUMPAD0);
        })
        .Then([&] {
            EXPECT_EQ(ZoomFile(), "0");
            AfxQueueKey(&m_dlg, VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
}

TEST_F(WindowSizeTest, AKeptZoomThatIsNoZoomIsSaidOnceAndTheGamePlaysOn)
{
    ASSERT_TRUE(CStateFile(CString(ZoomPath().c_str())).WriteInt(9));
    testing::internal::CaptureStderr();
    CModalScript script;
    script.Then([&] { AfxQueueKey(&m_dlg, VK_SPACE); }).Then([&] {
        EXPECT_EQ(m_dlg.m_view.m_bInGame, 1);
        AfxQueueKey(&m_dlg, VK_ESCAPE);
    });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("kept zoom of 9"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

} // namespace
