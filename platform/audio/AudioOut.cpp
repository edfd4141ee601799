#include "platform/audio/AudioOut.h"

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <thread>

#include "platform/audio/AlsaQuiet.h"

namespace {

constexpr int kRate = 48000;
constexpr Uint16 kBufferFrames = 512;
constexpr DWORD kDefaultCloseDelayMs = 1000;
// How often the open device's thread looks for silence, a loss or an end.
constexpr auto kPoll = std::chrono::milliseconds(50);
constexpr auto kTermWait = std::chrono::milliseconds(500);
constexpr const char* kTraceVariable = "QUINDLE_TRACE_AUDIO";

using Clock = std::chrono::steady_clock;

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

// Never destroyed: a thread left behind by a hung server may still use it at exit.
CAudioService& Service()
{
    static CAudioService* s_pService = new CAudioService;
    return *s_pService;
}

bool TraceEnabled()
{
    static const bool s_bEnabled = [] {
        const char* pszTrace = std::getenv(kTraceVariable);
        return pszTrace && std::strcmp(pszTrace, "1") == 0;
    }();
    return s_bEnabled;
}

BOOL CAudioService::Play(const PCMSOUND& sound, DWORD nDelayMs)
{
    if (!m_mixer.Queue(sound, int(nDelayMs * kRate / 1000)))
        return FALSE;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bQuit)
        return TRUE;
    m_bWanted = TRUE;
    if (m_bCurrent) {
        m_cv.notify_all();
        return TRUE;
    }
    try {
        std::thread(&CAudioService::Run, this).detach();
        m_bCurrent = TRUE;
        ++m_nThreads;
    } catch (const std::system_error&) {
        // No thread, no sound; the game goes on.
        m_bWanted = FALSE;
    }
    return TRUE;
}

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

void CAudioService::Report(const char* pszWhat)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bReported)
        return;
    m_bReported = TRUE;
    std::fprintf(stderr, "quindle: no sound: %s\n", pszWhat);
}

// Under m_mutex.
void CAudioService::Trace()
{
    const unsigned nStarts = m_mixer.GetStartCount();
    if (!TraceEnabled() || nStarts == m_nTraced)
        return;
    m_nTraced = nStarts;
    std::fprintf(stderr, "quindle: sound %.1f ms after it was asked for\n",
                 double(m_mixer.GetLastStartDelayUs()) / 1000.0);
}

void CAudioService::Term()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_bQuit = TRUE;
    m_cv.notify_all();
    // Stuck in a sound server: the threads are left behind, with m_bQuit
    // kept so that no sound starts another, and the program may end.
    if (!m_cv.wait_for(lock, kTermWait, [this] { return m_nThreads == 0; }))
        return;
    m_bQuit = FALSE;
    m_bWanted = FALSE;
}

AUDIOSTATE CAudioService::GetState()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return AUDIOSTATE{m_nThreads > 0, m_nOpens, m_nFailures, m_mixer.GetStartCount(), m_mixer.GetLastStartDelayUs()};
}

void CAudioService::SetCloseDelay(DWORD nMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nCloseDelayMs = nMs;
}

void SDLCALL CAudioService::Callback(void* pUserData, Uint8* pStream, int nBytes)
{
    const int nFrames = nBytes / int(sizeof(float) * CAudioMixer::kChannels);
    static_cast<CAudioMixer*>(pUserData)->Mix(reinterpret_cast<float*>(pStream), nFrames);
}

} // namespace

BOOL AfxPlaySound(const PCMSOUND& sound, DWORD nDelayMs)
{
    return Service().Play(sound, nDelayMs);
}

void AfxStopSounds()
{
    Service().Stop();
}

void AfxAudioTerm()
{
    Service().Term();
}

AUDIOSTATE AfxGetAudioState()
{
    return Service().GetState();
}

void AfxSetAudioCloseDelay(DWORD nMs)
{
    Service().SetCloseDelay(nMs);
}
