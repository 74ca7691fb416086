#include "show/Backups.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::TTempDir;

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

std::vector<std::string> Names(const std::vector<std::string>& paths)
{
    std::vector<std::string> names;
    for (const auto& p : paths)
        names.push_back(fs::path(p).filename().string());
    return names;
}

class BackupsTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string root = dir.file("data/backups");
    std::string show = dir.file("Act 1.lmr");
};

TEST_F(BackupsTest, KeepsTheReplacedFileUnderItsNameAndTime)
{
    std::string why;
    EXPECT_TRUE(BackUpShowFile(show, root, LocalTime(2026, 3, 4, 5, 6, 7), &why)) << why;
    EXPECT_FALSE(fs::exists(root)) << "nothing is replaced, nothing is kept";

    WriteText(show, "version 1");
    ASSERT_TRUE(BackUpShowFile(show, root, LocalTime(2026, 3, 4, 5, 6, 7), &why)) << why;
    const auto kept = ListBackups(root, "Act 1");
    ASSERT_EQ(Names(kept), std::vector<std::string>{"Act 1-20260304-050607.lmr"});
    EXPECT_EQ(fs::path(kept[0]).parent_path(), fs::path(root) / "Act 1");
    EXPECT_EQ(ReadText(kept[0]), "version 1");
    EXPECT_EQ(ReadText(show), "version 1");
}

TEST_F(BackupsTest, KeepsTheNewestTenEvenWithinOneSecond)
{
    const std::time_t start = LocalTime(2026, 12, 31, 23, 59, 58);
    for (int i = 1; i <= 12; ++i) {
        WriteText(show, "version " + std::to_string(i));
        // Saves 5 to 8 fall into the same second.
        const std::time_t now = start + (i < 5 ? i : i <= 8 ? 5 : i - 3);
        std::string why;
        ASSERT_TRUE(BackUpShowFile(show, root, now, &why)) << why;
    }
    const auto kept = ListBackups(root, "Act 1");
    ASSERT_EQ(kept.size(), 10u);
    EXPECT_EQ(ReadText(kept.front()), "version 3");
    EXPECT_EQ(ReadText(kept.back()), "version 12");
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ReadText(kept[i]), "version " + std::to_string(i + 3)) << kept[i];
    EXPECT_EQ(Names(kept)[2], "Act 1-20270101-000003.lmr");
    EXPECT_EQ(Names(kept)[3], "Act 1-20270101-000003-2.lmr");
    EXPECT_EQ(Names(kept)[5], "Act 1-20270101-000003-4.lmr");
}

TEST_F(BackupsTest, OtherFilesInTheFolderAreLeftAlone)
{
    fs::create_directories(fs::path(root) / "Act 1");
    const std::string mine = (fs::path(root) / "Act 1" / "my notes.txt").string();
    const std::string other = (fs::path(root) / "Act 1" / "Act 1-2026.lmr").string();
    WriteText(mine, "x");
    WriteText(other, "y");
    WriteText(show, "v");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(BackUpShowFile(show, root, 1000 + i, nullptr, 1));
    EXPECT_EQ(ListBackups(root, "Act 1").size(), 1u);
    EXPECT_TRUE(fs::exists(mine));
    EXPECT_TRUE(fs::exists(other));
}

TEST_F(BackupsTest, BackupThatCannotBeWrittenFails)
{
    WriteText(show, "precious");
    fs::create_directories(dir.file("data"));
    WriteText(root, "a file where the folder should be");
    std::string why;
    EXPECT_FALSE(BackUpShowFile(show, root, 1000, &why));
    EXPECT_NE(why.find(root), std::string::npos) << why;

    fs::remove(root);
    TFileFaults diskFull;
    diskFull.failWrite = [](std::size_t) { return true; };
    EXPECT_FALSE(BackUpShowFile(show, root, 1000, &why, kBackupsKept, &diskFull));
    EXPECT_NE(why.find("No space left on device"), std::string::npos) << why;
    EXPECT_TRUE(ListBackups(root, "Act 1").empty());
    EXPECT_EQ(ReadText(show), "precious");
}

TEST(BackupNamesTest, ShowNameAndDataFolder)
{
    EXPECT_EQ(BackupShowName("/a/b/Act 1.lmr"), "Act 1");
    EXPECT_EQ(BackupShowName("finale.LMR"), "finale");
    EXPECT_EQ(BackupShowName("/a/show.lmr.old"), "show.lmr.old");

    std::map<std::string, std::string> env;
    const auto get = [&](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    env = {{"XDG_DATA_HOME", "/x/data"}, {"HOME", "/home/u"}};
    EXPECT_EQ(EditorDataFolder(get), "/x/data/Lumora Offline Editor");
    env = {{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}};
    EXPECT_EQ(EditorDataFolder(get), "/home/u/.local/share/Lumora Offline Editor");
    env = {{"HOME", "/home/u/"}};
    EXPECT_EQ(EditorDataFolder(get), "/home/u/.local/share/Lumora Offline Editor");
}

} // namespace
} // namespace lumora
