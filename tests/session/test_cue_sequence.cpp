// Which cue sounds at which moment of whole runs, on the virtual clock:
// Ready, Go!! and the result once each as their text appears, the flourish
// right after the result only when the run beat the best (a first best of 0
// does not count), nothing for a stop, nothing more for a pause, and nothing
// at all from a player whose sound is off.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "GameSessionTest.h"
#include "platform/audio/AudioOut.h"
#include "platform/core/StateFile.h"
#include "sound/CuePlayer.h"

namespace {

using CueAt = std::pair<SOUNDCUE, ULONGLONG>;
using Cues = std::vector<CueAt>;

class CRecordingCues : public CCueSink {
public:
    explicit CRecordingCues(CClock& clock) : m_clock(clock) {}
    void PlayCue(SOUNDCUE nCue) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cues.emplace_back(nCue, m_clock.GetTickCount());
    }
    Cues Take()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_cues, Cues());
    }

private:
    CClock& m_clock;
    std::mutex m_mutex;
    Cues m_cues;
};

class CueSequence : public CGameSessionTest<CWaitedGameThread> {
protected:
    CueSequence() { m_thread.m_pCues = &m_cues; }

    void PlaceAll(int x, int y)
    {
        for (int i = 0; i < m_view.GetObstacleCount(); ++i)
            m_view.m_obstacles.GetAt(i)->SetPos(x, y);
    }
    // Starts a run and plays it to its end: every obstacle gone past the
    // player (a Goal with 300 passed), or one hitting it in the first pass
    // with none passed (Game Over with 0).
    void PlayRun(bool bGoal)
    {
        StartClick();
        ASSERT_EQ(WaitForSleep(m_clock), kReadyMs);
        PlaceAll(bGoal ? -1000 : 400, 50);
        if (!bGoal)
            m_view.m_obstacles.GetAt(0)->SetPos(kPlayerX + 16, kPlayerY + 2);
        while (m_clock.WaitForPendingSleeper(2000) && m_thread.GetStatusText() != (bGoal ? "Goal!!" : "Game Over!!"))
            m_clock.AdvanceToNextWake();
        EndSleep(m_clock);
        m_thread.WaitUntilEnded();
    }

    // Waits (in real time) until the run sleeps for nLength ms.
    bool WaitForSleepOf(DWORD nLength)
    {
        for (int i = 0; i < 1000; ++i) {
            if (m_clock.WaitForPendingSleeper(100) && m_clock.NextSleepLength() == nLength)
                return true;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return false;
    }

    CRecordingCues m_cues{m_clock};
};

TEST_F(CueSequence, WholeRunsSoundEachMomentOnceAndTheFlourishOnlyForANewBest)
{
    PlayRun(false);
    EXPECT_EQ(m_cues.Take(), (Cues{{CUE_READY, 0}, {CUE_GO, kReadyMs}, {CUE_GAME_OVER, kFirstPassAt}}))
        << "the first best, 0, is no new best to celebrate";

    ULONGLONG t0 = m_clock.GetTickCount();
    PlayRun(true);
    EXPECT_EQ(m_cues.Take(), (Cues{{CUE_READY, t0},
                                   {CUE_GO, t0 + kReadyMs},
                                   {CUE_GOAL, t0 + kFirstPassAt},
                                   {CUE_NEW_BEST, t0 + kFirstPassAt}}));

    t0 = m_clock.GetTickCount();
    PlayRun(true);
    EXPECT_EQ(m_cues.Take(), (Cues{{CUE_READY, t0}, {CUE_GO, t0 + kReadyMs}, {CUE_GOAL, t0 + kFirstPassAt}}))
        << "the same score again is not a new best";
}

TEST_F(CueSequence, NoFlourishForABestThatAnotherCopyHadBeaten)
{
    char szFolder[] = "/tmp/quindle-cues.XXXXXX";
    ASSERT_NE(mkdtemp(szFolder), nullptr);
    const std::string path = std::string(szFolder) + "/best";
    m_thread.OpenBest(CString(path));
    ASSERT_TRUE(CStateFile(CString(path)).WriteInt(1000));
    PlayRun(true);
    EXPECT_EQ(m_cues.Take(), (Cues{{CUE_READY, 0}, {CUE_GO, kReadyMs}, {CUE_GOAL, kFirstPassAt}}));
    EXPECT_EQ(m_view.m_nBest, 1000);
    std::error_code error;
    std::filesystem::remove_all(szFolder, error);
}

TEST_F(CueSequence, APauseDelaysGoAndAStopEndsTheCuesWithNoResult)
{
    StartClick();
    ASSERT_EQ(WaitForSleep(m_clock), kReadyMs);
    PlaceAll(400, 50);
    m_clock.Advance(500);
    ASSERT_EQ(m_thread.PauseGame(), 1);
    ASSERT_TRUE(WaitForSleepOf(kHoldPollMs));
    m_clock.Advance(1000);
    ASSERT_TRUE(WaitForSleepOf(kHoldPollMs));
    EXPECT_EQ(m_cues.Take(), (Cues{{CUE_READY, 0}})) << "nothing while paused";
    m_thread.Resume();
    ASSERT_TRUE(WaitForSleepOf(kReadyMs - 500));
    EndSleep(m_clock);
    ASSERT_EQ(WaitForSleep(m_clock), kGoMs);
    EXPECT_EQ(m_cues.Take(), (Cues{{CUE_GO, kReadyMs + 1000}})) << "Go after the Ready time the pause left";

    EndSleep(m_clock);
    ASSERT_EQ(WaitForSleep(m_clock), kFrameMs);
    m_view.m_bInGame = 0;
    m_thread.Stop();
    EndSleep(m_clock);
    m_thread.WaitUntilEnded();
    EXPECT_EQ(m_cues.Take(), Cues()) << "a stopped run has no result to sound";
}

TEST_F(CueSequence, APlayerWithTheSoundOffOpensNoDeviceForAWholeRun)
{
    AfxAudioTerm();
    CCuePlayer player;
    m_thread.m_pCues = &player;
    const AUDIOSTATE before = AfxGetAudioState();
    player.SetSoundOn(FALSE);
    PlayRun(true);
    EXPECT_FALSE(AfxGetAudioState().bThreadRunning);
    EXPECT_EQ(AfxGetAudioState().nOpens, before.nOpens);
    EXPECT_EQ(AfxGetAudioState().nFailures, before.nFailures);

    player.SetSoundOn(TRUE);
    PlayRun(true);
    // The device's own thread works in real time: give it a moment to open.
    for (int i = 0; i < 1000 && AfxGetAudioState().nOpens + AfxGetAudioState().nFailures == before.nOpens + before.nFailures; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_GT(AfxGetAudioState().nOpens + AfxGetAudioState().nFailures, before.nOpens + before.nFailures);
    AfxAudioTerm();
}

} // namespace
