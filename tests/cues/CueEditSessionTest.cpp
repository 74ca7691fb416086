#include "cues/CueEditSession.h"

#include "show/LumoraError.h"
#include "show/ValueHelpers.h"
#include "support/CueFixtures.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace lumora {
namespace {

using test::TRecordingUi;
using Answer = IUserInterface::Answer;
using Strings = std::vector<std::string>;

using test::TCueSpec;

// A show whose cues are given hard levels as listed; tracked levels follow by Retrack.
class CueEditSessionTest : public ::testing::Test {
protected:
    void SetShow(const std::vector<TCueSpec>& cueSpecs)
    {
        test::SetCues(state.show().cueList, cueSpecs);
        session.open();
    }

    // Cues 1 (Preset, channel 3 at 40%), 2 and 3 (Track): channel 3 tracks 40 in both.
    void SetTrackingShow() { SetShow({{10, kCuePreset, {{3, 40}}}, {20, kCueTrack, {}}, {30, kCueTrack, {}}}); }

    int Percent(int cue, int channel) { return LevelToPercent(state.show().cueList.cue(cue).levels[channel - 1]); }
    int WorkPercent(int cue, int channel) const
    {
        return LevelToPercent(session.working().cue(cue).levels[channel - 1]);
    }

    TRecordingUi ui;
    TEditorState state{ui};
    TCueEditSession session{state};
};

// ---- Display

TEST_F(CueEditSessionTest, OpensOnTheFirstCueWithItsTextForms)
{
    SetShow({{125, kCueTrack, {}}, {130, kCuePreset, {}}});
    TCueRecord& cue = state.show().cueList.cue(1);
    cue.name = "  Blue wash ";
    cue.timeUp = 25;
    cue.timeDown = 30;
    cue.link = 0;
    cue.macro = 0;
    cue.delayUp = 9999;
    session.open();

    EXPECT_EQ(session.cueLabel(), "Cue # 12.5");
    EXPECT_EQ(session.cueNumberText(2), "13");
    EXPECT_EQ(session.fieldText(TCueField::Name), "Blue wash");
    EXPECT_EQ(session.fieldText(TCueField::TimeUp), "2.5");
    EXPECT_EQ(session.fieldText(TCueField::TimeDown), "3");
    EXPECT_EQ(session.fieldText(TCueField::DelayUp), "999.9");
    EXPECT_EQ(session.fieldText(TCueField::DelayDown), "0");
    EXPECT_EQ(session.fieldText(TCueField::Link), "");
    EXPECT_EQ(session.fieldText(TCueField::Macro), "");
    EXPECT_EQ(session.typeShown(), kCueTrack);
    EXPECT_FALSE(session.canGoBack());
    EXPECT_TRUE(session.canGoForward());
    EXPECT_FALSE(session.pending());
}

TEST_F(CueEditSessionTest, HardZeroShownTrackedAndUnsetZeroEmpty)
{
    SetShow({{10, kCuePreset, {{1, 0}, {2, 55}}}, {20, kCueTrack, {{4, 0}}}});
    EXPECT_EQ(session.levelText(1), "0"); // hard 0 in a Preset cue
    EXPECT_EQ(session.levelText(2), "55");
    EXPECT_EQ(session.levelText(3), "");   // unset 0
    EXPECT_FALSE(session.levelTracked(2)); // a Preset cue sets every level
    ASSERT_TRUE(session.goForward());
    EXPECT_EQ(session.levelText(4), "0"); // hard 0, black
    EXPECT_FALSE(session.levelTracked(4));
    EXPECT_EQ(session.levelText(1), ""); // tracked 0, red
    EXPECT_TRUE(session.levelTracked(1));
    EXPECT_EQ(session.levelText(2), "55");
    EXPECT_TRUE(session.levelTracked(2));
}

// ---- Typing levels

TEST_F(CueEditSessionTest, TypedLevelTurnsHardAndTracksForward)
{
    for (const bool cueOnly : {false, true}) {
        SCOPED_TRACE(cueOnly);
        SetTrackingShow();
        session.setCueOnlyMode(cueOnly);
        ASSERT_TRUE(session.goForward());
        EXPECT_EQ(session.levelText(3), "40");
        EXPECT_TRUE(session.levelTracked(3));

        session.levelTyped();
        EXPECT_TRUE(session.pending());
        ASSERT_TRUE(session.applyLevelText(3, "60"));
        EXPECT_EQ(session.levelText(3), "60");
        EXPECT_FALSE(session.levelTracked(3));
        // Tracking mode passes 60 on to cue 3; Cue Only Mode makes cue 3 hold its 40.
        EXPECT_EQ(WorkPercent(3, 3), cueOnly ? 40 : 60);
        EXPECT_EQ(TCueList::IsHard(session.working().cue(3), 3), cueOnly);
        EXPECT_EQ(Percent(3, 3), 40) << "the show changes only when the cue is kept";
    }
}

TEST_F(CueEditSessionTest, EmptyingAHardCellTracksTheCueBeforeAgain)
{
    SetShow({{10, kCuePreset, {{3, 40}}}, {20, kCueTrack, {{3, 70}}}, {30, kCueTrack, {}}});
    ASSERT_TRUE(session.goForward());
    EXPECT_EQ(session.levelText(3), "70");
    ASSERT_TRUE(session.applyLevelText(3, ""));
    EXPECT_EQ(session.levelText(3), "40");
    EXPECT_TRUE(session.levelTracked(3));
    EXPECT_EQ(WorkPercent(3, 3), 40);
}

TEST_F(CueEditSessionTest, LevelTextsTheMaskCannotStopAreRefused)
{
    SetTrackingShow();
    const std::pair<const char*, std::string> cases[] = {
        {"101", "Out-of-range entry at channel 9."},
        {"-3", "Out-of-range entry at channel 9."},
        {"5.5", "Invalid entry at channel 9."},
        {"x", "Invalid entry at channel 9."},
    };
    for (const auto& [text, message] : cases) {
        ui.clear();
        EXPECT_FALSE(session.applyLevelText(9, text));
        EXPECT_EQ(ui.messages(), Strings{message});
    }
    EXPECT_EQ(session.working(), state.show().cueList);
    EXPECT_FALSE(session.pending());
}

// ---- Edit boxes

TEST_F(CueEditSessionTest, FieldChecks)
{
    SetTrackingShow();
    struct TCase {
        TCueField field;
        const char* text;
        const char* message; // nullptr: accepted
    };
    const TCase cases[] = {
        {TCueField::TimeUp, "12.34", kMsgTimeRange},
        {TCueField::TimeUp, "999.9", nullptr},
        {TCueField::TimeDown, "1000", kMsgTimeRange},
        {TCueField::DelayUp, "", kMsgTimeRange},
        {TCueField::DelayDown, "2,5", kMsgTimeRange},
        {TCueField::DelayDown, "0", nullptr},
        {TCueField::Link, "", nullptr},
        {TCueField::Link, "0", nullptr},
        {TCueField::Link, "12.34", kMsgLinkRange},
        {TCueField::Link, "1000", kMsgLinkRange},
        {TCueField::Macro, "2501", kMsgMacroRange},
        {TCueField::Macro, "2500", nullptr},
        {TCueField::Macro, "", nullptr},
        {TCueField::Macro, "1.5", kMsgMacroRange},
        {TCueField::Name, "anything at all", nullptr},
    };
    for (const TCase& c : cases) {
        ui.clear();
        session.editField(c.field, c.text);
        EXPECT_EQ(session.checkField(c.field), c.message == nullptr) << c.text;
        EXPECT_EQ(ui.messages(), c.message ? Strings{c.message} : Strings{}) << c.text;
        session.editField(c.field, c.field == TCueField::Name ? "" : "0");
    }
}

TEST_F(CueEditSessionTest, KeepStoresTheBoxesAndTheLevels)
{
    SetTrackingShow();
    session.editField(TCueField::Name, "A name of twenty chars");
    session.editField(TCueField::TimeUp, "2.5");
    session.editField(TCueField::TimeDown, "999.9");
    session.editField(TCueField::DelayUp, "0.1");
    session.editField(TCueField::DelayDown, "12");
    session.editField(TCueField::Link, "0");
    session.editField(TCueField::Macro, "0");
    ASSERT_TRUE(session.applyLevelText(3, "100"));
    ui.answer(Answer::Yes);
    ASSERT_TRUE(session.goForward());
    EXPECT_TRUE(ui.allAnswered());
    EXPECT_EQ(ui.messages(), Strings{kMsgKeepArrows});

    const TCueRecord& kept = state.show().cueList.cue(1);
    EXPECT_EQ(kept.name, "A name of twenty");
    EXPECT_EQ(kept.timeUp, 25);
    EXPECT_EQ(kept.timeDown, 9999);
    EXPECT_EQ(kept.delayUp, 1);
    EXPECT_EQ(kept.delayDown, 120);
    EXPECT_EQ(kept.link, 0);
    EXPECT_EQ(kept.macro, 0);
    EXPECT_EQ(kept.levels[2], 255);
    EXPECT_EQ(Percent(3, 3), 100) << "tracked on into the show";
    EXPECT_EQ(state.globals.showChanged, 1);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(session.working().cue(k), state.show().cueList.cue(k)) << k;

    ASSERT_TRUE(session.goBack());
    EXPECT_EQ(session.fieldText(TCueField::Macro), "") << "macro 0 shows as an empty box";
    EXPECT_EQ(session.fieldText(TCueField::Link), "");
}

TEST_F(CueEditSessionTest, KeepLeavesLevelsItDidNotTouchByteForByte)
{
    SetTrackingShow();
    // 127 shows as 50%, which reads back as 128: an untouched cell must not be rewritten.
    state.show().cueList.cue(1).levels[6] = 127;
    TCueList::SetHard(state.show().cueList.cue(1), 7, true);
    state.show().cueList.Retrack();
    session.open();
    session.editField(TCueField::Name, "Renamed");
    ui.answer(Answer::Yes);
    ASSERT_TRUE(session.goForward());
    EXPECT_EQ(state.show().cueList.cue(1).levels[6], 127);
    EXPECT_EQ(state.show().cueList.cue(2).levels[6], 127);
}

TEST_F(CueEditSessionTest, AFailedCheckOnYesStaysAndStoresNothing)
{
    SetTrackingShow();
    const TCueList before = state.show().cueList;
    session.editField(TCueField::DelayDown, "12.34");
    session.editField(TCueField::Macro, "2501");
    ui.answer(Answer::Yes);
    EXPECT_FALSE(session.goForward());
    EXPECT_EQ(ui.messages(), (Strings{kMsgKeepArrows, kMsgTimeRange}));
    EXPECT_EQ(session.currentIndex(), 1);
    EXPECT_TRUE(session.pending());
    EXPECT_EQ(state.show().cueList, before);
    EXPECT_EQ(state.globals.showChanged, 0);
}

TEST_F(CueEditSessionTest, NoLeavesEveryCueAsBefore)
{
    SetTrackingShow();
    ASSERT_TRUE(session.goForward());
    const TCueList before = state.show().cueList;

    session.editField(TCueField::Name, "changed");
    ASSERT_TRUE(session.applyLevelText(3, "90")); // tracks into cue 3
    ASSERT_TRUE(session.applyLevelText(8, "20"));
    session.changeType(CueTypeName(kCuePreset));
    session.setCueOnlyMode(true);
    ASSERT_NE(session.working(), before);

    ui.answer(Answer::No);
    ASSERT_TRUE(session.goForward());
    EXPECT_EQ(state.show().cueList, before);
    EXPECT_EQ(session.currentIndex(), 3);
    EXPECT_TRUE(session.cueOnlyMode()) << "the box keeps its state";
    EXPECT_EQ(WorkPercent(2, 3), 40);
    EXPECT_EQ(WorkPercent(3, 3), 40);
    EXPECT_EQ(session.working().cue(2).type, kCueTrack);
    EXPECT_EQ(state.globals.showChanged, 0);
}

TEST_F(CueEditSessionTest, QuestionsInTheirOwnWords)
{
    SetTrackingShow();
    session.levelTyped();
    ui.answer(Answer::Cancel);
    EXPECT_FALSE(session.goForward());
    ui.answer(Answer::Cancel);
    EXPECT_FALSE(session.pick(3));
    ui.answer(Answer::Cancel);
    EXPECT_FALSE(session.beforeInsert());
    ui.answer(Answer::Cancel);
    EXPECT_FALSE(session.queryClose());
    EXPECT_EQ(ui.messages(), (Strings{kMsgKeepArrows, kMsgKeepPick, kMsgKeepArrows, kMsgKeepClose}));
    EXPECT_EQ(session.currentIndex(), 1);
    EXPECT_TRUE(session.pending());

    ui.answer(Answer::No);
    EXPECT_TRUE(session.queryClose());
    EXPECT_TRUE(ui.allAnswered());
}

TEST_F(CueEditSessionTest, MovingWithoutChangesAsksNothing)
{
    SetTrackingShow();
    EXPECT_TRUE(session.goForward());
    EXPECT_TRUE(session.goForward());
    EXPECT_FALSE(session.goForward()); // the last cue
    EXPECT_TRUE(session.pick(1));
    EXPECT_FALSE(session.goBack());
    EXPECT_FALSE(session.pick(0));
    EXPECT_FALSE(session.pick(4));
    EXPECT_TRUE(session.queryClose());
    EXPECT_TRUE(ui.messages().empty());
}

// ---- Type

TEST_F(CueEditSessionTest, TypeChangesAtOnceAndRefusesUnknownNames)
{
    SetTrackingShow();
    ASSERT_TRUE(session.goForward());
    session.changeType("Track"); // the type it has: nothing changes
    EXPECT_FALSE(session.pending());
    try {
        session.changeType("MultiPart");
        ADD_FAILURE();
    } catch (const ELumoraError& e) {
        EXPECT_STREQ(e.what(), "Invalid cue type.");
    }
    EXPECT_EQ(session.typeShown(), kCueTrack);
    session.changeType("Autostart & Preset");
    EXPECT_EQ(session.typeShown(), kCueAutostartPreset);
    EXPECT_FALSE(session.levelTracked(3)) << "a Preset cue's levels are all its own";
    EXPECT_EQ(session.levelText(3), "40");
    EXPECT_TRUE(session.pending());
}

// ---- Selection, copy and paste, Set Channel Levels

TEST_F(CueEditSessionTest, ChannelSelectionRules)
{
    SetTrackingShow();
    using C = TChannelClick;
    EXPECT_FALSE(session.clickChannel(5, C::Shift)) << "no start yet";
    EXPECT_TRUE(session.clickChannel(5, C::Plain));
    EXPECT_FALSE(session.clickChannel(5, C::Shift)) << "not greater than the start";
    EXPECT_FALSE(session.clickChannel(4, C::Shift));
    EXPECT_TRUE(session.clickChannel(9, C::Shift));
    EXPECT_EQ(session.selectionStart(), 5);
    EXPECT_EQ(session.selectionEnd(), 9);
    EXPECT_TRUE(session.channelHighlighted(7));
    EXPECT_FALSE(session.channelHighlighted(10));
    EXPECT_FALSE(session.clickChannel(12, C::Other));
    EXPECT_EQ(session.selectionEnd(), 9);
    EXPECT_TRUE(session.clickChannel(5, C::Plain)) << "the start again clears the selection";
    EXPECT_FALSE(session.hasSelection());
    EXPECT_TRUE(session.clickChannel(512, C::Plain));
}

TEST_F(CueEditSessionTest, CopyOneToTenPasteAt505WritesToTheLastChannelOnly)
{
    std::vector<std::pair<int, int>> levels;
    for (int c = 1; c <= 10; ++c)
        levels.emplace_back(c, c * 10);
    levels.emplace_back(504, 33);
    SetShow({{10, kCueTrack, levels}});

    EXPECT_FALSE(session.copyLevels()) << "no selection: beep";
    ASSERT_TRUE(session.clickChannel(1, TChannelClick::Plain));
    ASSERT_TRUE(session.clickChannel(10, TChannelClick::Shift));
    ASSERT_TRUE(session.copyLevels());
    EXPECT_TRUE(session.pasteEnabled());
    ASSERT_TRUE(session.clickChannel(505, TChannelClick::Plain));
    ASSERT_TRUE(session.pasteLevels());
    for (int c = 505; c <= 512; ++c) {
        EXPECT_EQ(session.levelText(c), std::to_string((c - 504) * 10)) << c;
        EXPECT_FALSE(session.levelTracked(c));
    }
    EXPECT_EQ(session.levelText(504), "33");
    for (int c = 11; c <= 503; ++c)
        EXPECT_EQ(session.levelText(c), "") << c;
    EXPECT_TRUE(session.pending());
}

TEST_F(CueEditSessionTest, PastedBlanksWithdrawTheChannel)
{
    SetShow({{10, kCuePreset, {{1, 50}, {2, 60}}}, {20, kCueTrack, {{1, 10}, {2, 20}}}});
    ASSERT_TRUE(session.goForward());
    ASSERT_TRUE(session.clickChannel(3, TChannelClick::Plain)); // empty, tracked 0
    ASSERT_TRUE(session.copyLevels());
    ASSERT_TRUE(session.clickChannel(1, TChannelClick::Plain));
    ASSERT_TRUE(session.pasteLevels());
    EXPECT_EQ(session.levelText(1), "50");
    EXPECT_TRUE(session.levelTracked(1));
    EXPECT_EQ(session.levelText(2), "20");
}

TEST_F(CueEditSessionTest, SetChannelLevelsAndNullChannels)
{
    SetTrackingShow();
    ASSERT_TRUE(session.goForward());
    EXPECT_FALSE(session.setChannelLevels(50)) << "no selection: beep";
    ASSERT_TRUE(session.clickChannel(2, TChannelClick::Plain));
    ASSERT_TRUE(session.clickChannel(4, TChannelClick::Shift));
    ASSERT_TRUE(session.setChannelLevels(75));
    EXPECT_FALSE(session.hasSelection());
    for (int c = 2; c <= 4; ++c) {
        EXPECT_EQ(session.levelText(c), "75");
        EXPECT_EQ(WorkPercent(3, c), 75) << "tracked on";
    }
    ASSERT_TRUE(session.clickChannel(3, TChannelClick::Plain));
    ASSERT_TRUE(session.setChannelLevels(-1));
    EXPECT_EQ(session.levelText(3), "40");
    EXPECT_TRUE(session.levelTracked(3));
}

// ---- Insert and delete

TEST_F(CueEditSessionTest, InsertInTheMiddleShowsTheNewCue)
{
    SetTrackingShow();
    ASSERT_TRUE(session.beforeInsert());
    ASSERT_TRUE(session.insertCue(25, kCueTrack));
    EXPECT_EQ(session.currentIndex(), 3);
    EXPECT_EQ(session.cueLabel(), "Cue # 2.5");
    EXPECT_EQ(session.levelText(3), "40");
    EXPECT_EQ(state.show().cueList, session.working());
    EXPECT_EQ(state.globals.showChanged, 1);

    ASSERT_TRUE(session.applyLevelText(9, "15"));
    EXPECT_EQ(WorkPercent(3, 9), 15);
    EXPECT_EQ(WorkPercent(2, 9), 0);
}

TEST_F(CueEditSessionTest, DuplicateAndFullListAreRefused)
{
    SetTrackingShow();
    EXPECT_FALSE(session.insertCue(20, kCuePreset));
    EXPECT_EQ(ui.messages(), Strings{"The cue you entered, 2, matches one already in the show."});
    EXPECT_EQ(session.count(), 3);

    TCueList& list = state.show().cueList;
    list.Clear();
    for (int k = 1; k <= kMaxCues; ++k)
        list.cue(k).number = static_cast<std::uint16_t>(k);
    list.count = kMaxCues;
    list.current = 1;
    session.open();
    ui.clear();
    EXPECT_FALSE(session.beforeInsert());
    EXPECT_EQ(ui.messages(), Strings{"Sorry.\n\nYou cannot insert any more Cues."});
}

TEST_F(CueEditSessionTest, DeletingTheLastCueLeavesNoCues)
{
    SetShow({{10, kCuePreset, {{1, 50}}}, {20, kCueTrack, {}}});
    ASSERT_TRUE(session.goForward());
    ui.answerNo();
    EXPECT_FALSE(session.deleteCurrent());
    ui.answerYes();
    ASSERT_TRUE(session.deleteCurrent());
    EXPECT_EQ(session.currentIndex(), 1) << "past the end: the last cue";
    ui.answerYes();
    ASSERT_TRUE(session.deleteCurrent());
    EXPECT_EQ(ui.messages(),
              (Strings{"Are you sure you want to delete cue 2?", "Are you sure you want to delete cue 2?",
                       "Are you sure you want to delete cue 1?"}));
    EXPECT_FALSE(session.hasCues());
    EXPECT_EQ(session.cueLabel(), "No Cues");
    EXPECT_EQ(state.show().cueList.count, 0);
    EXPECT_EQ(state.show().cueList.current, 0);
    EXPECT_FALSE(session.pending());
    EXPECT_FALSE(session.deleteCurrent());
    EXPECT_FALSE(session.goForward());
    EXPECT_TRUE(session.queryClose());
    EXPECT_TRUE(ui.allAnswered());
    EXPECT_EQ(ui.messages().size(), 3u);
}

TEST_F(CueEditSessionTest, ClearDisplayEmptiesTextsButNotTheWorkingCopy)
{
    SetTrackingShow();
    const TCueList before = session.working();
    session.clearDisplay();
    EXPECT_EQ(session.levelText(3), "");
    EXPECT_EQ(session.fieldText(TCueField::TimeUp), "");
    EXPECT_FALSE(session.typeShown());
    EXPECT_EQ(session.working(), before);
    session.open();
    EXPECT_EQ(session.levelText(3), "40");
}

} // namespace
} // namespace lumora
