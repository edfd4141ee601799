// A clock whose time moves only when told. Threads that sleep on it block
// until the test advances time past their wake-up (or their token is woken),
// so a test can stop a run in any phase and read every duration off the clock.
// With auto-advance on, each sleep moves time to its own end at once.
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>

#include "platform/core/Clock.h"

class CVirtualClock : public CClock {
public:
    ULONGLONG GetTickCount() override;
    BOOL SleepFor(DWORD ms, CWakeToken* pToken) override;

    // Moves time on by ms and releases the sleepers that are due.
    void Advance(DWORD ms);
    // Waits (in real time, up to realTimeoutMs) until at least n threads sleep.
    BOOL WaitForSleepers(int n, DWORD realTimeoutMs = 10000);
    // Waits (in real time) until a sleeper is not yet due: one that the next
    // AdvanceToNextWake releases. A sleeper already released that has not yet
    // woken up does not count, so a test can step one sleep at a time.
    BOOL WaitForPendingSleeper(DWORD realTimeoutMs = 10000);
    // Waits for a sleeper, then moves time to the earliest wake-up; FALSE on time-out.
    BOOL AdvanceToNextWake(DWORD realTimeoutMs = 10000);
    // The duration the earliest sleeper asked for, or 0 when none sleeps.
    DWORD NextSleepLength();
    int GetSleeperCount();
    void SetAutoAdvance(BOOL bAuto);

private:
    struct Sleeper {
        ULONGLONG wake;
        DWORD length;
    };

    std::mutex m_mutex;
    std::condition_variable m_cv;
    ULONGLONG m_now = 0;
    BOOL m_bAuto = FALSE;
    std::multimap<ULONGLONG, Sleeper*> m_sleepers;
};
