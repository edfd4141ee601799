// The mixer as the audio callback drives it, buffer by buffer: sounds land on
// both channels sample for sample, after their delay, summed and kept inside
// full scale; a cut drops waiting sounds and fades playing ones out without
// a step; malformed sounds and a full queue are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/audio/AudioMixer.h"

namespace {

constexpr int kChannels = CAudioMixer::kChannels;

class MixerTest : public ::testing::Test {
protected:
    // Mixes nFrames in buffers of nChunk frames and returns the left channel.
    std::vector<float> Run(int nFrames, int nChunk = 100, std::vector<float>* pRight = nullptr)
    {
        std::vector<float> left, buffer(size_t(nChunk) * kChannels);
        for (int n = 0; n < nFrames; n += nChunk) {
            m_mixer.Mix(buffer.data(), nChunk);
            for (int i = 0; i < nChunk; ++i) {
                left.push_back(buffer[size_t(i) * kChannels]);
                if (pRight)
                    pRight->push_back(buffer[size_t(i) * kChannels + 1]);
            }
        }
        return left;
    }
    static std::vector<float> Ramp(int nFrames, float fStep)
    {
        std::vector<float> s;
        for (int i = 0; i < nFrames; ++i)
            s.push_back(fStep * float(i + 1));
        return s;
    }

    CAudioMixer m_mixer;
};

TEST_F(MixerTest, PlaysAMonoSoundOnBothChannelsAfterItsDelayThenFallsSilent)
{
    const std::vector<float> sound = Ramp(250, 0.001f);
    EXPECT_TRUE(m_mixer.IsSilent());
    ASSERT_TRUE(m_mixer.Queue(PCMSOUND{sound.data(), 250, 1}, 130));
    EXPECT_FALSE(m_mixer.IsSilent()) << "waiting counts as sound";
    std::vector<float> right;
    const std::vector<float> left = Run(500, 100, &right);
    for (int i = 0; i < 500; ++i) {
        const float fWant = (i >= 130 && i < 380) ? sound[size_t(i - 130)] : 0.0f;
        ASSERT_EQ(left[size_t(i)], fWant) << "frame " << i;
        ASSERT_EQ(right[size_t(i)], fWant) << "frame " << i;
    }
    EXPECT_TRUE(m_mixer.IsSilent());
    EXPECT_EQ(m_mixer.GetStartCount(), 1u);
}

TEST_F(MixerTest, SumsSoundsTakesStereoAsItIsAndClampsAtFullScale)
{
    const std::vector<float> loud(100, 0.7f);
    const std::vector<float> stereo = {0.1f, -0.2f, 0.1f, -0.2f};
    ASSERT_TRUE(m_mixer.Queue(PCMSOUND{loud.data(), 100, 1}));
    ASSERT_TRUE(m_mixer.Queue(PCMSOUND{loud.data(), 100, 1}));
    ASSERT_TRUE(m_mixer.Queue(PCMSOUND{stereo.data(), 2, 2}));
    std::vector<float> right;
    const std::vector<float> left = Run(100, 100, &right);
    EXPECT_EQ(left[0], 1.0f);
    EXPECT_FLOAT_EQ(right[0], 1.0f);
    EXPECT_EQ(left[50], 1.0f);
    ASSERT_TRUE(m_mixer.Queue(PCMSOUND{stereo.data(), 2, 2}));
    Run(100, 100, &right);
    EXPECT_FLOAT_EQ(right[100], -0.2f) << "the right channel of a stereo sound";
}

TEST_F(MixerTest, ACutDropsWaitingSoundsAndFadesPlayingOnesWithoutAStep)
{
    const std::vector<float> tone(48000, 0.5f);
    ASSERT_TRUE(m_mixer.Queue(PCMSOUND{tone.data(), 48000, 1}));
    Run(1000);
    ASSERT_TRUE(m_mixer.Queue(PCMSOUND{tone.data(), 48000, 1}, 2000));
    m_mixer.CutAll();
    const std::vector<float> after = Run(2000);
    for (size_t i = 1; i < after.size(); ++i)
        ASSERT_LE(std::fabs(after[i] - after[i - 1]), 0.5f / CAudioMixer::kCutFadeFrames + 1e-6f) << "frame " << i;
    EXPECT_GT(after[0], 0.49f);
    EXPECT_EQ(after[CAudioMixer::kCutFadeFrames], 0.0f);
    EXPECT_EQ(after.back(), 0.0f) << "the waiting sound never starts";
    EXPECT_TRUE(m_mixer.IsSilent());
}

TEST_F(MixerTest, RefusesMalformedSoundsAndMoreThanItCanHoldWaiting)
{
    const std::vector<float> s(10, 0.1f);
    EXPECT_FALSE(m_mixer.Queue(PCMSOUND{nullptr, 10, 1}));
    EXPECT_FALSE(m_mixer.Queue(PCMSOUND{s.data(), 0, 1}));
    EXPECT_FALSE(m_mixer.Queue(PCMSOUND{s.data(), 5, 3}));
    for (int i = 0; i < CAudioMixer::kMaxVoices; ++i)
        EXPECT_TRUE(m_mixer.Queue(PCMSOUND{s.data(), 10, 1}));
    EXPECT_FALSE(m_mixer.Queue(PCMSOUND{s.data(), 10, 1}));
    m_mixer.Reset(TRUE);
    EXPECT_TRUE(m_mixer.IsSilent());
    EXPECT_TRUE(m_mixer.Queue(PCMSOUND{s.data(), 10, 1}));
}

} // namespace
