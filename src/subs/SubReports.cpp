#include "subs/SubReports.h"

#include "cues/CueReports.h"
#include "print/ReportChoice.h"
#include "show/LumoraError.h"
#include "subs/SubEditSession.h"

namespace lumora {

namespace {

constexpr int kMaxChannel = 512;
// A reset sub's line reads like "3,7,,,0,0,0": only longer lines are printed.
constexpr std::size_t kResetLineLength = 13;

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::optional<int> ReadNumber(const std::string& text, int lowest, int highest)
{
    const auto n = ReadWholeNumber(text);
    if (!n || *n < lowest || *n > highest)
        return std::nullopt;
    return n;
}

bool Blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

TReportOutcome WriteRows(const std::optional<std::vector<TReportRow>>& rows, const std::string& path)
{
    if (!rows)
        return TReportOutcome::Refused;
    return WriteReportRows(path, *rows) ? TReportOutcome::Written : TReportOutcome::WriteFailed;
}

} // namespace

// ---- Text forms

int ReportSubPercent(std::uint8_t level)
{
    return level * 100 / 255; // exact: level / 2.55 without the binary error of 2.55
}

std::string ReportChanLevel(int channel, std::uint8_t level)
{
    std::string text = std::to_string(channel) + ": ";
    if (level != 0)
        text += std::to_string(ReportSubPercent(level));
    return text;
}

std::vector<std::string> SubHeaderFields(const TSub& sub, int page, int number)
{
    return {std::to_string(page),     std::to_string(number),     Trimmed(sub.Name.view()),  SubTypeName(sub.SubType),
            ReportTenths(sub.TimeUp), ReportTenths(sub.TimeHold), ReportTenths(sub.TimeDown)};
}

// ---- Submaster levels report

std::optional<int> SubsChannelLimit(const TSubsChoice& choice, IUserInterface& ui)
{
    if (!choice.limitChannels)
        return kMaxChannel;
    if (Blank(choice.channelText)) {
        ui.warning(kMsgNoMaximumChannel);
        return 0; // the report is still made, with its headers alone
    }
    const auto number = ReadWholeNumber(choice.channelText);
    if (!number)
        throw ELumoraError(kMsgNotValidChannel);
    if (*number < 1 || *number > kMaxChannel) {
        ui.warning(std::string(kMsgChannelBetweenPrefix) + std::to_string(kMaxChannel) + ".");
        return std::nullopt;
    }
    return *number;
}

void AppendSubLevelRows(std::vector<TReportRow>& rows, const TSub& sub, int page, int number, int limit)
{
    const TReportRow header = SubHeaderFields(sub, page, number);
    if (limit <= 0) {
        TReportRow row = header;
        row.emplace_back();
        rows.push_back(std::move(row));
        return;
    }
    for (int channel = 1; channel <= std::min(limit, kMaxChannel); ++channel) {
        TReportRow row;
        row.reserve(header.size() + 1);
        row = header;
        row.push_back(ReportChanLevel(channel, sub.Levels[channel - 1]));
        rows.push_back(std::move(row));
    }
}

namespace {

// The subs a levels report prints, and up to which channel.
struct TSubsSelection {
    std::vector<std::pair<int, int>> subs; // page, sub
    int limit = 0;
};

std::optional<TSubsSelection> SelectSubs(const TSubPages& subs, const TSubsChoice& choice, IUserInterface& ui)
{
    // The channel limit, then the sub: every choice is checked before anything is written.
    const auto limit = SubsChannelLimit(choice, ui);
    if (!limit)
        return std::nullopt;
    TSubsSelection selection;
    selection.limit = *limit;
    int page = choice.currentPage;
    int number = choice.currentSub;
    if (choice.mode == TSubsMode::Range) {
        if (Blank(choice.pageText) || Blank(choice.subText)) {
            ui.warning(kMsgSubsBothEntries);
            return std::nullopt;
        }
        const auto p = ReadNumber(choice.pageText, 1, kSubPages);
        if (!p) {
            ui.warning(kMsgSubsValidPage);
            return std::nullopt;
        }
        const auto s = ReadNumber(choice.subText, 1, kSubsPerPage);
        if (!s) {
            ui.warning(kMsgSubsValidSub);
            return std::nullopt;
        }
        page = *p;
        number = *s;
    }
    if (choice.mode == TSubsMode::All) {
        for (int p = 1; p <= kSubPages; ++p)
            for (int s = 1; s <= kSubsPerPage; ++s)
                if (!Trimmed(subs[p - 1][s - 1].Name.view()).empty())
                    selection.subs.emplace_back(p, s);
        return selection;
    }
    if (page < 1 || page > kSubPages || number < 1 || number > kSubsPerPage)
        page = number = 1;
    selection.subs.emplace_back(page, number);
    return selection;
}

// The file's text straight from the subs: a sub's seven header fields are made once and
// repeated on each of its lines (a channel field never needs quoting). Gives the same
// bytes as CsvText of the rows.
std::string SubsReportText(const TSubPages& subs, const TSubsSelection& selection)
{
    std::string text;
    text.reserve(selection.subs.size() * static_cast<std::size_t>(std::max(selection.limit, 1)) * 40);
    for (const auto& [page, number] : selection.subs) {
        const TSub& sub = subs[page - 1][number - 1];
        std::string header = CsvLine(SubHeaderFields(sub, page, number));
        header.resize(header.size() - 2); // its CR LF
        header.push_back(',');
        if (selection.limit <= 0) {
            text += header;
            text += "\r\n";
            continue;
        }
        for (int channel = 1; channel <= std::min(selection.limit, kMaxChannel); ++channel) {
            text += header;
            text += ReportChanLevel(channel, sub.Levels[channel - 1]);
            text += "\r\n";
        }
    }
    return text;
}

} // namespace

std::optional<std::vector<TReportRow>> SubsReportRows(const TSubPages& subs, const TSubsChoice& choice,
                                                      IUserInterface& ui)
{
    const auto selection = SelectSubs(subs, choice, ui);
    if (!selection)
        return std::nullopt;
    std::vector<TReportRow> rows;
    for (const auto& [page, number] : selection->subs)
        AppendSubLevelRows(rows, subs[page - 1][number - 1], page, number, selection->limit);
    return rows;
}

TReportOutcome PrintSubsReport(const TSubPages& subs, const TSubsChoice& choice, IUserInterface& ui,
                               const std::string& path)
{
    const auto selection = SelectSubs(subs, choice, ui);
    if (!selection)
        return TReportOutcome::Refused;
    return WriteReportFile(path, SubsReportText(subs, *selection)) ? TReportOutcome::Written
                                                                   : TReportOutcome::WriteFailed;
}

// ---- Submaster list report

void AppendSubListRows(std::vector<TReportRow>& rows, const TSubPages& subs, int page)
{
    for (int s = 1; s <= kSubsPerPage; ++s) {
        TReportRow row = SubHeaderFields(subs[page - 1][s - 1], page, s);
        std::string line = CsvLine(row);
        line.resize(line.size() - 2); // without its CR LF
        if (line.size() > kResetLineLength)
            rows.push_back(std::move(row));
    }
}

std::optional<std::vector<TReportRow>> SubListReportRows(const TSubPages& subs, const TSubListChoice& choice,
                                                         IUserInterface& ui)
{
    int first = 1;
    int last = kSubPages;
    if (choice.mode == TSubListMode::Current) {
        first = last = std::clamp(choice.currentPage, 1, kSubPages);
    } else if (choice.mode == TSubListMode::Page) {
        const auto page = ReadNumber(choice.pageText, 1, kSubPages);
        if (!page) {
            ui.warning(kMsgSubsValidPage);
            return std::nullopt;
        }
        first = last = *page;
    }
    std::vector<TReportRow> rows;
    for (int page = first; page <= last; ++page)
        AppendSubListRows(rows, subs, page);
    return rows;
}

TReportOutcome PrintSubListReport(const TSubPages& subs, const TSubListChoice& choice, IUserInterface& ui,
                                  const std::string& path)
{
    return WriteRows(SubListReportRows(subs, choice, ui), path);
}

} // namespace lumora
