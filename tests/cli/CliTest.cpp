#include "cli/Cli.h"
#include "cli/ShowInfo.h"
#include "cli/ShowJson.h"

#include "show/ShowDisk.h"
#include "show/ShowFile.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <LumoraVersion.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace lumora::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct TRun {
    int code = -1;
    std::string out;
    std::string err;
};

TRun Cli(const std::vector<std::string>& args, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    TRun run;
    run.code = RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void WriteAll(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The show a file holds, loaded as Open does.
std::unique_ptr<TShow> LoadedShow(const std::string& path, std::string* notes = nullptr)
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    state.setAllPresent();
    LoadShowFile(state, path);
    if (notes)
        *notes = state.globals.notes;
    return std::make_unique<TShow>(state.show());
}

// One full show file shared by the tests: every kind in use, notes, and random bytes in
// every place no compile writes (as a console-written show has its own there).
class CliTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new test::TTempDir;
        test::TRecordingUi ui;
        TEditorState state(ui);
        std::mt19937 rng(5);
        for (auto& b : state.image().file())
            b = static_cast<std::uint8_t>(rng());
        test::FillFullShow(state.show(), 21);
        state.globals.notes = "Act 1\r\nblue \xE9";
        s_full = s_dir->file("full.lmr");
        SaveShowFile(state, s_full);

        s_dump = new std::string(Cli({"dump", s_full}).out);
        s_json = s_dir->file("full.json");
        WriteAll(s_json, *s_dump);

        // A file whose first cue record has type 9.
        Bytes bad = ReadAll(s_full);
        bad[kCueOffset + 512] = 1; // number 0.1
        bad[kCueOffset + 513] = 0;
        bad[kCueOffset + 514] = 9; // type
        bad[kCueOffset + 515] = 0;
        s_badCue = s_dir->file("badcue.lmr");
        WriteAll(s_badCue, bad);

        const Bytes full = ReadAll(s_full);
        WriteAll(s_dir->file("short.lmr"), Bytes(full.begin(), full.end() - 1));
        Bytes longer = full;
        longer.push_back(0);
        WriteAll(s_dir->file("long.lmr"), longer);
        WriteAll(s_dir->file("short.img"), Bytes(kDisketteBytes - 512, 0));
        WriteAll(s_dir->file("syntax.json"), std::string("{\"format\": "));
        WriteAll(s_dir->file("huge.json"), std::string("{\"version\": 9e02045}"));
        TJson range = TJson::parse(*s_dump);
        range["cues"]["list"][2]["levels"][7] = 256;
        WriteAll(s_dir->file("range.json"), FormatJson(range));
        TJson noKey = TJson::parse(*s_dump);
        noKey["quorvel"]["devices"][4].erase("address");
        WriteAll(s_dir->file("nokey.json"), FormatJson(noKey));
    }
    static void TearDownTestSuite()
    {
        delete s_dump;
        delete s_dir;
    }

    test::TTempDir dir; // each test's own files

    static test::TTempDir* s_dir;
    static std::string s_full;
    static std::string s_json;
    static std::string s_badCue;
    static std::string* s_dump;
};

test::TTempDir* CliTest::s_dir = nullptr;
std::string CliTest::s_full;
std::string CliTest::s_json;
std::string CliTest::s_badCue;
std::string* CliTest::s_dump = nullptr;

// ---- dump, build, info

TEST_F(CliTest, DumpBuildDumpGivesTheSameJson)
{
    ASSERT_GT(s_dump->size(), 1'000'000u);
    const std::string built = dir.file("built.lmr");
    const TRun build = Cli({"build", s_json, "-o", built});
    ASSERT_EQ(build.code, 0) << build.err;
    EXPECT_EQ(build.err, "");
    const TRun again = Cli({"dump", built});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_TRUE(again.out == *s_dump); // not EXPECT_EQ: megabytes of text

    // Without --base every byte no compile writes is zero: the padding after the last cue.
    const Bytes bytes = ReadAll(built);
    ASSERT_EQ(bytes.size(), kShowFileSize);
    const auto padding = bytes.begin() + static_cast<std::ptrdiff_t>(kCueOffset + kCueSectionSize - 304);
    EXPECT_TRUE(std::all_of(padding, padding + 304, [](std::uint8_t b) { return b == 0; }));
    EXPECT_NE(bytes, ReadAll(s_full));
}

TEST_F(CliTest, BuildOnItsOwnFileGivesTheFileBackByteForByte)
{
    const std::string built = dir.file("same.lmr");
    const TRun build = Cli({"build", s_json, "--base", s_full, "-o", built});
    ASSERT_EQ(build.code, 0) << build.err;
    EXPECT_TRUE(ReadAll(built) == ReadAll(s_full));

    // The same from standard input, and with the output replacing the base itself.
    const std::string copy = dir.file("copy.lmr");
    fs::copy_file(s_full, copy);
    const TRun piped = Cli({"build", "-", "--base=" + copy, "-o", copy}, *s_dump);
    ASSERT_EQ(piped.code, 0) << piped.err;
    EXPECT_TRUE(ReadAll(copy) == ReadAll(s_full));
}

TEST_F(CliTest, DumpOfTheNewShowBuildsBackToIt)
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    const std::string saved = dir.file("new.lmr");
    SaveShowFile(state, saved);
    const TRun dump = Cli({"dump", saved});
    ASSERT_EQ(dump.code, 0) << dump.err;
    WriteAll(dir.file("new.json"), dump.out);
    ASSERT_EQ(Cli({"build", dir.file("new.json"), "-o", dir.file("built.lmr")}).code, 0);
    EXPECT_TRUE(ReadAll(dir.file("built.lmr")) == ReadAll(saved)); // a new show has nothing uncompiled
    EXPECT_EQ(Cli({"dump", dir.file("built.lmr")}).out, dump.out);
}

TEST_F(CliTest, InfoSummarisesTheShowAsLoaded)
{
    const TRun info = Cli({"info", s_full});
    ASSERT_EQ(info.code, 0) << info.err;
    std::string notes;
    const auto show = LoadedShow(s_full, &notes);
    EXPECT_EQ(info.out, FormatSummary(SummarizeShow(*show, notes)));
    const auto lines = Lines(info.out);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "Cues:                         1000");
    EXPECT_EQ(lines[10], "Notes (characters):           13");
}

TEST(ShowInfo, CountsWhatIsInUse)
{
    auto show = std::make_unique<TShow>(); // unity patch, default profiles
    show->cueList.count = 3;
    show->sub(12, 24).SubType = kSubSolo;
    show->effect(50).EffectTime = 1;
    show->macro(2500).KeyCount = 1;
    show->patch(2).dimmer(1).Channel = 0;
    show->patch(1).dimmer(1) = {kParkedChannel, 50, 0, true, true}; // parked: not patched
    show->quorvel.type(8).name = "Spot";
    show->quorvel.device(1).type = 1;
    show->quorvel.position(100).slotDevices[19] = 1;
    show->quorvel.action(1).loops = kQvLoopsContinuous;
    const TShowSummary s = SummarizeShow(*show, "abc");
    EXPECT_EQ(s, (TShowSummary{3, 1, 1, 1, {511, 511}, 6, 1, 1, 1, 1, 3}));
}

// ---- failures: one line, exit 1, and the output as it was

struct TBadInput {
    const char* name;
    std::vector<std::string> args; // "@x" is file x of the test's folder, "@@x" one of the shared files
    const char* message;
};

class CliBadInput : public CliTest, public ::testing::WithParamInterface<TBadInput> {};

TEST_P(CliBadInput, OneLineExitOneAndNoOutputWritten)
{
    const TBadInput& bad = GetParam();
    WriteAll(dir.file("blank.img"), Bytes(kDisketteBytes, 0));
    const std::string old = "the old output";
    WriteAll(dir.file("out.lmr"), old);

    std::vector<std::string> args;
    for (const std::string& a : bad.args)
        args.push_back(a.rfind("@@", 0) == 0  ? s_dir->file(a.substr(2))
                       : a.rfind("@", 0) == 0 ? dir.file(a.substr(1))
                                              : a);
    const auto before = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    const Bytes shortImage = ReadAll(s_dir->file("short.img"));
    const Bytes blankImage = ReadAll(dir.file("blank.img"));

    const TRun run = Cli(args);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
    EXPECT_EQ(run.err.rfind("lumora-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(bad.message), std::string::npos) << run.err;

    EXPECT_EQ(ReadAll(dir.file("out.lmr")), Bytes(old.begin(), old.end()));
    EXPECT_EQ(ReadAll(s_dir->file("short.img")), shortImage);
    EXPECT_EQ(ReadAll(dir.file("blank.img")), blankImage);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), before); // no leftovers
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliBadInput,
    ::testing::Values(
        TBadInput{"InfoShortFile", {"info", "@@short.lmr"}, kMsgIncompatibleFile},
        TBadInput{"DumpLongFile", {"dump", "@@long.lmr"}, kMsgIncompatibleFile},
        TBadInput{"DumpMissingFile",
                  {"dump", "@missing.lmr"},
                  "missing.lmr: Error Reading File. (No such file or directory)"},
        TBadInput{"DumpInvalidCueType", {"dump", "@@badcue.lmr"}, "Error reading data from file. (Invalid cue type.)"},
        TBadInput{"BuildOutOfRange",
                  {"build", "@@range.json", "-o", "@out.lmr"},
                  "range.json: cue 3: levels[7] must be 0..255"},
        TBadInput{
            "BuildMissingKey", {"build", "@@nokey.json", "-o", "@out.lmr"}, "QV device 5: missing key \"address\""},
        TBadInput{"BuildSyntax", {"build", "@@syntax.json", "-o", "@out.lmr"}, "syntax.json: not valid JSON: "},
        TBadInput{"BuildNumberTooLarge",
                  {"build", "@@huge.json", "-o", "@out.lmr"},
                  "huge.json: not valid JSON: number overflow parsing '9e02045'"},
        TBadInput{"BuildMissingJson",
                  {"build", "@none.json", "-o", "@out.lmr"},
                  "none.json: cannot be read (No such file or directory)"},
        TBadInput{"BuildShortBase",
                  {"build", "@@full.json", "--base", "@@short.lmr", "-o", "@out.lmr"},
                  kMsgIncompatibleFile},
        TBadInput{"BuildMissingBase",
                  {"build", "@@full.json", "--base", "@nobase.lmr", "-o", "@out.lmr"},
                  "nobase.lmr: Error Reading File."},
        TBadInput{"BuildIntoMissingFolder",
                  {"build", "@@full.json", "-o", "@no/out.lmr"},
                  "out.lmr: Error Writing to LMR File. ("},
        TBadInput{"DiskReadShortImage",
                  {"disk", "read", "@@short.img", "-o", "@out.lmr"},
                  "short.img: not a 1.44 MB diskette image (1474048 bytes"},
        TBadInput{"DiskReadMissingImage",
                  {"disk", "read", "@none.img", "-o", "@out.lmr"},
                  "none.img: no diskette image (No such file"},
        TBadInput{
            "DiskWriteShortImage", {"disk", "write", "@@full.lmr", "@@short.img"}, "not a 1.44 MB diskette image"},
        TBadInput{"DiskWriteBadShow", {"disk", "write", "@@badcue.lmr", "@blank.img"}, "(Invalid cue type.)"},
        TBadInput{"DiskWriteShortShow", {"disk", "write", "@@short.lmr", "@blank.img"}, kMsgIncompatibleFile},
        TBadInput{"DiskNewOverFolder", {"disk", "new", "@"}, "cannot be written"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, StrictDiskReadStopsAtTheFirstMissingSection)
{
    WriteAll(dir.file("blank.img"), Bytes(kDisketteBytes, 0));
    const TRun run = Cli({"disk", "read", dir.file("blank.img"), "-o", dir.file("out.lmr"), "--strict"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(Lines(run.err), (std::vector<std::string>{
                                  "lumora-cli: This Show Disk does not contain Patch data. Do you want to continue "
                                  "to load the rest of the data? No",
                                  "lumora-cli: " + dir.file("blank.img") + ": Error Reading Show Disk!"}));
    EXPECT_FALSE(fs::exists(dir.file("out.lmr")));
}

// ---- usage: exit 2

TEST_F(CliTest, CommandLinesItDoesNotUnderstandPrintUsage)
{
    const std::string img = dir.file("a.img");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frob"},
        {"info"},
        {"info", s_full, s_full},
        {"info", "--frob", s_full},
        {"dump", "--strict", s_full},
        {"dump", "-x", s_full},
        {"build", s_json},
        {"build", s_json, "-o"},
        {"build", s_json, "-o", img, "-o", img},
        {"build", s_json, "--base", "-o", img}, // --base takes "-o" as its value; then no -o
        {"disk"},
        {"disk", "format", img},
        {"disk", "new"},
        {"disk", "write", s_full, img, "--strict"},
        {"disk", "read", img, "-o", img, "--sections", "patch,bogus"},
        {"disk", "read", img, "-o", img, "--sections="},
        {"disk", "read", img, "-o", img, "--sections", "cue,"},
        {"disk", "read", img, "-o", img, "--strict=yes"},
        {"report"},
        {"report", "no-such-report", s_full, "--csv", img},
    };
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        const TRun run = Cli(args);
        EXPECT_EQ(run.code, 2) << shown;
        EXPECT_EQ(run.err.rfind("lumora-cli: ", 0), 0u) << shown << run.err;
        EXPECT_NE(run.err.find("\nusage: lumora-cli info SHOW.lmr\n"), std::string::npos) << shown;
        EXPECT_EQ(run.out, "") << shown;
    }
    EXPECT_FALSE(fs::exists(img));

    const TRun help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out, UsageText());
    EXPECT_EQ(help.err, "");

    const TRun version = Cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("lumora-cli ") + kProgramVersion + "\n");
    EXPECT_EQ(version.err, "");
}

// ---- diskette images

TEST_F(CliTest, DiskWriteThenReadGivesTheShowBackButItsProfileNames)
{
    const std::string img = dir.file("show.img");
    ASSERT_EQ(Cli({"disk", "new", img}).code, 0);
    EXPECT_EQ(ReadAll(img), Bytes(kDisketteBytes, 0));

    const TRun write = Cli({"disk", "write", s_full, img});
    ASSERT_EQ(write.code, 0) << write.err;
    EXPECT_EQ(write.err, "");
    const std::string back = dir.file("back.lmr");
    const TRun read = Cli({"disk", "read", img, "-o", back});
    ASSERT_EQ(read.code, 0) << read.err;
    EXPECT_EQ(read.err, "");

    std::string notes;
    const auto got = LoadedShow(back, &notes);
    auto expected = LoadedShow(s_full);
    expected->SetDefaultProfileNames(); // the diskette carries no names
    EXPECT_TRUE(*got == *expected);
    EXPECT_EQ(notes, ""); // nor notes
    EXPECT_EQ(fs::file_size(img), kDisketteBytes);
}

TEST_F(CliTest, DiskSectionsChooseWhatIsWrittenAndRead)
{
    const std::string img = dir.file("cues.img");
    ASSERT_EQ(Cli({"disk", "new", img}).code, 0);
    ASSERT_EQ(Cli({"disk", "write", s_full, img, "--sections", "cue,patch"}).code, 0);

    // Reading all: a question for every section the diskette lacks, answered Yes.
    const TRun all = Cli({"disk", "read", img, "-o", dir.file("all.lmr")});
    ASSERT_EQ(all.code, 0) << all.err;
    std::vector<std::string> expected;
    for (const char* name : {"Profile", "Macro", "Effect", "Submaster", "Quorvel"})
        expected.push_back(std::string("lumora-cli: This Show Disk does not contain ") + name +
                           " data. Do you want to continue to load the rest of the data? Yes");
    EXPECT_EQ(Lines(all.err), expected);

    // The rest is the new show as a save and a load leave it.
    const auto full = LoadedShow(s_full);
    {
        test::TRecordingUi ui;
        TEditorState state(ui);
        SaveShowFile(state, dir.file("new.lmr"));
    }
    const auto fresh = LoadedShow(dir.file("new.lmr"));
    auto want = std::make_unique<TShow>(*fresh);
    want->cueList = full->cueList;
    want->patches = full->patches;
    EXPECT_TRUE(*LoadedShow(dir.file("all.lmr")) == *want);

    // Reading only the cues: no question, the patch stays the new show's.
    const TRun cues = Cli({"disk", "read", img, "-o", dir.file("cues.lmr"), "--sections", "cue"});
    ASSERT_EQ(cues.code, 0) << cues.err;
    EXPECT_EQ(cues.err, "");
    want->patches = fresh->patches;
    EXPECT_TRUE(*LoadedShow(dir.file("cues.lmr")) == *want);
}

// A read that fails part way leaves the output as it was.
TEST_F(CliTest, DiskReadThatFailsLeavesTheOutputAlone)
{
    const std::string img = dir.file("show.img");
    ASSERT_EQ(Cli({"disk", "new", img}).code, 0);
    ASSERT_EQ(Cli({"disk", "write", s_full, img}).code, 0);
    Bytes bytes = ReadAll(img);
    bytes[std::size_t{901} * kSectorSize + 2] = 9; // cue record 1: no such cue type
    WriteAll(img, bytes);
    const std::string out = dir.file("out.lmr");
    WriteAll(out, std::string("an earlier show"));
    const TRun read = Cli({"disk", "read", img, "-o", out});
    EXPECT_EQ(read.code, 1);
    EXPECT_EQ(read.err, "lumora-cli: " + img + ": " + kMsgErrorReadingDisk + "\n");
    const Bytes kept = ReadAll(out);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "an earlier show");
}

// A diskette written from the show compares the same; each section found otherwise gets
// its line, and the command then fails.
TEST_F(CliTest, DiskVerifyNamesEachSectionThatDiffers)
{
    const std::string img = dir.file("show.img");
    ASSERT_EQ(Cli({"disk", "new", img}).code, 0);
    ASSERT_EQ(Cli({"disk", "write", s_full, img}).code, 0);

    const TRun same = Cli({"disk", "verify", s_full, img});
    EXPECT_EQ(same.code, 0) << same.err;
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(same.err, "");

    // One byte of a cue record and one of the second piece of the Quorvel positions.
    Bytes bytes = ReadAll(img);
    bytes[std::size_t{1500} * kSectorSize + 7] ^= 0xFF;
    bytes[std::size_t{216} * kSectorSize] ^= 0x01;
    WriteAll(img, bytes);
    const TRun differs = Cli({"disk", "verify", s_full, img});
    EXPECT_EQ(differs.code, 1);
    EXPECT_EQ(Lines(differs.out), (std::vector<std::string>{"cue: differs", "quorvel: differs"}));
    EXPECT_EQ(differs.err, "lumora-cli: " + img + ": 2 sections differ from " + s_full + "\n");

    const TRun chosen = Cli({"disk", "verify", s_full, img, "--sections", "patch,profile,macro,effects,submaster"});
    EXPECT_EQ(chosen.code, 0) << chosen.err;
    EXPECT_EQ(chosen.out, "");
    const TRun cueOnly = Cli({"disk", "verify", s_full, img, "--sections", "cue"});
    EXPECT_EQ(cueOnly.code, 1);
    EXPECT_EQ(cueOnly.out, "cue: differs\n");
    EXPECT_EQ(cueOnly.err, "lumora-cli: " + img + ": 1 section differs from " + s_full + "\n");

    // A diskette that holds only some sections.
    const std::string part = dir.file("part.img");
    ASSERT_EQ(Cli({"disk", "new", part}).code, 0);
    ASSERT_EQ(Cli({"disk", "write", s_full, part, "--sections", "cue,patch"}).code, 0);
    const TRun absent = Cli({"disk", "verify", s_full, part});
    EXPECT_EQ(absent.code, 1);
    EXPECT_EQ(Lines(absent.out),
              (std::vector<std::string>{"profile: not on the diskette", "macro: not on the diskette",
                                        "effects: not on the diskette", "submaster: not on the diskette",
                                        "quorvel: not on the diskette"}));
    EXPECT_EQ(Cli({"disk", "verify", s_full, part, "--sections", "patch,cue"}).code, 0);

    // Nothing to compare with: a failure of its own, with no section lines.
    const TRun none = Cli({"disk", "verify", s_full, dir.file("none.img")});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("no diskette image"), std::string::npos) << none.err;
    EXPECT_EQ(Cli({"disk", "verify", s_full}).code, 2);
    EXPECT_EQ(ReadAll(part).size(), kDisketteBytes);
}

// ---- the program as a process

std::string Quoted(const std::string& text)
{
    std::string q = "'";
    for (const char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

int RunProgram(const std::string& arguments, const std::string& outFile, const std::string& errFile)
{
    const std::string command =
        Quoted(LUMORA_CLI_PATH) + " " + arguments + " >" + Quoted(outFile) + " 2>" + Quoted(errFile);
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(CliTest, TheProgramExitsWithTheStatusesAndWritesTheStreams)
{
    const std::string out = dir.file("out.txt");
    const std::string err = dir.file("err.txt");
    auto text = [](const std::string& path) {
        const Bytes b = ReadAll(path);
        return std::string(b.begin(), b.end());
    };

    EXPECT_EQ(RunProgram("dump " + Quoted(s_full), out, err), 0);
    EXPECT_TRUE(text(out) == *s_dump);
    EXPECT_EQ(text(err), "");

    EXPECT_EQ(RunProgram("dump " + Quoted(s_badCue), out, err), 1);
    EXPECT_EQ(text(err), "lumora-cli: " + s_badCue + ": Error reading data from file. (Invalid cue type.)\n");
    EXPECT_EQ(text(out), "");

    const std::string img = dir.file("verify.img");
    EXPECT_EQ(RunProgram("disk new " + Quoted(img), out, err), 0);
    EXPECT_EQ(RunProgram("disk verify " + Quoted(s_full) + " " + Quoted(img) + " --sections effects", out, err), 1);
    EXPECT_EQ(text(out), "effects: not on the diskette\n");
    EXPECT_EQ(RunProgram("disk write " + Quoted(s_full) + " " + Quoted(img), out, err), 0) << text(err);
    EXPECT_EQ(RunProgram("disk verify " + Quoted(s_full) + " " + Quoted(img), out, err), 0) << text(err);
    EXPECT_EQ(text(out), "");

    EXPECT_EQ(RunProgram("info --all " + Quoted(s_full), out, err), 2);
    EXPECT_EQ(text(err), "lumora-cli: unknown option --all\n" + UsageText());

    EXPECT_EQ(RunProgram("build - -o " + Quoted(dir.file("piped.lmr")) + " <" + Quoted(s_json), out, err), 0)
        << text(err);
    EXPECT_EQ(RunProgram("dump " + Quoted(dir.file("piped.lmr")), out, err), 0);
    EXPECT_TRUE(text(out) == *s_dump);
}

} // namespace
} // namespace lumora::cli
