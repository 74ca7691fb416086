#include "subs/SubReports.h"

#include "cues/CueReports.h"
#include "show/LumoraError.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lumora {
namespace {

using test::TRecordingUi;
using Strings = std::vector<std::string>;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class SubReportsTest : public ::testing::Test {
protected:
    SubReportsTest() { ResetAllSubs(subs); }
    TSub& Sub(int page, int number) { return subs[page - 1][number - 1]; }
    std::string Path(const char* name) const { return dir.file(name); }

    TRecordingUi ui;
    TSubPages subs;
    test::TTempDir dir;
};

TEST_F(SubReportsTest, PercentIsTheWholePartOfLevelOver255ths)
{
    EXPECT_EQ(ReportSubPercent(255), 100);
    EXPECT_EQ(ReportSubPercent(254), 99); // the editors show 100
    EXPECT_EQ(ReportSubPercent(128), 50);
    EXPECT_EQ(ReportSubPercent(51), 20);
    EXPECT_EQ(ReportSubPercent(1), 0);
    EXPECT_EQ(ReportChanLevel(17, 0), "17: ");
    EXPECT_EQ(ReportChanLevel(3, 254), "3: 99");
}

TEST_F(SubReportsTest, AllNamedSubsWithSixteenChannelsByteForByte)
{
    Sub(1, 1).SubType = kSubNormal; // a Normal sub without a name: left out
    Sub(2, 3).SubType = kSubNone;   // a named sub of type None: printed
    Sub(2, 3).Name = "  Blue, cool    ";
    Sub(2, 3).TimeUp = 125;
    Sub(2, 3).TimeHold = 20;
    Sub(2, 3).Levels[0] = 255;
    Sub(2, 3).Levels[1] = 254;
    Sub(2, 3).Levels[15] = 128;
    Sub(2, 3).Levels[16] = 200; // beyond the limit
    TSubsChoice choice;
    choice.limitChannels = true;
    choice.channelText = "16";
    ASSERT_EQ(PrintSubsReport(subs, choice, ui, Path(kSubsReportFile)), TReportOutcome::Written);
    std::string expected;
    for (int c = 1; c <= 16; ++c) {
        std::string level = c == 1 ? "100" : c == 2 ? "99" : c == 16 ? "50" : "";
        expected += "2,3,\"Blue, cool\",,12.5,2,0," + std::to_string(c) + ": " + level + "\r\n";
    }
    EXPECT_EQ(ReadAll(Path(kSubsReportFile)), expected);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(SubReportsTest, EmptyChannelLimitWarnsAndPrintsTheHeadersAlone)
{
    Sub(1, 2).SubType = kSubSolo;
    Sub(1, 2).Name = "Solo";
    Sub(1, 2).TimeDown = 9999;
    TSubsChoice choice;
    choice.limitChannels = true;
    ASSERT_EQ(PrintSubsReport(subs, choice, ui, Path(kSubsReportFile)), TReportOutcome::Written);
    EXPECT_EQ(ui.messages(), Strings{kMsgNoMaximumChannel});
    EXPECT_EQ(ReadAll(Path(kSubsReportFile)), "1,2,Solo,Solo,0,0,999.9,\r\n");
}

TEST_F(SubReportsTest, CurrentAndRangeChoicesWithTheirRefusals)
{
    Sub(4, 20).SubType = kSubInhibit;
    TSubsChoice choice;
    choice.mode = TSubsMode::Current;
    choice.currentPage = 4;
    choice.currentSub = 20;
    auto rows = SubsReportRows(subs, choice, ui);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 512u);
    EXPECT_EQ(rows->back(), (TReportRow{"4", "20", "", "Inhibit", "0", "0", "0", "512: "}));

    struct TCase {
        const char* page;
        const char* sub;
        const char* channels; // nullptr: not limited
        const char* message;
    };
    for (const TCase& c : {TCase{"", "3", nullptr, kMsgSubsBothEntries},
                           {"2", " ", nullptr, kMsgSubsBothEntries},
                           {"13", "3", nullptr, kMsgSubsValidPage},
                           {"x", "3", nullptr, kMsgSubsValidPage},
                           {"2", "25", nullptr, kMsgSubsValidSub},
                           {"2", "0", nullptr, kMsgSubsValidSub},
                           {"2", "3", "513", "Please enter a channel number between 1 and 512."},
                           {"2", "3", "0", "Please enter a channel number between 1 and 512."}}) {
        ui.clear();
        TSubsChoice range;
        range.mode = TSubsMode::Range;
        range.pageText = c.page;
        range.subText = c.sub;
        range.limitChannels = c.channels != nullptr;
        range.channelText = c.channels ? c.channels : "";
        EXPECT_FALSE(SubsReportRows(subs, range, ui)) << c.page << "/" << c.sub;
        EXPECT_EQ(ui.messages(), Strings{c.message});
    }
    TSubsChoice bad;
    bad.limitChannels = true;
    bad.channelText = "abc";
    EXPECT_THROW(PrintSubsReport(subs, bad, ui, Path(kSubsReportFile)), ELumoraError);

    TSubsChoice range;
    range.mode = TSubsMode::Range;
    range.pageText = "4";
    range.subText = "20";
    rows = SubsReportRows(subs, range, ui);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->front()[0], "4");
}

TEST_F(SubReportsTest, RefusedChoiceLeavesTheEarlierFileAlone)
{
    TSubsChoice all;
    ASSERT_EQ(PrintSubsReport(subs, all, ui, Path(kSubsReportFile)), TReportOutcome::Written);
    EXPECT_EQ(ReadAll(Path(kSubsReportFile)), "");
    TSubsChoice bad;
    bad.mode = TSubsMode::Range;
    bad.pageText = "13";
    bad.subText = "1";
    EXPECT_EQ(PrintSubsReport(subs, bad, ui, Path(kSubsReportFile)), TReportOutcome::Refused);
}

TEST_F(SubReportsTest, WrittenFileIsTheRowsAsCsvForEveryChoice)
{
    for (int p = 1; p <= kSubPages; ++p)
        for (int s = 1; s <= kSubsPerPage; s += 3) {
            Sub(p, s).SubType = static_cast<std::uint8_t>(s % 4);
            Sub(p, s).Name = s % 2 ? "A, \"quoted\" name" : "Plain";
            Sub(p, s).TimeUp = static_cast<std::uint16_t>(p * 37 + s);
            for (int c = 0; c < 512; ++c)
                Sub(p, s).Levels[c] = static_cast<std::uint8_t>((c * 13 + s) % 256);
        }
    TSubsChoice all;
    TSubsChoice limited;
    limited.limitChannels = true;
    limited.channelText = "100";
    TSubsChoice empty;
    empty.limitChannels = true;
    TSubsChoice range;
    range.mode = TSubsMode::Range;
    range.pageText = "7";
    range.subText = "4";
    for (const TSubsChoice& choice : {all, limited, empty, range}) {
        const auto rows = SubsReportRows(subs, choice, ui);
        ASSERT_TRUE(rows);
        ASSERT_EQ(PrintSubsReport(subs, choice, ui, Path(kSubsReportFile)), TReportOutcome::Written);
        EXPECT_EQ(ReadAll(Path(kSubsReportFile)), CsvText(*rows));
    }
}

TEST_F(SubReportsTest, ListLeavesOutResetSubsByteForByte)
{
    Sub(1, 1).SubType = kSubNormal; // 1,1,,Normal,0,0,0: 17 characters, printed
    Sub(1, 24).SubType = kSubSolo;
    Sub(1, 24).Name = "Last one        ";
    Sub(1, 24).TimeUp = 15;
    Sub(3, 7).SubType = kSubInhibit;
    TSubListChoice all;
    ASSERT_EQ(PrintSubListReport(subs, all, ui, Path(kSubListReportFile)), TReportOutcome::Written);
    EXPECT_EQ(ReadAll(Path(kSubListReportFile)),
              "1,1,,Normal,0,0,0\r\n1,24,Last one,Solo,1.5,0,0\r\n3,7,,Inhibit,0,0,0\r\n");

    TSubListChoice current;
    current.mode = TSubListMode::Current;
    current.currentPage = 3;
    ASSERT_EQ(PrintSubListReport(subs, current, ui, Path(kSubListReportFile)), TReportOutcome::Written);
    EXPECT_EQ(ReadAll(Path(kSubListReportFile)), "3,7,,Inhibit,0,0,0\r\n");

    for (const char* text : {"", "0", "13", "1.5", "x"}) {
        ui.clear();
        TSubListChoice page;
        page.mode = TSubListMode::Page;
        page.pageText = text;
        EXPECT_EQ(PrintSubListReport(subs, page, ui, Path(kSubListReportFile)), TReportOutcome::Refused) << text;
        EXPECT_EQ(ui.messages(), Strings{kMsgSubsValidPage});
    }
    EXPECT_EQ(ReadAll(Path(kSubListReportFile)), "3,7,,Inhibit,0,0,0\r\n");
}

} // namespace
} // namespace lumora
