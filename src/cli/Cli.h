#pragma once

// lumora-cli: the editor's headless companion. Every command exits 0 on success; a
// failure prints one line to standard error and exits 1; a command line it does not
// understand prints usage and exits 2.

#include <iosfwd>
#include <string>
#include <vector>

namespace lumora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// check: errors found (1), only warnings (3); diff: the shows differ (1). A check or diff
// that cannot read its shows fails with the usual line and 4, so no script takes a
// missing file for a finding.
inline constexpr int kExitCheckErrors = 1;
inline constexpr int kExitCheckWarnings = 3;
inline constexpr int kExitDiffers = 1;
inline constexpr int kExitTrouble = 4;

// Runs one command line (args without the program's name). JSON and summaries go to
// out, messages to err; `build -` reads its JSON from in.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The usage text, ending with a line break.
std::string UsageText();

} // namespace lumora::cli
