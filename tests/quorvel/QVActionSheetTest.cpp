#include "quorvel/QVActionSheet.h"

#include "QVSheetFixtures.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

using L = TQvActionColumn;
using S = TQvStepColumn;
using Answer = IUserInterface::Answer;

class QVActionSheetTest : public ::testing::Test {
protected:
    TQvFixture f;
    TQVActionSheet sheet{f.state};

    void SetUp() override
    {
        TQVAction& a = f.q().action(4);
        a.loops = kQvLoopsContinuous;
        a.singleStep = 1;
        a.positions[0] = 12;
        a.times[0] = 25;
        a.delays[0] = 30;
        sheet.open();
    }
};

TEST_F(QVActionSheetTest, ListAndStepsShowTheActions)
{
    EXPECT_EQ(sheet.listText(4, L::Loops), "Continuous");
    EXPECT_EQ(sheet.listText(4, L::SingleStep), "Yes");
    EXPECT_EQ(sheet.listText(5, L::Loops), "0");
    EXPECT_EQ(sheet.listText(5, L::SingleStep), "No");
    sheet.setCurrentAction(4);
    EXPECT_EQ(sheet.caption(), "Action # 4");
    EXPECT_EQ(sheet.stepText(1, S::Position), "12");
    EXPECT_EQ(sheet.stepText(1, S::Time), "2.5");
    EXPECT_EQ(sheet.stepText(1, S::Delay), "3");
    EXPECT_EQ(sheet.stepText(2, S::Time), "");
}

TEST_F(QVActionSheetTest, LoopsEntries)
{
    struct TCase {
        const char* typed;
        const char* shown;
        std::uint16_t stored;
    } cases[] = {{"c", "Continuous", 0xFFFF},
                 {"Continuous", "Continuous", 0xFFFF},
                 {"", "0", 0},
                 {"65534", "65534", 65534},
                 {"7", "7", 7}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.typed);
        sheet.editLoops(1, c.typed);
        EXPECT_EQ(sheet.listText(1, L::Loops), c.shown);
        sheet.store();
        EXPECT_EQ(f.q().action(1).loops, c.stored);
    }
    sheet.editLoops(1, "65535");
    EXPECT_EQ(f.ui.messages(), std::vector<std::string>{kMsgQvLoopsRange});
    EXPECT_EQ(sheet.listText(1, L::Loops), "7");
}

TEST_F(QVActionSheetTest, SingleStepKeysAndDoubleClicks)
{
    sheet.singleStepKey(1, 'y');
    EXPECT_EQ(sheet.listText(1, L::SingleStep), "Yes");
    sheet.singleStepKey(1, 'x'); // swallowed, but a change
    EXPECT_EQ(sheet.listText(1, L::SingleStep), "Yes");
    sheet.toggleSingleStep(1);
    EXPECT_EQ(sheet.listText(1, L::SingleStep), "No");
    sheet.singleStepKey(1, 'Y');
    sheet.store();
    EXPECT_EQ(f.q().action(1).singleStep, 1);
}

TEST_F(QVActionSheetTest, StepsStore)
{
    sheet.editStep(2, S::Position, "12");
    sheet.editStep(2, S::Time, "2.5");
    sheet.editStep(3, S::Time, "4"); // a time without a position stores nothing
    sheet.editStep(4, S::Position, "100");
    sheet.editStep(4, S::Delay, "999.9");
    sheet.store();
    const TQVAction& a = f.q().action(1);
    EXPECT_EQ(a.positions[1], 12);
    EXPECT_EQ(a.times[1], 25);
    EXPECT_EQ(a.delays[1], 0);
    EXPECT_EQ(a.times[2], 0);
    EXPECT_EQ(a.delays[3], 9999);

    sheet.editStep(2, S::Position, "0"); // empties the whole step
    EXPECT_EQ(sheet.stepText(2, S::Time), "");
    sheet.editStep(4, S::Position, "");
    sheet.store();
    EXPECT_EQ(a.positions[1], 0);
    EXPECT_EQ(a.times[1], 0);
    EXPECT_EQ(a.delays[3], 0);
}

TEST_F(QVActionSheetTest, NoOnChangingActionDropsTheEditsForGood)
{
    sheet.setCurrentAction(4);
    sheet.editLoops(4, "3");
    sheet.singleStepKey(4, 'n');
    sheet.editStep(1, S::Position, "50");
    f.ui.answer(Answer::No);
    sheet.setCurrentAction(9);
    EXPECT_EQ(sheet.currentAction(), 9);
    EXPECT_EQ(sheet.listText(4, L::Loops), "Continuous"); // the list row is the show's again
    EXPECT_EQ(sheet.listText(4, L::SingleStep), "Yes");
    sheet.editStep(1, S::Position, "5");
    f.ui.answer(Answer::Yes);
    sheet.setCurrentAction(4);
    EXPECT_EQ(f.q().action(4).loops, kQvLoopsContinuous);
    EXPECT_EQ(f.q().action(4).positions[0], 12);
    EXPECT_EQ(f.q().action(9).positions[0], 5);
    EXPECT_EQ(sheet.stepText(1, S::Position), "12");
}

TEST(QvTenthsTest, ReadsAndWritesSeconds)
{
    EXPECT_EQ(QvReadTenths("2.5"), 25);
    EXPECT_EQ(QvReadTenths(".5"), 5);
    EXPECT_EQ(QvReadTenths("999.9"), 9999);
    EXPECT_EQ(QvReadTenths("12."), std::nullopt);
    EXPECT_EQ(QvReadTenths("1.25"), std::nullopt);
    EXPECT_EQ(QvReadTenths("1000"), std::nullopt);
    EXPECT_EQ(QvReadTenths("-1"), std::nullopt);
    EXPECT_EQ(QvTenthsText(30), "3");
    EXPECT_EQ(QvTenthsText(9999), "999.9");
}

} // namespace
} // namespace lumora::test
