#pragma once

// The dimmer patch: two pages of 1024 dimmers.

#include "show/ShowImage.h"

#include <array>
#include <cstdint>
#include <span>

namespace lumora {

inline constexpr int kPatchPages = 2;
inline constexpr int kDimmers = 1024;
inline constexpr std::uint16_t kParkedChannel = 0xFFFF;

struct TPatchEntry {
    std::uint16_t Channel = 0; // 0 = not patched, 1..512; 0xFFFF for a parked dimmer after unpack
    std::uint8_t Level = 0;    // percent 0..100
    std::uint8_t Profile = 0;  // zero-based: 0 is profile 1
    bool Park = false;
    bool Nondim = false;

    friend bool operator==(const TPatchEntry&, const TPatchEntry&) = default;
};

struct TPatch {
    std::array<TPatchEntry, kDimmers> entries{};

    TPatchEntry& dimmer(int number) { return entries[number - 1]; } // 1..1024
    const TPatchEntry& dimmer(int number) const { return entries[number - 1]; }

    void Clear(); // channel 0, level 100, profile 1, not parked, not non-dim
    void Unity(); // Clear, then dimmer n fed by channel n for n = 1..512

    friend bool operator==(const TPatch&, const TPatch&) = default;
};

using TPatches = std::array<TPatch, kPatchPages>; // [0] is page 1

// Section conversion (the unpack starts by clearing both pages)
void UnpackPatches(TPatches& patches, std::span<const std::uint8_t, kPatchSectionSize> section);
void CompilePatches(const TPatches& patches, std::span<std::uint8_t, kPatchSectionSize> section);

} // namespace lumora
