#include "quorvel/Quorvel.h"

#include "show/ValueHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace lumora {
namespace {

using namespace std::literals;

using SetupBlock = std::array<std::uint8_t, kQvSetupSize>;
using PositionBlock = std::array<std::uint8_t, kQvPositionSize>;

constexpr std::size_t kDevices = 3560;
constexpr std::size_t kActions = 5960;

std::size_t TypeAt(int t)
{
    return (t - 1) * kQvTypeRecordSize;
}
std::size_t DeviceAt(int d)
{
    return kDevices + (d - 1) * kQvDeviceRecordSize;
}
std::size_t ActionAt(int n)
{
    return kActions + (n - 1) * kQvActionRecordSize;
}
std::size_t PositionAt(int p)
{
    return (p - 1) * kQvPositionRecordSize;
}

// The whole model is some 420 KB: keep it and the blocks off the stack.
std::unique_ptr<TQuorvel> NewQuorvel()
{
    auto quorvel = std::make_unique<TQuorvel>();
    ResetQuorvel(*quorvel);
    return quorvel;
}

template <std::size_t N> std::unique_ptr<std::array<std::uint8_t, N>> Filled(std::uint8_t value)
{
    auto block = std::make_unique<std::array<std::uint8_t, N>>();
    block->fill(value);
    return block;
}

template <std::size_t N>
std::vector<std::uint8_t> Bytes(const std::array<std::uint8_t, N>& block, std::size_t at, std::size_t count)
{
    return {block.begin() + at, block.begin() + at + count};
}

template <std::size_t N> std::string Text(const std::array<std::uint8_t, N>& block, std::size_t at, std::size_t count)
{
    return {block.begin() + at, block.begin() + at + count};
}

bool AllEqual(const std::vector<std::uint8_t>& bytes, std::uint8_t value)
{
    return std::all_of(bytes.begin(), bytes.end(), [&](std::uint8_t b) { return b == value; });
}

TQVType TypeWith(std::initializer_list<std::tuple<int, const char*, int>> attributes) // number, name, width
{
    TQVType type;
    type.name = "Mover"sv;
    for (const auto& [k, name, width] : attributes) {
        type.attrNames[k - 1] = std::string_view(name);
        type.width[k - 1] = static_cast<std::uint8_t>(width);
    }
    return type;
}

TEST(Quorvel, ResetEmptiesEverything)
{
    auto quorvel = NewQuorvel();
    quorvel->type(2).name = "Spot"sv;
    quorvel->device(40).address = 7;
    quorvel->action(100).loops = kQvLoopsContinuous;
    quorvel->position(100).timeMap[1023] = 5;
    ResetQuorvel(*quorvel);
    EXPECT_TRUE(*quorvel == TQuorvel{});
}

TEST(Quorvel, SourceList)
{
    struct Case {
        int index;
        const char* menu;
        const char* shown;
    };
    const Case cases[] = {
        {0, "<None>", ""},
        {1, "X", "X"},
        {2, "Y", "Y"},
        {3, "A Page 1", "A"},
        {4, "B Page 1", "B"},
        {10, "H Page 1", "H"},
        {11, "A Page 2", "A Page 2"},
        {12, "B Page 2", "B Page 2"},
        {18, "H Page 2", "H Page 2"},
        {19, "A Page 3", "A Page 3"},
        {26, "H Page 3", "H Page 3"},
        {27, "", ""},
        {-1, "", ""},
        {255, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QvSourceMenuText(c.index), c.menu) << c.index;
        EXPECT_EQ(QvSourceShownText(c.index), c.shown) << c.index;
        if (c.index >= 0 && c.index < kQvSources) {
            EXPECT_EQ(QvSourceFromShownText(c.shown), c.index);
        }
    }
    EXPECT_EQ(QvSourceFromShownText("B Page 1"), 0); // a menu text, not a shown one
    EXPECT_EQ(QvSourceFromShownText("Q"), 0);
}

TEST(Quorvel, NewShowSetupBlock)
{
    auto quorvel = NewQuorvel();
    auto setup = Filled<kQvSetupSize>(0);
    CompileQuorvelSetup(*quorvel, *setup);
    for (int t = 1; t <= kQvTypes; ++t) {
        EXPECT_EQ(Text(*setup, TypeAt(t), 16 + 39 * 8), std::string(16 + 39 * 8, ' ')) << t;
        EXPECT_TRUE(AllEqual(Bytes(*setup, TypeAt(t) + 328, 3 * 39), 0)) << t;
    }
    for (int d = 1; d <= kQvDevices; ++d) {
        EXPECT_EQ(Text(*setup, DeviceAt(d), 16), std::string(16, ' ')) << d;
        EXPECT_TRUE(AllEqual(Bytes(*setup, DeviceAt(d) + 16, 4), 0xFF)) << d;
        EXPECT_TRUE(AllEqual(Bytes(*setup, DeviceAt(d) + 20, 40), 0)) << d;
    }
    EXPECT_TRUE(AllEqual(Bytes(*setup, kActions, kQvSetupSize - kActions), 0));

    auto positions = Filled<kQvPositionSize>(0xCC);
    CompileQuorvelPositions(*quorvel, *positions);
    EXPECT_TRUE(AllEqual(Bytes(*positions, 0, kQvPositionSize), 0));
}

TEST(Quorvel, CompileLeavesSpareWordsAndTheUnusedTail)
{
    auto quorvel = NewQuorvel();
    for (auto& device : quorvel->devices)
        device.spare.fill(0x1111); // the model's copy is never written back
    auto setup = Filled<kQvSetupSize>(0x5A);
    CompileQuorvelSetup(*quorvel, *setup);
    for (int d = 1; d <= kQvDevices; ++d)
        EXPECT_TRUE(AllEqual(Bytes(*setup, DeviceAt(d) + 20, 40), 0x5A)) << d;
    EXPECT_TRUE(AllEqual(Bytes(*setup, 18360, 72), 0x5A));
}

TEST(Quorvel, NamesArePaddedOnCompileAndTrimmedOnUnpack)
{
    auto quorvel = NewQuorvel();
    quorvel->type(1).name = "Spot"sv;
    quorvel->type(1).attrNames[0] = "Pan"sv;
    quorvel->type(1).attrNames[38] = "Shutter8"sv;
    quorvel->type(2).name = PadLeft16("Spot"); // as the type editor stores it
    quorvel->device(1).name = "Stage Left Wash!"sv;
    auto setup = Filled<kQvSetupSize>(0);
    CompileQuorvelSetup(*quorvel, *setup);

    EXPECT_EQ(Text(*setup, TypeAt(1), 16), "Spot            ");
    EXPECT_EQ(Text(*setup, TypeAt(1) + 16, 8), "Pan     ");
    EXPECT_EQ(Text(*setup, TypeAt(1) + 16 + 38 * 8, 8), "Shutter8");
    EXPECT_EQ(Text(*setup, TypeAt(2), 16), "            Spot");
    EXPECT_EQ(Text(*setup, DeviceAt(1), 16), "Stage Left Wash!");

    auto back = NewQuorvel();
    UnpackQuorvelSetup(*back, *setup);
    EXPECT_EQ(back->type(1).name.view(), "Spot");
    EXPECT_EQ(back->type(1).attrNames[0].view(), "Pan");
    EXPECT_EQ(back->type(1).attrNames[38].view(), "Shutter8");
    EXPECT_EQ(back->type(2).name.view(), "Spot");
    EXPECT_EQ(back->device(1).name.view(), "Stage Left Wash!");
}

TEST(Quorvel, UnpackTrimsControlCharactersAndKeepsInnerSpaces)
{
    auto setup = Filled<kQvSetupSize>(0);
    const std::string name = std::string("\t Moving  Head\r") + std::string(2, '\0');
    std::copy(name.begin(), name.end(), setup->begin() + TypeAt(3));
    const std::string attr = std::string("\0Gobo 2 ", 8);
    std::copy(attr.begin(), attr.end(), setup->begin() + TypeAt(3) + 16 + 8);
    auto quorvel = NewQuorvel();
    UnpackQuorvelSetup(*quorvel, *setup);
    EXPECT_EQ(quorvel->type(3).name.view(), "Moving  Head");
    EXPECT_EQ(quorvel->type(3).attrNames[1].view(), "Gobo 2");
}

TEST(Quorvel, DeviceTypeAndAddressAreStoredMinusOne)
{
    auto quorvel = NewQuorvel();
    quorvel->device(3).type = 2;
    quorvel->device(3).address = 101;
    auto setup = Filled<kQvSetupSize>(0);
    CompileQuorvelSetup(*quorvel, *setup);
    EXPECT_EQ(Bytes(*setup, DeviceAt(3) + 16, 4), (std::vector<std::uint8_t>{0x01, 0x00, 0x64, 0x00}));

    struct Case {
        std::array<std::uint8_t, 4> bytes;
        std::uint16_t type, address;
    };
    const Case cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xFF}, 0, 0},
        {{0x07, 0x00, 0xFE, 0x03}, 8, 1023},
        {{0x00, 0x00, 0x00, 0x00}, 1, 1},
        {{0x10, 0x00, 0xFE, 0xFF}, 17, 0xFFFF}, // not range checked
    };
    for (const auto& c : cases) {
        std::copy(c.bytes.begin(), c.bytes.end(), setup->begin() + DeviceAt(40) + 16);
        UnpackQuorvelSetup(*quorvel, *setup);
        EXPECT_EQ(quorvel->device(40).type, c.type);
        EXPECT_EQ(quorvel->device(40).address, c.address);
    }
}

TEST(Quorvel, SpareWordsAreReadIntoTheModel)
{
    auto setup = Filled<kQvSetupSize>(0);
    (*setup)[DeviceAt(2) + 20] = 0x34;
    (*setup)[DeviceAt(2) + 21] = 0x12;
    (*setup)[DeviceAt(2) + 58] = 0xFF;
    auto quorvel = NewQuorvel();
    UnpackQuorvelSetup(*quorvel, *setup);
    EXPECT_EQ(quorvel->device(2).spare[0], 0x1234);
    EXPECT_EQ(quorvel->device(2).spare[19], 0x00FF);
}

TEST(Quorvel, ActionRecord)
{
    auto quorvel = NewQuorvel();
    TQVAction& action = quorvel->action(12);
    const int step = 4;
    action.positions[step - 1] = 7;
    action.times[step - 1] = 25;  // 2.5 s
    action.delays[step - 1] = 10; // 1.0 s
    action.singleStep = 1;
    action.loops = kQvLoopsContinuous;
    auto setup = Filled<kQvSetupSize>(0);
    CompileQuorvelSetup(*quorvel, *setup);

    const std::size_t at = ActionAt(12);
    const std::size_t s = 2 * (step - 1);
    EXPECT_EQ(Bytes(*setup, at + 80 + s, 2), (std::vector<std::uint8_t>{0x07, 0x00}));
    EXPECT_EQ(Bytes(*setup, at + s, 2), (std::vector<std::uint8_t>{0x19, 0x00}));
    EXPECT_EQ(Bytes(*setup, at + 40 + s, 2), (std::vector<std::uint8_t>{0x0A, 0x00}));
    EXPECT_EQ(Bytes(*setup, at + 120, 4), (std::vector<std::uint8_t>{0x01, 0x00, 0xFF, 0xFF}));

    auto back = NewQuorvel();
    UnpackQuorvelSetup(*back, *setup);
    EXPECT_EQ(back->action(12), action);
    EXPECT_EQ(back->action(12).loops, kQvLoopsContinuous);
}

TEST(Quorvel, PositionRecord)
{
    auto quorvel = NewQuorvel();
    TQVPosition& position = quorvel->position(100);
    position.valueMap[0] = 1;
    position.valueMap[1023] = 2;
    position.widthMap[1023] = 1;
    position.timeMap[0] = 0x1234;
    position.timeMap[1023] = kQvNoTime;
    position.slotDevices[19] = 40;
    position.slotMasters[19] = 255;
    auto block = Filled<kQvPositionSize>(0);
    CompileQuorvelPositions(*quorvel, *block);

    const std::size_t at = PositionAt(100);
    EXPECT_EQ((*block)[at], 1);
    EXPECT_EQ((*block)[at + 1023], 2);
    EXPECT_EQ((*block)[at + 1024 + 1023], 1);
    EXPECT_EQ(Bytes(*block, at + 2048, 2), (std::vector<std::uint8_t>{0x34, 0x12}));
    EXPECT_EQ(Bytes(*block, at + 2048 + 2 * 1023, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ((*block)[at + 4096 + 19], 40);
    EXPECT_EQ((*block)[at + 4116 + 19], 255);
    EXPECT_EQ(at + kQvPositionRecordSize, kQvPositionSize);
}

TEST(Quorvel, PositionPlacesSixteenThenEightBitAttribute)
{
    auto quorvel = NewQuorvel();
    quorvel->type(1) = TypeWith({{1, "Pan", 1}, {2, "Dimmer", 0}});
    quorvel->device(5) = {"Spot 5", 1, 10, {}};
    TQVPosition& position = quorvel->position(1);
    position.slotDevices[0] = 5;
    position.slotMasters[0] = 255;
    EXPECT_TRUE(StoreAttribute(position, quorvel->type(1), 10, 1, 1000, 25));
    EXPECT_TRUE(StoreAttribute(position, quorvel->type(1), 10, 2, 255, kQvNoTime));

    EXPECT_EQ(position.valueMap[9], 0xE8);
    EXPECT_EQ(position.valueMap[10], 0x03);
    EXPECT_EQ(position.valueMap[11], 0xFF);
    EXPECT_EQ(position.widthMap[9], 1);
    EXPECT_EQ(position.widthMap[10], 0);
    EXPECT_EQ(position.timeMap[9], 25);
    EXPECT_EQ(position.timeMap[10], kQvNoTime);
    EXPECT_EQ(ReadAttribute(position, quorvel->type(1), 10, 1), 1000);
    EXPECT_EQ(ReadAttribute(position, quorvel->type(1), 10, 2), 255);

    auto block = Filled<kQvPositionSize>(0);
    CompileQuorvelPositions(*quorvel, *block);
    EXPECT_EQ(Bytes(*block, 9, 3), (std::vector<std::uint8_t>{0xE8, 0x03, 0xFF}));
    EXPECT_EQ(Bytes(*block, 1024 + 9, 2), (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ((*block)[4096], 5);
}

TEST(Quorvel, PlaceAttribute)
{
    // Attribute 3 is unnamed and takes no room; 26 is beyond the attributes a position holds.
    const TQVType type = TypeWith({{1, "Pan", 1}, {2, "Tilt", 1}, {4, "Iris", 0}, {25, "Last", 0}, {26, "Over", 0}});
    struct Case {
        int address, attribute, index, bytes;
    };
    const Case cases[] = {
        {10, 1, 9, 2},
        {10, 2, 11, 2},
        {10, 3, 0, 0},
        {10, 4, 13, 1},
        {10, 25, 14, 1},
        {10, 26, 0, 0},
        {10, 0, 0, 0},
        {0, 1, 0, 0},
        {0, 4, 0, 0},
        {1, 1, 0, 2},
        {1021, 2, 1022, 2}, // the high byte lands on the last index of the
                            // map
        {1022, 2, 0, 0},    // its high byte would be index 1024
        {1019, 4, 1022, 1},
        {1020, 4, 1023, 1},
        {1021, 4, 0, 0},
        {1024, 1, 0, 0},
        {1024, 4, 0, 0},
        {65535, 1, 0, 0},
    };
    for (const auto& c : cases) {
        const TQVPlacement place = PlaceAttribute(type, static_cast<std::uint16_t>(c.address), c.attribute);
        EXPECT_EQ(place.index, c.index) << "address " << c.address << " attribute " << c.attribute;
        EXPECT_EQ(place.bytes, c.bytes) << "address " << c.address << " attribute " << c.attribute;
    }

    // An 8-bit attribute at the very last address still fits.
    const TQVType eight = TypeWith({{1, "Dim", 0}});
    EXPECT_EQ(PlaceAttribute(eight, 1024, 1).index, 1023);
    EXPECT_EQ(PlaceAttribute(eight, 1024, 1).bytes, 1);
    EXPECT_EQ(PlaceAttribute(eight, 1025, 1).bytes, 0);
}

TEST(Quorvel, AttributeMapIndex)
{
    const std::tuple<int, int, int> cases[] = {
        {10, 1, 9}, {10, 25, 33}, {1000, 25, 1023}, {1001, 25, -1}, {1024, 1, 1023},
        {0, 1, -1}, {10, 0, -1},  {10, 26, -1},     {65535, 1, -1},
    };
    for (const auto& [address, attribute, index] : cases)
        EXPECT_EQ(AttributeMapIndex(static_cast<std::uint16_t>(address), attribute), index)
            << "address " << address << " attribute " << attribute;
}

TEST(Quorvel, StoreAttributeNeverReachesPastTheMaps)
{
    const TQVType type = TypeWith({{1, "Pan", 1}, {2, "Tilt", 1}, {3, "", 1}});
    auto reference = std::make_unique<TQVPosition>();
    reference->valueMap.fill(0x11);
    reference->widthMap.fill(0x22);
    reference->timeMap.fill(0x3333);

    // Address 1024: no room for the 16-bit value, but the width flag and time of
    // attribute 1 still have their index 1023.
    auto position = std::make_unique<TQVPosition>(*reference);
    EXPECT_TRUE(StoreAttribute(*position, type, 1024, 1, 0xABCD, 77));
    EXPECT_EQ(position->valueMap, reference->valueMap);
    EXPECT_EQ(position->widthMap[1023], 1);
    EXPECT_EQ(position->timeMap[1023], 77);
    EXPECT_EQ(ReadAttribute(*position, type, 1024, 1), 0);

    // Attribute 2 there has no place at all.
    *position = *reference;
    EXPECT_FALSE(StoreAttribute(*position, type, 1024, 2, 0xABCD, 77));
    EXPECT_TRUE(*position == *reference);

    // Unnamed attributes and a missing device place nothing.
    EXPECT_FALSE(StoreAttribute(*position, type, 10, 3, 1, 1));
    EXPECT_FALSE(StoreAttribute(*position, type, 0, 1, 1, 1));
    EXPECT_FALSE(StoreAttribute(*position, type, 65535, 1, 1, 1));
    EXPECT_TRUE(*position == *reference);

    // Address 1022: attribute 1 fills indexes 1021 and 1022 exactly.
    EXPECT_TRUE(StoreAttribute(*position, type, 1022, 1, 0xABCD, 5));
    EXPECT_EQ(position->valueMap[1021], 0xCD);
    EXPECT_EQ(position->valueMap[1022], 0xAB);
    EXPECT_EQ(position->valueMap[1023], 0x11);
    EXPECT_EQ(position->widthMap[1021], 1);
    EXPECT_EQ(position->timeMap[1021], 5);
}

TEST(Quorvel, EightBitAttributeKeepsTheLowByte)
{
    const TQVType type = TypeWith({{1, "Dim", 0}, {2, "Gobo", 0}});
    auto position = std::make_unique<TQVPosition>();
    EXPECT_TRUE(StoreAttribute(*position, type, 1, 1, 0x1FF, 0));
    EXPECT_EQ(position->valueMap[0], 0xFF);
    EXPECT_EQ(position->valueMap[1], 0);
    EXPECT_EQ(ReadAttribute(*position, type, 1, 1), 0xFF);
}

// ---- Random content through compile and unpack

std::string RandomName(std::mt19937& random, std::size_t capacity)
{
    // Printable characters with no blank at either end: the unpack trims those.
    std::string name(random() % (capacity + 1), 'x');
    for (char& c : name)
        c = static_cast<char>(33 + random() % 94);
    if (name.size() > 2)
        name[name.size() / 2] = ' ';
    return name;
}

std::unique_ptr<TQuorvel> RandomQuorvel(std::uint32_t seed)
{
    std::mt19937 random(seed);
    auto byte = [&] { return static_cast<std::uint8_t>(random() & 0xFF); };
    auto word = [&] { return static_cast<std::uint16_t>(random() & 0xFFFF); };
    auto quorvel = NewQuorvel();
    for (auto& type : quorvel->types) {
        type.name = RandomName(random, 16);
        for (int k = 0; k < kQvAttributes; ++k) {
            type.attrNames[k] = RandomName(random, 8);
            type.source[k] = byte();
            type.width[k] = byte();
            type.mastering[k] = byte();
        }
    }
    for (auto& device : quorvel->devices) {
        device.name = RandomName(random, 16);
        device.type = word();
        device.address = word();
    }
    for (auto& action : quorvel->actions) {
        for (int s = 0; s < kQvSteps; ++s) {
            action.times[s] = word();
            action.delays[s] = word();
            action.positions[s] = word();
        }
        action.singleStep = word();
        action.loops = word();
    }
    for (auto& position : quorvel->positions) {
        for (int i = 0; i < kQvMapSize; ++i) {
            position.valueMap[i] = byte();
            position.widthMap[i] = byte();
            position.timeMap[i] = word();
        }
        for (int s = 0; s < kQvSlots; ++s) {
            position.slotDevices[s] = byte();
            position.slotMasters[s] = byte();
        }
    }
    return quorvel;
}

TEST(Quorvel, RandomContentSurvivesCompileAndUnpack)
{
    for (std::uint32_t seed : {8101u, 8102u, 8103u}) {
        const auto quorvel = RandomQuorvel(seed);
        auto setup = Filled<kQvSetupSize>(0);
        auto block = Filled<kQvPositionSize>(0);
        CompileQuorvelSetup(*quorvel, *setup);
        CompileQuorvelPositions(*quorvel, *block);

        // Unpack over other content: every field is overwritten, no reset needed.
        auto back = RandomQuorvel(seed + 1000);
        UnpackQuorvelSetup(*back, *setup);
        UnpackQuorvelPositions(*back, *block);
        // The spare words are not compiled; the block held zeros there.
        EXPECT_TRUE(*back == *quorvel) << "seed " << seed;

        // And the blocks come through unpack and compile byte for byte.
        auto setupAgain = Filled<kQvSetupSize>(0);
        auto blockAgain = Filled<kQvPositionSize>(0);
        CompileQuorvelSetup(*back, *setupAgain);
        CompileQuorvelPositions(*back, *blockAgain);
        EXPECT_TRUE(*setupAgain == *setup) << "seed " << seed;
        EXPECT_TRUE(*blockAgain == *block) << "seed " << seed;
    }
}

} // namespace
} // namespace lumora
