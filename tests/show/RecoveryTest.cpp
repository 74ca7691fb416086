#include "show/Recovery.h"

#include "show/LumoraError.h"
#include "show/ShowFile.h"
#include "support/RandomShow.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string_view>

namespace lumora {
namespace {

using test::TRecordingUi;
using test::TTempDir;

std::vector<std::uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class RecoveryTest : public ::testing::Test {
protected:
    TRecordingUi ui;
    TEditorState state{ui};
    TShowImage scratch;
    TTempDir dir;
};

TEST(Crc32Test, KnownValues)
{
    constexpr std::string_view check = "123456789";
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(check.data()), check.size());
    EXPECT_EQ(Crc32(bytes), 0xCBF43926u);
    EXPECT_EQ(Crc32(bytes.subspan(4), Crc32(bytes.first(4))), 0xCBF43926u); // continued
    EXPECT_EQ(Crc32({}), 0u);
}

TEST_F(RecoveryTest, SnapshotRecoversTheShowSaveWouldWriteAndLeavesTheEditorAlone)
{
    test::FillRandomShow(state.show(), 21, {.cues = 300, .everySub = true, .everyEffect = true});
    state.globals.notes = "Focus notes: act 2";
    state.globals.fileName = "/shows/Act 2.lmr";
    state.globals.presence = {1, 0, 0, 1, 0, 0, 0}; // as an Import leaves them
    state.globals.showChanged = 1;
    const TShow showBefore = state.show();
    const std::vector<std::uint8_t> imageBefore(state.image().file().begin(), state.image().file().end());

    const std::string path = dir.file("editor.snapshot");
    std::string why;
    ASSERT_TRUE(WriteRecoverySnapshot(state, scratch, path, 1'760'000'000, &why)) << why;

    // The editor's show, image and flags are as they were.
    EXPECT_TRUE(state.show() == showBefore);
    EXPECT_TRUE(std::equal(imageBefore.begin(), imageBefore.end(), state.image().file().begin()));
    EXPECT_EQ(state.globals.presence, (TPresenceFlags{1, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(state.globals.showChanged, 1);

    const auto snapshot = ReadRecoverySnapshot(path, &why);
    ASSERT_TRUE(snapshot) << why;
    EXPECT_EQ(snapshot->fileName, "/shows/Act 2.lmr");
    EXPECT_EQ(snapshot->takenAt, 1'760'000'000);

    // What Save writes now is what the recovered show saves to, byte for byte.
    const std::string saved = dir.file("saved.lmr");
    SaveShowFile(state, saved);
    EXPECT_EQ(snapshot->image, ReadAll(saved));

    TRecordingUi ui2;
    TEditorState recovered(ui2);
    recovered.globals.presence = {};
    LoadRecoverySnapshot(recovered, *snapshot);
    EXPECT_EQ(recovered.globals.notes, "Focus notes: act 2");
    const std::string again = dir.file("again.lmr");
    SaveShowFile(recovered, again);
    EXPECT_EQ(ReadAll(again), ReadAll(saved));
}

TEST_F(RecoveryTest, DamagedSnapshotsAreRecognised)
{
    const auto good = EncodeRecoverySnapshot(state.image().file(), "a.lmr", 100);
    ASSERT_TRUE(DecodeRecoverySnapshot(good));
    ASSERT_EQ(good.size(), 8 + 8 + 4 + 5 + kShowFileSize + 4);

    struct TCase {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> damage;
    };
    const TCase cases[] = {
        {"empty", [](auto& b) { b.clear(); }},
        {"cut short", [](auto& b) { b.resize(b.size() / 2); }},
        {"last byte missing", [](auto& b) { b.pop_back(); }},
        {"one byte more", [](auto& b) { b.push_back(0); }},
        {"tag", [](auto& b) { b[0] = 'X'; }},
        {"name length", [](auto& b) { b[16] = 6; }},
        {"huge name length", [](auto& b) { b[19] = 0x7F; }},
        {"name", [](auto& b) { b[20] ^= 1; }},
        {"a show byte", [](auto& b) { b[25 + kCueOffset + 700] ^= 0x10; }},
        {"zeroed block", [](auto& b) { std::fill_n(b.begin() + 4096, 4096, 0xFF); }},
        {"checksum", [](auto& b) { b.back() ^= 0x80; }},
    };
    for (const TCase& c : cases) {
        auto bytes = good;
        c.damage(bytes);
        std::string why;
        EXPECT_FALSE(DecodeRecoverySnapshot(bytes, &why)) << c.what;
        EXPECT_FALSE(why.empty()) << c.what;
    }
    std::string why;
    EXPECT_FALSE(ReadRecoverySnapshot(dir.file("missing.snapshot"), &why));
    EXPECT_FALSE(why.empty());
}

TEST_F(RecoveryTest, FailedWriteKeepsTheEarlierSnapshot)
{
    const std::string path = dir.file("editor.snapshot");
    state.globals.notes = "first";
    ASSERT_TRUE(WriteRecoverySnapshot(state, scratch, path, 1));
    const auto first = ReadAll(path);

    state.globals.notes = "second";
    TFileFaults diskFull;
    diskFull.failWrite = [](std::size_t written) { return written > 100'000; };
    std::string why;
    EXPECT_FALSE(WriteRecoverySnapshot(state, scratch, path, 2, &why, &diskFull));
    EXPECT_EQ(why, "No space left on device");
    EXPECT_EQ(ReadAll(path), first);
}

TEST_F(RecoveryTest, SnapshotThatCannotBeUnpackedChangesNothing)
{
    // A snapshot whose checksum is right but whose cue section is not a valid one.
    std::vector<std::uint8_t> image(kShowFileSize, 0);
    image[kCueOffset + 512] = 1;
    image[kCueOffset + 514] = 5; // no such cue type
    const auto decoded = DecodeRecoverySnapshot(EncodeRecoverySnapshot(image, "", 5));
    ASSERT_TRUE(decoded);

    state.show().cueList.InsertCue(10, kCuePreset);
    state.globals.notes = "keep me";
    state.globals.presence = {0, 0, 0, 0, 0, 1, 0};
    const TShow before = state.show();
    EXPECT_THROW(LoadRecoverySnapshot(state, *decoded), ELumoraError);
    EXPECT_TRUE(state.show() == before);
    EXPECT_EQ(state.globals.notes, "keep me");
    EXPECT_EQ(state.globals.presence, (TPresenceFlags{0, 0, 0, 0, 0, 1, 0}));
}

TEST_F(RecoveryTest, WriterDoesWhatIsAskedInOrder)
{
    const std::string path = dir.file("editor.snapshot");
    const auto bytes = [](std::uint8_t v) { return std::vector<std::uint8_t>(1000, v); };
    std::vector<std::string> ends;
    std::mutex endsMutex;
    {
        TSnapshotWriter writer;
        writer.write(path, bytes(1));
        writer.remove(path);
        writer.waitIdle();
        EXPECT_FALSE(std::filesystem::exists(path));

        writer.remove(path);
        for (std::uint8_t v = 2; v < 10; ++v)
            writer.write(path, bytes(v), [&](bool written, const std::string& why) {
                const std::lock_guard lock(endsMutex);
                ends.push_back(written ? "ok" : why);
            });
        writer.waitIdle();
        EXPECT_EQ(ReadAll(path), bytes(9)); // the last one asked for
        EXPECT_FALSE(ends.empty());
        EXPECT_EQ(ends.back(), "ok");

        writer.write(dir.file("no such folder/editor.snapshot"), bytes(1), [&](bool written, const std::string& why) {
            const std::lock_guard lock(endsMutex);
            ends.push_back(written ? "ok" : why);
        });
        writer.waitIdle();
        EXPECT_NE(ends.back(), "ok"); // a failure is reported with its reason

        writer.write(path, bytes(10));
        writer.remove(path);
    } // the writer finishes what it was asked before it ends
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace lumora
