// The crash-recovery snapshot of a full show (1000 cues and every other kind filled): what
// the editor's thread spends on it, and the whole snapshot written to disk through the
// safe save (temporary file, fsync, rename) as the writer's thread does it.

#include "show/EditorState.h"
#include "show/Recovery.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lumora;

struct TFullEditor {
    TFullEditor()
    {
        test::FillFullShow(state.show(), 2024);
        state.globals.notes = std::string(1024, 'n');
        state.globals.fileName = "/home/designer/Documents/My Shows/Full show.lmr";
        state.globals.showChanged = 1;
    }
    test::TRecordingUi ui;
    TEditorState state{ui};
    std::unique_ptr<TShowImage> scratch = std::make_unique<TShowImage>();
};

// What the editor's own thread spends on a snapshot: the compile into the private image,
// the encoding and the hand-over to the writer's thread (whose disk work is not waited for).
void BM_SnapshotTaken(benchmark::State& st)
{
    TFullEditor editor;
    test::TTempDir dir;
    const std::string path = dir.file("editor.snapshot");
    TSnapshotWriter writer;
    for (auto _ : st) {
        CompileSnapshotImage(editor.state, *editor.scratch);
        writer.write(path, EncodeRecoverySnapshot(editor.scratch->file(), editor.state.globals.fileName, 1));
        st.PauseTiming();
        writer.waitIdle();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_SnapshotTaken)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The writer thread's part, done here on the benchmark's thread (fsync included).
void BM_SnapshotWritten(benchmark::State& st)
{
    TFullEditor editor;
    test::TTempDir dir;
    const std::string path = dir.file("editor.snapshot");
    for (auto _ : st) {
        const bool ok = WriteRecoverySnapshot(editor.state, *editor.scratch, path, 1);
        if (!ok)
            st.SkipWithError("snapshot not written");
    }
}
BENCHMARK(BM_SnapshotWritten)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_SnapshotRead(benchmark::State& st)
{
    TFullEditor editor;
    test::TTempDir dir;
    const std::string path = dir.file("editor.snapshot");
    WriteRecoverySnapshot(editor.state, *editor.scratch, path, 1);
    for (auto _ : st) {
        auto snapshot = ReadRecoverySnapshot(path);
        if (!snapshot)
            st.SkipWithError("snapshot not read");
        benchmark::DoNotOptimize(snapshot);
    }
}
BENCHMARK(BM_SnapshotRead)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace
