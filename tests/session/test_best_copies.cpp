// Two copies of the program on one state folder, as separate processes: their
// interleaved offers and flushes never end with the smaller best; a lock held
// by another process delays a write and never loses it; and a writer killed
// at random points never leaves a file that reads as anything but the old
// value or the new one.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "platform/core/StateFile.h"
#include "platform/core/StateLock.h"
#include "session/BestScore.h"

namespace {

namespace fs = std::filesystem;

class BestCopies : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szFolder[] = "/tmp/quindle-copies.XXXXXX";
        ASSERT_NE(mkdtemp(szFolder), nullptr);
        m_folder = szFolder;
        m_path = m_folder + "/best";
    }
    void TearDown() override
    {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
    int OnDisk() const
    {
        CStateFile file{CString(m_path)};
        int n = -1;
        return file.ReadInt(&n) ? n : -1;
    }
    // The exit status of child pid, -1 when it did not exit by itself.
    static int StatusOf(pid_t pid)
    {
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }

    std::string m_folder;
    std::string m_path;
};

// Each copy offers a rising series, the one's even and the other's odd, and
// flushes after each; after every flush the file must hold at least what that
// copy just kept. Without the lock, a copy that read before the other wrote
// would put its smaller best back.
TEST_F(BestCopies, InterleavedOffersAndFlushesFromTwoProcessesNeverEndWithTheSmallerBest)
{
    constexpr int kOffers = 150;
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t pids[2];
    for (int k = 0; k < 2; ++k) {
        pids[k] = fork();
        ASSERT_GE(pids[k], 0);
        if (pids[k] == 0) {
            close(go[1]);
            char c;
            if (read(go[0], &c, 1) != 0) // both start when the pipe closes
                _exit(3);
            CBestScore best;
            best.Open(CString(m_path));
            for (int i = 0; i < kOffers; ++i) {
                const int nScore = 2 * i + k;
                best.Offer(nScore);
                best.Flush();
                if (OnDisk() < nScore || best.Get() < nScore)
                    _exit(1);
            }
            _exit(0);
        }
    }
    close(go[0]);
    close(go[1]);
    EXPECT_EQ(StatusOf(pids[0]), 0);
    EXPECT_EQ(StatusOf(pids[1]), 0);
    EXPECT_EQ(OnDisk(), 2 * kOffers - 1);
}

TEST_F(BestCopies, ALockHeldByAnotherProcessDelaysAWriteAndNeverLosesIt)
{
    CBestScore best;
    best.Open(CString(m_path));
    int held[2], release[2];
    ASSERT_EQ(pipe(held), 0);
    ASSERT_EQ(pipe(release), 0);
    // A holder that keeps the lock until it reads a byte or its pipe closes.
    auto hold = [&](int nHoldMs) {
        const pid_t pid = fork();
        if (pid == 0) {
            CStateLock lock;
            if (lock.Acquire(m_folder) != 0 || write(held[1], "h", 1) != 1)
                _exit(1);
            if (nHoldMs > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(nHoldMs));
            } else {
                char c;
                if (read(release[0], &c, 1) != 1)
                    _exit(1);
            }
            _exit(0);
        }
        char c;
        EXPECT_EQ(read(held[0], &c, 1), 1);
        return pid;
    };

    // Held a little: the flush waits for it, then writes.
    pid_t pid = hold(100);
    best.Offer(7);
    const auto t0 = std::chrono::steady_clock::now();
    best.Flush();
    const auto waited = std::chrono::steady_clock::now() - t0;
    EXPECT_GE(waited, std::chrono::milliseconds(60));
    EXPECT_LT(waited, std::chrono::milliseconds(CStateLock::kWaitMs));
    EXPECT_EQ(OnDisk(), 7);
    EXPECT_EQ(StatusOf(pid), 0);

    // Held past the wait: nothing is written, one line says why, the best
    // holds in memory and the next flush writes it.
    pid = hold(0);
    best.Offer(9);
    ::testing::internal::CaptureStderr();
    best.Flush();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("lock"), std::string::npos) << said;
    EXPECT_EQ(OnDisk(), 7);
    EXPECT_EQ(best.Get(), 9);
    ASSERT_EQ(write(release[1], "r", 1), 1);
    EXPECT_EQ(StatusOf(pid), 0);
    best.Flush();
    EXPECT_EQ(OnDisk(), 9);
}

// The child writes the next value over and over; it is killed after a random
// time of up to three writes, in the middle of a write as often as not. Both outcomes
// must be seen, or the kill never landed where it matters.
TEST_F(BestCopies, AWriterKilledAtRandomPointsLeavesTheOldValueOrTheNew)
{
    constexpr int kKills = 200;
    CStateFile file{CString(m_path)};
    // Kills spread over a few writes' time, however fast this disk is.
    constexpr int kTimedWrites = 5;
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < kTimedWrites; ++i)
        ASSERT_TRUE(file.WriteInt(0));
    const auto writeUs = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0) / kTimedWrites;
    std::mt19937 random(21);
    std::uniform_int_distribution<int> delayUs(0, std::max(1000, int(3 * writeUs.count())));
    int nOld = 0, nNew = 0, nBroken = 0;
    for (int i = 0; i < kKills; ++i) {
        const int nBefore = OnDisk();
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            CStateFile writer{CString(m_path)};
            for (;;)
                writer.WriteInt(nBefore + 1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        const int nAfter = OnDisk();
        if (nAfter == nBefore)
            ++nOld;
        else if (nAfter == nBefore + 1)
            ++nNew;
        else
            ++nBroken;
    }
    EXPECT_EQ(nBroken, 0);
    EXPECT_GT(nOld, 0);
    EXPECT_GT(nNew, 0);
    // What a killed writer leaves is at most its new file, written over next time.
    ASSERT_TRUE(file.WriteInt(12345));
    EXPECT_EQ(OnDisk(), 12345);
    for (const auto& entry : fs::directory_iterator(m_folder)) {
        const std::string name = entry.path().filename();
        EXPECT_TRUE(name == "best" || name == ".lock" || name == "best.new") << name;
    }
}

} // namespace
