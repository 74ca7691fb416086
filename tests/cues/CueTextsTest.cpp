#include "cues/CueTexts.h"

#include <gtest/gtest.h>

#include <optional>

namespace lumora {
namespace {

using Tenths = std::optional<std::uint16_t>;
constexpr Tenths kRefused = std::nullopt;

TEST(CueTexts, TenthsText)
{
    const std::pair<std::uint16_t, const char*> cases[] = {
        {125, "12.5"}, {120, "12"}, {0, "0"}, {1, "0.1"}, {9999, "999.9"}, {30, "3"}, {5, "0.5"},
    };
    for (const auto& [tenths, text] : cases)
        EXPECT_EQ(TenthsText(tenths), text) << tenths;
}

TEST(CueTexts, CueNumberRule)
{
    const std::pair<const char*, Tenths> cases[] = {
        {"0.1", 1},         {"999.9", 9999},     {"7", 70},          {"12.5", 125},        {" 12.5 ", 125},
        {"12.50", 125},     {".5", 5},           {"+3", 30},         {"0", kRefused},      {"0.05", kRefused},
        {"1000", kRefused}, {"12.34", kRefused}, {"", kRefused},     {"abc", kRefused},    {"12,5", kRefused},
        {"1e2", kRefused},  {"inf", kRefused},   {"-1", kRefused},   {"1.2.3", kRefused},  {".", kRefused},
        {"--1", kRefused},  {"+-1", kRefused},   {"0x10", kRefused}, {"999.95", kRefused},
    };
    for (const auto& [text, tenths] : cases)
        EXPECT_EQ(ParseCueNumber(text), tenths) << '"' << text << '"';
}

TEST(CueTexts, TimesLinksAndMacros)
{
    const std::pair<const char*, Tenths> times[] = {
        {"0", 0},       {"999.9", 9999}, {"2.5", 25},        {"12.34", kRefused}, {"1000", kRefused},
        {"", kRefused}, {" ", kRefused}, {"-0.1", kRefused}, {"1,5", kRefused},   {"0.05", kRefused},
    };
    for (const auto& [text, tenths] : times)
        EXPECT_EQ(ParseTime(text), tenths) << '"' << text << '"';

    const std::pair<const char*, Tenths> links[] = {
        {"", 0},         {"0", 0},           {"13", 130},         {"0.1", 1},
        {"999.9", 9999}, {"1000", kRefused}, {"12.34", kRefused}, {"x", kRefused},
    };
    for (const auto& [text, tenths] : links)
        EXPECT_EQ(ParseLink(text), tenths) << '"' << text << '"';

    const std::pair<const char*, Tenths> macros[] = {
        {"", 0},          {"0", 0},           {"1", 1},         {"2500", 2500}, {"2501", kRefused},
        {"-1", kRefused}, {"12.5", kRefused}, {"7x", kRefused},
    };
    for (const auto& [text, number] : macros)
        EXPECT_EQ(ParseMacro(text), number) << '"' << text << '"';

    const std::pair<const char*, std::optional<int>> percents[] = {
        {"0", 0},           {"100", 100},         {"55", 55}, {"101", std::nullopt}, {"50.5", std::nullopt},
        {"", std::nullopt}, {"-1", std::nullopt},
    };
    for (const auto& [text, percent] : percents)
        EXPECT_EQ(ParsePercent(text), percent) << '"' << text << '"';
}

} // namespace
} // namespace lumora
