// The tracking report of a full show without a channel limit (714 pages): written and
// laid out (goal 2 s), rendered to PDF (goal 10 s), and its first preview page on screen
// (goal 1 s). Runs offscreen.

#include "FullShowCues.h"
#include "cues/CueReports.h"
#include "cues/printTrack.h"
#include "print/Preview.h"
#include "widgets/ReportEngine.h"

#include <QApplication>
#include <QEventLoop>
#include <QPrintPreviewWidget>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace lumora {
namespace {

std::string TempFile(const char* extension)
{
    return (std::filesystem::temp_directory_path() / ("lumora-bench-" + std::to_string(::getpid()) + extension))
        .string();
}

TReportDocument TrackDocument(const TCueList& cues, const std::string& path)
{
    if (!WriteTrackReport(cues, kChannels, path))
        return {};
    TReportDataSource source = TrackDataSource();
    source.open(QString::fromStdString(path));
    return LayOutReport(TrackLayout(), source);
}

void BM_TrackReportWriteAndLayOut(benchmark::State& state)
{
    const auto cues = bench::FullShowCues();
    const std::string path = TempFile(".tmp");
    int pages = 0;
    for (auto _ : state)
        pages = TrackDocument(*cues, path).pageCount();
    if (pages != 714)
        state.SkipWithError("not 714 pages");
    std::filesystem::remove(path);
}
BENCHMARK(BM_TrackReportWriteAndLayOut)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TrackReportPdf(benchmark::State& state)
{
    const auto cues = bench::FullShowCues();
    const std::string data = TempFile(".tmp");
    const TReportDocument doc = TrackDocument(*cues, data);
    const QString pdf = QString::fromStdString(TempFile(".pdf"));
    for (auto _ : state)
        if (!SaveReportPdf(doc, pdf))
            state.SkipWithError("PDF not written");
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(pdf.toStdString()));
    std::filesystem::remove(data);
    std::filesystem::remove(pdf.toStdString());
}
BENCHMARK(BM_TrackReportPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

// From the laid-out report to the first page drawn in the preview window.
void BM_TrackReportFirstPreviewPage(benchmark::State& state)
{
    const auto cues = bench::FullShowCues();
    const std::string data = TempFile(".tmp");
    const TReportDocument doc = TrackDocument(*cues, data);
    for (auto _ : state) {
        TReportPreview preview(doc, QStringLiteral("Cue Tracking"));
        preview.show();
        QApplication::processEvents();
        QPrintPreviewWidget* widget = preview.previewWidget();
        const QImage shot = widget->grab().toImage(); // paints what is on screen
        benchmark::DoNotOptimize(shot.constBits());
        if (widget->pageCount() < 1)
            state.SkipWithError("no page in the preview");
        state.PauseTiming();
        preview.close();
        state.ResumeTiming();
    }
    std::filesystem::remove(data);
}
BENCHMARK(BM_TrackReportFirstPreviewPage)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// From the laid-out report to every page in the preview (the first ones shown meanwhile).
void BM_TrackReportWholePreview(benchmark::State& state)
{
    const auto cues = bench::FullShowCues();
    const std::string data = TempFile(".tmp");
    const TReportDocument doc = TrackDocument(*cues, data);
    for (auto _ : state) {
        TReportPreview preview(doc, QStringLiteral("Cue Tracking"));
        preview.show();
        while (!preview.complete())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (preview.previewWidget()->pageCount() != 714)
            state.SkipWithError("preview has not 714 pages");
        state.PauseTiming();
        preview.close();
        state.ResumeTiming();
    }
    std::filesystem::remove(data);
}
BENCHMARK(BM_TrackReportWholePreview)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace lumora

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
