// lumora-cli's submaster reports: the data files as the editor's dialogs write them, the
// dialogs' refusals as one line, and the PDF.

#include "cli/Cli.h"
#include "cli/CliReports.h"

#include "show/ShowFile.h"
#include "subs/SubReports.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lumora::cli {
namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct TRun {
    int code = -1;
    std::string err;
};

TRun Cli(const std::vector<std::string>& args)
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    TRun run;
    run.code = RunCli(args, in, out, err);
    run.err = err.str();
    return run;
}

class CliSubReportsTest : public ::testing::Test {
protected:
    CliSubReportsTest()
    {
        TEditorState state(ui);
        TSub& a = state.show().sub(2, 3);
        a.SubType = kSubInhibit;
        a.Name = "Blue";
        a.TimeUp = 125;
        a.Levels[0] = 254;
        a.Levels[1] = 128;
        state.show().sub(5, 1).SubType = kSubNormal; // no name: on the list, not among the named
        show = dir.file("subs.lmr");
        SaveShowFile(state, show);
    }

    test::TRecordingUi ui;
    test::TTempDir dir;
    std::string show;
    std::string out = dir.file("out.csv");
};

TEST_F(CliSubReportsTest, DataFilesAsTheDialogsWriteThem)
{
    ASSERT_EQ(Cli({"report", "subs", show, "--page", "2", "--sub", "3", "--channels", "3", "--csv", out}).code,
              kExitOk);
    EXPECT_EQ(ReadAll(out), "2,3,Blue,Inhibit,12.5,0,0,1: 99\r\n"
                            "2,3,Blue,Inhibit,12.5,0,0,2: 50\r\n"
                            "2,3,Blue,Inhibit,12.5,0,0,3: \r\n");

    ASSERT_EQ(Cli({"report", "subs", show, "--csv", out}).code, kExitOk); // all named subs, 512 channels
    const std::string all = ReadAll(out);
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 512);
    EXPECT_EQ(all.rfind("2,3,Blue,Inhibit,12.5,0,0,512: \r\n"), all.size() - 33);

    ASSERT_EQ(Cli({"report", "sub-list", show, "--csv", out}).code, kExitOk);
    EXPECT_EQ(ReadAll(out), "2,3,Blue,Inhibit,12.5,0,0\r\n5,1,,Normal,0,0,0\r\n");
    ASSERT_EQ(Cli({"report", "sub-list", show, "--page", "5", "--csv", out}).code, kExitOk);
    EXPECT_EQ(ReadAll(out), "5,1,,Normal,0,0,0\r\n");
}

TEST_F(CliSubReportsTest, ARefusedChoiceIsTheDialogsMessageAndWritesNothing)
{
    const struct {
        std::vector<std::string> args; // after the show
        std::string message;
    } cases[] = {
        {{"subs", "--page", "13", "--sub", "1"}, kMsgSubsValidPage},
        {{"subs", "--page", "2", "--sub", "25"}, kMsgSubsValidSub},
        {{"subs", "--page", "x", "--sub", "1"}, kMsgSubsValidPage},
        {{"subs", "--page", "2"}, kMsgSubsBothEntries},
        {{"sub-list", "--page", "0"}, kMsgSubsValidPage},
        {{"sub-list", "--page", "twelve"}, kMsgSubsValidPage},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"report", c.args[0], show};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        args.insert(args.end(), {"--csv", out});
        const TRun run = Cli(args);
        EXPECT_EQ(run.code, kExitFailure) << run.err;
        EXPECT_EQ(run.err, "lumora-cli: " + show + ": " + c.message + "\n");
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const TRun run = Cli({"report", "subs", show, "--channels", "513", "--csv", out});
    EXPECT_EQ(run.code, kExitUsage);
    EXPECT_NE(run.err.find("--channels"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
}

#ifdef LUMORA_CLI_PDF
TEST_F(CliSubReportsTest, PdfOfBothReports)
{
    for (const char* report : {"subs", "sub-list"}) {
        const std::string pdf = dir.file(std::string(report) + ".pdf");
        const std::string command = std::string(LUMORA_CLI_PATH) + " report " + report + " '" + show + "' --pdf '" +
                                    pdf + "' 2>'" + dir.file("err.txt") + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << ReadAll(dir.file("err.txt"));
        EXPECT_EQ(ReadAll(pdf).rfind("%PDF", 0), 0u) << report;
    }
}
#endif

} // namespace
} // namespace lumora::cli
