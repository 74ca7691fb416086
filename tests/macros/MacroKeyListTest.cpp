// The macro editor's rules without its window: the key list of a shown macro, keys and
// specials added, Delete Key Hit, Clear Macro, the store and the navigation.

#include "macros/MacroKeyList.h"

#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumora {
namespace {

using test::TRecordingUi;

class MacroKeyListTest : public ::testing::Test {
protected:
    TRecordingUi ui;
    std::unique_ptr<TEditorState> state = std::make_unique<TEditorState>(ui);
    TMacroKeyList keys{*state};

    TMacro& macro(int n) { return state->show().macro(n); }
    void set(int n, std::initializer_list<std::uint8_t> bytes)
    {
        ResetMacro(macro(n));
        int p = 0;
        for (const std::uint8_t b : bytes) {
            macro(n).Keys[p++] = b;
            macro(n).KeyCount += b != 0 ? 1 : 0;
        }
    }
    std::vector<std::uint8_t> bytes(int n) { return {macro(n).Keys.begin(), macro(n).Keys.end()}; }
    static std::vector<std::uint8_t> Bytes(std::initializer_list<std::uint8_t> b)
    {
        std::vector<std::uint8_t> v(b);
        v.resize(kMacroKeys, 0);
        return v;
    }
};

TEST_F(MacroKeyListTest, ShowsKeystrokesWithTheirSizes)
{
    set(1, {19, 0, 254, 3, 7, 252, 9, 9, 255, 253});
    keys.open();
    EXPECT_EQ(keys.entryCount(), 5);
    EXPECT_EQ(keys.byteCount(), 1 + 3 + 2 + 1 + 2);
    EXPECT_EQ(keys.row(1).text, "RECORD");
    EXPECT_EQ(keys.row(2), (TKeyRow{"Load Sub Handle 3 With 7", 254, 3, 7}));
    EXPECT_EQ(keys.row(3), (TKeyRow{"Run Position 9", 252, 9, 0}));
    EXPECT_EQ(keys.row(4).text, "UNDEFINED");
    EXPECT_EQ(keys.row(5), (TKeyRow{"Run Action 0", 253, 0, 0})); // 255 is skipped
    EXPECT_EQ(keys.row(6), TKeyRow{});
    EXPECT_EQ(keys.currentRow(), 1);
    EXPECT_EQ(keys.listText(1), "1 <-");
    EXPECT_EQ(keys.listText(2), "2");
}

TEST_F(MacroKeyListTest, AKeyGoesInFrontOfTheFirstKeystroke)
{
    set(1, {19, 20});
    keys.open();
    ASSERT_TRUE(keys.addKey(70));
    EXPECT_EQ(keys.row(1).text, "ENTER");
    EXPECT_EQ(keys.row(2).text, "RECORD");
    EXPECT_EQ(keys.currentRow(), 2);
    keys.store();
    EXPECT_EQ(bytes(1), Bytes({70, 19, 20}));
    EXPECT_EQ(macro(1).KeyCount, 3);
}

TEST_F(MacroKeyListTest, TwentyKeysFillTheMacroAndTheRowStaysOnTheList)
{
    keys.open();
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(keys.addKey(static_cast<std::uint8_t>(69)));
    EXPECT_EQ(keys.currentRow(), 20);
    EXPECT_EQ(keys.topRow(), 17);
    EXPECT_FALSE(keys.addKey(1));
    EXPECT_EQ(ui.messages().back(), "Keystroke Count Exceeded.\nSorry, but you cannot enter any more keystrokes.");
    keys.setCurrentRow(25);
    EXPECT_EQ(keys.currentRow(), 20);
    keys.store();
    EXPECT_EQ(bytes(1), std::vector<std::uint8_t>(20, 69));
}

TEST_F(MacroKeyListTest, SpecialsThatDoNotFitAreRefused)
{
    keys.open();
    for (int i = 0; i < 18; ++i)
        keys.addKey(1);
    EXPECT_FALSE(keys.addSpecial(TSpecialKind::LoadSubHandle, 1, 2));
    EXPECT_EQ(ui.messages().back(), "Keystroke Exceeded.\nSorry, but you cannot enter any more keystrokes.");
    EXPECT_EQ(keys.byteCount(), 18);
    ASSERT_TRUE(keys.addSpecial(TSpecialKind::RunAction, 42, 99));
    EXPECT_EQ(keys.row(19), (TKeyRow{"Run Action 42", 253, 42, 0}));
    EXPECT_EQ(keys.byteCount(), 20);
    keys.store();
    EXPECT_EQ(bytes(1)[18], 253);
    EXPECT_EQ(bytes(1)[19], 42);
    EXPECT_EQ(macro(1).KeyCount, 19);
}

TEST_F(MacroKeyListTest, ARowBelowTheKeystrokesTakesTheNextFreeRow)
{
    keys.open();
    keys.setCurrentRow(5);
    EXPECT_EQ(keys.currentRow(), 1);
    keys.addKey(19);
    keys.store();
    EXPECT_EQ(bytes(1), Bytes({19}));
}

TEST_F(MacroKeyListTest, DeleteKeyHit)
{
    set(1, {254, 1, 2, 19, 20});
    keys.open();
    EXPECT_EQ(keys.byteCount(), 5);
    ASSERT_TRUE(keys.deleteKey()); // row 1: the sub handle, 3 bytes
    EXPECT_EQ(keys.currentRow(), 1);
    EXPECT_EQ(keys.byteCount(), 2);
    EXPECT_EQ(keys.row(1).text, "RECORD");
    keys.setCurrentRow(3); // below the last: the last goes
    ASSERT_TRUE(keys.deleteKey());
    EXPECT_EQ(keys.entryCount(), 1);
    EXPECT_EQ(keys.currentRow(), 2);
    ASSERT_TRUE(keys.deleteKey());
    EXPECT_EQ(keys.entryCount(), 0);
    EXPECT_EQ(keys.byteCount(), 0);
    EXPECT_EQ(keys.currentRow(), 1);
    EXPECT_FALSE(keys.deleteKey());
    EXPECT_TRUE(keys.modified());
    ui.answerYes();
    ASSERT_TRUE(keys.choose(2));
    keys.choose(1);
    EXPECT_EQ(macro(1).KeyCount, 0);
    EXPECT_EQ(keys.listText(1), "1");
}

TEST_F(MacroKeyListTest, ClearAndTheCloseQuestion)
{
    set(1, {19});
    keys.open();
    ui.answerNo();
    EXPECT_FALSE(keys.clearMacro());
    ui.answerYes();
    ASSERT_TRUE(keys.clearMacro());
    EXPECT_EQ(keys.entryCount(), 0);
    EXPECT_EQ(macro(1).KeyCount, 1);
    ui.answer(IUserInterface::Answer::Cancel);
    EXPECT_FALSE(keys.queryClose());
    EXPECT_TRUE(keys.modified());
    ui.answerNo();
    EXPECT_TRUE(keys.queryClose());
    EXPECT_EQ(macro(1).KeyCount, 1);
    EXPECT_EQ(keys.entryCount(), 1);
    EXPECT_TRUE(ui.allAnswered());
}

TEST_F(MacroKeyListTest, Navigation)
{
    keys.open();
    EXPECT_EQ(keys.lastMacro(), 1);
    EXPECT_EQ(keys.nextMacro(), 0);
    EXPECT_EQ(keys.prevMacro(), 0);
    set(7, {1});
    set(300, {2});
    EXPECT_EQ(keys.nextMacro(), 7);
    EXPECT_EQ(keys.lastMacro(), 300);
    ASSERT_TRUE(keys.choose(300));
    EXPECT_EQ(keys.nextMacro(), 0);
    EXPECT_EQ(keys.prevMacro(), 7);
    ASSERT_TRUE(keys.choose(5));
    EXPECT_EQ(keys.prevMacro(), 1);
    ASSERT_TRUE(keys.choose(kMacros));
    EXPECT_EQ(keys.nextMacro(), 0);
}

TEST_F(MacroKeyListTest, SpecialValues)
{
    EXPECT_EQ(ReadSpecialValue("0"), 0);
    EXPECT_EQ(ReadSpecialValue("255"), 255);
    EXPECT_EQ(ReadSpecialValue("256"), std::nullopt);
    EXPECT_EQ(ReadSpecialValue("-1"), std::nullopt);
    EXPECT_EQ(ReadSpecialValue(""), std::nullopt);
    EXPECT_EQ(ReadSpecialValue("1.5"), std::nullopt);
}

} // namespace
} // namespace lumora
