#include "show/ValueHelpers.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(ValueHelpers, FormatTenths)
{
    const std::pair<double, const char*> cases[] = {
        {2.5, "2.5"}, {3.0, "3"}, {0, "0"}, {12.0, "12"}, {0.5, "0.5"}, {10, "10"}, {999.9, "999.9"}, {0.1, "0.1"},
    };
    for (const auto& [x, text] : cases)
        EXPECT_EQ(FormatTenths(x), text) << x;
}

TEST(ValueHelpers, IsTenths)
{
    const std::pair<double, bool> cases[] = {
        {0, true}, {0.1, true}, {2.3, true}, {999.9, true}, {12, true}, {2.35, false}, {0.05, false}, {0.01, false},
    };
    for (const auto& [x, ok] : cases)
        EXPECT_EQ(IsTenths(x), ok) << x;
}

TEST(ValueHelpers, BlankIfZeroLead)
{
    EXPECT_EQ(BlankIfZeroLead("0"), "");
    EXPECT_EQ(BlankIfZeroLead("05"), "");
    EXPECT_EQ(BlankIfZeroLead("25"), "25");
    EXPECT_EQ(BlankIfZeroLead(""), "");
}

TEST(ValueHelpers, PaddingNeverCuts)
{
    EXPECT_EQ(PadRight16(""), std::string(16, ' '));
    EXPECT_EQ(PadRight16("abcdefghijklmnopqrst"), "abcdefghijklmnopqrst");
    EXPECT_EQ(PadRight8("Pan"), "Pan     ");
    EXPECT_EQ(PadLeft16("Spot"), std::string(12, ' ') + "Spot");
    EXPECT_EQ(PadLeft16(std::string(17, 'x')), std::string(17, 'x'));
}

TEST(LevelTable, KnownValues)
{
    EXPECT_EQ(LevelToPercent(0), 0);
    EXPECT_EQ(LevelToPercent(1), 0);
    EXPECT_EQ(LevelToPercent(2), 1);
    EXPECT_EQ(LevelToPercent(128), 50);
    EXPECT_EQ(LevelToPercent(254), 100);
    EXPECT_EQ(LevelToPercent(255), 100);
    const std::pair<int, int> toLevel[] = {{0, 0}, {100, 255}, {1, 3}, {2, 5}, {50, 128}, {99, 253}};
    for (const auto& [percent, level] : toLevel)
        EXPECT_EQ(PercentToLevel(percent), level) << percent;
}

TEST(LevelTable, EveryPercentComesBack)
{
    for (int p = 0; p <= 100; ++p)
        EXPECT_EQ(LevelToPercent(PercentToLevel(p)), p) << p;
}

} // namespace
} // namespace lumora
