// The window platform under a dialog of its own: SDL input turned into
// messages, repaint requests, timers, controls, the system menu popup and
// keyboard focus.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "AppTestSupport.h"
#include "platform/ui/window/PaintDC.h"
#include "res/resource.h"

namespace {

class CProbeDialog : public CDialog {
public:
    explicit CProbeDialog(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    std::vector<CPoint> m_moves;
    std::vector<CPoint> m_buttonUps;
    std::vector<short> m_wheel;
    std::vector<BOOL> m_paintErase;
    std::vector<UINT> m_sysCommands;
    std::vector<UINT_PTR> m_ticks;
    std::atomic<int> m_nPaints{0};
    std::atomic<int> m_nEndAtPaint{0}; // ends the dialog with IDOK at that paint

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        m_paintErase.push_back(dc.m_ps.fErase);
        if (++m_nPaints == m_nEndAtPaint)
            EndDialog(IDOK);
    }
    afx_msg void OnMouseMove(UINT, CPoint pt) { m_moves.push_back(pt); }
    afx_msg void OnLButtonUp(UINT, CPoint pt) { m_buttonUps.push_back(pt); }
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint)
    {
        m_wheel.push_back(zDelta);
        return TRUE;
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM)
    {
        m_sysCommands.push_back(nID);
        Default();
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { m_ticks.push_back(nIDEvent); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeDialog, CDialog)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_MOUSEWHEEL()
ON_WM_SYSCOMMAND()
ON_WM_TIMER()
END_MESSAGE_MAP()

class MouseInputTest : public CVirtualTimeTest {
protected:
    CProbeDialog m_dlg{IDD_MAIN};
};

TEST_F(MouseInputTest, MoveAndReleaseArriveInClientCoordinates)
{
    CModalScript script;
    script.Then([&] {
        AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, CPoint(10, 20));
        AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, CPoint(30, 40));
        AfxQueueMouse(&m_dlg, WM_LBUTTONUP, CPoint(31, 41));
    }).Then([&] { AfxQueueKey(&m_dlg, VK_ESCAPE); });
    script.RunDialog(m_dlg);
    EXPECT_EQ(m_dlg.m_moves, std::vector<CPoint>{CPoint(10, 20)});
    EXPECT_EQ(m_dlg.m_buttonUps, std::vector<CPoint>{CPoint(31, 41)});
}

TEST_F(MouseInputTest, EachWheelNotchIsOneMessageOf120)
{
    CModalScript script;
    script.Then([&] {
        AfxQueueWheel(&m_dlg, 1, CPoint(5, 5));
        AfxQueueWheel(&m_dlg, -1, CPoint(5, 5));
        AfxQueueWheel(&m_dlg, 2, CPoint(5, 5));
    }).Then([&] { AfxQueueKey(&m_dlg, VK_ESCAPE); });
    script.RunDialog(m_dlg);
    EXPECT_EQ(m_dlg.m_wheel, (std::vector<short>{120, -120, 120, 120}));
}

TEST_F(MouseInputTest, PreciseWheelMovementAddsUpToWholeNotches)
{
    std::vector<short> afterTwoFifths;
    CModalScript script;
    script.Then([&] {
        AfxQueueWheel(&m_dlg, 0.4f, CPoint(5, 5));
        AfxQueueWheel(&m_dlg, 0.4f, CPoint(5, 5));
    })
        .Then([&] {
            afterTwoFifths = m_dlg.m_wheel;
            AfxQueueWheel(&m_dlg, 0.4f, CPoint(5, 5)); // 1.2: one notch, 0.2 left
            AfxQueueWheel(&m_dlg, -0.5f, CPoint(5, 5)); // -0.3: nothing
            AfxQueueWheel(&m_dlg, -0.75f, CPoint(5, 5)); // -1.05: one notch down
        })
        .Then([&] { AfxQueueKey(&m_dlg, VK_ESCAPE); });
    script.RunDialog(m_dlg);
    EXPECT_TRUE(afterTwoFifths.empty());
    EXPECT_EQ(m_dlg.m_wheel, (std::vector<short>{120, -120}));
}

TEST_F(MouseInputTest, HiddenControlsLetClicksThroughToTheDialog)
{
    CModalScript script;
    script.Then([&] {
        AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, CPoint(220, 150)); // inside the hidden Exit slot
        AfxQueueMouse(&m_dlg, WM_LBUTTONUP, CPoint(220, 150));
    }).Then([&] { AfxQueueKey(&m_dlg, VK_ESCAPE); });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_EQ(m_dlg.m_buttonUps, std::vector<CPoint>{CPoint(220, 150)});
}

class RepaintTest : public CVirtualTimeTest {
protected:
    CProbeDialog m_dlg{IDD_ABOUTBOX};
};

TEST_F(RepaintTest, FirstPaintErasesAndRequestsMergeKeepingTheErase)
{
    size_t nFirst = 0;
    CModalScript script;
    script.Then([&] {
        nFirst = m_dlg.m_paintErase.size();
        m_dlg.InvalidateRect(NULL, FALSE);
        m_dlg.InvalidateRect(NULL, TRUE);
        m_dlg.InvalidateRect(NULL, FALSE);
    })
        .Then([&] { m_dlg.InvalidateRect(NULL, FALSE); })
        .Then([&] { AfxQueueKey(&m_dlg, VK_ESCAPE); });
    script.RunDialog(m_dlg);
    ASSERT_EQ(nFirst, 1u);
    EXPECT_EQ(m_dlg.m_paintErase, (std::vector<BOOL>{TRUE, TRUE, FALSE}));
}

TEST(RepaintFromAnotherThread, WakesTheWaitingLoop)
{
    // No idle hook: the loop really waits, and only the other thread's
    // request can wake it (the dialog has no timer).
    CProbeDialog dlg(IDD_ABOUTBOX);
    std::atomic<bool> bDone{false};
    std::thread requester([&] {
        while (dlg.m_nPaints.load() < 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        // Long enough for the loop to be asleep.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        dlg.m_nEndAtPaint = dlg.m_nPaints.load() + 1;
        ::InvalidateRect(dlg.m_hWnd, NULL, FALSE);
        for (int i = 0; i < 5000 && !bDone.load(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!bDone.load()) {
            std::fputs("the loop did not wake for a repaint request\n", stderr);
            std::abort();
        }
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    bDone = true;
    requester.join();
}

class TimerTest : public CVirtualTimeTest {
protected:
    class CTimedDialog : public CProbeDialog {
    public:
        CTimedDialog() : CProbeDialog(IDD_ABOUTBOX) {}
        BOOL OnInitDialog() override
        {
            SetTimer(7, 50, NULL);
            return CDialog::OnInitDialog();
        }
    } m_dlg;
};

TEST_F(TimerTest, ALateLoopFiresOnceAndKeepsThePeriodAfter)
{
    CModalScript script;
    script.Then([&] {
        AdvanceAndPump(1000);
        EXPECT_EQ(m_dlg.m_ticks.size(), 1u) << "no burst of missed periods";
        AdvanceAndPump(49);
        EXPECT_EQ(m_dlg.m_ticks.size(), 1u);
        AdvanceAndPump(1);
        AfxQueueKey(&m_dlg, VK_ESCAPE);
    });
    script.RunDialog(m_dlg);
    EXPECT_EQ(m_dlg.m_ticks, (std::vector<UINT_PTR>{7, 7}));
}

TEST_F(TimerTest, KilledTimerStops)
{
    CModalScript script;
    script.Then([&] {
        EXPECT_TRUE(m_dlg.KillTimer(7));
        AdvanceAndPump(500);
        AfxQueueKey(&m_dlg, VK_ESCAPE);
    });
    script.RunDialog(m_dlg);
    EXPECT_TRUE(m_dlg.m_ticks.empty());
}

class AboutButtonTest : public CVirtualTimeTest {
protected:
    CPoint OkPoint()
    {
        CRect rc;
        m_dlg.GetDlgItem(IDOK)->GetWindowRect(&rc);
        m_dlg.ScreenToClient(&rc);
        return CPoint(rc.left + 3, rc.top + 3);
    }
    CProbeDialog m_dlg{IDD_ABOUTBOX};
};

TEST_F(AboutButtonTest, VisibleControlsAreShownAndOkTakesTheFocus)
{
    CModalScript script;
    script.Then([&] {
        ASSERT_NE(m_dlg.GetDlgItem(IDOK), nullptr);
        EXPECT_TRUE(m_dlg.GetDlgItem(IDOK)->IsWindowVisible());
        EXPECT_TRUE(m_dlg.GetDlgItem(IDOK)->IsWindowEnabled());
        EXPECT_EQ(CWnd::GetFocus(), m_dlg.GetDlgItem(IDOK));
        EXPECT_EQ(m_dlg.SetFocus(), m_dlg.GetDlgItem(IDOK));
        EXPECT_EQ(CWnd::GetFocus(), &m_dlg);
        AfxQueueKey(&m_dlg, VK_ESCAPE);
    });
    script.RunDialog(m_dlg);
}

TEST_F(AboutButtonTest, ClickOnOkEndsWithOk)
{
    CModalScript script;
    script.Then([&] {
        AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, OkPoint());
        AfxQueueMouse(&m_dlg, WM_LBUTTONUP, OkPoint());
    });
    EXPECT_EQ(script.RunDialog(m_dlg), IDOK);
    EXPECT_TRUE(m_dlg.m_buttonUps.empty()) << "the button took the click";
}

TEST_F(AboutButtonTest, PressOnOkReleasedElsewhereDoesNothing)
{
    CModalScript script;
    script.Then([&] {
        AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, OkPoint());
        AfxQueueMouse(&m_dlg, WM_LBUTTONUP, CPoint(2, 2));
    }).Then([&] { AfxQueueKey(&m_dlg, VK_ESCAPE); });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
}

TEST_F(AboutButtonTest, EnterPressesTheDefaultButton)
{
    CModalScript script;
    script.Then([&] { AfxQueueKey(&m_dlg, VK_RETURN); });
    EXPECT_EQ(script.RunDialog(m_dlg), IDOK);
}

class SystemMenuTest : public CVirtualTimeTest {
protected:
    CProbeDialog m_dlg{IDD_MAIN};
};

TEST_F(SystemMenuTest, EscapeClosesThePopupWithoutACommand)
{
    CModalScript script;
    script.Then([&] { AfxQueueMouse(&m_dlg, WM_RBUTTONUP, CPoint(50, 50)); })
        .Then([&] { AfxQueueKey(nullptr, VK_ESCAPE); })
        .Then([&] {
            EXPECT_TRUE(m_dlg.m_sysCommands.empty());
            AfxQueueKey(&m_dlg, VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
}

TEST_F(SystemMenuTest, AltSpaceOpensItAndTheAccessKeyChoosesClose)
{
    CModalScript script;
    script.Then([&] { AfxQueueKey(&m_dlg, VK_SPACE, TRUE); }).Then([&] { AfxQueueKey(nullptr, 'C'); });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_EQ(m_dlg.m_sysCommands, (std::vector<UINT>{SC_KEYMENU, SC_CLOSE}));
}

TEST_F(SystemMenuTest, ArrowAndEnterChooseTheHighlightedItem)
{
    CModalScript script;
    script.Then([&] { AfxQueueMouse(&m_dlg, WM_RBUTTONUP, CPoint(50, 50)); }).Then([&] {
        AfxQueueKey(nullptr, VK_DOWN);
        AfxQueueKey(nullptr, VK_RETURN);
    });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_EQ(m_dlg.m_sysCommands, std::vector<UINT>{SC_CLOSE});
}

TEST_F(SystemMenuTest, ClickInTheOwnerClosesThePopupAndIsNotPassedOn)
{
    CModalScript script;
    script.Then([&] { AfxQueueMouse(&m_dlg, WM_RBUTTONUP, CPoint(50, 50)); })
        .Then([&] {
            AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, CPoint(300, 200)); // in the owner, away from the popup
            AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, CPoint(61, 61));     // after the popup: the owner's again
        })
        .Then([&] { AfxQueueKey(&m_dlg, VK_ESCAPE); });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(m_dlg.m_sysCommands.empty());
    EXPECT_EQ(m_dlg.m_moves, std::vector<CPoint>{CPoint(61, 61)});
}

} // namespace
