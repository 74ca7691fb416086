#include "subs/SubListSheet.h"

#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora {
namespace {

using test::TRecordingUi;
using Answer = IUserInterface::Answer;
using Strings = std::vector<std::string>;
using Col = TSubListColumn;

class SubListSheetTest : public ::testing::Test {
protected:
    TSub& Sub(int page, int number) { return state.show().sub(page, number); }

    TRecordingUi ui;
    TEditorState state{ui};
    TSubListSheet sheet{state};
};

TEST_F(SubListSheetTest, LoadsAPageAsStoredAndShowsHugeTimesAsZero)
{
    TSub& sub = Sub(1, 2);
    sub.SubType = kSubInhibit;
    sub.Name = "Warm  ";
    sub.TimeUp = 12000;
    sub.TimeHold = 25;
    sub.Levels[0] = 99;
    sheet.open();
    EXPECT_EQ(sheet.page(), 1);
    EXPECT_EQ(sheet.cellText(2, Col::Sub), "2");
    EXPECT_EQ(sheet.cellText(2, Col::Name), "Warm  ");
    EXPECT_EQ(sheet.cellText(2, Col::Type), "Inhibit");
    EXPECT_EQ(sheet.cellText(2, Col::TimeUp), "0");
    EXPECT_EQ(sheet.cellText(2, Col::TimeHold), "2.5");
    EXPECT_EQ(sheet.cellText(1, Col::Name), "");
    EXPECT_EQ(sheet.cellText(1, Col::TimeUp), "");

    // Stored again untouched, the huge time stays; a typed one is taken.
    sheet.editCell(2, Col::Name, "Cool");
    sheet.editCell(2, Col::TimeHold, "2.5");
    sheet.store();
    EXPECT_EQ(sub.TimeUp, 12000);
    EXPECT_EQ(sub.TimeHold, 25);
    EXPECT_EQ(sub.Name, "Cool");
    EXPECT_EQ(sub.Levels[0], 99);
    EXPECT_EQ(state.globals.showChanged, 1);
}

TEST_F(SubListSheetTest, SoloForAnEmptyRowNeedsItsTimesThenStoresWithOldLevels)
{
    sheet.open();
    sheet.chooseType(4, kSubSolo);
    EXPECT_TRUE(sheet.modified());
    EXPECT_EQ(sheet.cellText(4, Col::Type), "Solo");
    EXPECT_FALSE(sheet.selectPage(2)); // times still empty
    EXPECT_EQ(ui.messages(), Strings{SubListTimesMessage(4)});
    EXPECT_EQ(SubListTimesMessage(4),
              "Please check your times for Sub 4.\n\nAll times need to be between 0 and 999.9 seconds.");
    ui.answer(Answer::Yes);
    EXPECT_FALSE(sheet.queryClose());
    EXPECT_EQ(sheet.page(), 1);

    sheet.editCell(4, Col::TimeUp, "1");
    sheet.editCell(4, Col::TimeHold, "0");
    sheet.editCell(4, Col::TimeDown, "999.9");
    ui.clear();
    ui.answer(Answer::Yes);
    EXPECT_TRUE(sheet.selectPage(2));
    EXPECT_EQ(ui.messages(), Strings{kMsgSubListSave});
    const TSub& sub = Sub(1, 4);
    EXPECT_EQ(sub.SubType, kSubSolo);
    EXPECT_EQ(sub.Name, "");
    EXPECT_EQ(sub.TimeUp, 10);
    EXPECT_EQ(sub.TimeDown, 9999);
    EXPECT_EQ(sub.Levels, (TSub{}.Levels));
    EXPECT_EQ(sheet.page(), 2);
}

TEST_F(SubListSheetTest, TypingANameIntoAnEmptyRowMakesItNormal)
{
    sheet.open();
    sheet.editCell(7, Col::Name, "Blue");
    EXPECT_EQ(sheet.rowType(7), kSubNormal);
    EXPECT_EQ(sheet.cellText(7, Col::Type), "Normal");
}

TEST_F(SubListSheetTest, TimeTextsTheCheckRefuses)
{
    Sub(1, 9).SubType = kSubNormal;
    sheet.open();
    for (const char* text : {"1000", "abc", "", "-1"}) {
        ui.clear();
        sheet.editCell(9, Col::TimeDown, text);
        EXPECT_FALSE(sheet.checkTimes()) << text;
        EXPECT_EQ(ui.messages(), Strings{SubListTimesMessage(9)});
    }
}

TEST_F(SubListSheetTest, DeleteThenYesResetsTheSubWithItsLevels)
{
    TSub& sub = Sub(1, 5);
    sub.SubType = kSubNormal;
    sub.Name = "Gone";
    sub.TimeUp = 30;
    sub.Levels.fill(255);
    sheet.open();
    EXPECT_FALSE(sheet.deleteRow(6));
    EXPECT_EQ(ui.messages(), Strings{kMsgSubListEmptyDelete});
    ui.clear();
    ui.answer(Answer::No);
    EXPECT_FALSE(sheet.deleteRow(5));
    ui.answer(Answer::Yes);
    EXPECT_TRUE(sheet.deleteRow(5));
    EXPECT_EQ(sheet.cellText(5, Col::Name), "");
    EXPECT_EQ(sub.SubType, kSubNormal); // not until the page is stored
    ui.answer(Answer::Yes);
    EXPECT_TRUE(sheet.selectPage(3));
    EXPECT_EQ(sub, TSub{});
}

TEST_F(SubListSheetTest, CancelStaysAndNoDrops)
{
    Sub(1, 1).SubType = kSubNormal;
    Sub(2, 1).SubType = kSubSolo;
    sheet.open();
    sheet.editCell(1, Col::Name, "x");
    ui.answer(Answer::Cancel);
    EXPECT_FALSE(sheet.selectPage(2));
    EXPECT_EQ(sheet.cellText(1, Col::Name), "x");
    ui.answer(Answer::No);
    EXPECT_TRUE(sheet.selectPage(2));
    EXPECT_EQ(Sub(1, 1).Name, "");
    EXPECT_EQ(sheet.cellText(1, Col::Type), "Solo"); // page 2 sub 1
    EXPECT_EQ(state.globals.showChanged, 0);
    EXPECT_TRUE(sheet.queryClose());
}

TEST_F(SubListSheetTest, OpeningSkipsTheTimeCheckOnceAndShowsPageOne)
{
    sheet.open();
    sheet.chooseType(1, kSubNormal); // no times
    ui.answer(Answer::No);
    EXPECT_TRUE(sheet.queryClose());
    sheet.open(); // a fresh page 1, nothing to check
    EXPECT_EQ(sheet.page(), 1);
    EXPECT_FALSE(sheet.modified());
    sheet.chooseType(1, kSubNormal);
    EXPECT_FALSE(sheet.selectPage(2)); // the opening is over: checked
    EXPECT_TRUE(ui.allAnswered());
}

} // namespace
} // namespace lumora
