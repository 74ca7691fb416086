#include "cli/ShowJson.h"

#include "show/Sections.h"
#include "support/RandomShow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumora::cli {
namespace {

using Pointer = TJson::json_pointer;

// A full show with the corners the JSON must carry: bytes above 127 and control
// characters in names, a parked dimmer, spare words, 1024 characters of notes.
std::unique_ptr<TShow> CornerShow(std::string& notes)
{
    auto show = std::make_unique<TShow>();
    test::FillFullShow(*show, 8);
    show->cueList.cue(1).name = std::string_view("\xE9t\xE9\x01 \xFF", 6);
    show->subs[0][0].Name = std::string_view("A\0B\x7F\x80", 5);
    show->profiles[3].name = "\xA0\xBF\xC0\xFE";
    show->quorvel.types[2].attrNames[5] = "\xB5m";
    show->quorvel.devices[7].spare[19] = 0xBEEF;
    show->quorvel.devices[39].spare[0] = 1;
    show->patches[1].dimmer(1024) = {kParkedChannel, 40, 24, true, true};
    show->patches[1].dimmer(7) = {7, 100, 0, false, false};
    show->cueList.cueOnlyMode = true;
    show->cueList.current = 7;
    notes.assign(1024, 'n');
    notes[0] = '\xF7';
    return show;
}

TJson Reparsed(const TJson& json)
{
    return TJson::parse(FormatJson(json));
}

// The message ShowFromJson raises for json, or nothing when it takes it.
std::optional<std::string> RefusalOf(const TJson& json)
{
    auto show = std::make_unique<TShow>();
    std::string notes;
    try {
        ShowFromJson(json, *show, notes);
    } catch (const EShowJsonError& e) {
        return e.what();
    }
    return std::nullopt;
}

class ShowJsonTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_show = CornerShow(s_notes).release();
        s_json = new TJson(ShowToJson(*s_show, s_notes));
    }
    static void TearDownTestSuite()
    {
        delete s_json;
        delete s_show;
    }

    static TShow* s_show;
    static std::string s_notes;
    static TJson* s_json;
};

TShow* ShowJsonTest::s_show = nullptr;
std::string ShowJsonTest::s_notes;
TJson* ShowJsonTest::s_json = nullptr;

TEST_F(ShowJsonTest, ModelSurvivesTheTextFormExactly)
{
    auto back = std::make_unique<TShow>();
    std::string notes;
    ShowFromJson(Reparsed(*s_json), *back, notes);
    EXPECT_TRUE(*back == *s_show);
    EXPECT_EQ(notes, s_notes);
    // And the text itself is stable: printing what was read prints the same bytes.
    EXPECT_EQ(FormatJson(ShowToJson(*back, notes)), FormatJson(*s_json));
}

TEST_F(ShowJsonTest, KeysAndCountsFollowVersionOne)
{
    auto keys = [](const TJson& object) {
        std::vector<std::string> names;
        for (const auto& item : object.items())
            names.push_back(item.key());
        return names;
    };
    using Names = std::vector<std::string>;
    const TJson& j = *s_json;
    EXPECT_EQ(keys(j), (Names{"format", "version", "notes", "cues", "subs", "patches", "profiles", "effects", "macros",
                              "quorvel"}));
    EXPECT_EQ(j["format"], "lumora-show");
    EXPECT_EQ(j["version"], 1);
    EXPECT_EQ(keys(j["cues"]), (Names{"cueOnlyMode", "current", "list"}));
    EXPECT_EQ(j["cues"]["list"].size(), 1000u);
    EXPECT_EQ(keys(j["cues"]["list"][0]), (Names{"number", "type", "name", "timeUp", "timeDown", "delayUp", "delayDown",
                                                 "link", "macro", "levels", "hard"}));
    EXPECT_EQ(j["subs"].size(), 288u);
    EXPECT_EQ(keys(j["subs"][25]), (Names{"page", "sub", "type", "name", "timeUp", "timeHold", "timeDown", "levels"}));
    EXPECT_EQ(j["subs"][25]["page"], 2); // page-major
    EXPECT_EQ(j["subs"][25]["sub"], 2);
    EXPECT_EQ(j["patches"].size(), 2u);
    EXPECT_EQ(j["patches"][1].size(), 1024u);
    EXPECT_EQ(keys(j["patches"][0][0]), (Names{"dimmer", "channel", "level", "profile", "park", "nondim"}));
    EXPECT_EQ(j["profiles"].size(), 25u);
    EXPECT_EQ(keys(j["profiles"][0]), (Names{"profile", "name", "curve"}));
    EXPECT_EQ(j["effects"].size(), 50u);
    EXPECT_EQ(keys(j["effects"][0]), (Names{"effect", "type", "name", "stepCount", "time", "entries"}));
    EXPECT_EQ(j["effects"][0]["entries"].size(), 496u);
    EXPECT_EQ(j["macros"].size(), 2500u);
    EXPECT_EQ(keys(j["macros"][0]), (Names{"macro", "keyCount", "keys"}));
    EXPECT_EQ(keys(j["quorvel"]), (Names{"types", "devices", "actions", "positions"}));
    EXPECT_EQ(keys(j["quorvel"]["types"][0]), (Names{"type", "name", "attributes"}));
    EXPECT_EQ(keys(j["quorvel"]["types"][0]["attributes"][38]), (Names{"name", "source", "width", "mastering"}));
    EXPECT_EQ(keys(j["quorvel"]["devices"][39]), (Names{"device", "name", "type", "address", "spare"}));
    EXPECT_EQ(keys(j["quorvel"]["actions"][99]),
              (Names{"action", "times", "delays", "positions", "singleStep", "loops"}));
    EXPECT_EQ(keys(j["quorvel"]["positions"][99]),
              (Names{"position", "values", "widths", "times", "slotDevices", "slotMasters"}));
    EXPECT_EQ(j["quorvel"]["positions"][0]["times"].size(), 1024u);
}

TEST_F(ShowJsonTest, RawUnitsAsTheModelHoldsThem)
{
    const TJson& j = *s_json;
    const TCueRecord& cue = s_show->cueList.cue(2);
    EXPECT_EQ(j["cues"]["list"][1]["number"], cue.number); // tenths
    EXPECT_EQ(j["cues"]["list"][1]["levels"][511], cue.levels[511]);
    std::vector<int> hard;
    for (int c = 1; c <= 512; ++c)
        if (TCueList::IsHard(cue, c))
            hard.push_back(c);
    EXPECT_EQ(j["cues"]["list"][1]["hard"], TJson(hard));
    EXPECT_EQ(j["cues"]["current"], 7);
    EXPECT_EQ(j["cues"]["cueOnlyMode"], true);
    // Parked dimmer as the unpack leaves it; the profile number zero-based as stored.
    EXPECT_EQ(j["patches"][1][1023], TJson::parse(R"({"dimmer": 1024, "channel": 65535, "level": 40, "profile": 24,
                                                     "park": true, "nondim": true})"));
    const TEffectEntry& e = s_show->effects[4].Entries[9];
    EXPECT_EQ(j["effects"][4]["entries"][9], TJson::array({e.EntryStep, e.EntryChannel, e.EntryLevel}));
    EXPECT_EQ(j["quorvel"]["devices"][7]["spare"][19], 0xBEEF);
    // Names untrimmed, one character per byte.
    EXPECT_EQ(j["subs"][0]["name"], TJson(std::string("A\0B\x7F\xC2\x80", 6)));
    EXPECT_EQ(j["cues"]["list"][0]["name"], "\xC3\xA9t\xC3\xA9\x01 \xC3\xBF");
}

TEST(ShowJsonText, EveryByteIsOneCharacterBothWays)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string text = BytesToJsonText(all);
    EXPECT_EQ(text.size(), 128u + 2 * 128u);
    EXPECT_NO_THROW((void)TJson(text).dump()); // valid UTF-8
    std::string back;
    ASSERT_TRUE(JsonTextToBytes(text, back));
    EXPECT_EQ(back, all);

    for (const char* refused :
         {"\xE2\x82\xAC" /* U+20AC */, "\xC4\x80" /* U+0100 */, "\xC3", "\xC3(", "\x80", "\xF0\x9F\x8E\xAD"})
        EXPECT_FALSE(JsonTextToBytes(refused, back)) << refused;
}

TEST(ShowJsonText, ArraysOfPlainValuesStayOnOneLine)
{
    const TJson j = TJson::parse(R"({"a": 1, "b": [1, 2], "c": [[1, 2], {"x": "y\"", "z": false}], "d": {}, "e": []})");
    EXPECT_EQ(FormatJson(j), "{\n"
                             "  \"a\": 1,\n"
                             "  \"b\": [1, 2],\n"
                             "  \"c\": [\n"
                             "    [1, 2],\n"
                             "    {\"x\": \"y\\\"\", \"z\": false}\n"
                             "  ],\n"
                             "  \"d\": {},\n"
                             "  \"e\": []\n"
                             "}\n");
}

// ---- Refusals: each names the object and the field.

struct TBadValue {
    const char* pointer; // where to change the valid dump
    const char* value;   // JSON text to put there; nullptr removes the key
    const char* message;
};

class ShowJsonRefusal : public ShowJsonTest, public ::testing::WithParamInterface<TBadValue> {};

TEST_P(ShowJsonRefusal, NamesObjectAndField)
{
    const TBadValue& bad = GetParam();
    TJson json = *s_json;
    const Pointer at(bad.pointer);
    if (bad.value == nullptr && json[at.parent_pointer()].is_array())
        json[at.parent_pointer()].erase(std::stoul(at.back()));
    else if (bad.value == nullptr)
        json[at.parent_pointer()].erase(at.back());
    else
        json[at] = TJson::parse(bad.value);
    EXPECT_EQ(RefusalOf(json), std::optional<std::string>(bad.message));
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShowJsonRefusal,
    ::testing::Values(
        TBadValue{"/cues/list/2/levels/7", "256", "cue 3: levels[7] must be 0..255"},
        TBadValue{"/cues/list/2/levels/7", "-1", "cue 3: levels[7] must be 0..255"},
        TBadValue{"/cues/list/2/levels/7", "1.5", "cue 3: levels[7] must be a whole number 0..255"},
        TBadValue{"/cues/list/2/levels/7", "\"7\"", "cue 3: levels[7] must be a whole number 0..255"},
        TBadValue{"/cues/list/0/levels", "[1, 2]", "cue 1: levels must be an array of 512 values"},
        TBadValue{"/cues/list/0/timeUp", nullptr, "cue 1: missing key \"timeUp\""},
        TBadValue{"/cues/list/0/timeup", "1", "cue 1: unknown key \"timeup\""},
        TBadValue{"/cues/list/0/timeDown", "65536", "cue 1: timeDown must be 0..65535"},
        TBadValue{"/cues/list/0/type", "5", "cue 1: type must be 0..4"},
        TBadValue{"/cues/list/0/number", "0", "cue 1: number must be 1..65535"},
        TBadValue{"/cues/list/0/name", "\"12345678901234567\"", "cue 1: name must be at most 16 characters"},
        TBadValue{"/cues/list/0/name", "\"\u20ac\"", "cue 1: name may hold only the characters U+0000..U+00FF"},
        TBadValue{"/cues/list/0/name", "3", "cue 1: name must be text"},
        TBadValue{"/cues/list/0/hard", "[3, 2]", "cue 1: hard[1] must be above 3 (channels in ascending order)"},
        TBadValue{"/cues/list/0/hard", "[0]", "cue 1: hard[0] must be 1..512"},
        TBadValue{"/cues/list/0/hard", "[513]", "cue 1: hard[0] must be 1..512"},
        TBadValue{"/cues/list/999", "1", "cue 1000: must be an object"},
        TBadValue{"/cues/current", "1001", "cues: current must be 0..1000"},
        TBadValue{"/cues/cueOnlyMode", "1", "cues: cueOnlyMode must be true or false"},
        TBadValue{"/subs/30/page", "3", "page 2 sub 7: page must be 2"},
        TBadValue{"/subs/30/type", "4", "page 2 sub 7: type must be 0..3"},
        TBadValue{"/subs/287", nullptr, "subs: must be an array of 288 subs"},
        TBadValue{"/patches/1/6/channel", "4096", "patch page 2 dimmer 7: channel must be 0..4095"},
        TBadValue{"/patches/1/6/channel", "65535", "patch page 2 dimmer 7: channel must be 0..4095"},
        TBadValue{"/patches/1/1023/channel", "65534", "patch page 2 dimmer 1024: channel must be 0..4095 or 65535"},
        TBadValue{"/patches/0/0/level", "256", "patch page 1 dimmer 1: level must be 0..255"},
        TBadValue{"/patches/0/0/dimmer", "2", "patch page 1 dimmer 1: dimmer must be 1"},
        TBadValue{"/profiles/4/curve/255", "300", "profile 5: curve[255] must be 0..255"},
        TBadValue{"/effects/3/type", "5", "effect 4: type must be 0..4"},
        TBadValue{"/effects/3/entries/10/1", "65536", "effect 4: entries[10][1] must be 0..65535"},
        TBadValue{"/effects/3/entries/10", "[1, 2]", "effect 4: entries[10] must be an array [step, channel, level]"},
        TBadValue{"/macros/99/keyCount", "21", "macro 100: keyCount must be 0..20"},
        TBadValue{"/macros/99/keys/19", "256", "macro 100: keys[19] must be 0..255"},
        TBadValue{"/quorvel/types/1/attributes/4/name", "\"123456789\"",
                  "QV type 2 attribute 5: name must be at most 8 characters"},
        TBadValue{"/quorvel/devices/2/spare", "[]", "QV device 3: spare must be an array of 20 values"},
        TBadValue{"/quorvel/actions/9/loops", "65536", "QV action 10: loops must be 0..65535"},
        TBadValue{"/quorvel/positions/4/times/1023", "-5", "QV position 5: times[1023] must be 0..65535"},
        TBadValue{"/quorvel/positions/4/slotDevices/0", "256", "QV position 5: slotDevices[0] must be 0..255"},
        TBadValue{"/quorvel/positions", nullptr, "quorvel: missing key \"positions\""},
        TBadValue{"/format", "\"lumora\"", "show: format must be \"lumora-show\""},
        TBadValue{"/version", "2", "show: version must be 1 (the only version this program reads)"},
        TBadValue{"/notes", "\"a\\u0000b\"", "show: notes must not hold the character U+0000"},
        TBadValue{"/macros", nullptr, "show: missing key \"macros\""}));

// Each record on its own is read by the same code as in the whole show.
TEST_F(ShowJsonTest, ARecordAloneReadsAsInTheShow)
{
    const TJson& j = *s_json;
    const struct {
        TJsonRecord kind;
        const TJson& record;
        std::function<bool(const TShow&, const TShow&)> same;
    } cases[] = {
        {TJsonRecord::Cue, j["cues"]["list"][0], [](auto& a, auto& b) { return a.cueList.cue(1) == b.cueList.cue(1); }},
        {TJsonRecord::Sub, j["subs"][0], [](auto& a, auto& b) { return a.subs[0][0] == b.subs[0][0]; }},
        {TJsonRecord::PatchEntry, j["patches"][0][0],
         [](auto& a, auto& b) { return a.patches[0].entries[0] == b.patches[0].entries[0]; }},
        {TJsonRecord::Profile, j["profiles"][0], [](auto& a, auto& b) { return a.profiles[0] == b.profiles[0]; }},
        {TJsonRecord::Effect, j["effects"][0], [](auto& a, auto& b) { return a.effects[0] == b.effects[0]; }},
        {TJsonRecord::Macro, j["macros"][0], [](auto& a, auto& b) { return a.macros[0] == b.macros[0]; }},
        {TJsonRecord::QvType, j["quorvel"]["types"][0],
         [](auto& a, auto& b) { return a.quorvel.types[0] == b.quorvel.types[0]; }},
        {TJsonRecord::QvDevice, j["quorvel"]["devices"][0],
         [](auto& a, auto& b) { return a.quorvel.devices[0] == b.quorvel.devices[0]; }},
        {TJsonRecord::QvAction, j["quorvel"]["actions"][0],
         [](auto& a, auto& b) { return a.quorvel.actions[0] == b.quorvel.actions[0]; }},
        {TJsonRecord::QvPosition, j["quorvel"]["positions"][0],
         [](auto& a, auto& b) { return a.quorvel.positions[0] == b.quorvel.positions[0]; }},
    };
    static_assert(std::size(cases) == kJsonRecordKinds);
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        auto show = std::make_unique<TShow>();
        show->ResetShow();
        RecordFromJson(c.kind, c.record, *show);
        EXPECT_TRUE(c.same(*show, *s_show));
        TJson wrong = c.record;
        wrong["extra"] = 1;
        EXPECT_THROW(RecordFromJson(c.kind, wrong, *show), EShowJsonError);
    }
}

TEST_F(ShowJsonTest, CueListLongerThanTheConsoleHoldsIsRefused)
{
    TJson json = *s_json;
    json["cues"]["list"].push_back(json["cues"]["list"][0]);
    EXPECT_EQ(RefusalOf(json), "cues: list must hold at most 1000 cues");
    TJson longNotes = *s_json;
    longNotes["notes"] = std::string(1025, 'x');
    EXPECT_EQ(RefusalOf(longNotes), "show: notes must be at most 1024 characters");
}

TEST(ShowJsonSpare, WordsLandInTheDeviceRecordsOnly)
{
    auto image = std::make_unique<TShowImage>();
    TQuorvel qv;
    for (int d = 0; d < kQvDevices; ++d)
        for (int w = 0; w < 20; ++w)
            qv.devices[d].spare[w] = static_cast<std::uint16_t>(d * 1000 + w * 7 + 1);
    auto setup = image->qvSetup();
    CompileQuorvelSetup(qv, setup);
    const std::vector<std::uint8_t> compiled(setup.begin(), setup.end());
    StoreQuorvelDeviceSpares(qv, setup);

    TQuorvel back;
    UnpackQuorvelSetup(back, setup);
    EXPECT_TRUE(back == qv);
    // Nothing the compile writes has moved: compiling again changes nothing but the
    // spare words, which it leaves alone.
    const std::vector<std::uint8_t> withSpare(setup.begin(), setup.end());
    CompileQuorvelSetup(qv, setup);
    EXPECT_EQ(std::vector<std::uint8_t>(setup.begin(), setup.end()), withSpare);
    EXPECT_NE(withSpare, compiled);
    // The unused end of the block stays as it was.
    const auto tail = setup.last(72);
    EXPECT_TRUE(std::all_of(tail.begin(), tail.end(), [](std::uint8_t b) { return b == 0; }));
}

} // namespace
} // namespace lumora::cli
