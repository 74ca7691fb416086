#pragma once

// The data of the effect report: one line per non-zero level of an effect, with the
// effect's number, name, type and time repeated on each. The editor's "Print Effects"
// dialog and the command-line companion both write the file through these. Printing
// never changes the show.

#include "effects/Effect.h"
#include "print/ReportFiles.h"
#include "show/UserInterface.h"

#include <string>
#include <vector>

namespace lumora {

inline constexpr const char kEffectBlankName[] = "<Blank>";
inline constexpr int kEffectReportFields = 7;

// Which effects: the one on show in the editor (1..50), or every effect.
struct TEffectReportChoice {
    bool currentOnly = false;
    int current = 1;
};

// The rows of one effect, in the order of its entries; none when no level is above 0.
std::vector<TReportRow> EffectReportRows(const TEffect& effect, int number);
std::vector<TReportRow> EffectReportRows(const TEffects& effects, const TEffectReportChoice& choice);
// Writes the data file; a file that cannot be written shows its error and gives
// WriteFailed.
TReportOutcome PrintEffectReport(const TEffects& effects, const TEffectReportChoice& choice, IUserInterface& ui,
                                 const std::string& path);

} // namespace lumora
