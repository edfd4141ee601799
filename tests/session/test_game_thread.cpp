#include <gtest/gtest.h>

#include <memory>

#include "GameSessionTest.h"

namespace {

constexpr int kOffCourseX = -1000;

class CObservedGameThread : public CWaitedGameThread {
public:
    int StopFlag() const { return m_bStop; }
    int RunState() const { return m_nRunState; }
};

class GameSession : public CGameSessionTest<CObservedGameThread> {
protected:
    // What the dialog does for a click on its Stop button.
    void StopClick()
    {
        m_view.m_bInGame = 0;
        m_thread.Stop();
    }

    // Waits for the next sleep of the session and checks when it began and how long it is.
    void ExpectSleep(ULONGLONG at, DWORD length, const char* pszStatus)
    {
        ASSERT_EQ(WaitForSleep(m_clock), length) << "at " << at;
        EXPECT_EQ(m_clock.GetTickCount(), at);
        EXPECT_EQ(m_thread.GetStatusText(), pszStatus) << "at " << at;
    }

    // Starts a run and waits in its Ready phase.
    void StartAndWaitInReady()
    {
        StartClick();
        ExpectSleep(0, kReadyMs, "Ready");
    }

    void PlaceObstacle(int nIndex, int x, int y)
    {
        CGameObject* p = m_view.m_obstacles.GetAt(nIndex);
        ASSERT_NE(p, nullptr);
        p->SetPos(x, y);
    }
    void PlaceAll(int x, int y)
    {
        for (int i = 0; i < m_view.GetObstacleCount(); ++i)
            PlaceObstacle(i, x, y);
    }
    // Every obstacle well inside the area and far from the player for twenty passes.
    void LayQuietCourse() { PlaceAll(400, 50); }
    // Obstacle 0 moves (-16, -2) per pass: it reaches the player in pass n.
    void PlaceHitInPass(int n) { PlaceObstacle(0, kPlayerX + 16 * n, kPlayerY + 2 * n); }

    void PassReadyAndGo()
    {
        EndSleep(m_clock);
        EndSleep(m_clock);
    }
    // Plays a run whose first pass hits the player, up to its result phase.
    void RunToGameOverInFirstPass()
    {
        StartAndWaitInReady();
        LayQuietCourse();
        PlaceHitInPass(1);
        PassReadyAndGoToTheResult();
    }
    void PassReadyAndGoToTheResult()
    {
        PassReadyAndGo();
        ExpectSleep(kFirstPassAt, kResultMs, "Game Over!!");
    }

    void ExpectEndedNormally(const char* pszResult)
    {
        m_thread.WaitUntilEnded();
        EXPECT_EQ(m_thread.GetStatusText(), pszResult);
        EXPECT_EQ(m_view.m_bInGame, 0);
        EXPECT_EQ(m_thread.StopFlag(), 1); // the session's own stop, never checked
        EXPECT_EQ(m_thread.RunState(), 0);
    }
    void ExpectCancelled()
    {
        m_thread.WaitUntilEnded();
        EXPECT_EQ(m_thread.GetStatusText(), "");
        EXPECT_EQ(m_thread.StopFlag(), 0);
        EXPECT_EQ(m_thread.RunState(), 0);
    }
};

TEST_F(GameSession, PlaysEachPhaseForItsTimeAndReturnsToTheMenu)
{
    StartAndWaitInReady();
    EXPECT_EQ(m_view.m_player.GetPos(), CPoint(kPlayerX, kPlayerY));
    EXPECT_EQ(m_view.GetObstacleCount(), 300);
    EXPECT_EQ(m_window.m_nInvalidates, 1);
    // Only obstacle 0 (fast) stays in the area, for two passes: 44, 28, 12, then -4.
    PlaceAll(kOffCourseX, 100);
    PlaceObstacle(0, kArea.left + 32, 50);

    EndSleep(m_clock);
    ExpectSleep(kReadyMs, kGoMs, "Go!!");
    EXPECT_EQ(m_view.m_bInGame, 1);
    EndSleep(m_clock);
    ExpectSleep(kFirstPassAt, kFrameMs, "");
    EXPECT_EQ(m_window.m_nInvalidates, 4); // "Ready", "Go!!", "" and the first frame
    EXPECT_EQ(m_window.m_nLastErasing, 0);
    EndSleep(m_clock);
    ExpectSleep(kFirstPassAt + kFrameMs, kFrameMs, "");
    EndSleep(m_clock);
    ExpectSleep(kFirstPassAt + 2 * kFrameMs, kResultMs, "Goal!!");
    EXPECT_EQ(m_view.m_bInGame, 1);
    EndSleep(m_clock);

    ExpectEndedNormally("Goal!!");
    EXPECT_EQ(m_clock.GetTickCount(), kFirstPassAt + 2 * kFrameMs + kResultMs);
    EXPECT_EQ(m_window.m_nInvalidates, 7);
    EXPECT_EQ(m_window.m_nWrongInvalidates, 0);
    // Only the repaint that returns to the menu erases, so no Stop button is left behind.
    EXPECT_EQ(m_window.m_nLastErasing, 7);
}

TEST_F(GameSession, HitInTheFirstPassShowsGameOver)
{
    RunToGameOverInFirstPass();
    EndSleep(m_clock);
    ExpectEndedNormally("Game Over!!");
}

TEST_F(GameSession, NoObstacleInTheAreaAfterTheFirstPassShowsGoal)
{
    StartAndWaitInReady();
    PlaceAll(kOffCourseX, 100);
    PassReadyAndGo();
    ExpectSleep(kFirstPassAt, kResultMs, "Goal!!");
    EndSleep(m_clock);
    ExpectEndedNormally("Goal!!");
}

TEST_F(GameSession, HitAndEmptyAreaInTheSamePassShowGameOver)
{
    StartAndWaitInReady();
    PlaceAll(kOffCourseX, 100);
    // The player on the area's top row, hit by obstacle 0 whose centre ends above the area.
    m_view.m_player.SetPos(kPlayerX, kArea.top);
    PlaceObstacle(0, kPlayerX + 16, kArea.top - 1);
    PassReadyAndGo();
    ExpectSleep(kFirstPassAt, kResultMs, "Game Over!!");
    EndSleep(m_clock);
    ExpectEndedNormally("Game Over!!");
}

// Stop in the Ready phase (0 sleeps passed) or in the Go phase (1 sleep passed).
class StopBeforeRunning : public GameSession, public ::testing::WithParamInterface<int> {};

TEST_P(StopBeforeRunning, StillShowsGoAndPlaysOnePass)
{
    StartAndWaitInReady();
    LayQuietCourse();
    for (int i = 0; i < GetParam(); ++i)
        EndSleep(m_clock);
    StopClick();
    for (int i = GetParam(); i < 1; ++i)
        EndSleep(m_clock);
    ExpectSleep(kReadyMs, kGoMs, "Go!!");
    EndSleep(m_clock);
    ExpectSleep(kFirstPassAt, kFrameMs, "");
    EndSleep(m_clock);

    ExpectCancelled();
    EXPECT_EQ(m_clock.GetTickCount(), kFirstPassAt + kFrameMs);
    EXPECT_EQ(m_view.m_bInGame, 0);
    EXPECT_EQ(m_window.m_nInvalidates, 4);
}

INSTANTIATE_TEST_SUITE_P(ReadyOrGo, StopBeforeRunning, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param ? "Go" : "Ready";
                         });

TEST_F(GameSession, StopDuringReadyWhenThatPassEndsTheGameRunsTheResultInFull)
{
    StartAndWaitInReady();
    LayQuietCourse();
    PlaceHitInPass(1);
    StopClick();
    PassReadyAndGo();
    ExpectSleep(kFirstPassAt, kResultMs, "Game Over!!");
    EndSleep(m_clock);
    ExpectEndedNormally("Game Over!!");
}

TEST_F(GameSession, StopDuringRunningEndsAtThatPassWithNoResultAndNoRepaint)
{
    StartAndWaitInReady();
    LayQuietCourse();
    PassReadyAndGo();
    EndSleep(m_clock);
    ExpectSleep(kFirstPassAt + kFrameMs, kFrameMs, "");
    const int repaints = m_window.m_nInvalidates;
    StopClick();
    EndSleep(m_clock);

    ExpectCancelled();
    EXPECT_EQ(m_clock.GetTickCount(), kFirstPassAt + 2 * kFrameMs);
    EXPECT_EQ(m_window.m_nInvalidates, repaints);
    EXPECT_EQ(m_view.m_bInGame, 0);
}

TEST_F(GameSession, StopDuringResultStillWaitsTwoSecondsAndClearsTheFlag)
{
    RunToGameOverInFirstPass();
    const int repaints = m_window.m_nInvalidates;
    StopClick();
    EXPECT_EQ(m_clock.NextSleepLength(), kResultMs);
    EndSleep(m_clock);

    ExpectEndedNormally("Game Over!!");
    EXPECT_EQ(m_clock.GetTickCount(), kFirstPassAt + kResultMs);
    EXPECT_EQ(m_window.m_nInvalidates, repaints + 1);
}

// A Start click after a Stop click, while the old run is still inside: the
// old run ends at once and the new one plays with the in-game flag set.
TEST_F(GameSession, StartDuringRunningAbandonsTheOldRunAtOnce)
{
    StartAndWaitInReady();
    LayQuietCourse();
    PassReadyAndGo();
    ExpectSleep(kFirstPassAt, kFrameMs, "");
    StopClick();
    StartClick();
    // No virtual time passed for the old run's frame.
    ExpectSleep(kFirstPassAt, kReadyMs, "Ready");
    EXPECT_EQ(m_view.m_bInGame, 1);
    EXPECT_EQ(m_thread.RunState(), 1);
}

TEST_F(GameSession, StartDuringResultAbandonsItsWaitAndKeepsTheFlagForTheNewRun)
{
    RunToGameOverInFirstPass();
    StopClick();
    StartClick();
    ExpectSleep(kFirstPassAt, kReadyMs, "Ready");
    EXPECT_EQ(m_view.m_bInGame, 1);
}

// The old run's last step lands between the Start click's flag write and its
// Start call: the flag the click wrote must survive for the new run. The old
// run was stopped in its Result phase, or in Ready with a first pass that
// hits, so that its result phase only begins after the click.
class StartClickAsTheOldRunEnds : public GameSession, public ::testing::WithParamInterface<bool> {};

TEST_P(StartClickAsTheOldRunEnds, LeavesTheFlagSetForTheNewRun)
{
    const bool bStopInResult = GetParam();
    StartAndWaitInReady();
    LayQuietCourse();
    PlaceHitInPass(1);
    if (bStopInResult)
        PassReadyAndGoToTheResult();
    StopClick();
    m_view.m_bInGame = 1;
    if (!bStopInResult)
        PassReadyAndGoToTheResult();
    EndSleep(m_clock);
    m_thread.WaitUntilEnded();
    EXPECT_EQ(m_view.m_bInGame, 1);

    m_thread.Start();
    ExpectSleep(kFirstPassAt + kResultMs, kReadyMs, "Ready");
    EXPECT_EQ(m_view.m_bInGame, 1);
    // The new run's own normal end still clears it.
    PlaceAll(kOffCourseX, 100);
    PassReadyAndGo();
    EXPECT_EQ(m_view.m_bInGame, 1);
    EndSleep(m_clock);
    ExpectEndedNormally("Goal!!");
}

INSTANTIATE_TEST_SUITE_P(StoppedInResultOrReady, StartClickAsTheOldRunEnds, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Result" : "Ready";
                         });

TEST_F(GameSession, DestroyingTheThreadMidRunWaitsForItAndLeavesTheViewAlone)
{
    auto pThread = std::make_unique<CGameThread>();
    pThread->SetOwner(&m_owner);
    pThread->m_pView = &m_view;
    m_view.m_bInGame = 1;
    pThread->Start();
    ASSERT_EQ(WaitForSleep(m_clock), kReadyMs);
    LayQuietCourse();
    PassReadyAndGo();
    ASSERT_EQ(WaitForSleep(m_clock), kFrameMs);
    const int repaints = m_window.m_nInvalidates;
    const CRect obstacle = m_view.GetObstacleRect(0);

    pThread.reset();
    EXPECT_EQ(m_clock.GetSleeperCount(), 0);
    EXPECT_EQ(m_clock.GetTickCount(), kFirstPassAt);
    EXPECT_EQ(m_window.m_nInvalidates, repaints);
    EXPECT_EQ(m_view.GetObstacleRect(0), obstacle);
    EXPECT_EQ(m_view.m_bInGame, 1);
}

} // namespace
