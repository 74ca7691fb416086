#include "show/ShowFile.h"

#include "show/LumoraError.h"
#include "show/Sections.h"
#include "show/ValueHelpers.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::TRecordingUi;
using test::TTempDir;

std::vector<std::uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The message an ELumoraError carries, or "" when the call succeeds.
template <typename F> std::string ErrorOf(F&& call)
{
    try {
        call();
    } catch (const ELumoraError& e) {
        return e.what();
    }
    return {};
}

class ShowFileTest : public ::testing::Test {
protected:
    TRecordingUi ui;
    TEditorState state{ui};
    TTempDir dir;
};

TEST_F(ShowFileTest, CheckRefusesEveryOtherSizeWithItsBox)
{
    for (std::size_t size : {kShowFileSize - 1, kShowFileSize + 1, std::size_t{0}}) {
        ui.clear();
        const std::string path = dir.file("size.lmr");
        WriteAll(path, std::vector<std::uint8_t>(size));
        EXPECT_FALSE(CheckShowFile(state, path)) << size;
        ASSERT_EQ(ui.messages(), std::vector<std::string>{kMsgIncompatibleFile}) << size;
        EXPECT_EQ(ui.shown().back().kind, "error");
    }
    ui.clear();
    WriteAll(dir.file("ok.lmr"), std::vector<std::uint8_t>(kShowFileSize));
    EXPECT_TRUE(CheckShowFile(state, dir.file("ok.lmr")));
    EXPECT_TRUE(CheckShowFile(state, dir.file("missing.lmr"))); // the load reports it
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ShowFileTest, SaveOfTheStartShowReopensToTheSameShow)
{
    const TShow startShow = state.show();
    state.globals.notes = "Act 1: blue";
    const std::string path = dir.file("start.lmr");
    SaveShowFile(state, path);
    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), kShowFileSize);
    EXPECT_EQ(bytes[kNotesOffset], 'A'); // first notes character at 1,366,857

    TRecordingUi ui2;
    TEditorState reopened(ui2);
    reopened.setAllPresent();
    LoadShowFile(reopened, path);
    // Effect names come back as their stored 16 characters ("Linear" and ten spaces).
    TShow expected = startShow;
    for (auto& effect : expected.effects)
        effect.Name = PadRight16(effect.Name.view());
    EXPECT_TRUE(reopened.show() == expected);
    EXPECT_EQ(reopened.globals.notes, "Act 1: blue");
}

TEST_F(ShowFileTest, CueNumberLiesAtItsFileOffset)
{
    state.show().cueList.InsertCue(1234, kCuePreset); // cue 123.4 = 0x04D2
    const std::string path = dir.file("placement.lmr");
    SaveShowFile(state, path);
    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), kShowFileSize);
    EXPECT_EQ(bytes[324608], 0xD2);
    EXPECT_EQ(bytes[324609], 0x04);
}

TEST_F(ShowFileTest, LoadThenSaveReproducesTheFileByteForByte)
{
    // A file as the console or this editor writes it, with noise in every byte that no
    // compile writes (section tails, unused record fields, device spare values).
    TShow model;
    test::FillRandomShow(model, 7);
    TShowImage image;
    std::mt19937 rng(11);
    for (auto& b : image.file())
        b = static_cast<std::uint8_t>(rng());
    CompileSections(model, image, TPresenceFlags{1, 1, 1, 1, 1, 1, 1});
    CompileNotes("notes", image);
    const std::vector<std::uint8_t> original(image.file().begin(), image.file().end());
    const std::string in = dir.file("in.lmr");
    const std::string out = dir.file("out.lmr");
    WriteAll(in, original);

    state.setAllPresent();
    LoadShowFile(state, in);
    // The device spare values are carried from the file, never compiled.
    for (int d = 0; d < kQvDevices; ++d)
        model.quorvel.devices[d].spare = state.show().quorvel.devices[d].spare;
    EXPECT_TRUE(state.show() == model);
    SaveShowFile(state, out);
    EXPECT_EQ(ReadAll(out), original);
}

TEST_F(ShowFileTest, ShortFileFailsAndLongFileUsesItsStart)
{
    const std::string shortFile = dir.file("short.lmr");
    WriteAll(shortFile, std::vector<std::uint8_t>(kShowFileSize - 1));
    state.setAllPresent();
    EXPECT_EQ(ErrorOf([&] { LoadShowFile(state, shortFile); }), kMsgErrorReadingFile);
    EXPECT_EQ(ErrorOf([&] { LoadShowFile(state, dir.file("missing.lmr")); }), kMsgErrorReadingFile);

    TEditorState other(ui);
    other.show().cueList.InsertCue(50, kCueTrack);
    const std::string saved = dir.file("cues.lmr");
    SaveShowFile(other, saved);
    auto longer = ReadAll(saved);
    longer.resize(kShowFileSize + 500, 0xAB);
    WriteAll(saved, longer);
    EXPECT_EQ(ErrorOf([&] { LoadShowFile(state, saved); }), "");
    EXPECT_EQ(state.show().cueList.count, 1);
}

TEST_F(ShowFileTest, DamagedSectionChangesNothing)
{
    state.show().cueList.InsertCue(10, kCuePreset);
    state.show().sub(1, 1).SubType = kSubNormal;
    state.globals.notes = "keep me";
    const TShow before = state.show();
    const std::vector<std::uint8_t> imageBefore(state.image().file().begin(), state.image().file().end());

    std::vector<std::uint8_t> bytes(kShowFileSize, 0);
    bytes[kCueOffset + 512] = 1; // record 1 in use ...
    bytes[kCueOffset + 514] = 5; // ... with cue type 5
    bytes[kNotesOffset] = 'X';
    const std::string path = dir.file("bad.lmr");
    WriteAll(path, bytes);

    state.setAllPresent();
    EXPECT_EQ(ErrorOf([&] { LoadShowFile(state, path); }), kMsgErrorReadingData);
    EXPECT_TRUE(state.show() == before);
    EXPECT_EQ(state.globals.notes, "keep me");
    EXPECT_TRUE(std::equal(imageBefore.begin(), imageBefore.end(), state.image().file().begin()));
}

TEST_F(ShowFileTest, ImportTakesOnlyTheChosenSectionsAndNeverTheNotes)
{
    TEditorState source(ui);
    test::FillRandomShow(source.show(), 3);
    source.globals.notes = "their notes";
    const std::string path = dir.file("source.lmr");
    SaveShowFile(source, path);

    state.globals.notes = "our notes";
    state.show().sub(2, 3).SubType = kSubSolo;
    const TShow before = state.show();
    state.globals.presence = {0, 0, 0, 0, 0, 1, 0}; // cues only
    state.globals.importing = 1;
    LoadShowFile(state, path);
    EXPECT_TRUE(state.show().cueList == source.show().cueList);
    TShow expected = before;
    expected.cueList = source.show().cueList;
    EXPECT_TRUE(state.show() == expected);
    EXPECT_EQ(state.globals.notes, "our notes");

    state.globals.presence = {};
    LoadShowFile(state, path); // no box checked: nothing changes
    EXPECT_TRUE(state.show() == expected);
}

TEST_F(ShowFileTest, CompileErrorWritesNoFile)
{
    state.show().cueList.InsertCue(10, kCuePreset);
    state.show().cueList.cue(1).type = 9;
    const std::string path = dir.file("never.lmr");
    EXPECT_EQ(ErrorOf([&] { SaveShowFile(state, path); }), kMsgErrorCompiling);
    EXPECT_FALSE(fs::exists(path));
}

// ---- The safe save

class SafeSaveTest : public ShowFileTest {
protected:
    void SetUp() override
    {
        target = dir.file("show.lmr");
        SaveShowFile(state, target);
        old = ReadAll(target);
        state.show().cueList.InsertCue(25, kCueTrack); // something new to save
    }
    void ExpectOldFileKept()
    {
        EXPECT_EQ(ReadAll(target), old);
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().filename(), "show.lmr") << "left behind: " << entry.path();
    }
    std::string target;
    std::vector<std::uint8_t> old;
};

TEST_F(SafeSaveTest, EveryFailingStepKeepsTheOldFile)
{
    const TFileFaults faults[] = {
        {.failWrite = [](std::size_t written) { return written == 0; }},
        {.failWrite = [](std::size_t written) { return written >= 700000; }},
        {.failWrite = nullptr, .failFlush = true},
        {.failWrite = nullptr, .failFlush = false, .failRename = true},
    };
    for (const auto& fault : faults) {
        EXPECT_EQ(ErrorOf([&] { SaveShowFile(state, target, &fault); }), kMsgErrorWritingFile);
        ExpectOldFileKept();
    }
}

TEST_F(SafeSaveTest, FileSizeLimitOfTheSystemKeepsTheOldFile)
{
    // A real short write: the child may not write more than 100,000 bytes into any file.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100000, 100000};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::string message = ErrorOf([&] { SaveShowFile(state, target); });
        _exit(message == kMsgErrorWritingFile ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ExpectOldFileKept();
}

TEST_F(SafeSaveTest, SavingThroughALinkReplacesTheFileItNames)
{
    const std::string link = dir.file("link.lmr");
    fs::create_symlink("show.lmr", link);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    SaveShowFile(state, link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(ReadAll(target), old);
    EXPECT_EQ(ReadAll(target).size(), kShowFileSize);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SafeSaveTest, RefusesToReplaceADeviceOrFolder)
{
    EXPECT_EQ(ErrorOf([&] { SaveShowFile(state, "/dev/null"); }), kMsgErrorWritingFile);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    fs::create_directory(dir.file("folder.lmr"));
    EXPECT_EQ(ErrorOf([&] { SaveShowFile(state, dir.file("folder.lmr")); }), kMsgErrorWritingFile);
    EXPECT_EQ(ErrorOf([&] { SaveShowFile(state, dir.file("no/such/folder.lmr")); }), kMsgErrorWritingFile);
}

} // namespace
} // namespace lumora
