#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "SessionTestSupport.h"
#include "session/WorkerThread.h"

namespace {

constexpr DWORD kUnitMs = 100;

// A task of units of work, each a sleep followed by a checkpoint, and one
// more unit after the last checkpoint.
class CUnitsWorker : public CWorkerThread {
public:
    explicit CUnitsWorker(std::atomic<int>* pExits = nullptr) : m_pExits(pExits) {}
    ~CUnitsWorker() override { AbandonAndWait(); }

    void Main() override
    {
        struct ExitCount {
            std::atomic<int>* p;
            ~ExitCount()
            {
                if (p)
                    ++*p;
            }
        } exitCount{m_pExits};
        for (int i = 0; i < kUnits; ++i) {
            Sleep(kUnitMs);
            ++m_nUnitsDone;
            Checkpoint();
        }
        Sleep(kUnitMs);
        m_bFinished = 1;
    }
    void OnStop() override { ++m_nOnStop; }

    int StopFlag() const { return m_bStop; }
    int RunState() const { return m_nRunState; }
    void WaitUntilEnded() { WaitForThreadProcExit(); }

    static constexpr int kUnits = 3;
    std::atomic<int> m_nUnitsDone{0};
    std::atomic<int> m_nOnStop{0};
    std::atomic<int> m_bFinished{0};

private:
    std::atomic<int>* m_pExits;
};

class WorkerOnVirtualClock : public ::testing::Test {
protected:
    WorkerOnVirtualClock() : m_installer(&m_clock) {}

    // Lets n units of work pass and waits in the next unit's sleep.
    void PassUnits(int n)
    {
        for (int i = 0; i < n; ++i)
            EndSleep(m_clock);
        ASSERT_EQ(WaitForSleep(m_clock), kUnitMs);
    }

    CVirtualClock m_clock;
    CClockScope m_installer;
    CUnitsWorker m_worker;
};

TEST_F(WorkerOnVirtualClock, StopBeforeAnyStartDoesNotCancelTheNextRun)
{
    m_worker.Stop();
    EXPECT_EQ(m_worker.StopFlag(), 1);
    m_clock.SetAutoAdvance(TRUE);
    m_worker.Start();
    m_worker.WaitUntilEnded();
    EXPECT_EQ(m_worker.m_nUnitsDone, CUnitsWorker::kUnits);
    EXPECT_EQ(m_worker.m_bFinished, 1);
    EXPECT_EQ(m_worker.m_nOnStop, 0);
}

TEST_F(WorkerOnVirtualClock, StopBetweenCheckpointsEndsTheRunAtTheNextCheckpoint)
{
    m_worker.Start();
    PassUnits(1);
    EXPECT_EQ(m_worker.RunState(), 1);
    m_worker.Stop();
    EndSleep(m_clock);
    m_worker.WaitUntilEnded();

    EXPECT_EQ(m_worker.m_nUnitsDone, 2); // the unit under way was finished
    EXPECT_EQ(m_worker.m_nOnStop, 1);
    EXPECT_EQ(m_worker.m_bFinished, 0);
    EXPECT_EQ(m_worker.StopFlag(), 0);
    EXPECT_EQ(m_worker.RunState(), 0);
    EXPECT_EQ(m_clock.GetTickCount(), 2 * kUnitMs);
}

TEST_F(WorkerOnVirtualClock, StopAfterTheLastCheckpointLetsMainFinishWithTheFlagLeftSet)
{
    m_worker.Start();
    PassUnits(CUnitsWorker::kUnits);
    m_worker.Stop();
    EndSleep(m_clock);
    m_worker.WaitUntilEnded();
    EXPECT_EQ(m_worker.m_bFinished, 1);
    EXPECT_EQ(m_worker.m_nOnStop, 0);
    EXPECT_EQ(m_worker.StopFlag(), 1);
    EXPECT_EQ(m_worker.RunState(), 0);

    // The next Start clears it, so that run plays in full.
    m_worker.m_bFinished = 0;
    m_clock.SetAutoAdvance(TRUE);
    m_worker.Start();
    m_worker.WaitUntilEnded();
    EXPECT_EQ(m_worker.m_bFinished, 1);
    EXPECT_EQ(m_worker.m_nOnStop, 0);
}

TEST_F(WorkerOnVirtualClock, StartWhileARunIsInsideAbandonsItWithoutWaitingItsSleepOut)
{
    m_worker.Start();
    PassUnits(1);
    m_worker.Start();
    // The first run was cancelled at once: no virtual time passed for it.
    EXPECT_EQ(m_worker.m_nOnStop, 1);
    EXPECT_EQ(m_worker.m_nUnitsDone, 1);
    EXPECT_EQ(m_clock.GetTickCount(), kUnitMs);
    // The new run sleeps its full units: it is not abandoned itself.
    PassUnits(CUnitsWorker::kUnits);
    EndSleep(m_clock);
    m_worker.WaitUntilEnded();
    EXPECT_EQ(m_worker.m_nUnitsDone, 1 + CUnitsWorker::kUnits);
    EXPECT_EQ(m_worker.m_bFinished, 1);
}

TEST_F(WorkerOnVirtualClock, DestructionWaitsUntilTheRunHasLeft)
{
    std::atomic<int> exits{0};
    auto pWorker = std::make_unique<CUnitsWorker>(&exits);
    pWorker->Start();
    ASSERT_EQ(WaitForSleep(m_clock), kUnitMs);
    pWorker.reset();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(m_clock.GetSleeperCount(), 0);
    EXPECT_EQ(m_clock.GetTickCount(), 0u);
}

// A task that waits at a checkpoint held by the paused flag or by a prompt.
class CHeldWorker : public CWorkerThread {
public:
    explicit CHeldWorker(bool bByPause) : m_bByPause(bByPause) {}
    ~CHeldWorker() override { AbandonAndWait(); }

    void Main() override
    {
        if (m_bByPause) {
            m_bPause = 1;
            Checkpoint();
        } else {
            ShowPrompt(CString("Continue?"));
        }
        m_bPassed = 1;
    }
    void OnPrompt() override { ++m_nPrompts; }

    int StopFlag() const { return m_bStop; }
    int RunState() const { return m_nRunState; }
    void WaitUntilEnded() { WaitForThreadProcExit(); }

    std::atomic<int> m_bPassed{0};
    std::atomic<int> m_nPrompts{0};

private:
    bool m_bByPause;
};

class HeldCheckpoint : public ::testing::TestWithParam<bool> {
protected:
    HeldCheckpoint() : m_installer(&m_clock), m_worker(GetParam()) {}

    CVirtualClock m_clock;
    CClockScope m_installer;
    CHeldWorker m_worker;
};

TEST_P(HeldCheckpoint, HoldsTheThreadUntilAStopCancelsItWithinOnePoll)
{
    constexpr DWORD kPollMs = 10;
    m_worker.Start();
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(WaitForSleep(m_clock), kPollMs);
        EndSleep(m_clock);
    }
    ASSERT_EQ(WaitForSleep(m_clock), kPollMs);
    EXPECT_EQ(m_worker.RunState(), 1);

    const ULONGLONG stoppedAt = m_clock.GetTickCount();
    m_worker.Stop();
    EndSleep(m_clock);
    m_worker.WaitUntilEnded();
    EXPECT_EQ(m_clock.GetTickCount() - stoppedAt, kPollMs);
    EXPECT_EQ(m_worker.m_bPassed, 0);
    EXPECT_EQ(m_worker.StopFlag(), 0);
    EXPECT_EQ(m_worker.RunState(), 0);
    EXPECT_EQ(m_worker.m_nPrompts, GetParam() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(PausedOrPrompt, HeldCheckpoint, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Paused" : "PromptPending";
                         });

class CIdleWorker : public CWorkerThread {
public:
    void Main() override {}
};

TEST(WorkerStatusText, ReaderAlwaysGetsAWholeText)
{
    CIdleWorker worker;
    const CString first(std::string(4096, 'a'));
    const CString second(std::string(3000, 'b'));
    constexpr int kWrites = 20000;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < kWrites; ++i)
            worker.SetStatusText(i % 2 ? second : first);
        done = true;
    });
    int torn = 0;
    while (!done) {
        const CString text = worker.GetStatusText();
        if (text != first && text != second && !text.IsEmpty())
            ++torn;
    }
    writer.join();
    EXPECT_EQ(torn, 0);
}

} // namespace
