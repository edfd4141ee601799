// The worker's waits and its pause: checkpoints, sleeps on the clock, and
// the hold while the window thread has paused it.
#include "session/WorkerThread.h"

namespace {
constexpr DWORD kHoldPollMs = 10; // how often a held checkpoint looks for a stop
} // namespace

void CWorkerThread::Checkpoint()
{
    HoldWhilePaused();
    HoldWhile(m_bPrompt);
    DrainMessages();
    if (m_bStop || IsAbandoned())
        Cancel();
}

// Holds the thread while bFlag is set, looking for a stop after every poll.
void CWorkerThread::HoldWhile(const CRelaxed<int>& bFlag)
{
    while (bFlag) {
        DrainMessages();
        WaitOnClock(kHoldPollMs);
        if (m_bStop)
            Cancel();
    }
}

// Holds the thread while paused, as HoldWhile does, between the two hooks.
void CWorkerThread::HoldWhilePaused()
{
    if (!IsPaused())
        return;
    OnPause();
    try {
        while (IsPaused()) {
            DrainMessages();
            WaitOnClock(kHoldPollMs);
            if (m_bStop)
                Cancel();
        }
    } catch (...) {
        OnPauseEnd();
        throw;
    }
    OnPauseEnd();
}

void CWorkerThread::DrainMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void CWorkerThread::Sleep(DWORD ms)
{
    CClock& clock = AfxGetClock();
    DWORD nLeft = ms;
    for (;;) {
        HoldWhilePaused();
        const ULONGLONG start = clock.GetTickCount();
        if (WaitOnClock(nLeft))
            return;
        // Woken for a pause: the time that passed counts, the rest is still to wait.
        const ULONGLONG elapsed = clock.GetTickCount() - start;
        if (elapsed >= nLeft)
            return;
        nLeft -= DWORD(elapsed);
    }
}

BOOL CWorkerThread::WaitOnClock(DWORD ms)
{
    if (AfxGetClock().SleepFor(ms, &m_wakeToken))
        return TRUE;
    // Rearmed before the flags are read: a wake-up after this one ends the next wait.
    m_wakeToken.Rearm();
    ThrowIfAbandoned();
    return FALSE;
}

int CWorkerThread::Pause()
{
    {
        CSingleLock lock(&m_csPause, TRUE);
        if (!m_bPausable)
            return 0;
        m_bPause = 1;
    }
    m_wakeToken.Wake();
    return 1;
}

int CWorkerThread::Resume()
{
    {
        CSingleLock lock(&m_csPause, TRUE);
        if (!m_bPause)
            return 0;
        m_bPause = 0;
    }
    m_wakeToken.Wake();
    return 1;
}

BOOL CWorkerThread::IsPaused()
{
    CSingleLock lock(&m_csPause, TRUE);
    return m_bPause != 0;
}

void CWorkerThread::SetPausable(BOOL bPausable)
{
    CSingleLock lock(&m_csPause, TRUE);
    m_bPausable = bPausable;
    if (!bPausable)
        m_bPause = 0;
}
