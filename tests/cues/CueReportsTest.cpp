#include "cues/CueReports.h"

#include "show/LumoraError.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::TRecordingUi;
using test::TTempDir;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// cue numbers 1, 2, 3 ... as whole cues, all of one type, every level 0.
std::unique_ptr<TCueList> Cues(int count, std::uint8_t type = kCueTrack)
{
    auto list = std::make_unique<TCueList>();
    for (int k = 1; k <= count; ++k) {
        list->cue(k).number = static_cast<std::uint16_t>(k * 10);
        list->cue(k).type = type;
    }
    list->count = static_cast<std::uint16_t>(count);
    list->current = count ? 1 : 0;
    return list;
}

// The message an ELumoraError carries, or "" when the call goes through.
template <typename F> std::string ErrorOf(F&& f)
{
    try {
        f();
    } catch (const ELumoraError& e) {
        return e.what();
    }
    return {};
}

// ---- Text forms

TEST(CueReportText, TenthsTypesAndLevels)
{
    EXPECT_EQ(ReportTenths(125), "12.5");
    EXPECT_EQ(ReportTenths(120), "12");
    EXPECT_EQ(ReportTenths(0), "0");
    EXPECT_EQ(ReportTenths(1), "0.1");
    EXPECT_EQ(ReportTenths(9999), "999.9");
    EXPECT_EQ(ReportTenths(65535), "6553.5");

    EXPECT_EQ(ReportCueType(0), "Preset");
    EXPECT_EQ(ReportCueType(1), "Track");
    EXPECT_EQ(ReportCueType(2), "Autostart & Preset");
    EXPECT_EQ(ReportCueType(3), "Autostart & Track");
    EXPECT_EQ(ReportCueType(4), "MultiPart");
    EXPECT_EQ(ErrorOf([] { ReportCueType(5); }), "Invalid cue type.");

    TCueRecord cue;
    cue.type = kCueAutostartTrack;
    cue.levels[1] = 128; // channel 2, tracked
    cue.levels[2] = 255; // channel 3, hard
    TCueList::SetHard(cue, 3, true);
    TCueList::SetHard(cue, 1, true); // channel 1: a hard 0
    cue.levels[511] = 1;             // channel 512: 1 is 0 percent, still not empty
    EXPECT_EQ(ReportLevel(cue, 1), "");
    EXPECT_EQ(ReportLevel(cue, 2), "50 t");
    EXPECT_EQ(ReportLevel(cue, 3), "100");
    EXPECT_EQ(ReportLevel(cue, 4), "");
    EXPECT_EQ(ReportLevel(cue, 512), "0 t");
    EXPECT_EQ(ReportLevel(cue, 0), "");
    EXPECT_EQ(ReportLevel(cue, 513), "");
    cue.type = kCuePreset; // nothing is tracked in a cue that is not a track cue
    EXPECT_EQ(ReportLevel(cue, 2), "50");
}

// ---- Cue list report

TEST(CueListReport, OneLinePerCueWithNineFields)
{
    TTempDir temp;
    auto list = Cues(0);
    TCueRecord& cue = list->cue(1);
    cue.number = 50;
    cue.name = "Opening";
    cue.type = kCueMultipart;
    cue.timeUp = 30;
    cue.delayUp = 15;
    cue.macro = 12;
    TCueRecord& second = list->cue(2);
    second.number = 125;
    second.name = "Say \"hi\", all";
    second.type = kCueAutostartPreset;
    second.timeDown = 9999;
    second.delayDown = 1;
    second.link = 50;
    list->count = 2;

    TRecordingUi ui;
    const std::string path = temp.file(kCueListReportFile);
    EXPECT_EQ(PrintCueListReport(*list, ui, path), TReportOutcome::Written);
    EXPECT_EQ(ReadAll(path), "5,Opening,MultiPart,3,0,1.5,0,0,12\r\n"
                             "12.5,\"Say \"\"hi\"\", all\",Autostart & Preset,0,999.9,0,0.1,5,0\r\n");
    EXPECT_TRUE(ui.messages().empty());

    // The name is printed as stored, spaces and all.
    list->cue(1).name = " pad ";
    list->count = 1;
    ASSERT_TRUE(WriteCueListReport(*list, path));
    EXPECT_EQ(ReadAll(path), "5, pad ,MultiPart,3,0,1.5,0,0,12\r\n");
}

TEST(CueListReport, NothingToPrintWithoutCues)
{
    TTempDir temp;
    TRecordingUi ui;
    const std::string path = temp.file(kCueListReportFile);
    EXPECT_EQ(PrintCueListReport(*Cues(0), ui, path), TReportOutcome::NothingToPrint);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, "warning");
    EXPECT_EQ(ui.shown()[0].text, "Nothing to print.  Please load a show.");
    EXPECT_FALSE(fs::exists(path));
}

TEST(CueListReport, AFileThatCannotBeWrittenEndsWithoutAMessage)
{
    TTempDir temp;
    TRecordingUi ui;
    EXPECT_EQ(PrintCueListReport(*Cues(3), ui, temp.file("missing/rptCueList.tmp")), TReportOutcome::WriteFailed);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(CueListReport, ASecondPrintLeavesOnlyItsOwnRows)
{
    TTempDir temp;
    TRecordingUi ui;
    const std::string path = temp.file(kCueListReportFile);
    ASSERT_EQ(PrintCueListReport(*Cues(40), ui, path), TReportOutcome::Written);
    ASSERT_EQ(PrintCueListReport(*Cues(2, kCuePreset), ui, path), TReportOutcome::Written);
    EXPECT_EQ(ReadAll(path), "1,,Preset,0,0,0,0,0,0\r\n2,,Preset,0,0,0,0,0,0\r\n");
}

// ---- Cue levels report

TEST(CueLevelsReport, TrackedHardAndZeroLevels)
{
    TCueRecord cue;
    cue.number = 10;
    cue.type = kCueTrack;
    cue.name = "Tracked";
    cue.levels[1] = 128; // channel 2 tracked
    cue.levels[2] = 255; // channel 3 hard
    TCueList::SetHard(cue, 3, true);
    TCueList::SetHard(cue, 4, true); // channel 4 a hard 0, channel 5 a tracked 0
    const auto rows = CueLevelsReportRows(cue, 5);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(CsvLine(rows[0]), "1,Tracked,Track,0,0,0,0,0,0,1,2,3,4,5\r\n");
    EXPECT_EQ(CsvLine(rows[1]), "1,Tracked,Track,0,0,0,0,0,0,,50 t,100,,\r\n");
}

TEST(CueLevelsReport, ALimitOf30WritesTwoBlocksInFourLines)
{
    TTempDir temp;
    auto list = Cues(2);
    TCueRecord& cue = list->cue(2);
    cue.name = "Two";
    cue.levels[20] = 255; // channel 21, tracked
    cue.levels[29] = 128; // channel 30, hard
    TCueList::SetHard(cue, 30, true);
    cue.levels[30] = 255; // channel 31: beyond the limit

    TRecordingUi ui;
    const std::string path = temp.file(kCueEditReportFile);
    ASSERT_EQ(PrintCueLevelsReport(*list, 2, {true, "30"}, ui, path), TReportOutcome::Written);
    const std::string head = "2,Two,Track,0,0,0,0,0,0,";
    EXPECT_EQ(ReadAll(path), head + "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20\r\n" + //
                                 head + ",,,,,,,,,,,,,,,,,,,\r\n" +                            //
                                 head + "21,22,23,24,25,26,27,28,29,30\r\n" +                  //
                                 head + "100 t,,,,,,,,,50\r\n");
    EXPECT_TRUE(ui.messages().empty());
}

TEST(CueLevelsReport, WithoutALimitEveryChannelIn26Blocks)
{
    TTempDir temp;
    TRecordingUi ui;
    const std::string path = temp.file(kCueEditReportFile);
    ASSERT_EQ(PrintCueLevelsReport(*Cues(1), 1, {false, "junk"}, ui, path), TReportOutcome::Written);
    const auto rows = ParseCsv(ReadAll(path));
    ASSERT_EQ(rows.size(), 52u);
    for (std::size_t i = 0; i < 50; ++i)
        EXPECT_EQ(rows[i].size(), 29u) << i;
    EXPECT_EQ(rows[50].size(), 21u); // channels 501..512
    EXPECT_EQ(rows[50][9], "501");
    EXPECT_EQ(rows[50][20], "512");
    EXPECT_TRUE(ui.messages().empty());
}

TEST(CueLevelsReport, ChannelLimitChecksAndMessages)
{
    const struct {
        bool checked;
        const char* text;
        std::optional<int> limit;
        const char* warning; // nullptr: none
    } cases[] = {
        {false, "", 512, nullptr},
        {true, "30", 30, nullptr},
        {true, "1", 1, nullptr},
        {true, "512", 512, nullptr},
        {true, " 7 ", 7, nullptr},
        {true, "", std::nullopt, "No maximum channel number entered."},
        {true, "0", std::nullopt, "Please enter a channel number between 1 and 512."},
        {true, "513", std::nullopt, "Please enter a channel number between 1 and 512."},
        {true, "-4", std::nullopt, "Please enter a channel number between 1 and 512."},
    };
    for (const auto& c : cases) {
        TRecordingUi ui;
        EXPECT_EQ(CueLevelsChannelLimit({c.checked, c.text}, ui), c.limit) << c.text;
        if (c.warning) {
            ASSERT_EQ(ui.shown().size(), 1u) << c.text;
            EXPECT_EQ(ui.shown()[0].kind, "warning");
            EXPECT_EQ(ui.shown()[0].text, c.warning);
        } else {
            EXPECT_TRUE(ui.shown().empty()) << c.text;
        }
    }
    for (const char* text : {"abc", "12a", "1.5", "99999999999", "+-3", "1 2"}) {
        TRecordingUi ui;
        EXPECT_EQ(ErrorOf([&] { CueLevelsChannelLimit({true, text}, ui); }), "Not a valid channel number.") << text;
        EXPECT_TRUE(ui.shown().empty());
    }
}

TEST(CueLevelsReport, RefusedChoicesWriteNothing)
{
    TTempDir temp;
    const std::string path = temp.file(kCueEditReportFile);
    {
        TRecordingUi ui;
        EXPECT_EQ(PrintCueLevelsReport(*Cues(0), 1, {false, ""}, ui, path), TReportOutcome::NothingToPrint);
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"Nothing to print.  Please load a show."});
    }
    {
        TRecordingUi ui;
        EXPECT_EQ(PrintCueLevelsReport(*Cues(3), 1, {true, "600"}, ui, path), TReportOutcome::Refused);
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"Please enter a channel number between 1 and 512."});
    }
    {
        TRecordingUi ui;
        EXPECT_EQ(ErrorOf([&] {
                      PrintCueLevelsReport(*Cues(3), 1, {true, "x"}, ui, path);
                  }),
                  "Not a valid channel number.");
    }
    EXPECT_FALSE(fs::exists(path));

    // A row the list does not have falls back to the first cue.
    TRecordingUi ui;
    ASSERT_EQ(PrintCueLevelsReport(*Cues(3), 9, {true, "1"}, ui, path), TReportOutcome::Written);
    EXPECT_EQ(ReadAll(path), "1,,Track,0,0,0,0,0,0,1\r\n1,,Track,0,0,0,0,0,0,\r\n");
}

// ---- Tracking report

TEST(TrackReport, FortyFiveCuesMakeTwoPages)
{
    TTempDir temp;
    auto list = Cues(45);
    list->cue(1).type = kCuePreset;
    list->cue(1).levels[0] = 255;
    TCueList::SetHard(list->cue(1), 1, true);
    list->Retrack(); // channel 1 at 100 in cue 1, tracked through cue 45
    list->cue(31).number = 305;
    list->cue(45).levels[24] = 128; // channel 25, hard in the last cue
    TCueList::SetHard(list->cue(45), 25, true);

    TRecordingUi ui;
    const std::string path = temp.file(kTrackReportFile);
    ASSERT_EQ(PrintTrackReport(*list, {true, "25"}, ui, path), TReportOutcome::Written);
    EXPECT_TRUE(ui.messages().empty());
    const auto lines = Lines(ReadAll(path));
    ASSERT_EQ(lines.size(), 31u + 16u);
    const std::string heading = "Cue,Type,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,";
    const std::string empty24 = ",,,,,,,,,,,,,,,,,,,,,,,,";
    EXPECT_EQ(lines[0], "1," + heading);
    EXPECT_EQ(lines[1], "1,1,Preset,100" + empty24 + ",");
    EXPECT_EQ(lines[2], "1,2,Track,100 t" + empty24 + ",");
    EXPECT_EQ(lines[30], "1,30,Track,100 t" + empty24 + ",");
    EXPECT_EQ(lines[31], "2," + heading);
    EXPECT_EQ(lines[32], "2,30.5,Track,100 t" + empty24 + ",");
    EXPECT_EQ(lines[46], "2,45,Track,100 t,,,,,,,,,,,,,,,,,,,,,,,,50,");
    EXPECT_EQ(TrackReportPages(*list, 25), 2);
}

TEST(TrackReport, WithoutALimitTenCuesMake21Pages)
{
    TTempDir temp;
    TRecordingUi ui;
    const std::string path = temp.file(kTrackReportFile);
    // The box's text does not matter while it is unchecked.
    ASSERT_EQ(PrintTrackReport(*Cues(10), {false, "abc"}, ui, path), TReportOutcome::Written);
    const auto rows = ParseCsv(ReadAll(path));
    ASSERT_EQ(rows.size(), 21u * 11u);
    for (int page = 1; page <= 21; ++page) {
        const TReportRow& heading = rows[static_cast<std::size_t>(page - 1) * 11];
        EXPECT_EQ(heading[0], std::to_string(page));
        EXPECT_EQ(heading[3], std::to_string((page - 1) * 25 + 1));
    }
    const TReportRow& last = rows[20 * 11];
    ASSERT_EQ(last.size(), 3u + 12u + 1u); // 501..512 and the closing comma's empty field
    EXPECT_EQ(last[14], "512");
    EXPECT_EQ(last[15], "");
    EXPECT_EQ(TrackReportPages(*Cues(10), 512), 21);
}

TEST(TrackReport, TheLastChannelBlockEndsAtTheLimit)
{
    const auto rows = TrackReportRows(*Cues(1), 30);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(CsvLine(rows[2]), "2,Cue,Type,26,27,28,29,30,\r\n");
    EXPECT_EQ(CsvLine(rows[3]), "2,1,Track,,,,,,\r\n");
}

TEST(TrackReport, ChannelLimitIsRefusedWithOneMessage)
{
    for (const char* text : {"0", "513", "abc", "", "-1", "2.5"}) {
        TRecordingUi ui;
        TTempDir temp;
        const std::string path = temp.file(kTrackReportFile);
        EXPECT_EQ(PrintTrackReport(*Cues(5), {true, text}, ui, path), TReportOutcome::Refused) << text;
        ASSERT_EQ(ui.shown().size(), 1u);
        EXPECT_EQ(ui.shown()[0].kind, "error");
        EXPECT_EQ(ui.shown()[0].text, "Please enter a valid channel number between 1 and 512.");
        EXPECT_FALSE(fs::exists(path));
    }
    TRecordingUi ui;
    EXPECT_EQ(TrackChannelLimit({}, ui), 25); // the dialog's first state
    EXPECT_EQ(TrackChannelLimit({true, "512"}, ui), 512);
    EXPECT_EQ(TrackChannelLimit({true, "1"}, ui), 1);
    EXPECT_TRUE(ui.shown().empty());

    EXPECT_EQ(PrintTrackReport(*Cues(0), {true, "25"}, ui, "/nonexistent/x"), TReportOutcome::NothingToPrint);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Nothing to print.  Please load a show."});
}

TEST(TrackReport, AFullShowWithoutALimitHas714Pages)
{
    auto show = std::make_unique<TShow>();
    test::FillFullShow(*show, 7);
    ASSERT_EQ(show->cueList.count, 1000);
    const TShow before = *show;
    const auto rows = TrackReportRows(show->cueList, 512);
    EXPECT_EQ(TrackReportPages(show->cueList, 512), 714);
    EXPECT_EQ(rows.size(), 714u + 1000u * 21u);
    EXPECT_EQ(rows.back()[0], "714");
    EXPECT_TRUE(*show == before); // printing never changes the show
}

} // namespace
} // namespace lumora
