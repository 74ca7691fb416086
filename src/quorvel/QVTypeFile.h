#pragma once

// The QV type file (.qvt): one QV type as a 485-byte record.

#include "quorvel/Quorvel.h"

#include <array>
#include <cstdint>
#include <span>

namespace lumora {

inline constexpr std::size_t kQvTypeFileSize = 485;

std::array<std::uint8_t, kQvTypeFileSize> EncodeQvTypeRecord(const TQVType& type);
// Length bytes above their field are clamped to it; bytes after a string are ignored.
TQVType DecodeQvTypeRecord(std::span<const std::uint8_t, kQvTypeFileSize> record);

} // namespace lumora
