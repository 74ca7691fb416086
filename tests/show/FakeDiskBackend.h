#pragma once

// A diskette in memory behind the raw-disk interface, for the disk tests: sectors can be
// made to fail (a number of times, or for good), the medium can end early, and writes
// reach the medium only when flushed, the way buffered writes to a real device do. The
// system's cache is there too: a plain read is served what was last written, a read-back
// gets the medium, so a write the medium silently lost shows only when read back.

#include "show/DirectDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumora::test {

class TFakeDiskBackend final : public IRawDiskBackend {
public:
    static constexpr int kPermanent = -1;

    // One open..close of the device, and the sectors it moved (in order).
    struct TSession {
        bool forWriting = false;
        bool exclusive = false;
        bool readBack = false; // opened to read back from the medium itself
        std::vector<unsigned> sectors;
        unsigned first() const { return sectors.empty() ? 0 : sectors.front(); }
        unsigned count() const { return static_cast<unsigned>(sectors.size()); }
    };

    TFakeDiskBackend() : medium(kDisketteBytes, 0) {}

    // ---- The drive and its medium
    std::vector<std::uint8_t> medium;
    bool removable = true;
    bool present = true;                     // false: no diskette, every open fails
    bool writeProtected = false;             // opening for writing fails
    std::optional<unsigned> sectorsOnMedium; // a short medium: sectors from here on are missing

    // Failures still to come per sector (kPermanent for a bad sector), and of the flush.
    std::map<unsigned, int> readFaults;
    std::map<unsigned, int> writeFaults;
    int flushFaults = 0;
    // Sectors whose flushed writes never reach the medium, with no error: the drive says done.
    std::map<unsigned, int> lostWrites;
    bool throwOnRead = false;

    // ---- What happened
    std::vector<TSession> sessions;
    std::map<unsigned, int> attempts; // transfers tried per sector, failed ones included
    int flushes = 0;
    bool isOpen() const { return m_open; }

    std::uint8_t* sector(unsigned s) { return medium.data() + std::size_t{s} * kSectorSize; }
    std::vector<TSession> readBackSessions() const
    {
        std::vector<TSession> out;
        std::copy_if(sessions.begin(), sessions.end(), std::back_inserter(out),
                     [](const TSession& s) { return s.readBack; });
        return out;
    }
    std::vector<TSession> writeSessions() const
    {
        std::vector<TSession> out;
        std::copy_if(sessions.begin(), sessions.end(), std::back_inserter(out),
                     [](const TSession& s) { return s.forWriting; });
        return out;
    }

    bool isRemovable(char drive) override { return removable && (drive == 'A' || drive == 'B' || drive == 'C'); }

    bool open(char, bool forWriting, bool exclusive) override
    {
        EXPECT_FALSE(m_open) << "device opened twice";
        if (!present || (forWriting && writeProtected))
            return false;
        m_open = true;
        sessions.push_back({forWriting, exclusive, false, {}});
        return true;
    }

    bool openForReadBack(char drive) override
    {
        if (!open(drive, false, false))
            return false;
        sessions.back().readBack = true;
        return true;
    }

    bool readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t length) override
    {
        if (throwOnRead)
            throw std::runtime_error("driver fault");
        return each(offset, length, [&](unsigned s, std::size_t at) {
            if (fails(readFaults, s))
                return false;
            const auto pending = m_cache.find(s);
            const auto cached = m_hostCache.find(s);
            const std::uint8_t* from = sector(s);
            if (pending != m_cache.end())
                from = pending->second.data();
            else if (cached != m_hostCache.end() && !sessions.back().readBack)
                from = cached->second.data();
            std::copy_n(from, kSectorSize, buffer + at);
            return true;
        });
    }

    bool writeAt(std::uint64_t offset, const std::uint8_t* buffer, std::size_t length) override
    {
        EXPECT_TRUE(sessions.empty() || sessions.back().forWriting) << "write on a device opened for reading";
        return each(offset, length, [&](unsigned s, std::size_t at) {
            if (fails(writeFaults, s))
                return false;
            m_cache[s].assign(buffer + at, buffer + at + kSectorSize);
            return true;
        });
    }

    // A failed flush loses the pending sectors, as the kernel may drop failed pages.
    bool flush() override
    {
        ++flushes;
        const bool ok = !consume(flushFaults);
        if (ok)
            for (const auto& [s, data] : m_cache) {
                m_hostCache[s] = data;
                if (!fails(lostWrites, s))
                    std::copy(data.begin(), data.end(), sector(s));
            }
        m_cache.clear();
        return ok;
    }

    // Whatever was written and not flushed never reaches the medium.
    bool close() override
    {
        EXPECT_TRUE(m_open) << "closed without open";
        m_open = false;
        m_cache.clear();
        return true;
    }

private:
    static bool consume(int& left)
    {
        if (left == kPermanent)
            return true;
        if (left > 0) {
            --left;
            return true;
        }
        return false;
    }
    static bool fails(std::map<unsigned, int>& faults, unsigned s)
    {
        const auto it = faults.find(s);
        return it != faults.end() && consume(it->second);
    }

    template <class F> bool each(std::uint64_t offset, std::size_t length, F&& move)
    {
        EXPECT_TRUE(m_open) << "transfer on a closed device";
        EXPECT_EQ(offset % kSectorSize, 0u);
        EXPECT_EQ(length % kSectorSize, 0u);
        EXPECT_LE(offset + length, kDisketteBytes) << "transfer past the last sector";
        if (!m_open || offset + length > kDisketteBytes)
            return false;
        for (std::size_t at = 0; at < length; at += kSectorSize) {
            const auto s = static_cast<unsigned>((offset + at) / kSectorSize);
            ++attempts[s];
            if (sectorsOnMedium && s >= *sectorsOnMedium)
                return false;
            if (!move(s, at))
                return false;
            sessions.back().sectors.push_back(s);
        }
        return true;
    }

    bool m_open = false;
    std::map<unsigned, std::vector<std::uint8_t>> m_cache;     // written, not yet flushed
    std::map<unsigned, std::vector<std::uint8_t>> m_hostCache; // flushed: what the system believes
};

// A diskette image that turns out shorter than it claimed: on its n-th open (1-based) the
// file is cut to `bytes`, so that transfer meets the end of the image part way through.
class TShrinkingImageBackend final : public IRawDiskBackend {
public:
    TShrinkingImageBackend(std::string path, int shrinkOnOpen, std::uintmax_t bytes)
        : m_inner(MakePosixDiskBackend(path)), m_path(std::move(path)), m_shrinkOnOpen(shrinkOnOpen), m_bytes(bytes)
    {
    }

    bool isRemovable(char drive) override { return m_inner->isRemovable(drive); }
    bool open(char drive, bool forWriting, bool exclusive) override
    {
        if (!m_inner->open(drive, forWriting, exclusive))
            return false;
        if (++m_opens == m_shrinkOnOpen)
            std::filesystem::resize_file(m_path, m_bytes);
        return true;
    }
    bool readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t length) override
    {
        return m_inner->readAt(offset, buffer, length);
    }
    bool writeAt(std::uint64_t offset, const std::uint8_t* buffer, std::size_t length) override
    {
        return m_inner->writeAt(offset, buffer, length);
    }
    bool flush() override { return m_inner->flush(); }
    bool close() override { return m_inner->close(); }

private:
    std::shared_ptr<IRawDiskBackend> m_inner;
    std::string m_path;
    int m_shrinkOnOpen;
    std::uintmax_t m_bytes;
    int m_opens = 0;
};

} // namespace lumora::test
