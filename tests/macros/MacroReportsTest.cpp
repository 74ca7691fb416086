// The macro report's data file, byte for byte, and its range checks.

#include "macros/MacroReports.h"

#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumora {
namespace {

using test::TRecordingUi;
using test::TTempDir;

class MacroReportTest : public ::testing::Test {
protected:
    std::unique_ptr<TMacros> macros = std::make_unique<TMacros>();
    TTempDir temp;
    TRecordingUi ui;

    void set(int n, std::initializer_list<std::uint8_t> bytes)
    {
        TMacro& m = (*macros)[n - 1];
        ResetMacro(m);
        int p = 0;
        for (const std::uint8_t b : bytes) {
            m.Keys[p++] = b;
            m.KeyCount += b != 0 ? 1 : 0;
        }
    }
    std::string print(const TMacroReportChoice& choice, TReportOutcome expected = TReportOutcome::Written)
    {
        const std::string path = temp.file("rptmacro.tmp");
        std::filesystem::remove(path);
        EXPECT_EQ(PrintMacroReport(*macros, choice, ui, path), expected);
        return ReadReportFile(path).value_or("<none>");
    }
    static std::string Lines(int macro, int from, int to)
    {
        std::string text;
        for (int k = from; k <= to; ++k)
            text += std::to_string(macro) + "," + std::to_string(k) + ",\r\n";
        return text;
    }
};

TEST_F(MacroReportTest, ASubHandleThenAKeyThenEmptyPositions)
{
    set(4, {254, 3, 7, 19});
    const std::string expected = "4,1,Load Sub Handle 3 With 7\r\n4,2,RECORD\r\n" + Lines(4, 3, 18);
    EXPECT_EQ(print({TMacroReportMode::All}), expected);
}

TEST_F(MacroReportTest, UnreadablePositionsPrintTheirOwnName)
{
    std::initializer_list<std::uint8_t> bytes = {9, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 252, 254};
    set(2, bytes);
    const std::string expected = "2,1,<undefined>\r\n2,2,EMPTYEND\r\n" + Lines(2, 3, 18) + "2,19,Run Position 254\r\n";
    EXPECT_EQ(print({TMacroReportMode::Current, 2}), expected);
    set(2, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 254, 253});
    EXPECT_EQ(print({TMacroReportMode::Current, 2}), Lines(2, 1, 18) + "2,19,<undefined>\r\n2,20,<undefined>\r\n");
}

TEST_F(MacroReportTest, EmptyMacrosGiveNoLinesAndRangesAreChecked)
{
    set(10, {1});
    set(12, {2});
    EXPECT_EQ(print({TMacroReportMode::Current, 11}), "");
    EXPECT_EQ(print({TMacroReportMode::Range, 1, "11", "12"}), "12,1,AB STOP/REV\r\n" + Lines(12, 2, 20));

    struct Case {
        const char* from;
        const char* to;
        const char* message;
    };
    const Case cases[] = {
        {"10", "5", "The \"To\" macro number needs to be same or larger than the \"From\" macro number."},
        {"1", "2501", "The From/To range number(s) are too large."},
        {"0", "5", "The From/To range number(s) are too small."},
        {"-3", "5", "The From/To range number(s) are too small."},
        {"a", "5", "Unable to read From/To range numbers."},
        {"", "", "Unable to read From/To range numbers."},
    };
    for (const Case& c : cases) {
        ui.clear();
        EXPECT_EQ(print({TMacroReportMode::Range, 1, c.from, c.to}, TReportOutcome::Refused), "<none>");
        EXPECT_EQ(ui.messages(), std::vector<std::string>{c.message}) << c.from << ".." << c.to;
    }
}

} // namespace
} // namespace lumora
