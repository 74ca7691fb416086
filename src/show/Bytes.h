#pragma once

// Little helpers for the console's byte layouts. Every multi-byte number in a
// section is an unsigned 16-bit value stored low byte first.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lumora {

using ByteSpan = std::span<std::uint8_t>;
using ConstByteSpan = std::span<const std::uint8_t>;

inline std::uint16_t GetLE16(ConstByteSpan bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline void PutLE16(ByteSpan bytes, std::size_t offset, std::uint16_t value)
{
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

// The characters of a fixed field, as stored.
inline std::string_view GetText(ConstByteSpan bytes, std::size_t offset, std::size_t width)
{
    return {reinterpret_cast<const char*>(bytes.data() + offset), width};
}

// Writes the first `width` characters of text at offset; a shorter text leaves the
// rest of the field untouched (callers pad first when the field must be filled).
inline void PutText(ByteSpan bytes, std::size_t offset, std::size_t width, std::string_view text)
{
    const std::size_t n = text.size() < width ? text.size() : width;
    for (std::size_t i = 0; i < n; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(text[i]);
}

// Removes leading and trailing spaces and control characters (every byte up to 32).
inline std::string_view TrimText(std::string_view text)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

} // namespace lumora
