#include "platform/audio/AudioOut.h"

#include <SDL.h>
#include <dlfcn.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

namespace {

constexpr int kRate = 48000;
constexpr Uint16 kBufferFrames = 512;
constexpr DWORD kDefaultCloseDelayMs = 1000;
// How often the open device's thread looks for silence, a loss or an end.
constexpr auto kPoll = std::chrono::milliseconds(50);
constexpr auto kTermWait = std::chrono::milliseconds(1000);
constexpr const char* kTraceVariable = "QUINDLE_TRACE_AUDIO";

using Clock = std::chrono::steady_clock;

class CAudioService {
public:
    BOOL Play(const PCMSOUND& sound, DWORD nDelayMs);
    void Stop() { m_mixer.CutAll(); }
    void Term();
    AUDIOSTATE GetState();
    void SetCloseDelay(DWORD nMs);

private:
    void Run();
    void PlayUntilSilent();
    SDL_AudioDeviceID Open();
    void Close(SDL_AudioDeviceID nDevice, BOOL bDropWaiting);
    void Report(const char* pszWhat);
    void Trace();
    static void SDLCALL Callback(void* pUserData, Uint8* pStream, int nBytes);

    CAudioMixer m_mixer;
    std::mutex m_mutex;
    std::condition_variable m_cv; // wakes the thread for a sound or the end, and Term when it has ended
    std::thread m_thread;         // guarded by m_mutex
    BOOL m_bAlive = FALSE;        // guarded by m_mutex: m_thread has work or is finishing it
    BOOL m_bWanted = FALSE;       // guarded by m_mutex: a sound came since the thread last looked
    BOOL m_bQuit = FALSE;         // guarded by m_mutex
    BOOL m_bReported = FALSE;     // the service's thread only
    DWORD m_nCloseDelayMs = kDefaultCloseDelayMs; // guarded by m_mutex
    int m_nOpens = 0;             // guarded by m_mutex
    int m_nFailures = 0;          // guarded by m_mutex
    unsigned m_nTraced = 0;       // the service's thread only
};

// Never destroyed: a thread left behind by a hung server may still use it at exit.
CAudioService& Service()
{
    static CAudioService* s_pService = new CAudioService;
    return *s_pService;
}

// libasound prints its own errors on stderr, eight lines when there is no
// sound card; the one line that says why there is no sound is ours. It is
// loaded here only if it is installed (SDL loads it the same way).
void AlsaQuiet(const char*, int, const char*, int, const char*, ...) {}

void QuietAlsa()
{
    static const bool s_bDone = [] {
        void* pLibrary = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        typedef int (*SETHANDLER)(void (*)(const char*, int, const char*, int, const char*, ...));
        auto pSet = pLibrary ? reinterpret_cast<SETHANDLER>(dlsym(pLibrary, "snd_lib_error_set_handler")) : nullptr;
        if (pSet)
            pSet(AlsaQuiet);
        return true; // the library stays loaded, with the handler set
    }();
    (void)s_bDone;
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
    if (m_bAlive) {
        m_cv.notify_all();
        return TRUE;
    }
    // The last thread has said it is done: joining it takes no time.
    if (m_thread.joinable())
        m_thread.join();
    try {
        m_thread = std::thread(&CAudioService::Run, this);
        m_bAlive = TRUE;
    } catch (const std::system_error&) {
        // No thread, no sound; the game goes on.
        m_bWanted = FALSE;
    }
    return TRUE;
}

void CAudioService::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (m_bWanted && !m_bQuit) {
        m_bWanted = FALSE;
        lock.unlock();
        PlayUntilSilent();
        lock.lock();
    }
    m_bAlive = FALSE;
    m_cv.notify_all();
}

// Opens the device, lets it play until it has been silent for the close
// delay (or the service ends, or the device goes away), and closes it.
void CAudioService::PlayUntilSilent()
{
    const SDL_AudioDeviceID nDevice = Open();
    if (!nDevice)
        return;
    std::unique_lock<std::mutex> lock(m_mutex);
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
        } else if (!bSilent) {
            bSilent = TRUE;
            silentSince = Clock::now();
        } else if (Clock::now() - silentSince >= std::chrono::milliseconds(m_nCloseDelayMs)) {
            break;
        }
    }
    const BOOL bDrop = bLost || m_bQuit;
    lock.unlock();
    if (bLost)
        Report("the sound device went away");
    Close(nDevice, bDrop);
}

SDL_AudioDeviceID CAudioService::Open()
{
    SDL_AudioDeviceID nDevice = 0;
    QuietAlsa();
    // SDL's error text is the calling thread's own.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
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
        if (!nDevice)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (!nDevice) {
        // What was asked for cannot play; later sounds try again.
        m_mixer.Reset(TRUE);
        Report(SDL_GetError());
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!nDevice) {
        ++m_nFailures;
        return 0;
    }
    ++m_nOpens;
    SDL_PauseAudioDevice(nDevice, 0);
    return nDevice;
}

void CAudioService::Close(SDL_AudioDeviceID nDevice, BOOL bDropWaiting)
{
    // Waits for SDL's audio thread to end: after this no callback runs.
    SDL_CloseAudioDevice(nDevice);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    // A sound asked for while closing stays queued for the next device;
    // those cut short by a loss or the end are dropped.
    m_mixer.Reset(bDropWaiting);
}

void CAudioService::Report(const char* pszWhat)
{
    if (m_bReported)
        return;
    m_bReported = TRUE;
    std::fprintf(stderr, "quindle: no sound: %s\n", pszWhat && *pszWhat ? pszWhat : "no audio device");
}

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
    if (!m_cv.wait_for(lock, kTermWait, [this] { return !m_bAlive; })) {
        // Stuck in the sound server: leave it behind, with m_bQuit kept so
        // that no sound starts another.
        m_thread.detach();
        return;
    }
    if (m_thread.joinable())
        m_thread.join();
    m_bQuit = FALSE;
    m_bWanted = FALSE;
}

AUDIOSTATE CAudioService::GetState()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return AUDIOSTATE{m_bAlive, m_nOpens, m_nFailures, m_mixer.GetStartCount(), m_mixer.GetLastStartDelayUs()};
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
