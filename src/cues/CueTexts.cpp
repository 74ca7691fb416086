#include "cues/CueTexts.h"

#include "show/ValueHelpers.h"

#include <charconv>
#include <cmath>

namespace lumora {

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The sign from_chars does not take.
std::string_view WithoutPlus(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    return text;
}

// 0 .. 999.9, a whole number of tenths.
std::optional<std::uint16_t> ToTenths(double x, double lowest)
{
    if (!(x >= lowest && x <= kMaxTenths / 10.0) || !IsTenths(x))
        return std::nullopt;
    return static_cast<std::uint16_t>(std::trunc(x * 10));
}

} // namespace

std::string TenthsText(std::uint16_t tenths)
{
    return FormatTenths(tenths / 10.0);
}

std::optional<double> ParseDecimal(std::string_view text)
{
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Only digits and one point: from_chars alone would also read "inf", "nan" and a
    // second sign.
    bool point = false;
    bool anyDigit = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9')
            anyDigit = true;
        else if (ch == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!anyDigit)
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<long> ParseWhole(std::string_view text)
{
    text = WithoutPlus(Trimmed(text));
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::uint16_t> ParseCueNumber(std::string_view text)
{
    const auto x = ParseDecimal(text);
    if (!x)
        return std::nullopt;
    // IsTenths refuses everything between 0 and 0.1, so 0.05 fails here as well.
    const auto tenths = ToTenths(*x, 0.1);
    if (!tenths || *tenths == 0)
        return std::nullopt;
    return tenths;
}

std::optional<std::uint16_t> ParseTime(std::string_view text)
{
    const auto x = ParseDecimal(text);
    if (!x)
        return std::nullopt;
    return ToTenths(*x, 0);
}

std::optional<std::uint16_t> ParseLink(std::string_view text)
{
    if (Trimmed(text).empty())
        return std::uint16_t{0};
    return ParseTime(text);
}

std::optional<std::uint16_t> ParseMacro(std::string_view text)
{
    if (Trimmed(text).empty())
        return std::uint16_t{0};
    const auto n = ParseWhole(text);
    if (!n || *n < 0 || *n > kMaxMacro)
        return std::nullopt;
    return static_cast<std::uint16_t>(*n);
}

std::optional<int> ParsePercent(std::string_view text)
{
    const auto n = ParseWhole(text);
    if (!n || *n < 0 || *n > 100)
        return std::nullopt;
    return static_cast<int>(*n);
}

} // namespace lumora
