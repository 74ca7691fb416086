#include "cues/CueListSheet.h"

#include "show/LumoraError.h"
#include "show/ValueHelpers.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora {
namespace {

using test::TRecordingUi;
using Answer = IUserInterface::Answer;
using Col = TCueListColumn;
using Strings = std::vector<std::string>;

class CueListSheetTest : public ::testing::Test {
protected:
    // Cues with these numbers (tenths): Track cues after a Preset first one, each with a
    // name, times and a level of its own on the channel of its position (cue k on channel
    // k, 10 x k percent, for the first cues).
    void SetShow(const std::vector<std::uint16_t>& numbers)
    {
        TCueList& list = state.show().cueList;
        list.Clear();
        for (std::uint16_t number : numbers) {
            const int k = ++list.count;
            TCueRecord& cue = list.cue(k);
            cue.number = number;
            cue.type = k == 1 ? kCuePreset : kCueTrack;
            cue.name = "Cue " + std::to_string(k);
            cue.timeUp = static_cast<std::uint16_t>(k * 10 + 5);
            cue.timeDown = 30;
            cue.link = k == 2 ? 40 : 0;
            cue.macro = k == 3 ? 12 : 0;
            const int channel = (k - 1) % kChannels + 1;
            cue.levels[channel - 1] = PercentToLevel(10 * k % 101);
            TCueList::SetHard(cue, channel, true);
        }
        list.current = list.count ? 1 : 0;
        list.Retrack();
        sheet.open();
    }

    Strings Row(int row) const
    {
        Strings texts;
        for (int c = 0; c < kCueListColumnCount; ++c)
            texts.push_back(sheet.cellText(row, static_cast<Col>(c)));
        return texts;
    }
    Strings Numbers() const
    {
        Strings numbers;
        for (int row = 1; row <= sheet.count(); ++row)
            numbers.push_back(sheet.cellText(row, Col::Cue));
        return numbers;
    }

    TRecordingUi ui;
    TEditorState state{ui};
    TCueListSheet sheet{state};
};

// ---- The grid's texts

TEST_F(CueListSheetTest, RowsShowTheFieldsOfTheirCues)
{
    SetShow({10, 125, 130});
    state.show().cueList.cue(1).name = "  Blue wash ";
    state.show().cueList.cue(3).type = kCueMultipart;
    sheet.open();
    EXPECT_EQ(Row(1), (Strings{"1", "Blue wash", "Preset", "1.5", "3", "0", "0", "", ""}));
    EXPECT_EQ(Row(2), (Strings{"12.5", "Cue 2", "Track", "2.5", "3", "0", "0", "4", ""}));
    EXPECT_EQ(Row(3), (Strings{"13", "Cue 3", "Multipart", "3.5", "3", "0", "0", "", "12"}));
    EXPECT_EQ(sheet.working().current, 1);
    EXPECT_FALSE(sheet.pending());
}

// ---- Storing the grid

TEST_F(CueListSheetTest, StoringWritesEveryRowButNotNumbersOrTypes)
{
    SetShow({10, 20});
    sheet.editCell(1, Col::Name, "ABCDEFGHIJKLMNOPQR");
    sheet.editCell(1, Col::TimeUp, "999.9");
    sheet.editCell(1, Col::DelayDown, "0.1");
    sheet.editCell(1, Col::Link, "12.5");
    sheet.editCell(1, Col::Macro, "2500");
    sheet.editCell(2, Col::Link, "");
    sheet.editCell(2, Col::Macro, "0");
    sheet.editCell(2, Col::Cue, "7");
    sheet.editCell(2, Col::Type, "Preset");
    EXPECT_TRUE(sheet.pending());
    ASSERT_TRUE(sheet.storeGrid());
    EXPECT_FALSE(sheet.pending());

    const TCueRecord& one = sheet.working().cue(1);
    EXPECT_EQ(one.name, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(one.timeUp, 9999);
    EXPECT_EQ(one.delayDown, 1);
    EXPECT_EQ(one.link, 125);
    EXPECT_EQ(one.macro, 2500);
    const TCueRecord& two = sheet.working().cue(2);
    EXPECT_EQ(two.number, 20);
    EXPECT_EQ(two.type, kCueTrack);
    EXPECT_EQ(two.link, 0);
    EXPECT_EQ(two.macro, 0);
    EXPECT_EQ(state.show().cueList.cue(1).timeUp, 15) << "the show waits for the save";
}

TEST_F(CueListSheetTest, AFaultyEntryStopsTheStoreWithItsMessage)
{
    const std::string timeMessage = "Please check your time entries for Cue No. 2.5.\n"
                                    "All times need to range from 0.0 to 999.9 seconds.";
    struct TCase {
        Col column;
        const char* text;
        std::string message; // empty: accepted
    };
    const TCase cases[] = {
        {Col::TimeUp, "", timeMessage},
        {Col::TimeDown, "1000", timeMessage},
        {Col::DelayUp, "12.34", timeMessage},
        {Col::DelayDown, "12.", ""},
        {Col::DelayDown, "abc", timeMessage},
        {Col::TimeUp, "-1", timeMessage},
        {Col::Link, "x", "Please check your Link entry for Cue No. 2.5."},
        {Col::Link, "1000", "Please check your Link entry for Cue No. 2.5."},
        {Col::Link, "0", ""},
        {Col::Macro, "2501", "Please check your Macro entry for Cue No. 2.5."},
        {Col::Macro, "1.5", "Please check your Macro entry for Cue No. 2.5."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text);
        SetShow({10, 25, 30});
        ui.clear();
        sheet.editCell(1, Col::Name, "changed");
        sheet.editCell(2, c.column, c.text);
        const TCueList before = sheet.working();
        EXPECT_EQ(sheet.storeGrid(), c.message.empty());
        if (c.message.empty()) {
            EXPECT_TRUE(ui.messages().empty());
            continue;
        }
        EXPECT_EQ(ui.messages(), Strings{c.message});
        EXPECT_EQ(ui.shown().back().kind, "error");
        EXPECT_TRUE(sheet.working() == before) << "nothing stored";
        EXPECT_TRUE(sheet.pending());
        EXPECT_EQ(sheet.cellText(2, c.column), c.text) << "the entry stays as typed";
    }
}

TEST_F(CueListSheetTest, RowsAreCheckedTopToBottomEachInItsColumnOrder)
{
    SetShow({10, 20, 30});
    sheet.editCell(3, Col::TimeUp, "");
    sheet.editCell(2, Col::Macro, "x");
    sheet.editCell(2, Col::Link, "x");
    EXPECT_FALSE(sheet.storeGrid());
    EXPECT_EQ(ui.messages(), Strings{"Please check your Link entry for Cue No. 2."});
}

// ---- Types

TEST_F(CueListSheetTest, ChoosingTheSameTypeChangesNothing)
{
    SetShow({10, 20});
    sheet.chooseType(2, kCueTrack);
    EXPECT_FALSE(sheet.pending());
    EXPECT_THROW(sheet.chooseType(2, 7), ELumoraError);
}

TEST_F(CueListSheetTest, ChoosingATypeStoresTheGridFirstAndGoesOnWhenACheckFails)
{
    SetShow({10, 20, 30});
    sheet.editCell(1, Col::Name, "kept");
    sheet.chooseType(2, kCuePreset);
    EXPECT_EQ(sheet.working().cue(2).type, kCuePreset);
    EXPECT_EQ(sheet.working().cue(1).name, "kept");
    EXPECT_EQ(sheet.working().current, 2);
    EXPECT_TRUE(sheet.pending());

    sheet.editCell(1, Col::Name, "typed");
    sheet.editCell(3, Col::TimeUp, "");
    sheet.chooseType(3, kCueAutostartTrack);
    EXPECT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(sheet.working().cue(3).type, kCueAutostartTrack);
    EXPECT_EQ(sheet.cellText(3, Col::Type), "Autostart & Track");
    EXPECT_EQ(sheet.working().cue(1).name, "kept");
    EXPECT_EQ(sheet.cellText(1, Col::Name), "typed") << "the typing is not thrown away";
}

// ---- Insert

TEST_F(CueListSheetTest, InsertedCuesTakeTheirPlaceByNumber)
{
    SetShow({10, 20, 30});
    sheet.setCurrentRow(3);
    ASSERT_TRUE(sheet.insertCue(25, kCueTrack));
    EXPECT_EQ(Numbers(), (Strings{"1", "2", "2.5", "3"}));
    EXPECT_EQ(sheet.working().current, 3);
    EXPECT_EQ(Row(3), (Strings{"2.5", "", "Track", "0", "0", "0", "0", "", ""}));
    EXPECT_EQ(sheet.working().cue(3).levels[1], PercentToLevel(20)) << "tracks cue 2";
    EXPECT_TRUE(sheet.pending());
}

TEST_F(CueListSheetTest, InsertFollowsCueOnlyModeKeptFromTheLastOpening)
{
    SetShow({10, 20, 30});
    sheet.setCueOnlyMode(true);
    sheet.open();
    EXPECT_TRUE(sheet.cueOnlyMode());
    EXPECT_TRUE(sheet.working().cueOnlyMode);
    ASSERT_TRUE(sheet.insertCue(25, kCueTrack));
    EXPECT_EQ(sheet.working().cue(3).levels[1], 0) << "a hard 0 where cue 2 has a level";
    EXPECT_TRUE(TCueList::IsHard(sheet.working().cue(3), 2));
}

TEST_F(CueListSheetTest, InsertRefusals)
{
    SetShow({3, 10});
    EXPECT_FALSE(sheet.insertCue(3, kCuePreset));
    EXPECT_EQ(ui.messages(), Strings{"The cue you entered, 0.3, matches one already in the show."});
    EXPECT_EQ(ui.shown().back().kind, "error");
    EXPECT_EQ(sheet.count(), 2);
    EXPECT_FALSE(sheet.pending());

    std::vector<std::uint16_t> full;
    for (int k = 1; k <= kMaxCues; ++k)
        full.push_back(static_cast<std::uint16_t>(k));
    SetShow(full);
    ui.clear();
    EXPECT_FALSE(sheet.beforeInsert());
    EXPECT_EQ(ui.messages(), Strings{"You cannot insert any more cues."});
}

TEST_F(CueListSheetTest, AnInsertAfterAFailedCheckKeepsEveryRowAsTyped)
{
    SetShow({10, 20, 30});
    sheet.editCell(1, Col::Name, "first");
    sheet.editCell(3, Col::TimeDown, "");
    sheet.editCell(3, Col::Name, "third");
    ASSERT_TRUE(sheet.insertCue(15, kCuePreset));
    EXPECT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(Numbers(), (Strings{"1", "1.5", "2", "3"}));
    EXPECT_EQ(sheet.cellText(1, Col::Name), "first");
    EXPECT_EQ(sheet.cellText(4, Col::Name), "third");
    EXPECT_EQ(sheet.cellText(4, Col::TimeDown), "");
    EXPECT_EQ(sheet.cellText(2, Col::TimeDown), "0");
}

// ---- Delete

TEST_F(CueListSheetTest, DeleteAsksNamingTheCue)
{
    SetShow({10, 125, 130});
    ui.answerNo();
    EXPECT_FALSE(sheet.deleteCue(2));
    EXPECT_EQ(ui.messages(), Strings{"Are you sure you want to delete cue 12.5?"});
    EXPECT_EQ(sheet.count(), 3);
    EXPECT_FALSE(sheet.pending());

    ui.answerYes();
    sheet.editCell(3, Col::Name, "last");
    EXPECT_TRUE(sheet.deleteCue(2));
    EXPECT_EQ(Numbers(), (Strings{"1", "13"}));
    EXPECT_EQ(sheet.cellText(2, Col::Name), "last");
    EXPECT_TRUE(sheet.pending());

    ui.answerYes();
    EXPECT_TRUE(sheet.deleteCue(2));
    EXPECT_EQ(sheet.working().current, 1) << "the last row was deleted";
}

// ---- Copy Range

TEST_F(CueListSheetTest, CopyRangeKeepsTheSpacingAndReplacesCuesWithTheSameNumbers)
{
    SetShow({10, 20, 30, 40, 110, 120});
    const TCueList before = sheet.working();
    EXPECT_EQ(sheet.copyRange({1, 2, 4}, 100), 3);
    EXPECT_EQ(Numbers(), (Strings{"1", "2", "3", "4", "10", "11", "12", "13"}));
    // Whole records: type, name, times, levels and mask of the cues copied.
    const int copyOf[][2] = {{5, 1}, {6, 2}, {8, 4}};
    for (const auto& [row, original] : copyOf) {
        TCueRecord expected = before.cue(original);
        expected.number = sheet.working().cue(row).number;
        EXPECT_TRUE(sheet.working().cue(row) == expected) << "row " << row;
    }
    EXPECT_EQ(sheet.cellText(6, Col::Name), "Cue 2") << "the old cue 11 is replaced";
    EXPECT_EQ(sheet.cellText(7, Col::Name), "Cue 6");
    EXPECT_TRUE(sheet.pending());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(CueListSheetTest, CopyRangeNeedsASelection)
{
    SetShow({10, 20});
    EXPECT_FALSE(sheet.beforeCopyRange({}));
    EXPECT_EQ(ui.messages(), Strings{"Please select 1 or more cues to copy."});
    EXPECT_EQ(ui.shown().back().kind, "warning");
    EXPECT_TRUE(sheet.beforeCopyRange({2}));
}

TEST_F(CueListSheetTest, CopiesBeyond9999AreDroppedWithOneWarning)
{
    SetShow({10, 20, 50});
    EXPECT_EQ(sheet.copyRange({1, 2, 3}, 9985), 2);
    EXPECT_EQ(Numbers(), (Strings{"1", "2", "5", "998.5", "999.5"}));
    EXPECT_EQ(ui.messages(), Strings{"1 cue was not copied: its new number would fall outside 0.1 to 999.9."});
    EXPECT_EQ(ui.shown().back().kind, "warning");

    SetShow({10, 20, 50});
    ui.clear();
    EXPECT_EQ(sheet.copyRange({2, 3}, 9999), 1);
    EXPECT_EQ(ui.messages(), Strings{"1 cue was not copied: its new number would fall outside 0.1 to 999.9."});
    EXPECT_EQ(CopiesDroppedMessage(3), "3 cues were not copied: their new numbers would fall outside 0.1 to 999.9.");
}

TEST_F(CueListSheetTest, CopiesThatDoNotFitAFullListAreLeftOut)
{
    std::vector<std::uint16_t> numbers;
    for (int k = 1; k <= kMaxCues - 1; ++k)
        numbers.push_back(static_cast<std::uint16_t>(k * 2));
    SetShow(numbers);
    EXPECT_EQ(sheet.copyRange({1, 2, 3}, 5001), 1);
    EXPECT_EQ(sheet.count(), kMaxCues);
    EXPECT_EQ(ui.messages(), Strings{});
}

// ---- Closing

TEST_F(CueListSheetTest, ClosingAfterOnlyMovingBetweenRowsAsksNothing)
{
    SetShow({10, 20, 30});
    sheet.setCurrentRow(3);
    sheet.setCurrentRow(2);
    EXPECT_TRUE(sheet.queryClose());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(CueListSheetTest, ClosingSavesDropsOrStays)
{
    struct TCase {
        Answer answer;
        bool closes;
        bool saved;
    };
    for (const TCase& c :
         {TCase{Answer::Yes, true, true}, TCase{Answer::No, true, false}, TCase{Answer::Cancel, false, false}}) {
        SetShow({10, 20});
        state.globals.showChanged = 0;
        ui.clear();
        sheet.editCell(2, Col::Name, "Renamed");
        ui.answer(c.answer);
        EXPECT_EQ(sheet.queryClose(), c.closes);
        EXPECT_EQ(ui.messages(), Strings{"Do you want to save your changes?"});
        EXPECT_EQ(state.show().cueList.cue(2).name == "Renamed", c.saved);
        EXPECT_EQ(state.globals.showChanged, c.saved ? 1 : 0);
    }
}

TEST_F(CueListSheetTest, SavingWithAFaultyEntryStaysOpen)
{
    SetShow({10, 20});
    sheet.editCell(2, Col::TimeUp, "");
    ui.answerYes();
    EXPECT_FALSE(sheet.queryClose());
    EXPECT_EQ(ui.messages().back(), "Please check your time entries for Cue No. 2.\n"
                                    "All times need to range from 0.0 to 999.9 seconds.");
    EXPECT_EQ(state.show().cueList.cue(2).timeUp, 25);
}

} // namespace
} // namespace lumora
