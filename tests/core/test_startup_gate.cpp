// The start-up gate: a wait ends when the gate opens, from any thread, or at
// its own limit; an open gate lets every later wait through at once.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/core/StartupGate.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(StartupGate, AClosedGateHoldsAWaitToItsLimitOnly)
{
    CStartupGate gate;
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(gate.Wait(30));
    EXPECT_GE(MsSince(start), 30);
    EXPECT_FALSE(gate.IsOpen());
}

TEST(StartupGate, OpeningOnAnotherThreadEndsAWaitEarlyAndLetsLaterWaitsThrough)
{
    CStartupGate gate;
    std::thread opener([&gate] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        gate.Open();
    });
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(gate.Wait(60000));
    EXPECT_LT(MsSince(start), 10000) << "the wait ended with the opening, not its limit";
    opener.join();
    EXPECT_TRUE(gate.IsOpen());
    const Clock::time_point later = Clock::now();
    EXPECT_TRUE(gate.Wait(60000));
    EXPECT_TRUE(gate.Wait(0));
    EXPECT_LT(MsSince(later), 1000);
}

} // namespace
