#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

// ---- Tenths: cue numbers, links and times are whole tenths, shown with one decimal.

// x in seconds; one decimal with a point, a trailing ".0" dropped ("2.5", "3", "0").
std::string FormatTenths(double x);
// True when x is 0 or a whole number of tenths (0.1, 2.3); false for 2.35 or 0.05.
bool IsTenths(double x);
// A text starting with the digit 0 becomes empty (macro 0 is shown as no macro).
std::string BlankIfZeroLead(std::string_view text);

// ---- Fixed-width name fields: pad with spaces, never cut.

std::string PadRight16(std::string_view text);
std::string PadRight8(std::string_view text);
std::string PadLeft16(std::string_view text);

// ---- Levels 0..255 and their percent 0..100.

namespace detail {
constexpr std::array<std::uint8_t, 256> MakeLevelTable()
{
    std::array<std::uint8_t, 256> table{};
    for (int level = 0; level < 256; ++level)
        table[level] = static_cast<std::uint8_t>((level * 200 + 255) / 510); // round(level * 100 / 255)
    return table;
}
} // namespace detail

// The shared level-to-percent table; fixed, so it is a constant rather than program state.
inline constexpr std::array<std::uint8_t, 256> kLevelTable = detail::MakeLevelTable();

constexpr int LevelToPercent(std::uint8_t level)
{
    return kLevelTable[level];
}

// 0 -> 0, 100 -> 255, otherwise 1 + the smallest level showing that percent.
// Values outside 0..100 are clamped to it.
constexpr std::uint8_t PercentToLevel(int percent)
{
    if (percent <= 0)
        return 0;
    if (percent >= 100)
        return 255;
    for (int level = 0; level < 256; ++level)
        if (kLevelTable[level] == percent)
            return static_cast<std::uint8_t>(level + 1);
    return 255; // not reached: every percent 1..99 appears in the table
}

} // namespace lumora
