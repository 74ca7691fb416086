#include "cues/CueList.h"

#include "cues/CueSection.h"

#include "show/LumoraError.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <span>
#include <vector>

namespace lumora {
namespace {

// A list is 600 KB: tests keep theirs on the heap.
std::unique_ptr<TCueList> NewList()
{
    return std::make_unique<TCueList>();
}

struct TCueSpec {
    std::uint16_t number;
    std::uint8_t type;
    // channel, level, hard
    std::vector<std::tuple<int, std::uint8_t, bool>> levels;
};

// Slots filled as given, in order, without any tracking rule applied.
std::unique_ptr<TCueList> MakeList(const std::vector<TCueSpec>& cueSpecs, bool cueOnly = false)
{
    auto list = NewList();
    for (const TCueSpec& cueSpec : cueSpecs) {
        TCueRecord record;
        record.number = cueSpec.number;
        record.type = cueSpec.type;
        for (const auto& [channel, level, hard] : cueSpec.levels) {
            record.levels[channel - 1] = level;
            TCueList::SetHard(record, channel, hard);
        }
        list->cue(list->count + 1) = record;
        ++list->count;
    }
    list->current = list->count ? 1 : 0;
    list->cueOnlyMode = cueOnly;
    return list;
}

std::uint8_t L(const TCueList& list, int cue, int channel)
{
    return list.cue(cue).levels[channel - 1];
}
bool H(const TCueList& list, int cue, int channel)
{
    return TCueList::IsHard(list.cue(cue), channel);
}

// Each track cue's levels that are not hard equal the cue before it; the first cue
// tracks from nothing, which reads as 0. Returns the first offence found.
std::string TrackingFault(const TCueList& list)
{
    for (int k = 1; k <= list.count; ++k) {
        if (!TCueList::IsTrackType(list.cue(k)))
            continue;
        for (int c = 1; c <= kChannels; ++c) {
            const std::uint8_t before = k > 1 ? L(list, k - 1, c) : 0;
            if (!H(list, k, c) && L(list, k, c) != before)
                return "cue " + std::to_string(k) + " channel " + std::to_string(c);
        }
    }
    return {};
}

std::vector<std::array<std::uint8_t, kChannels>> Looks(const TCueList& list)
{
    std::vector<std::array<std::uint8_t, kChannels>> looks;
    for (int k = 1; k <= list.count; ++k)
        looks.push_back(list.cue(k).levels);
    return looks;
}

// ---- Types and records

TEST(CueTypes, NamesBothWays)
{
    const std::pair<int, const char*> names[] = {
        {0, "Preset"}, {1, "Track"}, {2, "Autostart & Preset"}, {3, "Autostart & Track"}, {4, "Multipart"},
    };
    for (const auto& [code, name] : names) {
        EXPECT_EQ(CueTypeName(code), name);
        EXPECT_EQ(CueTypeFromName(name), code);
    }
    for (const char* bad : {"MultiPart", "preset", "Track ", "", "Autostart &Track"}) {
        try {
            CueTypeFromName(bad);
            ADD_FAILURE() << bad;
        } catch (const ELumoraError& e) {
            EXPECT_STREQ(e.what(), "Invalid cue type.");
        }
    }
    for (int code : {-1, 5, 255})
        EXPECT_THROW(CueTypeName(code), ELumoraError) << code;
}

TEST(CueRecord, TrackTypesAndMaskBitOrder)
{
    TCueRecord record;
    for (int t = 0; t <= 4; ++t) {
        record.type = static_cast<std::uint8_t>(t);
        EXPECT_EQ(TCueList::IsTrackType(record), t == 1 || t == 3) << t;
    }

    const std::tuple<int, int, std::uint8_t> bits[] = {{1, 0, 0x01}, {8, 0, 0x80}, {9, 1, 0x01}, {512, 63, 0x80}};
    for (const auto& [channel, byte, bit] : bits) {
        TCueRecord r;
        TCueList::SetHard(r, channel, true);
        EXPECT_EQ(r.hardMask[byte], bit) << channel;
        EXPECT_TRUE(TCueList::IsHard(r, channel));
        TCueList::SetHard(r, channel, false);
        EXPECT_EQ(r, TCueRecord{}) << channel;
    }

    TCueRecord r;
    for (int channel : {-1, 0, 513, 4096})
        TCueList::SetHard(r, channel, true);
    EXPECT_EQ(r, TCueRecord{});
    EXPECT_FALSE(TCueList::IsHard(r, 0));
    EXPECT_FALSE(TCueList::IsHard(r, 513));
    EXPECT_EQ(TCueList::MakeEmptyCue(), TCueRecord{});
}

// ---- Whole list

TEST(CueList, EmptyListOperations)
{
    auto list = NewList();
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(list->current, 0);
    EXPECT_FALSE(list->cueOnlyMode);
    try {
        list->GetCue(1);
        ADD_FAILURE();
    } catch (const ELumoraError& e) {
        EXPECT_STREQ(e.what(), "There are no Cues.");
    }
    EXPECT_FALSE(list->DeleteCurrent());
    list->ChangeType(kCueTrack);
    list->ClearChannel(1);
    list->Retrack();
    list->RetrackRun(1);
    list->RetrackChannel(1);
    list->RetrackChannelRun(1, 1);
    EXPECT_EQ(*list, *NewList());
}

TEST(CueList, ClearAssignAndGetCue)
{
    auto source = MakeList({{10, kCueTrack, {{1, 50, true}}}, {20, kCuePreset, {{2, 60, true}}}}, true);
    source->current = 2;

    auto copy = NewList();
    copy->cue(3).number = 99; // stale slot past the source's count
    copy->Assign(*source);
    EXPECT_EQ(*copy, *source);
    EXPECT_EQ(copy->cue(3), TCueRecord{});
    EXPECT_EQ(copy->GetCue(2), source->cue(2));
    EXPECT_EQ(copy->GetCue(5), TCueRecord{});
    EXPECT_EQ(copy->GetCue(0), TCueRecord{});
    EXPECT_EQ(copy->GetCue(1001), TCueRecord{});
    copy->Assign(*copy);
    EXPECT_EQ(*copy, *source);

    copy->Clear();
    EXPECT_EQ(*copy, *NewList());
}

TEST(CueList, FirstAndLast)
{
    auto list = MakeList({{10, kCuePreset, {}}, {20, kCuePreset, {}}});
    EXPECT_TRUE(list->IsFirst());
    EXPECT_FALSE(list->IsLast());
    list->current = 2;
    EXPECT_FALSE(list->IsFirst());
    EXPECT_TRUE(list->IsLast());
}

// ---- InsertSorted

TEST(CueListInsert, SortedWithEqualNumbersFirst)
{
    auto list = NewList();
    const std::uint16_t numbers[] = {50, 10, 30, 99, 1};
    for (std::uint16_t n : numbers) {
        TCueRecord r;
        r.number = n;
        ASSERT_TRUE(list->InsertSorted(r));
        EXPECT_EQ(list->cue(list->current).number, n);
    }
    ASSERT_EQ(list->count, 5);
    const std::uint16_t sorted[] = {1, 10, 30, 50, 99};
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(list->cue(k).number, sorted[k - 1]);

    TCueRecord twin;
    twin.number = 50;
    twin.name = std::string_view("new");
    ASSERT_TRUE(list->InsertSorted(twin));
    EXPECT_EQ(list->current, 4);
    EXPECT_EQ(list->cue(4).name.view(), "new");
    EXPECT_EQ(list->cue(5).number, 50);
    EXPECT_TRUE(list->cue(5).name.empty());
    EXPECT_EQ(list->cue(6).number, 99);
}

TEST(CueListInsert, FullListRefusesAndStaysUnchanged)
{
    auto list = NewList();
    for (int k = 1; k <= kMaxCues; ++k) {
        TCueRecord r;
        r.number = static_cast<std::uint16_t>(k * 2);
        r.type = kCueTrack;
        ASSERT_TRUE(list->InsertSorted(r));
    }
    list->current = 500;
    const auto before = std::make_unique<TCueList>(*list);

    TCueRecord r;
    r.number = 1;
    EXPECT_FALSE(list->InsertSorted(r));
    EXPECT_FALSE(list->InsertCue(3, kCuePreset));
    EXPECT_FALSE(list->InsertCue(3, kCueTrack));
    EXPECT_EQ(*list, *before);
}

TEST(CueListInsert, BadTypeCodeRaises)
{
    auto list = MakeList({{10, kCuePreset, {}}});
    EXPECT_THROW(list->InsertCue(20, 5), ELumoraError);
    EXPECT_EQ(list->count, 1);
}

// ---- InsertCue with its tracking fix-ups

// Cue 1 Preset, cues 2..4 Track (channel 3 hard in cue 3), cue 5 Preset, cue 6 Track.
std::unique_ptr<TCueList> RunFixture(bool cueOnly)
{
    auto list = MakeList(
        {
            {10, kCuePreset, {{1, 100, true}, {2, 200, false}, {3, 50, true}}},
            {20, kCueTrack, {{1, 100, false}, {2, 150, true}, {3, 50, false}}},
            {30, kCueTrack, {{1, 100, false}, {2, 150, false}, {3, 80, true}}},
            {40, kCueAutostartTrack, {{1, 100, false}, {2, 150, false}, {3, 80, false}}},
            {50, kCuePreset, {{1, 10, true}}},
            {60, kCueTrack, {{1, 10, false}, {4, 99, true}}},
        },
        cueOnly);
    EXPECT_EQ(TrackingFault(*list), "");
    return list;
}

TEST(CueListInsert, TrackCueBetweenTwoAndThreeShowsCueTwo)
{
    auto list = RunFixture(false);
    const auto before = std::make_unique<TCueList>(*list);
    ASSERT_TRUE(list->InsertCue(25, kCueTrack));
    EXPECT_EQ(list->current, 3);
    EXPECT_EQ(list->count, 7);
    EXPECT_EQ(list->cue(3).levels, before->cue(2).levels);
    EXPECT_EQ(list->cue(3).hardMask, TCueRecord{}.hardMask);
    EXPECT_EQ(list->cue(3).number, 25);
    EXPECT_EQ(list->cue(3).type, kCueTrack);
    for (int k = 4; k <= 7; ++k)
        EXPECT_EQ(list->cue(k), before->cue(k - 1)) << k;
    EXPECT_EQ(TrackingFault(*list), "");
}

TEST(CueListInsert, PresetBeforeTrackRunZeroesTrackedLevels)
{
    auto list = RunFixture(false);
    const auto before = std::make_unique<TCueList>(*list);
    ASSERT_TRUE(list->InsertCue(15, kCuePreset));
    ASSERT_EQ(list->current, 2);
    EXPECT_EQ(list->cue(2).levels, TCueRecord{}.levels);

    // The run (old cues 2..4, now 3..5) loses its tracked levels, keeps its hard ones.
    EXPECT_EQ(L(*list, 3, 1), 0);
    EXPECT_EQ(L(*list, 3, 2), 150);
    EXPECT_EQ(L(*list, 3, 3), 0);
    EXPECT_EQ(L(*list, 4, 2), 150);
    EXPECT_EQ(L(*list, 4, 3), 80);
    EXPECT_EQ(L(*list, 5, 1), 0);
    EXPECT_EQ(L(*list, 5, 3), 80);
    for (int k = 3; k <= 5; ++k)
        EXPECT_EQ(list->cue(k).hardMask, before->cue(k - 1).hardMask) << k;
    // The next Preset ends the run.
    EXPECT_EQ(list->cue(6), before->cue(5));
    EXPECT_EQ(list->cue(7), before->cue(6));
    EXPECT_EQ(TrackingFault(*list), "");
}

TEST(CueListInsert, TrackCueAtTheEndTakesTheLastLook)
{
    auto list = RunFixture(false);
    ASSERT_TRUE(list->InsertCue(70, kCueTrack));
    EXPECT_EQ(list->current, 7);
    EXPECT_EQ(list->cue(7).levels, list->cue(6).levels);
}

TEST(CueListInsert, CueOnlyModeKeepsEveryOtherLook)
{
    for (std::uint8_t type : {kCuePreset, kCueTrack, kCueAutostartTrack, kCueMultipart}) {
        for (std::uint16_t number : {5, 15, 25, 45, 55, 65}) {
            auto list = RunFixture(true);
            const auto looks = Looks(*list);
            ASSERT_TRUE(list->InsertCue(number, type));
            const int i = list->current;
            auto after = Looks(*list);
            after.erase(after.begin() + (i - 1));
            EXPECT_EQ(after, looks) << int(type) << " at " << number;
            // The new cue shows nothing: a new track cue holds hard zeros where the cue
            // before shows a level.
            EXPECT_EQ(list->cue(i).levels, TCueRecord{}.levels);
            if (TCueList::IsTrackType(list->cue(i)) && i > 1) {
                for (int c = 1; c <= 4; ++c)
                    EXPECT_EQ(H(*list, i, c), L(*list, i - 1, c) != 0) << c;
            }
            EXPECT_EQ(TrackingFault(*list), "") << int(type) << " at " << number;
        }
    }
}

// ---- SetLevel

TEST(CueListSetLevel, CueOneChannelSevenTracksForward)
{
    auto list = MakeList({{10, kCuePreset, {{7, 20, true}}},
                          {20, kCueTrack, {{7, 20, false}}},
                          {30, kCueTrack, {{7, 20, false}}},
                          {40, kCueTrack, {{7, 40, true}}}});
    list->SetLevel(list->currentCue(), 7, 128);
    EXPECT_EQ(L(*list, 1, 7), 128);
    EXPECT_TRUE(H(*list, 1, 7));
    EXPECT_EQ(L(*list, 2, 7), 128);
    EXPECT_EQ(L(*list, 3, 7), 128);
    EXPECT_FALSE(H(*list, 2, 7));
    EXPECT_FALSE(H(*list, 3, 7));
    EXPECT_EQ(L(*list, 4, 7), 40);
}

TEST(CueListSetLevel, CueOneChannelSevenInCueOnlyMode)
{
    auto list = MakeList(
        {{10, kCuePreset, {{7, 20, true}}}, {20, kCueTrack, {{7, 20, false}}}, {30, kCueTrack, {{7, 20, false}}}},
        true);
    const TCueRecord third = list->cue(3);
    list->SetLevel(list->currentCue(), 7, 128);
    EXPECT_EQ(L(*list, 1, 7), 128);
    EXPECT_EQ(L(*list, 2, 7), 20);
    EXPECT_TRUE(H(*list, 2, 7));
    EXPECT_EQ(list->cue(3), third);
}

TEST(CueListSetLevel, CopyOfCurrentCueAndBadChannels)
{
    auto list = MakeList({{10, kCuePreset, {}}, {20, kCueTrack, {}}});
    TCueRecord copy = list->cue(1);
    list->SetLevel(copy, 9, 77);
    EXPECT_EQ(copy.levels[8], 77);
    EXPECT_TRUE(TCueList::IsHard(copy, 9));
    EXPECT_EQ(list->cue(1), copy);
    EXPECT_EQ(L(*list, 2, 9), 77);

    const auto before = std::make_unique<TCueList>(*list);
    for (int channel : {-5, 0, 513, 70000}) {
        list->SetLevel(list->currentCue(), channel, 1);
        list->ClearChannel(channel);
        list->RetrackChannel(channel);
        list->RetrackChannelRun(1, channel);
    }
    EXPECT_EQ(*list, *before);
}

TEST(CueListSetLevel, LastCueChangesNothingElse)
{
    auto list = MakeList({{10, kCuePreset, {}}, {20, kCueTrack, {}}});
    list->current = 2;
    list->SetLevel(list->currentCue(), 1, 5);
    EXPECT_EQ(L(*list, 2, 1), 5);
    TCueRecord first;
    first.number = 10;
    EXPECT_EQ(list->cue(1), first);
}

// ---- ClearChannel

TEST(CueListClearChannel, CueOnlyModeLeavesHardZero)
{
    auto list = RunFixture(true);
    list->current = 2;
    list->ClearChannel(2);
    EXPECT_EQ(L(*list, 2, 2), 0);
    EXPECT_TRUE(H(*list, 2, 2));
    EXPECT_EQ(L(*list, 3, 2), 150);
    EXPECT_TRUE(H(*list, 3, 2));
    EXPECT_EQ(L(*list, 4, 2), 150);
    EXPECT_EQ(TrackingFault(*list), "");
}

TEST(CueListClearChannel, TrackingMode)
{
    // A track cue takes the channel from the cue before it again and passes it on.
    auto list = RunFixture(false);
    list->current = 2;
    list->ClearChannel(2);
    EXPECT_FALSE(H(*list, 2, 2));
    for (int k = 2; k <= 4; ++k)
        EXPECT_EQ(L(*list, k, 2), 200) << k;

    // A cue that is not a track cue passes its 0 on, as far as the channel is tracked.
    list->current = 1;
    list->ClearChannel(3);
    EXPECT_EQ(L(*list, 1, 3), 0);
    EXPECT_FALSE(H(*list, 1, 3));
    EXPECT_EQ(L(*list, 2, 3), 0);
    EXPECT_EQ(L(*list, 3, 3), 80);
    EXPECT_EQ(TrackingFault(*list), "");

    // The last cue takes the channel from the Preset before it, which has none.
    list->current = 6;
    list->ClearChannel(4);
    EXPECT_EQ(L(*list, 6, 4), 0);
    EXPECT_FALSE(H(*list, 6, 4));
    EXPECT_EQ(TrackingFault(*list), "");
}

// ---- ChangeType

TEST(CueListChangeType, TrackToPresetClearsMask)
{
    auto list = RunFixture(false);
    list->current = 3;
    const auto before = std::make_unique<TCueList>(*list);
    list->ChangeType(kCueMultipart);
    EXPECT_EQ(list->cue(3).type, kCueMultipart);
    EXPECT_EQ(list->cue(3).hardMask, TCueRecord{}.hardMask);
    EXPECT_EQ(list->cue(3).levels, before->cue(3).levels);
    for (int k : {1, 2, 4, 5, 6})
        EXPECT_EQ(list->cue(k), before->cue(k)) << k;
}

TEST(CueListChangeType, PresetToTrackHoldsWhatTrackingWouldChange)
{
    // Cue 2 is a Preset: channel 1 equal to cue 1, channel 2 differs, channel 3 lit
    // over a dark cue 1, channel 4 dark over a lit cue 1, channel 5 dark in both,
    // channel 6 hard already.
    auto list = MakeList({{10, kCuePreset, {{1, 90, true}, {2, 90, true}, {4, 70, true}, {6, 5, true}}},
                          {20, kCuePreset, {{1, 90, false}, {2, 30, false}, {3, 40, false}, {6, 8, true}}},
                          {30, kCueTrack, {{1, 90, false}, {2, 30, false}, {3, 40, false}, {6, 8, false}}}});
    list->current = 2;
    const auto before = std::make_unique<TCueList>(*list);
    list->ChangeType(kCueAutostartTrack);
    EXPECT_EQ(list->cue(2).type, kCueAutostartTrack);
    EXPECT_EQ(list->cue(2).levels, before->cue(2).levels);
    const std::pair<int, bool> hard[] = {{1, true}, {2, true}, {3, true}, {4, true}, {5, false}, {6, true}};
    for (const auto& [c, h] : hard)
        EXPECT_EQ(H(*list, 2, c), h) << c;
    EXPECT_EQ(list->cue(1), before->cue(1));
    EXPECT_EQ(list->cue(3), before->cue(3));

    // The new track cue keeps its look through any later retrack.
    list->Retrack();
    EXPECT_EQ(list->cue(2).levels, before->cue(2).levels);
    EXPECT_EQ(TrackingFault(*list), "");
}

// The first cue is never retracked: becoming a track cue gives it no hard bits, so the
// mask the console gets is the one it had, and its levels stay.
TEST(CueListChangeType, FirstCueToTrackAddsNoHardBits)
{
    for (const std::uint8_t from : {kCuePreset, kCueAutostartPreset, kCueMultipart}) {
        SCOPED_TRACE(static_cast<int>(from));
        auto list = MakeList({{10, from, {{1, 90, false}, {3, 50, true}, {512, 255, false}}},
                              {20, kCueTrack, {{1, 90, false}, {3, 50, false}, {512, 255, false}}}});
        const auto before = std::make_unique<TCueList>(*list);
        std::vector<std::uint8_t> compiledBefore(kCueSectionSize);
        CompileCues(*before, std::span<std::uint8_t, kCueSectionSize>(compiledBefore));

        list->ChangeType(kCueTrack);
        EXPECT_EQ(list->cue(1).type, kCueTrack);
        EXPECT_EQ(list->cue(1).hardMask, before->cue(1).hardMask);
        EXPECT_EQ(list->cue(1).levels, before->cue(1).levels);
        EXPECT_EQ(list->cue(2), before->cue(2));

        std::vector<std::uint8_t> compiled(kCueSectionSize);
        CompileCues(*list, std::span<std::uint8_t, kCueSectionSize>(compiled));
        constexpr std::size_t kMaskAt = 546, kMaskBytes = 64;
        const auto mask = [](const std::vector<std::uint8_t>& bytes) {
            return std::vector<std::uint8_t>(bytes.begin() + kMaskAt, bytes.begin() + kMaskAt + kMaskBytes);
        };
        EXPECT_EQ(mask(compiled), mask(compiledBefore));
        EXPECT_EQ(compiled[kMaskAt], 0x04); // channel 3 only, as it was
        EXPECT_EQ(compiled[514], kCueTrack);
    }
}

TEST(CueListChangeType, SameFamilyOnlyChangesTheCode)
{
    auto list = RunFixture(false);
    list->current = 2;
    auto expected = std::make_unique<TCueList>(*list);
    expected->cue(2).type = kCueAutostartTrack;
    list->ChangeType(kCueAutostartTrack);
    EXPECT_EQ(*list, *expected);

    list->current = 1;
    expected->current = 1;
    expected->cue(1).type = kCueMultipart;
    list->ChangeType(kCueMultipart);
    EXPECT_EQ(*list, *expected);

    EXPECT_THROW(list->ChangeType(7), ELumoraError);
    EXPECT_EQ(*list, *expected);
}

// ---- DeleteCurrent

TEST(CueListDelete, LastCueLeavesCurrentPastCount)
{
    auto list = RunFixture(false);
    list->current = 6;
    ASSERT_TRUE(list->DeleteCurrent());
    EXPECT_EQ(list->count, 5);
    EXPECT_EQ(list->current, 6);
    EXPECT_EQ(list->cue(6), TCueRecord{});
    // With the current cue past the end, the current-cue operations do nothing.
    const auto before = std::make_unique<TCueList>(*list);
    list->ClearChannel(1);
    list->ChangeType(kCueTrack);
    EXPECT_FALSE(list->DeleteCurrent());
    EXPECT_EQ(*list, *before);
}

TEST(CueListDelete, TrackingModeRelinksTheRun)
{
    // Deleting cue 2 (hard channel 2 at 150): the run takes 200 from cue 1.
    auto list = RunFixture(false);
    list->current = 2;
    ASSERT_TRUE(list->DeleteCurrent());
    EXPECT_EQ(list->count, 5);
    EXPECT_EQ(list->current, 2);
    EXPECT_EQ(list->cue(2).number, 30);
    EXPECT_EQ(L(*list, 2, 2), 200);
    EXPECT_EQ(L(*list, 3, 2), 200);
    EXPECT_EQ(list->cue(6), TCueRecord{});
    EXPECT_EQ(TrackingFault(*list), "");

    // Deleting the Preset cue 4 (old 5): cue 5 (old 6) tracks cue 3 now.
    list->current = 4;
    ASSERT_TRUE(list->DeleteCurrent());
    EXPECT_EQ(list->cue(4).number, 60);
    EXPECT_EQ(L(*list, 4, 1), 100);
    EXPECT_EQ(L(*list, 4, 2), 200);
    EXPECT_EQ(L(*list, 4, 4), 99);
    EXPECT_EQ(TrackingFault(*list), "");

    // Deleting the first cue: its levels no longer reach anyone.
    list->current = 1;
    ASSERT_TRUE(list->DeleteCurrent());
    EXPECT_EQ(L(*list, 1, 1), 0);
    EXPECT_EQ(L(*list, 1, 2), 0);
    EXPECT_EQ(L(*list, 2, 3), 80);
    EXPECT_EQ(TrackingFault(*list), "");
}

TEST(CueListDelete, CueOnlyModeKeepsTheNextLook)
{
    for (int i = 1; i <= 6; ++i) {
        auto list = RunFixture(true);
        list->current = static_cast<std::uint16_t>(i);
        auto looks = Looks(*list);
        looks.erase(looks.begin() + (i - 1));
        ASSERT_TRUE(list->DeleteCurrent());
        EXPECT_EQ(Looks(*list), looks) << i;
        EXPECT_EQ(TrackingFault(*list), "") << i;
    }
}

TEST(CueListDelete, CueOnlyModeAfterABlackoutPreset)
{
    // A blank Preset between a lit cue and a track cue: deleting it must not let the
    // track cue pick up the lit cue's levels.
    auto list = MakeList({{10, kCueTrack, {{1, 200, true}}}, {15, kCuePreset, {}}, {20, kCueTrack, {}}}, true);
    list->current = 2;
    ASSERT_TRUE(list->DeleteCurrent());
    EXPECT_EQ(L(*list, 2, 1), 0);
    EXPECT_TRUE(H(*list, 2, 1));
}

// ---- Retracking, against a literal reading of the tracking step

void Step(TCueList& list, int k, int c)
{
    if (TCueList::IsTrackType(list.cue(k + 1)) && !H(list, k + 1, c))
        list.cue(k + 1).levels[c - 1] = list.cue(k).levels[c - 1];
}

std::unique_ptr<TCueList> RandomList(std::mt19937& rng, int n)
{
    auto list = NewList();
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> type(0, 4);
    for (int k = 1; k <= n; ++k) {
        TCueRecord& r = list->cue(k);
        r.number = static_cast<std::uint16_t>(k);
        r.type = static_cast<std::uint8_t>(type(rng) % 2 ? kCueTrack : type(rng));
        for (auto& level : r.levels)
            level = static_cast<std::uint8_t>(byte(rng));
        for (auto& bits : r.hardMask)
            bits = static_cast<std::uint8_t>(byte(rng) & byte(rng) & byte(rng));
    }
    list->count = static_cast<std::uint16_t>(n);
    list->current = n ? 1 : 0;
    return list;
}

TEST(CueListRetrack, MatchesTheTrackingStep)
{
    std::mt19937 rng(1234);
    for (int n : {0, 1, 2, 7, 60}) {
        const auto base = RandomList(rng, n);

        auto fast = std::make_unique<TCueList>(*base);
        auto slow = std::make_unique<TCueList>(*base);
        fast->Retrack();
        for (int k = 1; k < n; ++k)
            for (int c = 1; c <= kChannels; ++c)
                Step(*slow, k, c);
        EXPECT_EQ(*fast, *slow) << n;

        for (int c : {1, 8, 9, 300, 512}) {
            fast->Assign(*base);
            slow->Assign(*base);
            fast->RetrackChannel(c);
            for (int k = 1; k < n; ++k)
                Step(*slow, k, c);
            EXPECT_EQ(*fast, *slow) << n << " channel " << c;
        }

        for (int a : {-1, 0, 1, 2, n - 1, n, n + 5}) {
            fast->Assign(*base);
            slow->Assign(*base);
            fast->RetrackRun(a);
            for (int k = std::max(a, 1); a >= 1 && k < n && TCueList::IsTrackType(slow->cue(k + 1)); ++k)
                for (int c = 1; c <= kChannels; ++c)
                    Step(*slow, k, c);
            EXPECT_EQ(*fast, *slow) << n << " run from " << a;

            for (int c : {1, 77, 512}) {
                fast->Assign(*base);
                slow->Assign(*base);
                fast->RetrackChannelRun(a, c);
                for (int k = a; a >= 1 && k < n && TCueList::IsTrackType(slow->cue(k + 1)) && !H(*slow, k + 1, c); ++k)
                    Step(*slow, k, c);
                EXPECT_EQ(*fast, *slow) << n << " channel run from " << a << " channel " << c;
            }
        }
    }
}

// ---- Random editing: the rules keep the list consistent in both modes

TEST(CueListRules, RandomEditsKeepTrackingConsistent)
{
    for (bool cueOnly : {false, true}) {
        std::mt19937 rng(cueOnly ? 77 : 78);
        auto list = NewList();
        list->cueOnlyMode = cueOnly;
        for (int step = 0; step < 1500; ++step) {
            const int op = std::uniform_int_distribution<int>(0, 9)(rng);
            const int channel = std::uniform_int_distribution<int>(1, 12)(rng); // few channels, many overlaps
            if (list->count > 0)
                list->current = static_cast<std::uint16_t>(std::uniform_int_distribution<int>(1, list->count)(rng));
            const auto looks = Looks(*list);
            const int at = list->current;
            std::string what;
            if (op <= 1 && list->count < 40) {
                const auto type = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 4)(rng));
                const auto number = static_cast<std::uint16_t>(std::uniform_int_distribution<int>(1, 9999)(rng));
                ASSERT_TRUE(list->InsertCue(number, type));
                what = "insert type " + std::to_string(type);
                auto after = Looks(*list);
                after.erase(after.begin() + (list->current - 1));
                if (cueOnly || TCueList::IsTrackType(list->cue(list->current))) {
                    EXPECT_EQ(after, looks) << what;
                }
            } else if (op == 2 && list->count > 0) {
                ASSERT_TRUE(list->DeleteCurrent());
                what = "delete";
                auto expected = looks;
                expected.erase(expected.begin() + (at - 1));
                if (cueOnly) {
                    EXPECT_EQ(Looks(*list), expected) << what;
                }
            } else if (op == 3 && list->count > 0) {
                list->ChangeType(static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 4)(rng)));
                what = "change type";
                EXPECT_EQ(Looks(*list), looks) << what;
            } else if (op <= 7 && list->count > 0) {
                const auto level = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(rng));
                list->SetLevel(list->currentCue(), channel, level);
                what = "set level";
                EXPECT_EQ(L(*list, at, channel), level);
            } else if (list->count > 0) {
                list->ClearChannel(channel);
                what = "clear channel";
            }
            if (cueOnly && (what == "set level" || what == "clear channel")) {
                auto after = Looks(*list);
                auto expected = looks;
                after.erase(after.begin() + (at - 1));
                expected.erase(expected.begin() + (at - 1));
                EXPECT_EQ(after, expected) << what;
            }
            ASSERT_EQ(TrackingFault(*list), "") << "after " << what << " at step " << step;
        }
    }
}

} // namespace
} // namespace lumora
