// The patch editor's rules without its window: loading a page, the edit rules, Set
// Patch with its increment, storing with its checks, page changes, Unity and Clear.

#include "patch/PatchSheet.h"

#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <numeric>

namespace lumora {
namespace {

using Col = TPatchColumn;
using F = TSetPatchField;
using Strings = std::vector<std::string>;

class PatchSheetTest : public ::testing::Test {
protected:
    test::TRecordingUi ui;
    TEditorState state{ui};
    TPatchSheet sheet{state};

    TPatch& page(int p) { return state.show().patch(p); }
    void SetUp() override { sheet.open(); }

    std::vector<int> rows(int first, int count)
    {
        std::vector<int> r(static_cast<std::size_t>(count));
        std::iota(r.begin(), r.end(), first);
        return r;
    }
    Strings channels(int first, int count)
    {
        Strings s;
        for (int d = first; d < first + count; ++d)
            s.push_back(sheet.row(d).channel);
        return s;
    }
};

TEST_F(PatchSheetTest, LoadsThePageAsTheGridShowsIt)
{
    page(1).dimmer(3) = {0xFFFF, 40, 4, true, true}; // parked, as an unpack leaves it
    page(1).dimmer(4) = {512, 75, 24, false, true};
    sheet.open();
    EXPECT_EQ(sheet.row(1), (TPatchRow{"1", "100", "1", false, false}));
    EXPECT_EQ(sheet.row(3), (TPatchRow{"0", "40", "5", false, true}));
    EXPECT_EQ(sheet.row(4), (TPatchRow{"512", "75", "25", true, false}));
    EXPECT_EQ(sheet.cellText(1000, Col::Dimmer), "1000");
    EXPECT_EQ(sheet.cellText(1000, Col::Channel), "0");
    EXPECT_FALSE(sheet.pending());
    EXPECT_FALSE(ui.busy());
}

TEST_F(PatchSheetTest, EditRules)
{
    sheet.editCheck(5, Col::Nondim, true);
    EXPECT_TRUE(sheet.pending());
    sheet.editCheck(5, Col::Park, true);
    EXPECT_EQ(sheet.row(5), (TPatchRow{"0", "100", "1", false, true})) << "park: channel 0, non-dim cleared";
    sheet.editText(5, Col::Channel, "17");
    EXPECT_EQ(sheet.row(5), (TPatchRow{"17", "100", "1", false, false})) << "a channel un-parks";
    sheet.editCheck(6, Col::Park, true);
    sheet.editCheck(6, Col::Nondim, true);
    EXPECT_EQ(sheet.row(6), (TPatchRow{"0", "100", "1", true, false})) << "non-dim un-parks";
}

TEST_F(PatchSheetTest, SetPatchIncrementsAndStopsAtZeroAfter512)
{
    TSetPatchValues v;
    v.show();
    v.editText(F::Channel, "505");
    v.setIncrement(true);
    ASSERT_TRUE(v.check(ui));
    sheet.applySetPatch(rows(100, 10), v);
    EXPECT_EQ(channels(100, 10), (Strings{"505", "506", "507", "508", "509", "510", "511", "512", "0", "0"}));
    EXPECT_EQ(sheet.row(110).channel, "110") << "rows not selected are left";
    EXPECT_TRUE(sheet.pending());

    v.editText(F::Channel, "0");
    sheet.applySetPatch(rows(200, 4), v);
    EXPECT_EQ(channels(200, 4), (Strings{"0", "0", "0", "0"}));

    // Without increment every row gets the value; rows come in any order and once each.
    v.setIncrement(false);
    v.editText(F::Channel, "9");
    sheet.applySetPatch({7, 3, 7}, v);
    EXPECT_EQ(channels(3, 5), (Strings{"9", "4", "5", "6", "9"}));
}

TEST_F(PatchSheetTest, SetPatchValueRowRulesAndApplyBoxes)
{
    TSetPatchValues v;
    v.show();
    EXPECT_EQ(v.values(), (TPatchRow{"1", "100", "1", false, false})) << "as the program starts";
    v.editCheck(F::Nondim, true);
    v.editCheck(F::Park, true);
    EXPECT_EQ(v.values(), (TPatchRow{"0", "100", "1", false, true}));
    EXPECT_TRUE(v.applied(F::Nondim));
    EXPECT_TRUE(v.applied(F::Park));
    EXPECT_FALSE(v.applied(F::Channel));
    v.editText(F::Channel, "3");
    EXPECT_FALSE(v.values().park);
    v.setApplied(F::Nondim, false);
    EXPECT_FALSE(v.applied(F::Nondim));
    v.setIncrement(true);
    v.show();
    EXPECT_FALSE(v.applied(F::Channel));
    EXPECT_FALSE(v.increment());
    EXPECT_EQ(v.values().channel, "3") << "the values stay from one use to the next";
}

TEST_F(PatchSheetTest, SetPatchRefusesAnEmptyAppliedNumber)
{
    const struct {
        F field;
        const char* message;
    } cases[] = {{F::Channel, kMsgChannelBetween}, {F::Level, kMsgLevelBetween}, {F::Profile, kMsgProfileBetween}};
    for (const auto& c : cases) {
        TSetPatchValues v;
        v.show();
        v.editText(c.field, "");
        ui.clear();
        EXPECT_FALSE(v.check(ui));
        EXPECT_EQ(ui.messages(), Strings{c.message});
        v.setApplied(c.field, false);
        EXPECT_TRUE(v.check(ui)) << "an empty cell that is not applied does not matter";
    }
}

TEST_F(PatchSheetTest, ParkWithoutChannelKeepsTheStoredChannel)
{
    page(1).dimmer(20) = {33, 100, 0, false, true};
    sheet.open();
    TSetPatchValues v;
    v.show();
    v.editCheck(F::Park, true);
    v.setApplied(F::Park, true);
    // the value row's Channel became 0, but Channel is not applied
    sheet.applySetPatch({20, 21}, v);
    EXPECT_TRUE(sheet.row(20).park);
    EXPECT_EQ(sheet.row(20).channel, "33");
    ui.answerYes();
    ASSERT_TRUE(sheet.queryClose());
    EXPECT_EQ(page(1).dimmer(20), (TPatchEntry{33, 100, 0, true, true}));
    EXPECT_EQ(page(1).dimmer(21), (TPatchEntry{21, 100, 0, true, false}));
    EXPECT_EQ(state.globals.showChanged, 1);
}

TEST_F(PatchSheetTest, ChannelAppliedToAParkedRowUnparksIt)
{
    sheet.editCheck(8, Col::Park, true);
    TSetPatchValues v;
    v.show();
    v.editText(F::Channel, "44");
    sheet.applySetPatch({8}, v);
    EXPECT_EQ(sheet.row(8), (TPatchRow{"44", "100", "1", false, false}));
    ui.answerYes();
    ASSERT_TRUE(sheet.queryClose());
    EXPECT_EQ(page(1).dimmer(8), (TPatchEntry{44, 100, 0, false, false}));
}

TEST_F(PatchSheetTest, UnparkingShowsAndStoresTheGridChannel)
{
    page(1).dimmer(9) = {0xFFFF, 50, 2, true, true};
    sheet.open();
    sheet.editCheck(9, Col::Park, false);
    EXPECT_EQ(sheet.row(9), (TPatchRow{"0", "50", "3", false, false}));
    ui.answerYes();
    ASSERT_TRUE(sheet.queryClose());
    EXPECT_EQ(page(1).dimmer(9), (TPatchEntry{0, 50, 2, false, false}));
}

TEST_F(PatchSheetTest, EmptyCellsAreRefusedAtStoreTime)
{
    for (Col column : {Col::Channel, Col::Level, Col::Profile}) {
        sheet.open();
        const TPatches before = state.show().patches;
        sheet.editText(700, column, "");
        ui.clear();
        ui.answerYes();
        EXPECT_FALSE(sheet.queryClose());
        EXPECT_EQ(ui.messages(), (Strings{kMsgPatchKeepChanges, EmptyCellsMessage(700)}));
        ui.answerYes();
        EXPECT_FALSE(sheet.changePage(2)) << "a page change stays too";
        EXPECT_EQ(sheet.page(), 1);
        EXPECT_TRUE(sheet.pending());
        EXPECT_EQ(state.show().patches, before);
    }
    EXPECT_EQ(EmptyCellsMessage(700),
              "Please enter a Channel (0-512), Level (0-100) and Profile (1-25) for Dimmer 700.");
}

TEST_F(PatchSheetTest, ParkedRowNeedsNoChannel)
{
    TSetPatchValues v;
    v.show();
    sheet.editText(12, Col::Channel, "");
    v.editCheck(F::Park, true);
    sheet.applySetPatch({12}, v);
    ui.answerYes();
    EXPECT_TRUE(sheet.queryClose());
    EXPECT_TRUE(page(1).dimmer(12).Park);
    EXPECT_EQ(page(1).dimmer(12).Channel, 12);
}

TEST_F(PatchSheetTest, RangeCheckOnCloseOnly)
{
    sheet.editText(30, Col::Level, "150"); // the mask keeps this out; the check still holds
    ui.answerYes();
    EXPECT_FALSE(sheet.queryClose());
    EXPECT_EQ(ui.messages().back(), "Out-of-range entry for Dimmer 30.");
    ui.answerYes();
    EXPECT_TRUE(sheet.changePage(2)) << "a page change stores without the range check";
    EXPECT_EQ(page(1).dimmer(30).Level, 150);
}

TEST_F(PatchSheetTest, PageChangeAnswers)
{
    sheet.editText(1, Col::Channel, "300");
    ui.answer(IUserInterface::Answer::Cancel);
    EXPECT_FALSE(sheet.changePage(2));
    EXPECT_EQ(sheet.page(), 1);
    EXPECT_TRUE(sheet.pending());
    EXPECT_EQ(sheet.row(1).channel, "300");

    ui.answerNo();
    EXPECT_TRUE(sheet.changePage(2));
    EXPECT_EQ(page(1).dimmer(1).Channel, 1) << "No drops the edit";
    EXPECT_FALSE(sheet.pending());

    sheet.editText(2, Col::Level, "5");
    ui.answerYes();
    EXPECT_TRUE(sheet.changePage(1));
    EXPECT_EQ(page(2).dimmer(2).Level, 5);
    EXPECT_EQ(state.globals.showChanged, 1);

    EXPECT_TRUE(sheet.changePage(2)) << "nothing pending: no question";
    EXPECT_TRUE(ui.allAnswered());
}

TEST_F(PatchSheetTest, UnityAndClearActOnTheCurrentPageOnly)
{
    page(1).dimmer(1).Channel = 77;
    page(2).dimmer(1).Channel = 88;
    ASSERT_TRUE(sheet.changePage(2));
    sheet.editText(5, Col::Level, "1");
    ui.answerNo();
    EXPECT_FALSE(sheet.unity());
    EXPECT_TRUE(sheet.pending());
    ui.answerYes();
    EXPECT_TRUE(sheet.unity());
    EXPECT_EQ(page(2).dimmer(1).Channel, 1);
    EXPECT_EQ(page(1).dimmer(1).Channel, 77);
    EXPECT_FALSE(sheet.pending());
    EXPECT_EQ(sheet.row(5).level, "100");
    EXPECT_EQ(state.globals.showChanged, 1);
    ui.answerYes();
    EXPECT_TRUE(sheet.clear());
    EXPECT_EQ(sheet.row(5).channel, "0");
    EXPECT_EQ(page(2).dimmer(5).Channel, 0);
    EXPECT_EQ(ui.messages(), (Strings{kMsgApplyUnity, kMsgApplyUnity, kMsgClearPatch}));
}

} // namespace
} // namespace lumora
