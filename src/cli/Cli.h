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

// Runs one command line (args without the program's name). JSON and summaries go to
// out, messages to err; `build -` reads its JSON from in.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The usage text, ending with a line break.
std::string UsageText();

} // namespace lumora::cli
