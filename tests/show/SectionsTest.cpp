#include "show/Sections.h"

#include "support/RandomShow.h"

#include <gtest/gtest.h>

#include <random>

namespace lumora {
namespace {

constexpr TPresenceFlags kAll{1, 1, 1, 1, 1, 1, 1};

TEST(Sections, RandomShowsComeBackThroughCompileAndUnpack)
{
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        TShow model;
        test::FillRandomShow(model, seed, {.cues = static_cast<int>(seed * 150)});
        TShowImage image;
        CompileSections(model, image, kAll);
        TShow back;
        UnpackSections(back, image, kAll);
        ASSERT_TRUE(back == model) << "seed " << seed;
    }
}

TEST(Sections, OnlyFlaggedSectionsAreTouched)
{
    TShow model;
    test::FillRandomShow(model, 21);
    TShowImage image;
    std::mt19937 rng(5);
    for (auto& b : image.file())
        b = static_cast<std::uint8_t>(rng());
    const std::vector<std::uint8_t> before(image.file().begin(), image.file().end());

    CompileSections(model, image, {0, 0, 0, 0, 0, 1, 0}); // Cue only
    for (std::size_t i = 0; i < kShowFileSize; ++i) {
        if (i < kCueOffset || i >= kCueOffset + kCueSectionSize) {
            ASSERT_EQ(image.file()[i], before[i]) << "byte " << i;
        }
    }

    // Unpacking only the cues keeps every other kind of the model.
    TShow target;
    test::FillRandomShow(target, 22);
    TShow expected = target;
    expected.cueList = model.cueList;
    UnpackSections(target, image, {0, 0, 0, 0, 0, 1, 0});
    EXPECT_TRUE(target == expected);
}

TEST(Sections, ProfileFlagCarriesTheNamesBlock)
{
    TShow model;
    model.profile(9).name = "Fluorescent";
    TShowImage image;
    CompileSections(model, image, {0, 1, 0, 0, 0, 0, 0});
    EXPECT_EQ(image.profileNames()[8 * 17], 11);
    TShow back;
    back.profile(9).name = "";
    UnpackSections(back, image, {0, 1, 0, 0, 0, 0, 0});
    EXPECT_EQ(back.profile(9).name, "Fluorescent");
}

TEST(Sections, QuorvelCompileRefreshesTheDisketteBuffers)
{
    TShow model;
    test::FillRandomShow(model, 4);
    TShowImage image;
    auto b2 = image.b2();
    std::fill(b2.begin(), b2.end(), 0x5A);
    CompileSections(model, image, {0, 0, 0, 0, 0, 0, 1});
    const auto block = image.qvPosition();
    EXPECT_TRUE(std::equal(image.b1().begin(), image.b1().end(), block.begin()));
    EXPECT_TRUE(std::equal(b2.begin(), b2.begin() + kB2PositionBytes, block.begin() + kDiskBufferB1Size));
    EXPECT_TRUE(std::all_of(b2.begin() + kB2PositionBytes, b2.end(), [](auto b) { return b == 0x5A; }));
}

TEST(Sections, NotesBlock)
{
    TShowImage image;
    const std::string full(1024, 'n');
    CompileNotes(full, image);
    EXPECT_TRUE(std::none_of(image.notes().begin(), image.notes().end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(UnpackNotes(image), full);

    CompileNotes("", image);
    EXPECT_TRUE(std::all_of(image.notes().begin(), image.notes().end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(UnpackNotes(image), "");

    CompileNotes("two\r\nlines", image);
    EXPECT_EQ(UnpackNotes(image), "two\r\nlines");
}

} // namespace
} // namespace lumora
