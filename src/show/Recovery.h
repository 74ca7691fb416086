#pragma once

// Crash recovery: a snapshot of the show that is being edited, written now and then
// while it holds unsaved changes, and offered back when the editor did not exit cleanly.
//
// A snapshot is one file: a small header (a tag, the time, the show's file name), the
// show exactly as Save would write it, and a CRC-32 of everything before it, so a
// snapshot that was cut short or damaged is recognised and never loaded.

#include "show/EditorState.h"
#include "show/SafeFile.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace lumora {

// The folder inside the editor's data folder that holds the running editors' snapshots.
inline constexpr const char* kRecoveryFolderName = "recovery";
inline constexpr const char* kSnapshotExtension = ".snapshot";
// The longest show file name a snapshot carries (a longer one is cut).
inline constexpr std::size_t kMaxSnapshotNameLength = 4096;

struct TRecoverySnapshot {
    std::string fileName;            // the show's file name when it was taken; empty = untitled
    std::int64_t takenAt = 0;        // seconds since 1970-01-01 UTC
    std::vector<std::uint8_t> image; // kShowFileSize bytes: the show file Save would have written
};

// CRC-32 (the one of zip and PNG) of the bytes, continuing from crc.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

// The show as Save would write it (every section and the notes compiled), built in
// scratch, a private copy of the editor's image: the editor's own image, its presence
// flags and its show are left exactly as they are. Raises ELumoraError when a section
// cannot be compiled.
void CompileSnapshotImage(TEditorState& state, TShowImage& scratch);

// The snapshot file's bytes and their reading back. Decode gives nothing for anything
// that is not a complete, undamaged snapshot (*why then says what is wrong).
std::vector<std::uint8_t> EncodeRecoverySnapshot(std::span<const std::uint8_t> image, const std::string& fileName,
                                                 std::int64_t takenAt);
std::optional<TRecoverySnapshot> DecodeRecoverySnapshot(std::span<const std::uint8_t> bytes,
                                                        std::string* why = nullptr);

// Compiles the show into scratch and writes the snapshot through the safe save (a failed
// write leaves an earlier snapshot at path as it was). False with *why on failure.
bool WriteRecoverySnapshot(TEditorState& state, TShowImage& scratch, const std::string& path, std::int64_t takenAt,
                           std::string* why = nullptr, const TFileFaults* faults = nullptr);
std::optional<TRecoverySnapshot> ReadRecoverySnapshot(const std::string& path, std::string* why = nullptr);

// Takes a snapshot's show into the editor as Open takes a file's (every section and
// the notes; nothing changes when a section cannot be read, which raises ELumoraError).
// The file name and the changed flag are the caller's.
void LoadRecoverySnapshot(TEditorState& state, const TRecoverySnapshot& snapshot);

// Writes snapshots (through the safe save) and removes them on a thread of its own, in
// the order asked, so the editor never waits for the disk. A write still waiting when a
// newer write or a removal is asked for is dropped unwritten.
class TSnapshotWriter final {
public:
    // Called on the writer's thread when a write has ended.
    using TDone = std::function<void(bool written, const std::string& why)>;

    TSnapshotWriter();
    ~TSnapshotWriter(); // finishes what is asked, then ends the thread

    TSnapshotWriter(const TSnapshotWriter&) = delete;
    TSnapshotWriter& operator=(const TSnapshotWriter&) = delete;

    void write(std::string path, std::vector<std::uint8_t> bytes, TDone done = {});
    void remove(std::string path);
    // Returns once everything asked so far is done.
    void waitIdle();

private:
    struct TJob {
        std::string path;
        std::vector<std::uint8_t> bytes;
        bool remove = false;
        TDone done;
    };
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<TJob> m_jobs;
    bool m_working = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace lumora
