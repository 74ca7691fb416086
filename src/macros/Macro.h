#pragma once

// Keystroke macros: 2500 of 20 key-code bytes each.

#include "show/ShowImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lumora {

inline constexpr int kMacros = 2500;
inline constexpr int kMacroKeys = 20;

// Special entries inside a macro.
inline constexpr std::uint8_t kKeyRunPosition = 252;   // + position number
inline constexpr std::uint8_t kKeyRunAction = 253;     // + action number
inline constexpr std::uint8_t kKeyLoadSubHandle = 254; // + handle, effect
inline constexpr std::uint8_t kKeyEmptyEnd = 255;

struct TMacro {
    std::array<std::uint8_t, kMacroKeys> Keys{}; // Keys[0] is position 1
    std::uint8_t KeyCount = 0;                   // 0 = empty macro

    friend bool operator==(const TMacro&, const TMacro&) = default;
};

using TMacros = std::array<TMacro, kMacros>; // [0..2499] is macro 1..2500

void ResetMacro(TMacro& macro);
void ResetAllMacros(TMacros& macros);

// Section conversion
void UnpackMacros(TMacros& macros, std::span<const std::uint8_t, kMacroSectionSize> section);
void CompileMacros(const TMacros& macros, std::span<std::uint8_t, kMacroSectionSize> section);

// ---- Key names

// The editor names unknown codes "UNDEFINED", the macro report "<undefined>".
enum class TKeyNameVariant { Editor, Report };
std::string KeyName(std::uint8_t code, TKeyNameVariant variant);

// One keystroke read from a macro: where it starts (1-based), how many bytes it takes,
// and its text ("AB GO", "Run Position 3", "Load Sub Handle 3 With 7").
struct TKeystroke {
    int position = 0;
    int length = 0;
    std::string text;

    friend bool operator==(const TKeystroke&, const TKeystroke&) = default;
};

// The macro editor's reading: zeros skipped, specials too near the end and 255 give nothing.
std::vector<TKeystroke> ReadKeystrokes(const TMacro& macro, TKeyNameVariant variant);

} // namespace lumora
