#include "subs/Sub.h"

#include "show/LumoraError.h"
#include "show/ValueHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace lumora {
namespace {

// Offsets inside a sub record, as the console lays it out (written out here on purpose,
// so the test does not borrow the codec's own constants).
constexpr std::size_t kRecord = 550;
constexpr std::size_t kUntouchedTail = 320;

struct Section {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kSubmasterSectionSize, 0);

    std::span<std::uint8_t, kSubmasterSectionSize> span()
    {
        return std::span<std::uint8_t, kSubmasterSectionSize>(bytes.data(), kSubmasterSectionSize);
    }
    std::span<const std::uint8_t, kSubmasterSectionSize> cspan() const
    {
        return std::span<const std::uint8_t, kSubmasterSectionSize>(bytes.data(), kSubmasterSectionSize);
    }
    // Record of page p, sub s, both 1-based.
    std::uint8_t* record(int page, int sub) { return bytes.data() + ((page - 1) * 24 + (sub - 1)) * kRecord; }
    void put16(int page, int sub, std::size_t offset, std::uint16_t value)
    {
        record(page, sub)[offset] = static_cast<std::uint8_t>(value & 0xFF);
        record(page, sub)[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    std::uint16_t get16(int page, int sub, std::size_t offset)
    {
        return static_cast<std::uint16_t>(record(page, sub)[offset] | (record(page, sub)[offset + 1] << 8));
    }
    void putText(int page, int sub, std::size_t offset, std::string_view text)
    {
        std::copy(text.begin(), text.end(), record(page, sub) + offset);
    }
    std::string text(int page, int sub, std::size_t offset, std::size_t width)
    {
        return std::string(reinterpret_cast<const char*>(record(page, sub) + offset), width);
    }
};

// A record filled with everything a sub can hold.
void WriteFullRecord(Section& s, int page, int sub, std::uint16_t type)
{
    for (int c = 0; c < 512; ++c)
        s.record(page, sub)[c] = static_cast<std::uint8_t>(c * 7 + sub);
    s.put16(page, sub, 512, 99); // a wrong sub number: only the record's place counts
    s.put16(page, sub, 514, type);
    s.put16(page, sub, 516, 25);
    s.put16(page, sub, 518, 65535);
    s.put16(page, sub, 520, 9999);
    s.putText(page, sub, 526, " Warm  wash 0123XYZW"); // 20 bytes; the last four are not name
}

// The model is big; keep it off the stack.
std::unique_ptr<TSubPages> NewSubs()
{
    return std::make_unique<TSubPages>();
}

std::string InvalidTypeMessage(auto&& action)
{
    try {
        action();
    } catch (const ELumoraError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(SubType, CodesZeroToThreePassAndOthersRaise)
{
    for (std::uint16_t code = 0; code <= 3; ++code) {
        EXPECT_EQ(SubTypeFromCode(code), code);
        EXPECT_EQ(SubTypeToCode(static_cast<std::uint8_t>(code)), code);
    }
    for (std::uint16_t code : {4, 255, 256, 257, 65535})
        EXPECT_EQ(InvalidTypeMessage([&] { SubTypeFromCode(code); }), "Invalid sub type.") << code;
    for (std::uint8_t type : {4, 128, 255})
        EXPECT_EQ(InvalidTypeMessage([&] { SubTypeToCode(type); }), "Invalid sub type.") << int(type);
}

TEST(SubReset, ClearsEveryField)
{
    auto subs = NewSubs();
    TSub& sub = (*subs)[11][23];
    sub.SubType = kSubSolo;
    sub.Name.assign("Blue");
    sub.TimeUp = sub.TimeHold = sub.TimeDown = 7;
    sub.Levels.fill(200);
    ResetAllSubs(*subs);
    EXPECT_EQ(sub, TSub{});
    EXPECT_TRUE(sub.Name.empty());
}

TEST(SubUnpack, ReadsEveryFieldOfARecord)
{
    Section s;
    WriteFullRecord(s, 2, 5, kSubInhibit);
    auto subs = NewSubs();
    UnpackSubs(*subs, s.cspan());

    const TSub& sub = (*subs)[1][4];
    EXPECT_EQ(sub.SubType, kSubInhibit);
    EXPECT_EQ(sub.TimeUp, 25);
    EXPECT_EQ(sub.TimeHold, 65535);
    EXPECT_EQ(sub.TimeDown, 9999);
    EXPECT_EQ(sub.Name.str(), " Warm  wash 0123"); // as stored: no trimming
    for (int c = 0; c < 512; ++c)
        ASSERT_EQ(sub.Levels[c], static_cast<std::uint8_t>(c * 7 + 5)) << c;
    // Nothing else was filled.
    for (int p = 0; p < 12; ++p)
        for (int n = 0; n < 24; ++n)
            if (p != 1 || n != 4) {
                ASSERT_EQ((*subs)[p][n], TSub{}) << p << "/" << n;
            }
}

TEST(SubUnpack, ZeroTypeByteDropsTheWholeRecord)
{
    // Low byte 0 means an unused sub, whatever else the record holds; 256 has low byte 0.
    for (std::uint16_t type : {0, 256, 512, 0xFF00}) {
        Section s;
        WriteFullRecord(s, 1, 1, type);
        auto subs = NewSubs();
        (*subs)[0][0].Name.assign("stale"); // unpack starts from a reset
        UnpackSubs(*subs, s.cspan());
        EXPECT_EQ((*subs)[0][0], TSub{}) << type;
    }
}

TEST(SubUnpack, BadTypeStopsAtThatRecord)
{
    for (std::uint16_t type : {4, 257, 0x0103}) {
        Section s;
        WriteFullRecord(s, 1, 1, kSubNormal);
        WriteFullRecord(s, 1, 2, kSubSolo);
        WriteFullRecord(s, 1, 3, type);
        WriteFullRecord(s, 1, 4, kSubNormal);
        auto subs = NewSubs();
        EXPECT_EQ(InvalidTypeMessage([&] { UnpackSubs(*subs, s.cspan()); }), "Invalid sub type.") << type;
        // The subs before the bad record are filled, the bad one and those after are reset.
        EXPECT_EQ((*subs)[0][0].SubType, kSubNormal);
        EXPECT_EQ((*subs)[0][1].SubType, kSubSolo);
        EXPECT_EQ((*subs)[0][2], TSub{});
        EXPECT_EQ((*subs)[0][3], TSub{});
    }
}

TEST(SubCompile, ResetShowWritesNumbersAndSpacesAndKeepsTheRest)
{
    Section s;
    std::fill(s.bytes.begin(), s.bytes.end(), 0xA5);
    auto subs = NewSubs();
    ResetAllSubs(*subs);
    CompileSubs(*subs, s.span());

    for (int p = 1; p <= 12; ++p) {
        for (int n = 1; n <= 24; ++n) {
            const std::uint8_t* r = s.record(p, n);
            for (std::size_t i = 0; i < 512; ++i)
                ASSERT_EQ(r[i], 0) << p << "/" << n << " @" << i;
            ASSERT_EQ(s.get16(p, n, 512), n);
            for (std::size_t at : {514u, 516u, 518u, 520u})
                ASSERT_EQ(s.get16(p, n, at), 0) << at;
            ASSERT_EQ(s.text(p, n, 526, 16), std::string(16, ' '));
            for (std::size_t i : {522u, 523u, 524u, 525u, 542u, 543u, 544u, 545u, 546u, 547u, 548u, 549u})
                ASSERT_EQ(r[i], 0xA5) << p << "/" << n << " @" << i;
        }
    }
    for (std::size_t i = kSubmasterSectionSize - kUntouchedTail; i < kSubmasterSectionSize; ++i)
        ASSERT_EQ(s.bytes[i], 0xA5) << i;
}

TEST(SubCompile, ShortNameIsPaddedAndComesBackPadded)
{
    Section s;
    auto subs = NewSubs();
    TSub& sub = (*subs)[3][9];
    sub.SubType = kSubNormal;
    sub.Name.assign("Front");
    CompileSubs(*subs, s.span());
    EXPECT_EQ(s.text(4, 10, 526, 16), "Front           ");

    auto back = NewSubs();
    UnpackSubs(*back, s.cspan());
    EXPECT_EQ((*back)[3][9].Name.str(), "Front" + std::string(11, ' '));
}

TEST(SubCompile, BadModelTypeRaisesAndLeavesTheImageAlone)
{
    Section s;
    std::fill(s.bytes.begin(), s.bytes.end(), 0x5A);
    const std::vector<std::uint8_t> before = s.bytes;
    auto subs = NewSubs();
    (*subs)[0][0].SubType = kSubNormal;
    (*subs)[5][6].SubType = 4;
    EXPECT_EQ(InvalidTypeMessage([&] { CompileSubs(*subs, s.span()); }), "Invalid sub type.");
    EXPECT_EQ(s.bytes, before);
}

TEST(SubRoundTrip, RandomShowComesBack)
{
    std::mt19937 rng(4242);
    auto byte = [&] { return static_cast<std::uint8_t>(rng() & 0xFF); };
    auto subs = NewSubs();
    for (auto& page : *subs) {
        for (auto& sub : page) {
            sub.SubType = static_cast<std::uint8_t>(rng() % 4);
            std::string name;
            const std::size_t length = rng() % 17;
            for (std::size_t i = 0; i < length; ++i)
                name += static_cast<char>(' ' + rng() % 95);
            sub.Name = name;
            sub.TimeUp = static_cast<std::uint16_t>(rng());
            sub.TimeHold = static_cast<std::uint16_t>(rng());
            sub.TimeDown = static_cast<std::uint16_t>(rng());
            for (auto& level : sub.Levels)
                level = byte();
        }
    }

    Section s;
    for (auto& b : s.bytes)
        b = byte();
    const std::vector<std::uint8_t> before = s.bytes;
    CompileSubs(*subs, s.span());

    auto back = NewSubs();
    UnpackSubs(*back, s.cspan());
    for (int p = 0; p < 12; ++p) {
        for (int n = 0; n < 24; ++n) {
            TSub expected = (*subs)[p][n];
            if (expected.SubType == kSubNone)
                expected = TSub{}; // an empty sub's levels and times are not kept
            else
                expected.Name = PadRight16(expected.Name.view());
            ASSERT_EQ((*back)[p][n], expected) << p + 1 << "/" << n + 1;
        }
    }

    // The console's own bytes are where they were.
    for (int p = 1; p <= 12; ++p)
        for (int n = 1; n <= 24; ++n)
            for (std::size_t i : {522u, 523u, 524u, 525u, 542u, 543u, 544u, 545u, 546u, 547u, 548u, 549u}) {
                const std::size_t at = ((p - 1) * 24 + (n - 1)) * kRecord + i;
                ASSERT_EQ(s.bytes[at], before[at]) << at;
            }
    EXPECT_TRUE(std::equal(s.bytes.end() - kUntouchedTail, s.bytes.end(), before.end() - kUntouchedTail));
}

} // namespace
} // namespace lumora
