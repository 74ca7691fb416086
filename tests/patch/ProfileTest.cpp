#include "patch/Profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

namespace lumora {
namespace {

using namespace std::literals;

using Section = std::array<std::uint8_t, kProfileSectionSize>;
using NamesBlock = std::array<std::uint8_t, kProfileNamesSize>;

TProfiles DefaultProfiles()
{
    TProfiles profiles;
    SetDefaultProfiles(profiles);
    return profiles;
}

std::uint8_t CurveByte(const Section& section, int profile, int input)
{
    return section[(profile - 1) * 256 + input];
}

// The 17 bytes of slot n of a names block.
std::string Slot(const NamesBlock& block, int n)
{
    const auto at = block.begin() + (n - 1) * kProfileNameSlot;
    return std::string(at, at + kProfileNameSlot);
}

// A slot as bytes: the length byte, then the characters, then fill.
std::string SlotBytes(std::uint8_t length, std::string_view text, char fill = '\0')
{
    std::string slot(1, static_cast<char>(length));
    slot += text;
    slot.resize(kProfileNameSlot, fill);
    return slot;
}

TEST(Profile, DefaultNames)
{
    const char* names[] = {"Linear", "Preheat 1", "Preheat 2", "Preheat 3", "Square Law", "Ballast"};
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(DefaultProfileName(n), names[n - 1]);
    for (int n = 7; n <= kProfiles; ++n)
        EXPECT_EQ(DefaultProfileName(n), "") << n;
}

TEST(Profile, BuiltInTablesAsTheConsoleHasThem)
{
    // Spot values from several rows of the console's tables.
    const std::pair<int, int> squareLaw[] = {{0, 0},    {9, 17},    {19, 49},   {20, 56},   {42, 95},  {79, 135},
                                             {80, 135}, {140, 179}, {170, 198}, {240, 244}, {255, 255}};
    const std::pair<int, int> ballast[] = {{0, 0},    {1, 5},     {7, 48},    {8, 60},    {42, 113},
                                           {67, 136}, {128, 185}, {201, 226}, {249, 252}, {255, 255}};
    for (const auto& [input, output] : squareLaw)
        EXPECT_EQ(DefaultProfileCurve(5)[input], output) << "Square Law input " << input;
    for (const auto& [input, output] : ballast)
        EXPECT_EQ(DefaultProfileCurve(6)[input], output) << "Ballast input " << input;

    for (int n : {5, 6}) {
        const auto& curve = DefaultProfileCurve(n);
        EXPECT_TRUE(std::is_sorted(curve.begin(), curve.end())) << n;
    }
}

TEST(Profile, NewShowCompilesDefaultCurves)
{
    Section section;
    section.fill(0x5C);
    CompileProfiles(DefaultProfiles(), section);

    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(CurveByte(section, 1, i), i);
        ASSERT_EQ(CurveByte(section, 2, i), std::max(i, 3));
        ASSERT_EQ(CurveByte(section, 3, i), std::max(i, 13));
        ASSERT_EQ(CurveByte(section, 4, i), std::max(i, 25));
        ASSERT_EQ(CurveByte(section, 5, i), DefaultProfileCurve(5)[i]);
        ASSERT_EQ(CurveByte(section, 6, i), DefaultProfileCurve(6)[i]);
        for (int n = 7; n <= kProfiles; ++n)
            ASSERT_EQ(CurveByte(section, n, i), i) << "profile " << n;
    }
    const std::uint8_t start2[] = {3, 3, 3, 3, 4, 5};
    EXPECT_TRUE(std::equal(std::begin(start2), std::end(start2), section.begin() + 256));
    EXPECT_EQ(CurveByte(section, 3, 13), 13);
    EXPECT_EQ(CurveByte(section, 3, 14), 14);
    EXPECT_EQ(CurveByte(section, 4, 25), 25);
    EXPECT_EQ(CurveByte(section, 4, 26), 26);

    // The 26th block belongs to no profile.
    EXPECT_TRUE(std::all_of(section.begin() + 6400, section.end(), [](std::uint8_t b) { return b == 0x5C; }));
}

TEST(Profile, SetDefaultProfileResetsOnlyThatProfile)
{
    TProfiles profiles = DefaultProfiles();
    profiles[4].name = "Mine"sv;
    profiles[4].curve.fill(9);
    profiles[5].name = "Other"sv;
    SetDefaultProfile(profiles[4], 5);
    EXPECT_EQ(profiles[4].name.view(), "Square Law");
    EXPECT_EQ(profiles[4].curve, DefaultProfileCurve(5));
    EXPECT_EQ(profiles[5].name.view(), "Other");
}

TEST(Profile, DefaultNamesLeaveCurves)
{
    // As after reading a show diskette: whatever names the show had, the defaults return.
    TProfiles profiles = DefaultProfiles();
    for (int n = 0; n < kProfiles; ++n) {
        profiles[n].name = "Custom " + std::to_string(n + 1);
        profiles[n].curve.fill(static_cast<std::uint8_t>(n));
    }
    SetDefaultProfileNames(profiles);
    for (int n = 1; n <= kProfiles; ++n) {
        EXPECT_EQ(profiles[n - 1].name.view(), DefaultProfileName(n)) << n;
        EXPECT_EQ(profiles[n - 1].curve[100], n - 1) << n;
    }
}

TEST(Profile, NewShowNamesBlock)
{
    NamesBlock block{};
    CompileProfileNames(DefaultProfiles(), block);
    EXPECT_EQ(Slot(block, 1), SlotBytes(6, "Linear"));
    EXPECT_EQ(Slot(block, 2), SlotBytes(9, "Preheat 1"));
    EXPECT_EQ(Slot(block, 5), SlotBytes(10, "Square Law"));
    EXPECT_EQ(Slot(block, 6), SlotBytes(7, "Ballast"));
    for (int n = 7; n <= kProfiles; ++n)
        EXPECT_EQ(block[(n - 1) * kProfileNameSlot], 0) << n;
}

TEST(Profile, CompileLeavesTheRestOfEachSlot)
{
    NamesBlock block;
    block.fill('#');
    CompileProfileNames(DefaultProfiles(), block);
    EXPECT_EQ(Slot(block, 1), SlotBytes(6, "Linear", '#'));
    EXPECT_EQ(Slot(block, 7), SlotBytes(0, "", '#'));
    EXPECT_EQ(Slot(block, 25), SlotBytes(0, "", '#'));
}

TEST(Profile, RenameLeavesOldCharactersBehindTheName)
{
    NamesBlock block;
    WriteDefaultProfileNamesBlock(block);
    TProfiles profiles = DefaultProfiles();
    profiles[1].name = "Dim"sv;
    CompileProfileNames(profiles, block);
    EXPECT_EQ(Slot(block, 2), SlotBytes(3, "Dimheat 1"));

    TProfiles back;
    UnpackProfileNames(back, block);
    EXPECT_EQ(back[1].name.view(), "Dim");
    EXPECT_EQ(back[0].name.view(), "Linear");
}

TEST(Profile, NameLengthAboveTheFieldIsCut)
{
    NamesBlock block{};
    const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"; // runs into the next slot
    block[0] = 200;
    std::copy(text.begin(), text.end(), block.begin() + 1);
    block[kProfileNameSlot * 24] = 17;

    TProfiles profiles;
    UnpackProfileNames(profiles, block);
    EXPECT_EQ(profiles[0].name.view(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(profiles[24].name.size(), 16u); // the last slot stops at the end of the block
}

TEST(Profile, DiskReadNamesBlock)
{
    NamesBlock block;
    block.fill(0xEE);
    WriteDefaultProfileNamesBlock(block);
    for (int n = 1; n <= kProfiles; ++n) {
        const std::string_view name = DefaultProfileName(n);
        EXPECT_EQ(Slot(block, n), SlotBytes(static_cast<std::uint8_t>(name.size()), name)) << n;
    }
}

TEST(Profile, UnpackTakesCurvesAndClearsNames)
{
    Section section;
    for (std::size_t i = 0; i < section.size(); ++i)
        section[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    TProfiles profiles = DefaultProfiles();
    UnpackProfiles(profiles, section);
    for (int n = 1; n <= kProfiles; ++n) {
        EXPECT_TRUE(profiles[n - 1].name.empty()) << n;
        EXPECT_TRUE(
            std::equal(profiles[n - 1].curve.begin(), profiles[n - 1].curve.end(), section.begin() + (n - 1) * 256))
            << n;
    }
}

TEST(Profile, RandomProfilesSurviveCompileAndUnpack)
{
    std::mt19937 random(7303);
    TProfiles profiles;
    for (auto& profile : profiles) {
        std::string name(random() % 17, ' ');
        for (char& c : name)
            c = static_cast<char>(random() & 0xFF); // any byte, the console's names are not checked
        profile.name = name;
        for (auto& b : profile.curve)
            b = static_cast<std::uint8_t>(random() & 0xFF);
    }
    Section section{};
    NamesBlock block;
    block.fill(0x77);
    CompileProfiles(profiles, section);
    CompileProfileNames(profiles, block);

    TProfiles back = DefaultProfiles();
    UnpackProfiles(back, section);
    UnpackProfileNames(back, block);
    EXPECT_EQ(back, profiles);
}

} // namespace
} // namespace lumora
