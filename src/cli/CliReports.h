#pragma once

// The reports `lumora-cli report NAME` can produce. Each report is one row of the table
// CliReports() returns: its name, its dialog's choices as options, and its own Print,
// which writes its data file. The data file is the --csv output as it stands; the PDF is
// drawn from it by the report engine in lumora-cli-pdf.so (cli/CliPdf.h).

#include "cues/CueReports.h"
#include "show/EditorState.h"
#include "show/UserInterface.h"

#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::cli {

// A command-line option: "--cue" with a value, "--strict" without.
struct TOptionSpec {
    std::string_view name;
    bool takesValue = false;
};

// The options given to a report, by name ("--cue" -> "12.5"); an option without a value maps to "".
using TReportOptions = std::map<std::string, std::string, std::less<>>;

// A bad option value: the command prints usage and exits with status 2.
class EUsageError final : public std::runtime_error {
public:
    explicit EUsageError(const std::string& message) : std::runtime_error(message) {}
};

// The report's own Print with the dialog's choices made: checks them with the dialog's
// messages (shown on ui) and writes the data file at path.
using TReportPrint = std::function<TReportOutcome(TEditorState& state, IUserInterface& ui, const std::string& path)>;

struct TCliReport {
    std::string_view name;            // "cue-list"
    std::string_view usage;           // its options, e.g. "--cue NUMBER [--channels N]"
    std::string_view defaults;        // what it prints when an option is left out (for usage)
    std::vector<TOptionSpec> options; // besides --csv and --pdf
    std::string_view dataFile;        // the editor's name for its data file
    // Reads the options into the dialog's choices (EUsageError for a bad value). Runs
    // before the show is opened, so a bad command line is told apart from a bad show.
    std::function<TReportPrint(const TReportOptions& options)> choose;
};

// Every report this build knows, in the order usage lists them.
const std::vector<TCliReport>& CliReports();
const TCliReport* FindCliReport(std::string_view name);

// ---- Making a report

enum class TReportOutput { Csv, Pdf };

// A report that could not be made: the command prints this one line and exits with 1.
class EReportFailed final : public std::runtime_error {
public:
    explicit EReportFailed(const std::string& message) : std::runtime_error(message) {}
};

// The report's Print writes its data file into a private folder of this run, as the
// editor writes it into its report folder; then that file (Csv) or the report engine's
// PDF of it (Pdf) replaces outputPath atomically, so a failure leaves no partial file.
// showName names the show in the report's own refusals ("Nothing to print. ...").
void WriteCliReport(const TCliReport& report, const TReportPrint& print, TEditorState& state, TReportOutput output,
                    const std::string& outputPath, const std::string& showName);

// ---- Option values shared by the reports

// "--channels N" (1..512) or "all" (512); fallback when the option is not given.
int ChannelsOption(const TReportOptions& options, int fallback = 25);
// "--cue NUMBER" as typed in the dialogs (0.1 .. 999.9, at most one decimal), in tenths.
std::uint16_t CueNumberOption(const TReportOptions& options);

} // namespace lumora::cli
