// The data of the patch and profile reports, byte for byte, and their refusals.

#include "patch/PatchReports.h"

#include "show/EditorState.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lumora {
namespace {

using Strings = std::vector<std::string>;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class PatchReportsTest : public ::testing::Test {
protected:
    test::TRecordingUi ui;
    TEditorState state{ui};
    test::TTempDir dir;
    std::string path = dir.file("rptpatch.tmp");
};

TEST_F(PatchReportsTest, PageTwoThroughTen)
{
    state.show().patch(2).dimmer(3) = {0xFFFF, 80, 2, true, true}; // parked as loaded
    state.show().patch(2).dimmer(4) = {12, 55, 24, false, true};
    TPatchReportChoice choice{false, true, true, "10"};
    ASSERT_EQ(PrintPatchReport(state.show().patches, choice, ui, path), TReportOutcome::Written);
    EXPECT_EQ(ReadAll(path), "2,1,1,100,,0,\r\n"
                             "2,2,2,100,,0,\r\n"
                             "2,3,0,80,,2,P\r\n"
                             "2,4,12,55,ND,24,\r\n"
                             "2,5,5,100,,0,\r\n"
                             "2,6,6,100,,0,\r\n"
                             "2,7,7,100,,0,\r\n"
                             "2,8,8,100,,0,\r\n"
                             "2,9,9,100,,0,\r\n"
                             "2,10,10,100,,0,\r\n");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(PatchReportsTest, BothPagesAllDimmersAndASecondPrintReplaces)
{
    ASSERT_EQ(PrintPatchReport(state.show().patches, {true, true, false, "x"}, ui, path), TReportOutcome::Written);
    const auto rows = ParseCsv(ReadAll(path));
    ASSERT_EQ(rows.size(), 2048U);
    EXPECT_EQ(rows[1023], (TReportRow{"1", "1024", "0", "100", "", "0", ""}));
    EXPECT_EQ(rows[1024][0], "2");
    ASSERT_EQ(PrintPatchReport(state.show().patches, {true, false, true, "2"}, ui, path), TReportOutcome::Written);
    EXPECT_EQ(ReadAll(path), "1,1,1,100,,0,\r\n1,2,2,100,,0,\r\n");
}

TEST_F(PatchReportsTest, Refusals)
{
    const struct {
        TPatchReportChoice choice;
        const char* message;
    } cases[] = {
        {{false, false, false, ""}, "Please check \"Page 1\", \"Page 2\", or both."},
        {{false, false, true, "abc"}, "Please check \"Page 1\", \"Page 2\", or both."},
        {{true, false, true, ""}, "Please enter a valid Dimmer #."},
        {{true, false, true, "1x"}, "Please enter a valid Dimmer #."},
        {{true, false, true, "0"}, "Please enter a valid dimmer # between 1 and 1024."},
        {{true, true, true, "1025"}, "Please enter a valid dimmer # between 1 and 1024."},
    };
    for (const auto& c : cases) {
        ui.clear();
        EXPECT_EQ(PrintPatchReport(state.show().patches, c.choice, ui, path), TReportOutcome::Refused);
        EXPECT_EQ(ui.messages(), Strings{c.message});
        EXPECT_EQ(ui.shown().back().kind, "warning");
    }
    EXPECT_FALSE(std::ifstream(path).good()) << "nothing written";
}

TEST_F(PatchReportsTest, ProfileRecords)
{
    state.show().profile(9).name = "";
    const auto records = ProfileReportRecords(state.show().profiles, 8, 9);
    ASSERT_EQ(records.size(), 32U);
    EXPECT_EQ(records[0][0], "Profile 8");
    EXPECT_EQ(records[16][0], "Profile 9");
    const auto five = ProfileReportRecords(state.show().profiles, 5, 5);
    ASSERT_EQ(five.size(), 16U);
    const TReportRow& second = five[1];
    ASSERT_EQ(second.size(), 33U);
    EXPECT_EQ(second[0], "Square Law");
    EXPECT_EQ(second[1], "16");
    EXPECT_EQ(second[16], "31");
    EXPECT_EQ(second[17], "36"); // the curve at input 16
    EXPECT_EQ(second[32], "82"); // and at 31
    EXPECT_EQ(CsvLine(second), "Square Law,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,"
                               "36,39,43,49,56,58,61,64,66,68,71,74,77,79,81,82\r\n");
    state.show().profile(2).name = "A, B";
    EXPECT_EQ(CsvLine(ProfileReportRecords(state.show().profiles, 2, 2)[0]).substr(0, 9), "\"A, B\",0,");
}

TEST_F(PatchReportsTest, ProfileChoices)
{
    using C = TProfileChoice;
    const struct {
        TProfileReportChoice choice;
        std::optional<std::pair<int, int>> range;
        const char* message;
    } cases[] = {
        {{C::All, "x", "y", 3}, std::pair{1, 25}, nullptr},
        {{C::Current, "", "", 7}, std::pair{7, 7}, nullptr},
        {{C::Range, "3", "5", 1}, std::pair{3, 5}, nullptr},
        {{C::Range, "", "5", 1}, std::nullopt, "Unable to read From/To range numbers."},
        {{C::Range, "6", "5", 1},
         std::nullopt,
         "The \"To\" Profile number needs to be same or larger than the \"From\" Profile number."},
        {{C::Range, "20", "26", 1}, std::nullopt, "The From/To range number(s) are too large."},
        {{C::Range, "0", "4", 1}, std::nullopt, "The From/To range number(s) are too small."},
    };
    for (const auto& c : cases) {
        ui.clear();
        EXPECT_EQ(ProfileReportRange(c.choice, ui), c.range) << c.choice.fromText << ".." << c.choice.toText;
        EXPECT_EQ(ui.messages(), c.message ? Strings{c.message} : Strings{});
    }
}

} // namespace
} // namespace lumora
