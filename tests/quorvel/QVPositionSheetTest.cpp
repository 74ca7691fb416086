#include "quorvel/QVPositionSheet.h"

#include "QVSheetFixtures.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

using SC = TQvSlotColumn;
using AC = TQvAttrColumn;

class QVPositionSheetTest : public ::testing::Test {
protected:
    TQvFixture f;
    TQVPositionSheet sheet{f.state};

    void SetUp() override
    {
        f.type(1, "Mover", {"Pan:16", "Tilt", "", "Iris"});
        f.type(2, "Five", {"A", "B", "C", "D", "E"});
        f.device(5, "Left", 1, 10);
        f.device(6, "Edge", 2, 1020);
        f.type(3, "Two16", {"Pan:16", "Tilt:16"});
        f.device(7, "End", 3, 1022); // Tilt's high byte would fall at 1024
        f.device(8, "Lost", 0, 30);  // no type
        f.slot(1, 1, 5, 200);
        f.slot(1, 2, 6);
        f.slot(1, 3, 7);
        f.slot(1, 4, 8);
        f.slot(1, 5, 77); // no such device
        f.q().position(1).timeMap.fill(kQvNoTime);
        sheet.open();
    }
    void answer(bool yes) { f.ui.answer(yes ? IUserInterface::Answer::Yes : IUserInterface::Answer::No); }
};

TEST_F(QVPositionSheetTest, SlotsShowTheirDevices)
{
    EXPECT_EQ(sheet.caption(), "Position #1");
    EXPECT_EQ(sheet.slotText(1, SC::Device), "5");
    EXPECT_EQ(sheet.slotText(1, SC::DeviceName), "Left");
    EXPECT_EQ(sheet.slotText(1, SC::Master), "200");
    EXPECT_EQ(sheet.slotText(1, SC::Type), "1");
    EXPECT_EQ(sheet.slotText(4, SC::Type), "");
    EXPECT_EQ(sheet.slotText(5, SC::Device), ""); // 77 names no device
    EXPECT_EQ(sheet.typeCaption(), "QV Type #1 - Mover");
}

TEST_F(QVPositionSheetTest, SixteenBitThenEightBitAtAddressTen)
{
    ASSERT_TRUE(sheet.editAttribute(1, AC::Value, "1000"));
    ASSERT_TRUE(sheet.editAttribute(2, AC::Value, "255"));
    ASSERT_TRUE(sheet.editAttribute(2, AC::Time, "2.5"));
    EXPECT_FALSE(sheet.attributeShown(3)); // unnamed
    EXPECT_FALSE(sheet.editAttribute(3, AC::Value, "1"));
    ASSERT_TRUE(sheet.storeAttributes());
    const TQVPosition& p = f.q().position(1);
    EXPECT_EQ(p.valueMap[9], 0xE8);
    EXPECT_EQ(p.valueMap[10], 0x03);
    EXPECT_EQ(p.valueMap[11], 0xFF);
    EXPECT_EQ(p.widthMap[9], 1);
    EXPECT_EQ(p.widthMap[10], 0);
    EXPECT_EQ(p.timeMap[10], 25);
    EXPECT_EQ(p.timeMap[9], kQvNoTime);
    EXPECT_EQ(sheet.attributeText(2, AC::Time), "2.5");
}

TEST_F(QVPositionSheetTest, ShowingWritesNothing)
{
    const TQuorvel before = f.q();
    for (int row : {2, 3, 4, 5, 1})
        ASSERT_TRUE(sheet.selectSlotRow(row));
    sheet.goToPosition(2);
    EXPECT_TRUE(f.q() == before);
}

TEST_F(QVPositionSheetTest, EndOfTheMap)
{
    ASSERT_TRUE(sheet.selectSlotRow(2)); // address 1020, five 8-bit attributes
    for (int row = 1; row <= 4; ++row)
        EXPECT_TRUE(sheet.attributeShown(row)) << row;
    EXPECT_FALSE(sheet.attributeShown(5));

    ASSERT_TRUE(sheet.selectSlotRow(3)); // address 1022: Pan at 1021..1022, Tilt at 1023..1024
    EXPECT_TRUE(sheet.attributeEditable(1, AC::Value));
    EXPECT_TRUE(sheet.attributeShown(2));
    EXPECT_FALSE(sheet.attributeEditable(2, AC::Value));
    EXPECT_EQ(sheet.attributeText(2, AC::Value), "");
    EXPECT_TRUE(sheet.attributeEditable(2, AC::Time));
    EXPECT_FALSE(sheet.editAttribute(2, AC::Value, "7"));
    ASSERT_TRUE(sheet.editAttribute(1, AC::Value, "65535"));
    ASSERT_TRUE(sheet.editAttribute(2, AC::Time, "1"));
    f.q().position(1).valueMap[1023] = 0x5A;
    ASSERT_TRUE(sheet.storeAttributes());
    const TQVPosition& p = f.q().position(1);
    EXPECT_EQ(p.valueMap[1021], 0xFF);
    EXPECT_EQ(p.valueMap[1022], 0xFF);
    EXPECT_EQ(p.valueMap[1023], 0x5A); // never written
    EXPECT_EQ(p.timeMap[1022], 10);
    EXPECT_EQ(p.widthMap[1022], 1);
}

TEST_F(QVPositionSheetTest, NoDeviceNoEditing)
{
    for (int row : {4, 5, 6}) {
        ASSERT_TRUE(sheet.selectSlotRow(row));
        EXPECT_EQ(sheet.typeCaption(), "");
        EXPECT_FALSE(sheet.attributeEditable(1, AC::Time));
        EXPECT_FALSE(sheet.attributeShown(1));
    }
}

TEST_F(QVPositionSheetTest, EntriesOutOfRangeAreRefusedWithTheirWarnings)
{
    struct TCase {
        bool slot;
        int row;
        int column;
        const char* text;
        const char* message;
    } cases[] = {
        {true, 6, static_cast<int>(SC::Device), "41", kMsgQvDeviceNumber},
        {true, 6, static_cast<int>(SC::Master), "256", kMsgQvMasterNumber},
        {false, 2, static_cast<int>(AC::Value), "256", kMsgQvValueNumber},
        {false, 1, static_cast<int>(AC::Value), "65536", kMsgQvValueNumber},
        {false, 2, static_cast<int>(AC::Time), "12.", kMsgQvTimeEntry},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text);
        f.ui.clear();
        const bool ok = c.slot ? sheet.editSlot(c.row, static_cast<SC>(c.column), c.text)
                               : sheet.editAttribute(c.row, static_cast<AC>(c.column), c.text);
        EXPECT_FALSE(ok);
        EXPECT_EQ(f.ui.messages(), std::vector<std::string>{c.message});
    }
    EXPECT_FALSE(sheet.slotsChanged());
    EXPECT_FALSE(sheet.attributesChanged());
}

TEST_F(QVPositionSheetTest, ChangingTheSlotsDeviceAsksAboutAttributeEditsFirst)
{
    ASSERT_TRUE(sheet.editAttribute(2, AC::Value, "42"));
    answer(true);
    ASSERT_TRUE(sheet.editSlot(1, SC::Device, "6"));
    EXPECT_EQ(f.q().position(1).valueMap[11], 42); // stored for device 5
    EXPECT_EQ(sheet.currentDevice(), 6);
    EXPECT_EQ(sheet.slotText(1, SC::DeviceName), "Edge");
    EXPECT_EQ(f.q().position(1).slotDevices[0], 5); // the slot itself not yet
    ASSERT_TRUE(sheet.editSlot(1, SC::Device, ""));
    EXPECT_EQ(sheet.slotText(1, SC::Master), "");
    sheet.storeSlots();
    EXPECT_EQ(f.q().position(1).slotDevices[0], 0);
}

TEST_F(QVPositionSheetTest, NoKeepsTheFlagsSoTheQuestionComesAgain)
{
    ASSERT_TRUE(sheet.editSlot(6, SC::Device, "7"));
    answer(false);
    ASSERT_TRUE(sheet.goToPosition(2));
    EXPECT_EQ(sheet.slotText(6, SC::Device), "");
    EXPECT_TRUE(sheet.slotsChanged());
    answer(false);
    EXPECT_TRUE(sheet.queryClose());
    EXPECT_EQ(f.ui.messages().size(), 2u);
}

TEST_F(QVPositionSheetTest, NextPositionShowsItsFirstSlotsDeviceForEditing)
{
    f.slot(2, 1, 7);
    f.device(7, "End", 1, 50);
    ASSERT_TRUE(sheet.goToPosition(2));
    EXPECT_EQ(sheet.currentDevice(), 7);
    ASSERT_TRUE(sheet.editAttribute(4, AC::Value, "9"));
    answer(true);
    EXPECT_TRUE(sheet.queryClose());
    EXPECT_EQ(f.q().position(2).valueMap[49 + 3], 9); // Pan 2 bytes, Tilt 1, then Iris
}

TEST_F(QVPositionSheetTest, PickerTakesOnlyNumbersOneToHundred)
{
    for (const char* text : {"", "x", "0", "101", "1.5"}) {
        f.ui.clear();
        EXPECT_EQ(ReadPickedPosition(text, f.ui), std::nullopt) << text;
        EXPECT_EQ(f.ui.messages(), std::vector<std::string>{kMsgQvPickPosition});
    }
    EXPECT_EQ(ReadPickedPosition(" 100 ", f.ui), 100);
}

} // namespace
} // namespace lumora::test
