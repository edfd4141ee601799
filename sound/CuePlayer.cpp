#include "sound/CuePlayer.h"

#include "platform/audio/AudioOut.h"
#include "platform/core/StartupGate.h"
#include "platform/core/Thread.h"
#include "sound/CueBank.h"

namespace {

// Between the result's cue and the flourish.
constexpr double kFlourishGapMs = 120.0;
// The longest the cues wait for the first picture before they are made anyway.
constexpr DWORD kCuesWaitMs = 2000;

UINT MakeCues(void*)
{
    AfxGetStartupGate().Wait(kCuesWaitMs);
    CCueBank::Shared();
    return 0;
}

} // namespace

CCuePlayer::CCuePlayer() : m_soundOn(TRUE), m_nLastResult(CUE_GOAL)
{
    // Made once the window shows its first picture (about 8 ms of a core),
    // not at the first moment of the first run; a cue asked for sooner
    // makes them itself, or waits while they are being made.
    static const bool s_bStarted = AfxBeginThread(MakeCues, nullptr) != nullptr;
    (void)s_bStarted;
}

void CCuePlayer::Open(const CString& strPath)
{
    m_soundOn.Open(strPath);
}

void CCuePlayer::SetSoundOn(BOOL bOn)
{
    m_soundOn.Set(bOn);
    if (!bOn)
        AfxStopSounds();
}

void CCuePlayer::PlayCue(SOUNDCUE nCue)
{
    if (!IsSoundOn() || nCue < 0 || nCue >= CUE_COUNT)
        return;
    const CCueBank& bank = CCueBank::Shared();
    DWORD nDelayMs = 0;
    if (nCue == CUE_GAME_OVER || nCue == CUE_GOAL)
        m_nLastResult = nCue;
    else if (nCue == CUE_NEW_BEST)
        nDelayMs = DWORD(bank.GetLengthMs(SOUNDCUE(int(m_nLastResult))) + kFlourishGapMs);
    const std::vector<float>& samples = bank.Get(nCue);
    AfxPlaySound(PCMSOUND{samples.data(), int(samples.size()), 1}, nDelayMs);
}
