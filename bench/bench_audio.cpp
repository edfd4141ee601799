// A cue's wait from AfxPlaySound to the device buffer that begins it, on the
// driver SDL_AUDIODRIVER names (default here: disk, writing to /dev/null at
// real-time pace): from a closed device (the usual case: the device closes a
// second after each cue) and into one already open. Each iteration is one
// cue; the time reported is the wait itself, with its median and maximum as
// counters. The synthesis of the program's cues is measured beside them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/audio/AudioOut.h"
#include "sound/CueBank.h"

namespace {

void UseDiskDriverByDefault()
{
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
}

// Plays a 20 ms tone and returns its wait in milliseconds (negative if it never started).
double PlayAndWait(const std::vector<float>& tone)
{
    const unsigned nBefore = AfxGetAudioState().nStarts;
    AfxPlaySound(PCMSOUND{tone.data(), int(tone.size()), 1});
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (AfxGetAudioState().nStarts == nBefore) {
        if (std::chrono::steady_clock::now() > end)
            return -1.0;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return double(AfxGetAudioState().nLastStartDelayUs) / 1000.0;
}

void Report(benchmark::State& state, std::vector<double> waits)
{
    if (waits.empty())
        return;
    std::sort(waits.begin(), waits.end());
    state.counters["median_ms"] = waits[waits.size() / 2];
    state.counters["max_ms"] = waits.back();
}

void BM_CueWaitFromClosedDevice(benchmark::State& state)
{
    UseDiskDriverByDefault();
    const std::vector<float> tone(960, 0.1f);
    std::vector<double> waits;
    for (auto _ : state) {
        AfxAudioTerm(); // closed, as a second after the last cue
        const double fMs = PlayAndWait(tone);
        if (fMs < 0) {
            state.SkipWithError("no sound device");
            break;
        }
        waits.push_back(fMs);
        state.SetIterationTime(fMs / 1000.0);
    }
    AfxAudioTerm();
    Report(state, waits);
}
BENCHMARK(BM_CueWaitFromClosedDevice)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

void BM_CueWaitIntoOpenDevice(benchmark::State& state)
{
    UseDiskDriverByDefault();
    const std::vector<float> tone(960, 0.1f);
    std::vector<double> waits;
    PlayAndWait(tone);
    for (auto _ : state) {
        // Out of step with the device's 10.7 ms buffers, as a game's moments are.
        std::this_thread::sleep_for(std::chrono::microseconds(3000 + 1700 * (waits.size() % 7)));
        const double fMs = PlayAndWait(tone);
        if (fMs < 0) {
            state.SkipWithError("no sound device");
            break;
        }
        waits.push_back(fMs);
        state.SetIterationTime(fMs / 1000.0);
    }
    AfxAudioTerm();
    Report(state, waits);
}
BENCHMARK(BM_CueWaitIntoOpenDevice)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_SynthesiseCues(benchmark::State& state)
{
    for (auto _ : state) {
        CCueBank bank;
        benchmark::DoNotOptimize(bank.Get(CUE_GOAL).data());
    }
}
BENCHMARK(BM_SynthesiseCues)->Unit(benchmark::kMillisecond);

} // namespace
