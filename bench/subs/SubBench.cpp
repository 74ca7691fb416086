// The submaster windows and the submaster levels report on a show whose 288 subs are all
// named, typed and full of levels, through the real windows on the offscreen platform
// (LUMORA_BENCH_QPA names another):
//   BM_SubEditOpen        from show() to the editor on screen with page 1 sub 1 (goal 20 ms);
//   BM_SubEditNextSub     the right arrow: the next sub drawn (goal 20 ms);
//   BM_SubListPageChange  a page button: the next page loaded and drawn (goal 10 ms);
//   BM_SubsReportWriteAndLayOut  "All Named Subs" with every channel, 147,456 records:
//                         the data file written, read back and laid out (goal 0.5 s);
//   BM_SubsReportPdf      that report painted as a PDF file (goal 3 s).
// Times are wall-clock per operation, events processed until the screen is up to date.

#include "cues/CueDialogs.h"
#include "print/Preview.h"
#include "subs/SubEdit.h"
#include "subs/SubList.h"
#include "subs/SubReports.h"
#include "subs/rptSubs.h"
#include "support/QuietUi.h"
#include "widgets/ReportEngine.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace lumora {
namespace {

using bench::TQuietUi;

void FillSubs(TSubPages& subs)
{
    for (int p = 0; p < kSubPages; ++p)
        for (int s = 0; s < kSubsPerPage; ++s) {
            TSub& sub = subs[p][s];
            sub.SubType = static_cast<std::uint8_t>(1 + (p + s) % 3);
            sub.Name = "Look " + std::to_string(p + 1) + "-" + std::to_string(s + 1);
            sub.TimeUp = static_cast<std::uint16_t>(p * 100 + s);
            sub.TimeHold = 50;
            sub.TimeDown = 9999;
            for (int c = 0; c < 512; ++c)
                sub.Levels[c] = static_cast<std::uint8_t>(1 + (c * 7 + s + p) % 255);
        }
}

std::string TempFile(const char* extension)
{
    return (std::filesystem::temp_directory_path() / ("lumora-subs-bench-" + std::to_string(::getpid()) + extension))
        .string();
}

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

struct TSubsShow {
    TQuietUi ui;
    TEditorState state{ui};
    TCueDialogs dialogs{ui};
    TSubsShow() { FillSubs(state.show().subs); }
};

void BM_SubEditOpen(benchmark::State& state)
{
    TSubsShow show;
    TfmSubEdit editor(show.state, show.dialogs);
    editor.show(); // the first opening loads fonts and style, as the running editor has long done
    QCoreApplication::processEvents();
    editor.hide();
    for (auto _ : state) {
        const auto start = Clock::now();
        editor.show();
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
        editor.hide();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SubEditOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_SubEditNextSub(benchmark::State& state)
{
    TSubsShow show;
    TfmSubEdit editor(show.state, show.dialogs);
    editor.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (editor.session().page() == kSubPages && editor.session().sub() == kSubsPerPage) {
            editor.hide(); // back to page 1 sub 1, outside the timing
            editor.show();
            QCoreApplication::processEvents();
        }
        const auto start = Clock::now();
        editor.nextSub();
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
}
BENCHMARK(BM_SubEditNextSub)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_SubListPageChange(benchmark::State& state)
{
    TSubsShow show;
    TfmSubList list(show.state);
    list.show();
    QCoreApplication::processEvents();
    int page = 1;
    for (auto _ : state) {
        page = page % kSubPages + 1;
        const auto start = Clock::now();
        list.findChild<QPushButton*>(QStringLiteral("SubPanel%1").arg(page))->click();
        QCoreApplication::processEvents();
        state.SetIterationTime(Seconds(start));
    }
    if (list.sheet().page() != page)
        state.SkipWithError("the page did not change");
}
BENCHMARK(BM_SubListPageChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

TReportDocument SubsDocument(const TSubPages& subs, IUserInterface& ui, const std::string& path)
{
    if (PrintSubsReport(subs, TSubsChoice{}, ui, path) != TReportOutcome::Written)
        return {};
    TReportDataSource source = SubsDataSource();
    source.open(QString::fromStdString(path));
    return LayOutReport(SubsLayout(), source);
}

void BM_SubsReportWriteAndLayOut(benchmark::State& state)
{
    TSubsShow show;
    const std::string path = TempFile(".tmp");
    int pages = 0;
    for (auto _ : state)
        pages = SubsDocument(show.state.show().subs, show.ui, path).pageCount();
    state.counters["pages"] = pages;
    state.counters["records"] = 288 * 512;
    std::filesystem::remove(path);
}
BENCHMARK(BM_SubsReportWriteAndLayOut)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SubsReportPdf(benchmark::State& state)
{
    TSubsShow show;
    const std::string data = TempFile(".tmp");
    const TReportDocument doc = SubsDocument(show.state.show().subs, show.ui, data);
    const QString pdf = QString::fromStdString(TempFile(".pdf"));
    for (auto _ : state)
        if (!SaveReportPdf(doc, pdf))
            state.SkipWithError("PDF not written");
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(pdf.toStdString()));
    std::filesystem::remove(data);
    std::filesystem::remove(pdf.toStdString());
}
BENCHMARK(BM_SubsReportPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

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
