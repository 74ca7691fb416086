#include "support/ConsistentShow.h"

#include "macros/KeyNames.h"
#include "support/RandomShow.h"

#include <random>
#include <string>

namespace lumora::test {

void FillConsistentFullShow(TShow& show, std::uint32_t seed)
{
    FillFullShow(show, seed);
    std::mt19937 rng(seed ^ 0x5eed);
    const auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    // Macros: console keys, and specials that run what exists.
    for (int n = 1; n <= kMacros; ++n) {
        TMacro& macro = show.macro(n);
        macro = {};
        int i = 0;
        while (i < kMacroKeys - 3) {
            switch (in(0, 9)) {
            case 0:
                macro.Keys[i++] = kKeyRunPosition;
                macro.Keys[i++] = static_cast<std::uint8_t>(in(1, kQvPositions));
                break;
            case 1:
                macro.Keys[i++] = kKeyRunAction;
                macro.Keys[i++] = static_cast<std::uint8_t>(in(1, kQvActions));
                break;
            case 2:
                macro.Keys[i++] = kKeyLoadSubHandle;
                macro.Keys[i++] = static_cast<std::uint8_t>(in(0, 255));
                macro.Keys[i++] = static_cast<std::uint8_t>(in(1, kEffects));
                break;
            default: macro.Keys[i++] = kConsoleKeys[in(0, static_cast<int>(kConsoleKeys.size()) - 1)].code;
            }
        }
        for (const std::uint8_t key : macro.Keys)
            macro.KeyCount += key != 0;
    }

    // Cues: links to cues that exist.
    TCueList& cues = show.cueList;
    for (int k = 1; k <= cues.count; ++k) {
        TCueRecord& cue = cues.cue(k);
        cue.link = in(0, 4) == 0 ? cues.cue(in(1, cues.count)).number : 0;
    }

    // Patch: page 1 feeds every channel; page 2 anything within 1..512.
    for (int page = 1; page <= kPatchPages; ++page)
        for (int d = 1; d <= kDimmers; ++d) {
            TPatchEntry& e = show.patch(page).dimmer(d);
            if (page == 1 && d <= kChannels) {
                e.Channel = static_cast<std::uint16_t>(d);
                e.Park = false;
                e.Nondim = false;
            }
        }

    // Quorvel: types of distinct names and up to 24 DMX channels; the 40 devices in a row.
    TQuorvel& qv = show.quorvel;
    std::array<int, kQvTypes> footprint{};
    for (int t = 1; t <= kQvTypes; ++t) {
        TQVType& type = qv.type(t);
        type.name = "Type " + std::to_string(t);
        int channels = 0;
        for (int k = 1; k <= kQvAttributes; ++k) {
            const bool named = k <= 25 && channels + 2 <= 24 && in(0, 3) != 0;
            type.attrNames[k - 1] = named ? "Attr " + std::to_string(k) : std::string();
            if (named)
                channels += type.width[k - 1] != 0 ? 2 : 1;
        }
        if (channels == 0) {
            type.attrNames[0] = "Dimmer";
            channels = type.width[0] != 0 ? 2 : 1;
        }
        footprint[t - 1] = channels;
    }
    int address = 1;
    for (int d = 1; d <= kQvDevices; ++d) {
        TQVDevice& device = qv.device(d);
        device.type = static_cast<std::uint16_t>(in(1, kQvTypes));
        device.address = static_cast<std::uint16_t>(address);
        address += footprint[device.type - 1];
    }
}

} // namespace lumora::test
