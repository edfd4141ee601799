// A Start click when no thread can be had: the dialog shows the menu again at
// once, and a later click starts a game as usual.
#include <gtest/gtest.h>

#include <memory>

#include "AppTestSupport.h"
#include "InputTestSupport.h"

namespace {

class StartWithoutAThreadTest : public ::testing::Test {
protected:
    void SetUp() override { CModalScript::PaintClock() = &m_clock; }
    void TearDown() override
    {
        AfxSetIdleHook(nullptr);
        CModalScript::PaintClock() = nullptr;
    }

    void ClickStart()
    {
        const CRect& rc = m_dlg.m_view.m_rcStart;
        const CPoint pt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        AfxQueueMouse(&m_dlg, WM_LBUTTONDOWN, pt);
        AfxQueueMouse(&m_dlg, WM_LBUTTONUP, pt);
    }
    BOOL RunInProgress() { return CGameThreadProbe::IsRunInProgress(m_dlg.m_thread); }

    CVirtualClock m_clock;
    CClockScope m_clockInUse{&m_clock};
    CObservedDlg m_dlg;
};

TEST_F(StartWithoutAThreadTest, ShowsTheMenuAgainAndTheNextClickPlays)
{
    std::unique_ptr<CThreadStartFailure> pNoThreads;
    int nErases = 0;
    CModalScript script;
    script
        .Then([&] {
            pNoThreads = std::make_unique<CThreadStartFailure>();
            nErases = m_dlg.m_nErases;
            ClickStart();
        })
        .Then([&] {
            EXPECT_EQ(m_dlg.m_view.m_bInGame, 0) << "the menu, not a game screen with no game";
            EXPECT_EQ(m_dlg.m_nErases, nErases + 1) << "repainted";
            ASSERT_FALSE(RunInProgress());
            pNoThreads.reset();
            ClickStart();
        })
        .Then([&] {
            EXPECT_EQ(m_dlg.m_view.m_bInGame, 1);
            EXPECT_TRUE(m_clock.WaitForPendingSleeper());
            EXPECT_EQ(m_dlg.m_thread.GetStatusText(), "Ready");
            AfxQueueKey(&m_dlg, VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
}

} // namespace
