#include "platform/core/Thread.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace {
std::atomic<int> g_nFailingScopes{0};
} // namespace

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, void* pParam, int, UINT, DWORD, void*)
{
    if (g_nFailingScopes.load() > 0)
        return nullptr;
    CWinThread* pThread = new CWinThread;
    try {
        std::thread([pThread, pfnThreadProc, pParam] {
            pfnThreadProc(pParam);
            delete pThread;
        }).detach();
    } catch (const std::system_error&) {
        delete pThread;
        return nullptr;
    }
    return pThread;
}

CThreadStartFailure::CThreadStartFailure()
{
    ++g_nFailingScopes;
}

CThreadStartFailure::~CThreadStartFailure()
{
    --g_nFailingScopes;
}
