#include "cli/CliReports.h"

#include <algorithm>
#include <charconv>

namespace lumora::cli {

namespace {

// One row per report, in the order usage lists them. The cue reports slot in as their
// data code lands (cues/CueReports.h: each report's Print, with the dialog's choices made
// from the options by ChannelsOption and CueNumberOption):
//   {"cue-list", "", {}, <PrintCueListReport>, {}},
//   {"cue-levels", "--cue NUMBER [--channels N]", {{"--cue", true}, {"--channels", true}}, <...>, {}},
//   {"track", "[--channels N]", {{"--channels", true}}, <PrintTrackReport>, {}},
const std::vector<TCliReport> kReports = {};

// A whole number of digits only; false for anything else (signs, spaces, empty).
bool ParseDigits(std::string_view text, int& value)
{
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc{};
}

} // namespace

const std::vector<TCliReport>& CliReports()
{
    return kReports;
}

const TCliReport* FindCliReport(std::string_view name)
{
    const auto it = std::find_if(kReports.begin(), kReports.end(), [&](const TCliReport& r) { return r.name == name; });
    return it == kReports.end() ? nullptr : &*it;
}

int ChannelsOption(const TReportOptions& options, int fallback)
{
    const auto it = options.find("--channels");
    if (it == options.end())
        return fallback;
    if (it->second == "all")
        return 512;
    int n = 0;
    if (!ParseDigits(it->second, n) || n < 1 || n > 512)
        throw EUsageError("--channels must be 1..512 or all, not \"" + it->second + "\"");
    return n;
}

std::uint16_t CueNumberOption(const TReportOptions& options)
{
    const auto it = options.find("--cue");
    if (it == options.end())
        throw EUsageError("this report needs --cue NUMBER");
    const std::string_view text = it->second;
    const auto dot = text.find('.');
    int whole = 0;
    int tenth = 0;
    bool ok = ParseDigits(text.substr(0, dot), whole);
    if (ok && dot != std::string_view::npos)
        ok = text.size() == dot + 2 && ParseDigits(text.substr(dot + 1), tenth);
    const int tenths = whole * 10 + tenth;
    if (!ok || tenths < 1 || tenths > 9999)
        throw EUsageError("--cue must be a cue number 0.1..999.9, not \"" + it->second + "\"");
    return static_cast<std::uint16_t>(tenths);
}

} // namespace lumora::cli
