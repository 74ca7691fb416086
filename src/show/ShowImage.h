#pragma once

// The show image: a byte-exact copy of the console's memory sections, laid out in
// one buffer exactly as the .lmr show file stores them, plus the two diskette
// buffers that carry the Quorvel position block to and from the diskette.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lumora {

// ---- Sections, in the console's fixed order (presence flags, dispatch, directory bytes).

enum class TSection : int { Patch = 0, Profile, Macro, Effects, Submaster, Cue, Quorvel };
inline constexpr int kSectionCount = 7;

// One byte per section; any non-zero byte counts as set, only 0 and 1 are stored.
using TPresenceFlags = std::array<std::uint8_t, kSectionCount>;

// ---- Area sizes.

inline constexpr std::size_t kPatchSectionSize = 8192;
inline constexpr std::size_t kProfileSectionSize = 6656;
inline constexpr std::size_t kMacroSectionSize = 50176;
inline constexpr std::size_t kEffectsSectionSize = 100352;
inline constexpr std::size_t kSubmasterSectionSize = 158720;
inline constexpr std::size_t kCueSectionSize = 610304;
inline constexpr std::size_t kProfileNamesSize = 425;
inline constexpr std::size_t kQvSetupSize = 18432;
inline constexpr std::size_t kQvPositionSize = 413600;
inline constexpr std::size_t kNotesSize = 1024;

// ---- Where each area lies in the show file (and in the image buffer).

inline constexpr std::size_t kPatchOffset = 0;
inline constexpr std::size_t kProfileOffset = kPatchOffset + kPatchSectionSize;
inline constexpr std::size_t kMacroOffset = kProfileOffset + kProfileSectionSize;
inline constexpr std::size_t kEffectsOffset = kMacroOffset + kMacroSectionSize;
inline constexpr std::size_t kSubmasterOffset = kEffectsOffset + kEffectsSectionSize;
inline constexpr std::size_t kCueOffset = kSubmasterOffset + kSubmasterSectionSize;
inline constexpr std::size_t kProfileNamesOffset = kCueOffset + kCueSectionSize;
inline constexpr std::size_t kQvSetupOffset = kProfileNamesOffset + kProfileNamesSize;
inline constexpr std::size_t kQvPositionOffset = kQvSetupOffset + kQvSetupSize;
inline constexpr std::size_t kNotesOffset = kQvPositionOffset + kQvPositionSize;
inline constexpr std::size_t kShowFileSize = kNotesOffset + kNotesSize;
static_assert(kCueOffset == 324096 && kNotesOffset == 1366857 && kShowFileSize == 1367881);

// ---- Diskette buffers: the position block travels in two pieces.

inline constexpr std::size_t kDiskBufferB1Size = 387072;
inline constexpr std::size_t kDiskBufferB2Size = 29184;
inline constexpr std::size_t kB2PositionBytes = kQvPositionSize - kDiskBufferB1Size; // 26,528
static_assert(kB2PositionBytes == 26528);

class TShowImage final {
public:
    TShowImage() : m_file(kShowFileSize, 0), m_b1(kDiskBufferB1Size, 0), m_b2(kDiskBufferB2Size, 0) {}

    // The whole image in file layout.
    std::span<std::uint8_t, kShowFileSize> file() { return area<kShowFileSize>(0); }
    std::span<const std::uint8_t, kShowFileSize> file() const { return carea<kShowFileSize>(0); }

    // Areas.
    std::span<std::uint8_t, kPatchSectionSize> patch() { return area<kPatchSectionSize>(kPatchOffset); }
    std::span<std::uint8_t, kProfileSectionSize> profile() { return area<kProfileSectionSize>(kProfileOffset); }
    std::span<std::uint8_t, kMacroSectionSize> macro() { return area<kMacroSectionSize>(kMacroOffset); }
    std::span<std::uint8_t, kEffectsSectionSize> effects() { return area<kEffectsSectionSize>(kEffectsOffset); }
    std::span<std::uint8_t, kSubmasterSectionSize> submaster() { return area<kSubmasterSectionSize>(kSubmasterOffset); }
    std::span<std::uint8_t, kCueSectionSize> cue() { return area<kCueSectionSize>(kCueOffset); }
    std::span<std::uint8_t, kProfileNamesSize> profileNames() { return area<kProfileNamesSize>(kProfileNamesOffset); }
    std::span<std::uint8_t, kQvSetupSize> qvSetup() { return area<kQvSetupSize>(kQvSetupOffset); }
    std::span<std::uint8_t, kQvPositionSize> qvPosition() { return area<kQvPositionSize>(kQvPositionOffset); }
    std::span<std::uint8_t, kNotesSize> notes() { return area<kNotesSize>(kNotesOffset); }

    std::span<std::uint8_t, kDiskBufferB1Size> b1() { return std::span<std::uint8_t, kDiskBufferB1Size>(m_b1); }
    std::span<std::uint8_t, kDiskBufferB2Size> b2() { return std::span<std::uint8_t, kDiskBufferB2Size>(m_b2); }

private:
    template <std::size_t N> std::span<std::uint8_t, N> area(std::size_t offset)
    {
        return std::span<std::uint8_t, N>(m_file.data() + offset, N);
    }
    template <std::size_t N> std::span<const std::uint8_t, N> carea(std::size_t offset) const
    {
        return std::span<const std::uint8_t, N>(m_file.data() + offset, N);
    }

    std::vector<std::uint8_t> m_file;
    std::vector<std::uint8_t> m_b1;
    std::vector<std::uint8_t> m_b2;
};

} // namespace lumora
