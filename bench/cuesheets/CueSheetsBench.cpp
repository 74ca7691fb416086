// The tracking editor on a show of 1000 cues, through its real window on the offscreen
// platform (LUMORA_BENCH_QPA names another, xcb under Xvfb for example):
//   BM_TrackOpen          from show() to the filled sheet painted on screen; the counter
//                         added_MB is what the window added to the process's resident
//                         memory, made and opened once, as the main window does;
//   BM_TrackTypeLevel     a level typed into cue 1 with 999 track cues tracking it: the
//                         retrack and the redraw of the one column;
//   BM_TrackTypeChange    a type chosen for one row (Preset and Track in turn) and the
//                         redraw of that row;
//   BM_TrackPaint         one screenful of cells painted (1280 x 1024 window), scrolled
//                         into the middle of the show.
// Times are wall-clock per operation, events processed until the screen is up to date.

#include "cues/CueDialogs.h"
#include "cues/Track.h"
#include "show/ValueHelpers.h"
#include "support/QuietUi.h"
#include "widgets/Grid.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace lumora {
namespace {

using bench::TQuietUi;

// Cue 1 a Preset with every channel set, cues 2..1000 Track cues tracking it, every tenth
// with a few hard levels of its own (none on channel 1, so a change there runs through
// all 999).
void FillShow(TCueList& list)
{
    list.Clear();
    for (int k = 1; k <= kMaxCues; ++k) {
        TCueRecord& cue = list.cue(k);
        cue.number = static_cast<std::uint16_t>(k * 10);
        cue.type = k == 1 ? kCuePreset : kCueTrack;
        for (int c = 1; c <= kChannels; ++c)
            if (k == 1 || (k % 10 == 0 && c % 5 == 0)) {
                cue.levels[c - 1] = static_cast<std::uint8_t>((c * 7 + k) % 256);
                TCueList::SetHard(cue, c, true);
            }
    }
    list.count = kMaxCues;
    list.current = 1;
    list.Retrack();
}

long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Counts the paint events of a widget: "shown" means the sheet's cells were painted.
class TPaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// What making and opening the window added to the resident memory, measured once, after
// Qt itself has been warmed up by a window over an empty show (the running editor has
// loaded its fonts and style long before).
double g_addedMegabytes = -1;

struct TTrackBench {
    TQuietUi ui;
    TEditorState state{ui};
    TCueDialogs dialogs{ui};
    std::unique_ptr<TfmTrack> window;

    TTrackBench()
    {
        FillShow(state.show().cueList);
        window = std::make_unique<TfmTrack>(state, dialogs);
        window->resize(1280, 1024);
    }
    void show()
    {
        window->show();
        QCoreApplication::processEvents();
    }
};

void MeasureAddedMemory()
{
    {
        TQuietUi ui;
        TEditorState empty(ui);
        TCueDialogs dialogs(ui);
        TfmTrack warmUp(empty, dialogs);
        warmUp.show();
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    const long before = ResidentBytes();
    TTrackBench bench;
    bench.show();
    g_addedMegabytes = double(ResidentBytes() - before) / (1024 * 1024);
}

void BM_TrackOpen(benchmark::State& state)
{
    TTrackBench bench;
    bench.show();
    bench.window->hide();
    bench.window->grid().setDimensions(0, kTrackColumnCount);
    QCoreApplication::processEvents();
    TPaintCounter counter;
    bench.window->grid().viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        counter.paints = 0;
        const auto start = std::chrono::steady_clock::now();
        bench.show();
        state.SetIterationTime(Seconds(start));
        if (counter.paints == 0) {
            state.SkipWithError("the sheet was not painted");
            break;
        }
        // As if last opened on another show: the next opening lays out all its rows anew.
        bench.window->hide();
        bench.window->grid().setDimensions(0, kTrackColumnCount);
        QCoreApplication::processEvents();
    }
    state.counters["added_MB"] = g_addedMegabytes;
}
BENCHMARK(BM_TrackOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_TrackTypeLevel(benchmark::State& state)
{
    TTrackBench bench;
    bench.show();
    TGrid& grid = bench.window->grid();
    const int column = TrackChannelColumn(1);
    int turn = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        emit grid.cellEdited(0, column, (++turn % 2) ? QStringLiteral("40") : QStringLiteral("90"));
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
    if (LevelToPercent(bench.window->sheet().working().cue(kMaxCues).levels[0]) == 0)
        state.SkipWithError("the level did not track");
}
BENCHMARK(BM_TrackTypeLevel)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_TrackTypeChange(benchmark::State& state)
{
    TTrackBench bench;
    bench.show();
    TGrid& grid = bench.window->grid();
    int turn = 0;
    for (auto _ : state) {
        const int code = (++turn % 2) ? kCuePreset : kCueTrack;
        const auto start = std::chrono::steady_clock::now();
        emit grid.listChosen(5, kTrackTypeColumn, code, QString());
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
}
BENCHMARK(BM_TrackTypeChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_TrackPaint(benchmark::State& state)
{
    TTrackBench bench;
    bench.show();
    TGrid& grid = bench.window->grid();
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum() / 2);
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum() / 3);
    QCoreApplication::processEvents();
    long cells = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        grid.viewport()->repaint();
        grid.frozenView()->viewport()->repaint();
        state.SetIterationTime(Seconds(start));
    }
    const QRect area = grid.viewport()->rect();
    cells = long(grid.rowAt(area.bottom()) - grid.rowAt(0) + 1) * (grid.columnAt(area.right()) - grid.columnAt(0) + 1);
    state.counters["cells"] = double(cells);
}
BENCHMARK(BM_TrackPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace
} // namespace lumora

int main(int argc, char** argv)
{
    const char* qpa = std::getenv("LUMORA_BENCH_QPA");
    qputenv("QT_QPA_PLATFORM", qpa && *qpa ? qpa : "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    lumora::MeasureAddedMemory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
