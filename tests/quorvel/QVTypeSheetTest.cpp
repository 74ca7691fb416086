#include "quorvel/QVTypeSheet.h"

#include "QVSheetFixtures.h"
#include "quorvel/QVTypeFile.h"
#include "show/SafeFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lumora::test {
namespace {

using Col = TQvTypeColumn;
using Answer = IUserInterface::Answer;

class QVTypeSheetTest : public ::testing::Test {
protected:
    TQvFixture f;
    TQVTypeSheet sheet{f.state};
    TTempDir temp;

    void SetUp() override
    {
        f.type(2, "Spot", {"Pan:16", "Tilt", "Gobo"});
        f.q().type(2).mastering[1] = 2;
        f.q().type(2).source[2] = 12;
        f.q().type(2).source[0] = 3;
        sheet.open();
    }
    void writeBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
};

TEST_F(QVTypeSheetTest, ShowsTheTypeAndStoresItsNamePaddedOnTheLeft)
{
    ASSERT_TRUE(sheet.move(+1)); // nothing changed: no question asked
    EXPECT_TRUE(f.ui.messages().empty());
    EXPECT_EQ(sheet.caption(), "Type # 2");
    EXPECT_EQ(sheet.name(), "Spot");
    EXPECT_EQ(sheet.cellText(1, Col::Width), "16 Bit");
    EXPECT_EQ(sheet.cellText(2, Col::Mastering), "Inverted");
    EXPECT_EQ(sheet.cellText(3, Col::Source), "B Page 2");
    EXPECT_EQ(sheet.cellText(1, Col::Source), "A"); // the first page's letter alone
    EXPECT_EQ(sheet.cellText(39, Col::Attribute), "39");

    sheet.setName("Spot");
    EXPECT_FALSE(sheet.changed()); // the same text is no change
    sheet.setName("Wash");
    sheet.store();
    EXPECT_EQ(f.q().type(2).name, "            Wash");
    EXPECT_EQ(f.state.globals.showChanged, 1);
    EXPECT_TRUE(f.ui.messages().empty());
}

TEST_F(QVTypeSheetTest, MenusAndDoubleClicksChangeCells)
{
    sheet.chooseSource(4, 4); // "B Page 1"
    EXPECT_EQ(sheet.cellText(4, Col::Source), "B");
    sheet.chooseSource(4, 12);
    EXPECT_EQ(sheet.cellText(4, Col::Source), "B Page 2");
    sheet.chooseSource(4, 0);
    EXPECT_EQ(sheet.cellText(4, Col::Source), "");

    for (const char* expected : {"Straight", "Inverted", ""}) {
        sheet.doubleClick(5, Col::Mastering);
        EXPECT_EQ(sheet.cellText(5, Col::Mastering), expected);
    }
    EXPECT_FALSE(sheet.widthChanged());
    sheet.chooseWidth(5, 0); // already 8 bit
    EXPECT_FALSE(sheet.widthChanged());
    sheet.doubleClick(5, Col::Width);
    EXPECT_EQ(sheet.cellText(5, Col::Width), "16 Bit");
    EXPECT_TRUE(sheet.widthChanged());
    EXPECT_TRUE(sheet.changed());
    sheet.store();
    EXPECT_EQ(f.q().type(1).width[4], 1);
}

TEST_F(QVTypeSheetTest, InUseWarningOnlyAfterAWidthChangeOfATypeAPositionUses)
{
    f.device(7, "Mover", 2, 10);
    f.slot(57, 20, 7);
    f.ui.answer(Answer::Yes);
    sheet.editAttributeName(1, "Dim"); // a change, but no width
    ASSERT_TRUE(sheet.move(+1));       // stores type 1: not in use
    sheet.chooseMastering(1, 1);
    sheet.store();
    EXPECT_EQ(f.ui.messages().size(), 1u); // the question only
    sheet.chooseWidth(1, 0);
    sheet.store();
    ASSERT_EQ(f.ui.messages().size(), 2u);
    EXPECT_EQ(f.ui.messages().back(), kMsgQvTypeInUse);
    EXPECT_EQ(f.ui.shown().back().kind, "warning");
}

TEST_F(QVTypeSheetTest, MovingAsksAndCancelStays)
{
    sheet.setName("X");
    f.ui.answer(Answer::Cancel);
    EXPECT_FALSE(sheet.move(+1));
    EXPECT_EQ(sheet.currentType(), 1);
    f.ui.answer(Answer::No);
    EXPECT_TRUE(sheet.move(+1));
    EXPECT_EQ(sheet.currentType(), 2);
    EXPECT_TRUE(f.q().type(1).name.empty());
    EXPECT_FALSE(sheet.move(-2)); // no type 0
    EXPECT_EQ(sheet.importTitle(), "Overwrite Type \"Spot\"?");
    sheet.setName("");
    EXPECT_EQ(sheet.importTitle(), "Overwrite Type # 2?");
}

TEST_F(QVTypeSheetTest, SavedFileImportsIntoAnotherTypeByteForByte)
{
    sheet.move(+1); // type 2, unchanged: the show's record is written
    const std::string path = temp.file("spot.qvt");
    ASSERT_TRUE(sheet.saveFile(path));
    const auto written = ReadFileHead(path, 1000);
    ASSERT_TRUE(written);
    const auto expected = EncodeQvTypeRecord(f.q().type(2));
    EXPECT_EQ(*written, std::vector<std::uint8_t>(expected.begin(), expected.end()));

    sheet.chooseWidth(2, 1); // unkept edits are saved, the show stays
    ASSERT_TRUE(sheet.saveFile(path));
    EXPECT_EQ(ReadQvTypeFile(path)->width[1], 1);
    EXPECT_EQ(f.q().type(2).width[1], 0);

    f.ui.answer(Answer::No);
    sheet.move(+1);
    ASSERT_TRUE(sheet.importFile(path));
    EXPECT_EQ(sheet.name(), "Spot");
    EXPECT_TRUE(f.q().type(3).name.empty()); // not yet in the show
    sheet.store();
    EXPECT_EQ(EncodeQvTypeRecord(f.q().type(3)), EncodeQvTypeRecord(sheet.recordToSave()));
    EXPECT_EQ(f.q().type(3).attrNames, f.q().type(2).attrNames);
}

TEST_F(QVTypeSheetTest, DamagedFilesAreRefusedWithNothingChanged)
{
    const auto record = EncodeQvTypeRecord(f.q().type(2));
    const std::string good(record.begin(), record.end());
    struct TCase {
        const char* what;
        std::string bytes;
    };
    std::vector<TCase> cases = {{"short", good.substr(0, 484)}, {"long", good + "x"}, {"empty", ""}};
    for (auto [offset, value] : {std::pair{0, 17}, {17, 9}, {368, 27}, {407, 2}, {446, 3}}) {
        std::string bad = good;
        bad[offset] = static_cast<char>(value);
        cases.push_back({"field out of range", bad});
    }
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        f.ui.clear();
        const std::string path = temp.file("bad.qvt");
        writeBytes(path, c.bytes);
        EXPECT_FALSE(sheet.importFile(path));
        EXPECT_EQ(f.ui.messages(), std::vector<std::string>{kMsgErrorImportingQvt});
        EXPECT_FALSE(sheet.changed());
        EXPECT_EQ(sheet.name(), "");
    }
    EXPECT_FALSE(sheet.importFile(temp.file("missing.qvt")));
    EXPECT_FALSE(sheet.saveFile(temp.file("no/such/folder/x.qvt")));
    EXPECT_EQ(f.ui.messages().back(), kMsgErrorSavingQvt);
    EXPECT_FALSE(TQVTypeSheet::usableFileName("/a/b/.qvt"));
    EXPECT_TRUE(TQVTypeSheet::usableFileName("/a/b/x.qvt"));
}

} // namespace
} // namespace lumora::test
