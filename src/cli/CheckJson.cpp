#include "cli/CheckJson.h"

#include <array>
#include <string_view>

namespace lumora::cli {

TJson FindingsToJson(const std::vector<TCheckFinding>& findings)
{
    TJson list = TJson::array();
    for (const TCheckFinding& f : findings) {
        TJson j = TJson::object();
        j["severity"] = SeverityName(f.severity);
        j["kind"] = f.kind;
        j["object"] = f.object;
        j["text"] = f.text;
        list.push_back(std::move(j));
    }
    return list;
}

std::vector<std::string> SectionNames(const TPresenceFlags& sections)
{
    static constexpr std::array<std::string_view, kSectionCount> kNames = {"patch",     "profile", "macro",  "effects",
                                                                           "submaster", "cue",     "quorvel"};
    std::vector<std::string> names;
    for (int i = 0; i < kSectionCount; ++i)
        if (sections[i] != 0)
            names.emplace_back(kNames[i]);
    return names;
}

TJson DiffToJson(const TShowDiff& diff, const TPresenceFlags& compared)
{
    TJson j = TJson::object();
    j["same"] = diff.same();
    j["compared"] = SectionNames(compared);
    TJson groups = TJson::array();
    for (const TDiffGroup& g : diff.groups) {
        TJson group = TJson::object();
        group["kind"] = DiffKindKey(g.kind);
        group["title"] = DiffKindTitle(g.kind);
        TJson entries = TJson::array();
        for (const TDiffEntry& e : g.entries) {
            TJson entry = TJson::object();
            entry["object"] = e.object;
            entry["change"] = DiffChangeName(e.change);
            entry["lines"] = e.lines;
            entries.push_back(std::move(entry));
        }
        group["entries"] = std::move(entries);
        groups.push_back(std::move(group));
    }
    j["groups"] = std::move(groups);
    return j;
}

} // namespace lumora::cli
