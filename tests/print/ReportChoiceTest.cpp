// Reading report dialogs' entries, and the keep-changes question the editing windows share.

#include "print/ReportChoice.h"
#include "show/KeepChanges.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

using test::TRecordingUi;

TEST(ReadWholeNumber, TakesWholeNumbersOnly)
{
    EXPECT_EQ(ReadWholeNumber("25"), 25);
    EXPECT_EQ(ReadWholeNumber("+7"), 7);
    EXPECT_EQ(ReadWholeNumber("-3"), -3);
    for (const char* text : {"", " 5", "5 ", "5.0", "abc", "12a", "+", "99999999999"})
        EXPECT_FALSE(ReadWholeNumber(text)) << '"' << text << '"';
}

TEST(ReadFromTo, RefusesEachBadRangeWithItsMessage)
{
    struct TCase {
        const char* from;
        const char* to;
        const char* message; // nullptr: accepted
    };
    const std::string order = FromToOrderMessage("macro");
    EXPECT_EQ(order, "The \"To\" macro number needs to be same or larger than the \"From\" macro number.");
    const TCase cases[] = {
        {"1", "2500", nullptr},          {"7", "7", nullptr},
        {"x", "5", kMsgUnreadableRange}, {"1", "", kMsgUnreadableRange},
        {"10", "5", order.c_str()},      {"1", "2501", kMsgRangeTooLarge},
        {"0", "5", kMsgRangeTooSmall},   {"-4", "2", kMsgRangeTooSmall},
    };
    for (const TCase& c : cases) {
        TRecordingUi ui;
        const auto range = ReadFromTo(c.from, c.to, 1, 2500, "macro", ui);
        if (!c.message) {
            ASSERT_TRUE(range) << c.from << ".." << c.to;
            EXPECT_TRUE(ui.messages().empty());
            continue;
        }
        EXPECT_FALSE(range) << c.from << ".." << c.to;
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0], c.message);
        EXPECT_EQ(ui.shown()[0].kind, "error");
    }
}

TEST(AskKeepChanges, YesKeepsWhenTheChecksPassNoDropsCancelStays)
{
    struct TCase {
        bool pending;
        IUserInterface::Answer answer;
        bool checksPass;
        bool goesOn;
        int keeps;
    };
    using A = IUserInterface::Answer;
    const TCase cases[] = {
        {false, A::Yes, true, true, 0}, // nothing to ask
        {true, A::Yes, true, true, 1},  {true, A::Yes, false, false, 1},
        {true, A::No, true, true, 0},   {true, A::Cancel, true, false, 0},
    };
    for (const TCase& c : cases) {
        TRecordingUi ui;
        if (c.pending)
            ui.answer(c.answer);
        int keeps = 0;
        const bool goesOn = AskKeepChanges(ui, c.pending, "Keep?", [&] {
            ++keeps;
            return c.checksPass;
        });
        EXPECT_EQ(goesOn, c.goesOn);
        EXPECT_EQ(keeps, c.keeps);
        EXPECT_TRUE(ui.allAnswered());
        EXPECT_EQ(ui.messages().size(), c.pending ? 1u : 0u);
    }
}

} // namespace
} // namespace lumora
