#pragma once

// A full show that a show check finds nothing wrong with: the random full show with its
// references made to fit (links to existing cues, macros of real keys that run defined
// positions, actions and effects, moving lights side by side on the DMX line, every
// channel patched).

#include "show/Show.h"

#include <cstdint>

namespace lumora::test {

void FillConsistentFullShow(TShow& show, std::uint32_t seed);

} // namespace lumora::test
