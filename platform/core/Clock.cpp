#include "platform/core/Clock.h"

#include <chrono>

void CWakeToken::Wake()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bWoken.store(true);
    m_cv.notify_all();
    if (m_pClockMutex) {
        std::lock_guard<std::mutex> clockLock(*m_pClockMutex);
        m_pClockCv->notify_all();
    }
}

void CWakeToken::Rearm()
{
    m_bWoken.store(false);
}

ULONGLONG CRealClock::GetTickCount()
{
    using namespace std::chrono;
    return ULONGLONG(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

BOOL CRealClock::SleepFor(DWORD ms, CWakeToken* pToken)
{
    CWakeToken local;
    CWakeToken& token = pToken ? *pToken : local;
    std::unique_lock<std::mutex> lock(token.m_mutex);
    bool woken = token.m_cv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return token.m_bWoken.load(); });
    return woken ? FALSE : TRUE;
}

namespace {
CRealClock g_realClock;
std::atomic<CClock*> g_pClock{nullptr};
} // namespace

CClock& AfxGetClock()
{
    CClock* p = g_pClock.load();
    return p ? *p : g_realClock;
}

void AfxSetClock(CClock* pClock)
{
    g_pClock.store(pClock);
}

void Sleep(DWORD ms)
{
    AfxGetClock().SleepFor(ms, nullptr);
}
