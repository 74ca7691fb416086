#include "cues/TrackSheet.h"

#include "show/LumoraError.h"
#include "show/ValueHelpers.h"
#include "support/CueFixtures.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace lumora {
namespace {

using test::TRecordingUi;
using Answer = IUserInterface::Answer;
using Strings = std::vector<std::string>;

using test::TCueSpec;

// What one cell of the sheet looks like: its text ("" for an empty cell) and whether it
// is drawn red.
struct TCell {
    std::string text;
    bool red;
    friend bool operator==(const TCell&, const TCell&) = default;
};
std::ostream& operator<<(std::ostream& out, const TCell& cell)
{
    return out << '"' << cell.text << '"' << (cell.red ? " red" : " black");
}

class TrackSheetTest : public ::testing::Test {
protected:
    // A show whose cues are given hard levels as listed; tracked levels follow by Retrack.
    void SetShow(const std::vector<TCueSpec>& cueSpecs)
    {
        test::SetCues(state.show().cueList, cueSpecs);
        sheet.open();
    }

    // Cues 1 (Preset, channel 5 at 50%), 2 and 3 (Track).
    void SetFiftyShow() { SetShow({{10, kCuePreset, {{5, 50}}}, {20, kCueTrack, {}}, {30, kCueTrack, {}}}); }

    TCell Cell(int cue, int channel) const
    {
        if (const std::string* kept = sheet.entryKept(cue, channel))
            return {*kept, sheet.levelTracked(cue, channel)};
        const int shown = sheet.levelShown(cue, channel);
        return {shown < 0 ? std::string() : std::to_string(shown), sheet.levelTracked(cue, channel)};
    }
    std::vector<TCell> Column(int channel) const
    {
        std::vector<TCell> cells;
        for (int cue = 1; cue <= sheet.count(); ++cue)
            cells.push_back(Cell(cue, channel));
        return cells;
    }
    Strings Numbers() const
    {
        Strings numbers;
        for (int cue = 1; cue <= sheet.count(); ++cue)
            numbers.push_back(sheet.cueText(cue));
        return numbers;
    }

    TRecordingUi ui;
    TEditorState state{ui};
    TTrackSheet sheet{state};
};

// ---- Display and typing with tracking

TEST_F(TrackSheetTest, HardLevelsAreBlackAndTrackedOnesRed)
{
    SetFiftyShow();
    EXPECT_EQ(Column(5), (std::vector<TCell>{{"50", false}, {"50", true}, {"50", true}}));
    // An unset 0 is an empty cell: black in a Preset cue, red where a track cue tracks it.
    EXPECT_EQ(Column(6), (std::vector<TCell>{{"", false}, {"", true}, {"", true}}));
    EXPECT_EQ(Numbers(), (Strings{"1", "2", "3"}));
    EXPECT_EQ(sheet.typeText(1), "Preset");
    EXPECT_EQ(sheet.typeText(2), "Track");
}

TEST_F(TrackSheetTest, TypingALevelTracksOnOrStaysInItsCue)
{
    struct TCase {
        bool cueOnly;
        std::vector<TCell> channel5;
    };
    const TCase cases[] = {
        {false, {{"50", false}, {"80", false}, {"80", true}}},
        {true, {{"50", false}, {"80", false}, {"50", false}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.cueOnly ? "Cue Only Mode" : "tracking");
        SetFiftyShow();
        sheet.setCueOnlyMode(c.cueOnly);
        EXPECT_TRUE(sheet.applyLevelText(2, 5, "80"));
        EXPECT_EQ(Column(5), c.channel5);
        EXPECT_TRUE(sheet.pending());
        EXPECT_EQ(sheet.working().current, 2);
        EXPECT_TRUE(state.show().cueList.cue(2).levels[4] == PercentToLevel(50)) << "the show waits for the keep";
    }
}

TEST_F(TrackSheetTest, EmptyingAHardCellTracksTheCueBeforeAgain)
{
    SetFiftyShow();
    sheet.applyLevelText(2, 5, "80");
    EXPECT_TRUE(sheet.applyLevelText(2, 5, ""));
    EXPECT_EQ(Column(5), (std::vector<TCell>{{"50", false}, {"50", true}, {"50", true}}));
}

TEST_F(TrackSheetTest, AHardZeroShowsZero)
{
    SetFiftyShow();
    sheet.applyLevelText(2, 5, "0");
    EXPECT_EQ(Column(5), (std::vector<TCell>{{"50", false}, {"0", false}, {"", true}}));
}

TEST_F(TrackSheetTest, AnEntryThatIsNotALevelStaysInItsCellAndStopsTheKeep)
{
    SetFiftyShow();
    EXPECT_FALSE(sheet.applyLevelText(2, 5, "150"));
    EXPECT_EQ(Cell(2, 5).text, "150");
    EXPECT_EQ(LevelToPercent(sheet.working().cue(2).levels[4]), 50) << "not applied";
    EXPECT_FALSE(sheet.applyLevelText(3, 9, "x"));

    ui.answer(Answer::Yes);
    EXPECT_FALSE(sheet.queryClose());
    EXPECT_EQ(ui.messages().back(), "Out-of-range entry at Cue 2, Channel 5.");
    EXPECT_EQ(ui.shown().back().kind, "error");
    EXPECT_EQ(state.globals.showChanged, 0);

    // Typing a level over it puts it right.
    sheet.applyLevelText(2, 5, "60");
    sheet.applyLevelText(3, 9, "");
    EXPECT_TRUE(sheet.checkTrackLevels());
}

// ---- Type changes

TEST_F(TrackSheetTest, PresetTurnsRedCellsBlackAndTrackMakesHardWhatTheRowAboveShows)
{
    SetShow({{10, kCuePreset, {{5, 50}, {6, 30}}}, {20, kCueTrack, {{7, 40}}}, {30, kCueTrack, {}}});
    sheet.chooseType(2, kCuePreset);
    EXPECT_EQ(sheet.typeText(2), "Preset");
    EXPECT_EQ(Cell(2, 5), (TCell{"50", false}));
    EXPECT_EQ(Cell(2, 6), (TCell{"30", false}));
    EXPECT_EQ(Cell(2, 8), (TCell{"", false}));
    EXPECT_TRUE(sheet.pending());

    sheet.chooseType(2, kCueTrack);
    EXPECT_EQ(Cell(2, 5), (TCell{"50", false}));
    EXPECT_EQ(Cell(2, 6), (TCell{"30", false}));
    EXPECT_EQ(Cell(2, 8), (TCell{"", true})) << "a 0 above stays tracked";
    EXPECT_EQ(Cell(3, 5), (TCell{"50", true})) << "the row below is not touched";
}

TEST_F(TrackSheetTest, AChangedRowSpellsItsTypeAsTheReportsDoUntilTheSheetIsFilled)
{
    SetFiftyShow();
    sheet.chooseType(3, kCueMultipart);
    EXPECT_EQ(sheet.typeText(3), "MultiPart");
    EXPECT_EQ(sheet.typeText(2), "Track");
    ui.answerYes();
    sheet.deleteCue(1);
    EXPECT_EQ(sheet.typeText(2), "Multipart");
    EXPECT_THROW(sheet.chooseType(1, 5), ELumoraError);
}

// ---- Insert and delete

TEST_F(TrackSheetTest, InsertingTrackCue25InBothModes)
{
    const std::vector<TCueSpec> show = {
        {10, kCuePreset, {{5, 50}}}, {20, kCueTrack, {{6, 70}}}, {30, kCueTrack, {{8, 10}}}};

    SetShow(show);
    ASSERT_TRUE(sheet.insertCue(25, kCueTrack));
    EXPECT_EQ(Numbers(), (Strings{"1", "2", "2.5", "3"}));
    EXPECT_EQ(Cell(3, 5), (TCell{"50", true}));
    EXPECT_EQ(Cell(3, 6), (TCell{"70", true}));
    EXPECT_EQ(Cell(4, 6), (TCell{"70", true}));
    EXPECT_TRUE(sheet.pending());

    SetShow(show);
    sheet.setCueOnlyMode(true);
    ASSERT_TRUE(sheet.insertCue(25, kCueTrack));
    EXPECT_EQ(Cell(3, 5), (TCell{"0", false}));
    EXPECT_EQ(Cell(3, 6), (TCell{"0", false}));
    EXPECT_EQ(Cell(3, 8), (TCell{"", true}));
    EXPECT_EQ(Cell(4, 5), (TCell{"50", false})) << "cue 3 keeps its look, now hard";
    EXPECT_EQ(Cell(4, 6), (TCell{"70", false}));
    EXPECT_EQ(Cell(4, 8), (TCell{"10", false}));
}

TEST_F(TrackSheetTest, InsertRefusals)
{
    SetFiftyShow();
    EXPECT_FALSE(sheet.insertCue(20, kCueTrack));
    EXPECT_EQ(ui.messages(), (Strings{"The cue you entered duplicates one already in the show."}));
    EXPECT_EQ(ui.shown().back().kind, "warning");
    EXPECT_FALSE(sheet.pending());
    EXPECT_EQ(sheet.count(), 3);

    TCueList& list = state.show().cueList;
    list.Clear();
    for (int k = 1; k <= kMaxCues; ++k)
        list.cue(k).number = static_cast<std::uint16_t>(k);
    list.count = kMaxCues;
    list.current = 1;
    sheet.open();
    ui.clear();
    EXPECT_FALSE(sheet.beforeInsert());
    EXPECT_EQ(ui.messages(), (Strings{"You cannot insert any more Cues."}));
    EXPECT_EQ(ui.shown().back().kind, "error");
}

TEST_F(TrackSheetTest, DeleteAsksNamingTheCueAndTheSelectionFollowsItsCue)
{
    SetShow({{10, kCuePreset, {{5, 50}}}, {25, kCueTrack, {}}, {30, kCueTrack, {}}});
    sheet.click(3, 7, TChannelClick::Plain);

    ui.answerNo();
    EXPECT_FALSE(sheet.deleteCue(2));
    EXPECT_EQ(ui.messages(), (Strings{"Are you sure you want to delete cue 2.5?"}));
    EXPECT_EQ(sheet.count(), 3);

    ui.answerYes();
    EXPECT_TRUE(sheet.deleteCue(2));
    EXPECT_EQ(Numbers(), (Strings{"1", "3"}));
    EXPECT_EQ(sheet.selectedCue(), 2);
    EXPECT_TRUE(sheet.highlighted(2, 7));

    ui.answerYes();
    sheet.deleteCue(2);
    EXPECT_FALSE(sheet.hasSelection()) << "its cue is gone";
    EXPECT_EQ(sheet.working().current, 1);
}

// ---- Selection and Set Channel Levels

TEST_F(TrackSheetTest, TheSheetOpensWithChannel2OfTheFirstCueSelected)
{
    SetFiftyShow();
    EXPECT_EQ(sheet.selectedCue(), 1);
    EXPECT_EQ(sheet.selectionStart(), 2);
    EXPECT_EQ(sheet.selectionEnd(), 2);
    EXPECT_TRUE(sheet.highlighted(1, 2));

    SetShow({});
    EXPECT_FALSE(sheet.hasSelection());
    EXPECT_FALSE(sheet.setChannelLevels(50));
}

TEST_F(TrackSheetTest, ClicksSelectARangeInOneRow)
{
    struct TStep {
        int cue;
        int channel; // 0: the cue or type column
        TChannelClick click;
        bool beeps;
        int selCue, selStart, selEnd;
    };
    using C = TChannelClick;
    const TStep steps[] = {
        {2, 10, C::Plain, false, 2, 10, 10}, {2, 14, C::Shift, false, 2, 10, 14}, {2, 12, C::Shift, false, 2, 10, 12},
        {2, 10, C::Shift, false, 2, 10, 10}, {2, 9, C::Shift, true, 2, 10, 10},   {3, 20, C::Shift, false, 2, 10, 10},
        {2, 0, C::Shift, false, 2, 10, 10},  {3, 0, C::Plain, false, 2, 10, 10},  {3, 4, C::Other, true, 2, 10, 10},
        {3, 4, C::Plain, false, 3, 4, 4},
    };
    SetFiftyShow();
    for (const TStep& s : steps) {
        SCOPED_TRACE(testing::Message() << "cue " << s.cue << " channel " << s.channel);
        EXPECT_EQ(!sheet.click(s.cue, s.channel, s.click), s.beeps);
        EXPECT_EQ(sheet.selectedCue(), s.selCue);
        EXPECT_EQ(sheet.selectionStart(), s.selStart);
        EXPECT_EQ(sheet.selectionEnd(), s.selEnd);
    }
    sheet.clearSelection();
    EXPECT_FALSE(sheet.click(3, 8, C::Shift)) << "no start";
}

TEST_F(TrackSheetTest, SetChannelLevelsSetsOrNullsTheSelectedChannelsWithTracking)
{
    SetShow({{10, kCuePreset, {{5, 50}, {6, 50}}}, {20, kCueTrack, {}}, {30, kCueTrack, {}}});
    sheet.click(1, 4, TChannelClick::Plain);
    sheet.click(1, 6, TChannelClick::Shift);
    EXPECT_TRUE(sheet.setChannelLevels(100));
    for (int channel : {4, 5, 6})
        EXPECT_EQ(Column(channel), (std::vector<TCell>{{"100", false}, {"100", true}, {"100", true}}));
    EXPECT_EQ(Cell(1, 7), (TCell{"", false}));
    EXPECT_TRUE(sheet.pending());

    sheet.click(2, 5, TChannelClick::Plain);
    sheet.applyLevelText(2, 5, "20");
    sheet.click(2, 6, TChannelClick::Shift);
    EXPECT_TRUE(sheet.setChannelLevels(-1));
    EXPECT_EQ(Column(5), (std::vector<TCell>{{"100", false}, {"100", true}, {"100", true}}));
}

// ---- Closing

TEST_F(TrackSheetTest, ClosingWithoutChangesAsksNothing)
{
    SetFiftyShow();
    sheet.click(2, 5, TChannelClick::Plain);
    sheet.setCueOnlyMode(true);
    EXPECT_TRUE(sheet.queryClose());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(TrackSheetTest, ClosingKeepsDropsOrStays)
{
    struct TCase {
        Answer answer;
        bool closes;
        bool kept;
    };
    for (const TCase& c :
         {TCase{Answer::Yes, true, true}, TCase{Answer::No, true, false}, TCase{Answer::Cancel, false, false}}) {
        SetFiftyShow();
        state.globals.showChanged = 0;
        ui.clear();
        sheet.applyLevelText(2, 5, "80");
        ui.answer(c.answer);
        EXPECT_EQ(sheet.queryClose(), c.closes);
        EXPECT_EQ(ui.messages(), (Strings{"Do you want to keep the changes you have made?"}));
        EXPECT_EQ(LevelToPercent(state.show().cueList.cue(3).levels[4]), c.kept ? 80 : 50);
        EXPECT_EQ(state.globals.showChanged, c.kept ? 1 : 0);
    }
}

TEST_F(TrackSheetTest, OpeningAgainStartsFromTheShowWithCueOnlyModeOff)
{
    SetFiftyShow();
    sheet.setCueOnlyMode(true);
    sheet.applyLevelText(2, 5, "80");
    sheet.open();
    EXPECT_FALSE(sheet.cueOnlyMode());
    EXPECT_FALSE(sheet.pending());
    EXPECT_EQ(Cell(2, 5), (TCell{"50", true}));
}

} // namespace
} // namespace lumora
