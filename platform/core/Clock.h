// The clock service: every wait of the game goes through it. The program runs
// on real time; tests install a CVirtualClock and play whole runs in
// milliseconds. A sleep can be ended early through a CWakeToken, which is how
// an abandoned game run is woken from its waits.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "platform/core/Types.h"

class CWakeToken {
public:
    // Ends the current or next sleep made with this token; it stays woken until Rearm.
    void Wake();
    void Rearm();
    BOOL IsWoken() const { return m_bWoken.load(); }

private:
    friend class CRealClock;
    friend class CVirtualClock;

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::atomic<bool> m_bWoken{false};
    // Set while a virtual sleep waits on its clock, so Wake can reach it.
    std::mutex* m_pClockMutex = nullptr;
    std::condition_variable* m_pClockCv = nullptr;
};

class CClock {
public:
    virtual ~CClock() = default;
    // Milliseconds since an arbitrary start.
    virtual ULONGLONG GetTickCount() = 0;
    // Waits ms milliseconds; FALSE when pToken was woken first (or already was).
    virtual BOOL SleepFor(DWORD ms, CWakeToken* pToken) = 0;
};

class CRealClock : public CClock {
public:
    ULONGLONG GetTickCount() override;
    BOOL SleepFor(DWORD ms, CWakeToken* pToken) override;
};

// The clock in force: the real one unless a test installed another.
CClock& AfxGetClock();
// Installs pClock (not owned); nullptr puts the real clock back.
void AfxSetClock(CClock* pClock);

// Installs a clock for its own lifetime and puts the real one back after.
class CClockScope {
public:
    explicit CClockScope(CClock* pClock) { AfxSetClock(pClock); }
    ~CClockScope() { AfxSetClock(nullptr); }
    CClockScope(const CClockScope&) = delete;
    CClockScope& operator=(const CClockScope&) = delete;
};

// Sleeps the calling thread through the clock in force.
void Sleep(DWORD ms);
