#include "patch/Patch.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <vector>

namespace lumora {
namespace {

using Section = std::array<std::uint8_t, kPatchSectionSize>;

std::size_t RecordAt(int page, int dimmer)
{
    return (page - 1) * 4096 + (dimmer - 1) * 4;
}

std::array<std::uint8_t, 4> RecordOf(const Section& section, int page, int dimmer)
{
    const std::size_t at = RecordAt(page, dimmer);
    return {section[at], section[at + 1], section[at + 2], section[at + 3]};
}

TPatches UnityPatches()
{
    TPatches patches;
    for (auto& page : patches)
        page.Unity();
    return patches;
}

// A section in which one record holds the given bytes and every other record is zero.
TPatchEntry UnpackOneRecord(std::array<std::uint8_t, 4> bytes, int page = 2, int dimmer = 700)
{
    Section section{};
    std::copy(bytes.begin(), bytes.end(), section.begin() + RecordAt(page, dimmer));
    TPatches patches;
    UnpackPatches(patches, section);
    return patches[page - 1].dimmer(dimmer);
}

TEST(Patch, ClearAndUnity)
{
    TPatch patch;
    patch.dimmer(3) = {77, 5, 9, true, true};
    patch.Clear();
    for (int d = 1; d <= kDimmers; ++d)
        ASSERT_EQ(patch.dimmer(d), (TPatchEntry{0, 100, 0, false, false})) << d;

    patch.Unity();
    for (int d = 1; d <= kDimmers; ++d) {
        const std::uint16_t channel = d <= 512 ? static_cast<std::uint16_t>(d) : 0;
        ASSERT_EQ(patch.dimmer(d), (TPatchEntry{channel, 100, 0, false, false})) << d;
    }
}

TEST(Patch, UnityCompilesToTheConsolesOneToOnePatch)
{
    Section section;
    section.fill(0xAA);
    CompilePatches(UnityPatches(), section);
    for (int page = 1; page <= kPatchPages; ++page) {
        for (int d = 1; d <= kDimmers; ++d) {
            const std::array<std::uint8_t, 4> expected =
                d <= 512 ? std::array<std::uint8_t, 4>{static_cast<std::uint8_t>(d & 255),
                                                       static_cast<std::uint8_t>(d >> 8), 100, 0}
                         : std::array<std::uint8_t, 4>{0, 0, 100, 0};
            ASSERT_EQ(RecordOf(section, page, d), expected) << "page " << page << " dimmer " << d;
        }
    }
}

TEST(Patch, CompilesChannelNondimAndPark)
{
    struct Case {
        TPatchEntry entry;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {{512, 100, 0, false, true}, {0x00, 0x12, 100, 0}},
        {{512, 100, 0, false, false}, {0x00, 0x02, 100, 0}},
        {{1, 50, 24, false, false}, {0x01, 0x00, 50, 24}},
        {{0, 0, 0, false, true}, {0x00, 0x10, 0, 0}},
        // Parked: the channel and non-dim are not stored.
        {{37, 80, 3, true, false}, {0xFF, 0xFF, 80, 3}},
        {{kParkedChannel, 80, 3, true, true}, {0xFF, 0xFF, 80, 3}},
        // Out-of-range level and profile are written as held.
        {{12, 200, 99, false, false}, {12, 0, 200, 99}},
    };
    for (const auto& c : cases) {
        TPatches patches{};
        patches[1].dimmer(1024) = c.entry;
        Section section{};
        CompilePatches(patches, section);
        EXPECT_EQ(RecordOf(section, 2, 1024), c.bytes) << "channel " << c.entry.Channel;
    }
}

TEST(Patch, ChannelAboveTwelveBitsNeverBecomesTheParkMark)
{
    // Only bits 0..11 carry the channel: an unparked entry holding 0xFFFF (the unpacked
    // parked value) must not be written as the park mark or leak into the non-dim bit.
    TPatches patches{};
    patches[0].dimmer(1) = {kParkedChannel, 100, 0, false, false};
    patches[0].dimmer(2) = {0xEFFF, 100, 0, false, true};
    Section section{};
    CompilePatches(patches, section);
    EXPECT_EQ(RecordOf(section, 1, 1), (std::array<std::uint8_t, 4>{0xFF, 0x0F, 100, 0}));
    EXPECT_EQ(RecordOf(section, 1, 2), (std::array<std::uint8_t, 4>{0xFF, 0x1F, 100, 0}));

    TPatches back;
    UnpackPatches(back, section);
    EXPECT_FALSE(back[0].dimmer(1).Park);
    EXPECT_FALSE(back[0].dimmer(2).Park);
    EXPECT_TRUE(back[0].dimmer(2).Nondim);
}

TEST(Patch, UnpacksRecords)
{
    struct Case {
        std::array<std::uint8_t, 4> bytes;
        TPatchEntry entry;
    };
    const Case cases[] = {
        {{0x00, 0x12, 100, 0}, {512, 100, 0, false, true}},
        {{0x00, 0x02, 100, 0}, {512, 100, 0, false, false}},
        // Both bytes 255: parked, whatever level and profile say; those are still taken.
        {{0xFF, 0xFF, 42, 7}, {kParkedChannel, 42, 7, true, true}},
        {{0xFF, 0xFF, 255, 255}, {kParkedChannel, 255, 255, true, true}},
        // Not both bytes 255: an ordinary record, high bits dropped.
        {{0xFF, 0xEF, 10, 1}, {0x0FFF, 10, 1, false, false}},
        {{0xFF, 0xFE, 10, 1}, {0x0EFF, 10, 1, false, true}},
        {{0xFE, 0xFF, 10, 1}, {0x0FFE, 10, 1, false, true}},
        // Level above 100 and profile above 24 are taken unchanged.
        {{0x05, 0x00, 101, 25}, {5, 101, 25, false, false}},
        {{0x00, 0x00, 0, 0}, {0, 0, 0, false, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnpackOneRecord(c.bytes), c.entry) << int(c.bytes[0]) << " " << int(c.bytes[1]);
}

TEST(Patch, UnpackClearsBothPagesFirst)
{
    TPatches patches = UnityPatches();
    patches[0].dimmer(5).Park = true;
    Section section{};
    UnpackPatches(patches, section);
    for (const auto& page : patches)
        for (const auto& entry : page.entries)
            ASSERT_EQ(entry, (TPatchEntry{0, 0, 0, false, false}));
}

TEST(Patch, RandomModelSurvivesCompileAndUnpack)
{
    std::mt19937 random(7101);
    auto byte = [&] { return static_cast<std::uint8_t>(random() & 0xFF); };
    TPatches patches;
    for (auto& page : patches) {
        for (auto& entry : page.entries) {
            entry.Channel = static_cast<std::uint16_t>(random() % 4096);
            entry.Level = byte();
            entry.Profile = byte();
            entry.Park = random() % 5 == 0;
            entry.Nondim = random() % 2 == 0;
        }
    }
    Section section{};
    CompilePatches(patches, section);
    TPatches back;
    UnpackPatches(back, section);

    for (int p = 0; p < kPatchPages; ++p) {
        for (int d = 1; d <= kDimmers; ++d) {
            TPatchEntry expected = patches[p].dimmer(d);
            if (expected.Park) {
                expected.Channel = kParkedChannel;
                expected.Nondim = true;
            }
            ASSERT_EQ(back[p].dimmer(d), expected) << "page " << p + 1 << " dimmer " << d;
        }
    }

    // And the section comes through unpack and compile byte for byte.
    Section again{};
    CompilePatches(back, again);
    EXPECT_EQ(again, section);
}

} // namespace
} // namespace lumora
