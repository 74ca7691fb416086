// lumora-cli's effect and macro reports: the data files are the editor's for the same
// choices, and refused choices write nothing.

#include "cli/Cli.h"

#include "effects/EffectReports.h"
#include "macros/MacroReports.h"
#include "show/ShowFile.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumora::cli {
namespace {

namespace fs = std::filesystem;

struct TRun {
    int code = -1;
    std::string err;
};

TRun Cli(const std::vector<std::string>& args)
{
    std::istringstream in;
    std::ostringstream out, err;
    TRun run;
    run.code = RunCli(args, in, out, err);
    run.err = err.str();
    return run;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class EffectMacroCliTest : public ::testing::Test {
protected:
    test::TTempDir dir;
    test::TRecordingUi ui;
    std::string show = dir.file("show.lmr");
    std::unique_ptr<TEditorState> state = std::make_unique<TEditorState>(ui);

    void SetUp() override
    {
        TEffect& e = state->show().effect(3);
        e.Name.assign("Wave, slow");
        e.EffectTime = 65;
        e.StepCount = 2;
        e.Entries[0] = {12, 255, 1};
        e.Entries[1] = {1, 128, 2};
        state->show().effect(9).StepCount = 1;
        state->show().effect(9).Entries[0] = {5, 60, 1};
        for (const int n : {10, 12, 2500}) {
            TMacro& m = state->show().macro(n);
            m.Keys = {254, 3, 7, 19};
            m.KeyCount = 3;
        }
        SaveShowFile(*state, show);
        // As the editor holds the show after File > Open.
        state = std::make_unique<TEditorState>(ui);
        state->setAllPresent();
        LoadShowFile(*state, show);
    }

    std::string expected(const std::function<TReportOutcome(const std::string&)>& write)
    {
        const std::string path = dir.file("expected.tmp");
        EXPECT_EQ(write(path), TReportOutcome::Written);
        return ReadAll(path);
    }
};

TEST_F(EffectMacroCliTest, CsvIsTheEditorsDataFile)
{
    const std::string out = dir.file("out.csv");
    const auto& effects = state->show().effects;
    const auto& macros = state->show().macros;
    ASSERT_EQ(Cli({"report", "effects", show, "--csv", out}).code, 0);
    EXPECT_EQ(ReadAll(out), expected([&](auto& p) { return PrintEffectReport(effects, {}, ui, p); }));
    EXPECT_NE(ReadAll(out).find("3,\"Wave, slow\",Forward,6.5,1,12,100\r\n"), std::string::npos);
    ASSERT_EQ(Cli({"report", "effects", show, "--effect", "9", "--csv", out}).code, 0);
    EXPECT_EQ(ReadAll(out), "9,Linear,Forward,0,1,5,23\r\n");

    ASSERT_EQ(Cli({"report", "macros", show, "--csv", out}).code, 0);
    EXPECT_EQ(ReadAll(out), expected([&](auto& p) { return PrintMacroReport(macros, {}, ui, p); }));
    ASSERT_EQ(Cli({"report", "macros", show, "--from", "11", "--to", "2500", "--csv", out}).code, 0);
    EXPECT_EQ(ReadAll(out), expected([&](auto& p) {
                  return PrintMacroReport(macros, {TMacroReportMode::Range, 1, "12", "2500"}, ui, p);
              }));
    ASSERT_EQ(Cli({"report", "macros", show, "--macro", "10", "--csv", out}).code, 0);
    EXPECT_EQ(ReadAll(out).substr(0, 30), "10,1,Load Sub Handle 3 With 7\r");
}

TEST_F(EffectMacroCliTest, RefusedChoicesWriteNothing)
{
    const std::string out = dir.file("out.csv");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string message;
    } cases[] = {
        {{"--from", "10", "--to", "5"}, 1, "The \"To\" macro number needs to be same or larger"},
        {{"--from", "0", "--to", "5"}, 1, "The From/To range number(s) are too small."},
        {{"--from", "1", "--to", "2501"}, 1, "The From/To range number(s) are too large."},
        {{"--from", "1"}, 1, "Unable to read From/To range numbers."},
        {{"--macro", "0"}, 2, "--macro must be 1..2500"},
        {{"--macro", "5", "--from", "1", "--to", "2"}, 2, "--macro cannot be given with --from/--to"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"report", "macros", show};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--csv", out});
        const TRun run = Cli(args);
        EXPECT_EQ(run.code, c.code) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(out)) << c.message;
    }
    const TRun run = Cli({"report", "effects", show, "--effect", "51", "--csv", out});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("--effect must be 1..50"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
} // namespace lumora::cli
