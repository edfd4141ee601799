// CWorkerThread: a background task that belongs to an owner window and can be
// cancelled from the window thread. A derived class supplies Main; Start runs
// it on a new thread and Stop only asks it to end. The request takes effect
// at Main's next Checkpoint, which throws the int -1 that ThreadProc swallows.
// While it runs, the task publishes a one-line status text under a lock, and
// the window thread copies it out for painting.
//
// One run at a time: a Start that finds the previous run still inside
// ThreadProc abandons it and waits until it has left. An abandoned run's
// current or next wait ends at once with the cancellation, and it publishes no
// more status text. The destructor abandons and waits the same way, so no
// worker outlives the object. With no Start or destruction in between, Stop
// keeps its cooperative timing. Start, Stop and the destructor belong to the
// window thread; a worker must not call Start or destroy its own object.
//
// Pausing: while the task says it may pause (SetPausable), Pause holds it in
// its current wait (or at its next one) until Resume; the time a wait had
// left goes on after the pause, and the hooks OnPause and OnPauseEnd run on
// the worker when a hold begins and ends. A stop during a hold cancels within
// one poll, an abandonment at once.
//
// WorkerThread.cpp has its start, stop and status text; WorkerPause.cpp its
// waits and pause; WorkerAbandon.cpp its abandonment.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/core/Clock.h"
#include "platform/core/Lock.h"
#include "platform/core/Shared.h"
#include "platform/core/String.h"
#include "platform/core/Thread.h"
#include "platform/ui/window/Wnd.h"

class CWorkerThread {
public:
    CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;
    virtual ~CWorkerThread();

    // Holds the thread while paused or a prompt is pending; cancels on a stop.
    virtual void Checkpoint();
    virtual void Main() = 0;
    virtual void OnPrompt();
    // Extension points that no operation calls.
    virtual void OnReserved1();
    virtual void OnReserved2();
    virtual void OnStop();
    virtual void SetStatusText(UINT nID);
    virtual void SetStatusText(CString text);
    virtual void ShowPrompt(UINT nID);
    virtual void ShowPrompt(CString text);
    // On the worker: a hold for a pause begins; it ends (resumed or cancelled).
    virtual void OnPause();
    virtual void OnPauseEnd();

    void Reset();
    // 0 once the run's thread has begun; nonzero, with the object idle, when
    // no thread could be started.
    int Start();
    int Stop();
    static UINT ThreadProc(void* pParam);
    CString GetStatusText();
    void SetPromptText(CString text);
    void SetOwner(CWnd* pOwner);
    CWnd* GetOwner() const;

    // Window thread. Pause holds the task if it may pause now (1), else does
    // nothing (0); Resume lets a held task go on.
    int Pause();
    int Resume();
    BOOL IsPaused();

protected:
    // Waits ms through the clock, held while paused; an abandoned run is
    // cancelled instead.
    void Sleep(DWORD ms);
    // Worker: whether Pause may hold the task from now on; FALSE also resumes.
    void SetPausable(BOOL bPausable);
    BOOL IsAbandoned() const;
    // Cancels at once if this run has been abandoned.
    void ThrowIfAbandoned();
    // Abandons a run that is still inside ThreadProc and waits until it has
    // left. A derived class whose Main uses its own members calls this first
    // in its destructor, while those members still exist.
    void AbandonAndWait();
    // TRUE from Start until the thread has left ThreadProc.
    BOOL IsInThreadProc();
    // Waits, without abandoning, until no thread is inside ThreadProc.
    void WaitForThreadProcExit();

    CRelaxed<int> m_bPause;    // written under m_csPause by Pause, Resume (window thread), SetPausable (worker), Reset
    CRelaxed<int> m_bStop;     // set by Stop (either thread); cleared by Reset and the cancellation
    CWinThread* m_pThread;     // window thread only; never followed: the framework deletes it
    CRelaxed<int> m_nRunState; // written by ThreadProc (worker) and Reset; read by both
    CRelaxed<int> m_bPrompt;   // set by ShowPrompt (worker); cleared by Reset
    CCriticalSection m_csStatus;
    CString m_strStatus;       // written by the worker, read by the window thread; guarded by m_csStatus
    CCriticalSection m_csPrompt;
    CString m_strPrompt;       // written by the worker; guarded by m_csPrompt
    CWnd* m_pOwner;            // set by the window thread before any Start; read by the worker

private:
    [[noreturn]] void Cancel();
    void HoldWhile(const CRelaxed<int>& bFlag);
    void HoldWhilePaused();
    // One wait on the clock; after a wake-up, cancels if abandoned. FALSE when woken.
    BOOL WaitOnClock(DWORD ms);
    void DrainMessages();
    void SetInThreadProc(BOOL bInside);

    CWakeToken m_wakeToken;       // woken by the window thread to abandon, pause or resume; rearmed by both
    CCriticalSection m_csPause;   // guards m_bPause against m_bPausable
    BOOL m_bPausable;             // written by the worker and Reset, under m_csPause
    CRelaxed<int> m_bAbandoned;   // written by the window thread under m_csStatus; read by the worker
    std::mutex m_mutexProc;       // guards m_bInThreadProc
    std::condition_variable m_cvProc;
    BOOL m_bInThreadProc;         // set by Start before the thread begins; cleared by ThreadProc as its last touch
};
