// Two copies of the program on one state folder, as separate processes: their
// interleaved offers and flushes never end with the smaller best; a lock held
// by another process delays a write and never loses it; and a writer killed
// at random points never leaves a file that reads as anything but the old
// value or the new one.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

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

// The child writes the next value over and over, saying on a pipe when each
// write begins and ends; it is killed at a random point of its first write's
// time (measured on the child itself, however slow it runs: a sanitizer's
// fork is), so in the middle of a write as often as not. Both outcomes must
// be seen, or the kill never landed where it matters.
TEST_F(BestCopies, AWriterKilledAtRandomPointsLeavesTheOldValueOrTheNew)
{
    constexpr int kKills = 200;
    constexpr int kTimings = 5;
    CStateFile file{CString(m_path)};
    ASSERT_TRUE(file.WriteInt(0));
    // Starts a writer of nValue; returns once it has begun its first write.
    int said[2];
    ASSERT_EQ(pipe(said), 0);
    auto writer = [&](int nValue) {
        const pid_t pid = fork();
        if (pid == 0) {
            CStateFile child{CString(m_path)};
            for (;;) {
                if (write(said[1], "b", 1) != 1 || !child.WriteInt(nValue) || write(said[1], "e", 1) != 1)
                    _exit(1);
            }
        }
        char c = 0;
        EXPECT_EQ(read(said[0], &c, 1), 1);
        EXPECT_EQ(c, 'b');
        return pid;
    };
    auto end = [&](pid_t pid) {
        kill(pid, SIGKILL);
        int status = 0;
        EXPECT_EQ(waitpid(pid, &status, 0), pid);
        // What it said before it died is not the next writer's.
        int nPending = 0;
        if (ioctl(said[0], FIONREAD, &nPending) == 0 && nPending > 0) {
            std::vector<char> unread(nPending);
            EXPECT_EQ(read(said[0], unread.data(), unread.size()), nPending);
        }
    };
    std::chrono::microseconds writeUs{0};
    for (int i = 0; i < kTimings; ++i) {
        const pid_t pid = writer(0);
        const auto t0 = std::chrono::steady_clock::now();
        char c = 0;
        EXPECT_EQ(read(said[0], &c, 1), 1);
        writeUs += std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
        end(pid);
    }
    std::mt19937 random(21);
    std::uniform_int_distribution<int> delayUs(0, int(writeUs.count() / kTimings));
    int nOld = 0, nNew = 0, nBroken = 0;
    for (int i = 0; i < kKills; ++i) {
        const int nBefore = OnDisk();
        const pid_t pid = writer(nBefore + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        end(pid);
        const int nAfter = OnDisk();
        if (nAfter == nBefore)
            ++nOld;
        else if (nAfter == nBefore + 1)
            ++nNew;
        else
            ++nBroken;
    }
    close(said[0]);
    close(said[1]);
    EXPECT_EQ(nBroken, 0);
    EXPECT_GT(nOld, 0) << nNew << " kills left the new value, none the old";
    EXPECT_GT(nNew, 0) << nOld << " kills left the old value, none the new";
    // What a killed writer leaves is at most its new file, written over next time.
    ASSERT_TRUE(file.WriteInt(12345));
    EXPECT_EQ(OnDisk(), 12345);
    for (const auto& entry : fs::directory_iterator(m_folder)) {
        const std::string name = entry.path().filename();
        EXPECT_TRUE(name == "best" || name == ".lock" || name == "best.new") << name;
    }
}

} // namespace
