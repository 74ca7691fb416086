#pragma once

// The short human summary of `lumora-cli info`: how much of each kind a show uses.

#include "show/Show.h"

#include <array>
#include <cstddef>
#include <string>

namespace lumora::cli {

struct TShowSummary {
    int cues = 0;
    int subs = 0;                                  // type not None
    int effects = 0;                               // defined: a step count or a time
    int macros = 0;                                // a key count
    std::array<int, kPatchPages> patchedDimmers{}; // fed by a channel, not parked
    int profiles = 0;                              // named
    int qvTypes = 0;                               // named
    int qvDevices = 0;                             // with a type
    int qvPositions = 0;                           // with a device in any slot
    int qvActions = 0;                             // with loops
    std::size_t notesLength = 0;

    friend bool operator==(const TShowSummary&, const TShowSummary&) = default;
};

TShowSummary SummarizeShow(const TShow& show, const std::string& notes);

// One "Label: value" line each, labels aligned, ending with a line break.
std::string FormatSummary(const TShowSummary& summary);

} // namespace lumora::cli
