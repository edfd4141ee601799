// Abandonment: a Start or a destruction that finds a run still inside
// ThreadProc ends it at its next wait and waits until it has left.
#include "session/WorkerThread.h"

namespace {
constexpr int kCancelCode = -1; // what a cancelled Main is thrown out with
} // namespace

void CWorkerThread::Cancel()
{
    OnStop();
    m_bStop = 0;
    throw int(kCancelCode);
}

BOOL CWorkerThread::IsAbandoned() const
{
    return m_bAbandoned != 0;
}

void CWorkerThread::ThrowIfAbandoned()
{
    if (IsAbandoned())
        Cancel();
}

void CWorkerThread::AbandonAndWait()
{
    if (!IsInThreadProc())
        return;
    {
        // Taken with the status lock so that no status text lands after this.
        CSingleLock lock(&m_csStatus, TRUE);
        m_bAbandoned = 1;
    }
    m_wakeToken.Wake();
    WaitForThreadProcExit();
}

BOOL CWorkerThread::IsInThreadProc()
{
    std::lock_guard<std::mutex> lock(m_mutexProc);
    return m_bInThreadProc;
}

void CWorkerThread::WaitForThreadProcExit()
{
    std::unique_lock<std::mutex> lock(m_mutexProc);
    m_cvProc.wait(lock, [this] { return !m_bInThreadProc; });
}

void CWorkerThread::SetInThreadProc(BOOL bInside)
{
    // Notified under the lock: once a waiter can see FALSE, this thread no
    // longer touches the object.
    std::lock_guard<std::mutex> lock(m_mutexProc);
    m_bInThreadProc = bInside;
    m_cvProc.notify_all();
}
