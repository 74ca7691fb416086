// Unpack, compile and load of a full show: 1000 cues and every other kind filled.

#include "show/EditorState.h"
#include "show/Sections.h"
#include "show/ShowFile.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lumora;
constexpr TPresenceFlags kAll{1, 1, 1, 1, 1, 1, 1};

struct TFullShow {
    TFullShow()
    {
        test::FillFullShow(*show, 2024);
        CompileSections(*show, *image, kAll);
    }
    std::unique_ptr<TShow> show = std::make_unique<TShow>();
    std::unique_ptr<TShowImage> image = std::make_unique<TShowImage>();
};

void BM_UnpackFullShow(benchmark::State& st)
{
    TFullShow full;
    auto target = std::make_unique<TShow>();
    for (auto _ : st) {
        UnpackSections(*target, *full.image, kAll);
        benchmark::DoNotOptimize(target->cueList.count);
    }
}
BENCHMARK(BM_UnpackFullShow)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_CompileFullShow(benchmark::State& st)
{
    TFullShow full;
    for (auto _ : st) {
        CompileSections(*full.show, *full.image, kAll);
        benchmark::DoNotOptimize(full.image->file().data());
    }
}
BENCHMARK(BM_CompileFullShow)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_LoadShowFileFromCache(benchmark::State& st)
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    test::FillFullShow(state.show(), 7);
    test::TTempDir dir;
    const std::string path = dir.file("full.lmr");
    SaveShowFile(state, path);
    for (auto _ : st) {
        state.setAllPresent();
        LoadShowFile(state, path);
        benchmark::DoNotOptimize(state.show().cueList.count);
    }
}
BENCHMARK(BM_LoadShowFileFromCache)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_SaveShowFile(benchmark::State& st)
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    test::FillFullShow(state.show(), 7);
    test::TTempDir dir;
    const std::string path = dir.file("full.lmr");
    for (auto _ : st)
        SaveShowFile(state, path);
}
BENCHMARK(BM_SaveShowFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
