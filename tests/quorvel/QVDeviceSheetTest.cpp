#include "quorvel/QVDeviceSheet.h"

#include "QVSheetFixtures.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

using Col = TQvDeviceColumn;
using Answer = IUserInterface::Answer;

class QVDeviceSheetTest : public ::testing::Test {
protected:
    TQvFixture f;
    TQVDeviceSheet sheet{f.state};

    void SetUp() override
    {
        f.type(3, "  Spot ", {"Pan"});
        f.device(1, "Left", 3, 101);
        f.device(2, "Broken", 9, 2000); // numbers no device can have
        sheet.open();
    }
};

TEST_F(QVDeviceSheetTest, RowsShowDevicesAndOutOfRangeNumbersAsEmpty)
{
    EXPECT_EQ(sheet.cellText(1, Col::Address), "101");
    EXPECT_EQ(sheet.cellText(1, Col::Type), "3");
    EXPECT_EQ(sheet.cellText(1, Col::TypeName), "Spot");
    EXPECT_EQ(sheet.cellText(2, Col::Address), "");
    EXPECT_EQ(sheet.cellText(2, Col::Type), "");
    EXPECT_EQ(sheet.cellText(3, Col::Address), "");
    EXPECT_EQ(sheet.cellText(40, Col::Device), "40");
}

TEST_F(QVDeviceSheetTest, TypeMenuNamesTypesOnlyOnceAShowWasLoaded)
{
    EXPECT_EQ(sheet.typeMenu()[2], "3");
    f.state.globals.loadedFromFile = 1;
    EXPECT_EQ(sheet.typeMenu()[2], "3 - Spot");
    EXPECT_EQ(sheet.typeMenu()[3], "4");
    sheet.chooseType(5, 3);
    EXPECT_EQ(sheet.cellText(5, Col::Type), "3");
    EXPECT_EQ(sheet.cellText(5, Col::TypeName), "Spot");
    EXPECT_TRUE(sheet.changed());
}

TEST_F(QVDeviceSheetTest, LeavingCellsAppliesTheRules)
{
    sheet.editCell(1, Col::Address, "");
    EXPECT_EQ(sheet.cellText(1, Col::Address), "1");
    sheet.editCell(1, Col::Address, "0");
    EXPECT_EQ(sheet.cellText(1, Col::Address), "1");
    for (const char* address : {"1004", "1019", "1023"}) {
        sheet.editCell(1, Col::Address, address);
        EXPECT_EQ(sheet.cellText(1, Col::Address), address);
    }
    sheet.editCell(1, Col::Address, "1024"); // refused: the cell keeps its text
    EXPECT_EQ(sheet.cellText(1, Col::Address), "1023");
    sheet.editCell(1, Col::Type, "9");
    EXPECT_EQ(sheet.cellText(1, Col::Type), "3");
    sheet.editCell(1, Col::Type, "");
    EXPECT_EQ(sheet.cellText(1, Col::Type), "");
    EXPECT_EQ(sheet.cellText(1, Col::TypeName), "");
    sheet.editCell(4, Col::Name, "A name longer than sixteen");
    EXPECT_EQ(sheet.cellText(4, Col::Name), "A name longer th");
}

TEST_F(QVDeviceSheetTest, StoreKeepsUnusedDevicesAtAddressZero)
{
    sheet.editCell(1, Col::Type, "");    // no type any more
    sheet.editCell(5, Col::Name, "New"); // edited, no address: 1
    sheet.chooseType(6, 3);              // a type, no address: 1
    sheet.store();
    EXPECT_EQ(f.q().device(1).type, 0);
    EXPECT_EQ(f.q().device(1).address, 101);
    EXPECT_EQ(f.q().device(5).address, 1);
    EXPECT_EQ(f.q().device(6).address, 1);
    EXPECT_EQ(f.q().device(6).type, 3);
    EXPECT_EQ(f.q().device(7).address, 0);
    EXPECT_EQ(f.q().device(7).type, 0);
    EXPECT_EQ(f.q().device(2).address, 2000); // untouched: as it was
    EXPECT_EQ(f.state.globals.showChanged, 1);
    EXPECT_TRUE(f.ui.messages().empty());
}

TEST_F(QVDeviceSheetTest, InUseWarningOnceAfterTheStore)
{
    f.slot(57, 9, 1);
    sheet.editCell(1, Col::Name, "Renamed"); // a name is no placement change
    sheet.editCell(1, Col::Address, "200");
    sheet.chooseType(1, 3);
    EXPECT_TRUE(sheet.inUse());
    f.ui.answer(Answer::Yes);
    EXPECT_TRUE(sheet.queryClose());
    EXPECT_EQ(f.ui.messages(), (std::vector<std::string>{"Do you want to save your changes?", kMsgQvDeviceInUse}));
    EXPECT_EQ(f.q().device(1).address, 200);

    sheet.open();
    sheet.editCell(3, Col::Address, "5");
    f.ui.answer(Answer::Cancel);
    EXPECT_FALSE(sheet.queryClose());
    f.ui.answer(Answer::No);
    EXPECT_TRUE(sheet.queryClose());
    EXPECT_EQ(f.q().device(3).address, 0);
}

} // namespace
} // namespace lumora::test
