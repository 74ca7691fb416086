#include "print/ReportFiles.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::TTempDir;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

int Mode(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return static_cast<int>(info.st_mode & 07777);
}

// Sets an environment variable for one test and puts the old value back.
class TScopedEnv final {
public:
    TScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~TScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// ---- Fields and lines

TEST(CsvField, QuotesOnlyWhatWouldSplitARow)
{
    const struct {
        const char* field;
        const char* written;
    } cases[] = {
        {"Opening", "Opening"},
        {"", ""},
        {"50 t", "50 t"},
        {"Blue, warm", "\"Blue, warm\""},
        {"say \"go\"", "\"say \"\"go\"\"\""},
        {"\"", "\"\"\"\""},
        {",", "\",\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"'single'", "'single'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvField(c.field), c.written) << c.field;
}

TEST(CsvLine, JoinsWithCommasAndEndsWithCrLf)
{
    EXPECT_EQ(CsvLine({"5", "Opening", "", "12"}), "5,Opening,,12\r\n");
    EXPECT_EQ(CsvLine({"1", "Cue", "Type", "1", ""}), "1,Cue,Type,1,\r\n");
    EXPECT_EQ(CsvText({{"a"}, {"b", "c,d"}}), "a\r\nb,\"c,d\"\r\n");
    EXPECT_EQ(CsvText({}), "");
}

TEST(ParseCsv, ReadsBackWhatTheWriterWrote)
{
    const std::vector<TReportRow> rows = {
        {"5", "Opening", "MultiPart", "3", "0", "1.5", "0", "0", "12"},
        {"6", "Blue, warm", "Track", "", "", ""},
        {"7", "say \"go\"", "\"", ",", ""},
        {"8", "two\r\nlines", "x"},
        {""},
        {"1", "Cue", "Type", "1", "2", ""},
    };
    EXPECT_EQ(ParseCsv(CsvText(rows)), rows);
}

TEST(ParseCsv, TakesOtherLineEndsAndAMissingLastOne)
{
    const std::vector<TReportRow> expected = {{"a", "b"}, {"c"}, {"d", ""}};
    EXPECT_EQ(ParseCsv("a,b\nc\rd,"), expected);
    EXPECT_EQ(ParseCsv("a,b\r\nc\r\nd,\r\n"), expected);
    EXPECT_TRUE(ParseCsv("").empty());
    // A quote left open runs to the end of the text rather than past it.
    EXPECT_EQ(ParseCsv("x,\"open"), (std::vector<TReportRow>{{"x", "open"}}));
    // Text after a closing quote stays with its field.
    EXPECT_EQ(ParseCsv("\"a\"b,c"), (std::vector<TReportRow>{{"ab", "c"}}));
}

// ---- The private folder

TEST(ReportFolder, CreatesAPrivateFolderWithMissingLevels)
{
    TTempDir temp;
    TPosixReportFolder folder(temp.file("a/b/lumora"));
    std::string why;
    const auto path = folder.ensure(&why);
    ASSERT_TRUE(path) << why;
    EXPECT_EQ(*path, temp.file("a/b/lumora"));
    EXPECT_TRUE(fs::is_directory(*path));
    EXPECT_EQ(Mode(*path), 0700);
    // A second call takes the folder that is there.
    EXPECT_TRUE(folder.ensure());
}

TEST(ReportFolder, TightensAnOwnFolderOthersCouldEnter)
{
    TTempDir temp;
    const std::string dir = temp.file("lumora");
    ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
    TPosixReportFolder folder(dir);
    ASSERT_TRUE(folder.ensure());
    EXPECT_EQ(Mode(dir), 0700);
}

TEST(ReportFolder, RefusesALinkAFileAndSomeoneElsesFolder)
{
    TTempDir temp;
    const std::string real = temp.file("real");
    ASSERT_EQ(::mkdir(real.c_str(), 0700), 0);

    const std::string link = temp.file("link");
    fs::create_directory_symlink(real, link);
    std::string why;
    EXPECT_FALSE(TPosixReportFolder(link).ensure(&why));
    EXPECT_EQ(why, "the report folder is a symbolic link");

    const std::string file = temp.file("file");
    WriteAll(file, "x");
    EXPECT_FALSE(TPosixReportFolder(file).ensure(&why));
    EXPECT_EQ(why, "the report folder is not a folder");

    const std::string foreign = temp.file("foreign");
    ASSERT_EQ(::mkdir(foreign.c_str(), 0700), 0);
    if (::chown(foreign.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "changing a folder's owner needs root";
    EXPECT_FALSE(TPosixReportFolder(foreign).ensure(&why));
    EXPECT_EQ(why, "the report folder belongs to another user");
}

TEST(ReportFolder, DefaultIsTheRuntimeFolderWhenItIsUsable)
{
    TTempDir temp;
    const std::string runtime = temp.file("run");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    const std::string tmp = temp.file("tmp");
    ASSERT_EQ(::mkdir(tmp.c_str(), 01777), 0);
    TScopedEnv tmpdir("TMPDIR", tmp.c_str());
    const std::string fallback = tmp + "/lumora-" + std::to_string(::geteuid());

    {
        TScopedEnv xdg("XDG_RUNTIME_DIR", runtime.c_str());
        EXPECT_EQ(TPosixReportFolder().folder(), runtime + "/lumora");
    }
    {
        TScopedEnv xdg("XDG_RUNTIME_DIR", nullptr);
        EXPECT_EQ(TPosixReportFolder().folder(), fallback);
    }
    {
        TScopedEnv xdg("XDG_RUNTIME_DIR", "relative/run");
        EXPECT_EQ(TPosixReportFolder().folder(), fallback);
    }
    {
        const std::string link = temp.file("runlink");
        fs::create_directory_symlink(runtime, link);
        TScopedEnv xdg("XDG_RUNTIME_DIR", link.c_str());
        EXPECT_EQ(TPosixReportFolder().folder(), fallback);
    }
    {
        TScopedEnv xdg("XDG_RUNTIME_DIR", temp.file("missing").c_str());
        TPosixReportFolder folder;
        ASSERT_EQ(folder.folder(), fallback);
        ASSERT_TRUE(folder.ensure());
        EXPECT_EQ(Mode(fallback), 0700);
    }
}

TEST(ReportFolder, FilePathIsTheNameInTheFolder)
{
    TTempDir temp;
    TPosixReportFolder folder(temp.file("lumora"));
    EXPECT_EQ(ReportFilePath(folder, kCueListReportFile), temp.file("lumora/rptCueList.tmp"));

    WriteAll(temp.file("blocked"), "");
    TPosixReportFolder blocked(temp.file("blocked"));
    EXPECT_FALSE(ReportFilePath(blocked, kTrackReportFile));
}

// ---- Writing

TEST(WriteReportFile, ReplacesTheEarlierFileWholeAndPrivately)
{
    TTempDir temp;
    const std::string path = temp.file(kCueListReportFile);
    ASSERT_TRUE(WriteReportRows(path, {{"1", "first"}, {"2", "first"}, {"3", "first"}}));
    ASSERT_TRUE(WriteReportRows(path, {{"9", "second"}}));
    EXPECT_EQ(ReadAll(path), "9,second\r\n");
    EXPECT_EQ(Mode(path), 0600);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator{}), 1);
    EXPECT_EQ(ReadReportFile(path), "9,second\r\n");
}

TEST(WriteReportFile, ReplacesAPlantedLinkInsteadOfWritingThroughIt)
{
    TTempDir temp;
    const std::string victim = temp.file("victim");
    WriteAll(victim, "precious");
    const std::string path = temp.file(kTrackReportFile);
    fs::create_symlink(victim, path);
    // The reader does not follow the link either.
    EXPECT_FALSE(ReadReportFile(path));

    ASSERT_TRUE(WriteReportFile(path, "1,Cue,Type,\r\n"));
    EXPECT_EQ(ReadAll(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(ReadAll(path), "1,Cue,Type,\r\n");
}

TEST(WriteReportFile, AFailureLeavesTheEarlierReportAndNoLitter)
{
    TTempDir temp;
    const std::string path = temp.file(kCueEditReportFile);
    ASSERT_TRUE(WriteReportFile(path, "old\r\n"));

    TFileFaults failWrite;
    failWrite.failWrite = [](std::size_t) { return true; };
    TFileFaults failFlush;
    failFlush.failFlush = true;
    TFileFaults failRename;
    failRename.failRename = true;
    for (const TFileFaults* faults : {&failWrite, &failFlush, &failRename}) {
        std::string why;
        EXPECT_FALSE(WriteReportFile(path, "new\r\n", &why, faults));
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(ReadAll(path), "old\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator{}), 1);
    }

    // A folder in the file's place, or a folder that is not there.
    const std::string dir = temp.file("taken");
    fs::create_directory(dir);
    fs::create_directory(dir + "/x");
    EXPECT_FALSE(WriteReportFile(dir, "new\r\n"));
    EXPECT_FALSE(WriteReportFile(temp.file("missing/rptCueList.tmp"), "new\r\n"));
}

TEST(WriteReportFile, WritesLargeFilesWhole)
{
    TTempDir temp;
    const std::string path = temp.file("big.tmp");
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += CsvLine({std::to_string(i), "Cue", "Type", "50 t", ""});
    ASSERT_TRUE(WriteReportFile(path, text));
    EXPECT_EQ(ReadReportFile(path), text);
}

} // namespace
} // namespace lumora
