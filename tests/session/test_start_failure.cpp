// A Start that gets no thread: it says so and leaves the object idle, so that
// neither the next Start nor the destructor waits for a run that never began.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "SessionTestSupport.h"
#include "session/GameThread.h"

namespace {

class CProbedGameThread : public CGameThread {
public:
    int RunState() const { return m_nRunState; }
    BOOL RunInProgress() { return IsInThreadProc(); }
};

// Destroys pThread on a thread of its own; TRUE when that returned within a
// few seconds. A destructor that hangs leaves its thread behind, blocked.
BOOL DestroyReturns(CProbedGameThread* pThread)
{
    auto pDone = std::make_shared<std::atomic<bool>>(false);
    std::thread([pThread, pDone] {
        delete pThread;
        *pDone = true;
    }).detach();
    for (int i = 0; i < 5000 && !*pDone; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return *pDone;
}

TEST(StartWithoutAThread, SaysSoLeavesTheRunStateIdleAndTheNextStartPlays)
{
    CVirtualClock clock;
    CClockScope clockInUse(&clock);
    CCourseView view;
    view.SetArea(12, 11, 546, 197);
    auto* pThread = new CProbedGameThread;
    pThread->m_pView = &view;

    int nResult = 0;
    {
        CThreadStartFailure noThreads;
        nResult = pThread->Start();
    }
    EXPECT_NE(nResult, 0);
    EXPECT_EQ(pThread->RunState(), 0);
    EXPECT_FALSE(pThread->RunInProgress());
    EXPECT_EQ(pThread->GetStatusText(), "");
    EXPECT_EQ(view.GetObstacleCount(), 0) << "no run touched the view";
    ASSERT_TRUE(DestroyReturns(pThread)) << "destruction waits for a run that never began";

    // The same failure on another object, then threads to be had again: its next Start plays.
    CProbedGameThread thread;
    thread.m_pView = &view;
    {
        CThreadStartFailure noThreads;
        EXPECT_NE(thread.Start(), 0);
    }
    ASSERT_FALSE(thread.RunInProgress());
    EXPECT_EQ(thread.Start(), 0);
    EXPECT_EQ(WaitForSleep(clock), 2000u);
    EXPECT_EQ(thread.GetStatusText(), "Ready");
    EXPECT_TRUE(thread.RunInProgress());
}

} // namespace
