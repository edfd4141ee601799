#include "platform/core/Thread.h"

#include <system_error>
#include <thread>

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, void* pParam, int, UINT, DWORD, void*)
{
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
