#include "effects/Effect.h"

#include "show/LumoraError.h"
#include "show/ValueHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace lumora {
namespace {

// Offsets inside an effect record, as the console lays it out.
constexpr std::size_t kRecord = 2004;
constexpr std::size_t kNameAt = 1988;
constexpr std::size_t kUntouchedTail = 152;

struct Section {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kEffectsSectionSize, 0);

    std::span<std::uint8_t, kEffectsSectionSize> span()
    {
        return std::span<std::uint8_t, kEffectsSectionSize>(bytes.data(), kEffectsSectionSize);
    }
    std::span<const std::uint8_t, kEffectsSectionSize> cspan() const
    {
        return std::span<const std::uint8_t, kEffectsSectionSize>(bytes.data(), kEffectsSectionSize);
    }
    std::uint8_t* record(int effect) { return bytes.data() + (effect - 1) * kRecord; }
    // Entry k (1-based): step, level, then the channel low byte first.
    void putEntry(int effect, int k, std::uint8_t step, std::uint8_t level, std::uint16_t channel)
    {
        std::uint8_t* e = record(effect) + 4 + 4 * (k - 1);
        e[0] = step;
        e[1] = level;
        e[2] = static_cast<std::uint8_t>(channel & 0xFF);
        e[3] = static_cast<std::uint8_t>(channel >> 8);
    }
    void putHeader(int effect, std::uint8_t steps, std::uint8_t type, std::uint16_t time)
    {
        record(effect)[0] = steps;
        record(effect)[1] = type;
        record(effect)[2] = static_cast<std::uint8_t>(time & 0xFF);
        record(effect)[3] = static_cast<std::uint8_t>(time >> 8);
    }
    void putName(int effect, std::string_view name16)
    {
        std::copy(name16.begin(), name16.end(), record(effect) + kNameAt);
    }
    std::string name(int effect) { return std::string(reinterpret_cast<const char*>(record(effect) + kNameAt), 16); }
};

std::unique_ptr<TEffects> NewEffects()
{
    return std::make_unique<TEffects>();
}

std::string ErrorOf(auto&& action)
{
    try {
        action();
    } catch (const ELumoraError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(EffectReset, IsForwardLinearWithNoSteps)
{
    auto effects = NewEffects();
    TEffect& effect = (*effects)[49];
    effect.EffectType = kEffectRandom;
    effect.StepCount = 3;
    effect.EffectTime = 12;
    effect.Entries[495] = {512, 255, 100};
    ResetAllEffects(*effects);
    for (const TEffect& e : *effects) {
        EXPECT_EQ(e.EffectType, kEffectForward);
        EXPECT_EQ(e.Name.str(), "Linear");
        EXPECT_EQ(e.StepCount, 0);
        EXPECT_EQ(e.EffectTime, 0);
        for (const TEffectEntry& entry : e.Entries)
            ASSERT_EQ(entry, TEffectEntry{});
    }
}

TEST(EffectReset, DefinedMeansStepsOrTime)
{
    TEffect e;
    ResetEffect(e);
    EXPECT_FALSE(IsDefinedEffect(e));
    e.Entries[0] = {1, 10, 1}; // entries alone do not make it defined
    EXPECT_FALSE(IsDefinedEffect(e));
    e.StepCount = 1;
    EXPECT_TRUE(IsDefinedEffect(e));
    e.StepCount = 0;
    e.EffectTime = 1;
    EXPECT_TRUE(IsDefinedEffect(e));
}

TEST(EffectType, CodesAndNames)
{
    const std::pair<std::uint8_t, const char*> types[] = {
        {0, "Forward"}, {1, "Bounce"}, {2, "Reverse"}, {3, "Single"}, {4, "Random"},
    };
    for (const auto& [type, name] : types) {
        EXPECT_EQ(EffectTypeFromCode(type), type);
        EXPECT_EQ(EffectTypeToCode(type), type);
        EXPECT_EQ(EffectTypeName(type), name);
        EXPECT_EQ(EffectTypeFromName(name), type);
    }
}

TEST(EffectType, EverythingElseRaises)
{
    // 128 + 2 would read as Bounce if only the low seven bits were looked at.
    for (std::uint8_t bad : {5, 127, 128, 130, 255}) {
        EXPECT_EQ(ErrorOf([&] { EffectTypeFromCode(bad); }), "Invalid effect type.") << int(bad);
        EXPECT_EQ(ErrorOf([&] { EffectTypeToCode(bad); }), "Invalid effect type.") << int(bad);
        EXPECT_EQ(ErrorOf([&] { EffectTypeName(bad); }), "Invalid effect type.") << int(bad);
    }
    for (const char* bad : {"", "forward", "Forward ", " Bounce", "RANDOM", "Linear"})
        EXPECT_EQ(ErrorOf([&] { EffectTypeFromName(bad); }), "Invalid effect type.") << bad;
}

TEST(EffectUnpack, TakesEveryByteAsStored)
{
    Section s;
    s.putHeader(7, 200, kEffectSingle, 65535);
    s.putEntry(7, 1, 1, 0, 1); // a level of 0 is an entry of its own
    s.putEntry(7, 2, 100, 255, 512);
    s.putEntry(7, 3, 200, 17, 513);   // step and channel out of range: kept
    s.putEntry(7, 496, 0, 9, 0xFFFF); // even past the used entries
    s.putName(7, "  Chase\x01 12345 ");
    auto effects = NewEffects();
    UnpackEffects(*effects, s.cspan());

    const TEffect& e = (*effects)[6];
    EXPECT_EQ(e.StepCount, 200);
    EXPECT_EQ(e.EffectType, kEffectSingle);
    EXPECT_EQ(e.EffectTime, 65535);
    EXPECT_EQ(e.Entries[0], (TEffectEntry{1, 0, 1}));
    EXPECT_EQ(e.Entries[1], (TEffectEntry{512, 255, 100}));
    EXPECT_EQ(e.Entries[2], (TEffectEntry{513, 17, 200}));
    EXPECT_EQ(e.Entries[3], TEffectEntry{});
    EXPECT_EQ(e.Entries[495], (TEffectEntry{0xFFFF, 9, 0}));
    EXPECT_EQ(e.Name.str(), std::string("  Chase\x01 12345 ", 16));

    // Every other record is read too: a zero record gives 16 zero bytes as its name,
    // not the reset "Linear".
    EXPECT_EQ((*effects)[0].Name.str(), std::string(16, '\0'));
}

TEST(EffectUnpack, TypeFiveStopsAtThatEffect)
{
    Section s;
    for (int n = 1; n <= 50; ++n) {
        s.putHeader(n, 1, kEffectBounce, 10);
        s.putName(n, "Filled          ");
    }
    s.record(3)[1] = 5;
    auto effects = NewEffects();
    EXPECT_EQ(ErrorOf([&] { UnpackEffects(*effects, s.cspan()); }), "Invalid effect type.");
    EXPECT_EQ((*effects)[0].Name.str(), "Filled          ");
    EXPECT_EQ((*effects)[1].EffectType, kEffectBounce);
    for (int n = 3; n <= 50; ++n) {
        TEffect reset;
        ResetEffect(reset);
        ASSERT_EQ((*effects)[n - 1], reset) << n;
    }
}

TEST(EffectCompile, ResetShowIsZerosAndLinear)
{
    Section s;
    std::fill(s.bytes.begin(), s.bytes.end(), 0xA5);
    auto effects = NewEffects();
    ResetAllEffects(*effects);
    CompileEffects(*effects, s.span());
    for (int n = 1; n <= 50; ++n) {
        const std::uint8_t* r = s.record(n);
        for (std::size_t i = 0; i < kNameAt; ++i)
            ASSERT_EQ(r[i], 0) << n << " @" << i;
        ASSERT_EQ(s.name(n), "Linear" + std::string(10, ' '));
    }
    for (std::size_t i = kEffectsSectionSize - kUntouchedTail; i < kEffectsSectionSize; ++i)
        ASSERT_EQ(s.bytes[i], 0xA5) << i;
}

TEST(EffectCompile, EntryBytesAreStepLevelChannel)
{
    Section s;
    auto effects = NewEffects();
    TEffect& e = (*effects)[1];
    e.StepCount = 2;
    e.EffectType = kEffectReverse;
    e.EffectTime = 0x1234;
    e.Entries[0] = {0x0201, 0x80, 2};
    e.Name.assign("Sweep");
    CompileEffects(*effects, s.span());
    const std::uint8_t* r = s.record(2);
    const std::vector<std::uint8_t> head(r, r + 8);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{2, kEffectReverse, 0x34, 0x12, 2, 0x80, 0x01, 0x02}));
    EXPECT_EQ(s.name(2), "Sweep" + std::string(11, ' '));

    auto back = NewEffects();
    UnpackEffects(*back, s.cspan());
    EXPECT_EQ((*back)[1].Name.str(), "Sweep           ");
}

TEST(EffectCompile, BadModelTypeRaisesAndLeavesTheImageAlone)
{
    Section s;
    std::fill(s.bytes.begin(), s.bytes.end(), 0x5A);
    const std::vector<std::uint8_t> before = s.bytes;
    auto effects = NewEffects();
    ResetAllEffects(*effects);
    (*effects)[30].EffectType = 0x82;
    EXPECT_EQ(ErrorOf([&] { CompileEffects(*effects, s.span()); }), "Invalid effect type.");
    EXPECT_EQ(s.bytes, before);
}

TEST(EffectRoundTrip, RandomShowComesBack)
{
    std::mt19937 rng(2004);
    auto effects = NewEffects();
    for (TEffect& e : *effects) {
        e.EffectType = static_cast<std::uint8_t>(rng() % 5);
        e.StepCount = static_cast<std::uint8_t>(rng());
        e.EffectTime = static_cast<std::uint16_t>(rng());
        std::string name;
        const std::size_t length = rng() % 17;
        for (std::size_t i = 0; i < length; ++i)
            name += static_cast<char>(' ' + rng() % 95);
        e.Name = name;
        for (TEffectEntry& entry : e.Entries)
            entry = {static_cast<std::uint16_t>(rng()), static_cast<std::uint8_t>(rng()),
                     static_cast<std::uint8_t>(rng())};
    }

    Section s;
    for (auto& b : s.bytes)
        b = static_cast<std::uint8_t>(rng());
    const std::vector<std::uint8_t> before = s.bytes;
    CompileEffects(*effects, s.span());

    auto back = NewEffects();
    UnpackEffects(*back, s.cspan());
    for (int n = 0; n < 50; ++n) {
        TEffect expected = (*effects)[n];
        expected.Name = PadRight16(expected.Name.view());
        ASSERT_EQ((*back)[n], expected) << n + 1;
    }
    EXPECT_TRUE(std::equal(s.bytes.end() - kUntouchedTail, s.bytes.end(), before.end() - kUntouchedTail));

    // Once names are full width, compile and unpack are exact inverses.
    Section again;
    CompileEffects(*back, again.span());
    EXPECT_TRUE(std::equal(again.bytes.begin(), again.bytes.end() - kUntouchedTail, s.bytes.begin()));
}

} // namespace
} // namespace lumora
