#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "game/CourseView.h"

namespace {

constexpr int kRounds = 40;
constexpr int kFrames = 20;
constexpr int kObstacles = 300;
constexpr size_t kMaxReads = 1000000;

// Where each obstacle of each round really was: its spawn point, then its
// position after every frame, as the game thread (the only writer) saw it.
using ROUND_PATHS = std::vector<std::vector<CPoint>>;

// One rectangle the window thread read, with the game thread's stage around
// the read: stage 2r + 1 while round r spawns, 2r + 2 while it plays.
struct READ {
    int nStageBefore;
    int nStageAfter;
    int nIndex;
    CRect rc;
};

CRect RectAt(CPoint pt)
{
    return CRect(pt.x - 5, pt.y - 5, pt.x + 5, pt.y + 5);
}

// Round r's obstacles are in the list from its spawn until the next round's
// spawn has emptied the list.
BOOL IsRectOfRound(const READ& read, const ROUND_PATHS& paths, int nRound)
{
    const int nSpawnStage = 2 * nRound + 1;
    if (read.nStageAfter < nSpawnStage || read.nStageBefore > nSpawnStage + 2)
        return FALSE;
    if (read.nIndex >= int(paths.size()))
        return FALSE;
    // A new obstacle sits at (0, 0) for a moment before its spawn point is set.
    if (read.nStageBefore <= nSpawnStage && read.rc == RectAt(CPoint(0, 0)))
        return TRUE;
    const std::vector<CPoint>& path = paths[read.nIndex];
    return std::any_of(path.begin(), path.end(), [&](CPoint pt) { return read.rc == RectAt(pt); });
}

BOOL IsRealRect(const READ& read, const std::vector<ROUND_PATHS>& rounds)
{
    if (read.rc == CRect(0, 0, 0, 0))
        return TRUE; // the index went away
    for (int r = 0; r < int(rounds.size()); ++r) {
        if (IsRectOfRound(read, rounds[r], r))
            return TRUE;
    }
    return FALSE;
}

} // namespace

// The game thread respawns, advances and tests while the window thread reads
// every rectangle and steers the player: no crash, no race report, and every
// rectangle read is one that an obstacle really had on its own path, or the
// empty one of an index that went away. A rectangle mixed from two frames, or
// from two obstacles, is on no path.
TEST(CourseThreads, PaintingReadsOnlyWholeRectanglesWhileTheGameRespawns)
{
    CCourseView view;
    view.SetArea(12, 11, 546, 197);
    std::atomic<int> stage{0};
    std::atomic<bool> stop{false};
    std::vector<ROUND_PATHS> rounds(kRounds); // game thread only, until it is joined

    std::thread game([&] {
        auto record = [&](ROUND_PATHS& paths) {
            for (int i = 0; i < view.GetObstacleCount(); ++i)
                paths[i].push_back(view.m_obstacles.GetAt(i)->GetPos());
        };
        for (int r = 0; r < kRounds; ++r) {
            stage = 2 * r + 1;
            view.ResetPlayer();
            view.SpawnObstacles(kObstacles);
            rounds[r].resize(view.GetObstacleCount());
            record(rounds[r]);
            stage = 2 * r + 2;
            for (int f = 0; f < kFrames; ++f) {
                view.AdvanceObstacles();
                view.IsPlayerHit();
                view.CountObstaclesInArea();
                record(rounds[r]);
            }
        }
        stop = true;
    });

    std::vector<READ> reads;
    reads.reserve(kMaxReads);
    int badPlayer = 0;
    while (!stop.load()) {
        for (int i = 0; i < view.GetObstacleCount() && reads.size() < kMaxReads; ++i) {
            const int nBefore = stage.load();
            const CRect rc = view.GetObstacleRect(i);
            reads.push_back(READ{nBefore, stage.load(), i, rc});
        }
        const CRect player = view.GetPlayerRect();
        badPlayer += player.Width() != 10 || player.Height() != 10;
        view.MovePlayerUp();
        view.MovePlayerDown();
    }
    game.join();

    ASSERT_EQ(rounds.back().size(), size_t(kObstacles));
    ASSERT_EQ(rounds.back().front().size(), size_t(kFrames + 1));
    EXPECT_GT(reads.size(), 1000u);
    int nBad = 0;
    for (const READ& read : reads) {
        if (!IsRealRect(read, rounds) && ++nBad <= 5)
            ADD_FAILURE() << "obstacle " << read.nIndex << " read as (" << read.rc.left << ", " << read.rc.top
                          << ", " << read.rc.right << ", " << read.rc.bottom << ") in stage " << read.nStageBefore
                          << ".." << read.nStageAfter;
    }
    EXPECT_EQ(nBad, 0) << "of " << reads.size() << " reads";
    EXPECT_EQ(badPlayer, 0);
}

// The wheel clamps a player left of the area (where it waits before the first
// game) on every step, while the game thread puts it at its start. However
// the two meet, the player ends the placement at the start column: a clamp
// writes only the row, never an x it read before the placement.
TEST(CourseThreads, AWheelClampNeverUndoesTheGameThreadsPlacement)
{
    constexpr int kPlacements = 10000;
    constexpr int kMinPlacements = 50;
    CCourseView view;
    view.SetArea(12, 11, 546, 197);
    std::atomic<int> steps{0};
    std::atomic<bool> stop{false};

    std::thread wheel([&] {
        while (!stop.load()) {
            view.MovePlayerUp();
            ++steps;
            view.MovePlayerDown();
            ++steps;
        }
    });
    auto waitForSteps = [&](int n) {
        const int nTarget = steps.load() + n;
        while (steps.load() < nTarget)
            std::this_thread::yield();
    };

    // On a loaded machine every hand-over between the threads costs a time
    // slice: then the placements stop after a while, though never below a floor.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    int nUndone = 0;
    int nPlacements = 0;
    for (; nPlacements < kPlacements; ++nPlacements) {
        if (nPlacements >= kMinPlacements && std::chrono::steady_clock::now() > deadline)
            break;
        view.m_player.SetPos(0, 0);
        waitForSteps(2); // the wheel clamps the player off the area now
        view.ResetPlayer();
        waitForSteps(1); // any clamp under way when the player was placed has ended
        nUndone += view.m_player.GetPos().x != 100;
    }
    stop = true;
    wheel.join();
    EXPECT_EQ(nUndone, 0) << "of " << nPlacements << " placements";
}
