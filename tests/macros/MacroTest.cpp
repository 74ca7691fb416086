#include "macros/Macro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace lumora {
namespace {

constexpr std::size_t kUntouchedTail = 176;

struct Section {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kMacroSectionSize, 0);

    std::span<std::uint8_t, kMacroSectionSize> span()
    {
        return std::span<std::uint8_t, kMacroSectionSize>(bytes.data(), kMacroSectionSize);
    }
    std::span<const std::uint8_t, kMacroSectionSize> cspan() const
    {
        return std::span<const std::uint8_t, kMacroSectionSize>(bytes.data(), kMacroSectionSize);
    }
    // Writes bytes from position 1 of macro n.
    void put(int macro, std::initializer_list<std::uint8_t> keys)
    {
        std::copy(keys.begin(), keys.end(), bytes.begin() + (macro - 1) * 20);
    }
};

std::unique_ptr<TMacros> NewMacros()
{
    return std::make_unique<TMacros>();
}

TMacro MacroOf(std::initializer_list<std::uint8_t> keys)
{
    TMacro m;
    std::copy(keys.begin(), keys.end(), m.Keys.begin());
    return m;
}

TEST(MacroUnpack, KeyCountIsTheNumberOfNonZeroBytes)
{
    struct Case {
        std::vector<std::uint8_t> keys;
        int count;
    };
    const Case cases[] = {
        {{}, 0},
        {{254, 3, 7}, 3},
        {{252, 0}, 1}, // a zero parameter is not counted
        {{0, 0, 1, 0, 0, 2}, 2},
        {std::vector<std::uint8_t>(20, 255), 20},
    };
    for (const Case& c : cases) {
        Section s;
        std::copy(c.keys.begin(), c.keys.end(), s.bytes.begin() + 20 * 41); // macro 42
        auto macros = NewMacros();
        (*macros)[0].KeyCount = 9; // unpack starts from a reset
        UnpackMacros(*macros, s.cspan());
        const TMacro& m = (*macros)[41];
        EXPECT_EQ(m.KeyCount, c.count);
        EXPECT_TRUE(std::equal(c.keys.begin(), c.keys.end(), m.Keys.begin()));
        EXPECT_TRUE(std::all_of(m.Keys.begin() + c.keys.size(), m.Keys.end(), [](auto b) { return b == 0; }));
        EXPECT_EQ((*macros)[0], TMacro{});
    }
}

TEST(MacroUnpack, LastMacroIsRead)
{
    Section s;
    s.put(2500, {1, 2, 3, 4, 5, 6, 7, 8, 19, 20, 21, 22, 23, 24, 33, 34, 35, 36, 37, 38});
    auto macros = NewMacros();
    UnpackMacros(*macros, s.cspan());
    EXPECT_EQ((*macros)[2499].Keys[19], 38);
    EXPECT_EQ((*macros)[2499].KeyCount, 20);
}

TEST(MacroCompile, WritesBytesUnchangedAndKeepsTheTail)
{
    Section s;
    std::fill(s.bytes.begin(), s.bytes.end(), 0xA5);
    auto macros = NewMacros();
    (*macros)[0] = MacroOf({19, 0, 0, 254, 3, 7, 0, 255});
    (*macros)[0].KeyCount = 0; // KeyCount is not stored
    CompileMacros(*macros, s.span());
    const std::vector<std::uint8_t> first(s.bytes.begin(), s.bytes.begin() + 20);
    EXPECT_EQ(first, (std::vector<std::uint8_t>{19, 0, 0, 254, 3, 7, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(std::all_of(s.bytes.begin() + 20, s.bytes.begin() + 50000, [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(s.bytes.end() - kUntouchedTail, s.bytes.end(), [](auto b) { return b == 0xA5; }));
}

TEST(MacroRoundTrip, RandomShowComesBack)
{
    std::mt19937 rng(20);
    auto macros = NewMacros();
    for (TMacro& m : *macros)
        for (auto& key : m.Keys)
            key = rng() % 3 == 0 ? 0 : static_cast<std::uint8_t>(rng());

    Section s;
    for (auto& b : s.bytes)
        b = static_cast<std::uint8_t>(rng());
    const std::vector<std::uint8_t> before = s.bytes;
    CompileMacros(*macros, s.span());
    auto back = NewMacros();
    UnpackMacros(*back, s.cspan());
    for (int n = 0; n < kMacros; ++n) {
        ASSERT_EQ((*back)[n].Keys, (*macros)[n].Keys) << n + 1;
        ASSERT_EQ((*back)[n].KeyCount,
                  std::count_if((*macros)[n].Keys.begin(), (*macros)[n].Keys.end(), [](auto b) { return b != 0; }));
    }
    EXPECT_TRUE(std::equal(s.bytes.end() - kUntouchedTail, s.bytes.end(), before.end() - kUntouchedTail));
}

TEST(MacroReset, ClearsKeysAndCount)
{
    auto macros = NewMacros();
    (*macros)[7] = MacroOf({1, 2});
    (*macros)[7].KeyCount = 2;
    ResetAllMacros(*macros);
    EXPECT_EQ((*macros)[7], TMacro{});
}

} // namespace
} // namespace lumora
