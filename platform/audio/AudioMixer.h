// CAudioMixer: the sounds being played, summed into the device's buffers.
// Any thread queues a sound under a short lock; the audio callback takes the
// queued ones with a try-lock only, so it never waits on a thread that is
// painting or playing the game: a sound queued while the lock is taken starts
// one buffer later. The samples are the caller's and must outlive the sound
// (the program's cues live as long as the program). No SDL here.
//
// Left out: volume, panning, resampling (every sound is at the device's rate).
#pragma once

#include <atomic>
#include <mutex>

#include "platform/core/Types.h"

// One sound: nFrames frames of nChannels (1 or 2) interleaved float samples
// in -1 .. 1 at 48 kHz.
struct PCMSOUND {
    const float* pSamples;
    int nFrames;
    int nChannels;
};

class CAudioMixer {
public:
    static constexpr int kMaxVoices = 8;
    static constexpr int kChannels = 2; // what Mix writes
    // A cut fades playing sounds out over this long, so that it makes no click.
    static constexpr int kCutFadeFrames = 240;

    // Any thread: plays sound after nDelayFrames of silence. FALSE when the
    // sound is empty or malformed, or kMaxVoices are already waiting.
    BOOL Queue(const PCMSOUND& sound, int nDelayFrames = 0);
    // Any thread: forgets waiting sounds and fades out the playing ones.
    void CutAll();
    // Audio callback only: fills nFrames stereo frames at pOut.
    void Mix(float* pOut, int nFrames);
    // Nothing waits and nothing plays (as of the last callback).
    BOOL IsSilent() const;
    // Only while no callback can run (the device closed): forgets the sounds
    // that were playing, and the waiting ones too when bWaiting.
    void Reset(BOOL bWaiting);

    // The callbacks that started a sound, and how long the last one waited
    // from Queue to the callback that began it (microseconds).
    unsigned GetStartCount() const { return m_nStarts.load(); }
    long long GetLastStartDelayUs() const { return m_nLastStartDelayUs.load(); }

private:
    struct VOICE {
        PCMSOUND sound;
        int nPos;       // frames played
        int nDelay;     // frames of silence still to come first
        int nFade;      // frames of the fade-out left; -1 when not fading
        long long nQueuedUs;
    };

    void TakeQueued();
    void StartCut();
    static void MixVoice(VOICE& voice, float* pOut, int nFrames);

    std::mutex m_mutex;
    VOICE m_queued[kMaxVoices]; // guarded by m_mutex
    int m_nQueued = 0;          // guarded by m_mutex
    std::atomic<int> m_nWaiting{0};     // a copy of m_nQueued for IsSilent
    std::atomic<unsigned> m_nCuts{0};   // bumped by CutAll; the callback fades when it changes
    std::atomic<bool> m_bPlaying{false}; // written by the callback

    VOICE m_active[kMaxVoices]; // callback only
    int m_nActive = 0;          // callback only
    unsigned m_nCutsSeen = 0;   // callback only

    std::atomic<unsigned> m_nStarts{0};
    std::atomic<long long> m_nLastStartDelayUs{0};
};
