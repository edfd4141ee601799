#include "sound/CueBank.h"

namespace {

// Notes, in Hz.
constexpr double kG4 = 392.0, kC5 = 523.25, kE5 = 659.26, kG5 = 783.99, kC6 = 1046.5, kE6 = 1318.5,
                 kG6 = 1568.0, kC7 = 2093.0, kD3 = 146.83, kA4 = 440.0;

constexpr double kBlipMs = 90.0;
constexpr double kRampMs = 8.0;
constexpr double kNoteMs = 110.0;
constexpr double kNoteStepMs = 130.0;
constexpr double kFlourishStepMs = 60.0;

std::vector<float> Make(std::initializer_list<TONE> tones)
{
    std::vector<float> samples;
    for (const TONE& tone : tones)
        AfxAddTone(&samples, tone);
    AfxScaleToPeak(&samples, kCuePeak);
    return samples;
}

} // namespace

CCueBank::CCueBank()
{
    m_cues[CUE_READY] = Make({{0, kBlipMs, kG4, kG4, kRampMs, 30}});
    m_cues[CUE_GO] = Make({{0, kBlipMs + 40, kG5, kG5, kRampMs, 40}});
    m_cues[CUE_GAME_OVER] = Make({{0, 600, kA4, kD3, 15, 150}});
    m_cues[CUE_GOAL] = Make({{0, kNoteMs, kC5, kC5, kRampMs, 30},
                             {kNoteStepMs, kNoteMs, kE5, kE5, kRampMs, 30},
                             {2 * kNoteStepMs, kNoteMs + 90, kG5, kG5, kRampMs, 80}});
    m_cues[CUE_NEW_BEST] = Make({{0, 70, kC6, kC6, 5, 25},
                                 {kFlourishStepMs, 70, kE6, kE6, 5, 25},
                                 {2 * kFlourishStepMs, 70, kG6, kG6, 5, 25},
                                 {3 * kFlourishStepMs, 220, kC7, kC7, 5, 120}});
}

const CCueBank& CCueBank::Shared()
{
    static const CCueBank* s_pBank = new CCueBank;
    return *s_pBank;
}
