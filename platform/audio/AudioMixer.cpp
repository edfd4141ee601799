#include "platform/audio/AudioMixer.h"

#include <algorithm>
#include <chrono>

namespace {

long long NowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

BOOL CAudioMixer::Queue(const PCMSOUND& sound, int nDelayFrames)
{
    if (!sound.pSamples || sound.nFrames <= 0 || (sound.nChannels != 1 && sound.nChannels != 2))
        return FALSE;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_nQueued == kMaxVoices)
        return FALSE;
    m_queued[m_nQueued++] = VOICE{sound, 0, std::max(0, nDelayFrames), -1, NowUs()};
    m_nWaiting.store(m_nQueued);
    return TRUE;
}

void CAudioMixer::CutAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nQueued = 0;
    m_nWaiting.store(0);
    m_nCuts.fetch_add(1);
}

BOOL CAudioMixer::IsSilent() const
{
    return m_nWaiting.load() == 0 && !m_bPlaying.load();
}

void CAudioMixer::Reset(BOOL bWaiting)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (bWaiting) {
        m_nQueued = 0;
        m_nWaiting.store(0);
    }
    m_nActive = 0;
    m_nCutsSeen = m_nCuts.load();
    m_bPlaying.store(false);
}

void CAudioMixer::Mix(float* pOut, int nFrames)
{
    std::fill(pOut, pOut + size_t(nFrames) * kChannels, 0.0f);
    if (m_nCuts.load() != m_nCutsSeen)
        StartCut();
    TakeQueued();
    int nKept = 0;
    for (int i = 0; i < m_nActive; ++i) {
        MixVoice(m_active[i], pOut, nFrames);
        const VOICE& v = m_active[i];
        if (v.nPos < v.sound.nFrames && v.nFade != 0)
            m_active[nKept++] = v;
    }
    m_nActive = nKept;
    for (float* p = pOut; p != pOut + size_t(nFrames) * kChannels; ++p)
        *p = std::clamp(*p, -1.0f, 1.0f);
    m_bPlaying.store(m_nActive > 0);
}

// Never waits: when an asker holds the lock, its sound starts with the next buffer.
void CAudioMixer::TakeQueued()
{
    std::unique_lock<std::mutex> lock(m_mutex, std::try_to_lock);
    if (!lock.owns_lock() || m_nQueued == 0)
        return;
    const long long nNow = NowUs();
    for (int i = 0; i < m_nQueued && m_nActive < kMaxVoices; ++i) {
        m_active[m_nActive++] = m_queued[i];
        if (m_queued[i].nDelay == 0)
            m_nLastStartDelayUs.store(nNow - m_queued[i].nQueuedUs);
    }
    m_nStarts.fetch_add(1);
    // Playing before no longer waiting: IsSilent never sees a gap between the two.
    m_bPlaying.store(true);
    m_nQueued = 0;
    m_nWaiting.store(0);
}

void CAudioMixer::StartCut()
{
    m_nCutsSeen = m_nCuts.load();
    for (int i = 0; i < m_nActive; ++i) {
        if (m_active[i].nFade < 0)
            m_active[i].nFade = kCutFadeFrames;
    }
}

void CAudioMixer::MixVoice(VOICE& v, float* pOut, int nFrames)
{
    int nFrame = std::min(v.nDelay, nFrames);
    v.nDelay -= nFrame;
    for (; nFrame < nFrames && v.nPos < v.sound.nFrames && v.nFade != 0; ++nFrame, ++v.nPos) {
        const float* pIn = v.sound.pSamples + size_t(v.nPos) * size_t(v.sound.nChannels);
        float fGain = 1.0f;
        if (v.nFade > 0)
            fGain = float(--v.nFade) / float(kCutFadeFrames);
        pOut[nFrame * kChannels] += pIn[0] * fGain;
        pOut[nFrame * kChannels + 1] += pIn[v.sound.nChannels - 1] * fGain;
    }
}
