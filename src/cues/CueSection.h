#pragma once

#include "cues/CueList.h"
#include "show/ShowImage.h"

#include <span>

namespace lumora {

// Cue section: 1000 records of 610 bytes, then 304 bytes the cue code never touches.
inline constexpr std::size_t kCueRecordSize = 610;

void UnpackCues(TCueList& list, std::span<const std::uint8_t, kCueSectionSize> section);
void CompileCues(const TCueList& list, std::span<std::uint8_t, kCueSectionSize> section);

} // namespace lumora
