#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/core/Clock.h"
#include "platform/core/List.h"
#include "platform/core/Lock.h"
#include "platform/core/Shared.h"
#include "platform/core/Thread.h"
#include "platform/core/VirtualClock.h"

TEST(CSingleLock, ReleasesOnEveryWayOutIncludingAnException)
{
    CCriticalSection cs;
    try {
        CSingleLock lock(&cs, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        throw std::runtime_error("leave");
    } catch (const std::runtime_error&) {
    }
    // A second owner on another thread can take it: it was released.
    std::thread([&] { CSingleLock again(&cs, TRUE); EXPECT_TRUE(again.IsLocked()); }).join();
}

TEST(CList, KeepsInsertionOrderAndRemovesFromTheTail)
{
    CList<int, int> list;
    for (int i = 0; i < 25; ++i)
        list.AddTail(i);
    EXPECT_EQ(list.GetCount(), 25);
    EXPECT_EQ(list.GetAt(0), 0);
    EXPECT_EQ(list.GetAt(24), 24);
    EXPECT_EQ(list.RemoveTail(), 24);
    EXPECT_EQ(list.RemoveTail(), 23);
    EXPECT_EQ(list.GetCount(), 23);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CSharedFlag, StoreIfUnchangedLosesToAnyWriteSinceTheVersion)
{
    CSharedFlag flag(1);
    const uint32_t v = flag.GetVersion();
    flag = 0; // another thread's write in between
    flag = 1; // ... even one that puts the same value back
    EXPECT_FALSE(flag.StoreIfUnchanged(0, v));
    EXPECT_EQ(flag, 1);

    const uint32_t now = flag.GetVersion();
    EXPECT_TRUE(flag.StoreIfUnchanged(0, now));
    EXPECT_EQ(flag, 0);
}

TEST(AfxBeginThread, RunsTheProcedureWithItsPointer)
{
    std::atomic<int> seen{0};
    auto proc = [](void* p) -> UINT {
        static_cast<std::atomic<int>*>(p)->store(42);
        return 0;
    };
    ASSERT_NE(AfxBeginThread(proc, &seen), nullptr);
    for (int i = 0; i < 5000 && seen.load() != 42; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(seen.load(), 42);
}

class VirtualClockTest : public ::testing::Test {
protected:
    void SetUp() override { AfxSetClock(&clock); }
    void TearDown() override { AfxSetClock(nullptr); }
    CVirtualClock clock;
};

TEST_F(VirtualClockTest, SleeperWakesOnlyWhenTimeReachesItsEnd)
{
    std::atomic<bool> done{false};
    std::thread sleeper([&] {
        Sleep(2000);
        done = true;
    });
    ASSERT_TRUE(clock.WaitForSleepers(1));
    EXPECT_EQ(clock.NextSleepLength(), 2000u);
    clock.Advance(1999);
    EXPECT_FALSE(done.load());
    ASSERT_TRUE(clock.AdvanceToNextWake());
    sleeper.join();
    EXPECT_TRUE(done.load());
    EXPECT_EQ(clock.GetTickCount(), 2000u);
}

TEST_F(VirtualClockTest, WakeTokenEndsASleepEarlyAndStaysWokenUntilRearmed)
{
    CWakeToken token;
    BOOL finished = TRUE;
    std::thread sleeper([&] { finished = clock.SleepFor(500, &token); });
    ASSERT_TRUE(clock.WaitForSleepers(1));
    token.Wake();
    sleeper.join();
    EXPECT_FALSE(finished);
    EXPECT_EQ(clock.GetTickCount(), 0u);
    EXPECT_FALSE(clock.SleepFor(10, &token)); // still woken: returns at once
    token.Rearm();
    clock.SetAutoAdvance(TRUE);
    EXPECT_TRUE(clock.SleepFor(10, &token));
    EXPECT_EQ(clock.GetTickCount(), 10u);
}

TEST(RealClock, WakeTokenEndsARealSleepAtOnce)
{
    CRealClock real;
    CWakeToken token;
    std::thread waker([&] { token.Wake(); });
    // Would take a minute if the wake were lost.
    EXPECT_FALSE(real.SleepFor(60000, &token));
    waker.join();
}
