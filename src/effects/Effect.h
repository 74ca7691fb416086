#pragma once

// Chase effects: 50 of them, up to 100 steps stored as at most 496 (step, channel, level) entries.

#include "show/ShortString.h"
#include "show/ShowImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lumora {

inline constexpr int kEffects = 50;
inline constexpr int kEffectEntries = 496;
inline constexpr int kEffectSteps = 100;
inline constexpr std::size_t kEffectRecordSize = 2004;

enum TEffectType : std::uint8_t { kEffectForward = 0, kEffectBounce, kEffectReverse, kEffectSingle, kEffectRandom };

struct TEffectEntry {
    std::uint16_t EntryChannel = 0; // 1..512, 0 = free entry
    std::uint8_t EntryLevel = 0;
    std::uint8_t EntryStep = 0; // 1..100

    friend bool operator==(const TEffectEntry&, const TEffectEntry&) = default;
};

struct TEffect {
    std::uint8_t EffectType = kEffectForward;
    TShortString<16> Name;
    std::uint8_t StepCount = 0;
    std::uint16_t EffectTime = 0; // tenths of a second
    std::array<TEffectEntry, kEffectEntries> Entries{};

    friend bool operator==(const TEffect&, const TEffect&) = default;
};

using TEffects = std::array<TEffect, kEffects>; // [0..49] is effect 1..50

void ResetEffect(TEffect& effect); // Forward, "Linear", no steps
void ResetAllEffects(TEffects& effects);
bool IsDefinedEffect(const TEffect& effect); // StepCount or EffectTime not 0

// Type conversions; every failure raises "Invalid effect type.".
std::uint8_t EffectTypeFromCode(std::uint8_t code);
std::uint8_t EffectTypeToCode(std::uint8_t type);
std::uint8_t EffectTypeFromName(std::string_view name);
std::string EffectTypeName(std::uint8_t type);

// Section conversion
void UnpackEffects(TEffects& effects, std::span<const std::uint8_t, kEffectsSectionSize> section);
void CompileEffects(const TEffects& effects, std::span<std::uint8_t, kEffectsSectionSize> section);

} // namespace lumora
