#include "platform/audio/AudioOut.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

#include "platform/audio/AudioService.h"

namespace {

constexpr const char* kAudioTraceVariable = "QUINDLE_TRACE_AUDIO";

bool AudioTraceEnabled()
{
    static const bool s_bEnabled = [] {
        const char* pszTrace = std::getenv(kAudioTraceVariable);
        return pszTrace && std::strcmp(pszTrace, "1") == 0;
    }();
    return s_bEnabled;
}

} // namespace

CAudioService& AfxAudioService()
{
    static CAudioService* s_pService = new CAudioService;
    return *s_pService;
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
    if (!AudioTraceEnabled() || nStarts == m_nTraced)
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
    BOOL bDriverUp = FALSE;
    {
        std::lock_guard<std::mutex> sdl(m_sdlMutex);
        bDriverUp = SDL_WasInit(SDL_INIT_AUDIO) != 0;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return AUDIOSTATE{m_nThreads > 0,  bDriverUp,
                      m_nOpens,       m_nFailures,
                      m_mixer.GetStartCount(), m_mixer.GetLastStartDelayUs()};
}

void CAudioService::SetCloseDelay(DWORD nMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nCloseDelayMs = nMs;
}


BOOL AfxPlaySound(const PCMSOUND& sound, DWORD nDelayMs)
{
    return AfxAudioService().Play(sound, nDelayMs);
}

void AfxStopSounds()
{
    AfxAudioService().Stop();
}

void AfxAudioTerm()
{
    AfxAudioService().Term();
}

AUDIOSTATE AfxGetAudioState()
{
    return AfxAudioService().GetState();
}

void AfxSetAudioCloseDelay(DWORD nMs)
{
    AfxAudioService().SetCloseDelay(nMs);
}
