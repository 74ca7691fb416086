#include "show/ShowCheck.h"

#include "support/ConsistentShow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lumora {
namespace {

using Severity = TCheckSeverity;

void AddCue(TShow& show, std::uint16_t number, std::uint8_t type = kCuePreset)
{
    TCueList& list = show.cueList;
    TCueRecord& cue = list.cue(++list.count);
    cue = {};
    cue.number = number;
    cue.type = type;
    list.current = 1;
}

// A QV type whose attributes are the given widths (0 = 8 bit, 1 = 16 bit).
void DefineType(TShow& show, int number, const char* name, std::initializer_list<int> widths)
{
    TQVType& type = show.quorvel.type(number);
    type.name = name;
    int k = 0;
    for (const int w : widths) {
        type.attrNames[k] = "A" + std::to_string(k + 1);
        type.width[k] = static_cast<std::uint8_t>(w);
        ++k;
    }
}

void SetDevice(TShow& show, int number, int type, int address)
{
    show.quorvel.device(number).type = static_cast<std::uint16_t>(type);
    show.quorvel.device(number).address = static_cast<std::uint16_t>(address);
}

void SetMacro(TShow& show, int number, std::initializer_list<int> keys, int at = 0)
{
    TMacro& macro = show.macro(number);
    for (const int k : keys)
        macro.Keys[at++] = static_cast<std::uint8_t>(k);
    macro.KeyCount = static_cast<std::uint8_t>(keys.size());
}

std::unique_ptr<TShow> NewShow()
{
    return std::make_unique<TShow>();
}

TEST(ShowCheck, NewShowAndConsistentFullShowsAreClean)
{
    EXPECT_TRUE(CheckShow(*NewShow()).empty());
    auto show = NewShow();
    for (const std::uint32_t seed : {1u, 2u, 77u}) {
        test::FillConsistentFullShow(*show, seed);
        const auto findings = CheckShow(*show);
        EXPECT_TRUE(findings.empty()) << "seed " << seed << ": "
                                      << (findings.empty() ? "" : FormatFinding(findings[0]));
    }
}

// ---- One planted fault per show, and the one finding it gives

struct TPlanted {
    const char* name;
    std::function<void(TShow&)> plant;
    const char* kind;
    Severity severity;
    const char* object;
    const char* says; // part of the sentence
};

const TPlanted kPlanted[] = {
    {"link to a cue that does not exist",
     [](TShow& s) {
         AddCue(s, 10);
         AddCue(s, 125);
         s.cueList.cue(2).link = 130;
     },
     "cue-link-missing", Severity::Error, "cue 12.5", "links to cue 13, which does not exist"},
    {"macro of a cue is empty",
     [](TShow& s) {
         AddCue(s, 10);
         s.cueList.cue(1).macro = 7;
     },
     "cue-macro-empty", Severity::Warning, "cue 1", "macro 7, which is empty"},
    {"macro of a cue beyond 2500",
     [](TShow& s) {
         AddCue(s, 10);
         s.cueList.cue(1).macro = 2501;
     },
     "cue-macro-missing", Severity::Error, "cue 1", "macro 2501"},
    {"macro that holds only its end mark counts as empty",
     [](TShow& s) {
         AddCue(s, 10);
         s.cueList.cue(1).macro = 8;
         SetMacro(s, 8, {255});
     },
     "cue-macro-empty", Severity::Warning, "cue 1", "macro 8"},
    {"two cues of one number",
     [](TShow& s) {
         AddCue(s, 10);
         AddCue(s, 10);
     },
     "cue-number-duplicate", Severity::Error, "cue 1", "same number"},
    {"cue of number 0", [](TShow& s) { AddCue(s, 0); }, "cue-number-zero", Severity::Error, "cue 0",
     "saving the show drops it"},
    {"cues out of order",
     [](TShow& s) {
         AddCue(s, 20);
         AddCue(s, 15);
     },
     "cue-order", Severity::Error, "cue 1.5", "after cue 2"},
    {"cue type beyond Multipart", [](TShow& s) { AddCue(s, 10, 5); }, "cue-type-invalid", Severity::Error, "cue 1",
     "type code 5"},
    {"fade time beyond 999.9 s",
     [](TShow& s) {
         AddCue(s, 10);
         s.cueList.cue(1).timeUp = 10000;
     },
     "cue-time-range", Severity::Warning, "cue 1", "fade up time of 1000 s"},
    {"cue number as large as a word holds",
     [](TShow& s) {
         AddCue(s, 65535);
         s.cueList.cue(1).link = 65534;
     },
     "cue-link-missing", Severity::Error, "cue 6553.5", "6553.4"},
    {"sub of type None with levels", [](TShow& s) { s.sub(3, 7).Levels[99] = 1; }, "sub-levels-without-type",
     Severity::Warning, "sub 3/7", "type is None"},
    {"sub type beyond Solo", [](TShow& s) { s.sub(12, 24).SubType = 4; }, "sub-type-invalid", Severity::Error,
     "sub 12/24", "type code 4"},
    {"effect entry beyond its step count",
     [](TShow& s) {
         TEffect& e = s.effect(4);
         e.StepCount = 2;
         e.Entries[0] = {5, 10, 1};
         e.Entries[1] = {5, 10, 3};
         e.Entries[2] = {6, 10, 3};
     },
     "effect-step-above-count", Severity::Error, "effect 4",
     "Entry 2 is on step 3, but the effect has only 2 steps (2 entries in all)"},
    {"effect entry on step 0",
     [](TShow& s) {
         TEffect& e = s.effect(50);
         e.StepCount = 1;
         e.Entries[7] = {5, 10, 0};
     },
     "effect-step-range", Severity::Error, "effect 50", "Entry 8 is on step 0"},
    {"effect entry on step 101",
     [](TShow& s) {
         TEffect& e = s.effect(1);
         e.StepCount = 100;
         e.Entries[0] = {5, 10, 101};
     },
     "effect-step-range", Severity::Error, "effect 1", "step 101"},
    {"effect entry on channel 513",
     [](TShow& s) {
         TEffect& e = s.effect(2);
         e.StepCount = 1;
         e.Entries[0] = {513, 10, 1};
     },
     "effect-channel-range", Severity::Error, "effect 2", "channel 513"},
    {"effect of 101 steps", [](TShow& s) { s.effect(3).StepCount = 101; }, "effect-step-count-range", Severity::Error,
     "effect 3", "101 steps"},
    {"effect type beyond Random", [](TShow& s) { s.effect(3).EffectType = 5; }, "effect-type-invalid", Severity::Error,
     "effect 3", "type code 5"},
    {"macro runs an empty position",
     [](TShow& s) {
         SetMacro(s, 41, {kKeyRunPosition, 12});
     },
     "macro-position-empty", Severity::Warning, "macro 41", "Run Position 12 at key 1"},
    {"macro runs position 0",
     [](TShow& s) {
         SetMacro(s, 41, {1, kKeyRunPosition, 0});
     },
     "macro-position-missing", Severity::Error, "macro 41", "Run Position 0 at key 2"},
    {"macro runs position 101",
     [](TShow& s) {
         SetMacro(s, 41, {kKeyRunPosition, 101});
     },
     "macro-position-missing", Severity::Error, "macro 41", "Run Position 101"},
    {"macro runs an empty action",
     [](TShow& s) {
         SetMacro(s, 2500, {kKeyRunAction, 5});
     },
     "macro-action-empty", Severity::Warning, "macro 2500", "Run Action 5"},
    {"macro runs action 200",
     [](TShow& s) {
         SetMacro(s, 1, {kKeyRunAction, 200});
     },
     "macro-action-missing", Severity::Error, "macro 1", "Run Action 200"},
    {"macro loads an effect that is not defined",
     [](TShow& s) {
         SetMacro(s, 1, {kKeyLoadSubHandle, 3, 4});
     },
     "macro-effect-undefined", Severity::Warning, "macro 1", "Load Sub Handle 3 With 4"},
    {"macro loads effect 51",
     [](TShow& s) {
         SetMacro(s, 1, {kKeyLoadSubHandle, 3, 51});
     },
     "macro-effect-missing", Severity::Error, "macro 1", "With 51"},
    {"macro holds a code that is no key", [](TShow& s) { SetMacro(s, 1, {9}); }, "macro-key-undefined",
     Severity::Warning, "macro 1", "Code 9 at key 1"},
    {"special entry cut off at the end", [](TShow& s) { SetMacro(s, 1, {kKeyRunPosition}, 19); }, "macro-special-cut",
     Severity::Warning, "macro 1", "Run Position entry at key 20"},
    {"dimmer fed by channel 600", [](TShow& s) { s.patch(1).dimmer(17).Channel = 600; }, "patch-channel-range",
     Severity::Error, "dimmer 1/17", "channel 600"},
    {"dimmer level above 100", [](TShow& s) { s.patch(2).dimmer(1024).Level = 101; }, "patch-level-range",
     Severity::Error, "dimmer 2/1024", "101 %"},
    {"dimmer on profile 26", [](TShow& s) { s.patch(1).dimmer(1).Profile = 25; }, "patch-profile-range",
     Severity::Error, "dimmer 1/1", "profile 26"},
    {"channel a cue uses but no dimmer follows",
     [](TShow& s) {
         s.patch(1).dimmer(17).Channel = 0;
         s.patch(2).dimmer(17).Park = true; // a parked dimmer follows no channel
         s.patch(2).dimmer(17).Channel = 17;
         AddCue(s, 10);
         AddCue(s, 25);
         s.cueList.cue(2).levels[16] = 1;
     },
     "channel-unpatched", Severity::Warning, "channel 17", "the first is cue 2.5"},
    {"two devices on the same DMX channels",
     [](TShow& s) {
         DefineType(s, 1, "Spot", {0, 1}); // three channels
         SetDevice(s, 1, 1, 10);           // 10..12
         SetDevice(s, 2, 1, 12);           // 12..14
     },
     "qv-device-overlap", Severity::Error, "QV device 2", "12\u201314 overlap those of QV device 1 (10\u201312)"},
    {"device running past 1024",
     [](TShow& s) {
         DefineType(s, 1, "Spot", {0, 1});
         SetDevice(s, 1, 1, 1023);
     },
     "qv-device-past-end", Severity::Error, "QV device 1", "1023\u20131025 run past 1024"},
    {"device of a type without attributes",
     [](TShow& s) {
         s.quorvel.type(2).name = "Nothing";
         s.quorvel.type(2).attrNames[30] = "Late"; // beyond the 25 a position holds
         SetDevice(s, 9, 2, 1);
     },
     "qv-device-type-empty", Severity::Warning, "QV device 9", "QV type 2, has no attributes"},
    {"device of type 9", [](TShow& s) { SetDevice(s, 40, 9, 1); }, "qv-device-type-missing", Severity::Error,
     "QV device 40", "type 9"},
    {"position slot names a device without address",
     [](TShow& s) {
         DefineType(s, 1, "Spot", {0});
         SetDevice(s, 9, 1, 0);
         s.quorvel.position(12).slotDevices[2] = 9;
     },
     "qv-position-device-incomplete", Severity::Error, "QV position 12",
     "Slot 3 names QV device 9, which has no address"},
    {"position slot names a device without type",
     [](TShow& s) {
         SetDevice(s, 9, 0, 5);
         s.quorvel.position(1).slotDevices[0] = 9;
     },
     "qv-position-device-incomplete", Severity::Error, "QV position 1", "which has no type."},
    {"position slot names device 41", [](TShow& s) { s.quorvel.position(100).slotDevices[19] = 41; },
     "qv-position-device-missing", Severity::Error, "QV position 100", "Slot 20 names QV device 41"},
    {"two types of one name",
     [](TShow& s) {
         DefineType(s, 1, "Spot", {0});
         DefineType(s, 3, "Spot", {0});
     },
     "qv-type-name-duplicate", Severity::Warning, "QV type 3", "same name as QV type 1 (\"Spot\")"},
    {"action step runs position 101", [](TShow& s) { s.quorvel.action(7).positions[4] = 101; },
     "qv-action-position-missing", Severity::Error, "QV action 7", "Step 5 runs QV position 101"},
};

class ShowCheckPlanted : public testing::TestWithParam<TPlanted> {};

TEST_P(ShowCheckPlanted, GivesItsOneFinding)
{
    const TPlanted& c = GetParam();
    auto show = NewShow();
    c.plant(*show);
    const auto findings = CheckShow(*show);
    ASSERT_EQ(findings.size(), 1u) << (findings.empty() ? "none" : FormatFinding(findings[0]));
    const TCheckFinding& f = findings[0];
    EXPECT_EQ(f.kind, c.kind);
    EXPECT_EQ(f.severity, c.severity);
    EXPECT_EQ(f.object, c.object);
    EXPECT_NE(f.text.find(c.says), std::string::npos) << f.text;
    EXPECT_EQ(f.text.back(), '.') << f.text;
}

INSTANTIATE_TEST_SUITE_P(Faults, ShowCheckPlanted, testing::ValuesIn(kPlanted),
                         [](const testing::TestParamInfo<TPlanted>& info) {
                             std::string name;
                             for (const char ch : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

// ---- Edges that are fine

TEST(ShowCheck, NeighboursOnTheDmxLineAndALastDeviceEndingAt1024AreFine)
{
    auto show = NewShow();
    DefineType(*show, 1, "Spot", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    show->quorvel.type(1).attrNames[25] = "Extra"; // attribute 26: positions never hold it
    show->quorvel.type(1).width[25] = 1;
    SetDevice(*show, 1, 1, 1);   // 27 channels: 1..27
    SetDevice(*show, 2, 1, 28);  // 28..54
    SetDevice(*show, 3, 1, 998); // 998..1024
    SetDevice(*show, 4, 0, 0);   // unused
    show->quorvel.position(1).slotDevices = {1, 2, 3};
    SetMacro(*show, 1, {kKeyRunPosition, 1, kKeyLoadSubHandle, 0, 1, kKeyRunPosition}, 0);
    show->macro(1).Keys[6] = 1; // the last Run Position takes the byte after it as its number
    show->effect(1).StepCount = 1;
    AddCue(*show, 10);
    show->cueList.cue(1).link = 10; // a cue may link to itself
    show->cueList.cue(1).macro = 1;
    show->sub(1, 1).SubType = kSubNone;
    show->sub(1, 1).Name = "Old";
    show->quorvel.action(1).positions[0] = 1;
    SetMacro(*show, 2, {kKeyRunAction, 1});
    const auto findings = CheckShow(*show);
    EXPECT_TRUE(findings.empty()) << FormatFinding(findings[0]);
}

TEST(ShowCheck, OverlapsAreFoundPairByPairAndEachSayWithWhom)
{
    auto show = NewShow();
    DefineType(*show, 1, "Spot", {0, 0, 0, 0}); // 4 channels
    SetDevice(*show, 1, 1, 100);
    SetDevice(*show, 5, 1, 103);
    SetDevice(*show, 9, 1, 101);
    const auto findings = CheckShow(*show);
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].object, "QV device 5");
    EXPECT_NE(findings[0].text.find("QV device 1"), std::string::npos);
    EXPECT_EQ(findings[1].object, "QV device 9");
    EXPECT_NE(findings[1].text.find("QV device 1 "), std::string::npos);
    EXPECT_NE(findings[2].text.find("QV device 5 "), std::string::npos);
}

TEST(ShowCheck, TextsLinesAndSummaries)
{
    auto show = NewShow();
    EXPECT_EQ(CheckSummary(CheckShow(*show)), kCheckClean);
    AddCue(*show, 125);
    show->cueList.cue(1).link = 130;
    show->cueList.cue(1).macro = 3;
    auto findings = CheckShow(*show);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(FormatFinding(findings[0]), "error: cue 12.5: It links to cue 13, which does not exist.");
    EXPECT_EQ(FormatFinding(findings[1]), "warning: cue 12.5: It runs macro 3, which is empty.");
    EXPECT_EQ(CheckSummary(findings), "1 error and 1 warning.");
    EXPECT_TRUE(HasErrors(findings));
    findings.erase(findings.begin());
    EXPECT_EQ(CheckSummary(findings), "1 warning.");
    EXPECT_FALSE(HasErrors(findings));
    // Names are bytes of the show: é is byte 233, UTF-8 in the text.
    DefineType(*show, 1, "Proj\xe9", {0});
    DefineType(*show, 2, "Proj\xe9", {0});
    findings = CheckShow(*show);
    EXPECT_NE(findings.back().text.find("Proj\u00e9"), std::string::npos);
}

} // namespace
} // namespace lumora
