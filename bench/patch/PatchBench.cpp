// The patch and profile editors through their real windows on the offscreen platform
// (LUMORA_BENCH_QPA names another):
//   BM_PatchOpen         from show() to page 1 of the patch painted;
//   BM_PatchPageChange   a click on the other page (nothing pending) to the new page painted;
//   BM_SetPatchApply     the Set Patch step over all 1024 rows selected (Channel with
//                        increment, Level, Nondim and Profile applied) and the grid redrawn;
//   BM_ProfileDrawMove   one mouse move while drawing on the chart: the working copy, the
//                        chart and the table updated and the changed parts painted;
//   BM_ProfileSmooth     ten smoothing passes over a curve with a spike (the rules alone).
// Times are wall-clock per operation, events processed until the screen is up to date.

#include "patch/PatchEditor.h"
#include "patch/ProfileEditor.h"
#include "support/QuietUi.h"
#include "widgets/Grid.h"
#include "widgets/ProfileChart.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QRadioButton>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <numeric>

namespace lumora {
namespace {

using bench::TQuietUi;

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

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

struct TPatchBench {
    TQuietUi ui;
    TEditorState state{ui};
    std::unique_ptr<TfmPatch> window;
    TPatchBench()
    {
        window = std::make_unique<TfmPatch>(state);
        window->resize(560, 900);
    }
    void show()
    {
        window->show();
        QCoreApplication::processEvents();
    }
};

void BM_PatchOpen(benchmark::State& state)
{
    TPatchBench bench;
    bench.show();
    bench.window->hide();
    QCoreApplication::processEvents();
    TPaintCounter counter;
    bench.window->grid().viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        counter.paints = 0;
        const auto start = std::chrono::steady_clock::now();
        bench.show();
        state.SetIterationTime(Seconds(start));
        if (counter.paints == 0) {
            state.SkipWithError("the grid was not painted");
            break;
        }
        bench.window->hide();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PatchOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_PatchPageChange(benchmark::State& state)
{
    TPatchBench bench;
    bench.state.show().patch(2).Clear();
    bench.show();
    auto* page1 = bench.window->findChild<QRadioButton*>(QStringLiteral("rbPage1"));
    auto* page2 = bench.window->findChild<QRadioButton*>(QStringLiteral("rbPage2"));
    int turn = 0;
    for (auto _ : state) {
        QRadioButton* target = (++turn % 2) ? page2 : page1;
        const auto start = std::chrono::steady_clock::now();
        target->click();
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
    if (bench.window->sheet().page() != (turn % 2 ? 2 : 1))
        state.SkipWithError("the page did not change");
}
BENCHMARK(BM_PatchPageChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_SetPatchApply(benchmark::State& state)
{
    TQuietUi ui;
    TEditorState show(ui);
    TPatchSheet sheet(show);
    sheet.open();
    TSetPatchValues values;
    values.show();
    values.editText(TSetPatchField::Channel, "1");
    values.editText(TSetPatchField::Level, "80");
    values.editCheck(TSetPatchField::Nondim, true);
    values.editText(TSetPatchField::Profile, "5");
    values.setIncrement(true);
    std::vector<int> rows(kDimmers);
    std::iota(rows.begin(), rows.end(), 1);
    for (auto _ : state) {
        sheet.applySetPatch(rows, values);
        benchmark::DoNotOptimize(sheet.row(1024));
    }
    if (sheet.row(512).channel != "512" || sheet.row(513).channel != "0")
        state.SkipWithError("the channels were not numbered");
}
BENCHMARK(BM_SetPatchApply)->Unit(benchmark::kMillisecond)->Repetitions(5);

struct TProfileBench {
    TQuietUi ui;
    TEditorState state{ui};
    std::unique_ptr<TfmProfile> window;
    TProfileBench()
    {
        window = std::make_unique<TfmProfile>(state);
        window->resize(1000, 700);
        window->show();
        QCoreApplication::processEvents();
    }
    QPointF at(int input, int output) const
    {
        const QRectF plot = window->chart().plotRect();
        return {plot.left() + (input + 0.5) * plot.width() / 256, plot.bottom() - (output + 0.5) * plot.height() / 256};
    }
};

void BM_ProfileDrawMove(benchmark::State& state)
{
    TProfileBench bench;
    TProfileChart& chart = bench.window->chart();
    const QPointF first = bench.at(100, 100);
    QMouseEvent press(QEvent::MouseButtonPress, first, chart.mapToGlobal(first), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&chart, &press);
    QCoreApplication::processEvents();
    TPaintCounter counter;
    chart.installEventFilter(&counter);
    int turn = 0;
    for (auto _ : state) {
        // Strokes of 10 inputs up and down the middle of the plot.
        ++turn;
        const QPointF p = bench.at(100 + (turn % 2) * 10, 60 + turn % 120);
        QMouseEvent move(QEvent::MouseMove, p, chart.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        const auto start = std::chrono::steady_clock::now();
        QApplication::sendEvent(&chart, &move);
        QCoreApplication::processEvents(); // paints what the move made dirty, as on screen
        state.SetIterationTime(Seconds(start));
    }
    if (counter.paints == 0)
        state.SkipWithError("the chart was not painted");
    if (!bench.window->sheet().changed())
        state.SkipWithError("nothing was drawn");
}
BENCHMARK(BM_ProfileDrawMove)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_ProfileSmooth(benchmark::State& state)
{
    TQuietUi ui;
    TEditorState show(ui);
    TProfileSheet sheet(show);
    sheet.open();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kProfilePoints; ++i)
            sheet.editOut(i, std::to_string(i % 16 == 0 ? 255 : i));
        state.ResumeTiming();
        sheet.smooth(10);
    }
    if (sheet.chartValue(16) > 250)
        state.SkipWithError("nothing was smoothed");
}
BENCHMARK(BM_ProfileSmooth)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace
} // namespace lumora

int main(int argc, char** argv)
{
    const char* qpa = std::getenv("LUMORA_BENCH_QPA");
    qputenv("QT_QPA_PLATFORM", qpa && *qpa ? qpa : "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
