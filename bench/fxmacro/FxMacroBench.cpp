// The effect and macro editors through their real windows on the offscreen platform
// (LUMORA_BENCH_QPA names another, xcb under Xvfb for example), 1280 x 1024:
//   BM_EffectOpen     from show() to the sheet painted, effect 1 full (496 entries);
//   BM_EffectChange   choosing another full effect from the list, painted;
//   BM_EffectStore    storing a full effect from the sheet into the show;
//   BM_EffectPaint    one screenful of the 100 x 513 sheet painted;
//   BM_MacroOpen      from show() to the 2500-row list with its marks painted;
//   BM_MacroKey       a keyboard button clicked, to the key list painted.
// Times are wall-clock per operation, events processed until the screen is up to date.

#include "cues/CueDialogs.h"
#include "effects/EffectWindow.h"
#include "macros/Macro2.h"
#include "support/QuietUi.h"
#include "widgets/Grid.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>

#include <chrono>
#include <cstdlib>
#include <memory>

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

// Effects 1..50 full: 496 entries spread over the first 50 steps and the channels on
// screen and off it.
void FillEffects(TShow& show)
{
    for (int n = 1; n <= kEffects; ++n) {
        TEffect& e = show.effect(n);
        e.Name.assign("Full " + std::to_string(n));
        e.EffectTime = 25;
        for (int k = 0; k < kEffectEntries; ++k)
            e.Entries[k] = {static_cast<std::uint16_t>(1 + (k % 10) * 50 + n % 7),
                            static_cast<std::uint8_t>((k * 13 + n) % 256), static_cast<std::uint8_t>(1 + k / 10)};
        e.StepCount = 50;
    }
}

void FillMacros(TShow& show)
{
    for (int n = 1; n <= kMacros; n += 3) {
        TMacro& m = show.macro(n);
        m.Keys = {19, 20, 69, 70};
        m.KeyCount = 4;
    }
}

struct TEffectBench {
    TQuietUi ui;
    TEditorState state{ui};
    TCueDialogs dialogs{ui};
    std::unique_ptr<TfmEffect> window;

    TEffectBench()
    {
        FillEffects(state.show());
        window = std::make_unique<TfmEffect>(state, dialogs);
        window->resize(1280, 1024);
    }
};

void BM_EffectOpen(benchmark::State& state)
{
    TEffectBench bench;
    bench.window->show();
    QCoreApplication::processEvents();
    bench.window->hide();
    QCoreApplication::processEvents();
    TPaintCounter counter;
    bench.window->grid().viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        counter.paints = 0;
        const auto start = std::chrono::steady_clock::now();
        bench.window->show();
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
        if (counter.paints == 0) {
            state.SkipWithError("the sheet was not painted");
            break;
        }
        bench.window->hide();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EffectOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_EffectChange(benchmark::State& state)
{
    TEffectBench bench;
    bench.window->show();
    QCoreApplication::processEvents();
    auto* list = bench.window->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    int turn = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        list->setCurrentRow(++turn % 2 ? 1 : 0);
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
    if (bench.window->sheet().filledCells() != kEffectEntries)
        state.SkipWithError("the effect was not shown");
}
BENCHMARK(BM_EffectChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_EffectStore(benchmark::State& state)
{
    TQuietUi ui;
    TEditorState editor(ui);
    FillEffects(editor.show());
    TEffectSheet sheet(editor);
    sheet.open();
    int turn = 0;
    for (auto _ : state) {
        sheet.applyLevelText(1, 2, ++turn % 2 ? "40" : "60"); // a cell of the full effect, retyped
        const auto start = std::chrono::steady_clock::now();
        const bool stored = sheet.store({});
        state.SetIterationTime(Seconds(start));
        if (!stored) {
            state.SkipWithError("the store failed");
            break;
        }
    }
}
BENCHMARK(BM_EffectStore)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(5);

void BM_EffectPaint(benchmark::State& state)
{
    TEffectBench bench;
    bench.window->show();
    QCoreApplication::processEvents();
    TGrid& grid = bench.window->grid();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        grid.viewport()->repaint();
        grid.frozenView()->viewport()->repaint();
        state.SetIterationTime(Seconds(start));
    }
    const QRect area = grid.viewport()->rect();
    state.counters["cells"] = double(long(grid.rowAt(area.bottom()) - grid.rowAt(0) + 1) *
                                     (grid.columnAt(area.right()) - grid.columnAt(0) + 1));
}
BENCHMARK(BM_EffectPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

struct TMacroBench {
    TQuietUi ui;
    TEditorState state{ui};
    std::unique_ptr<TfmMacro2> window;

    TMacroBench()
    {
        FillMacros(state.show());
        window = std::make_unique<TfmMacro2>(state);
    }
};

void BM_MacroOpen(benchmark::State& state)
{
    TMacroBench bench;
    bench.window->show();
    QCoreApplication::processEvents();
    bench.window->hide();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        bench.window->show();
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
        bench.window->hide();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MacroOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_MacroKey(benchmark::State& state)
{
    TMacroBench bench;
    bench.window->show();
    QCoreApplication::processEvents();
    auto* key = bench.window->findChild<QPushButton*>(QStringLiteral("btnKey19"));
    for (auto _ : state) {
        if (bench.window->keyList().byteCount() >= 19) {
            state.PauseTiming();
            while (bench.window->keyList().entryCount() > 4)
                bench.window->deleteKey();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        const auto start = std::chrono::steady_clock::now();
        key->click();
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
}
BENCHMARK(BM_MacroKey)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

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
