// Input that takes a path of its own through the window platform: Alt+F4 and
// the close button with the About box open, the keypad's Enter, a wheel with
// flipped scrolling, and mouse moves while a push button is held down.
#include <gtest/gtest.h>

#include <vector>

#include "AppTestSupport.h"
#include "app/QuindleDlg.h"
#include "res/resource.h"

namespace {

class CInputProbe : public CDialog {
public:
    explicit CInputProbe(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    std::vector<CPoint> m_moves;
    std::vector<short> m_wheel;
    int m_nPaints = 0;

protected:
    afx_msg void OnPaint()
    {
        ++m_nPaints;
        Default();
    }
    afx_msg void OnMouseMove(UINT, CPoint pt) { m_moves.push_back(pt); }
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint)
    {
        m_wheel.push_back(zDelta);
        return TRUE;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInputProbe, CDialog)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

class InputPathTest : public CVirtualTimeTest {};

TEST_F(InputPathTest, CloseButtonWaitsForTheAboutBoxAndAltF4ClosesTheActiveWindow)
{
    CQuindleDlg dlg;
    bool bAboutAfterClose = false;
    bool bAboutAfterAltF4 = true;
    CModalScript script;
    script.Then([&] { dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }) // runs the next steps
        .Then([&] { AfxQueueClose(&dlg); })                             // the main window's close button
        .Then([&] {
            bAboutAfterClose = IsAboutBoxActive();
            AfxQueueKey(&dlg, VK_F4, TRUE); // reaches the About box, the active window
        })
        .Then([&] {
            bAboutAfterAltF4 = IsAboutBoxActive();
            AfxQueueKey(&dlg, VK_F4, TRUE);
        });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
    EXPECT_TRUE(bAboutAfterClose) << "the close button of the main window is ignored under the About box";
    EXPECT_FALSE(bAboutAfterAltF4);
}

TEST_F(InputPathTest, KeypadEnterPressesTheDefaultButton)
{
    CInputProbe dlg(IDD_ABOUTBOX);
    CModalScript script;
    script.Then([&] { AfxQueueKey(&dlg, VK_RETURN, FALSE, 0, TRUE); });
    EXPECT_EQ(script.RunDialog(dlg), IDOK);
}

TEST_F(InputPathTest, FlippedScrollingStillSendsAwayFromTheUserAsPositive)
{
    CInputProbe dlg(IDD_MAIN);
    CModalScript script;
    script
        .Then([&] {
            AfxQueueWheel(&dlg, 1, CPoint(5, 5), TRUE);
            AfxQueueWheel(&dlg, -1, CPoint(5, 5), TRUE);
            AfxQueueWheel(&dlg, 0.5f, CPoint(5, 5), TRUE);
            AfxQueueWheel(&dlg, 0.5f, CPoint(5, 5), TRUE);
        })
        .Then([&] { AfxQueueKey(&dlg, VK_ESCAPE); });
    script.RunDialog(dlg);
    EXPECT_EQ(dlg.m_wheel, (std::vector<short>{120, -120, 120}));
}

TEST_F(InputPathTest, MovesWhileAPushButtonIsHeldRepaintItAndReachTheDialogOnlyAfter)
{
    CInputProbe dlg(IDD_ABOUTBOX);
    CPoint ptOk;
    int nPaints = 0;
    std::vector<CPoint> movesWhileHeld;
    CModalScript script;
    script
        .Then([&] {
            CRect rc;
            dlg.GetDlgItem(IDOK)->GetWindowRect(&rc);
            dlg.ScreenToClient(&rc);
            ptOk = CPoint(rc.left + 3, rc.top + 3);
            AfxQueueMouse(&dlg, WM_LBUTTONDOWN, ptOk);
        })
        .Then([&] {
            nPaints = dlg.m_nPaints;
            AfxQueueMouse(&dlg, WM_MOUSEMOVE, CPoint(2, 2)); // off the button: it looks released
        })
        .Then([&] {
            EXPECT_EQ(dlg.m_nPaints, nPaints + 1) << "the button's look follows the mouse";
            AfxQueueMouse(&dlg, WM_MOUSEMOVE, ptOk);
        })
        .Then([&] {
            movesWhileHeld = dlg.m_moves;
            AfxQueueMouse(&dlg, WM_LBUTTONUP, CPoint(2, 2)); // released off it: no click
            AfxQueueMouse(&dlg, WM_MOUSEMOVE, CPoint(4, 4));
        })
        .Then([&] { AfxQueueKey(&dlg, VK_ESCAPE); });
    EXPECT_EQ(script.RunDialog(dlg), IDCANCEL);
    EXPECT_TRUE(movesWhileHeld.empty()) << "the held button keeps the mouse";
    EXPECT_EQ(dlg.m_moves, std::vector<CPoint>{CPoint(4, 4)});
}

} // namespace
