// lumora-cli keeps a show file that build or disk read replaces, as the editor's Save does.

#include "cli/Cli.h"

#include "show/Backups.h"
#include "show/ShowFile.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace lumora::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct TRun {
    int code = -1;
    std::string err;
};

TRun Cli(const std::vector<std::string>& args, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(args, in, out, err);
    return {code, err.str() + out.str()};
}

std::string Dump(const std::string& show)
{
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"dump", show}, in, out, err), 0) << err.str();
    return out.str();
}

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class CliBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            m_oldDataHome = old;
        ::setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
        test::TRecordingUi ui;
        TEditorState state(ui);
        state.globals.notes = "version 1";
        SaveShowFile(state, first);
        state.globals.notes = "version 2";
        SaveShowFile(state, second);
    }
    void TearDown() override
    {
        if (m_oldDataHome)
            ::setenv("XDG_DATA_HOME", m_oldDataHome->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }

    test::TTempDir dir;
    std::string first = dir.file("first.lmr");
    std::string second = dir.file("second.lmr");
    std::string backups = dir.file("data/Lumora Offline Editor/backups");

private:
    std::optional<std::string> m_oldDataHome;
};

TEST_F(CliBackupTest, BuildKeepsTheFileItReplacesUnlessToldNotTo)
{
    EXPECT_EQ(DefaultBackupsFolder(), backups);
    const std::string out = dir.file("Act 1.lmr");
    const TRun made = Cli({"build", "-", "-o", out}, Dump(first));
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_TRUE(ListBackups(backups, "Act 1").empty()); // a new file replaces nothing

    const Bytes version1 = ReadAll(out);
    const TRun replaced = Cli({"build", "-", "-o", out}, Dump(second));
    ASSERT_EQ(replaced.code, 0) << replaced.err;
    auto kept = ListBackups(backups, "Act 1");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadAll(kept[0]), version1);
    EXPECT_EQ(ReadAll(out), ReadAll(second));

    ASSERT_EQ(Cli({"build", "-", "-o", out, "--no-backup"}, Dump(first)).code, 0);
    EXPECT_EQ(ListBackups(backups, "Act 1").size(), 1u);
    EXPECT_EQ(ReadAll(out), version1);
}

TEST_F(CliBackupTest, DiskReadKeepsTheFileItReplaces)
{
    const std::string img = dir.file("show.img");
    ASSERT_EQ(Cli({"disk", "new", img}).code, 0);
    ASSERT_EQ(Cli({"disk", "write", second, img}).code, 0);
    const Bytes before = ReadAll(first);
    const TRun read = Cli({"disk", "read", img, "-o", first});
    ASSERT_EQ(read.code, 0) << read.err;
    const auto kept = ListBackups(backups, "first");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadAll(kept[0]), before);

    ASSERT_EQ(Cli({"disk", "read", img, "-o", first, "--no-backup"}).code, 0);
    EXPECT_EQ(ListBackups(backups, "first").size(), 1u);
}

TEST_F(CliBackupTest, BackupThatCannotBeWrittenLeavesTheFileAlone)
{
    fs::create_directories(fs::path(backups).parent_path());
    std::ofstream(backups) << "a file where the folder should be";
    const Bytes before = ReadAll(first);
    const TRun run = Cli({"build", "-", "-o", first}, Dump(second));
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(
        run.err.rfind("lumora-cli: " + first + ": not replaced, because it could not be kept as a backup first (", 0),
        0u)
        << run.err;
    EXPECT_EQ(ReadAll(first), before);

    const TRun skipped = Cli({"build", "-", "-o", first, "--no-backup"}, Dump(second));
    EXPECT_EQ(skipped.code, 0) << skipped.err;
    EXPECT_EQ(ReadAll(first), ReadAll(second));
}

} // namespace
} // namespace lumora::cli
