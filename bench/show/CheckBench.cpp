// Checking a full show, and comparing two full shows (the differences and their text).

#include "show/ShowCheck.h"
#include "show/ShowDiff.h"
#include "support/ConsistentShow.h"
#include "support/RandomShow.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace lumora;

// A consistent full show, and the same show with every cue changed: its fade up time
// and a tenth of its levels.
struct TShows {
    TShows()
    {
        test::FillConsistentFullShow(*a, 2024);
        *b = *a;
        for (int k = 1; k <= b->cueList.count; ++k) {
            TCueRecord& cue = b->cueList.cue(k);
            cue.timeUp = static_cast<std::uint16_t>((cue.timeUp + 7) % 10000);
            for (int c = k % 10; c < kChannels; c += 10)
                cue.levels[c] = static_cast<std::uint8_t>(cue.levels[c] + 40);
        }
    }
    std::unique_ptr<TShow> a = std::make_unique<TShow>();
    std::unique_ptr<TShow> b = std::make_unique<TShow>();
    std::string notes;
};

void BM_CheckConsistentFullShow(benchmark::State& st)
{
    TShows shows;
    for (auto _ : st) {
        auto findings = CheckShow(*shows.a);
        benchmark::DoNotOptimize(findings.data());
    }
}
BENCHMARK(BM_CheckConsistentFullShow)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The random full show breaks most rules many times over: the check with thousands of findings.
void BM_CheckRandomFullShow(benchmark::State& st)
{
    auto show = std::make_unique<TShow>();
    test::FillFullShow(*show, 2024);
    for (auto _ : st) {
        auto findings = CheckShow(*show);
        st.counters["findings"] = static_cast<double>(findings.size());
        benchmark::DoNotOptimize(findings.data());
    }
}
BENCHMARK(BM_CheckRandomFullShow)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_DiffEveryCueChanged(benchmark::State& st)
{
    TShows shows;
    for (auto _ : st) {
        TShowDiff diff = DiffShows({shows.a.get(), &shows.notes}, {shows.b.get(), &shows.notes});
        benchmark::DoNotOptimize(diff.groups.data());
    }
}
BENCHMARK(BM_DiffEveryCueChanged)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_DiffTextEveryCueChanged(benchmark::State& st)
{
    TShows shows;
    for (auto _ : st) {
        const std::string text =
            FormatDiffText(DiffShows({shows.a.get(), &shows.notes}, {shows.b.get(), &shows.notes}));
        st.counters["bytes"] = static_cast<double>(text.size());
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_DiffTextEveryCueChanged)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Two unrelated full shows: every cue, sub, effect, macro, dimmer and Quorvel object differs.
void BM_DiffTextTwoRandomFullShows(benchmark::State& st)
{
    auto a = std::make_unique<TShow>(), b = std::make_unique<TShow>();
    test::FillFullShow(*a, 1);
    test::FillFullShow(*b, 2);
    const std::string notes;
    for (auto _ : st) {
        const std::string text = FormatDiffText(DiffShows({a.get(), &notes}, {b.get(), &notes}));
        st.counters["bytes"] = static_cast<double>(text.size());
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_DiffTextTwoRandomFullShows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
