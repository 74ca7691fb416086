#include "cues/CueReports.h"

#include "show/LumoraError.h"
#include "show/ValueHelpers.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace lumora {

namespace {

// Never more cues than the list has slots, whatever count says.
int CueCount(const TCueList& cues)
{
    return std::min<int>(cues.count, kMaxCues);
}

// A whole number with optional spaces around it and an optional sign, as a user types
// it into a number box; nothing for anything else (or a number too large to hold).
std::optional<long> ParseWholeNumber(std::string_view text)
{
    auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    const bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    if (text.empty() || (plus && text.front() == '-'))
        return std::nullopt;
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < -2147483648L || value > 2147483647L)
        return std::nullopt;
    return value;
}

TReportRow CueHeaderFields(const TCueRecord& cue)
{
    return {ReportTenths(cue.number),    cue.name.str(),
            ReportCueType(cue.type),     ReportTenths(cue.timeUp),
            ReportTenths(cue.timeDown),  ReportTenths(cue.delayUp),
            ReportTenths(cue.delayDown), ReportTenths(cue.link),
            std::to_string(cue.macro)};
}

bool WriteRows(const std::vector<TReportRow>& rows, const std::string& path, std::string* why)
{
    return WriteReportRows(path, rows, why);
}

} // namespace

// ---- Text forms

std::string ReportTenths(std::uint16_t tenths)
{
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text.push_back('.');
        text.push_back(static_cast<char>('0' + tenths % 10));
    }
    return text;
}

std::string ReportCueType(int code)
{
    if (code == kCueMultipart)
        return "MultiPart";
    return CueTypeName(code);
}

std::string ReportLevel(const TCueRecord& cue, int channel)
{
    if (channel < 1 || channel > kChannels)
        return {};
    const std::uint8_t level = cue.levels[channel - 1];
    if (level == 0)
        return {};
    std::string text = std::to_string(LevelToPercent(level));
    if (TCueList::IsTrackType(cue) && !TCueList::IsHard(cue, channel))
        text += " t";
    return text;
}

// ---- Cue list report

std::vector<TReportRow> CueListReportRows(const TCueList& cues)
{
    std::vector<TReportRow> rows;
    rows.reserve(static_cast<std::size_t>(CueCount(cues)));
    for (int k = 1; k <= CueCount(cues); ++k)
        rows.push_back(CueHeaderFields(cues.cue(k)));
    return rows;
}

bool WriteCueListReport(const TCueList& cues, const std::string& path, std::string* why)
{
    return WriteRows(CueListReportRows(cues), path, why);
}

TReportOutcome PrintCueListReport(const TCueList& cues, IUserInterface& ui, const std::string& path)
{
    if (CueCount(cues) == 0) {
        ui.warning(kMsgNothingToPrint);
        return TReportOutcome::NothingToPrint;
    }
    return WriteCueListReport(cues, path) ? TReportOutcome::Written : TReportOutcome::WriteFailed;
}

// ---- Cue levels report

std::optional<int> CueLevelsChannelLimit(const TCueLevelsChoice& choice, IUserInterface& ui)
{
    if (!choice.limitChannels)
        return kChannels;
    if (choice.channelText.empty()) {
        ui.warning(kMsgNoMaximumChannel);
        return std::nullopt;
    }
    const auto number = ParseWholeNumber(choice.channelText);
    if (!number)
        throw ELumoraError(kMsgNotValidChannel);
    if (*number < 1 || *number > kChannels) {
        ui.warning(std::string(kMsgChannelBetweenPrefix) + std::to_string(kChannels) + ".");
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

std::vector<TReportRow> CueLevelsReportRows(const TCueRecord& cue, int limit)
{
    limit = std::clamp(limit, 1, kChannels);
    const TReportRow header = CueHeaderFields(cue);
    std::vector<TReportRow> rows;
    for (int first = 1; first <= limit; first += kCueLevelsBlock) {
        const int last = std::min(first + kCueLevelsBlock - 1, limit);
        TReportRow channels = header;
        TReportRow levels = header;
        for (int c = first; c <= last; ++c) {
            channels.push_back(std::to_string(c));
            levels.push_back(ReportLevel(cue, c));
        }
        rows.push_back(std::move(channels));
        rows.push_back(std::move(levels));
    }
    return rows;
}

bool WriteCueLevelsReport(const TCueRecord& cue, int limit, const std::string& path, std::string* why)
{
    return WriteRows(CueLevelsReportRows(cue, limit), path, why);
}

TReportOutcome PrintCueLevelsReport(const TCueList& cues, int cueIndex, const TCueLevelsChoice& choice,
                                    IUserInterface& ui, const std::string& path)
{
    if (CueCount(cues) == 0) {
        ui.warning(kMsgNothingToPrint);
        return TReportOutcome::NothingToPrint;
    }
    const auto limit = CueLevelsChannelLimit(choice, ui);
    if (!limit)
        return TReportOutcome::Refused;
    if (cueIndex < 1 || cueIndex > CueCount(cues))
        cueIndex = 1;
    return WriteCueLevelsReport(cues.cue(cueIndex), *limit, path) ? TReportOutcome::Written
                                                                  : TReportOutcome::WriteFailed;
}

// ---- Tracking report

std::optional<int> TrackChannelLimit(const TTrackChoice& choice, IUserInterface& ui)
{
    if (!choice.limitChannels)
        return kChannels;
    const auto number = ParseWholeNumber(choice.channelText);
    if (!number || *number < 1 || *number > kChannels) {
        ui.error(kMsgValidChannelBetween);
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

std::vector<TReportRow> TrackReportRows(const TCueList& cues, int limit)
{
    limit = std::clamp(limit, 1, kChannels);
    const int count = CueCount(cues);
    // Levels and types of each cue worked out once, not once per page.
    std::vector<std::string> levelText(static_cast<std::size_t>(count) * kChannels);
    for (int k = 1; k <= count; ++k)
        for (int c = 1; c <= limit; ++c)
            levelText[static_cast<std::size_t>(k - 1) * kChannels + (c - 1)] = ReportLevel(cues.cue(k), c);

    std::vector<TReportRow> rows;
    rows.reserve(static_cast<std::size_t>(TrackReportPages(cues, limit)) * (kTrackCuesPerPage + 1));
    int page = 0;
    for (int firstCue = 1; firstCue <= count; firstCue += kTrackCuesPerPage) {
        const int lastCue = std::min(firstCue + kTrackCuesPerPage - 1, count);
        for (int firstChannel = 1; firstChannel <= limit; firstChannel += kTrackChannelsPerPage) {
            const int lastChannel = std::min(firstChannel + kTrackChannelsPerPage - 1, limit);
            const std::string pageText = std::to_string(++page);
            // Each channel field is followed by a comma, so every line ends with one.
            TReportRow heading{pageText, "Cue", "Type"};
            for (int c = firstChannel; c <= lastChannel; ++c)
                heading.push_back(std::to_string(c));
            heading.emplace_back();
            rows.push_back(std::move(heading));
            for (int k = firstCue; k <= lastCue; ++k) {
                const TCueRecord& cue = cues.cue(k);
                TReportRow line{pageText, ReportTenths(cue.number), ReportCueType(cue.type)};
                line.reserve(static_cast<std::size_t>(lastChannel - firstChannel) + 5);
                for (int c = firstChannel; c <= lastChannel; ++c)
                    line.push_back(levelText[static_cast<std::size_t>(k - 1) * kChannels + (c - 1)]);
                line.emplace_back();
                rows.push_back(std::move(line));
            }
        }
    }
    return rows;
}

bool WriteTrackReport(const TCueList& cues, int limit, const std::string& path, std::string* why)
{
    return WriteRows(TrackReportRows(cues, limit), path, why);
}

int TrackReportPages(const TCueList& cues, int limit)
{
    limit = std::clamp(limit, 1, kChannels);
    const int cueBlocks = (CueCount(cues) + kTrackCuesPerPage - 1) / kTrackCuesPerPage;
    const int channelBlocks = (limit + kTrackChannelsPerPage - 1) / kTrackChannelsPerPage;
    return cueBlocks * channelBlocks;
}

TReportOutcome PrintTrackReport(const TCueList& cues, const TTrackChoice& choice, IUserInterface& ui,
                                const std::string& path)
{
    if (CueCount(cues) == 0) {
        ui.warning(kMsgNothingToPrint);
        return TReportOutcome::NothingToPrint;
    }
    const auto limit = TrackChannelLimit(choice, ui);
    if (!limit)
        return TReportOutcome::Refused;
    return WriteTrackReport(cues, *limit, path) ? TReportOutcome::Written : TReportOutcome::WriteFailed;
}

} // namespace lumora
