// The cues as the program makes them: short enough for the phase they sound
// in, peaking just under -6 dBFS, starting and ending in silence with no
// click, and shaped as each moment asks (low and high blips, a falling tone,
// three rising notes).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sound/CueBank.h"

namespace {

constexpr int kFramesPerMs = kSoundRate / 1000;
const float kMinus6dB = std::pow(10.0f, -6.0f / 20.0f);

using Samples = std::vector<float>;

float Peak(const Samples& s, size_t from, size_t to)
{
    float fMax = 0.0f;
    for (size_t i = from; i < to; ++i)
        fMax = std::max(fMax, std::fabs(s[i]));
    return fMax;
}

// Rising zero crossings per millisecond: the fundamental's pitch, roughly, in kHz.
double CrossingRate(const Samples& s, size_t from, size_t to)
{
    int n = 0;
    for (size_t i = from + 1; i < to; ++i)
        n += (s[i - 1] < 0.0f && s[i] >= 0.0f) ? 1 : 0;
    return double(n) * kFramesPerMs / double(to - from);
}

// The stretches between silences of at least 5 ms, as [from, to) pairs.
std::vector<std::pair<size_t, size_t>> Bursts(const Samples& s)
{
    std::vector<std::pair<size_t, size_t>> bursts;
    size_t nQuiet = 0, nStart = 0;
    bool bIn = false;
    for (size_t i = 0; i <= s.size(); ++i) {
        const bool bQuiet = i == s.size() || std::fabs(s[i]) < 1e-4f;
        nQuiet = bQuiet ? nQuiet + 1 : 0;
        if (!bQuiet && !bIn) {
            bIn = true;
            nStart = i;
        } else if (bIn && (nQuiet >= size_t(5 * kFramesPerMs) || i == s.size())) {
            bIn = false;
            bursts.emplace_back(nStart, i - nQuiet + 1);
        }
    }
    return bursts;
}

struct CUESHAPE {
    SOUNDCUE nCue;
    const char* pszName;
    double fMinMs, fMaxMs;
};

class CueBankTest : public ::testing::TestWithParam<CUESHAPE> {
protected:
    const CCueBank& m_bank = CCueBank::Shared();
};

TEST_P(CueBankTest, IsShortPeaksUnderMinus6dBAndStartsAndEndsInSilence)
{
    const Samples& s = m_bank.Get(GetParam().nCue);
    const double fMs = double(s.size()) / kFramesPerMs;
    EXPECT_GE(fMs, GetParam().fMinMs);
    EXPECT_LE(fMs, GetParam().fMaxMs);
    ASSERT_GT(s.size(), size_t(4 * kFramesPerMs));
    const float fPeak = Peak(s, 0, s.size());
    EXPECT_LE(fPeak, kMinus6dB);
    EXPECT_GE(fPeak, 0.4f) << "loud enough to hear";
    EXPECT_EQ(s.front(), 0.0f);
    EXPECT_LT(std::fabs(s.back()), 1e-6f);
    // Ramps, not steps: the first and last millisecond stay well under the peak.
    EXPECT_LT(Peak(s, 0, kFramesPerMs), 0.2f * fPeak);
    EXPECT_LT(Peak(s, s.size() - kFramesPerMs, s.size()), 0.2f * fPeak);
}

INSTANTIATE_TEST_SUITE_P(EachCue, CueBankTest,
                         ::testing::Values(CUESHAPE{CUE_READY, "Ready", 50, 150}, CUESHAPE{CUE_GO, "Go", 50, 200},
                                           CUESHAPE{CUE_GAME_OVER, "GameOver", 300, 800},
                                           CUESHAPE{CUE_GOAL, "Goal", 300, 800},
                                           CUESHAPE{CUE_NEW_BEST, "NewBest", 200, 700}),
                         [](const ::testing::TestParamInfo<CUESHAPE>& info) { return info.param.pszName; });

TEST(CueShapes, EachFitsItsPhaseAndSoundsAsItsMomentAsks)
{
    const CCueBank& bank = CCueBank::Shared();
    // Ready lasts 2 s, Go 0.5 s; the result phase (2 s) holds the longer
    // result cue, a gap and the flourish.
    EXPECT_LT(bank.GetLengthMs(CUE_GO), 500.0);
    EXPECT_LT(std::max(bank.GetLengthMs(CUE_GAME_OVER), bank.GetLengthMs(CUE_GOAL)) + 200.0 +
                  bank.GetLengthMs(CUE_NEW_BEST),
              2000.0);

    const Samples& ready = bank.Get(CUE_READY);
    const Samples& go = bank.Get(CUE_GO);
    EXPECT_GT(CrossingRate(go, 0, go.size()), 1.5 * CrossingRate(ready, 0, ready.size())) << "Go is higher";

    const Samples& over = bank.Get(CUE_GAME_OVER);
    const size_t nThird = over.size() / 3;
    EXPECT_GT(CrossingRate(over, 0, nThird), 1.5 * CrossingRate(over, 2 * nThird, over.size())) << "it falls";

    const Samples& goal = bank.Get(CUE_GOAL);
    const auto notes = Bursts(goal);
    ASSERT_EQ(notes.size(), 3u) << "three notes";
    for (size_t i = 1; i < notes.size(); ++i)
        EXPECT_GT(CrossingRate(goal, notes[i].first, notes[i].second),
                  1.1 * CrossingRate(goal, notes[i - 1].first, notes[i - 1].second))
            << "note " << i << " is higher than the one before";
}

} // namespace
