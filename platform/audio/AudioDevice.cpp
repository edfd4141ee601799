// One device's life on a thread of the sound service: open, play until the
// silence, pause the callbacks, stop taking sounds, close.
#include <string>

#include "platform/audio/AlsaQuiet.h"
#include "platform/audio/AudioService.h"

void CAudioService::Run()
{
    const SDL_AudioDeviceID nDevice = Open();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_bWanted = FALSE;
    const BOOL bLost = nDevice ? PlayUntilSilent(nDevice, lock) : FALSE;
    // No callback runs now (the device paused, or none): the mixer's playing
    // side is free for the next device. Sounds waiting for one that could
    // not play, or that the end cut short, go.
    m_mixer.Reset(!nDevice || bLost || m_bQuit);
    m_bCurrent = FALSE;
    lock.unlock();
    if (bLost)
        Report("the sound device went away");
    if (nDevice)
        Close(nDevice);
    lock.lock();
    --m_nThreads;
    m_cv.notify_all();
}

SDL_AudioDeviceID CAudioService::Open()
{
    AfxQuietAlsa();
    SDL_AudioDeviceID nDevice = 0;
    std::string strError;
    {
        std::lock_guard<std::mutex> sdl(m_sdlMutex);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            strError = SDL_GetError(); // the calling thread's own
    }
    if (strError.empty()) {
        SDL_AudioSpec want;
        SDL_zero(want);
        want.freq = kRate;
        want.format = AUDIO_F32SYS;
        want.channels = CAudioMixer::kChannels;
        want.samples = kBufferFrames;
        want.callback = Callback;
        want.userdata = &m_mixer;
        // No changes allowed: SDL converts to whatever the hardware takes.
        nDevice = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (!nDevice) {
            strError = SDL_GetError();
            std::lock_guard<std::mutex> sdl(m_sdlMutex);
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }
    if (!nDevice) {
        Report(strError.empty() ? "no audio device" : strError.c_str());
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_nFailures;
        return 0;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_nOpens;
    }
    SDL_PauseAudioDevice(nDevice, 0);
    return nDevice;
}

// Lets the device play until it has been silent for the close delay, the
// service ends or the device goes away (TRUE); returns with its callbacks
// stopped. lock holds m_mutex, given up only while SDL is asked to pause.
BOOL CAudioService::PlayUntilSilent(SDL_AudioDeviceID nDevice, std::unique_lock<std::mutex>& lock)
{
    Clock::time_point silentSince = Clock::now();
    BOOL bSilent = FALSE;
    BOOL bLost = FALSE;
    for (;;) {
        m_cv.wait_for(lock, kPoll);
        Trace();
        if (m_bQuit)
            break;
        if (SDL_GetAudioDeviceStatus(nDevice) != SDL_AUDIO_PLAYING) {
            ++m_nFailures;
            bLost = TRUE;
            break;
        }
        if (m_bWanted || !m_mixer.IsSilent()) {
            m_bWanted = FALSE;
            bSilent = FALSE;
            continue;
        }
        if (!bSilent) {
            bSilent = TRUE;
            silentSince = Clock::now();
            continue;
        }
        if (Clock::now() - silentSince < std::chrono::milliseconds(m_nCloseDelayMs))
            continue;
        // Quiet long enough: stop the callbacks, then see that no sound came meanwhile.
        lock.unlock();
        SDL_PauseAudioDevice(nDevice, 1);
        lock.lock();
        if (!m_bWanted && m_mixer.IsSilent())
            return FALSE;
        lock.unlock();
        SDL_PauseAudioDevice(nDevice, 0);
        lock.lock();
        bSilent = FALSE;
    }
    lock.unlock();
    SDL_PauseAudioDevice(nDevice, 1);
    lock.lock();
    return bLost;
}

void CAudioService::Close(SDL_AudioDeviceID nDevice)
{
    // Waits for SDL's audio thread to end.
    SDL_CloseAudioDevice(nDevice);
    std::lock_guard<std::mutex> sdl(m_sdlMutex);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SDLCALL CAudioService::Callback(void* pUserData, Uint8* pStream, int nBytes)
{
    const int nFrames = nBytes / int(sizeof(float) * CAudioMixer::kChannels);
    static_cast<CAudioMixer*>(pUserData)->Mix(reinterpret_cast<float*>(pStream), nFrames);
}

