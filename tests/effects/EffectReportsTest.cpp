// The effect report's data file, byte for byte.

#include "effects/EffectReports.h"

#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumora {
namespace {

using test::TRecordingUi;
using test::TTempDir;

std::string Written(const TEffects& effects, const TEffectReportChoice& choice)
{
    TTempDir temp;
    TRecordingUi ui;
    const std::string path = temp.file("rptEffect.tmp");
    EXPECT_EQ(PrintEffectReport(effects, choice, ui, path), TReportOutcome::Written);
    return ReadReportFile(path).value_or("<unread>");
}

TEST(EffectReport, LinesOfNonZeroLevelsInEntryOrder)
{
    auto effects = std::make_unique<TEffects>();
    ResetAllEffects(*effects);
    TEffect& e = (*effects)[2];
    e.Name.assign("  Wave, slow     ");
    e.EffectType = kEffectRandom;
    e.EffectTime = 65;
    e.StepCount = 2;
    e.Entries[0] = {12, 255, 1};
    e.Entries[1] = {13, 0, 1}; // a stored 0: no line
    e.Entries[2] = {14, 128, 1};
    e.Entries[3] = {1, 1, 2};
    TEffect& blank = (*effects)[4];
    blank.Name.assign(std::string(16, ' '));
    blank.EffectTime = 20;
    blank.StepCount = 1;
    blank.Entries[0] = {512, 51, 1};
    TEffect& zeros = (*effects)[5]; // only zero levels: absent
    zeros.StepCount = 1;
    zeros.Entries[0] = {3, 0, 1};

    EXPECT_EQ(Written(*effects, {}), "3,\"Wave, slow\",Random,6.5,1,12,100\r\n"
                                     "3,\"Wave, slow\",Random,6.5,1,14,50\r\n"
                                     "3,\"Wave, slow\",Random,6.5,2,1,0\r\n"
                                     "5,<Blank>,Forward,2,1,512,20\r\n");
    EXPECT_EQ(Written(*effects, {true, 5}), "5,<Blank>,Forward,2,1,512,20\r\n");
    EXPECT_EQ(Written(*effects, {true, 6}), "");
}

TEST(EffectReport, AFileThatCannotBeWrittenIsSaid)
{
    auto effects = std::make_unique<TEffects>();
    ResetAllEffects(*effects);
    TRecordingUi ui;
    EXPECT_EQ(PrintEffectReport(*effects, {}, ui, "/nonexistent/folder/rptEffect.tmp"), TReportOutcome::WriteFailed);
    ASSERT_EQ(ui.messages().size(), 1u);
}

} // namespace
} // namespace lumora
