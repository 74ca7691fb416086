#include "cli/CliReports.h"

#include "cli/Cli.h"
#include "cli/CliPdf.h"

#include "show/ShowFile.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

// ---- Reports of a show file

namespace fs = std::filesystem;

struct TRun {
    int code = -1;
    std::string out;
    std::string err;
};

TRun Cli(const std::vector<std::string>& args)
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    TRun run;
    run.code = RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::vector<std::string> FilesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs the program itself with its streams in files and, when fileLimit is given, no
// file of it growing past that many bytes (as on a full disk: writes fail with EFBIG).
int RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& errFile,
               std::optional<rlim_t> fileLimit = std::nullopt)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int null = ::open("/dev/null", O_RDWR);
        if (err < 0 || null < 0)
            ::_exit(127);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(err, 2);
        if (fileLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*fileLimit, *fileLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// 45 cues of every type: names a data file must quote, numbers with and without tenths,
// levels that track in and levels that are hard.
void FillCues(TCueList& cues)
{
    constexpr int kCues = 45;
    for (int k = 1; k <= kCues; ++k) {
        TCueRecord& cue = cues.cue(k);
        cue.number = static_cast<std::uint16_t>(k == 13 ? 125 : k * 10);
        cue.type = static_cast<std::uint8_t>(k % 5);
        cue.name = k == 3 ? "Sunrise, warm" : k == 4 ? "The \"big\" look" : "Look " + std::to_string(k);
        cue.timeUp = static_cast<std::uint16_t>(k * 3);
        cue.timeDown = static_cast<std::uint16_t>(k * 7 % 100);
        cue.delayUp = static_cast<std::uint16_t>(k % 4 == 0 ? 15 : 0);
        cue.delayDown = static_cast<std::uint16_t>(k % 6);
        cue.link = static_cast<std::uint16_t>(k == 10 ? 30 : 0);
        cue.macro = static_cast<std::uint16_t>(k == 7 ? 2500 : 0);
        for (int c = 1; c <= kChannels; ++c) {
            cue.levels[c - 1] = (c + k) % 4 == 0 ? 0 : static_cast<std::uint8_t>((k * 7 + c * 13) % 256);
            TCueList::SetHard(cue, c, c % 3 == 0);
        }
    }
    cues.count = kCues;
    cues.current = 1;
}

class CliReportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new test::TTempDir;
        test::TRecordingUi ui;
        {
            TEditorState state(ui);
            FillCues(state.show().cueList);
            s_show = s_dir->file("cues.lmr");
            SaveShowFile(state, s_show);
        }
        {
            TEditorState state(ui);
            s_empty = s_dir->file("empty.lmr");
            SaveShowFile(state, s_empty);
        }
        // The cues as File > Open gives them to the editor's reports.
        TEditorState state(ui);
        state.setAllPresent();
        LoadShowFile(state, s_show);
        s_cues = new TCueList(state.show().cueList);
    }
    static void TearDownTestSuite()
    {
        delete s_cues;
        delete s_dir;
    }

    // The bytes a core writer gives for the show's cues.
    std::string Expected(const std::function<bool(const TCueList&, const std::string&)>& writer)
    {
        const std::string path = expectedDir.file("expected.csv");
        EXPECT_TRUE(writer(*s_cues, path));
        return ReadAll(path);
    }

    test::TTempDir dir;         // the outputs: nothing else may appear in it
    test::TTempDir expectedDir; // the core writers' files

    static test::TTempDir* s_dir;
    static std::string s_show;
    static std::string s_empty;
    static TCueList* s_cues;
};

test::TTempDir* CliReportTest::s_dir = nullptr;
std::string CliReportTest::s_show;
std::string CliReportTest::s_empty;
TCueList* CliReportTest::s_cues = nullptr;

TEST_F(CliReportTest, CsvIsTheEditorsDataFileForTheSameChoices)
{
    using TWriter = std::function<bool(const TCueList&, const std::string&)>;
    auto levels = [](int row, int limit) -> TWriter {
        return [=](const TCueList& c, const std::string& p) { return WriteCueLevelsReport(c.cue(row), limit, p); };
    };
    auto track = [](int limit) -> TWriter {
        return [=](const TCueList& c, const std::string& p) { return WriteTrackReport(c, limit, p); };
    };
    const struct {
        std::vector<std::string> args; // after the show
        TWriter writer;
    } cases[] = {
        {{"cue-list"}, [](const TCueList& c, const std::string& p) { return WriteCueListReport(c, p); }},
        {{"cue-levels", "--cue", "12.5"}, levels(13, 512)}, // the dialog starts with all channels
        {{"cue-levels", "--cue", "3", "--channels", "45"}, levels(3, 45)},
        {{"cue-levels", "--cue=45", "--channels", "all"}, levels(45, 512)},
        {{"cue-levels", "--cue", "1", "--channels", "512"}, levels(1, 512)},
        {{"track"}, track(25)}, // the dialog starts with 25
        {{"track", "--channels", "60"}, track(60)},
        {{"track", "--channels", "1"}, track(1)},
        {{"track", "--channels", "all"}, track(512)},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"report", c.args[0], s_show};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        args.insert(args.end(), {"--csv", dir.file("out.csv")});
        const TRun run = Cli(args);
        ASSERT_EQ(run.code, 0) << c.args[0] << ": " << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, "");
        const std::string expected = Expected(c.writer);
        EXPECT_TRUE(ReadAll(dir.file("out.csv")) == expected) << c.args[0] << " " << c.args.size();
        EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"out.csv"});
    }
    // The show holds what the files must get right: quoted names, tracked levels.
    EXPECT_NE(Expected(cases[0].writer).find("\"Sunrise, warm\""), std::string::npos);
    EXPECT_NE(Expected(cases[0].writer).find("\"The \"\"big\"\" look\""), std::string::npos);
    EXPECT_NE(Expected(cases[5].writer).find(" t,"), std::string::npos);
}

TEST_F(CliReportTest, CommandLinesItDoesNotTakePrintUsage)
{
    const std::string out = dir.file("out.csv");
    const std::vector<std::vector<std::string>> cases = {
        {"report", "cue-levels", s_show, "--cue", "0", "--csv", out},
        {"report", "cue-levels", s_show, "--cue", "1000", "--csv", out},
        {"report", "cue-levels", s_show, "--cue", "2.25", "--csv", out},
        {"report", "cue-levels", s_show, "--csv", out},
        {"report", "cue-levels", s_show, "--cue", "1", "--channels", "513", "--csv", out},
        {"report", "track", s_show, "--channels", "513", "--csv", out},
        {"report", "track", s_show, "--channels", "0", "--csv", out},
        {"report", "track", s_show, "--channels", "twelve", "--csv", out},
        {"report", "track", s_show},
        {"report", "track", s_show, "--csv", out, "--pdf", dir.file("out.pdf")},
        {"report", "track", s_show, "--csv", ""},
        {"report", "track", s_show, "--csv"},
        {"report", "track", s_show, s_show, "--csv", out},
        {"report", "track", "--csv", out},
        {"report", "cue-list", s_show, "--channels", "5", "--csv", out},
        {"report", "cue-list", s_show, "--cue", "1", "--csv", out},
        {"report", "cues", s_show, "--csv", out},
        // The options are read before the show: a bad one is a usage error whatever the file.
        {"report", "track", dir.file("missing.lmr"), "--channels", "513", "--csv", out},
    };
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        const TRun run = Cli(args);
        EXPECT_EQ(run.code, kExitUsage) << shown << run.err;
        EXPECT_EQ(run.err.rfind("lumora-cli: ", 0), 0u) << shown;
        EXPECT_NE(run.err.find("\n" + UsageText()), std::string::npos) << shown;
        EXPECT_EQ(run.out, "") << shown;
    }
    EXPECT_TRUE(FilesIn(dir.path()).empty());

    // Usage lists every report with its options and what it prints by default.
    const std::string usage = UsageText();
    for (const TCliReport& report : CliReports())
        EXPECT_NE(usage.find("  " + std::string(report.name) + (report.usage.empty() ? "\n" : " ")), std::string::npos)
            << report.name;
    EXPECT_NE(usage.find("  track [--channels N]\n      25 channels unless --channels is given\n"), std::string::npos);
}

TEST_F(CliReportTest, ARefusalIsOneLineAndLeavesTheOutputAsItWas)
{
    const std::string out = dir.file("out.csv");
    const std::string nothing = std::string(kMsgNothingToPrint);
    const struct {
        std::vector<std::string> args;
        std::string line; // standard error, whole
    } cases[] = {
        {{"report", "cue-list", s_empty, "--csv", out}, "lumora-cli: " + s_empty + ": " + nothing + "\n"},
        {{"report", "track", s_empty, "--csv", out}, "lumora-cli: " + s_empty + ": " + nothing + "\n"},
        {{"report", "cue-levels", s_empty, "--cue", "1", "--pdf", out},
         "lumora-cli: " + s_empty + ": " + nothing + "\n"},
        {{"report", "cue-levels", s_show, "--cue", "12.4", "--csv", out},
         "lumora-cli: " + s_show + ": no cue 12.4 in the cue list\n"},
        {{"report", "cue-levels", s_show, "--cue", "460", "--csv", out},
         "lumora-cli: " + s_show + ": no cue 460 in the cue list\n"},
        {{"report", "cue-list", dir.file("missing.lmr"), "--csv", out}, ""}, // the show's own message
    };
    for (const auto& c : cases) {
        WriteAll(out, "the report before\n");
        const TRun run = Cli(c.args);
        EXPECT_EQ(run.code, kExitFailure) << c.args[1] << ": " << run.err;
        if (!c.line.empty()) {
            EXPECT_EQ(run.err, c.line);
        }
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(ReadAll(out), "the report before\n");
        EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"out.csv"});
    }

    // An output that cannot be made says why, and creates nothing.
    const std::string nowhere = dir.file("no-folder") + "/out.csv";
    const TRun run = Cli({"report", "track", s_show, "--csv", nowhere});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "lumora-cli: " + nowhere + ": cannot be written (No such file or directory)\n");
}

TEST_F(CliReportTest, AWriteThatFailsPartWayLeavesNoPartialOutput)
{
    // Limited to fewer bytes than the output needs, but more than the error line does.
    const std::string out = dir.file("out.csv");
    const std::string err = expectedDir.file("err.txt");
    const std::string full =
        Expected([](const TCueList& c, const std::string& p) { return WriteTrackReport(c, 512, p); });
    ASSERT_GT(full.size(), 20'000u);
    WriteAll(out, "the report before\n");
    const int code = RunProgram(LUMORA_CLI_PATH, {"report", "track", s_show, "--channels", "all", "--csv", out}, err,
                                full.size() / 2);
    EXPECT_EQ(code, kExitFailure);
    // The data file is the first to fail: the core's Print says no more than that.
    const char* tmp = std::getenv("TMPDIR");
    EXPECT_EQ(ReadAll(err), "lumora-cli: " + out + ": the report's data file could not be written in " +
                                (tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "\n");
    EXPECT_EQ(ReadAll(out), "the report before\n");
    EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"out.csv"});
}

// lumora-cli without its report module beside it (as in a build without the editor).
TEST_F(CliReportTest, PdfWithoutTheReportModuleIsOneClearLine)
{
    const std::string alone = expectedDir.file("lumora-cli");
    fs::copy_file(LUMORA_CLI_PATH, alone);
    fs::permissions(alone, fs::perms::owner_all);
    const std::string out = dir.file("out.pdf");
    const std::string err = expectedDir.file("err.txt");
    WriteAll(out, "the report before\n");
    EXPECT_EQ(RunProgram(alone, {"report", "track", s_show, "--pdf", out}, err), kExitFailure);
    EXPECT_EQ(ReadAll(err), "lumora-cli: " + out + ": PDF output needs the report module " +
                                expectedDir.file(kPdfModuleFile) + ", installed with the editor (" +
                                expectedDir.file(kPdfModuleFile) +
                                ": cannot open shared object file: No such file or directory)\n");
    EXPECT_EQ(ReadAll(out), "the report before\n");
    EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"out.pdf"});

    // The CSV needs no module.
    EXPECT_EQ(RunProgram(alone, {"report", "track", s_show, "--csv", dir.file("out.csv")}, err), kExitOk);
    EXPECT_TRUE(ReadAll(dir.file("out.csv")) ==
                Expected([](const TCueList& c, const std::string& p) { return WriteTrackReport(c, 25, p); }));
}

#ifdef LUMORA_CLI_PDF
// The pages of a PDF: its page objects (not the page tree, "/Type /Pages").
int PdfPageCount(const std::string& pdf)
{
    static const std::regex kPage(R"(/Type\s*/Page[^s])");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), kPage), std::sregex_iterator()));
}

TEST_F(CliReportTest, PdfHasTheReportsPages)
{
    const std::string err = expectedDir.file("err.txt");
    const struct {
        std::vector<std::string> args; // after the show
        int pages;
    } cases[] = {
        {{"track"}, 2}, // 45 cues: two blocks of 30 by one block of 25 channels
        {{"track", "--channels", "26"}, 4},
        {{"track", "--channels", "all"}, 2 * 21},
        {{"cue-list"}, 1},
        {{"cue-levels", "--cue", "12.5"}, 1}, // 26 blocks of 20 channels fit one page
        {{"cue-levels", "--cue", "12.5", "--channels", "20"}, 1},
    };
    ASSERT_EQ(TrackReportPages(*s_cues, 25), 2);
    for (const auto& c : cases) {
        const std::string out = dir.file("out.pdf");
        std::vector<std::string> args{"report", c.args[0], s_show};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        args.insert(args.end(), {"--pdf", out});
        ASSERT_EQ(RunProgram(LUMORA_CLI_PATH, args, err), kExitOk) << ReadAll(err);
        EXPECT_EQ(ReadAll(err), ""); // Qt's own chatter stays out of the program's streams
        const std::string pdf = ReadAll(out);
        EXPECT_EQ(pdf.rfind("%PDF", 0), 0u) << c.args[0];
        EXPECT_EQ(PdfPageCount(pdf), c.pages) << c.args[0] << " " << c.args.size();
        EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
        EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"out.pdf"});
    }
}

TEST_F(CliReportTest, APdfThatCannotBeWrittenLeavesTheOldFile)
{
    const std::string out = dir.file("out.pdf");
    const std::string err = expectedDir.file("err.txt");
    ASSERT_EQ(RunProgram(LUMORA_CLI_PATH, {"report", "track", s_show, "--pdf", out}, err), kExitOk) << ReadAll(err);
    const std::size_t size = ReadAll(out).size();
    // The data file (a few kilobytes) still fits; the PDF does not.
    ASSERT_LT(Expected([](const TCueList& c, const std::string& p) { return WriteTrackReport(c, 25, p); }).size(),
              size / 2);

    WriteAll(out, "the report before\n");
    EXPECT_EQ(RunProgram(LUMORA_CLI_PATH, {"report", "track", s_show, "--pdf", out}, err, size / 2), kExitFailure);
    EXPECT_EQ(ReadAll(err), "lumora-cli: " + out + ": cannot be written (File too large)\n");
    EXPECT_EQ(ReadAll(out), "the report before\n");
    EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"out.pdf"});
}
#endif

} // namespace
} // namespace lumora::cli
