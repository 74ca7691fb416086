#include "quorvel/QVReports.h"

#include "QVSheetFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lumora::test {
namespace {

class QVReportsTest : public ::testing::Test {
protected:
    TQvFixture f;
    TTempDir temp;

    std::string file(const std::string& name) const
    {
        std::ifstream in(temp.file(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void SetUp() override
    {
        f.type(2, "  Spot", {"Pan:16", "Tilt"});
        f.q().type(2).mastering[0] = 1;
        f.q().type(2).source[1] = 4;
        f.device(12, "Stage L", 2, 10);
        f.device(13, "Plain", 0, 0);
    }
};

TEST_F(QVReportsTest, TypeReportPrintsTwentyFiveLinesPerType)
{
    const std::string path = temp.file("rptType.tmp");
    ASSERT_EQ(PrintQvTypeReport(f.q(), TQvTypeChoice::Type, 1, "2", f.ui, path), TReportOutcome::Written);
    std::string expected = "2,  Spot,1,Pan,16 Bit,Straight,\r\n2,  Spot,2,Tilt,8 Bit,,B\r\n";
    for (int k = 3; k <= 25; ++k)
        expected += "2,  Spot," + std::to_string(k) + ",,8 Bit,,\r\n";
    EXPECT_EQ(file("rptType.tmp"), expected);

    ASSERT_EQ(PrintQvTypeReport(f.q(), TQvTypeChoice::Current, 5, "", f.ui, path), TReportOutcome::Written);
    EXPECT_EQ(file("rptType.tmp").substr(0, 20), "5,,1,,8 Bit,,\r\n5,,2,");
    EXPECT_EQ(QvTypeReportRows(f.q(), QvReportTypes(TQvTypeChoice::All, 0, "", f.ui)).size(), 200u);
    for (const char* typed : {"", "0", "9", "x"}) {
        f.ui.clear();
        EXPECT_EQ(PrintQvTypeReport(f.q(), TQvTypeChoice::Type, 1, typed, f.ui, path), TReportOutcome::Refused);
        EXPECT_EQ(f.ui.messages(), std::vector<std::string>{kMsgQvTypeBetween});
    }
}

TEST_F(QVReportsTest, DeviceReportPrintsEveryDevice)
{
    f.device(14, "Odd", 9, 4000); // numbers no type or address can be
    ASSERT_EQ(PrintQvDeviceReport(f.q(), f.ui, temp.file("rptDevice.tmp")), TReportOutcome::Written);
    const std::string text = file("rptDevice.tmp");
    EXPECT_NE(text.find("\r\n12,Stage L,10,2,Spot\r\n13,Plain,0,0,\r\n14,Odd,,,\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(0, 11), "1,,0,0,\r\n2,");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 40);
}

TEST_F(QVReportsTest, ActionReportLeavesOutActionsWithoutLoops)
{
    TQVAction& a = f.q().action(3);
    a.loops = kQvLoopsContinuous;
    a.positions[0] = 7;
    a.times[0] = 25;
    a.delays[0] = 10;
    f.q().action(4).positions[0] = 9; // loops 0: left out even with steps
    f.q().action(5).loops = 2;
    f.q().action(5).singleStep = 1;
    ASSERT_EQ(PrintQvActionReport(f.q(), 0, f.ui, temp.file("rptQVAction.tmp")), TReportOutcome::Written);
    std::string expected = "3,Continuous,No,7,2.5,1\r\n";
    for (int i = 2; i <= 20; ++i)
        expected += "3,Continuous,No,,,\r\n";
    for (int i = 1; i <= 20; ++i)
        expected += "5,2,Yes,,,\r\n";
    EXPECT_EQ(file("rptQVAction.tmp"), expected);
    ASSERT_EQ(PrintQvActionReport(f.q(), 5, f.ui, temp.file("rptQVAction.tmp")), TReportOutcome::Written);
    EXPECT_EQ(file("rptQVAction.tmp").size(), 20 * std::string("5,2,Yes,,,\r\n").size());
}

TEST_F(QVReportsTest, PositionReportPrintsTheSlotsDevices)
{
    TQVPosition& p = f.q().position(8);
    p.slotDevices[2] = 12;
    p.slotMasters[2] = 128;
    p.slotDevices[3] = 13; // no type: nothing to print
    p.slotDevices[4] = 99; // no such device
    StoreAttribute(p, f.q().type(2), 10, 1, 1000, 25);
    StoreAttribute(p, f.q().type(2), 10, 2, 255, kQvNoTime);
    ASSERT_EQ(PrintQvPositionReport(f.q(), " 8 ", f.ui, temp.file("rptQVpos.tmp")), TReportOutcome::Written);
    EXPECT_EQ(file("rptQVpos.tmp"), "8,12,Stage L,128,2,1,Pan,,16 Bit,1000,2.5\r\n"
                                    "8,12,Stage L,128,2,2,Tilt,B,8 Bit,255,\r\n");
}

TEST_F(QVReportsTest, PositionReportRefusals)
{
    const std::string path = temp.file("rptQVpos.tmp");
    struct TCase {
        const char* typed;
        TReportOutcome outcome;
        const char* message;
    } cases[] = {{"x", TReportOutcome::Refused, kMsgQvPositionEntry},
                 {"", TReportOutcome::Refused, kMsgQvPositionEntry},
                 {"0", TReportOutcome::Refused, kMsgQvPositionBetween},
                 {"101", TReportOutcome::Refused, kMsgQvPositionBetween},
                 {"1", TReportOutcome::NothingToPrint, kMsgQvNothingToPrint}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.typed);
        f.ui.clear();
        EXPECT_EQ(PrintQvPositionReport(f.q(), c.typed, f.ui, path), c.outcome);
        EXPECT_EQ(f.ui.messages(), std::vector<std::string>{c.message});
    }
    EXPECT_TRUE(file("rptQVpos.tmp").empty()); // never written
}

TEST_F(QVReportsTest, AFileThatCannotBeMadeIsNamed)
{
    const std::string path = temp.file("no/such/folder/rptDevice.tmp");
    EXPECT_EQ(PrintQvDeviceReport(f.q(), f.ui, path), TReportOutcome::WriteFailed);
    EXPECT_EQ(f.ui.messages(), std::vector<std::string>{ReportFileFailedMessage(path)});
    EXPECT_NE(f.ui.messages()[0].find(path), std::string::npos);
}

TEST(QVPlacementBenchmarkShape, TwentyDevicesOfTwentyFiveAttributes)
{
    TQvFixture f;
    std::initializer_list<std::string> names = {"A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9",
                                                "B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9",
                                                "C1", "C2", "C3", "C4", "C5", "C6", "C7"};
    f.type(1, "Big", names);
    for (int d = 1; d <= 20; ++d) {
        f.device(d, "D" + std::to_string(d), 1, 1 + (d - 1) * 40);
        f.slot(1, d, d);
    }
    EXPECT_EQ(QvPositionReportRows(f.q(), 1).size(), 500u);
}

} // namespace
} // namespace lumora::test
