#include "sound/KeptSwitch.h"

#include "platform/core/Thread.h"

CKeptSwitch::~CKeptSwitch()
{
    WaitForWrites();
}

void CKeptSwitch::Open(const CString& strPath)
{
    WaitForWrites();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_file = CStateFile(strPath);
    int nValue = 0;
    if (m_file.ReadInt(&nValue) && (nValue == 0 || nValue == 1))
        m_bOn = nValue;
}

void CKeptSwitch::Set(BOOL bOn)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bOn = bOn ? 1 : 0;
    m_bUnsaved = TRUE;
    if (m_bWriting || m_file.GetPath().IsEmpty())
        return;
    m_bWriting = TRUE;
    if (!AfxBeginThread(WriteProc, this))
        m_bWriting = FALSE; // no thread: kept in memory, written by the next Set
}

// Writes until what is on disk is the latest choice.
UINT CKeptSwitch::WriteProc(void* pParam)
{
    CKeptSwitch* pThis = static_cast<CKeptSwitch*>(pParam);
    std::unique_lock<std::mutex> lock(pThis->m_mutex);
    while (pThis->m_bUnsaved) {
        pThis->m_bUnsaved = FALSE;
        const int nValue = pThis->m_bOn;
        lock.unlock();
        pThis->m_file.WriteInt(nValue);
        lock.lock();
    }
    pThis->m_bWriting = FALSE;
    // Notified under the lock: once a waiter sees FALSE, this thread no longer touches the object.
    pThis->m_cv.notify_all();
    return 0;
}

void CKeptSwitch::WaitForWrites()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cv.wait(lock, [this] { return !m_bWriting; });
}
