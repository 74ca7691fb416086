// The effect editor's rules without its window: showing an effect, typed levels and
// their marks, the selection and Set Channel Levels, Clear Effect, and what a store
// writes (or, when it fails, leaves alone).

#include "effects/EffectSheet.h"

#include "show/ValueHelpers.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumora {
namespace {

using test::TRecordingUi;

class EffectSheetTest : public ::testing::Test {
protected:
    TRecordingUi ui;
    std::unique_ptr<TEditorState> state = std::make_unique<TEditorState>(ui);
    TEffectSheet sheet{*state};
    int asked = 0;
    std::optional<std::string> nameAnswer = std::string("Answer");

    TEffectSheet::TAskName askName()
    {
        return [this] {
            ++asked;
            return nameAnswer;
        };
    }
    TEffect& effect(int n) { return state->show().effect(n); }
    void put(int n, int k, std::uint8_t step, std::uint16_t channel, std::uint8_t level)
    {
        effect(n).Entries[k - 1] = {channel, level, step};
    }
};

TEST_F(EffectSheetTest, ShowsTheStoredEntriesWithTheirMarks)
{
    TEffect& e = effect(1);
    e.Name.assign("Chase           ");
    e.EffectType = kEffectBounce;
    e.EffectTime = 25;
    e.StepCount = 2;
    put(1, 1, 1, 5, 255);
    put(1, 2, 2, 512, 0);
    put(1, 3, 101, 7, 10); // outside the sheet: skipped
    put(1, 4, 3, 513, 10); // outside the sheet: skipped
    sheet.open();
    EXPECT_EQ(sheet.nameText(), "Chase");
    EXPECT_EQ(sheet.typeText(), "Bounce");
    EXPECT_EQ(sheet.timeText(), "2.5");
    EXPECT_TRUE(sheet.defined());
    EXPECT_EQ(sheet.percent(1, 5), 100);
    EXPECT_EQ(sheet.percent(2, 512), 0); // a stored 0 is a level
    EXPECT_EQ(sheet.percent(2, 511), -1);
    EXPECT_TRUE(sheet.filledMark(2, 512));
    EXPECT_EQ(sheet.filledCells(), 2);
    EXPECT_EQ(sheet.listText(1), "1 <-");
    EXPECT_EQ(sheet.listText(2), "2");
    EXPECT_EQ(sheet.labelText(), "Effect #1");
    EXPECT_FALSE(sheet.modified());
}

TEST_F(EffectSheetTest, AnUndefinedEffectShowsNoType)
{
    sheet.open();
    EXPECT_FALSE(sheet.defined());
    EXPECT_EQ(sheet.typeText(), "");
    EXPECT_EQ(sheet.timeText(), "0");
}

TEST_F(EffectSheetTest, StoresStepsInOrderWithTheLargestStepAsStepCount)
{
    sheet.open();
    ASSERT_TRUE(sheet.applyLevelText(7, 2, "50"));
    ASSERT_TRUE(sheet.applyLevelText(3, 9, "100"));
    ASSERT_TRUE(sheet.applyLevelText(3, 4, "0"));
    sheet.editName("Steps");
    ASSERT_TRUE(sheet.store(askName()));
    const TEffect& e = effect(1);
    EXPECT_EQ(e.StepCount, 7);
    EXPECT_EQ(e.Entries[0], (TEffectEntry{4, 0, 3}));
    EXPECT_EQ(e.Entries[1], (TEffectEntry{9, 255, 3}));
    EXPECT_EQ(e.Entries[2], (TEffectEntry{2, PercentToLevel(50), 7}));
    EXPECT_EQ(e.Entries[3], TEffectEntry{});
    EXPECT_EQ(e.Name, "Steps");
    EXPECT_EQ(e.EffectType, kEffectForward); // empty type box
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(state->globals.showChanged, 1);
}

TEST_F(EffectSheetTest, FourHundredNinetySixCellsStoreAndOneMoreChangesNothing)
{
    sheet.open();
    for (int i = 0; i < kEffectEntries; ++i)
        sheet.applyLevelText(1 + i / 10, 1 + i % 10, "40");
    sheet.editName("Full");
    ASSERT_TRUE(sheet.store(askName()));
    EXPECT_EQ(effect(1).Entries[kEffectEntries - 1].EntryChannel, 6);
    EXPECT_EQ(effect(1).StepCount, 50);

    const TEffect before = effect(1);
    sheet.applyLevelText(100, 512, "1");
    sheet.editName("Too big");
    sheet.editTime("3");
    EXPECT_FALSE(sheet.store(askName()));
    EXPECT_EQ(ui.messages().back(), "Effect too big.  Remove some channel levels and try again.");
    EXPECT_EQ(effect(1), before);
    EXPECT_TRUE(sheet.modified());
}

TEST_F(EffectSheetTest, AnUntouchedLevelIsStoredAsItCame)
{
    put(1, 1, 1, 1, 127);
    put(1, 2, 1, 2, 127);
    effect(1).StepCount = 1;
    sheet.open();
    const int shown = sheet.percent(1, 1);
    sheet.applyLevelText(1, 1, std::to_string(shown)); // the same percent typed again
    sheet.applyLevelText(1, 3, "10");
    sheet.editName("x");
    ASSERT_TRUE(sheet.store(askName()));
    EXPECT_EQ(effect(1).Entries[0].EntryLevel, 127);
    EXPECT_EQ(effect(1).Entries[1].EntryLevel, 127);
}

TEST_F(EffectSheetTest, AnEmptyNameIsAskedForAndCancelStoresItEmpty)
{
    sheet.open();
    sheet.editName("");
    sheet.applyLevelText(1, 1, "5");
    ASSERT_TRUE(sheet.store(askName()));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(effect(1).Name, "Answer");
    EXPECT_EQ(sheet.nameText(), ""); // the entry itself is not filled in

    nameAnswer.reset();
    sheet.applyLevelText(1, 1, "6");
    ASSERT_TRUE(sheet.store(askName()));
    EXPECT_EQ(effect(1).Name, "");
}

TEST_F(EffectSheetTest, TimeTexts)
{
    struct Case {
        const char* text;
        std::optional<std::uint16_t> tenths;
    };
    const Case cases[] = {{"", 0},    {"0", 0},     {"2.5", 25},   {"999.9", 9999}, {"12.", 120},
                          {".5", 5},  {"1.50", 15}, {"12.34", {}}, {"1000", {}},    {"abc", {}},
                          {"-1", {}}, {".", {}},    {"1.2.3", {}}, {"1e2", {}}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadEffectTime(c.text), c.tenths) << c.text;
}

TEST_F(EffectSheetTest, ABadTimeIsShownOnLeavingAndStopsTheStore)
{
    sheet.open();
    sheet.editTime("12.34");
    EXPECT_FALSE(sheet.checkTime());
    EXPECT_EQ(ui.messages().back(), "Please enter a time between 0 and 999.9 seconds.");
    sheet.applyLevelText(1, 1, "5");
    const TEffect before = effect(1);
    EXPECT_FALSE(sheet.store(askName()));
    EXPECT_EQ(effect(1), before);
    sheet.editTime("12.3");
    EXPECT_TRUE(sheet.checkTime());
    ASSERT_TRUE(sheet.store(askName()));
    EXPECT_EQ(effect(1).EffectTime, 123);
}

TEST_F(EffectSheetTest, ChangingEffectAsksAboutAnyEditOfDefinedAndUndefinedEffects)
{
    sheet.open();
    sheet.editName("Only a name"); // effect 1 is not defined
    ui.answerNo();
    ASSERT_TRUE(sheet.choose(2, askName()));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Do you want to keep your changes?"});
    EXPECT_EQ(effect(1).Name, "Linear");

    sheet.editTime("4");
    ui.answer(IUserInterface::Answer::Cancel);
    EXPECT_FALSE(sheet.choose(3, askName()));
    EXPECT_EQ(sheet.current(), 2);
    EXPECT_EQ(sheet.timeText(), "4");

    sheet.editName("Kept");
    ui.answerYes();
    ASSERT_TRUE(sheet.choose(3, askName()));
    EXPECT_EQ(effect(2).Name, "Kept");
    EXPECT_EQ(effect(2).EffectTime, 40);
    EXPECT_EQ(sheet.listText(2), "2 <-");
    EXPECT_TRUE(ui.allAnswered());
}

TEST_F(EffectSheetTest, ClearThenYesEmptiesTheEffectWithoutATimeCheck)
{
    put(1, 1, 1, 1, 200);
    effect(1).StepCount = 1;
    effect(1).EffectTime = 30;
    sheet.open();
    ui.answerYes();
    ASSERT_TRUE(sheet.clearEffect());
    EXPECT_EQ(sheet.percent(1, 1), -1);
    EXPECT_FALSE(sheet.filledMark(1, 1));
    EXPECT_EQ(sheet.timeText(), "");
    EXPECT_EQ(sheet.listText(1), "1");
    EXPECT_EQ(effect(1).StepCount, 1); // the model waits for the store
    ui.answerYes();
    ASSERT_TRUE(sheet.queryClose(askName()));
    const TEffect& e = effect(1);
    EXPECT_EQ(e.Name, "");
    EXPECT_EQ(e.StepCount, 0);
    EXPECT_EQ(e.EffectTime, 0);
    EXPECT_EQ(e.Entries[0], TEffectEntry{});
    EXPECT_EQ(asked, 0);
}

TEST_F(EffectSheetTest, LevelsTypedAfterClearAreStored)
{
    put(1, 1, 1, 1, 200);
    effect(1).StepCount = 1;
    sheet.open();
    ui.answerYes();
    ASSERT_TRUE(sheet.clearEffect());
    sheet.applyLevelText(4, 8, "60");
    EXPECT_FALSE(sheet.cleared());
    ASSERT_TRUE(sheet.store(askName()));
    EXPECT_EQ(effect(1).Entries[0], (TEffectEntry{8, PercentToLevel(60), 4}));
    EXPECT_EQ(effect(1).Entries[1], TEffectEntry{});
    EXPECT_EQ(effect(1).StepCount, 4);
}

TEST_F(EffectSheetTest, ClearThenNoKeepsTheListMarkTrueToTheShow)
{
    effect(1).StepCount = 1;
    put(1, 1, 1, 1, 1);
    sheet.open();
    ui.answerYes();
    sheet.clearEffect();
    ui.answerNo();
    ASSERT_TRUE(sheet.choose(2, askName()));
    EXPECT_EQ(sheet.listText(1), "1 <-");
}

TEST_F(EffectSheetTest, RectangleSelectionAndSetLevels)
{
    sheet.open();
    EXPECT_FALSE(sheet.click(2, 3, TEffectClick::Shift)); // no first corner yet
    EXPECT_TRUE(sheet.click(2, 3, TEffectClick::Plain));
    EXPECT_FALSE(sheet.hasRectangle());
    EXPECT_FALSE(sheet.click(1, 9, TEffectClick::Shift)); // before the first corner
    EXPECT_FALSE(sheet.click(2, 3, TEffectClick::Shift)); // the same cell
    EXPECT_FALSE(sheet.click(3, 5, TEffectClick::Other));
    EXPECT_TRUE(sheet.click(3, 5, TEffectClick::Shift));
    EXPECT_TRUE(sheet.highlighted(2, 4));
    EXPECT_TRUE(sheet.highlighted(3, 3));
    EXPECT_FALSE(sheet.highlighted(3, 6));
    sheet.setLevels(100);
    EXPECT_EQ(sheet.filledCells(), 6);
    EXPECT_EQ(sheet.percent(3, 5), 100);
    EXPECT_TRUE(sheet.gridChanged());

    sheet.clearSelection();
    sheet.click(2, 4, TEffectClick::Plain);
    sheet.click(3, 2, TEffectClick::Shift); // last channel before the first: no cell
    sheet.setLevels(-1);
    EXPECT_EQ(sheet.filledCells(), 6);

    sheet.click(2, 3, TEffectClick::Plain);
    sheet.click(2, 4, TEffectClick::Shift);
    sheet.setLevels(-1); // Null Channels
    EXPECT_EQ(sheet.percent(2, 3), -1);
    EXPECT_TRUE(sheet.filledMark(2, 3));
    EXPECT_EQ(sheet.filledCells(), 4);
}

TEST_F(EffectSheetTest, ATextThatIsNoLevelIsRefused)
{
    sheet.open();
    sheet.applyLevelText(5, 6, "40");
    EXPECT_FALSE(sheet.applyLevelText(5, 6, "101"));
    EXPECT_EQ(ui.messages().back(), "Out-of-range entry at Step 5, Channel 6.");
    EXPECT_EQ(sheet.percent(5, 6), 40);
    EXPECT_FALSE(sheet.applyLevelText(0, 6, "1"));
    EXPECT_FALSE(sheet.applyLevelText(1, 513, "1"));
}

TEST_F(EffectSheetTest, CloseAsksAboutARetimeAloneAndABadTimeKeepsTheWindowOpen)
{
    sheet.open();
    EXPECT_TRUE(sheet.queryClose(askName())); // nothing pending: no question
    sheet.editTime("99999");
    ui.answerYes();
    EXPECT_FALSE(sheet.queryClose(askName()));
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{"Do you want to save your changes?",
                                                       "Please enter a time between 0 and 999.9 seconds."}));
    ui.answerNo();
    EXPECT_TRUE(sheet.queryClose(askName()));
    EXPECT_EQ(effect(1).EffectTime, 0);
}

} // namespace
} // namespace lumora
