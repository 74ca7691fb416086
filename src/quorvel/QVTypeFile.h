#pragma once

// The QV type file (.qvt): one QV type as a 485-byte record.

#include "quorvel/Quorvel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lumora {

inline constexpr std::size_t kQvTypeFileSize = 485;

std::array<std::uint8_t, kQvTypeFileSize> EncodeQvTypeRecord(const TQVType& type);
// Length bytes above their field are clamped to it; bytes after a string are ignored.
TQVType DecodeQvTypeRecord(std::span<const std::uint8_t, kQvTypeFileSize> record);

// ---- Reading and writing type files

inline constexpr const char kMsgErrorImportingQvt[] = "Error Importing QVT File.";
inline constexpr const char kMsgErrorSavingQvt[] = "Error Saving QVT File.";

// The type a record holds when every field is in range: name lengths 0..16 and 0..8,
// sources 0..26, widths 0..1, masterings 0..2. Nothing for anything else.
std::optional<TQVType> CheckedQvTypeRecord(std::span<const std::uint8_t> record);
// The type in a file of exactly 485 bytes whose fields are all in range; nothing when
// the file cannot be read, has another size or holds a field out of range (then *why
// says which).
std::optional<TQVType> ReadQvTypeFile(const std::string& path, std::string* why = nullptr);
// Writes the 485-byte record as the file's whole new content (the safe save); false and
// the reason in *why on failure, the old file left as it was.
bool WriteQvTypeFile(const std::string& path, const TQVType& type, std::string* why = nullptr);

} // namespace lumora
