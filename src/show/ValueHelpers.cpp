#include "show/ValueHelpers.h"

#include <charconv>
#include <cmath>

namespace lumora {

std::string FormatTenths(double x)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 1);
    if (result.ec != std::errc())
        return {};
    std::size_t length = static_cast<std::size_t>(result.ptr - buffer);
    if (length >= 2 && buffer[length - 1] == '0')
        length -= 2; // "3.0" -> "3"
    return std::string(buffer, length);
}

bool IsTenths(double x)
{
    if (x == 0)
        return true;
    const double y = x * 10;
    const double whole = std::trunc(y);
    if (whole == 0)
        return false;
    return y / whole <= 1;
}

std::string BlankIfZeroLead(std::string_view text)
{
    if (!text.empty() && text.front() == '0')
        return {};
    return std::string(text);
}

namespace {
std::string PadRight(std::string_view text, std::size_t width)
{
    std::string padded(text);
    if (padded.size() < width)
        padded.append(width - padded.size(), ' ');
    return padded;
}
} // namespace

std::string PadRight16(std::string_view text)
{
    return PadRight(text, 16);
}
std::string PadRight8(std::string_view text)
{
    return PadRight(text, 8);
}

std::string PadLeft16(std::string_view text)
{
    if (text.size() >= 16)
        return std::string(text);
    return std::string(16 - text.size(), ' ') + std::string(text);
}

} // namespace lumora
