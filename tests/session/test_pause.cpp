// Pausing a game on the virtual clock: in Ready, Go and the frames the field
// and the phase's time stand still and "Paused" shows; resuming continues the
// time the phase had left; Stop (then a fresh Start) and destruction while
// paused; no pause in the result phase or on the menu. Then the score:
// obstacles passed, and the best kept when a run ends.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "GameSessionTest.h"
#include "platform/core/StateFile.h"

namespace {

constexpr DWORD kLongPauseMs = 60000;

class PausedGame : public CGameSessionTest<CWaitedGameThread> {
protected:
    // Waits (in real time) until the run sleeps for length ms; FALSE if it never does.
    BOOL WaitForSleepOf(DWORD length)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (m_clock.WaitForPendingSleeper(100) && m_clock.NextSleepLength() == length)
                return TRUE;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return FALSE;
    }
    // Every obstacle well inside the area and far from the player.
    void LayQuietCourse()
    {
        for (int i = 0; i < m_view.GetObstacleCount(); ++i)
            m_view.m_obstacles.GetAt(i)->SetPos(400, 50);
    }
    // Starts a run and sleeps in phase n (0 Ready, 1 Go, 2 the first frame).
    void StartAndWaitInPhase(int n)
    {
        StartClick();
        ASSERT_TRUE(WaitForSleepOf(kReadyMs));
        LayQuietCourse();
        for (int i = 0; i < n; ++i)
            EndSleep(m_clock);
    }
    // Pauses and waits until the run holds.
    void PauseAndWaitForTheHold()
    {
        ASSERT_EQ(m_thread.PauseGame(), 1);
        ASSERT_TRUE(WaitForSleepOf(kHoldPollMs));
        EXPECT_EQ(m_thread.GetStatusText(), "Paused");
    }
    // A long pause, polled as the held run polls.
    void StayPaused()
    {
        for (DWORD t = 0; t < kLongPauseMs; t += 20 * kHoldPollMs) {
            ASSERT_TRUE(WaitForSleepOf(kHoldPollMs));
            m_clock.Advance(20 * kHoldPollMs);
        }
        ASSERT_TRUE(WaitForSleepOf(kHoldPollMs));
    }
};

struct PhaseCase {
    const char* pszName;
    int nIndex;       // sleeps passed before it
    DWORD nLength;    // its sleep
    const char* pszText;
};

void PrintTo(const PhaseCase& phase, std::ostream* os) { *os << phase.pszName; }

class PauseInAPhase : public PausedGame, public ::testing::WithParamInterface<PhaseCase> {};

TEST_P(PauseInAPhase, HoldsTheFieldAndTheTimeAndResumeGoesOnWithWhatWasLeft)
{
    const PhaseCase& phase = GetParam();
    StartAndWaitInPhase(phase.nIndex);
    ASSERT_TRUE(WaitForSleepOf(phase.nLength));
    EXPECT_EQ(m_thread.GetStatusText(), phase.pszText);
    const DWORD nSpent = phase.nLength / 4;
    m_clock.Advance(nSpent);
    const CRect rcObstacle = m_view.GetObstacleRect(0);
    const int nRepaints = m_window.m_nInvalidates;

    PauseAndWaitForTheHold();
    EXPECT_TRUE(m_thread.IsPaused());
    EXPECT_GT(m_window.m_nInvalidates, nRepaints) << "the pause is shown";
    StayPaused();
    EXPECT_EQ(m_thread.GetStatusText(), "Paused");
    EXPECT_EQ(m_view.GetObstacleRect(0), rcObstacle) << "the field stands still";

    const ULONGLONG resumedAt = m_clock.GetTickCount();
    EXPECT_EQ(m_thread.TogglePause(), 0);
    ASSERT_TRUE(WaitForSleepOf(phase.nLength - nSpent)) << "the phase goes on with the time it had left";
    EXPECT_EQ(m_thread.GetStatusText(), phase.pszText);
    EXPECT_FALSE(m_thread.IsPaused());
    EndSleep(m_clock);
    EXPECT_EQ(m_clock.GetTickCount(), resumedAt + phase.nLength - nSpent);
    // The phase after it follows as it would have.
    EXPECT_TRUE(WaitForSleepOf(phase.nIndex == 0 ? kGoMs : kFrameMs));
}

INSTANTIATE_TEST_SUITE_P(ReadyGoFrames, PauseInAPhase,
                         ::testing::Values(PhaseCase{"Ready", 0, kReadyMs, "Ready"}, PhaseCase{"Go", 1, kGoMs, "Go!!"},
                                           PhaseCase{"Frame", 2, kFrameMs, ""}),
                         [](const ::testing::TestParamInfo<PhaseCase>& info) { return info.param.pszName; });

TEST_F(PausedGame, StopWhilePausedEndsWithinOnePollAndTheNextStartIsFresh)
{
    StartAndWaitInPhase(0);
    PauseAndWaitForTheHold();
    m_view.m_bInGame = 0;
    m_thread.Stop();
    EXPECT_EQ(m_thread.PauseGame(), 0) << "no pause from the menu";
    m_clock.Advance(kHoldPollMs);
    m_thread.WaitUntilEnded();
    EXPECT_EQ(m_view.m_bInGame, 0);

    const ULONGLONG startedAt = m_clock.GetTickCount();
    StartClick();
    ASSERT_TRUE(WaitForSleepOf(kReadyMs));
    EXPECT_EQ(m_thread.GetStatusText(), "Ready");
    EXPECT_FALSE(m_thread.IsPaused());
    EndSleep(m_clock);
    EXPECT_EQ(m_clock.GetTickCount(), startedAt + kReadyMs);
}

TEST_F(PausedGame, DestructionWhilePausedEndsAtOnce)
{
    auto pThread = std::make_unique<CGameThread>();
    pThread->SetOwner(&m_owner);
    pThread->m_pView = &m_view;
    m_view.m_bInGame = 1;
    pThread->Start();
    ASSERT_TRUE(WaitForSleepOf(kReadyMs));
    ASSERT_EQ(pThread->PauseGame(), 1);
    ASSERT_TRUE(WaitForSleepOf(kHoldPollMs));
    const ULONGLONG pausedAt = m_clock.GetTickCount();
    pThread.reset();
    EXPECT_EQ(m_clock.GetSleeperCount(), 0);
    EXPECT_EQ(m_clock.GetTickCount(), pausedAt);
}

TEST_F(PausedGame, NoPauseInTheResultOrOnTheMenu)
{
    EXPECT_EQ(m_thread.PauseGame(), 0) << "before any run";
    StartAndWaitInPhase(0);
    m_view.m_obstacles.GetAt(0)->SetPos(kPlayerX + 16, kPlayerY + 2); // hits in the first pass
    EndSleep(m_clock);
    EndSleep(m_clock);
    ASSERT_TRUE(WaitForSleepOf(kResultMs));
    EXPECT_EQ(m_thread.GetStatusText(), "Game Over!!");
    EXPECT_EQ(m_thread.TogglePause(), 0);
    EXPECT_FALSE(m_thread.IsPaused());
    EXPECT_EQ(m_thread.GetStatusText(), "Game Over!!");
    EndSleep(m_clock);
    m_thread.WaitUntilEnded();
    EXPECT_EQ(m_view.m_bInGame, 0);
    EXPECT_EQ(m_thread.PauseGame(), 0) << "after the run";
}

// ---------------------------------------------------------------------------
// The score.

// Obstacle 0 fast (16 px a pass) just right of the area's left edge; the rest
// quiet in the middle.
class ScoredGame : public PausedGame {
protected:
    void SetUp() override
    {
        char szFolder[] = "/tmp/quindle-best.XXXXXX";
        ASSERT_NE(mkdtemp(szFolder), nullptr);
        m_strFolder = szFolder;
        m_thread.OpenBest(CString(m_strFolder + "/best"));
    }
    void TearDown() override
    {
        std::error_code error;
        std::filesystem::permissions(m_strFolder, std::filesystem::perms::owner_all, error);
        std::filesystem::remove_all(m_strFolder, error);
    }
    // Plays a run that the first pass ends with a hit (score 0), to its result.
    void PlayToAHitInTheFirstPass()
    {
        StartAndWaitInPhase(0);
        m_view.m_obstacles.GetAt(0)->SetPos(kPlayerX + 16, kPlayerY + 2);
        EndSleep(m_clock);
        EndSleep(m_clock);
        ASSERT_TRUE(WaitForSleepOf(kResultMs));
        EXPECT_EQ(m_thread.GetStatusText(), "Game Over!!");
    }
    // Plays to the second frame; obstacle 0 has left the area by then.
    void PlayTwoFramesPassingOne()
    {
        StartAndWaitInPhase(0);
        // Its rectangle's right edge is 13 after one pass (one column still
        // in the area), -3 after two.
        m_view.m_obstacles.GetAt(0)->SetPos(kArea.left + 12, 50);
        EXPECT_EQ(m_view.m_nPassed, 0);
        EndSleep(m_clock);
        EndSleep(m_clock);
        ASSERT_TRUE(WaitForSleepOf(kFrameMs));
        EXPECT_EQ(m_view.m_nPassed, 0) << "still across the edge";
        EndSleep(m_clock);
        ASSERT_TRUE(WaitForSleepOf(kFrameMs));
        EXPECT_EQ(m_view.m_nPassed, 1);
    }
    int BestOnDisk()
    {
        CStateFile file(CString(m_strFolder + "/best"));
        int n = -1;
        return file.ReadInt(&n) ? n : -1;
    }

    std::string m_strFolder;
};

TEST_F(ScoredGame, TheFirstRunKeepsEvenZeroAndABetterStoppedOneReplacesIt)
{
    EXPECT_EQ(m_view.m_nBest, CDrawArea::kNoScore);
    StartAndWaitInPhase(0);
    m_view.m_obstacles.GetAt(0)->SetPos(kPlayerX + 16, kPlayerY + 2); // hits in the first pass
    EndSleep(m_clock);
    EndSleep(m_clock);
    ASSERT_TRUE(WaitForSleepOf(kResultMs));
    EXPECT_EQ(m_view.m_nBest, 0);
    EXPECT_EQ(BestOnDisk(), 0);
    EndSleep(m_clock);
    m_thread.WaitUntilEnded();

    PlayTwoFramesPassingOne();
    m_view.m_bInGame = 0;
    m_thread.Stop();
    m_thread.KeepScore();
    EXPECT_EQ(m_view.m_nBest, 1) << "the menu shows it at once";
    EXPECT_EQ(BestOnDisk(), 0) << "the window thread leaves the disk to the run";
    EndSleep(m_clock);
    m_thread.WaitUntilEnded();
    EXPECT_EQ(BestOnDisk(), 1) << "written as the stopped run ended";
}

// The case: this copy started with no best; another one kept 1000
// meanwhile. This run's 0 leaves the file alone and the menu shows 1000.
TEST_F(ScoredGame, AnotherCopysBetterBestStaysOnDiskAndShowsOnTheMenu)
{
    ASSERT_TRUE(CStateFile(CString(m_strFolder + "/best")).WriteInt(1000));
    PlayToAHitInTheFirstPass();
    EXPECT_EQ(BestOnDisk(), 1000);
    EXPECT_EQ(m_view.m_nBest, 1000);
    EndSleep(m_clock);
    m_thread.WaitUntilEnded();
    EXPECT_EQ(m_view.m_nBest, 1000);
}

// A read-only folder, and for root (who writes anyway) a folder where the
// lock file would be: nothing is kept, one line says so, the game plays on.
TEST_F(ScoredGame, AFolderWhoseLockCannotBeHadStillLetsTheGamePlay)
{
    ASSERT_EQ(mkdir((m_strFolder + "/.lock").c_str(), 0700), 0);
    ASSERT_EQ(chmod(m_strFolder.c_str(), 0555), 0);
    ::testing::internal::CaptureStderr();
    PlayToAHitInTheFirstPass();
    EXPECT_EQ(m_view.m_nBest, 0) << "the best holds in memory";
    EndSleep(m_clock);
    m_thread.WaitUntilEnded();
    EXPECT_EQ(m_view.m_bInGame, 0);
    StartAndWaitInPhase(0);
    EXPECT_EQ(m_thread.GetStatusText(), "Ready") << "a new run starts";
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(BestOnDisk(), -1);
}

} // namespace
