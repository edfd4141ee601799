#include "platform/core/StartupGate.h"

#include <chrono>

void CStartupGate::Open()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bOpen = true;
    }
    m_opened.notify_all();
}

BOOL CStartupGate::IsOpen() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bOpen;
}

BOOL CStartupGate::Wait(DWORD nMaxMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_opened.wait_for(lock, std::chrono::milliseconds(nMaxMs), [this] { return m_bOpen; });
}

CStartupGate& AfxGetStartupGate()
{
    static CStartupGate* pGate = new CStartupGate;
    return *pGate;
}
