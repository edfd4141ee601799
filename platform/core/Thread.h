// Thread start in the framework's manner: AfxBeginThread runs a procedure with
// one pointer on a new thread at once. The returned CWinThread belongs to the
// framework, which deletes it when the thread ends: never follow the pointer.
// Waiting for a thread to end is the caller's own business.
//
// A thread start can fail (the system is out of threads or memory). Tests
// make every start fail through CThreadStartFailure to reach the callers'
// failure paths.
#pragma once

#include "platform/core/Types.h"

typedef UINT (*AFX_THREADPROC)(void* pParam);

class CWinThread {
public:
    virtual ~CWinThread() = default;
};

// nPriority, nStackSize, dwCreateFlags and lpSecurityAttrs are accepted for
// the framework's shape; threads always start at once with default settings.
// Returns nullptr when no thread could be started.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, void* pParam, int nPriority = 0, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, void* lpSecurityAttrs = nullptr);

// For its lifetime, every AfxBeginThread fails as the system would refuse a thread.
class CThreadStartFailure {
public:
    CThreadStartFailure();
    ~CThreadStartFailure();
    CThreadStartFailure(const CThreadStartFailure&) = delete;
    CThreadStartFailure& operator=(const CThreadStartFailure&) = delete;
};
