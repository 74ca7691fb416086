#pragma once

// Cue lists built from a few lines for the cue tests: each cue is given by its number,
// its type and the channels it holds hard, and the rest follows by tracking.

#include "cues/CueList.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace lumora::test {

struct TCueSpec {
    std::uint16_t number;
    std::uint8_t type;
    std::vector<std::pair<int, int>> hardPercents; // channel, percent
};

// The list holds exactly these cues with these hard levels; tracked levels follow.
void SetCues(TCueList& list, const std::vector<TCueSpec>& cueSpecs);

} // namespace lumora::test
