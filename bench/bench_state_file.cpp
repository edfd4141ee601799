// What keeping the best score costs the thread that keeps it: one atomic
// replacement of the state file (new file, flush to disk, rename, flush of
// the folder), and one read of it. The folder is a scratch one under
// BENCH_STATE_DIR (default /tmp), so the disk under it is what is measured.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/core/StateFile.h"

namespace {

std::string ScratchFolder()
{
    const char* pszBase = std::getenv("BENCH_STATE_DIR");
    std::string pattern = std::string(pszBase ? pszBase : "/tmp") + "/quindle-bench.XXXXXX";
    return mkdtemp(&pattern[0]) ? pattern : std::string();
}

void BM_WriteBest(benchmark::State& state)
{
    const std::string folder = ScratchFolder();
    CStateFile file(CString(folder + "/quindle/best"));
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(file.WriteInt(n++));
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}
BENCHMARK(BM_WriteBest)->Unit(benchmark::kMicrosecond);

void BM_ReadBest(benchmark::State& state)
{
    const std::string folder = ScratchFolder();
    CStateFile file(CString(folder + "/quindle/best"));
    file.WriteInt(1234);
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(file.ReadInt(&n));
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}
BENCHMARK(BM_ReadBest)->Unit(benchmark::kMicrosecond);

} // namespace
