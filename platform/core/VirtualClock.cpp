#include "platform/core/VirtualClock.h"

#include <chrono>

ULONGLONG CVirtualClock::GetTickCount()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_now;
}

BOOL CVirtualClock::SleepFor(DWORD ms, CWakeToken* pToken)
{
    CWakeToken local;
    CWakeToken& token = pToken ? *pToken : local;
    {
        std::lock_guard<std::mutex> tokenLock(token.m_mutex);
        token.m_pClockMutex = &m_mutex;
        token.m_pClockCv = &m_cv;
    }
    BOOL finished;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        Sleeper self{m_now + ms, ms};
        if (m_bAuto && !token.m_bWoken.load())
            m_now = self.wake;
        auto it = m_sleepers.emplace(self.wake, &self);
        m_cv.notify_all(); // WaitForSleepers may be waiting for us
        m_cv.wait(lock, [&] { return m_now >= self.wake || token.m_bWoken.load(); });
        m_sleepers.erase(it);
        finished = m_now >= self.wake && !token.m_bWoken.load();
    }
    std::lock_guard<std::mutex> tokenLock(token.m_mutex);
    token.m_pClockMutex = nullptr;
    token.m_pClockCv = nullptr;
    return finished;
}

void CVirtualClock::Advance(DWORD ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_now += ms;
    m_cv.notify_all();
}

BOOL CVirtualClock::WaitForSleepers(int n, DWORD realTimeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_cv.wait_for(lock, std::chrono::milliseconds(realTimeoutMs), [&] { return int(m_sleepers.size()) >= n; });
}

BOOL CVirtualClock::WaitForPendingSleeper(DWORD realTimeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_cv.wait_for(lock, std::chrono::milliseconds(realTimeoutMs),
                         [&] { return !m_sleepers.empty() && m_sleepers.rbegin()->first > m_now; });
}

BOOL CVirtualClock::AdvanceToNextWake(DWORD realTimeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_cv.wait_for(lock, std::chrono::milliseconds(realTimeoutMs), [&] { return !m_sleepers.empty(); }))
        return FALSE;
    ULONGLONG wake = m_sleepers.begin()->first;
    if (wake > m_now)
        m_now = wake;
    m_cv.notify_all();
    return TRUE;
}

DWORD CVirtualClock::NextSleepLength()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sleepers.empty() ? 0 : m_sleepers.begin()->second->length;
}

int CVirtualClock::GetSleeperCount()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_sleepers.size());
}

void CVirtualClock::SetAutoAdvance(BOOL bAuto)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bAuto = bAuto;
    m_cv.notify_all();
}
