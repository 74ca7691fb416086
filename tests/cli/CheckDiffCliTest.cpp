#include "cli/Cli.h"
#include "cli/ShowJson.h"

#include "show/DirectDisk.h"
#include "show/ShowDisk.h"
#include "show/ShowFile.h"
#include "support/ConsistentShow.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/wait.h>

namespace lumora::cli {
namespace {

struct TRun {
    int code = -1;
    std::string out;
    std::string err;
};

TRun Cli(const std::vector<std::string>& args)
{
    std::istringstream in;
    std::ostringstream out, err;
    TRun run;
    run.code = RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class CheckDiffCli : public testing::Test {
protected:
    test::TTempDir dir;
    test::TRecordingUi ui;

    // A consistent full show, changed by edit, saved as name.
    std::string save(const std::string& name, const std::function<void(TEditorState&)>& edit = {},
                     std::uint32_t seed = 1)
    {
        TEditorState state(ui);
        test::FillConsistentFullShow(state.show(), seed);
        if (edit)
            edit(state);
        SaveShowFile(state, dir.file(name));
        return dir.file(name);
    }

    std::string image(const std::string& show, TPresenceFlags sections)
    {
        const std::string img = dir.file("tour.img");
        std::ofstream(img, std::ios::binary | std::ios::trunc) << std::string(kDisketteBytes, '\0');
        TEditorState state(ui);
        state.setAllPresent();
        LoadShowFile(state, show);
        state.globals.presence = sections;
        TDirDisk disk(MakePosixDiskBackend(img));
        EXPECT_TRUE(WriteShowDisk(state, disk, 'A'));
        return img;
    }
};

// A show whose cue 1 links nowhere (error), one whose macro 7 holds a code that is no key (warning).
void LinkNowhere(TEditorState& s)
{
    s.show().cueList.cue(1).link = 65000;
}
void UndefinedKey(TEditorState& s)
{
    s.show().macro(7).Keys = {9};
}

TEST_F(CheckDiffCli, CheckExitsByTheWorstFinding)
{
    const TRun clean = Cli({"check", save("clean.lmr")});
    EXPECT_EQ(clean.code, kExitOk);
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(clean.err, "");
    EXPECT_EQ(TJson::parse(Cli({"check", "--json", dir.file("clean.lmr")}).out), TJson::array());

    const std::string warned = save("warned.lmr", UndefinedKey);
    const TRun warnings = Cli({"check", warned});
    EXPECT_EQ(warnings.code, 3);
    EXPECT_EQ(warnings.out, "warning: macro 7: Code 9 at key 1 is no key of the console.\n");

    const std::string both = save("both.lmr", [](TEditorState& s) {
        LinkNowhere(s);
        UndefinedKey(s);
    });
    const TRun errors = Cli({"check", both});
    EXPECT_EQ(errors.code, 1);
    const auto lines = Lines(errors.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("error: cue ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("links to cue 6500, which does not exist."), std::string::npos);

    const TRun json = Cli({"check", both, "--json"});
    EXPECT_EQ(json.code, 1);
    const TJson parsed = TJson::parse(json.out);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0]["severity"], "error");
    EXPECT_EQ(parsed[0]["kind"], "cue-link-missing");
    EXPECT_EQ(parsed[1]["severity"], "warning");
    EXPECT_EQ(parsed[1]["kind"], "macro-key-undefined");
    EXPECT_EQ(parsed[1]["object"], "macro 7");
    EXPECT_EQ(parsed[1]["text"], "Code 9 at key 1 is no key of the console.");
}

TEST_F(CheckDiffCli, ShowsThatCannotBeReadFailWithTheirLineAndStatus4)
{
    const std::string none = dir.file("none.lmr");
    const TRun check = Cli({"check", none});
    EXPECT_EQ(check.code, kExitTrouble);
    EXPECT_EQ(check.out, "");
    EXPECT_EQ(Lines(check.err).size(), 1u);
    EXPECT_EQ(check.err.rfind("lumora-cli: " + none + ": Error Reading File.", 0), 0u) << check.err;

    const std::string show = save("a.lmr");
    const TRun diff = Cli({"diff", show, none});
    EXPECT_EQ(diff.code, kExitTrouble);
    EXPECT_EQ(diff.err, "lumora-cli: " + none + ": Error Reading File. (No such file or directory)\n");

    std::ofstream(dir.file("short.lmr")) << "x";
    EXPECT_EQ(Cli({"diff", dir.file("short.lmr"), show}).err,
              "lumora-cli: " + dir.file("short.lmr") + ": " + kMsgIncompatibleFile +
                  " (1 bytes; a show file has 1367881, a diskette image 1474560)\n");

    for (const std::vector<std::string>& usage :
         std::vector<std::vector<std::string>>{{"check"},
                                               {"check", show, show},
                                               {"check", show, "--sections", "cue"},
                                               {"diff", show},
                                               {"diff", show, show, "--sections", "lights"},
                                               {"diff", show, show, "--json=yes"}})
        EXPECT_EQ(Cli(usage).code, kExitUsage) << usage.size();
}

TEST_F(CheckDiffCli, DiffTellsTheSameFromTheDifferent)
{
    const std::string a = save("a.lmr");
    const std::string same = save("same.lmr");
    const TRun s = Cli({"diff", a, same});
    EXPECT_EQ(s.code, kExitOk);
    EXPECT_EQ(s.out, "The shows are the same.\n");
    EXPECT_EQ(TJson::parse(Cli({"diff", "--json", a, same}).out),
              TJson::parse(R"({"same": true, "compared": ["patch", "profile", "macro", "effects", "submaster", "cue",
                              "quorvel"], "groups": []})"));

    const std::string b = save("b.lmr", [](TEditorState& st) {
        TCueRecord& cue = st.show().cueList.cue(2);
        cue.levels[11] = cue.levels[11] == 255 ? 0 : 255;
        st.show().patch(1).dimmer(3).Level = st.show().patch(1).dimmer(3).Level == 7 ? 8 : 7;
        st.globals.notes = "changed";
    });
    const TRun d = Cli({"diff", a, b});
    EXPECT_EQ(d.code, kExitDiffers);
    EXPECT_NE(d.out.find("Cues (1)\n~ cue "), std::string::npos) << d.out;
    EXPECT_NE(d.out.find("Patch (1)\n~ dimmer 1/3\n    level: "), std::string::npos);
    EXPECT_NE(d.out.find("Notes (1)"), std::string::npos);

    const TJson j = TJson::parse(Cli({"diff", a, b, "--json"}).out);
    EXPECT_EQ(j["same"], false);
    ASSERT_EQ(j["groups"].size(), 3u);
    EXPECT_EQ(j["groups"][0]["kind"], "cues");
    EXPECT_EQ(j["groups"][0]["title"], "Cues");
    EXPECT_EQ(j["groups"][0]["entries"][0]["change"], "changed");
    EXPECT_EQ(j["groups"][0]["entries"][0]["lines"][0].get<std::string>().rfind("ch 12: ", 0), 0u);
    EXPECT_EQ(j["groups"][1]["kind"], "patch");
    EXPECT_EQ(j["groups"][2]["kind"], "notes");

    // Only the patch: the cues and the notes are left out (the sections chosen are all
    // compared, so no line says which).
    const TRun patch = Cli({"diff", a, b, "--sections", "patch"});
    EXPECT_EQ(patch.code, kExitDiffers);
    EXPECT_EQ(patch.out.rfind("Patch (1)\n~ dimmer 1/3\n", 0), 0u) << patch.out;
    EXPECT_EQ(Cli({"diff", a, b, "--sections=macro,quorvel"}).code, kExitOk);
}

TEST_F(CheckDiffCli, ADisketteImageIsComparedOnTheSectionsItHolds)
{
    const std::string a = save("a.lmr");
    const std::string img = image(a, {1, 0, 0, 0, 0, 1, 0});
    const TRun same = Cli({"diff", img, a});
    EXPECT_EQ(same.code, kExitOk) << same.out;
    EXPECT_EQ(same.out, "Sections compared: patch, cue\n\nThe shows are the same.\n");
    EXPECT_EQ(same.err, ""); // nobody is asked about the missing sections

    const std::string b = save("b.lmr", {}, 2);
    const TJson j = TJson::parse(Cli({"diff", "--json", b, img}).out);
    EXPECT_EQ(j["compared"], TJson::parse(R"(["patch", "cue"])"));
    for (const auto& g : j["groups"])
        EXPECT_TRUE(g["kind"] == "patch" || g["kind"] == "cues") << g["kind"];
}

int RunProgram(const std::string& arguments)
{
    const std::string command = std::string("'") + LUMORA_CLI_PATH + "' " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(CheckDiffCli, TheProgramExitsWithTheseStatuses)
{
    const std::string clean = save("clean.lmr");
    const std::string warned = save("warned.lmr", UndefinedKey);
    const std::string bad = save("bad.lmr", LinkNowhere);
    EXPECT_EQ(RunProgram("check '" + clean + "'"), 0);
    EXPECT_EQ(RunProgram("check '" + bad + "'"), 1);
    EXPECT_EQ(RunProgram("check '" + warned + "'"), 3);
    EXPECT_EQ(RunProgram("check '" + dir.file("none.lmr") + "'"), 4);
    EXPECT_EQ(RunProgram("diff '" + clean + "' '" + clean + "'"), 0);
    EXPECT_EQ(RunProgram("diff '" + clean + "' '" + bad + "'"), 1);
    EXPECT_EQ(RunProgram("diff '" + clean + "'"), 2);
}

} // namespace
} // namespace lumora::cli
