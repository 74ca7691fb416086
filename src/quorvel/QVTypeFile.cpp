#include "quorvel/QVTypeFile.h"

#include "show/SafeFile.h"

#include <algorithm>

namespace lumora {

namespace {

// The record is a QV type as the editor holds it in memory: names as length-prefixed
// short strings, then the three attribute byte arrays.
constexpr std::size_t kNameSlot = 17;    // length byte + 16 characters
constexpr std::size_t kAttrNameSlot = 9; // length byte + 8 characters
constexpr std::size_t kName = 0;
constexpr std::size_t kAttrNames = kName + kNameSlot;                       // 17
constexpr std::size_t kSource = kAttrNames + kQvAttributes * kAttrNameSlot; // 368
constexpr std::size_t kWidth = kSource + kQvAttributes;                     // 407
constexpr std::size_t kMastering = kWidth + kQvAttributes;                  // 446
static_assert(kSource == 368 && kMastering + kQvAttributes == kQvTypeFileSize);

// Writes the length byte and the characters; the rest of the slot is left as it is
// (zero in a fresh record).
void PutShortString(std::span<std::uint8_t> record, std::size_t offset, std::string_view text)
{
    record[offset] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), record.begin() + offset + 1);
}

// A length byte larger than its field is cut to the field.
std::string_view GetShortString(std::span<const std::uint8_t> record, std::size_t offset, std::size_t capacity)
{
    const std::size_t length = std::min<std::size_t>(record[offset], capacity);
    return {reinterpret_cast<const char*>(record.data() + offset + 1), length};
}

} // namespace

std::array<std::uint8_t, kQvTypeFileSize> EncodeQvTypeRecord(const TQVType& type)
{
    std::array<std::uint8_t, kQvTypeFileSize> record{};
    PutShortString(record, kName, type.name.view());
    for (int k = 0; k < kQvAttributes; ++k)
        PutShortString(record, kAttrNames + k * kAttrNameSlot, type.attrNames[k].view());
    std::copy(type.source.begin(), type.source.end(), record.begin() + kSource);
    std::copy(type.width.begin(), type.width.end(), record.begin() + kWidth);
    std::copy(type.mastering.begin(), type.mastering.end(), record.begin() + kMastering);
    return record;
}

TQVType DecodeQvTypeRecord(std::span<const std::uint8_t, kQvTypeFileSize> record)
{
    TQVType type;
    type.name = GetShortString(record, kName, kNameSlot - 1);
    for (int k = 0; k < kQvAttributes; ++k)
        type.attrNames[k] = GetShortString(record, kAttrNames + k * kAttrNameSlot, kAttrNameSlot - 1);
    std::copy_n(record.begin() + kSource, kQvAttributes, type.source.begin());
    std::copy_n(record.begin() + kWidth, kQvAttributes, type.width.begin());
    std::copy_n(record.begin() + kMastering, kQvAttributes, type.mastering.begin());
    return type;
}

std::optional<TQVType> CheckedQvTypeRecord(std::span<const std::uint8_t> record)
{
    if (record.size() != kQvTypeFileSize)
        return std::nullopt;
    if (record[kName] > kNameSlot - 1)
        return std::nullopt;
    for (int k = 0; k < kQvAttributes; ++k)
        if (record[kAttrNames + k * kAttrNameSlot] > kAttrNameSlot - 1)
            return std::nullopt;
    for (int k = 0; k < kQvAttributes; ++k)
        if (record[kSource + k] >= kQvSources || record[kWidth + k] > 1 || record[kMastering + k] > 2)
            return std::nullopt;
    return DecodeQvTypeRecord(record.first<kQvTypeFileSize>());
}

std::optional<TQVType> ReadQvTypeFile(const std::string& path, std::string* why)
{
    // One byte more than a record tells a longer file from a record.
    const auto bytes = ReadFileHead(path, kQvTypeFileSize + 1, why);
    if (!bytes)
        return std::nullopt;
    if (bytes->size() != kQvTypeFileSize) {
        if (why)
            *why = bytes->size() < kQvTypeFileSize ? "the file is shorter than a type record"
                                                   : "the file is longer than a type record";
        return std::nullopt;
    }
    auto type = CheckedQvTypeRecord(*bytes);
    if (!type && why)
        *why = "a field of the type record is out of range";
    return type;
}

bool WriteQvTypeFile(const std::string& path, const TQVType& type, std::string* why)
{
    const auto record = EncodeQvTypeRecord(type);
    return WriteFileAtomically(path, record, why);
}

} // namespace lumora
