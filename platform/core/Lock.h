// CCriticalSection and CSingleLock: mutual exclusion between the window thread
// and the game thread. A CSingleLock releases what it holds when it goes out of
// scope, on every way out, an exception included. Not recursive.
#pragma once

#include <mutex>

#include "platform/core/Types.h"

class CSyncObject {
public:
    virtual ~CSyncObject() = default;
    virtual BOOL Lock() = 0;
    virtual BOOL Unlock() = 0;
};

class CCriticalSection : public CSyncObject {
public:
    BOOL Lock() override
    {
        m_mutex.lock();
        return TRUE;
    }
    BOOL Unlock() override
    {
        m_mutex.unlock();
        return TRUE;
    }

private:
    std::mutex m_mutex;
};

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE) : m_pObject(pObject)
    {
        if (bInitialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock()
    {
        if (m_bLocked || !m_pObject)
            return m_bLocked;
        m_bLocked = m_pObject->Lock();
        return m_bLocked;
    }
    BOOL Unlock()
    {
        if (m_bLocked && m_pObject)
            m_pObject->Unlock();
        m_bLocked = FALSE;
        return TRUE;
    }
    BOOL IsLocked() const { return m_bLocked; }

private:
    CSyncObject* m_pObject;
    BOOL m_bLocked = FALSE;
};
