#include "cli/CliReports.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lumora::cli {
namespace {

// The value an option reader gives for one typed value, or nothing when it refuses it.
template <typename F> std::optional<int> Read(F&& reader, const char* option, const char* typed)
{
    TReportOptions options;
    if (typed != nullptr)
        options[option] = typed;
    try {
        return reader(options);
    } catch (const EUsageError&) {
        return std::nullopt;
    }
}

TEST(CliReportOptions, ChannelsAsTheDialogOffersThem)
{
    auto channels = [](const TReportOptions& o) { return ChannelsOption(o); };
    const struct {
        const char* typed;
        std::optional<int> value;
    } cases[] = {{nullptr, 25},        {"all", 512},          {"1", 1},
                 {"512", 512},         {"0", std::nullopt},   {"513", std::nullopt},
                 {"-3", std::nullopt}, {"12x", std::nullopt}, {"", std::nullopt},
                 {"ALL", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(Read(channels, "--channels", c.typed), c.value) << (c.typed ? c.typed : "(none)");
}

TEST(CliReportOptions, CueNumberInTenths)
{
    auto cue = [](const TReportOptions& o) { return static_cast<int>(CueNumberOption(o)); };
    const struct {
        const char* typed;
        std::optional<int> tenths;
    } cases[] = {{"12.5", 125},
                 {"1", 10},
                 {"0.1", 1},
                 {"999.9", 9999},
                 {"0", std::nullopt},
                 {"1000", std::nullopt},
                 {"2.35", std::nullopt},
                 {"2.", std::nullopt},
                 {".5", std::nullopt},
                 {"-1", std::nullopt},
                 {nullptr, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(Read(cue, "--cue", c.typed), c.tenths) << (c.typed ? c.typed : "(none)");
}

TEST(CliReportOptions, NoReportUnderAnUnknownName)
{
    EXPECT_EQ(FindCliReport("no-such-report"), nullptr);
    for (const TCliReport& report : CliReports())
        EXPECT_EQ(FindCliReport(report.name), &report);
}

} // namespace
} // namespace lumora::cli
