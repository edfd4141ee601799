// The cue player over the real sound service (SDL's dummy driver): with the
// sound on a cue opens the device, with it off nothing does, turning it off
// silences what plays, and the choice is kept in its state file between
// programs (a file that says nothing sensible leaves the sound on).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/audio/AudioOut.h"
#include "sound/CueBank.h"
#include "sound/CuePlayer.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class F>
bool WaitUntil(F ready, int nMs = 3000)
{
    const auto end = Clock::now() + std::chrono::milliseconds(nMs);
    while (!ready()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

class CuePlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        AfxAudioTerm();
        AfxSetAudioCloseDelay(100);
        char szDir[] = "/tmp/quindle-sound-test.XXXXXX";
        ASSERT_NE(mkdtemp(szDir), nullptr);
        m_dir = szDir;
        m_strPath = CString((m_dir / "sound").c_str());
    }
    void TearDown() override
    {
        AfxAudioTerm();
        AfxSetAudioCloseDelay(1000);
        std::filesystem::remove_all(m_dir);
    }
    std::string FileText()
    {
        std::ifstream in(m_strPath.Str());
        std::string text;
        std::getline(in, text);
        return text;
    }

    std::filesystem::path m_dir;
    CString m_strPath;
};

TEST_F(CuePlayerTest, PlaysWhenOnNothingWhenOffAndTurningOffSilencesWhatPlays)
{
    CCuePlayer player;
    player.Open(m_strPath);
    EXPECT_TRUE(player.IsSoundOn()) << "on until the player says otherwise";
    const AUDIOSTATE before = AfxGetAudioState();
    player.SetSoundOn(FALSE);
    for (int nCue = 0; nCue < CUE_COUNT; ++nCue)
        player.PlayCue(SOUNDCUE(nCue));
    EXPECT_FALSE(AfxGetAudioState().bThreadRunning);
    EXPECT_EQ(AfxGetAudioState().nOpens, before.nOpens);

    player.SetSoundOn(TRUE);
    player.PlayCue(CUE_GAME_OVER);
    ASSERT_TRUE(WaitUntil([&] { return AfxGetAudioState().nStarts > before.nStarts; }));
    const auto t0 = Clock::now();
    player.SetSoundOn(FALSE);
    ASSERT_TRUE(WaitUntil([] { return !AfxGetAudioState().bThreadRunning; }));
    // Played out, the falling tone and the close delay would take 700 ms.
    EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(int(CCueBank::Shared().GetLengthMs(CUE_GAME_OVER))));
}

TEST_F(CuePlayerTest, TheChoiceIsKeptForTheNextProgramAndNonsenseLeavesItOn)
{
    {
        CCuePlayer player;
        player.Open(m_strPath);
        player.SetSoundOn(FALSE);
    } // waits for its write
    EXPECT_EQ(FileText(), "0");
    {
        CCuePlayer next;
        next.Open(m_strPath);
        EXPECT_FALSE(next.IsSoundOn());
        next.SetSoundOn(TRUE);
        next.SetSoundOn(FALSE);
        next.SetSoundOn(TRUE);
    }
    EXPECT_EQ(FileText(), "1") << "the last of quick changes wins";
    for (const char* pszText : {"7\n", "-1\n", "on\n"}) {
        std::ofstream(m_strPath.Str()) << pszText;
        CCuePlayer player;
        player.Open(m_strPath);
        EXPECT_TRUE(player.IsSoundOn()) << pszText;
    }
}

} // namespace
