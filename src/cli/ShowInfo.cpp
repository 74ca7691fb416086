#include "cli/ShowInfo.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace lumora::cli {

namespace {

template <typename Range, typename Pred> int CountIf(const Range& range, Pred pred)
{
    return static_cast<int>(std::count_if(std::begin(range), std::end(range), pred));
}

} // namespace

TShowSummary SummarizeShow(const TShow& show, const std::string& notes)
{
    TShowSummary s;
    s.cues = std::min<int>(show.cueList.count, kMaxCues);
    for (const auto& page : show.subs)
        s.subs += CountIf(page, [](const TSub& sub) { return sub.SubType != kSubNone; });
    s.effects = CountIf(show.effects, [](const TEffect& effect) { return IsDefinedEffect(effect); });
    s.macros = CountIf(show.macros, [](const TMacro& macro) { return macro.KeyCount != 0; });
    for (int p = 0; p < kPatchPages; ++p)
        s.patchedDimmers[p] = CountIf(show.patches[p].entries,
                                      [](const TPatchEntry& entry) { return !entry.Park && entry.Channel != 0; });
    s.profiles = CountIf(show.profiles, [](const TProfile& profile) { return !profile.name.empty(); });
    const TQuorvel& qv = show.quorvel;
    s.qvTypes = CountIf(qv.types, [](const TQVType& type) { return !type.name.empty(); });
    s.qvDevices = CountIf(qv.devices, [](const TQVDevice& device) { return device.type != 0; });
    s.qvPositions = CountIf(qv.positions, [](const TQVPosition& position) {
        return std::any_of(position.slotDevices.begin(), position.slotDevices.end(), [](auto d) { return d != 0; });
    });
    s.qvActions = CountIf(qv.actions, [](const TQVAction& action) { return action.loops != 0; });
    s.notesLength = notes.size();
    return s;
}

std::string FormatSummary(const TShowSummary& s)
{
    std::string patched;
    for (int p = 0; p < kPatchPages; ++p)
        patched += (p > 0 ? ", page " : "page ") + std::to_string(p + 1) + ": " + std::to_string(s.patchedDimmers[p]);

    const std::vector<std::pair<const char*, std::string>> lines = {
        {"Cues", std::to_string(s.cues)},
        {"Subs (not empty)", std::to_string(s.subs)},
        {"Effects (defined)", std::to_string(s.effects)},
        {"Macros (not empty)", std::to_string(s.macros)},
        {"Patched dimmers", patched},
        {"Profiles (named)", std::to_string(s.profiles)},
        {"QV types (named)", std::to_string(s.qvTypes)},
        {"QV devices (with a type)", std::to_string(s.qvDevices)},
        {"QV positions (with a device)", std::to_string(s.qvPositions)},
        {"QV actions (with loops)", std::to_string(s.qvActions)},
        {"Notes (characters)", std::to_string(s.notesLength)},
    };
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, std::char_traits<char>::length(line.first));
    std::string out;
    for (const auto& [label, value] : lines) {
        out += label;
        out += ':';
        out.append(width - std::char_traits<char>::length(label) + 1, ' ');
        out += value;
        out += '\n';
    }
    return out;
}

} // namespace lumora::cli
