// Game controllers, headless through the whole platform path with SDL's
// virtual joystick: plugged in before and during a run, every mapped button
// on the menu, in a game and in the About box, the stick's dead zone and the
// repeat of held steering, an unplugged controller pausing the run, the
// rumble on "Game Over!!" only, and no input at all while the window has no
// focus. The window is given the focus as a window manager gives it. Runs
// play on the virtual clock; repeats are counted against it.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "InputTestSupport.h"
#include "platform/ui/input/Gamepad.h"
#include "platform/ui/input/PadRepeat.h"

namespace {

constexpr DWORD kDelay = CPadRepeat::kDelayMs;
constexpr DWORD kInterval = CPadRepeat::kIntervalMs;

class PadTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        AfxSetIdleHook(nullptr);
        CModalScript::PaintClock() = nullptr;
    }

    // A press in one step, its release in the next: SDL reads a virtual
    // controller's state as it pumps, so both in one step would never show.
    void Tap(CModalScript& script, CVirtualPad::EButton button, std::function<void()> then = {})
    {
        script.Then([this, button] { m_pad.Press(button); }).Then([this, button, then] {
            m_pad.Release(button);
            if (then)
                then();
        });
    }
    void Focus(CModalScript& script)
    {
        script.Then([this] { AfxQueueFocusGain(&m_dlg); });
    }
    EPhase SleepingPhase() { return SleepingPhaseOf(m_clock, m_dlg); }
    BOOL Holds() { return HoldsPaused(m_clock, m_dlg); }
    BOOL GoesOn()
    {
        return WaitUntil([this] { return !m_dlg.m_thread.IsPaused() && m_clock.NextSleepLength() != kHoldPollMs; });
    }
    int PlayerY() const { return m_dlg.m_view.m_player.GetPos().y; }
    int InGame() const { return m_dlg.m_view.m_bInGame; }
    BOOL StartShown() const { return m_dlg.m_view.m_bHoverStart && !m_dlg.m_view.m_bHoverExit; }
    BOOL ExitShown() const { return m_dlg.m_view.m_bHoverExit && !m_dlg.m_view.m_bHoverStart; }

    CVirtualClock m_clock;
    CRunWatchClock m_watch{m_clock};
    CClockScope m_clockInUse{&m_watch};
    CVirtualPad m_pad; // unplugged after the dialog has gone
    CObservedDlg m_dlg;
};

TEST_F(PadTest, EveryButtonOnEveryScreenWithAControllerPluggedInBefore)
{
    ASSERT_TRUE(m_pad.Plug());
    int y = 0;
    CModalScript script;
    Tap(script, CVirtualPad::kA, [&] {
        EXPECT_EQ(InGame(), 0) << "no input reaches a window without the focus";
    });
    Focus(script);
    script.Then([&] {
        EXPECT_FALSE(m_dlg.m_view.m_bHoverStart || m_dlg.m_view.m_bHoverExit) << "no focus shown before it is used";
    });
    Tap(script, CVirtualPad::kDpadDown, [&] { EXPECT_TRUE(ExitShown()); });
    Tap(script, CVirtualPad::kDpadUp, [&] { EXPECT_TRUE(StartShown()); });
    Tap(script, CVirtualPad::kB, [&] { EXPECT_EQ(InGame(), 0) << "B does nothing on the menu"; });
    Tap(script, CVirtualPad::kA, [&] {
        EXPECT_EQ(InGame(), 1) << "A presses the focused Start";
        EXPECT_EQ(SleepingPhase(), EPhase::Ready);
        y = PlayerY();
    });
    Tap(script, CVirtualPad::kDpadUp, [&] { EXPECT_EQ(PlayerY(), y - kStep); });
    Tap(script, CVirtualPad::kDpadDown, [&] { EXPECT_EQ(PlayerY(), y); });
    Tap(script, CVirtualPad::kA, [&] { EXPECT_FALSE(m_dlg.m_thread.IsPaused()) << "A does nothing in a game"; });
    Tap(script, CVirtualPad::kStart, [&] { EXPECT_TRUE(Holds()); });
    Tap(script, CVirtualPad::kStart, [&] { EXPECT_TRUE(GoesOn()); });
    Tap(script, CVirtualPad::kBack, [&] { EXPECT_TRUE(IsAboutBoxActive()); });
    Tap(script, CVirtualPad::kA, [&] { EXPECT_FALSE(IsAboutBoxActive()) << "A closes the About box"; });
    Tap(script, CVirtualPad::kB, [&] {
        EXPECT_EQ(InGame(), 0) << "B stops the run";
        EXPECT_TRUE(StartShown()) << "the menu comes back with Start focused";
    });
    Tap(script, CVirtualPad::kBack, [&] { EXPECT_TRUE(IsAboutBoxActive()); });
    Tap(script, CVirtualPad::kB, [&] { EXPECT_FALSE(IsAboutBoxActive()) << "B closes the About box"; });
    Tap(script, CVirtualPad::kStart, [&] {
        EXPECT_EQ(InGame(), 1) << "Start starts a game from the menu";
        EXPECT_EQ(SleepingPhase(), EPhase::Ready);
        AfxQueueKey(&m_dlg, VK_ESCAPE);
    });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_EQ(m_dlg.m_nAboutOpened, 2);
}

// The keys move the same focus; the mouse takes the highlight back, and
// Enter presses what is highlighted: here Exit.
TEST_F(PadTest, KeysMoveTheMenuFocusAndTheMouseTakesTheHighlightBack)
{
    CModalScript script;
    script.Then([&] { AfxQueueKey(&m_dlg, VK_TAB); })
        .Then([&] {
            EXPECT_TRUE(ExitShown());
            AfxQueueKey(&m_dlg, VK_UP);
        })
        .Then([&] {
            EXPECT_TRUE(StartShown());
            AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, CPoint(20, 20));
        })
        .Then([&] {
            EXPECT_FALSE(m_dlg.m_view.m_bHoverStart || m_dlg.m_view.m_bHoverExit) << "the mouse shows its own";
            const CRect& rc = m_dlg.m_view.m_rcExit;
            AfxQueueMouse(&m_dlg, WM_MOUSEMOVE, CPoint(rc.left + 2, rc.top + 2));
        })
        .Then([&] {
            EXPECT_TRUE(ExitShown());
            AfxQueueKey(&m_dlg, VK_RETURN);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDOK) << "Enter pressed the highlighted Exit";
    EXPECT_EQ(InGame(), 0);
}

// The stick: under half its travel nothing; past it one notch at once, then
// repeats after the delay at the interval, kept while it stays past a
// quarter, and none once it is back in the middle.
TEST_F(PadTest, TheStickSteersPastHalfItsTravelAndRepeatsWhileHeld)
{
    ASSERT_TRUE(m_pad.Plug());
    int y = 0;
    CModalScript script;
    Focus(script);
    Tap(script, CVirtualPad::kA, [&] {
        ASSERT_EQ(SleepingPhase(), EPhase::Ready);
        y = PlayerY();
        m_pad.SetStickY(-15000);
    });
    script.Then([&] {
              EXPECT_EQ(PlayerY(), y) << "under half its travel the stick does not steer";
              m_pad.SetStickY(-20000);
          })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - kStep);
            m_clock.Advance(kDelay - 1);
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - kStep) << "no repeat before the delay";
            m_clock.Advance(1);
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - 2 * kStep);
            m_pad.SetStickY(-10000);
            m_clock.Advance(kInterval);
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - 3 * kStep) << "held past a quarter, it goes on repeating";
            m_pad.SetStickY(-3000);
        })
        .Then([&] { m_clock.Advance(kInterval * 3); })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - 3 * kStep) << "let go, it stops";
            m_pad.SetStickY(32767);
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - 2 * kStep) << "down";
            AfxQueueFocusLoss(&m_dlg);
        })
        .Then([&] { m_clock.Advance(kDelay * 2); })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - 2 * kStep) << "a held stick does not steer without the focus";
            AfxQueueKey(&m_dlg, VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
}

// A controller plugged in during a run drives it; unplugged, the run pauses,
// and Start on another controller resumes it.
TEST_F(PadTest, AControllerPluggedInDuringARunWorksAndUnpluggingItPauses)
{
    CVirtualPad other;
    CModalScript script;
    Focus(script);
    script.Then([&] { AfxQueueKey(&m_dlg, VK_SPACE); })
        .Then([&] {
            ASSERT_EQ(SleepingPhase(), EPhase::Ready);
            ASSERT_TRUE(m_pad.Plug());
        });
    Tap(script, CVirtualPad::kStart, [&] { EXPECT_TRUE(Holds()); });
    Tap(script, CVirtualPad::kStart, [&] { EXPECT_TRUE(GoesOn()); });
    script.Then([&] { m_pad.Unplug(); })
        .Then([&] {
            EXPECT_TRUE(Holds()) << "unplugging pauses";
            ASSERT_TRUE(other.Plug());
            other.Press(CVirtualPad::kStart);
        })
        .Then([&] {
            other.Release(CVirtualPad::kStart);
            EXPECT_TRUE(GoesOn());
            AfxQueueKey(&m_dlg, VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
}

// The rumble: asked for once when a run ends in "Game Over!!", never for "Goal!!".
class RumbleTest : public PadTest, public ::testing::WithParamInterface<bool> {
protected:
    // Every obstacle still on the player, or all of them gone past the area.
    void LayCourse()
    {
        const CPoint pt = m_dlg.m_view.m_player.GetPos();
        for (int i = 0; i < m_dlg.m_view.GetObstacleCount(); ++i) {
            CGameObject* p = m_dlg.m_view.m_obstacles.GetAt(i);
            p->m_dSpeedX = p->m_dSpeedY = 0.0;
            p->SetPos(GetParam() ? pt.x : m_dlg.m_view.m_rcArea.left - 100, pt.y);
        }
    }
};

TEST_P(RumbleTest, OnGameOverOnly)
{
    ASSERT_TRUE(m_pad.Plug());
    CModalScript::PaintClock() = &m_clock;
    CModalScript script;
    Focus(script);
    Tap(script, CVirtualPad::kA, [&] {
        ASSERT_EQ(SleepingPhase(), EPhase::Ready);
        LayCourse();
        EXPECT_EQ(m_pad.GetRumbles(), 0);
        for (int i = 0; i < 3 && SleepingPhase() != EPhase::Result; ++i)
            m_clock.AdvanceToNextWake();
        EXPECT_EQ(SleepingPhase(), EPhase::Result);
        EXPECT_EQ(m_dlg.m_thread.GetStatusText(), GetParam() ? "Game Over!!" : "Goal!!");
    });
    script.Then([] {}).Then([&] {
        EXPECT_EQ(m_pad.GetRumbles(), GetParam() ? 1 : 0);
        AfxQueueKey(&m_dlg, VK_ESCAPE);
    });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_EQ(m_pad.GetRumbles(), GetParam() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(GameOverOrGoal, RumbleTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "GameOver" : "Goal");
                         });

} // namespace
