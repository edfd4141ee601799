#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "game/CourseView.h"

// The game thread respawns, advances and tests while the window thread reads
// every rectangle and steers the player: no crash, no race report, and every
// rectangle read is one an obstacle really had (10 x 10) or the empty one of
// an index that went away.
TEST(CourseThreads, PaintingReadsOnlyWholeRectanglesWhileTheGameRespawns)
{
    CCourseView view;
    view.SetArea(12, 11, 546, 197);
    std::atomic<bool> stop{false};
    std::atomic<int> frames{0};

    std::thread game([&] {
        for (int round = 0; round < 40; ++round) {
            view.ResetPlayer();
            view.SpawnObstacles(300);
            for (int f = 0; f < 20; ++f) {
                view.AdvanceObstacles();
                view.IsPlayerHit();
                view.CountObstaclesInArea();
                ++frames;
            }
        }
        stop = true;
    });

    int badRects = 0, reads = 0;
    while (!stop.load()) {
        for (int i = 0; i < view.GetObstacleCount(); ++i) {
            const CRect rc = view.GetObstacleRect(i);
            const bool whole = rc.Width() == 10 && rc.Height() == 10;
            const bool gone = rc == CRect(0, 0, 0, 0);
            badRects += !(whole || gone);
            ++reads;
        }
        const CRect player = view.GetPlayerRect();
        badRects += player.Width() != 10 || player.Height() != 10;
        view.MovePlayerUp();
        view.MovePlayerDown();
    }
    game.join();
    EXPECT_EQ(frames.load(), 800);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(badRects, 0);
}
