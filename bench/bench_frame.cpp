// One frame's game work: advance every obstacle, test the player, count the
// obstacles left in the area. The pass over the list must stay linear.
#include <benchmark/benchmark.h>

#include "game/CourseView.h"

static void BM_FrameWork(benchmark::State& state)
{
    CCourseView view;
    view.SetArea(12, 11, 546, 197);
    view.ResetPlayer();
    view.SpawnObstacles(int(state.range(0)));
    // Keep them all in play: a fixed course, rewound when it drifts off.
    int frames = 0;
    for (auto _ : state) {
        view.AdvanceObstacles();
        benchmark::DoNotOptimize(view.IsPlayerHit());
        benchmark::DoNotOptimize(view.CountObstaclesInArea());
        if (++frames == 100) {
            state.PauseTiming();
            view.SpawnObstacles(int(state.range(0)));
            frames = 0;
            state.ResumeTiming();
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FrameWork)->Arg(300)->Arg(3000)->Arg(30000)->Unit(benchmark::kMicrosecond)->Complexity();
