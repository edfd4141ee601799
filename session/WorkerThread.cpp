#include "session/WorkerThread.h"

namespace {
constexpr int kStartFailed = 1; // Start's result when no thread could be had
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
