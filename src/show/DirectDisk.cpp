#include "show/DirectDisk.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace lumora {

namespace {

constexpr int kMinRetries = 1;
constexpr int kMaxRetries = 25;

// Closes the device on every path out of a transfer, exceptions included.
class TOpenDevice final {
public:
    explicit TOpenDevice(IRawDiskBackend& backend) : m_backend(backend) {}
    ~TOpenDevice()
    {
        if (m_open)
            m_backend.close();
    }
    TOpenDevice(const TOpenDevice&) = delete;
    TOpenDevice& operator=(const TOpenDevice&) = delete;

    bool open(char drive, bool forWriting, bool exclusive)
    {
        m_open = m_backend.open(drive, forWriting, exclusive);
        return m_open;
    }
    bool openForReadBack(char drive)
    {
        m_open = m_backend.openForReadBack(drive);
        return m_open;
    }
    bool close()
    {
        m_open = false;
        return m_backend.close();
    }

private:
    IRawDiskBackend& m_backend;
    bool m_open = false;
};

std::uint64_t SectorOffset(unsigned sector)
{
    return std::uint64_t{sector} * kSectorSize;
}

} // namespace

TDirDisk::TDirDisk(std::shared_ptr<IRawDiskBackend> backend)
    : About("Lumora raw diskette sectors: 512-byte logical sectors of a 1.44 MB diskette"),
      m_backend(std::move(backend))
{
}

bool TDirDisk::IsRemovableDrive(char drive)
{
    try {
        return m_backend && m_backend->isRemovable(drive);
    } catch (...) {
        return false;
    }
}

// Checked before any I/O: past the last sector an image file reads as end of file and a
// write would silently grow it.
bool TDirDisk::rangeIsOnDiskette() const
{
    return FirstSector <= kDisketteSectors && Sectors <= kDisketteSectors - FirstSector;
}

int TDirDisk::attempts() const
{
    return std::clamp(Retries, kMinRetries, kMaxRetries);
}

bool TDirDisk::readRange(std::uint8_t* buffer)
{
    for (unsigned k = 0; k < Sectors; ++k) {
        bool done = false;
        for (int attempt = 0; attempt < attempts() && !done; ++attempt)
            done = m_backend->readAt(SectorOffset(FirstSector + k), buffer + std::size_t{k} * kSectorSize, kSectorSize);
        if (!done)
            return false;
    }
    return true;
}

bool TDirDisk::writeRange(const std::uint8_t* buffer)
{
    for (unsigned k = 0; k < Sectors; ++k) {
        bool done = false;
        for (int attempt = 0; attempt < attempts() && !done; ++attempt)
            done =
                m_backend->writeAt(SectorOffset(FirstSector + k), buffer + std::size_t{k} * kSectorSize, kSectorSize);
        if (!done)
            return false;
    }
    return true;
}

bool TDirDisk::Read(char drive, std::uint8_t* buffer, int mediaType)
{
    return read(drive, buffer, mediaType, false);
}

bool TDirDisk::ReadBack(char drive, std::uint8_t* buffer, int mediaType)
{
    return read(drive, buffer, mediaType, true);
}

bool TDirDisk::read(char drive, std::uint8_t* buffer, int mediaType, bool fromMedium)
{
    try {
        if (!m_backend || mediaType != kMedia144 || !rangeIsOnDiskette() || (Sectors > 0 && !buffer))
            return false;
        if (!m_backend->isRemovable(drive))
            return false;
        TOpenDevice device(*m_backend);
        if (!(fromMedium ? device.openForReadBack(drive) : device.open(drive, false, NeedDiskLock)))
            return false;
        if (!readRange(buffer))
            return false;
        device.close(); // nothing of a read hangs on the close
        return true;
    } catch (...) {
        return false;
    }
}

bool TDirDisk::Write(char drive, const std::uint8_t* buffer, int mediaType)
{
    try {
        if (!m_backend || mediaType != kMedia144 || !rangeIsOnDiskette() || (Sectors > 0 && !buffer))
            return false;
        // Only the diskette drives A and B; never a fixed disk.
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drive)));
        if (letter != 'A' && letter != 'B')
            return false;
        if (!m_backend->isRemovable(drive))
            return false;
        TOpenDevice device(*m_backend);
        if (!device.open(drive, true, NeedDiskLock))
            return false;
        // A media error of a buffered write is reported only by the flush, and the kernel
        // may then drop the failed pages: a retry writes the whole range again.
        bool flushed = false;
        for (int attempt = 0; attempt < attempts() && !flushed; ++attempt) {
            if (!writeRange(buffer)) {
                m_backend->flush(); // the sectors before the failing one stay written
                return false;
            }
            flushed = m_backend->flush();
        }
        return flushed && device.close();
    } catch (...) {
        return false;
    }
}

std::string ResolveDriveAPath(const std::optional<std::string>& commandLineOption, const std::string& storedChoice)
{
    if (commandLineOption && !commandLineOption->empty())
        return *commandLineOption;
    if (const char* fromEnvironment = std::getenv("LUMORA_DRIVE_A"); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    if (!storedChoice.empty())
        return storedChoice;
    return "/dev/fd0";
}

} // namespace lumora
