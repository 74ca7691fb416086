#include "cues/CueList.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace lumora {
namespace {

// Cue 1 a Preset with every channel lit, then 999 track cues; every fourth channel
// hard in every tenth cue, so the chains are long but not unbroken.
std::unique_ptr<TCueList> TrackingShow()
{
    auto list = std::make_unique<TCueList>();
    for (int k = 1; k <= kMaxCues; ++k) {
        TCueRecord& cue = list->cue(k);
        cue.number = static_cast<std::uint16_t>(k * 5);
        cue.type = k == 1 ? kCuePreset : kCueTrack;
        for (int c = 1; c <= kChannels; ++c) {
            if (k == 1 || (k % 10 == 0 && c % 4 == 0)) {
                cue.levels[c - 1] = static_cast<std::uint8_t>((k + c) & 0xFF);
                TCueList::SetHard(cue, c, true);
            }
        }
    }
    list->count = kMaxCues;
    list->current = 1;
    list->Retrack();
    return list;
}

void BM_RetrackThousandTrackCues(benchmark::State& state)
{
    auto list = TrackingShow();
    std::uint8_t level = 0;
    for (auto _ : state) {
        list->cue(1).levels[0] = ++level; // something for the retrack to carry
        list->Retrack();
        benchmark::DoNotOptimize(list->cue(kMaxCues).levels[0]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RetrackThousandTrackCues)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_SetLevelOnCueOneTracking(benchmark::State& state)
{
    auto list = TrackingShow();
    list->current = 1;
    std::uint8_t level = 0;
    for (auto _ : state) {
        list->SetLevel(list->currentCue(), 7, ++level);
        benchmark::DoNotOptimize(list->cue(kMaxCues).levels[6]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SetLevelOnCueOneTracking)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Not a stated goal, but the same kind of edit: a new track cue near the top of a
// full tracking show, which clears every channel of it (and the delete afterwards).
void BM_InsertAndDeleteTrackCue(benchmark::State& state)
{
    auto list = TrackingShow();
    list->count = kMaxCues - 1;
    list->cue(kMaxCues) = TCueRecord{};
    for (auto _ : state) {
        list->InsertCue(7, kCueTrack);
        list->DeleteCurrent();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_InsertAndDeleteTrackCue)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace
} // namespace lumora
