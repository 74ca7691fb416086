#pragma once

// Dimmer profiles: 25 output curves with names, six of them built in.

#include "show/ShortString.h"
#include "show/ShowImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace lumora {

inline constexpr int kProfiles = 25;
inline constexpr std::size_t kProfileNameSlot = 17;

struct TProfile {
    TShortString<16> name;
    std::array<std::uint8_t, 256> curve{}; // output for input level 0..255

    friend bool operator==(const TProfile&, const TProfile&) = default;
};

using TProfiles = std::array<TProfile, kProfiles>; // [0] is profile 1

// Defaults
std::string_view DefaultProfileName(int number);                      // 1..25; 7..25 are empty
const std::array<std::uint8_t, 256>& DefaultProfileCurve(int number); // 1..25
void SetDefaultProfile(TProfile& profile, int number);
void SetDefaultProfiles(TProfiles& profiles);
void SetDefaultProfileNames(TProfiles& profiles);
// The names block as a diskette read leaves it: the default names, zeros after each.
void WriteDefaultProfileNamesBlock(std::span<std::uint8_t, kProfileNamesSize> block);

// Section conversion: curves (the unpack also clears every name), then the names block.
void UnpackProfiles(TProfiles& profiles, std::span<const std::uint8_t, kProfileSectionSize> section);
void CompileProfiles(const TProfiles& profiles, std::span<std::uint8_t, kProfileSectionSize> section);
void UnpackProfileNames(TProfiles& profiles, std::span<const std::uint8_t, kProfileNamesSize> block);
void CompileProfileNames(const TProfiles& profiles, std::span<std::uint8_t, kProfileNamesSize> block);

} // namespace lumora
