#include "subs/Sub.h"

#include "show/Bytes.h"
#include "show/LumoraError.h"

#include <algorithm>

namespace lumora {

namespace {

constexpr char kInvalidSubType[] = "Invalid sub type.";

// One sub record as the console stores it. Bytes 522..525 and 546..549 belong to the
// console; together with 542..545 (the tail of the name field) we neither write nor
// read them, so whatever the console put there survives a load and save.
constexpr std::size_t kLevelsAt = 0;   // 512 levels, channel 1 first
constexpr std::size_t kNumberAt = 512; // the sub's number within its page; written for the console, never read
constexpr std::size_t kTypeAt = 514;
constexpr std::size_t kTimeUpAt = 516;
constexpr std::size_t kTimeHoldAt = 518;
constexpr std::size_t kTimeDownAt = 520;
constexpr std::size_t kNameAt = 526; // a 20-byte field of which the first 16 hold the name
constexpr std::size_t kNameWidth = 16;

constexpr std::size_t kLevelCount = std::tuple_size_v<decltype(TSub::Levels)>;
static_assert(kTimeDownAt + 2 <= kNameAt && kNameAt + 20 <= kSubRecordSize);
static_assert(kSubPages * kSubsPerPage * kSubRecordSize <= kSubmasterSectionSize);

// Records run page by page: page p, sub s (0-based) is record p * 24 + s.
constexpr std::size_t RecordOffset(int page, int sub)
{
    return static_cast<std::size_t>(page * kSubsPerPage + sub) * kSubRecordSize;
}

} // namespace

void ResetSub(TSub& sub)
{
    sub = TSub{};
}

void ResetAllSubs(TSubPages& subs)
{
    for (auto& page : subs)
        for (auto& sub : page)
            ResetSub(sub);
}

std::uint8_t SubTypeFromCode(std::uint16_t code)
{
    if (code > kSubSolo)
        throw ELumoraError(kInvalidSubType);
    return static_cast<std::uint8_t>(code);
}

std::uint16_t SubTypeToCode(std::uint8_t type)
{
    if (type > kSubSolo)
        throw ELumoraError(kInvalidSubType);
    return type;
}

void UnpackSubs(TSubPages& subs, std::span<const std::uint8_t, kSubmasterSectionSize> section)
{
    ResetAllSubs(subs);
    for (int page = 0; page < kSubPages; ++page) {
        for (int number = 0; number < kSubsPerPage; ++number) {
            const ConstByteSpan record = section.subspan(RecordOffset(page, number), kSubRecordSize);
            // The console marks an unused sub by the low byte of its type alone; the rest
            // of such a record is left-over memory and is dropped.
            if (record[kTypeAt] == 0)
                continue;
            TSub& sub = subs[page][number];
            sub.SubType = SubTypeFromCode(GetLE16(record, kTypeAt));
            sub.TimeUp = GetLE16(record, kTimeUpAt);
            sub.TimeHold = GetLE16(record, kTimeHoldAt);
            sub.TimeDown = GetLE16(record, kTimeDownAt);
            sub.Name = GetText(record, kNameAt, kNameWidth);
            std::copy_n(record.begin() + kLevelsAt, kLevelCount, sub.Levels.begin());
        }
    }
}

void CompileSubs(const TSubPages& subs, std::span<std::uint8_t, kSubmasterSectionSize> section)
{
    // Check every type before writing, so a model that cannot be saved leaves the
    // image as it was rather than half compiled.
    for (const auto& page : subs)
        for (const auto& sub : page)
            (void)SubTypeToCode(sub.SubType);

    for (int page = 0; page < kSubPages; ++page) {
        for (int number = 0; number < kSubsPerPage; ++number) {
            const TSub& sub = subs[page][number];
            const ByteSpan record = section.subspan(RecordOffset(page, number), kSubRecordSize);
            std::copy(sub.Levels.begin(), sub.Levels.end(), record.begin() + kLevelsAt);
            PutLE16(record, kNumberAt, static_cast<std::uint16_t>(number + 1));
            PutLE16(record, kTypeAt, SubTypeToCode(sub.SubType));
            PutLE16(record, kTimeUpAt, sub.TimeUp);
            PutLE16(record, kTimeHoldAt, sub.TimeHold);
            PutLE16(record, kTimeDownAt, sub.TimeDown);
            std::fill_n(record.begin() + kNameAt, kNameWidth, static_cast<std::uint8_t>(' '));
            PutText(record, kNameAt, kNameWidth, sub.Name.view());
        }
    }
}

} // namespace lumora
