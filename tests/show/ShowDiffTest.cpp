#include "show/ShowDiff.h"

#include "show/DirectDisk.h"
#include "show/LumoraError.h"
#include "show/Sections.h"
#include "show/ShowCheck.h"
#include "show/ShowDisk.h"
#include "show/ShowFile.h"
#include "show/ShowSource.h"
#include "support/ConsistentShow.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <random>

namespace lumora {
namespace {

struct TPair {
    std::unique_ptr<TShow> a = std::make_unique<TShow>();
    std::unique_ptr<TShow> b = std::make_unique<TShow>();
    std::string notesA, notesB;

    TPair()
    {
        a->ResetShow();
        b->ResetShow();
    }

    TShowDiff diff(TPresenceFlags chosen = {1, 1, 1, 1, 1, 1, 1}) const
    {
        return DiffShows({a.get(), &notesA}, {b.get(), &notesB}, chosen);
    }
    std::string text() const { return FormatDiffText(diff()); }
};

TCueRecord& AddCue(TShow& show, std::uint16_t number, std::uint8_t type = kCuePreset, const char* name = "")
{
    TCueList& list = show.cueList;
    TCueRecord& cue = list.cue(++list.count);
    cue.number = number;
    cue.type = type;
    cue.name = name;
    list.current = 1;
    return cue;
}

TEST(ShowDiff, TheSameShowsGiveNothing)
{
    TPair p;
    test::FillRandomShow(*p.a, 5);
    *p.b = *p.a;
    p.b->cueList.cueOnlyMode = true; // the screens' switch is no part of a stored show
    p.b->cueList.current = 3;
    EXPECT_TRUE(p.diff().same());
    EXPECT_EQ(p.text(), std::string(kDiffSame) + "\n");
}

// ---- Each kind: the text the designer reads

struct TKindCase {
    const char* name;
    std::function<void(TPair&)> make;
    const char* text;
};

const TKindCase kKinds[] = {
    {"Cues",
     [](TPair& p) {
         for (TShow* s : {p.a.get(), p.b.get()}) {
             AddCue(*s, 10);
             AddCue(*s, 20, kCuePreset, "Wash");
         }
         AddCue(*p.a, 30);
         TCueRecord& added = AddCue(*p.b, 45, kCueTrack, "New");
         added.levels[0] = 255;
         TCueRecord& x = p.a->cueList.cue(2);
         TCueRecord& y = p.b->cueList.cue(2);
         x.timeUp = 30;
         y.timeUp = 55;
         y.name = "Blue";
         y.type = kCueTrack;
         y.link = 10;
         y.macro = 7;
         x.levels[11] = 128;
         y.levels[11] = 153;
         TCueList::SetHard(y, 13, true);
         x.levels[13] = 1;
         TCueList::SetHard(x, 15, true);
         x.levels[14] = 255;
         TCueList::SetHard(y, 15, false);
     },
     "Cues (3)\n"
     "~ cue 2\n"
     "    name: \"Wash\" \u2192 \"Blue\"\n"
     "    type: Preset \u2192 Track\n"
     "    time up: 3 \u2192 5.5\n"
     "    link: none \u2192 1\n"
     "    macro: none \u2192 7\n"
     "    ch 12: 50 \u2192 60\n"
     "    ch 13: tracked \u2192 hard\n"
     "    ch 14: 0 \u2192 0 (level 1 \u2192 0)\n"
     "    ch 15: 100 \u2192 0, hard \u2192 tracked\n"
     "- cue 3 (removed)\n"
     "    Preset \"\", 0 channels above 0\n"
     "+ cue 4.5 (added)\n"
     "    Track \"New\", 1 channel above 0\n"},
    {"Subs",
     [](TPair& p) {
         p.b->sub(1, 1).SubType = kSubNormal;
         p.b->sub(1, 1).Name = "Front           ";
         p.b->sub(1, 1).Levels = {255, 128};
         for (TShow* s : {p.a.get(), p.b.get()}) {
             s->sub(3, 7).SubType = kSubInhibit;
             s->sub(3, 7).Name = "Side            ";
         }
         p.b->sub(3, 7).Name = "Side   ";
         p.b->sub(3, 7).TimeHold = 25;
         p.a->sub(3, 7).Levels[511] = 255;
         p.a->sub(12, 24).SubType = kSubSolo;
     },
     "Subs (3)\n"
     "+ sub 1/1 (added)\n"
     "    Normal \"Front           \", 2 channels above 0\n"
     "~ sub 3/7\n"
     "    name: \"Side            \" \u2192 \"Side   \"\n"
     "    time hold: 0 \u2192 2.5\n"
     "    ch 512: 100 \u2192 0\n"
     "- sub 12/24 (removed)\n"
     "    Solo \"\", 0 channels above 0\n"},
    {"Effects",
     [](TPair& p) {
         for (TShow* s : {p.a.get(), p.b.get()}) {
             TEffect& e = s->effect(4);
             e.StepCount = 2;
             e.Entries[0] = {5, 128, 1};
             e.Entries[1] = {7, 255, 1};
         }
         TEffect& y = p.b->effect(4);
         y.Entries[0].EntryLevel = 153;
         y.Entries[1] = {9, 0, 2};
         y.EffectType = kEffectBounce;
         y.Name = "Chase";
         y.EffectTime = 12;
         p.b->effect(9).StepCount = 1;
     },
     "Effects (2)\n"
     "~ effect 4\n"
     "    name: \"Linear\" \u2192 \"Chase\"\n"
     "    type: Forward \u2192 Bounce\n"
     "    time: 0 \u2192 1.2\n"
     "    step 1, ch 5: 50 \u2192 60\n"
     "    step 1, ch 7: removed (was 100)\n"
     "    step 2, ch 9: added at 0\n"
     "+ effect 9 (added)\n"
     "    Forward \"Linear\", 1 step, 0 levels\n"},
    {"Macros",
     [](TPair& p) {
         p.a->macro(41).Keys = {1};
         p.b->macro(41).Keys = {1, 69, 70};
         p.b->macro(2).Keys = {kKeyRunPosition, 3, kKeyLoadSubHandle, 2, 5};
         p.a->macro(3).Keys = {0, 22};
         p.b->macro(3).Keys = {22};
         p.a->macro(2500).Keys = {9};
     },
     "Macros (4)\n"
     "+ macro 2 (added)\n"
     "    keys: Run Position 3, Load Sub Handle 2 With 5\n"
     "~ macro 3\n"
     "    bytes: 0 22 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 \u2192 22 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
     "~ macro 41\n"
     "    keys: AB GO \u2192 AB GO, 1, ENTER\n"
     "- macro 2500 (removed)\n"
     "    keys: UNDEFINED\n"},
    {"Patch",
     [](TPair& p) {
         TPatchEntry& d = p.b->patch(1).dimmer(17);
         d.Channel = 18;
         d.Level = 80;
         d.Profile = 1;
         d.Nondim = true;
         TPatchEntry& parked = p.b->patch(2).dimmer(5);
         parked.Park = parked.Nondim = true;
         parked.Channel = kParkedChannel;
     },
     "Patch (2)\n"
     "~ dimmer 1/17\n"
     "    channel: 17 \u2192 18\n"
     "    level: 100 \u2192 80\n"
     "    profile: 1 \u2192 2\n"
     "    non-dim: no \u2192 yes\n"
     "~ dimmer 2/5\n"
     "    channel: 5 \u2192 parked\n"},
    {"Profiles",
     [](TPair& p) {
         TProfile& x = p.b->profile(5);
         x.name = "Mine";
         for (int i = 10; i <= 40; ++i)
             x.curve[i] = 0;
         x.curve[50] = 1;
         p.b->profile(25).curve[255] = 0;
     },
     "Profiles (2)\n"
     "~ profile 5\n"
     "    name: \"Square Law\" \u2192 \"Mine\"\n"
     "    curve: inputs 10\u201340, 50 changed\n"
     "~ profile 25\n"
     "    curve: input 255 changed\n"},
    {"Quorvel",
     [](TPair& p) {
         TQVType& t = p.b->quorvel.type(2);
         t.name = "Spot";
         t.attrNames[0] = "Pan";
         t.width[0] = 1;
         t.source[0] = 1;
         t.mastering[0] = 2;
         TQVDevice& d = p.b->quorvel.device(9);
         d.type = 2;
         d.address = 101;
         p.a->quorvel.device(9).name = "Left";
         p.b->quorvel.device(9).name = "Left";
         TQVAction& a = p.b->quorvel.action(4);
         a.positions[2] = 7;
         a.times[2] = 25;
         a.loops = kQvLoopsContinuous;
         TQVPosition& q = p.b->quorvel.position(12);
         q.slotDevices[0] = 9;
         q.valueMap[100] = 20;
         q.timeMap[100] = kQvNoTime;
     },
     "QV Types (1)\n"
     "+ QV type 2 (added)\n"
     "    name: \"\" \u2192 \"Spot\"\n"
     "    attribute 1 name: \"\" \u2192 \"Pan\"\n"
     "    attribute 1 source: none \u2192 X\n"
     "    attribute 1 width: 8 Bit \u2192 16 Bit\n"
     "    attribute 1 mastering: none \u2192 Inverted\n"
     "\n"
     "QV Devices (1)\n"
     "~ QV device 9\n"
     "    type: none \u2192 2\n"
     "    address: none \u2192 101\n"
     "\n"
     "QV Actions (1)\n"
     "+ QV action 4 (added)\n"
     "    step 3 position: none \u2192 7\n"
     "    step 3 time: 0 \u2192 2.5\n"
     "    loops: 0 \u2192 Continuous\n"
     "\n"
     "QV Positions (1)\n"
     "+ QV position 12 (added)\n"
     "    slot 1 device: none \u2192 9\n"
     "    DMX 101 value: 0 \u2192 20\n"
     "    time at 101: 0 \u2192 none\n"},
    {"Notes",
     [](TPair& p) {
         p.notesA = "Act 1\r\nfocus at 10\r\nend";
         p.notesB = "Act 1\r\nfocus at 11\r\nend\r\nnew line";
     },
     "Notes (1)\n"
     "~ notes\n"
     "    - focus at 10\n"
     "    + focus at 11\n"
     "    + new line\n"},
};

class ShowDiffKinds : public testing::TestWithParam<TKindCase> {};

TEST_P(ShowDiffKinds, ListsWhatChanged)
{
    TPair p;
    GetParam().make(p);
    EXPECT_EQ(p.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ShowDiffKinds, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<TKindCase>& info) { return std::string(info.param.name); });

TEST(ShowDiff, GroupsComeInKindOrderAndOnlyChosenSectionsCount)
{
    TPair p;
    AddCue(*p.b, 10);
    p.b->macro(1).Keys[0] = 1;
    p.b->patch(1).dimmer(1).Level = 5;
    p.b->quorvel.device(1).address = 1;
    p.notesB = "x";
    const TShowDiff all = p.diff();
    std::vector<TDiffKind> kinds;
    for (const TDiffGroup& g : all.groups)
        kinds.push_back(g.kind);
    EXPECT_EQ(kinds, (std::vector<TDiffKind>{TDiffKind::Cues, TDiffKind::Macros, TDiffKind::Patch, TDiffKind::QvDevices,
                                             TDiffKind::Notes}));
    EXPECT_EQ(all.entryCount(), 5u);

    // Only the patch chosen: the notes belong to no section and go too.
    const TShowDiff patch = p.diff({1, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(patch.groups.size(), 1u);
    EXPECT_EQ(patch.groups[0].kind, TDiffKind::Patch);

    // A side without the Cue section (a diskette that lacks it) leaves cues out.
    TDiffSide a{p.a.get(), &p.notesA}, b{p.b.get(), &p.notesB};
    a.sections[static_cast<int>(TSection::Cue)] = 0;
    b.notesPresent = false;
    const TShowDiff partial = DiffShows(a, b);
    EXPECT_EQ(partial.groups.front().kind, TDiffKind::Macros);
    EXPECT_EQ(partial.groups.back().kind, TDiffKind::QvDevices);
    EXPECT_EQ(ComparedSections(a, b, {1, 1, 1, 1, 1, 1, 1}), (TPresenceFlags{1, 1, 1, 1, 1, 0, 1}));
}

TEST(ShowDiff, ProfileNamesAreLeftOutWhenOneSideHasNone)
{
    TPair p;
    p.b->profile(3).name = "Mine";
    p.b->profile(3).curve[0] = 0;
    TDiffSide a{p.a.get(), &p.notesA}, b{p.b.get(), &p.notesB};
    b.profileNames = false;
    EXPECT_EQ(FormatDiffText(DiffShows(a, b)), "Profiles (1)\n~ profile 3\n    curve: input 0 changed\n");
}

TEST(ShowDiff, CuesOfRepeatedNumbersPairInTheirOrder)
{
    TPair p;
    for (TShow* s : {p.a.get(), p.b.get()}) {
        AddCue(*s, 10, kCuePreset, "first");
        AddCue(*s, 10, kCuePreset, "second");
    }
    AddCue(*p.b, 10, kCuePreset, "third");
    EXPECT_EQ(p.text(), "Cues (1)\n+ cue 1 (added)\n    Preset \"third\", 0 channels above 0\n");
}

TEST(ShowDiff, FullShowsDifferingEverywhere)
{
    TPair p;
    test::FillFullShow(*p.a, 1);
    test::FillFullShow(*p.b, 2);
    const TShowDiff diff = p.diff();
    EXPECT_EQ(diff.groups.size(), static_cast<std::size_t>(kDiffKindCount - 1)); // no notes
    for (const TDiffGroup& g : diff.groups)
        for (const TDiffEntry& e : g.entries)
            EXPECT_FALSE(e.lines.empty()) << e.object;
    EXPECT_NE(FormatDiffText(diff).find("~ cue "), std::string::npos);
}

// Whatever values a loaded show holds (the unpacks check next to nothing), the check and
// the comparison read inside their arrays and finish.
TEST(ShowDiff, ShowsUnpackedFromRandomBytesAreCheckedAndCompared)
{
    auto image = std::make_unique<TShowImage>();
    TPair p;
    for (const std::uint32_t seed : {1u, 2u, 3u}) {
        std::mt19937 rng(seed);
        for (std::uint8_t& byte : image->file())
            byte = static_cast<std::uint8_t>(rng());
        for (int s = 0; s < kSectionCount; ++s) {
            try {
                UnpackSection(*p.b, *image, static_cast<TSection>(s));
            } catch (const ELumoraError&) {
                // a type code out of range: the section stays as far as it was read
            }
        }
        p.notesB = std::string(image->notes().begin(), image->notes().end());
        const auto findings = CheckShow(*p.b);
        EXPECT_FALSE(findings.empty());
        for (const TCheckFinding& f : findings)
            EXPECT_FALSE(f.text.empty());
        const TShowDiff diff = p.diff();
        EXPECT_FALSE(diff.same());
        EXPECT_FALSE(FormatDiffText(diff).empty());
    }
}

// ---- Shows read from files and diskette images

class ShowSourceTest : public testing::Test {
protected:
    test::TTempDir dir;
    test::TRecordingUi ui;

    std::string saveFull(const std::string& name, std::uint32_t seed, TEditorState& state)
    {
        test::FillConsistentFullShow(state.show(), seed);
        state.globals.notes = "notes of " + name;
        SaveShowFile(state, dir.file(name));
        return dir.file(name);
    }
};

TEST_F(ShowSourceTest, TheEditorsShowAsSavedMatchesItsFileAndADisketteOfPartOfIt)
{
    TEditorState state(ui);
    const std::string file = saveFull("a.lmr", 3, state);
    // Names the screens keep unpadded come back padded: no difference once compiled.
    state.show().sub(1, 1).Name = "Pad";
    state.show().sub(1, 1).SubType = kSubNormal;
    SaveShowFile(state, file);

    const TShowSource fromFile = ReadShowSource(ui, file);
    const TShowSource compiled = CompiledShow(state);
    EXPECT_TRUE(DiffShows(compiled.side(), fromFile.side()).same())
        << FormatDiffText(DiffShows(compiled.side(), fromFile.side()));
    EXPECT_FALSE(fromFile.diskette);
    EXPECT_EQ(fromFile.notes, "notes of a.lmr");

    // A diskette with the cues and the profiles only.
    const std::string img = dir.file("tour.img");
    std::ofstream(img, std::ios::binary) << std::string(kDisketteBytes, '\0');
    state.globals.presence = {0, 1, 0, 0, 0, 1, 0};
    TDirDisk disk(MakePosixDiskBackend(img));
    ASSERT_TRUE(WriteShowDisk(state, disk, 'A'));
    ui.clear();
    const TShowSource fromDisk = ReadShowSource(ui, img);
    EXPECT_TRUE(fromDisk.diskette);
    EXPECT_EQ(fromDisk.sections, (TPresenceFlags{0, 1, 0, 0, 0, 1, 0}));
    EXPECT_TRUE(ui.messages().empty()); // nobody is asked about the sections it lacks
    EXPECT_TRUE(DiffShows(fromDisk.side(), fromFile.side()).same());

    // The cues of another show differ; its other sections are not looked at.
    TEditorState other(ui);
    const TShowSource b = ReadShowSource(ui, saveFull("b.lmr", 4, other));
    const TShowDiff diff = DiffShows(fromDisk.side(), b.side());
    ASSERT_FALSE(diff.same());
    for (const TDiffGroup& g : diff.groups)
        EXPECT_TRUE(g.kind == TDiffKind::Cues || g.kind == TDiffKind::Profiles);

    // Only the wanted sections are read.
    EXPECT_EQ(ReadShowSource(ui, img, {1, 1, 1, 1, 1, 0, 1}).sections, (TPresenceFlags{0, 1, 0, 0, 0, 0, 0}));
}

TEST_F(ShowSourceTest, WhatIsNeitherAShowNorADisketteIsRefused)
{
    std::ofstream(dir.file("short.lmr"), std::ios::binary) << "short";
    const auto message = [&](const std::string& path) {
        try {
            ReadShowSource(ui, path);
        } catch (const ELumoraError& e) {
            return std::string(e.what()) + " | " + e.detail();
        }
        return std::string("no error");
    };
    EXPECT_EQ(message(dir.file("short.lmr")),
              std::string(kMsgIncompatibleFile) + " | 5 bytes; a show file has 1367881, a diskette image 1474560");
    EXPECT_EQ(message(dir.file("none.lmr")), std::string(kMsgErrorReadingFile) + " | No such file or directory");
    EXPECT_EQ(message(dir.path().string()).substr(0, std::string(kMsgIncompatibleFile).size()), kMsgIncompatibleFile);
    // A blank diskette holds no section: read, it compares nothing.
    std::ofstream(dir.file("blank.img"), std::ios::binary) << std::string(kDisketteBytes, '\0');
    EXPECT_EQ(ReadShowSource(ui, dir.file("blank.img")).sections, TPresenceFlags{});
}

TEST_F(ShowSourceTest, AShowThatCannotBeCompiledRaisesTheCompileError)
{
    TEditorState state(ui);
    AddCue(state.show(), 10, 7);
    EXPECT_THROW(CompiledShow(state), ELumoraError);
}

} // namespace
} // namespace lumora
