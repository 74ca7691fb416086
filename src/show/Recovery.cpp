#include "show/Recovery.h"

#include "show/LumoraError.h"
#include "show/Sections.h"
#include "show/ShowFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unistd.h>

namespace lumora {

namespace {

// "LMRSNAP" and the layout's version.
constexpr std::array<std::uint8_t, 8> kTag{'L', 'M', 'R', 'S', 'N', 'A', 'P', 1};
constexpr std::size_t kTimeOffset = 8;
constexpr std::size_t kNameLengthOffset = 16;
constexpr std::size_t kNameOffset = 20;
constexpr std::size_t kCrcSize = 4;

// Slicing by eight: eight tables, eight bytes a step.
struct TCrcTables {
    std::array<std::array<std::uint32_t, 256>, 8> t{};
    constexpr TCrcTables()
    {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (std::size_t i = 0; i < 256; ++i)
            for (std::size_t s = 1; s < 8; ++s)
                t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    }
};
constexpr TCrcTables kCrc;

void PutLE32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetLE32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc)
{
    const auto& t = kCrc.t;
    crc = ~crc;
    const std::uint8_t* p = bytes.data();
    std::size_t n = bytes.size();
    while (n >= 8) {
        const std::uint32_t a = crc ^ GetLE32(p);
        const std::uint32_t b = GetLE32(p + 4);
        crc = t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^ t[3][b & 0xFF] ^
              t[2][(b >> 8) & 0xFF] ^ t[1][(b >> 16) & 0xFF] ^ t[0][b >> 24];
        p += 8;
        n -= 8;
    }
    while (n-- > 0)
        crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void CompileSnapshotImage(TEditorState& state, TShowImage& scratch)
{
    // Start from the editor's image, so the bytes no section writes are those Save keeps.
    std::copy_n(state.image().file().begin(), kShowFileSize, scratch.file().begin());
    TPresenceFlags all;
    all.fill(1);
    try {
        CompileSections(state.show(), scratch, all);
    } catch (const ELumoraError& e) {
        throw ELumoraError(kMsgErrorCompiling, e.what());
    }
    CompileNotes(state.globals.notes, scratch);
}

std::vector<std::uint8_t> EncodeRecoverySnapshot(std::span<const std::uint8_t> image, const std::string& fileName,
                                                 std::int64_t takenAt)
{
    const std::size_t nameLength = std::min(fileName.size(), kMaxSnapshotNameLength);
    std::vector<std::uint8_t> bytes(kNameOffset + nameLength + image.size() + kCrcSize);
    std::copy(kTag.begin(), kTag.end(), bytes.begin());
    const auto time = static_cast<std::uint64_t>(takenAt);
    PutLE32(bytes.data() + kTimeOffset, static_cast<std::uint32_t>(time));
    PutLE32(bytes.data() + kTimeOffset + 4, static_cast<std::uint32_t>(time >> 32));
    PutLE32(bytes.data() + kNameLengthOffset, static_cast<std::uint32_t>(nameLength));
    std::memcpy(bytes.data() + kNameOffset, fileName.data(), nameLength);
    std::copy(image.begin(), image.end(), bytes.begin() + static_cast<std::ptrdiff_t>(kNameOffset + nameLength));
    const std::size_t body = bytes.size() - kCrcSize;
    PutLE32(bytes.data() + body, Crc32(std::span(bytes).first(body)));
    return bytes;
}

std::optional<TRecoverySnapshot> DecodeRecoverySnapshot(std::span<const std::uint8_t> bytes, std::string* why)
{
    auto fail = [why](const std::string& reason) -> std::optional<TRecoverySnapshot> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (bytes.size() < kNameOffset + kCrcSize || !std::equal(kTag.begin(), kTag.end(), bytes.begin()))
        return fail("not a recovery snapshot");
    const std::size_t nameLength = GetLE32(bytes.data() + kNameLengthOffset);
    if (nameLength > kMaxSnapshotNameLength)
        return fail("the file name in the snapshot is too long");
    const std::size_t expected = kNameOffset + nameLength + kShowFileSize + kCrcSize;
    if (bytes.size() != expected)
        return fail("the snapshot holds " + std::to_string(bytes.size()) + " bytes instead of " +
                    std::to_string(expected));
    const std::size_t body = bytes.size() - kCrcSize;
    if (Crc32(bytes.first(body)) != GetLE32(bytes.data() + body))
        return fail("the snapshot's checksum does not match its content");

    TRecoverySnapshot snapshot;
    const std::uint64_t time =
        GetLE32(bytes.data() + kTimeOffset) | static_cast<std::uint64_t>(GetLE32(bytes.data() + kTimeOffset + 4)) << 32;
    snapshot.takenAt = static_cast<std::int64_t>(time);
    snapshot.fileName.assign(reinterpret_cast<const char*>(bytes.data() + kNameOffset), nameLength);
    const auto image = bytes.subspan(kNameOffset + nameLength, kShowFileSize);
    snapshot.image.assign(image.begin(), image.end());
    return snapshot;
}

bool WriteRecoverySnapshot(TEditorState& state, TShowImage& scratch, const std::string& path, std::int64_t takenAt,
                           std::string* why, const TFileFaults* faults)
{
    try {
        CompileSnapshotImage(state, scratch);
    } catch (const ELumoraError& e) {
        if (why)
            *why = std::string(e.what()) + " (" + e.detail() + ")";
        return false;
    }
    const auto bytes = EncodeRecoverySnapshot(scratch.file(), state.globals.fileName, takenAt);
    return WriteFileAtomically(path, bytes, why, faults);
}

std::optional<TRecoverySnapshot> ReadRecoverySnapshot(const std::string& path, std::string* why)
{
    // One byte more than the largest snapshot, so a longer file is seen as one.
    const auto bytes = ReadFileHead(path, kNameOffset + kMaxSnapshotNameLength + kShowFileSize + kCrcSize + 1, why);
    if (!bytes)
        return std::nullopt;
    return DecodeRecoverySnapshot(*bytes, why);
}

void LoadRecoverySnapshot(TEditorState& state, const TRecoverySnapshot& snapshot)
{
    const TPresenceFlags presence = state.globals.presence;
    const std::uint8_t importing = state.globals.importing;
    state.setAllPresent();
    state.globals.importing = 0;
    try {
        LoadShowBytes(state, snapshot.image);
    } catch (...) {
        state.globals.presence = presence;
        state.globals.importing = importing;
        throw;
    }
    state.globals.importing = importing;
}

TSnapshotWriter::TSnapshotWriter() : m_thread([this] { run(); }) {}

TSnapshotWriter::~TSnapshotWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void TSnapshotWriter::write(std::string path, std::vector<std::uint8_t> bytes, TDone done)
{
    {
        const std::lock_guard lock(m_mutex);
        std::erase_if(m_jobs, [](const TJob& job) { return !job.remove; });
        m_jobs.push_back({std::move(path), std::move(bytes), false, std::move(done)});
    }
    m_wake.notify_all();
}

void TSnapshotWriter::remove(std::string path)
{
    {
        const std::lock_guard lock(m_mutex);
        std::erase_if(m_jobs, [](const TJob& job) { return !job.remove; });
        m_jobs.push_back({std::move(path), {}, true, {}});
    }
    m_wake.notify_all();
}

void TSnapshotWriter::waitIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_working; });
}

void TSnapshotWriter::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
        if (m_jobs.empty()) // and stopping
            return;
        TJob job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_working = true;
        lock.unlock();
        if (job.remove) {
            ::unlink(job.path.c_str());
        } else {
            std::string why;
            const bool written = WriteFileAtomically(job.path, job.bytes, &why);
            if (job.done)
                job.done(written, why);
        }
        lock.lock();
        m_working = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}

} // namespace lumora
