#include "session/WorkerThread.h"

namespace {
constexpr int kCancelCode = -1;      // what a cancelled Main is thrown out with
constexpr DWORD kHoldPollMs = 10;    // how often a held checkpoint looks for a stop
constexpr int kStartFailed = 1;      // Start's result when no thread could be had
} // namespace

CWorkerThread::CWorkerThread() : m_pThread(nullptr), m_pOwner(nullptr), m_bPausable(FALSE), m_bInThreadProc(FALSE)
{
    Reset();
    m_pOwner = nullptr;
}

CWorkerThread::~CWorkerThread()
{
    Stop();
    AbandonAndWait();
}

void CWorkerThread::Reset()
{
    m_pThread = nullptr;
    {
        CSingleLock lock(&m_csPause, TRUE);
        m_bPause = 0;
        m_bPausable = FALSE;
    }
    m_nRunState = 0;
    m_bStop = 0;
    m_bPrompt = 0;
    // Under the locks: the window thread may be reading the status for a paint.
    {
        CSingleLock lock(&m_csStatus, TRUE);
        m_strStatus = "";
    }
    CSingleLock lock(&m_csPrompt, TRUE);
    m_strPrompt = "";
}

int CWorkerThread::Start()
{
    AbandonAndWait();
    m_wakeToken.Rearm();
    m_bAbandoned = 0;
    Reset();
    SetInThreadProc(TRUE);
    m_pThread = AfxBeginThread(ThreadProc, this, 0, 0, 0, NULL);
    if (!m_pThread) {
        // Nothing runs: idle again, so that no one waits for a run that never began.
        m_nRunState = 0;
        SetInThreadProc(FALSE);
        return kStartFailed;
    }
    return 0;
}

int CWorkerThread::Stop()
{
    m_bStop = 1;
    return 0;
}

UINT CWorkerThread::ThreadProc(void* pParam)
{
    CWorkerThread* pThis = static_cast<CWorkerThread*>(pParam);
    pThis->m_nRunState = 1;
    try {
        pThis->Main();
    } catch (...) {
        // A cancellation and any other failure end the run alike, unreported.
    }
    pThis->SetPausable(FALSE);
    pThis->m_nRunState = 0;
    // The last touch of the object: whoever waits may destroy it right after.
    pThis->SetInThreadProc(FALSE);
    return 0;
}

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

void CWorkerThread::Cancel()
{
    OnStop();
    m_bStop = 0;
    throw int(kCancelCode);
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

void CWorkerThread::SetStatusText(CString text)
{
    CSingleLock lock(&m_csStatus, TRUE);
    if (!IsAbandoned())
        m_strStatus = text;
}

void CWorkerThread::SetStatusText(UINT nID)
{
    CSingleLock lock(&m_csStatus, TRUE);
    CString text;
    text.LoadString(nID);
    if (!IsAbandoned())
        m_strStatus = text;
}

CString CWorkerThread::GetStatusText()
{
    CSingleLock lock(&m_csStatus, TRUE);
    return m_strStatus;
}

void CWorkerThread::ShowPrompt(CString text)
{
    SetPromptText(text);
    m_bPrompt = 1;
    OnPrompt();
    Checkpoint();
}

void CWorkerThread::ShowPrompt(UINT nID)
{
    CString text;
    text.LoadString(nID);
    ShowPrompt(text);
}

void CWorkerThread::SetPromptText(CString text)
{
    CSingleLock lock(&m_csPrompt, TRUE);
    m_strPrompt = text;
}

void CWorkerThread::SetOwner(CWnd* pOwner)
{
    m_pOwner = pOwner;
}

CWnd* CWorkerThread::GetOwner() const
{
    return m_pOwner;
}

void CWorkerThread::OnPrompt() {}

void CWorkerThread::OnReserved1() {}

void CWorkerThread::OnReserved2() {}

void CWorkerThread::OnStop() {}

void CWorkerThread::OnPause() {}

void CWorkerThread::OnPauseEnd() {}
