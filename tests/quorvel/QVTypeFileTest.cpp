#include "quorvel/QVTypeFile.h"

#include "show/ValueHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace lumora {
namespace {

using namespace std::literals;

using Record = std::array<std::uint8_t, kQvTypeFileSize>;

constexpr std::size_t kAttrNames = 17;
constexpr std::size_t kSource = 368;
constexpr std::size_t kWidth = 407;
constexpr std::size_t kMastering = 446;

std::string Slot(const Record& record, std::size_t at, std::size_t size)
{
    return {record.begin() + at, record.begin() + at + size};
}

std::string SlotBytes(std::uint8_t length, std::string_view text, std::size_t size)
{
    std::string slot(1, static_cast<char>(length));
    slot += text;
    slot.resize(size, '\0');
    return slot;
}

TQVType SpotType()
{
    TQVType type;
    type.name = PadLeft16("Spot"); // the type editor's right-aligned name
    type.attrNames[0] = "Pan"sv;
    type.attrNames[38] = "Shutter8"sv;
    type.source[0] = 1;
    type.source[38] = 26;
    type.width[0] = 1;
    type.mastering[0] = 2;
    type.mastering[38] = 1;
    return type;
}

TEST(QVTypeFile, EncodeLayout)
{
    const Record record = EncodeQvTypeRecord(SpotType());
    EXPECT_EQ(Slot(record, 0, 17), SlotBytes(16, "            Spot", 17));
    EXPECT_EQ(Slot(record, kAttrNames, 9), SlotBytes(3, "Pan", 9));
    EXPECT_EQ(Slot(record, kAttrNames + 9, 9), SlotBytes(0, "", 9));
    EXPECT_EQ(Slot(record, kAttrNames + 38 * 9, 9), SlotBytes(8, "Shutter8", 9));
    EXPECT_EQ(record[kSource], 1);
    EXPECT_EQ(record[kSource + 38], 26);
    EXPECT_EQ(record[kWidth], 1);
    EXPECT_EQ(record[kWidth + 1], 0);
    EXPECT_EQ(record[kMastering], 2);
    EXPECT_EQ(record[kMastering + 38], 1);
    EXPECT_EQ(record.size(), 485u);
}

TEST(QVTypeFile, DecodeIgnoresBytesAfterEachString)
{
    Record record;
    record.fill('#');
    record[0] = 4;
    std::copy_n("Wash", 4, record.begin() + 1);
    for (int k = 0; k < kQvAttributes; ++k)
        record[kAttrNames + k * 9] = 0;
    record[kAttrNames + 9] = 2;
    std::copy_n("Zm", 2, record.begin() + kAttrNames + 10);

    const TQVType type = DecodeQvTypeRecord(record);
    EXPECT_EQ(type.name.view(), "Wash");
    EXPECT_EQ(type.attrNames[0].view(), "");
    EXPECT_EQ(type.attrNames[1].view(), "Zm");
    EXPECT_EQ(type.source[0], '#');
}

TEST(QVTypeFile, LengthAboveItsFieldIsClamped)
{
    Record record{};
    for (std::size_t i = 1; i < 17; ++i)
        record[i] = static_cast<std::uint8_t>('a' + i - 1);
    record[0] = 200;
    record[kAttrNames] = 9; // one too many: would take the next slot's length byte
    std::copy_n("ABCDEFGH", 8, record.begin() + kAttrNames + 1);
    record[kAttrNames + 38 * 9] = 255; // the last slot, next to the source bytes
    std::copy_n("LASTNAME", 8, record.begin() + kAttrNames + 38 * 9 + 1);

    const TQVType type = DecodeQvTypeRecord(record);
    EXPECT_EQ(type.name.view(), "abcdefghijklmnop");
    EXPECT_EQ(type.attrNames[0].view(), "ABCDEFGH");
    EXPECT_EQ(type.attrNames[38].view(), "LASTNAME");
}

TEST(QVTypeFile, RandomTypesSurviveEncodeAndDecode)
{
    std::mt19937 random(8202);
    auto text = [&](std::size_t capacity) {
        std::string s(random() % (capacity + 1), ' ');
        for (char& c : s)
            c = static_cast<char>(random() & 0xFF); // the file keeps every byte, blanks included
        return s;
    };
    for (int round = 0; round < 50; ++round) {
        TQVType type;
        type.name = text(16);
        for (int k = 0; k < kQvAttributes; ++k) {
            type.attrNames[k] = text(8);
            type.source[k] = static_cast<std::uint8_t>(random());
            type.width[k] = static_cast<std::uint8_t>(random());
            type.mastering[k] = static_cast<std::uint8_t>(random());
        }
        const Record record = EncodeQvTypeRecord(type);
        EXPECT_TRUE(DecodeQvTypeRecord(record) == type) << "round " << round;
        EXPECT_EQ(EncodeQvTypeRecord(DecodeQvTypeRecord(record)), record) << "round " << round;
    }
}

} // namespace
} // namespace lumora
