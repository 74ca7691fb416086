// lumora-cli-pdf.so: the report engine for lumora-cli's `--pdf`. It reads a report's
// data file through the report's data source, lays it out with the layout the editor's
// report window uses and paints it into a PDF, as the preview's Save as PDF does.

#include "cli/CliPdf.h"

#include "cues/printCueEditor.h"
#include "cues/printTrack.h"
#include "cues/rptCueList.h"
#include "effects/rptEffect.h"
#include "macros/printMacros4.h"
#include "patch/printPatch.h"
#include "patch/printProfiles.h"
#include "subs/rptSubList.h"
#include "subs/rptSubs.h"
#include "quorvel/QVReportLayouts.h"
#include "widgets/ReportEngine.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace lumora;
using lumora::cli::TPdfSink;

struct TPdfReport {
    std::string_view name; // as lumora-cli names it
    TReportDataSource (*source)();
    TReportLayout (*layout)();
    const char* title;
};

// Each report lumora-cli knows, with its window's data source and layout.
const TPdfReport kPdfReports[] = {
    {"cue-list", CueListDataSource, CueListLayout, kCueListReportTitle},
    {"cue-levels", CueLevelsDataSource, CueLevelsLayout, kCueLevelsReportTitle},
    {"track", TrackDataSource, TrackLayout, kTrackReportTitle},
    {"effects", EffectDataSource, EffectLayout, kEffectReportTitle},
    {"macros", MacroDataSource, MacroLayout, kMacroReportTitle},
    {"patch", PatchDataSource, PatchLayout, kPatchReportTitle},
    {"profiles", ProfilesDataSource, ProfilesLayout, kProfileReportTitle},
    {"subs", SubsDataSource, SubsLayout, kSubsReportTitle},
    {"sub-list", SubListDataSource, SubListLayout, kSubListReportTitle},
    {"qv-types", QvTypeDataSource, QvTypeLayout, kQvTypeReportTitle},
    {"qv-devices", QvDeviceDataSource, QvDeviceLayout, kQvDeviceReportTitle},
    {"qv-actions", QvActionDataSource, QvActionLayout, kQvActionReportTitle},
    {"qv-position", QvPositionDataSource, QvPositionLayout, kQvPositionReportTitle},
};

// Qt's own warnings (fonts, platform) are no concern of a command that succeeds; the
// last one is kept in case the write fails and it says why.
std::string g_lastQtMessage;

void KeepQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg) // Qt ends the process after this: say why, on one line
        std::fprintf(stderr, "lumora-cli: the report engine stopped: %s\n",
                     text.simplified().toLocal8Bit().constData());
    else if (type != QtDebugMsg && type != QtInfoMsg)
        g_lastQtMessage = text.toStdString();
}

// A PDF needs no window system, and the fonts come from fontconfig on every platform
// plugin: always the offscreen one (the command line wins over QT_QPA_PLATFORM), so a
// missing or unreachable display can neither stop the command nor show anything.
std::unique_ptr<QGuiApplication> StartQt(int& argc, char** argv)
{
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    return std::make_unique<QGuiApplication>(argc, argv);
}

int Fail(char* why, std::size_t whySize, const std::string& reason)
{
    if (why != nullptr && whySize > 0) {
        const std::size_t n = std::min(reason.size(), whySize - 1);
        std::memcpy(why, reason.data(), n);
        why[n] = '\0';
    }
    return 1;
}

// The PDF as the preview's Save as PDF writes it, made in memory: Qt's file writes do not
// report a full disk, so the bytes go to a file only through the program's checked save.
QByteArray PdfBytes(const TReportDocument& document, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Lumora Offline Editor"));
        writer.setTitle(title);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(document.pageLayout.pageSize(), document.pageLayout.orientation(),
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        PaintReport(writer, document);
    }
    return bytes;
}

int Render(const char* report, const char* dataFile, TPdfSink sink, void* context, char* why, std::size_t whySize)
{
    const auto* found = std::find_if(std::begin(kPdfReports), std::end(kPdfReports),
                                     [&](const TPdfReport& r) { return r.name == report; });
    if (found == std::end(kPdfReports))
        return Fail(why, whySize, std::string("the report module has no report \"") + report + "\"");

    g_lastQtMessage.clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepQtMessage);
    struct TRestore {
        QtMessageHandler handler;
        ~TRestore() { qInstallMessageHandler(handler); }
    } restore{previous};

    static char program[] = "lumora-cli";
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    char* argv[] = {program, platformOption, offscreen, nullptr};
    int argc = 3;
    const std::unique_ptr<QGuiApplication> app = StartQt(argc, argv);

    TReportDataSource source = found->source();
    if (!source.open(QString::fromLocal8Bit(dataFile)))
        return Fail(why, whySize, std::string(dataFile) + ": the report's data file cannot be read");
    const TReportDocument document = LayOutReport(found->layout(), source);
    source.close();
    const QByteArray pdf = PdfBytes(document, QString::fromLatin1(found->title));
    if (pdf.isEmpty())
        return Fail(why, whySize,
                    "the report engine made no PDF" + (g_lastQtMessage.empty() ? "" : " (" + g_lastQtMessage + ")"));
    sink(context, reinterpret_cast<const unsigned char*>(pdf.constData()), static_cast<std::size_t>(pdf.size()));
    return 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int lumora_cli_render_pdf(int abi, const char* report,
                                                                            const char* dataFile,
                                                                            lumora::cli::TPdfSink sink, void* context,
                                                                            char* why, std::size_t whySize)
{
    // The signature must stay the one the program calls through.
    [[maybe_unused]] constexpr lumora::cli::TRenderPdfFunction kChecked = &lumora_cli_render_pdf;
    if (abi != lumora::cli::kPdfModuleAbi)
        return Fail(why, whySize, "the report module belongs to another build of lumora-cli");
    if (report == nullptr || dataFile == nullptr || sink == nullptr)
        return Fail(why, whySize, "the report module was called without its data file or sink");
    try {
        return Render(report, dataFile, sink, context, why, whySize);
    } catch (const std::bad_alloc&) {
        return Fail(why, whySize, "out of memory");
    } catch (const std::exception& e) {
        return Fail(why, whySize, e.what());
    } catch (...) {
        return Fail(why, whySize, "the report engine failed");
    }
}
