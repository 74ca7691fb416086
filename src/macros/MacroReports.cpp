#include "macros/MacroReports.h"

#include "macros/KeyNames.h"
#include "print/ReportChoice.h"

#include <algorithm>

namespace lumora {

std::vector<TReportRow> MacroReportRows(const TMacro& macro, int number)
{
    std::vector<TReportRow> rows;
    if (macro.KeyCount == 0)
        return rows;
    const std::string no = std::to_string(number);
    const auto& keys = macro.Keys;
    int line = 0;
    for (int i = 1; i <= kMacroKeys; ++i) {
        const std::uint8_t c = keys[i - 1];
        std::string text;
        if ((c == kKeyRunPosition || c == kKeyRunAction) && i < kMacroKeys) {
            text = KeystrokeText(c, keys[i], 0, TKeyNameVariant::Report);
            i += 1;
        } else if (c == kKeyLoadSubHandle && i < kMacroKeys - 1) {
            text = KeystrokeText(c, keys[i], keys[i + 1], TKeyNameVariant::Report);
            i += 2;
        } else {
            text = KeyName(c, TKeyNameVariant::Report); // "" for 0, "EMPTYEND", "<undefined>"
        }
        rows.push_back({no, std::to_string(++line), text});
    }
    return rows;
}

std::vector<TReportRow> MacroReportRows(const TMacros& macros, int first, int last)
{
    std::vector<TReportRow> rows;
    first = std::max(first, 1);
    last = std::min(last, kMacros);
    for (int n = first; n <= last; ++n) {
        auto more = MacroReportRows(macros[n - 1], n);
        rows.insert(rows.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    }
    return rows;
}

TReportOutcome PrintMacroReport(const TMacros& macros, const TMacroReportChoice& choice, IUserInterface& ui,
                                const std::string& path)
{
    int first = 1, last = kMacros;
    switch (choice.mode) {
    case TMacroReportMode::All: break;
    case TMacroReportMode::Current: first = last = std::clamp(choice.current, 1, kMacros); break;
    case TMacroReportMode::Range: {
        const auto range = ReadFromTo(choice.fromText, choice.toText, 1, kMacros, "macro", ui);
        if (!range)
            return TReportOutcome::Refused;
        first = range->first;
        last = range->second;
        break;
    }
    }
    std::string why;
    if (path.empty() || !WriteReportRows(path, MacroReportRows(macros, first, last), &why)) {
        ui.error("The report file could not be written." + (why.empty() ? std::string() : " (" + why + ")"));
        return TReportOutcome::WriteFailed;
    }
    return TReportOutcome::Written;
}

} // namespace lumora
