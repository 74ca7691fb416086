// lumora-cli's patch and profile reports: the data as the editor makes it for the same
// choices, the refusals of their dialogs, usage errors and the PDF's pages.

#include "cli/Cli.h"

#include "patch/PatchReports.h"
#include "show/ShowFile.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace lumora::cli {
namespace {

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

class CliPatchReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TEditorState state(ui);
        state.show().patch(2).dimmer(3) = {0x0FFF, 30, 2, true, true}; // parked
        state.show().patch(2).dimmer(4) = {9, 45, 7, false, true};
        state.show().profile(9).name = "";
        state.show().profile(3).name = "Same";
        state.show().profile(4).name = "Same";
        show = dir.file("show.lmr");
        SaveShowFile(state, show);
        loaded = std::make_unique<TEditorState>(ui);
        loaded->setAllPresent();
        LoadShowFile(*loaded, show);
    }
    std::string csvOf(const std::vector<TReportRow>& rows) { return CsvText(rows); }

    test::TRecordingUi ui;
    test::TTempDir dir;
    std::string show;
    std::unique_ptr<TEditorState> loaded;
};

TEST_F(CliPatchReportTest, CsvAsTheEditorMakesIt)
{
    const TPatches& p = loaded->show().patches;
    const TProfiles& f = loaded->show().profiles;
    const struct {
        std::vector<std::string> options;
        std::string expected;
    } cases[] = {
        {{"patch"}, csvOf(PatchReportRows(p, true, false, 1024))},
        {{"patch", "--pages", "2", "--through", "10"}, csvOf(PatchReportRows(p, false, true, 10))},
        {{"patch", "--pages", "1,2", "--through", "3"}, csvOf(PatchReportRows(p, true, true, 3))},
        {{"profiles"}, csvOf(ProfileReportRecords(f, 1, 25))},
        {{"profiles", "--profile", "9"}, csvOf(ProfileReportRecords(f, 9, 9))},
        {{"profiles", "--from", "3", "--to", "4"}, csvOf(ProfileReportRecords(f, 3, 4))},
    };
    for (const auto& c : cases) {
        const std::string out = dir.file("out.csv");
        std::vector<std::string> args{"report", c.options[0], show};
        args.insert(args.end(), c.options.begin() + 1, c.options.end());
        args.insert(args.end(), {"--csv", out});
        const TRun run = Cli(args);
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(ReadAll(out), c.expected) << c.options.size();
    }
    // The edge cases, byte for byte.
    const std::string out = dir.file("p2.csv");
    ASSERT_EQ(Cli({"report", "patch", show, "--pages", "2", "--through", "4", "--csv", out}).code, 0);
    EXPECT_EQ(ReadAll(out), "2,1,1,100,,0,\r\n2,2,2,100,,0,\r\n2,3,0,30,,2,P\r\n2,4,9,45,ND,7,\r\n");
    ASSERT_EQ(Cli({"report", "profiles", show, "--profile", "9", "--csv", out}).code, 0);
    const std::string records = ReadAll(out);
    EXPECT_EQ(std::count(records.begin(), records.end(), '\n'), 16);
    EXPECT_EQ(records.substr(0, 20), "Profile 9,0,1,2,3,4,");
    EXPECT_NE(records.find("\r\nProfile 9,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,16,17,"), std::string::npos);
}

TEST_F(CliPatchReportTest, RefusalsAndUsage)
{
    const std::string out = dir.file("out.csv");
    const struct {
        std::vector<std::string> options;
        int code;
        std::string message; // after "lumora-cli: show: " for refusals
    } cases[] = {
        {{"patch", "--through", "0"}, 1, "Please enter a valid dimmer # between 1 and 1024."},
        {{"patch", "--through", "x"}, 1, "Please enter a valid Dimmer #."},
        {{"profiles", "--from", "0", "--to", "3"}, 1, "The From/To range number(s) are too small."},
        {{"profiles", "--from", "5", "--to", "3"},
         1,
         "The \"To\" Profile number needs to be same or larger than the \"From\" Profile number."},
        {{"profiles", "--from", "5"}, 1, "Unable to read From/To range numbers."},
        {{"profiles", "--from", "1", "--to", "26"}, 1, "The From/To range number(s) are too large."},
        {{"patch", "--pages", "3"}, 2, ""},
        {{"profiles", "--profile", "26"}, 2, ""},
        {{"profiles", "--profile", "2", "--from", "1"}, 2, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"report", c.options[0], show};
        args.insert(args.end(), c.options.begin() + 1, c.options.end());
        args.insert(args.end(), {"--csv", out});
        const TRun run = Cli(args);
        EXPECT_EQ(run.code, c.code) << c.options[1] << " " << run.err;
        if (c.code == 1) {
            EXPECT_EQ(run.err, "lumora-cli: " + show + ": " + c.message + "\n");
        }
        EXPECT_FALSE(std::filesystem::exists(out)) << c.options[1];
    }
}

#ifdef LUMORA_CLI_PDF
int RunProgram(const std::vector<std::string>& args, const std::string& errFile)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(LUMORA_CLI_PATH)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(LUMORA_CLI_PATH, argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int PdfPageCount(const std::string& pdf)
{
    static const std::regex kPage(R"(/Type\s*/Page[^s])");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), kPage), std::sregex_iterator()));
}

TEST_F(CliPatchReportTest, PdfPages)
{
    const std::string err = dir.file("err.txt");
    const struct {
        std::vector<std::string> options;
        int pages;
    } cases[] = {
        {{"profiles"}, 25}, // one page each, "Same" twice included
        {{"profiles", "--from", "3", "--to", "4"}, 2},
        {{"patch", "--through", "10"}, 1},
    };
    for (const auto& c : cases) {
        const std::string out = dir.file("out.pdf");
        std::vector<std::string> args{"report", c.options[0], show};
        args.insert(args.end(), c.options.begin() + 1, c.options.end());
        args.insert(args.end(), {"--pdf", out});
        ASSERT_EQ(RunProgram(args, err), 0) << ReadAll(err);
        const std::string pdf = ReadAll(out);
        EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
        EXPECT_EQ(PdfPageCount(pdf), c.pages) << c.options.size();
    }
}
#endif

} // namespace
} // namespace lumora::cli
