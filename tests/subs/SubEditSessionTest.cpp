#include "subs/SubEditSession.h"

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
using Strings = std::vector<std::string>;

class SubEditSessionTest : public ::testing::Test {
protected:
    TSub& Sub(int page, int number) { return state.show().sub(page, number); }
    void MakeSub(int page, int number, std::uint8_t type = kSubNormal)
    {
        Sub(page, number).SubType = type;
        Sub(page, number).Name = "Sub " + std::to_string(page) + "/" + std::to_string(number);
    }
    void Select(int from, int to)
    {
        ASSERT_TRUE(session.clickChannel(from, TSubClick::Plain));
        if (to != from) {
            ASSERT_TRUE(session.clickChannel(to, TSubClick::Shift));
        }
    }

    TRecordingUi ui;
    TEditorState state{ui};
    TSubEditSession session{state};
};

TEST_F(SubEditSessionTest, OpensOnPageOneSubOneAndArrowsFollowTheNonEmptySubs)
{
    MakeSub(3, 5);
    MakeSub(7, 1);
    session.open();
    EXPECT_EQ(session.label(), "Page 1, Sub 1");
    EXPECT_EQ(session.type(), kSubNone);
    EXPECT_FALSE(session.canGoBack());
    EXPECT_TRUE(session.canGoForward());

    ASSERT_TRUE(session.goForward());
    EXPECT_EQ(session.label(), "Page 3, Sub 5");
    EXPECT_EQ(session.name(), "Sub 3/5");
    EXPECT_FALSE(session.canGoBack()); // 1/1 is empty
    EXPECT_TRUE(session.canGoForward());
    ASSERT_TRUE(session.goForward());
    EXPECT_EQ(session.label(), "Page 7, Sub 1");
    EXPECT_FALSE(session.canGoForward());
    ASSERT_TRUE(session.goBack());
    EXPECT_EQ(session.label(), "Page 3, Sub 5");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(SubEditSessionTest, SearchPastTheLastSubRaisesOverrun)
{
    session.open();
    EXPECT_THROW(session.goForward(), ELumoraError); // no sub after 1/1: only a guard
    EXPECT_EQ(session.label(), "Page 1, Sub 1");
}

TEST_F(SubEditSessionTest, LevelsShowThroughTheLevelTableAndOnlyChangedCellsAreConverted)
{
    MakeSub(1, 1);
    TSub& sub = Sub(1, 1);
    sub.Levels[0] = 1;   // shows empty
    sub.Levels[1] = 2;   // table says 1
    sub.Levels[2] = 127; // 50, which types back as 128
    sub.Levels[3] = 255;
    session.open();
    EXPECT_EQ(session.levelText(1), "");
    EXPECT_EQ(session.levelText(2), "1");
    EXPECT_EQ(session.levelText(3), "50");
    EXPECT_EQ(session.levelText(4), "100");

    session.editLevel(10, "50");
    session.editLevel(11, "100");
    session.editLevel(12, "1");
    session.editLevel(4, "");
    session.store();
    EXPECT_EQ(sub.Levels[0], 1);
    EXPECT_EQ(sub.Levels[1], 2);
    EXPECT_EQ(sub.Levels[2], 127);
    EXPECT_EQ(sub.Levels[3], 0);
    EXPECT_EQ(sub.Levels[9], 128);
    EXPECT_EQ(sub.Levels[10], 255);
    EXPECT_EQ(sub.Levels[11], 3);
    EXPECT_EQ(state.globals.showChanged, 1);
    EXPECT_FALSE(session.modified());
}

TEST_F(SubEditSessionTest, FirstChangeMakesAnEmptySubNormalAndYesStoresIt)
{
    MakeSub(2, 1);
    session.open();
    session.editName("Front wash");
    EXPECT_EQ(session.type(), kSubNormal);
    ui.answer(Answer::Yes);
    ASSERT_TRUE(session.goForward());
    EXPECT_EQ(ui.messages(), Strings{kMsgSubKeepChanges});
    EXPECT_EQ(Sub(1, 1).SubType, kSubNormal);
    EXPECT_EQ(Sub(1, 1).Name, "Front wash      "); // filled to 16
    EXPECT_EQ(session.label(), "Page 2, Sub 1");
}

TEST_F(SubEditSessionTest, TimeEntryCheck)
{
    struct TCase {
        const char* text;
        bool accepted;
    };
    for (const TCase& c : {TCase{"12.3", true},
                           {"0", true},
                           {"999.9", true},
                           {"12.35", false},
                           {"1000", false},
                           {"-1", false},
                           {"abc", false},
                           {"", false}}) {
        ui.clear();
        session.editTime(TSubTime::Up, c.text);
        EXPECT_EQ(session.checkTime(TSubTime::Up), c.accepted) << c.text;
        EXPECT_EQ(ui.messages(), c.accepted ? Strings{} : Strings{kMsgSubValidTime}) << c.text;
    }
    session.editTime(TSubTime::Up, "12.3");
    session.editTime(TSubTime::Hold, "2.5");
    session.store();
    EXPECT_EQ(Sub(1, 1).TimeUp, 123);
    EXPECT_EQ(Sub(1, 1).TimeHold, 25);
}

TEST_F(SubEditSessionTest, AllTimesCheckOnKeepStaysOnTheSub)
{
    MakeSub(1, 2);
    session.open();
    session.editTime(TSubTime::Hold, "1000");
    ui.answer(Answer::Yes);
    EXPECT_FALSE(session.goForward());
    EXPECT_EQ(ui.messages(), (Strings{kMsgSubKeepChanges, kMsgSubAllTimes}));
    EXPECT_EQ(session.label(), "Page 1, Sub 1");
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(Sub(1, 1).SubType, kSubNone);

    // A text that is no number fails without a message of its own.
    ui.clear();
    session.editTime(TSubTime::Hold, "x");
    ui.answer(Answer::Yes);
    EXPECT_FALSE(session.goForward());
    EXPECT_EQ(ui.messages(), Strings{kMsgSubKeepChanges});
}

TEST_F(SubEditSessionTest, NoDropsAndCancelStays)
{
    MakeSub(1, 2);
    session.open();
    session.editLevel(1, "40");
    ui.answer(Answer::Cancel);
    EXPECT_FALSE(session.goForward());
    EXPECT_EQ(session.levelText(1), "40");
    ui.answer(Answer::No);
    EXPECT_TRUE(session.goForward());
    EXPECT_EQ(Sub(1, 1).Levels[0], 0);
    EXPECT_EQ(state.globals.showChanged, 0);
}

TEST_F(SubEditSessionTest, PageAndSubEntry)
{
    struct TCase {
        const char* page;
        const char* sub;
        bool moves;
    };
    for (const TCase& c : {TCase{"13", "1", false},
                           {"1", "25", false},
                           {"a", "1", false},
                           {"0", "3", false},
                           {"12", "24", true},
                           {"4", "20", true}}) {
        ui.clear();
        EXPECT_EQ(session.enterPageSub(c.page, c.sub), c.moves) << c.page << "/" << c.sub;
        EXPECT_EQ(ui.messages(), c.moves ? Strings{} : Strings{kMsgSubInvalidEntry});
    }
    EXPECT_EQ(session.label(), "Page 4, Sub 20"); // an empty sub too
}

TEST_F(SubEditSessionTest, PageEntryKeepsTheEditsWhenTheTimesFail)
{
    session.open();
    session.editName("Keep me");
    session.editTime(TSubTime::Down, "1000");
    ui.answer(Answer::Yes);
    EXPECT_FALSE(session.enterPageSub("2", "2"));
    EXPECT_EQ(ui.messages(), (Strings{kMsgSubKeepChanges, kMsgSubAllTimes}));
    EXPECT_EQ(session.label(), "Page 1, Sub 1");
    EXPECT_EQ(session.name(), "Keep me");
    EXPECT_TRUE(session.modified());
}

TEST_F(SubEditSessionTest, SelectionSetLevelsCopyAndPaste)
{
    session.open();
    EXPECT_FALSE(session.copyLevels()); // beep without a selection
    EXPECT_FALSE(session.clickChannel(5, TSubClick::Shift));
    Select(5, 8);
    EXPECT_TRUE(session.channelHighlighted(6));
    EXPECT_FALSE(session.clickChannel(3, TSubClick::Shift)); // before the start
    EXPECT_FALSE(session.clickChannel(9, TSubClick::Other));
    ASSERT_TRUE(session.setChannelLevels(70));
    EXPECT_FALSE(session.hasSelection());
    EXPECT_EQ(session.levelText(5), "70");
    EXPECT_EQ(session.levelText(8), "70");
    EXPECT_EQ(session.type(), kSubNormal);

    Select(7, 11); // 70 70 empty empty empty
    ASSERT_TRUE(session.copyLevels());
    EXPECT_EQ(session.copyCount(), 5);
    Select(510, 510);
    ASSERT_TRUE(session.pasteLevels());
    EXPECT_EQ(session.levelText(510), "70");
    EXPECT_EQ(session.levelText(511), "70");
    EXPECT_EQ(session.levelText(512), "");
    EXPECT_EQ(session.selectionStart(), 510); // the selection stays

    Select(7, 8);
    ASSERT_TRUE(session.setChannelLevels(-1)); // Null Channels
    EXPECT_EQ(session.levelText(7), "");
    session.store();
    EXPECT_EQ(Sub(1, 1).Levels[4], PercentToLevel(70));
    EXPECT_EQ(Sub(1, 1).Levels[6], 0);
    EXPECT_EQ(Sub(1, 1).Levels[509], PercentToLevel(70));
}

TEST_F(SubEditSessionTest, PasteBeforeAnyCopyMarksTheSubChanged)
{
    session.open();
    Select(3, 3);
    ASSERT_TRUE(session.pasteLevels());
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(session.type(), kSubNormal);
    EXPECT_EQ(session.levelText(3), "");
}

TEST_F(SubEditSessionTest, CopyBufferOutlivesAnOpening)
{
    session.open();
    session.editLevel(1, "33");
    Select(1, 1);
    ASSERT_TRUE(session.copyLevels());
    ui.answer(Answer::No);
    ASSERT_TRUE(session.queryClose());
    session.open();
    EXPECT_EQ(session.levelText(1), "");
    Select(2, 2);
    ASSERT_TRUE(session.pasteLevels());
    EXPECT_EQ(session.levelText(2), "33");
}

TEST_F(SubEditSessionTest, DeleteSubResetsAtOnceAndSetsTheChangedFlag)
{
    MakeSub(1, 1);
    Sub(1, 1).Levels[0] = 200;
    session.open();
    ui.answer(Answer::No);
    EXPECT_FALSE(session.deleteSub());
    EXPECT_EQ(Sub(1, 1).SubType, kSubNormal);
    ui.answer(Answer::Yes);
    EXPECT_TRUE(session.deleteSub());
    EXPECT_EQ(Sub(1, 1), TSub{});
    EXPECT_EQ(state.globals.showChanged, 1);
    EXPECT_EQ(session.label(), "Page 1, Sub 1");
    EXPECT_EQ(session.type(), kSubNone);
    EXPECT_EQ(ui.messages(), (Strings{kMsgSubClearQuestion, kMsgSubClearQuestion}));
}

TEST_F(SubEditSessionTest, CloseQueryChecksTimesThenLevels)
{
    session.open();
    session.editLevel(9, "abc");
    ui.answer(Answer::Yes);
    EXPECT_FALSE(session.queryClose());
    EXPECT_EQ(ui.messages(), (Strings{kMsgSubKeepChanges, "Invalid entry at channel 9."}));
    ui.clear();
    session.editLevel(9, "101");
    ui.answer(Answer::Yes);
    EXPECT_FALSE(session.queryClose());
    EXPECT_EQ(ui.messages(), (Strings{kMsgSubKeepChanges, "Out-of-range entry at channel 9."}));
    ui.clear();
    session.editLevel(9, "10");
    ui.answer(Answer::Yes);
    EXPECT_TRUE(session.queryClose());
    EXPECT_EQ(Sub(1, 1).Levels[8], PercentToLevel(10));
    EXPECT_TRUE(session.queryClose()); // nothing pending any more: no question
}

} // namespace
} // namespace lumora
