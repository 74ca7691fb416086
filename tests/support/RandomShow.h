#pragma once

// Shows with random but valid content in every kind, in the form an unpack gives
// back (names as the console stores them, parked dimmers as unpack leaves them), so
// compile followed by unpack must reproduce them exactly.

#include "show/Show.h"

#include <cstdint>

namespace lumora::test {

struct TRandomShowOptions {
    int cues = 40;         // up to 1000
    bool everySub = false; // all 288 subs in use, not about half
    bool everyEffect = false;
};

void FillRandomShow(TShow& show, std::uint32_t seed, const TRandomShowOptions& options = {});

// 1000 cues, every sub, effect, macro, type, device, action and position in use.
void FillFullShow(TShow& show, std::uint32_t seed);

} // namespace lumora::test
