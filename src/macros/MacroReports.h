#pragma once

// The data of the macro report: one line per position of each macro that holds
// keystrokes, with the keystroke's name as the report spells it. The editor's "Print
// Macros" dialog and the command-line companion both write the file through these.
// Printing never changes the show.

#include "macros/Macro.h"
#include "print/ReportFiles.h"
#include "show/UserInterface.h"

#include <string>
#include <vector>

namespace lumora {

inline constexpr int kMacroReportFields = 3;

enum class TMacroReportMode { Current, Range, All };

struct TMacroReportChoice {
    TMacroReportMode mode = TMacroReportMode::All;
    int current = 1;      // the macro on show in the editor
    std::string fromText; // edtFrom
    std::string toText;   // edtTo
};

// The lines of one macro (none for an empty macro): a line for every position that is
// not the number of a special entry. A position no reading rule takes (255, a special
// too near the end) prints the report's name of its code.
std::vector<TReportRow> MacroReportRows(const TMacro& macro, int number);
std::vector<TReportRow> MacroReportRows(const TMacros& macros, int first, int last);
// Checks the range (with the dialog's messages) and writes the data file.
TReportOutcome PrintMacroReport(const TMacros& macros, const TMacroReportChoice& choice, IUserInterface& ui,
                                const std::string& path);

} // namespace lumora
