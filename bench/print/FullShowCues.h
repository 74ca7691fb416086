#pragma once

// 1000 cues as a busy show has them: a Preset every 50 cues with many channels lit, track
// cues between them with a few hard levels each, the rest tracked.

#include "cues/CueList.h"

#include <memory>

namespace lumora::bench {

inline std::unique_ptr<TCueList> FullShowCues()
{
    auto list = std::make_unique<TCueList>();
    for (int k = 1; k <= kMaxCues; ++k) {
        TCueRecord& cue = list->cue(k);
        cue.number = static_cast<std::uint16_t>(k * 5);
        cue.type = k % 50 == 1 ? kCuePreset : (k % 9 == 0 ? kCueAutostartTrack : kCueTrack);
        cue.name = "Cue " + std::to_string(k);
        cue.timeUp = static_cast<std::uint16_t>(k % 100);
        for (int c = 1; c <= kChannels; ++c)
            if ((cue.type == kCuePreset && c % 2 == 0) || (k + c) % 37 == 0) {
                cue.levels[c - 1] = static_cast<std::uint8_t>((k * 3 + c) % 256);
                TCueList::SetHard(cue, c, true);
            }
    }
    list->count = kMaxCues;
    list->current = 1;
    list->Retrack();
    return list;
}

} // namespace lumora::bench
