// The tracking report's data file for a full show without a channel limit (714 pages).

#include "FullShowCues.h"
#include "cues/CueReports.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace lumora {
namespace {

std::string TempFile()
{
    return (std::filesystem::temp_directory_path() / ("lumora-bench-" + std::to_string(::getpid()) + ".tmp")).string();
}

void BM_TrackReportRowsFullShow(benchmark::State& state)
{
    const auto cues = bench::FullShowCues();
    for (auto _ : state) {
        auto rows = TrackReportRows(*cues, kChannels);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_TrackReportRowsFullShow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WriteTrackReportFullShow(benchmark::State& state)
{
    const auto cues = bench::FullShowCues();
    const std::string path = TempFile();
    for (auto _ : state)
        if (!WriteTrackReport(*cues, kChannels, path))
            state.SkipWithError("write failed");
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteTrackReportFullShow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WriteCueListReportFullShow(benchmark::State& state)
{
    const auto cues = bench::FullShowCues();
    const std::string path = TempFile();
    for (auto _ : state)
        if (!WriteCueListReport(*cues, path))
            state.SkipWithError("write failed");
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteCueListReportFullShow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace lumora
