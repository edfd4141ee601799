// What the session tests share: window handles that record what the session
// asks of its owner, the virtual clock installed for the life of a fixture, and
// the steps that drive a run one sleep at a time.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/core/VirtualClock.h"
#include "platform/ui/window/Wnd.h"

// An owner window: counts repaint requests and hands out registered controls.
class CRecordingWindow : public CWindowHandle {
public:
    void Invalidate(const RECT* lpRect, BOOL bErase) override
    {
        if (lpRect)
            ++m_nWrongInvalidates;
        ++m_nInvalidates;
        if (bErase)
            m_nLastErasing = m_nInvalidates.load();
        OnInvalidate();
    }
    CWnd* GetDlgItem(int nID) override
    {
        ++m_nDlgItemCalls;
        auto it = m_controls.find(nID);
        return it == m_controls.end() ? nullptr : it->second;
    }
    BOOL EnableWindow(BOOL) override { return FALSE; }
    virtual void OnInvalidate() {}

    std::atomic<int> m_nInvalidates{0};
    std::atomic<int> m_nWrongInvalidates{0}; // with a rectangle: always the whole client
    std::atomic<int> m_nLastErasing{0};      // the number of the last request that erased
    std::atomic<int> m_nDlgItemCalls{0};
    std::map<int, CWnd*> m_controls;
};

// Waits until the worker sleeps and returns the length it asked for (0 if it never does).
inline DWORD WaitForSleep(CVirtualClock& clock)
{
    if (!clock.WaitForPendingSleeper())
        return 0;
    return clock.NextSleepLength();
}

// Lets the pending sleep run out.
inline void EndSleep(CVirtualClock& clock)
{
    ASSERT_TRUE(clock.WaitForPendingSleeper());
    ASSERT_TRUE(clock.AdvanceToNextWake());
}
