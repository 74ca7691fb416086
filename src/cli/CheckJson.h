#pragma once

// Findings of a show check and differences of two shows as JSON, for `lumora-cli check
// --json` and `lumora-cli diff --json`.

#include "cli/ShowJson.h"
#include "show/ShowCheck.h"
#include "show/ShowDiff.h"

#include <vector>

namespace lumora::cli {

// [{"severity": "error", "kind": "cue-link-missing", "object": "cue 12.5", "text": "..."}, ...]
TJson FindingsToJson(const std::vector<TCheckFinding>& findings);

// {"same": false, "compared": ["patch", ...], "groups": [{"kind": "cues", "title": "Cues",
//  "entries": [{"object": "cue 12.5", "change": "changed", "lines": ["ch 12: 50 → 60"]}]}]}
TJson DiffToJson(const TShowDiff& diff, const TPresenceFlags& compared);

// The section names of --sections, in section order.
std::vector<std::string> SectionNames(const TPresenceFlags& sections);

} // namespace lumora::cli
