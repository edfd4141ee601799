// Inside platform/audio: the sound service behind AfxPlaySound (AudioOut.cpp
// takes sounds and ends the service; AudioDevice.cpp runs each device's life).
#pragma once

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/audio/AudioOut.h"


// Each device's life is a thread of its own: it opens the device, plays
// until the silence, stops the callbacks and stops taking sounds, and only
// then closes it. A close can take a sound server a second or more, so the
// next sound never waits for it: it starts the next thread, which opens a
// device of its own beside the closing one.
class CAudioService {
public:
    BOOL Play(const PCMSOUND& sound, DWORD nDelayMs);
    void Stop() { m_mixer.CutAll(); }
    void Term();
    AUDIOSTATE GetState();
    void SetCloseDelay(DWORD nMs);

private:
    static constexpr int kRate = 48000;
    static constexpr Uint16 kBufferFrames = 512;
    static constexpr DWORD kDefaultCloseDelayMs = 1000;
    // How often the open device's thread looks for silence, a loss or an end.
    static constexpr std::chrono::milliseconds kPoll{50};
    static constexpr std::chrono::milliseconds kTermWait{500};
    using Clock = std::chrono::steady_clock;

    // AudioDevice.cpp: one device's life, on a thread of its own.
    void Run();
    SDL_AudioDeviceID Open();
    BOOL PlayUntilSilent(SDL_AudioDeviceID nDevice, std::unique_lock<std::mutex>& lock);
    void Close(SDL_AudioDeviceID nDevice);
    void Report(const char* pszWhat);
    void Trace();
    static void SDLCALL Callback(void* pUserData, Uint8* pStream, int nBytes);

    CAudioMixer m_mixer;          // its callback side is used by one unpaused device at a time
    std::mutex m_sdlMutex;        // SDL_InitSubSystem and SDL_QuitSubSystem count without a lock of their own
    std::mutex m_mutex;
    std::condition_variable m_cv; // wakes the current thread for a sound or the end, and Term as threads end
    BOOL m_bCurrent = FALSE;      // guarded by m_mutex: a thread takes sounds (its device opening or open)
    int m_nThreads = 0;           // guarded by m_mutex: the current thread and those still closing
    BOOL m_bWanted = FALSE;       // guarded by m_mutex: a sound came since the current thread last looked
    BOOL m_bQuit = FALSE;         // guarded by m_mutex
    BOOL m_bReported = FALSE;     // guarded by m_mutex
    DWORD m_nCloseDelayMs = kDefaultCloseDelayMs; // guarded by m_mutex
    int m_nOpens = 0;             // guarded by m_mutex
    int m_nFailures = 0;          // guarded by m_mutex
    unsigned m_nTraced = 0;       // guarded by m_mutex
};

// The one service; never destroyed, since a thread left behind by a hung
// server may still use it as the program exits.
CAudioService& AfxAudioService();
