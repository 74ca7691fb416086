#include "patch/Patch.h"

#include "show/Bytes.h"

namespace lumora {

namespace {

// One dimmer record of the Patch section: 4 bytes, a page is 1024 of them.
constexpr std::size_t kRecordSize = 4;
constexpr std::size_t kPageSize = kDimmers * kRecordSize; // 4096
static_assert(kPageSize * kPatchPages == kPatchSectionSize);

constexpr std::size_t kChannelByte = 0; // 16-bit: bits 0..11 channel, bit 12 non-dim
constexpr std::size_t kLevelByte = 2;
constexpr std::size_t kProfileByte = 3;

constexpr std::uint16_t kChannelBits = 0x0FFF;
constexpr std::uint16_t kNondimBit = 0x1000;
// Both channel bytes 255: the console's mark for a parked dimmer.
constexpr std::uint16_t kParkedMark = 0xFFFF;

std::size_t RecordOffset(int page, int dimmer) // 0-based both
{
    return static_cast<std::size_t>(page) * kPageSize + static_cast<std::size_t>(dimmer) * kRecordSize;
}

} // namespace

void TPatch::Clear()
{
    for (auto& entry : entries)
        entry = TPatchEntry{0, 100, 0, false, false};
}

void TPatch::Unity()
{
    Clear();
    for (int d = 1; d <= 512; ++d)
        dimmer(d).Channel = static_cast<std::uint16_t>(d);
}

void UnpackPatches(TPatches& patches, std::span<const std::uint8_t, kPatchSectionSize> section)
{
    for (auto& page : patches)
        page.Clear();
    for (int p = 0; p < kPatchPages; ++p) {
        for (int d = 0; d < kDimmers; ++d) {
            const std::size_t at = RecordOffset(p, d);
            TPatchEntry& entry = patches[p].entries[d];
            const std::uint16_t v = GetLE16(section, at + kChannelByte);
            if (v == kParkedMark) {
                // The channel of a parked dimmer is not stored.
                entry.Channel = kParkedChannel;
                entry.Park = true;
                entry.Nondim = true;
            } else {
                entry.Park = false;
                entry.Nondim = (v & kNondimBit) != 0;
                entry.Channel = static_cast<std::uint16_t>(v & kChannelBits);
            }
            entry.Level = section[at + kLevelByte];
            entry.Profile = section[at + kProfileByte];
        }
    }
}

void CompilePatches(const TPatches& patches, std::span<std::uint8_t, kPatchSectionSize> section)
{
    for (int p = 0; p < kPatchPages; ++p) {
        for (int d = 0; d < kDimmers; ++d) {
            const std::size_t at = RecordOffset(p, d);
            const TPatchEntry& entry = patches[p].entries[d];
            std::uint16_t v = kParkedMark;
            if (!entry.Park) {
                // Only 12 bits carry the channel; anything above would spill into the
                // non-dim bit or, with every bit set, turn into the park mark.
                v = static_cast<std::uint16_t>(entry.Channel & kChannelBits);
                if (entry.Nondim)
                    v |= kNondimBit;
            }
            PutLE16(section, at + kChannelByte, v);
            section[at + kLevelByte] = entry.Level;
            section[at + kProfileByte] = entry.Profile;
        }
    }
}

} // namespace lumora
