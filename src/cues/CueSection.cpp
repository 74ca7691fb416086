#include "cues/CueSection.h"

#include "show/Bytes.h"
#include "show/LumoraError.h"
#include "show/ValueHelpers.h"

#include <algorithm>

namespace lumora {

namespace {

// One cue image record, as the console keeps it.
namespace rec {
constexpr std::size_t kLevels = 0;   // 512 bytes, channel 1 first
constexpr std::size_t kNumber = 512; // tenths; 0 marks an unused record
constexpr std::size_t kType = 514;
constexpr std::size_t kTimeUp = 516;
constexpr std::size_t kTimeDown = 518;
constexpr std::size_t kDelayUp = 520;
constexpr std::size_t kDelayDown = 522;
constexpr std::size_t kLink = 524;
constexpr std::size_t kName = 526; // 16 characters, space padded, no length byte
constexpr std::size_t kNameWidth = 16;
constexpr std::size_t kMacro = 542;
constexpr std::size_t kReserved = 544; // written as 0, never read
constexpr std::size_t kHardMask = 546; // 64 bytes, same bit order as the model
} // namespace rec

static_assert(rec::kHardMask + kChannels / 8 == kCueRecordSize);
static_assert(kMaxCues * kCueRecordSize + 304 == kCueSectionSize);

constexpr std::uint16_t kMaxTypeCode = kCueMultipart;

std::size_t RecordOffset(int index)
{
    return static_cast<std::size_t>(index - 1) * kCueRecordSize;
}

} // namespace

void UnpackCues(TCueList& list, std::span<const std::uint8_t, kCueSectionSize> section)
{
    list.Clear();

    // Every used record is checked before any is taken, so a bad type leaves no partial list.
    for (int k = 1; k <= kMaxCues; ++k) {
        const std::size_t at = RecordOffset(k);
        if (GetLE16(section, at + rec::kNumber) != 0 && GetLE16(section, at + rec::kType) > kMaxTypeCode)
            throw ELumoraError(kInvalidCueTypeMessage);
    }

    int n = 0;
    for (int k = 1; k <= kMaxCues; ++k) {
        const auto bytes = ConstByteSpan(section).subspan(RecordOffset(k), kCueRecordSize);
        const std::uint16_t number = GetLE16(bytes, rec::kNumber);
        if (number == 0)
            continue;
        TCueRecord& cue = list.cue(++n);
        std::copy_n(bytes.begin() + rec::kLevels, kChannels, cue.levels.begin());
        cue.number = number;
        cue.type = static_cast<std::uint8_t>(GetLE16(bytes, rec::kType));
        cue.timeUp = GetLE16(bytes, rec::kTimeUp);
        cue.timeDown = GetLE16(bytes, rec::kTimeDown);
        cue.delayUp = GetLE16(bytes, rec::kDelayUp);
        cue.delayDown = GetLE16(bytes, rec::kDelayDown);
        cue.link = GetLE16(bytes, rec::kLink);
        cue.name = TrimText(GetText(bytes, rec::kName, rec::kNameWidth));
        cue.macro = GetLE16(bytes, rec::kMacro);
        std::copy_n(bytes.begin() + rec::kHardMask, cue.hardMask.size(), cue.hardMask.begin());
    }

    if (n > 0) {
        list.count = static_cast<std::uint16_t>(n);
        list.cueOnlyMode = false;
        list.current = 1;
    }
}

void CompileCues(const TCueList& list, std::span<std::uint8_t, kCueSectionSize> section)
{
    const int n = std::min<int>(list.count, kMaxCues);

    // Checked first, so a bad type leaves the section as it was.
    for (int k = 1; k <= n; ++k)
        if (list.cue(k).type > kMaxTypeCode)
            throw ELumoraError(kInvalidCueTypeMessage);

    const TCueRecord empty = TCueList::MakeEmptyCue();
    for (int k = 1; k <= kMaxCues; ++k) {
        const TCueRecord& cue = k <= n ? list.cue(k) : empty;
        const auto bytes = ByteSpan(section).subspan(RecordOffset(k), kCueRecordSize);
        std::copy(cue.levels.begin(), cue.levels.end(), bytes.begin() + rec::kLevels);
        PutLE16(bytes, rec::kNumber, cue.number);
        PutLE16(bytes, rec::kType, cue.type);
        PutLE16(bytes, rec::kTimeUp, cue.timeUp);
        PutLE16(bytes, rec::kTimeDown, cue.timeDown);
        PutLE16(bytes, rec::kDelayUp, cue.delayUp);
        PutLE16(bytes, rec::kDelayDown, cue.delayDown);
        PutLE16(bytes, rec::kLink, cue.link);
        PutText(bytes, rec::kName, rec::kNameWidth, PadRight16(cue.name.view()));
        PutLE16(bytes, rec::kMacro, cue.macro);
        PutLE16(bytes, rec::kReserved, 0);
        std::copy(cue.hardMask.begin(), cue.hardMask.end(), bytes.begin() + rec::kHardMask);
    }
}

} // namespace lumora
