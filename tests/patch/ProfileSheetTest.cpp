// The profile editor's rules without its window: the mouse mapping, drawing, smoothing,
// ranges, the level entry, rename, reset, tabs and closing.

#include "patch/ProfileSheet.h"

#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

using Strings = std::vector<std::string>;

class ProfileSheetTest : public ::testing::Test {
protected:
    test::TRecordingUi ui;
    TEditorState state{ui};
    TProfileSheet sheet{state};

    void SetUp() override { sheet.open(); }
    std::vector<int> values(int first, int last) const
    {
        std::vector<int> v;
        for (int i = first; i <= last; ++i)
            v.push_back(sheet.chartValue(i));
        return v;
    }
};

TEST(ChartMapping, MouseToInputAndOutput)
{
    // A plot 512 pixels wide and 256 high: two pixels an input, one an output step.
    EXPECT_EQ(ChartPointAt(10, 300, 10, 44, 522, 300), (TChartPoint{0, 0}));
    EXPECT_EQ(ChartPointAt(13.9, 299.5, 10, 44, 522, 300), (TChartPoint{1, 0}));
    EXPECT_EQ(ChartPointAt(14, 299, 10, 44, 522, 300), (TChartPoint{2, 1}));
    EXPECT_EQ(ChartPointAt(521, 44, 10, 44, 522, 300), (TChartPoint{255, 256}));
    EXPECT_EQ(ChartPointAt(9, 301, 10, 44, 522, 300), (TChartPoint{-1, -1}));
    EXPECT_EQ(ChartPointAt(0, 0, 10, 10, 10, 10), TChartPoint{}) << "no plot, no point";
}

TEST_F(ProfileSheetTest, OpensOnProfileOne)
{
    EXPECT_EQ(sheet.current(), 1);
    EXPECT_EQ(sheet.workingName(), "Linear");
    EXPECT_EQ(sheet.outText(200), "200");
    EXPECT_FALSE(sheet.changed());
}

TEST_F(ProfileSheetTest, DrawingAtTheEdgesAndFastMoves)
{
    sheet.pressLeft();
    EXPECT_FALSE(sheet.moveTo({0, 50})) << "input 0 changes nothing";
    EXPECT_FALSE(sheet.changed());
    sheet.releaseButton();

    sheet.pressLeft();
    EXPECT_EQ(sheet.moveTo({1, 50}), (std::pair{0, 2}));
    EXPECT_EQ(values(0, 3), (std::vector<int>{50, 50, 50, 3}));
    EXPECT_TRUE(sheet.changed());
    sheet.releaseButton();

    sheet.pressLeft();
    sheet.moveTo({40, 128});
    EXPECT_EQ(sheet.moveTo({60, 128}), (std::pair{39, 61}));
    for (int i = 39; i <= 61; ++i)
        EXPECT_EQ(sheet.chartValue(i), 128) << i;
    EXPECT_EQ(sheet.chartValue(38), 38);
    EXPECT_EQ(sheet.chartValue(62), 62);
    EXPECT_FALSE(sheet.moveTo({255, 10})) << "input 255 is out of reach";
    EXPECT_FALSE(sheet.moveTo({100, 256})) << "above the top";
    sheet.releaseButton();
    EXPECT_FALSE(sheet.moveTo({100, 10})) << "not drawing";
}

TEST_F(ProfileSheetTest, SmoothingLinearAndASpike)
{
    EXPECT_FALSE(sheet.smooth());
    EXPECT_FALSE(sheet.changed()) << "a straight line does not move";

    sheet.editOut(100, "255");
    ASSERT_TRUE(sheet.smooth());
    EXPECT_EQ(sheet.chartValue(100), 245);
    EXPECT_GT(sheet.chartValue(99), 99);
    EXPECT_GT(sheet.chartValue(101), 101);
    EXPECT_EQ(sheet.chartValue(0), 0);
    EXPECT_EQ(sheet.chartValue(255), 255);
}

TEST_F(ProfileSheetTest, SmoothingKeepsValuesInRange)
{
    for (int i = 0; i < kProfilePoints; ++i)
        sheet.editOut(i, i % 2 ? "255" : "0");
    sheet.smooth(50);
    for (int i = 0; i < kProfilePoints; ++i) {
        EXPECT_GE(sheet.chartValue(i), 0);
        EXPECT_LE(sheet.chartValue(i), 255);
    }
}

TEST_F(ProfileSheetTest, EmptyCellCountsAsZeroUntilLeft)
{
    sheet.editOut(10, "");
    EXPECT_EQ(sheet.outText(10), "");
    EXPECT_EQ(sheet.chartValue(10), 0);
    sheet.leaveCell(10);
    EXPECT_EQ(sheet.outText(10), "0");
}

TEST_F(ProfileSheetTest, RangesEitherWayRound)
{
    sheet.setEnd(5);
    EXPECT_FALSE(sheet.hasRange()) << "no anchor, no range";
    sheet.setAnchor(10);
    sheet.setEnd(12);
    EXPECT_EQ(sheet.selectedRows(), (std::pair{10, 12}));
    sheet.setRangeLevel(77);
    EXPECT_EQ(values(8, 12), (std::vector<int>{8, 77, 77, 77, 12}));
    EXPECT_FALSE(sheet.hasRange());
    EXPECT_EQ(sheet.anchor(), 0);

    sheet.setAnchor(30);
    sheet.setEnd(28);
    EXPECT_EQ(sheet.selectedRows(), (std::pair{28, 30}));
    sheet.setRangeLevel(5);
    EXPECT_EQ(values(26, 30), (std::vector<int>{26, 5, 5, 5, 30})) << "rows 28..30 are inputs 27..29";
    EXPECT_TRUE(sheet.changed());
}

TEST_F(ProfileSheetTest, LevelEntry)
{
    const struct {
        const char* text;
        std::optional<int> level;
    } cases[] = {{"0", 0},          {"255", 255}, {"256", std::nullopt}, {"-1", std::nullopt}, {"abc", std::nullopt},
                 {"", std::nullopt}};
    for (const auto& c : cases) {
        ui.clear();
        EXPECT_EQ(ReadProfileLevel(c.text, ui), c.level) << c.text;
        EXPECT_EQ(ui.messages().size(), c.level ? 0U : 1U) << c.text;
    }
    EXPECT_EQ(ui.messages(), Strings{"Please enter a number between 0 and 255."});
}

TEST_F(ProfileSheetTest, EmptyRenameIsKept)
{
    sheet.rename("");
    EXPECT_TRUE(sheet.changed());
    ui.answerYes();
    ASSERT_TRUE(sheet.queryClose());
    EXPECT_TRUE(state.show().profile(1).name.empty());
    EXPECT_EQ(state.globals.showChanged, 1);
}

TEST_F(ProfileSheetTest, ResetProfileSeven)
{
    state.show().profile(7).name = "Mine";
    state.show().profile(7).curve.fill(9);
    sheet.open();
    ASSERT_TRUE(sheet.choose(7));
    sheet.editOut(3, "200");
    ui.answerNo();
    EXPECT_FALSE(sheet.resetProfile());
    EXPECT_EQ(sheet.outText(3), "200");
    ui.answerYes();
    ASSERT_TRUE(sheet.resetProfile());
    EXPECT_TRUE(state.show().profile(7).name.empty());
    for (int i = 0; i < kProfilePoints; ++i)
        ASSERT_EQ(state.show().profile(7).curve[static_cast<std::size_t>(i)], i);
    EXPECT_EQ(sheet.outText(3), "3");
    EXPECT_FALSE(sheet.changed());
    EXPECT_EQ(state.globals.showChanged, 1);
    EXPECT_EQ(ui.messages().back(), kMsgResetProfile);
}

TEST_F(ProfileSheetTest, TabsAskAndCancelStays)
{
    sheet.editOut(5, "");
    ui.answer(IUserInterface::Answer::Cancel);
    EXPECT_FALSE(sheet.choose(2));
    EXPECT_EQ(sheet.current(), 1);
    EXPECT_EQ(sheet.outText(5), "0") << "the empty cell was filled first";
    ui.answerNo();
    EXPECT_TRUE(sheet.choose(2));
    EXPECT_EQ(state.show().profile(1).curve[5], 5);
    EXPECT_EQ(sheet.workingName(), "Preheat 1");
    EXPECT_TRUE(sheet.choose(3)) << "nothing changed: no question";
    EXPECT_TRUE(ui.allAnswered());
}

TEST_F(ProfileSheetTest, KeepStoresNameAndCurve)
{
    sheet.rename("Dim curve");
    sheet.editOut(255, "");
    ui.answerYes();
    ASSERT_TRUE(sheet.queryClose());
    EXPECT_EQ(state.show().profile(1).name, "Dim curve");
    EXPECT_EQ(state.show().profile(1).curve[255], 0);
    EXPECT_EQ(state.show().profile(1).curve[254], 254);
}

} // namespace
} // namespace lumora
