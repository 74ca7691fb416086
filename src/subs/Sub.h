#pragma once

// Submasters: 12 pages of 24 subs, each a look of 512 levels with a type, times and a name.

#include "show/ShortString.h"
#include "show/ShowImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace lumora {

inline constexpr int kSubPages = 12;
inline constexpr int kSubsPerPage = 24;
inline constexpr std::size_t kSubRecordSize = 550;

enum TSubType : std::uint8_t { kSubNone = 0, kSubNormal = 1, kSubInhibit = 2, kSubSolo = 3 };

struct TSub {
    std::uint8_t SubType = kSubNone;
    TShortString<16> Name;
    std::uint16_t TimeUp = 0; // tenths of a second
    std::uint16_t TimeHold = 0;
    std::uint16_t TimeDown = 0;
    std::array<std::uint8_t, 512> Levels{};

    friend bool operator==(const TSub&, const TSub&) = default;
};

// [page 0..11][sub 0..23]; the show's accessor takes 1-based numbers.
using TSubPages = std::array<std::array<TSub, kSubsPerPage>, kSubPages>;

void ResetSub(TSub& sub);
void ResetAllSubs(TSubPages& subs);

// 0..3 pass through; anything else raises "Invalid sub type.".
std::uint8_t SubTypeFromCode(std::uint16_t code);
std::uint16_t SubTypeToCode(std::uint8_t type);

// Section conversion
void UnpackSubs(TSubPages& subs, std::span<const std::uint8_t, kSubmasterSectionSize> section);
void CompileSubs(const TSubPages& subs, std::span<std::uint8_t, kSubmasterSectionSize> section);

} // namespace lumora
