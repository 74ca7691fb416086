#include "effects/EffectReports.h"

#include "cues/CueReports.h"

namespace lumora {

namespace {

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

} // namespace

std::vector<TReportRow> EffectReportRows(const TEffect& effect, int number)
{
    std::vector<TReportRow> rows;
    std::string name = Trimmed(effect.Name.view());
    if (name.empty())
        name = kEffectBlankName;
    const std::string type = EffectTypeName(effect.EffectType);
    const std::string time = ReportTenths(effect.EffectTime);
    const std::string no = std::to_string(number);
    for (const TEffectEntry& e : effect.Entries) {
        if (e.EntryLevel == 0)
            continue;
        rows.push_back({no, name, type, time, std::to_string(e.EntryStep), std::to_string(e.EntryChannel),
                        std::to_string(e.EntryLevel * 100 / 255)});
    }
    return rows;
}

std::vector<TReportRow> EffectReportRows(const TEffects& effects, const TEffectReportChoice& choice)
{
    if (choice.currentOnly) {
        if (choice.current < 1 || choice.current > kEffects)
            return {};
        return EffectReportRows(effects[choice.current - 1], choice.current);
    }
    std::vector<TReportRow> rows;
    for (int n = 1; n <= kEffects; ++n) {
        auto more = EffectReportRows(effects[n - 1], n);
        rows.insert(rows.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    }
    return rows;
}

TReportOutcome PrintEffectReport(const TEffects& effects, const TEffectReportChoice& choice, IUserInterface& ui,
                                 const std::string& path)
{
    const auto rows = EffectReportRows(effects, choice); // may raise "Invalid effect type."
    std::string why;
    if (path.empty() || !WriteReportRows(path, rows, &why)) {
        ui.error("The report file could not be written." + (why.empty() ? std::string() : " (" + why + ")"));
        return TReportOutcome::WriteFailed;
    }
    return TReportOutcome::Written;
}

} // namespace lumora
