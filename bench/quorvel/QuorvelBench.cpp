// The Quorvel windows and the position report on a full Quorvel show, through the real
// windows on the offscreen platform (LUMORA_BENCH_QPA names another):
//   BM_QvTypeOpen, BM_QvDeviceOpen, BM_QvActionOpen, BM_QvPositionOpen
//                        from show() to the window painted, then its current item changed
//                        (the next type, another device row, the next action, the next
//                        position), events processed until the screen is up to date;
//   BM_QvPositionReport  the data file of a position of 20 devices with 25 attributes
//                        each written, read back and laid out into pages.
// Times are wall-clock per operation.

#include "print/ReportFiles.h"
#include "quorvel/QVDevice.h"
#include "quorvel/QVReportLayouts.h"
#include "quorvel/QVReports.h"
#include "quorvel/QVType.h"
#include "quorvel/qvAction.h"
#include "quorvel/qvPosition.h"
#include "support/QuietUi.h"
#include "widgets/Grid.h"
#include "widgets/ReportEngine.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QToolButton>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace lumora {
namespace {

using bench::TQuietUi;

// Every type with 39 named attributes (every third 16 bit), 40 devices, every action
// with 20 steps, every position with 20 devices.
void FillQuorvel(TQuorvel& q)
{
    for (int t = 1; t <= kQvTypes; ++t) {
        TQVType& type = q.type(t);
        type.name = "Type " + std::to_string(t);
        for (int k = 0; k < kQvAttributes; ++k) {
            type.attrNames[k] = "Attr" + std::to_string(k + 1);
            type.width[k] = k % 3 == 0 ? 1 : 0;
            type.source[k] = static_cast<std::uint8_t>(k % kQvSources);
            type.mastering[k] = static_cast<std::uint8_t>(k % 3);
        }
    }
    for (int d = 1; d <= kQvDevices; ++d)
        q.device(d) = {"Device " + std::to_string(d),
                       static_cast<std::uint16_t>((d - 1) % kQvTypes + 1),
                       static_cast<std::uint16_t>(1 + (d - 1) * 25),
                       {}};
    for (TQVAction& a : q.actions) {
        a.loops = 3;
        for (int i = 0; i < kQvSteps; ++i) {
            a.positions[i] = static_cast<std::uint16_t>(i + 1);
            a.times[i] = 25;
            a.delays[i] = 10;
        }
    }
    for (TQVPosition& p : q.positions) {
        p.timeMap.fill(50);
        for (int s = 0; s < kQvSlots; ++s) {
            p.slotDevices[s] = static_cast<std::uint8_t>(s + 1);
            p.slotMasters[s] = 255;
        }
        for (int i = 0; i < kQvMapSize; ++i)
            p.valueMap[i] = static_cast<std::uint8_t>(i % 256);
    }
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct TQvShow {
    TQuietUi ui;
    TEditorState state{ui};
    TQvShow() { FillQuorvel(state.show().quorvel); }
};

// Opens the window, changes its current item with change, closes it; the time of each.
template <class Window, class Change> void OpenAndChange(benchmark::State& state, Window& window, Change change)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        window.show();
        QCoreApplication::processEvents();
        change(window);
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
        window.hide();
        QCoreApplication::processEvents();
    }
}

void BM_QvTypeOpen(benchmark::State& state)
{
    TQvShow show;
    TfmQVType window(show.state, nullptr, nullptr);
    OpenAndChange(state, window, [](TfmQVType& w) { w.move(+1); });
}
BENCHMARK(BM_QvTypeOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_QvDeviceOpen(benchmark::State& state)
{
    TQvShow show;
    TfmQVDevice window(show.state);
    OpenAndChange(state, window, [](TfmQVDevice& w) { w.grid().setCurrentIndex(w.grid().gridModel().index(39, 1)); });
}
BENCHMARK(BM_QvDeviceOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_QvActionOpen(benchmark::State& state)
{
    TQvShow show;
    TfmQVAction window(show.state);
    OpenAndChange(state, window, [](TfmQVAction& w) { w.list().setCurrentIndex(w.list().gridModel().index(1, 1)); });
}
BENCHMARK(BM_QvActionOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_QvPositionOpen(benchmark::State& state)
{
    TQvShow show;
    TfmQVPosition window(show.state);
    OpenAndChange(state, window, [](TfmQVPosition& w) { w.move(+1); });
}
BENCHMARK(BM_QvPositionOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_QvPositionReport(benchmark::State& state)
{
    TQuietUi ui;
    TQuorvel q;
    TQVType& type = q.type(1);
    for (int k = 0; k < 25; ++k)
        type.attrNames[k] = "A" + std::to_string(k + 1);
    for (int d = 1; d <= kQvSlots; ++d) {
        q.device(d) = {"Device " + std::to_string(d), 1, static_cast<std::uint16_t>(1 + (d - 1) * 40), {}};
        q.position(1).slotDevices[d - 1] = static_cast<std::uint8_t>(d);
    }
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("rptQVpos.tmp")).toStdString();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (PrintQvPositionReport(q, "1", ui, path) != TReportOutcome::Written)
            state.SkipWithError("the report was not written");
        TReportDataSource source = QvPositionDataSource();
        source.open(QString::fromStdString(path));
        const TReportDocument document = LayOutReport(QvPositionLayout(), source);
        benchmark::DoNotOptimize(document.pageCount());
        state.SetIterationTime(Seconds(start));
    }
}
BENCHMARK(BM_QvPositionReport)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

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
