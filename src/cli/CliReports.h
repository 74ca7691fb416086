#pragma once

// The reports `lumora-cli report NAME` can produce. Each report is one row of the table
// CliReports() returns: its name, its dialog's choices as options, and the code that
// writes its data file (and, where a report engine is linked in, its PDF).

#include "show/EditorState.h"

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

struct TCliReport {
    std::string_view name;            // "cue-list"
    std::string_view usage;           // its options, e.g. "--cue NUMBER [--channels N]"
    std::vector<TOptionSpec> options; // besides --csv and --pdf
    // Writes the report's data file at csvPath exactly as the editor does (the report's
    // own Print with the dialog's choices). False when it did not: the refusal reached
    // the user interface as a box, or the file could not be written.
    std::function<bool(TEditorState& state, const TReportOptions& options, const std::string& csvPath)> csv;
    // The same rendered by the report engine as a PDF; empty in a build without it.
    std::function<bool(TEditorState& state, const TReportOptions& options, const std::string& pdfPath)> pdf;
};

// Every report this build knows, in the order usage lists them.
const std::vector<TCliReport>& CliReports();
const TCliReport* FindCliReport(std::string_view name);

// ---- Option values shared by the reports

// "--channels N" (1..512) or "all" (512); fallback when the option is not given.
int ChannelsOption(const TReportOptions& options, int fallback = 25);
// "--cue NUMBER" as typed in the dialogs (0.1 .. 999.9, at most one decimal), in tenths.
std::uint16_t CueNumberOption(const TReportOptions& options);

} // namespace lumora::cli
