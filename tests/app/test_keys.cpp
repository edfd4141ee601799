// The main dialog's keys and its pause, headless through the whole platform
// path: Space and Enter start a game from the menu, the arrows steer with the
// key's auto-repeat, P and Space pause and resume (a held key is one press),
// steering does nothing while paused, focus loss and minimising pause, F1
// opens the About box, M turns the sound off and on (with the system menu's
// check mark, kept in the state folder), Escape ends the program while
// paused. Runs play on the virtual clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/ui/window/Menu.h"

#include "AppTestSupport.h"
#include "InputTestSupport.h"

namespace {

class KeysTest : public ::testing::Test {
protected:
    void TearDown() override { AfxSetIdleHook(nullptr); }

    void Key(UINT nVirtKey, int nRepeats = 0) { AfxQueueKey(&m_dlg, nVirtKey, FALSE, nRepeats); }
    EPhase SleepingPhase() { return SleepingPhaseOf(m_clock, m_dlg); }
    BOOL Holds() { return HoldsPaused(m_clock, m_dlg); }
    // Waits until the run sleeps in phase again, not paused.
    BOOL GoesOnIn(EPhase phase)
    {
        return WaitUntil([&] {
            return !m_dlg.m_thread.IsPaused() && m_clock.NextSleepLength() != kHoldPollMs && SleepingPhase() == phase;
        });
    }
    int PlayerY() const { return m_dlg.m_view.m_player.GetPos().y; }
    int MiddleY() const { return (m_dlg.m_view.m_rcArea.top + m_dlg.m_view.m_rcArea.bottom) / 2; }
    // Steps that start a game with Space and wait in its Ready phase.
    void StartWithSpace(CModalScript& script)
    {
        script.Then([&] { Key(VK_SPACE); }).Then([&] { ASSERT_EQ(SleepingPhase(), EPhase::Ready); });
    }

    CVirtualClock m_clock;
    CRunWatchClock m_watch{m_clock};
    CClockScope m_clockInUse{&m_watch};
    CObservedDlg m_dlg;
};

class StartKeyTest : public KeysTest, public ::testing::WithParamInterface<UINT> {};

TEST_P(StartKeyTest, StartsAGameFromTheMenuAsStartDoes)
{
    int nInGame = -1;
    EPhase phase = EPhase::Unknown;
    CModalScript script;
    script.Then([&] { Key('P'); })
        .Then([&] {
            EXPECT_EQ(m_dlg.m_view.m_bInGame, 0) << "P does nothing on the menu";
            EXPECT_FALSE(CGameThreadProbe::IsRunInProgress(m_dlg.m_thread));
            Key(GetParam());
        })
        .Then([&] {
            nInGame = m_dlg.m_view.m_bInGame;
            phase = SleepingPhase();
            Key(VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_EQ(nInGame, 1);
    EXPECT_EQ(phase, EPhase::Ready);
}

INSTANTIATE_TEST_SUITE_P(SpaceOrEnter, StartKeyTest, ::testing::Values(UINT(VK_SPACE), UINT(VK_RETURN)),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                             return std::string(info.param == VK_SPACE ? "Space" : "Enter");
                         });

TEST_F(KeysTest, ArrowsStepPerPressAndRepeatPPausesSpaceResumesAndNothingSteersMeanwhile)
{
    int y = 0;
    bool bHeld = false;
    bool bResumed = false;
    bool bHeldAgain = false;
    CModalScript script;
    StartWithSpace(script);
    script.Then([&] { Key(VK_UP, 2); }) // held: the press and two repeats
        .Then([&] {
            EXPECT_EQ(PlayerY(), MiddleY() - 3 * kStep);
            Key(VK_DOWN);
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), MiddleY() - 2 * kStep);
            Key('P');
        })
        .Then([&] {
            bHeld = Holds();
            y = PlayerY();
            Key(VK_UP);
            AfxQueueWheel(&m_dlg, 1, CPoint(300, 60));
            Key(VK_DOWN, 3);
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y) << "no steering while paused";
            Key(VK_SPACE, 4); // held down: one press, so it only resumes
        })
        .Then([&] {
            bResumed = GoesOnIn(EPhase::Ready);
            EXPECT_EQ(m_dlg.m_thread.GetStatusText(), "Ready");
            Key(VK_UP);
        })
        .Then([&] {
            EXPECT_EQ(PlayerY(), y - kStep) << "steering again";
            Key('P', 5);
        })
        .Then([&] {
            bHeldAgain = Holds();
            Key(VK_ESCAPE); // ends the program while paused
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(bHeld);
    EXPECT_TRUE(bResumed);
    EXPECT_TRUE(bHeldAgain);
}

// Focus lost to another program, or the window minimised: the game pauses
// and stays paused until the player resumes it.
class LookingAwayTest : public KeysTest, public ::testing::WithParamInterface<bool> {
protected:
    void LookAway()
    {
        if (GetParam())
            AfxQueueFocusLoss(&m_dlg);
        else
            AfxQueueMinimize(&m_dlg);
    }
};

TEST_P(LookingAwayTest, PausesTheGameUntilThePlayerResumes)
{
    bool bHeld = false;
    bool bStillHeld = false;
    bool bResumed = false;
    CModalScript script;
    script.Then([&] { LookAway(); })
        .Then([&] {
            EXPECT_FALSE(m_dlg.m_thread.IsPaused()) << "nothing to pause on the menu";
            Key(VK_SPACE);
        })
        .Then([&] {
            ASSERT_EQ(SleepingPhase(), EPhase::Ready);
            LookAway();
        })
        .Then([&] {
            bHeld = Holds();
            LookAway(); // again: it does not resume
        })
        .Then([&] {
            m_clock.Advance(5000);
            bStillHeld = Holds();
            Key('P');
        })
        .Then([&] {
            bResumed = GoesOnIn(EPhase::Ready);
            Key(VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(bHeld);
    EXPECT_TRUE(bStillHeld);
    EXPECT_TRUE(bResumed);
}

INSTANTIATE_TEST_SUITE_P(FocusLossOrMinimise, LookingAwayTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "FocusLoss" : "Minimise");
                         });

TEST_F(KeysTest, F1OpensTheAboutBox)
{
    bool bAbout = false;
    CModalScript script;
    script.Then([&] { Key(VK_F1); })
        .Then([&] {
            bAbout = IsAboutBoxActive();
            AfxQueueKey(nullptr, VK_ESCAPE); // closes it
        })
        .Then([&] {
            EXPECT_FALSE(IsAboutBoxActive());
            Key(VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(bAbout);
    EXPECT_EQ(m_dlg.m_nAboutOpened, 1);
}

TEST_F(KeysTest, MTurnsTheSoundOffAndOnWithTheMenusCheckAndKeepsTheChoice)
{
    CFreshStateFolder state; // nothing kept: the sound starts on
    const std::string strFile = std::string(std::getenv("XDG_STATE_HOME")) + "/quindle/sound";
    auto kept = [&] {
        std::ifstream in(strFile);
        std::string text;
        std::getline(in, text);
        return text;
    };
    auto checked = [&] { return (m_dlg.GetSystemMenu(FALSE)->GetMenuState(IDM_SOUND, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    BOOL bOnAtFirst = FALSE, bOffAfterM = TRUE, bOnAfterHeldM = FALSE;
    bool bCheckedAtFirst = false, bCheckedAfterM = true, bCheckedAfterHeldM = false;
    bool bKeptOff = false, bKeptOn = false;
    CModalScript script;
    script
        .Then([&] {
            bOnAtFirst = m_dlg.m_sound.IsSoundOn();
            bCheckedAtFirst = checked();
            Key('M');
        })
        .Then([&] {
            bOffAfterM = !m_dlg.m_sound.IsSoundOn();
            bCheckedAfterM = checked();
            bKeptOff = WaitUntil([&] { return kept() == "0"; });
            Key('M', 3); // held: one press
        })
        .Then([&] {
            bOnAfterHeldM = m_dlg.m_sound.IsSoundOn();
            bCheckedAfterHeldM = checked();
            bKeptOn = WaitUntil([&] { return kept() == "1"; });
            Key(VK_ESCAPE);
        });
    EXPECT_EQ(script.RunDialog(m_dlg), IDCANCEL);
    EXPECT_TRUE(bOnAtFirst);
    EXPECT_TRUE(bCheckedAtFirst);
    EXPECT_TRUE(bOffAfterM);
    EXPECT_FALSE(bCheckedAfterM);
    EXPECT_TRUE(bKeptOff);
    EXPECT_TRUE(bOnAfterHeldM);
    EXPECT_TRUE(bCheckedAfterHeldM);
    EXPECT_TRUE(bKeptOn);
}

} // namespace
