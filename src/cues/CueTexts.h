#pragma once

// The text forms in which the cue screens show cue numbers, times, links and macros, and
// the rules for reading what the user typed back into tenths. Numbers use a point as the
// decimal separator whatever the locale, both ways.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

inline constexpr std::uint16_t kMaxTenths = 9999; // 999.9: the largest cue number, link and time
inline constexpr std::uint16_t kMaxMacro = 2500;

// ---- Shown

// A value in tenths as every cue screen shows it: one decimal, a trailing ".0" dropped
// ("12.5", "12", "0"). Cue numbers in lists, labels and messages use the same form.
std::string TenthsText(std::uint16_t tenths);

// ---- Read back (surrounding spaces are ignored; nothing else is forgiven)

// A decimal number: digits with an optional point and decimals, an optional sign.
// No exponent, no thousands separator, no comma.
std::optional<double> ParseDecimal(std::string_view text);
// A whole number, optional sign.
std::optional<long> ParseWhole(std::string_view text);

// 0.1 .. 999.9 with at most one decimal; the tenths, truncated.
std::optional<std::uint16_t> ParseCueNumber(std::string_view text);
// 0 .. 999.9 with at most one decimal; an empty text fails.
std::optional<std::uint16_t> ParseTime(std::string_view text);
// Empty is no link (0); otherwise as a time (a link of 0 is no link as well).
std::optional<std::uint16_t> ParseLink(std::string_view text);
// Empty is no macro (0); otherwise a whole number 0 .. 2500.
std::optional<std::uint16_t> ParseMacro(std::string_view text);
// A level in percent: a whole number 0 .. 100.
std::optional<int> ParsePercent(std::string_view text);

} // namespace lumora
