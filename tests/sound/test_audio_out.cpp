// The sound device's life on SDL's dummy driver (real time, but short): it
// opens on a sound, plays it, stays open through more sounds, closes after
// the silence with nothing of it left running, and ends at once when the
// program does. With no driver, and with a device that goes away mid-sound
// (SDL's disk driver writing to /dev/full), the sounds are dropped, the
// device closes and stderr gets one line in all.
#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <cstdlib>
#include <list>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio/AudioOut.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kCloseDelayMs = 100;

int ThreadCount()
{
    int n = 0;
    if (DIR* pDir = opendir("/proc/self/task")) {
        while (dirent* pEntry = readdir(pDir))
            n += pEntry->d_name[0] != '.';
        closedir(pDir);
    }
    return n;
}

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

bool Closed()
{
    return !AfxGetAudioState().bThreadRunning;
}

class AudioOutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        AfxAudioTerm();
        AfxSetAudioCloseDelay(kCloseDelayMs);
        // A sanitizer starts a helper thread of its own with the first thread: let it.
        std::thread([] {}).join();
        m_nThreads = ThreadCount();
        m_before = AfxGetAudioState();
    }
    void TearDown() override
    {
        AfxAudioTerm();
        AfxSetAudioCloseDelay(1000);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    // A sound's samples live as long as the test: the device may still be reading them.
    PCMSOUND Sound(int nMs)
    {
        m_samples.emplace_back(size_t(nMs) * 48, 0.25f);
        return PCMSOUND{m_samples.back().data(), int(m_samples.back().size()), 1};
    }
    bool Started(unsigned nMore = 1) { return AfxGetAudioState().nStarts >= m_before.nStarts + nMore; }
    void ExpectNothingLeft()
    {
        EXPECT_TRUE(Closed());
        EXPECT_FALSE(AfxGetAudioState().bDriverUp);
        // The service's last thread has said it is done; it may take a moment to be gone.
        // The count before may have held the last test's, on its way out then.
        EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= m_nThreads; }, 1000))
            << ThreadCount() << " threads, " << m_nThreads << " before: an audio thread is left";
    }

    int m_nThreads = 0;
    AUDIOSTATE m_before{};
    std::list<std::vector<float>> m_samples;
};

TEST_F(AudioOutTest, OpensOnASoundKeepsOneDeviceForMoreAndClosesAfterTheSilence)
{
    EXPECT_TRUE(Closed()) << "nothing runs before a sound";
    ASSERT_TRUE(AfxPlaySound(Sound(30)));
    ASSERT_TRUE(WaitUntil([&] { return Started(); }));
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(AfxGetAudioState().bDriverUp);
    EXPECT_GT(ThreadCount(), m_nThreads);
    ASSERT_TRUE(AfxPlaySound(Sound(30)));
    ASSERT_TRUE(WaitUntil([&] { return Started(2); }));
    const auto lastStart = Clock::now();
    ASSERT_TRUE(WaitUntil(Closed));
    EXPECT_GE(Clock::now() - lastStart, std::chrono::milliseconds(30 + kCloseDelayMs)) << "open through the silence";
    EXPECT_EQ(AfxGetAudioState().nOpens, m_before.nOpens + 1);
    ExpectNothingLeft();
    // Its speed is the benchmark's to measure; here only that it does not
    // stall behind something else, on a busy machine too.
    EXPECT_LT(AfxGetAudioState().nLastStartDelayUs, 250000) << "a sound starts within a few buffers";

    ASSERT_TRUE(AfxPlaySound(Sound(10)));
    ASSERT_TRUE(WaitUntil([&] { return Started(3); }));
    EXPECT_EQ(AfxGetAudioState().nOpens, m_before.nOpens + 2) << "a later sound opens it again";
}

TEST_F(AudioOutTest, EndingTheProgramWhileASoundPlaysClosesAtOnce)
{
    ASSERT_TRUE(AfxPlaySound(Sound(3000)));
    ASSERT_TRUE(WaitUntil([&] { return Started(); }));
    const auto t0 = Clock::now();
    AfxAudioTerm();
    EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(1000)) << "the sound lasts 3 s";
    ExpectNothingLeft();
}

TEST_F(AudioOutTest, NoDriverAndALostDeviceAreSilenceWithOneLineInAll)
{
    ::testing::internal::CaptureStderr();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(AfxPlaySound(Sound(20)));
        EXPECT_TRUE(WaitUntil([&] { return AfxGetAudioState().nFailures == m_before.nFailures + i + 1 && Closed(); }));
    }
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/full", 1);
    AfxPlaySound(Sound(3000));
    const auto t0 = Clock::now();
    EXPECT_TRUE(WaitUntil([&] { return AfxGetAudioState().nFailures == m_before.nFailures + 3 && Closed(); }));
    EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(2000)) << "closed long before the sound would end";
    unsetenv("SDL_DISKAUDIOFILE");
    std::istringstream err(::testing::internal::GetCapturedStderr());
    std::vector<std::string> ours;
    for (std::string line; std::getline(err, line);) {
        if (line.rfind("quindle:", 0) == 0)
            ours.push_back(line);
    }
    ASSERT_EQ(ours.size(), 1u);
    EXPECT_EQ(ours[0], "quindle: no sound: Audio target 'no-such-driver' not available");
    ExpectNothingLeft();
}

} // namespace
