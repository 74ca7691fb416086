#include "cues/CueSection.h"

#include "show/LumoraError.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace lumora {
namespace {

using TSection = std::vector<std::uint8_t>;

constexpr std::size_t kTrailing = kCueSectionSize - kMaxCues * kCueRecordSize;

std::span<std::uint8_t, kCueSectionSize> Span(TSection& s)
{
    return std::span<std::uint8_t, kCueSectionSize>(s);
}
std::span<const std::uint8_t, kCueSectionSize> CSpan(const TSection& s)
{
    return std::span<const std::uint8_t, kCueSectionSize>(s);
}

std::size_t At(int record)
{
    return static_cast<std::size_t>(record - 1) * kCueRecordSize;
}

void Put16(TSection& s, std::size_t offset, std::uint16_t v)
{
    s[offset] = static_cast<std::uint8_t>(v & 0xFF);
    s[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

// A used record as the console would store it.
void PutRecord(TSection& s, int record, std::uint16_t number, std::uint16_t type, std::string_view name16 = "")
{
    const std::size_t at = At(record);
    Put16(s, at + 512, number);
    Put16(s, at + 514, type);
    std::string name(name16);
    name.resize(16, ' ');
    std::copy(name.begin(), name.end(), s.begin() + static_cast<std::ptrdiff_t>(at + 526));
}

std::vector<std::uint8_t> EmptyRecordBytes()
{
    std::vector<std::uint8_t> bytes(kCueRecordSize, 0);
    std::fill(bytes.begin() + 526, bytes.begin() + 542, ' ');
    return bytes;
}

std::vector<std::uint8_t> RecordBytes(const TSection& s, int record)
{
    return {s.begin() + static_cast<std::ptrdiff_t>(At(record)),
            s.begin() + static_cast<std::ptrdiff_t>(At(record) + kCueRecordSize)};
}

std::unique_ptr<TCueList> NewList()
{
    return std::make_unique<TCueList>();
}

void ExpectInvalidType(const std::function<void()>& run)
{
    try {
        run();
        ADD_FAILURE() << "no error";
    } catch (const ELumoraError& e) {
        EXPECT_STREQ(e.what(), "Invalid cue type.");
    }
}

// ---- Compile

TEST(CueSectionCompile, BlueWashRecordByteForByte)
{
    auto list = NewList();
    TCueRecord cue;
    cue.number = 125;
    cue.type = kCueTrack;
    cue.timeUp = 30;
    cue.link = 130;
    cue.macro = 7;
    cue.name = std::string_view("Blue wash");
    cue.levels[0] = 255;
    TCueList::SetHard(cue, 1, true);
    ASSERT_TRUE(list->InsertSorted(cue));

    TSection section(kCueSectionSize, 0xAA); // stale bytes everywhere
    CompileCues(*list, Span(section));

    std::vector<std::uint8_t> expected(kCueRecordSize, 0x00);
    expected[0] = 0xFF;
    const std::uint8_t fields[] = {0x7D, 0x00, 0x01, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x82, 0x00};
    std::copy(std::begin(fields), std::end(fields), expected.begin() + 512);
    const std::string name = "Blue wash       ";
    std::copy(name.begin(), name.end(), expected.begin() + 526);
    expected[542] = 0x07;
    expected[546] = 0x01;
    EXPECT_EQ(RecordBytes(section, 1), expected);

    for (int k = 2; k <= kMaxCues; ++k)
        ASSERT_EQ(RecordBytes(section, k), EmptyRecordBytes()) << "record " << k;
    EXPECT_EQ(std::vector<std::uint8_t>(section.end() - kTrailing, section.end()),
              std::vector<std::uint8_t>(kTrailing, 0xAA));
}

TEST(CueSectionCompile, BadTypeRaisesAndLeavesTheSection)
{
    auto list = NewList();
    for (std::uint16_t n : {10, 20, 30}) {
        TCueRecord cue;
        cue.number = n;
        ASSERT_TRUE(list->InsertSorted(cue));
    }
    list->cue(3).type = 5;
    TSection section(kCueSectionSize, 0x55);
    const TSection before = section;
    ExpectInvalidType([&] { CompileCues(*list, Span(section)); });
    EXPECT_EQ(section, before);
}

// ---- Unpack

TEST(CueSectionUnpack, SkipsUnusedRecordsAndCompilesThemTogether)
{
    TSection section(kCueSectionSize, 0);
    PutRecord(section, 1, 50, kCueTrack, "First");
    PutRecord(section, 3, 20, kCuePreset, "Third");
    section[At(3) + 7] = 99;
    section[At(3) + 546] = 0x80;
    std::fill(section.end() - kTrailing, section.end(), 0x33);

    auto list = NewList();
    list->cueOnlyMode = true;
    UnpackCues(*list, CSpan(section));
    ASSERT_EQ(list->count, 2);
    EXPECT_EQ(list->current, 1);
    EXPECT_FALSE(list->cueOnlyMode);
    // Kept in record order, not sorted.
    EXPECT_EQ(list->cue(1).number, 50);
    EXPECT_EQ(list->cue(1).name.view(), "First");
    EXPECT_EQ(list->cue(2).number, 20);
    EXPECT_EQ(list->cue(2).type, kCuePreset);
    EXPECT_EQ(list->cue(2).levels[7], 99);
    EXPECT_TRUE(TCueList::IsHard(list->cue(2), 8));
    EXPECT_EQ(list->cue(3), TCueRecord{});

    TSection out(kCueSectionSize, 0xEE);
    CompileCues(*list, Span(out));
    EXPECT_EQ(RecordBytes(out, 1), RecordBytes(section, 1));
    EXPECT_EQ(RecordBytes(out, 2), RecordBytes(section, 3));
    EXPECT_EQ(RecordBytes(out, 3), EmptyRecordBytes());
    EXPECT_EQ(std::vector<std::uint8_t>(out.end() - kTrailing, out.end()), std::vector<std::uint8_t>(kTrailing, 0xEE));
}

TEST(CueSectionUnpack, NoUsedRecordsGivesAnEmptyList)
{
    TSection section(kCueSectionSize, 0);
    PutRecord(section, 4, 0, 9, "ghost"); // number 0: unused, its type is never looked at
    auto list = NewList();
    list->InsertCue(10, kCueTrack);
    list->cueOnlyMode = true;
    UnpackCues(*list, CSpan(section));
    EXPECT_EQ(*list, *NewList());
}

TEST(CueSectionUnpack, BadTypeWordLeavesTheListEmpty)
{
    for (std::uint16_t type : {5, 0x0100, 0xFFFF}) {
        for (int record : {1, 700, 1000}) {
            TSection section(kCueSectionSize, 0);
            for (int k = 1; k <= kMaxCues; ++k)
                PutRecord(section, k, static_cast<std::uint16_t>(k), kCueTrack, "ok");
            Put16(section, At(record) + 514, type);
            auto list = NewList();
            list->InsertCue(10, kCueTrack);
            ExpectInvalidType([&] { UnpackCues(*list, CSpan(section)); });
            EXPECT_EQ(*list, *NewList()) << type << " in record " << record;
        }
    }
}

TEST(CueSectionUnpack, NamesAreTrimmed)
{
    const std::pair<std::string, std::string> names[] = {
        {"  ABC", "ABC"},
        {"Blue wash", "Blue wash"},
        {"", ""},
        {std::string("\tA B\x01\x1f", 6), "A B"},
        {"0123456789ABCDEF", "0123456789ABCDEF"},
        {"   inner  space ", "inner  space"},
        {"\xE9t\xE9", "\xE9t\xE9"},
    };
    TSection section(kCueSectionSize, 0);
    int k = 0;
    for (const auto& [stored, _] : names) {
        ++k;
        PutRecord(section, k, static_cast<std::uint16_t>(k), kCuePreset, stored);
    }
    auto list = NewList();
    UnpackCues(*list, CSpan(section));
    ASSERT_EQ(list->count, k);
    k = 0;
    for (const auto& [stored, trimmed] : names)
        EXPECT_EQ(list->cue(++k).name.view(), trimmed) << '"' << stored << '"';
}

TEST(CueSectionUnpack, FieldsAndStoredLevelsAsTheyAre)
{
    TSection section(kCueSectionSize, 0);
    PutRecord(section, 2, 9999, kCueAutostartTrack, "x");
    const std::size_t at = At(2);
    Put16(section, at + 516, 9999);
    Put16(section, at + 518, 1);
    Put16(section, at + 520, 256);
    Put16(section, at + 522, 0xABCD);
    Put16(section, at + 524, 42);
    Put16(section, at + 542, 2500);
    Put16(section, at + 544, 0xFFFF); // reserved: ignored
    section[at + 0] = 10;
    section[at + 1] = 200; // tracked from a dark cue before it, yet kept as stored
    section[at + 546 + 63] = 0x80;

    auto list = NewList();
    UnpackCues(*list, CSpan(section));
    ASSERT_EQ(list->count, 1);
    const TCueRecord& cue = list->cue(1);
    EXPECT_EQ(cue.number, 9999);
    EXPECT_EQ(cue.type, kCueAutostartTrack);
    EXPECT_EQ(cue.timeUp, 9999);
    EXPECT_EQ(cue.timeDown, 1);
    EXPECT_EQ(cue.delayUp, 256);
    EXPECT_EQ(cue.delayDown, 0xABCD);
    EXPECT_EQ(cue.link, 42);
    EXPECT_EQ(cue.macro, 2500);
    EXPECT_EQ(cue.levels[0], 10);
    EXPECT_EQ(cue.levels[1], 200);
    EXPECT_TRUE(TCueList::IsHard(cue, 512));
    EXPECT_FALSE(TCueList::IsHard(cue, 511));

    TSection out(kCueSectionSize, 0);
    CompileCues(*list, Span(out));
    EXPECT_EQ(out[At(1) + 544], 0);
    EXPECT_EQ(out[At(1) + 545], 0);
    Put16(section, at + 544, 0);
    EXPECT_EQ(RecordBytes(out, 1), RecordBytes(section, 2));
}

// ---- Round trip

std::unique_ptr<TCueList> RandomList(std::mt19937& rng, int n)
{
    auto list = NewList();
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int k = 1; k <= n; ++k) {
        TCueRecord& cue = list->cue(k);
        cue.number = static_cast<std::uint16_t>(any(1, 0xFFFF));
        cue.type = static_cast<std::uint8_t>(any(0, 4));
        cue.timeUp = static_cast<std::uint16_t>(any(0, 0xFFFF));
        cue.timeDown = static_cast<std::uint16_t>(any(0, 9999));
        cue.delayUp = static_cast<std::uint16_t>(any(0, 9999));
        cue.delayDown = static_cast<std::uint16_t>(any(0, 9999));
        cue.link = static_cast<std::uint16_t>(any(0, 9999));
        cue.macro = static_cast<std::uint16_t>(any(0, 2500));
        std::string name;
        const int length = any(0, 16);
        for (int i = 0; i < length; ++i)
            name += static_cast<char>(any(33, 255));
        if (length > 4)
            name[static_cast<std::size_t>(length / 2)] = ' ';
        cue.name = std::string_view(name);
        for (auto& level : cue.levels)
            level = static_cast<std::uint8_t>(any(0, 255));
        for (auto& bits : cue.hardMask)
            bits = static_cast<std::uint8_t>(any(0, 255));
    }
    list->count = static_cast<std::uint16_t>(n);
    list->current = n ? 1 : 0;
    return list;
}

TEST(CueSectionRoundTrip, RandomListsSurviveCompileAndUnpack)
{
    std::mt19937 rng(2024);
    for (int n : {1, 2, 17, 999, kMaxCues}) {
        const auto original = RandomList(rng, n);
        TSection section(kCueSectionSize, 0x5A);
        CompileCues(*original, Span(section));
        auto back = NewList();
        UnpackCues(*back, CSpan(section));
        EXPECT_EQ(*back, *original) << n;

        TSection again(kCueSectionSize, 0x5A);
        CompileCues(*back, Span(again));
        EXPECT_EQ(again, section) << n;
    }
}

} // namespace
} // namespace lumora
