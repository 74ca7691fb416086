// Drive A on Linux: a diskette block device (/dev/fd0, a USB floppy) or a raw 1.44 MB
// diskette image as floppy emulators take it. This is the only platform file of the
// raw-disk component; a Windows port replaces it.

#include "show/DirectDisk.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>

namespace lumora {

namespace fs = std::filesystem;

namespace {

class TPosixDiskBackend final : public IRawDiskBackend {
public:
    TPosixDiskBackend(std::string driveAPath, std::string sysfsRoot)
        : m_path(std::move(driveAPath)), m_sysfsRoot(std::move(sysfsRoot))
    {
    }
    ~TPosixDiskBackend() override { close(); }

    bool isRemovable(char drive) override
    {
        struct stat st {};
        return isDriveA(drive) && ::stat(m_path.c_str(), &st) == 0 && isRemovableMedium(st);
    }

    bool open(char drive, bool forWriting, bool exclusive) override { return open(drive, forWriting, exclusive, 0); }

    bool open(char drive, bool forWriting, bool exclusive, int extraFlags)
    {
        close();
        errno = 0;
        if (!isDriveA(drive))
            return false;
        // Never create or truncate: a missing image is a missing diskette.
        int flags = (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | extraFlags;
        struct stat before {};
        if (::stat(m_path.c_str(), &before) != 0)
            return false;
        if (exclusive && S_ISBLK(before.st_mode))
            flags |= O_EXCL; // on a block device: refused while mounted or held by another program
        int fd = -1;
        do
            fd = ::open(m_path.c_str(), flags);
        while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return false;
        // Judge what was actually opened, not what the name pointed to a moment before.
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !isRemovableMedium(st) ||
            (exclusive && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) != 0)) {
            ::close(fd);
            errno = 0;
            return false;
        }
        m_fd = fd;
        return true;
    }

    // Reading back goes past the kernel's page cache: a buffered read would be served the
    // very pages just written, whatever the medium now holds. Measured on this kind of
    // machine: with /dev/loop0 over an image and the device held open elsewhere, a sector
    // written through the device and then changed in the image underneath read back as
    // the old cached bytes with a plain open, and as the medium's bytes with O_DIRECT and
    // with fsync + POSIX_FADV_DONTNEED. On an image file on ext4, O_DIRECT opens and reads
    // of 512 bytes at 512-byte offsets into a 4096-aligned buffer work. O_DIRECT is taken
    // first: it is the only one that also gets past the block device's cache when another
    // program keeps dirty pages of it. Where the filesystem refuses O_DIRECT at open (EINVAL,
    // as some do), or a device refuses a direct read of one sector, the same descriptor drops
    // the cached pages (fsync, then POSIX_FADV_DONTNEED) and reads without it.
    bool openForReadBack(char drive) override
    {
        if (!open(drive, false, false, O_DIRECT)) {
            if (errno != EINVAL || !open(drive, false, false, 0))
                return false;
            return dropCache();
        }
        m_direct = true;
        return true;
    }

    bool readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t length) override
    {
        if (m_fd < 0)
            return false;
        if (m_direct)
            return readDirect(offset, buffer, length);
        std::size_t done = 0;
        while (done < length) {
            const ssize_t n = ::pread(m_fd, buffer + done, length - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false; // an error, or end of the medium before the sector ends
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    bool writeAt(std::uint64_t offset, const std::uint8_t* buffer, std::size_t length) override
    {
        if (m_fd < 0)
            return false;
        std::size_t done = 0;
        while (done < length) {
            const ssize_t n = ::pwrite(m_fd, buffer + done, length - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    bool flush() override { return m_fd >= 0 && ::fsync(m_fd) == 0; }

    bool close() override
    {
        m_direct = false;
        if (m_fd < 0)
            return true;
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0; // not retried on EINTR: the descriptor is gone either way on Linux
    }

private:
    // Drops the medium's pages from the cache, so the reads that follow come from it.
    bool dropCache() { return ::fsync(m_fd) == 0 && ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_DONTNEED) == 0; }

    // O_DIRECT wants the buffer, the offset and the length aligned: one sector at a time
    // through a page-aligned buffer of our own.
    bool readDirect(std::uint64_t offset, std::uint8_t* buffer, std::size_t length)
    {
        if (!m_bounce)
            m_bounce.reset(static_cast<std::uint8_t*>(std::aligned_alloc(kDirectAlignment, kDirectAlignment)));
        if (!m_bounce)
            return false;
        for (std::size_t done = 0; done < length; done += kSectorSize) {
            ssize_t n = -1;
            do
                n = ::pread(m_fd, m_bounce.get(), kSectorSize, static_cast<off_t>(offset + done));
            while (n < 0 && errno == EINTR);
            if (n < 0 && errno == EINVAL) {
                // This device will not read one sector directly: drop its cache and read plainly.
                const int flags = ::fcntl(m_fd, F_GETFL);
                if (flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_DIRECT) != 0 || !dropCache())
                    return false;
                m_direct = false;
                return readAt(offset + done, buffer + done, length - done);
            }
            if (n != static_cast<ssize_t>(kSectorSize))
                return false; // an error, or end of the medium before the sector ends
            std::memcpy(buffer + done, m_bounce.get(), kSectorSize);
        }
        return true;
    }

    static bool isDriveA(char drive) { return std::toupper(static_cast<unsigned char>(drive)) == 'A'; }

    bool isRemovableMedium(const struct stat& st) const
    {
        if (S_ISREG(st.st_mode))
            return static_cast<std::uint64_t>(st.st_size) == kDisketteBytes;
        if (S_ISBLK(st.st_mode))
            return kernelSaysRemovable(st.st_rdev);
        return false;
    }

    // /sys/dev/block/<major>:<minor> is the device's folder; a partition has no flag of
    // its own and takes the flag of the disk it belongs to.
    bool kernelSaysRemovable(dev_t device) const
    {
        std::error_code ec;
        const fs::path link = fs::path(m_sysfsRoot) / "dev" / "block" /
                              (std::to_string(major(device)) + ":" + std::to_string(minor(device)));
        const fs::path folder = fs::canonical(link, ec);
        if (ec)
            return false;
        fs::path flag = folder / "removable";
        if (!fs::exists(flag, ec) && fs::exists(folder / "partition", ec))
            flag = folder.parent_path() / "removable";
        std::ifstream in(flag);
        int value = 0;
        return static_cast<bool>(in >> value) && value == 1;
    }

    std::string m_path;
    std::string m_sysfsRoot;
    int m_fd = -1;
    bool m_direct = false; // opened with O_DIRECT to read back
    struct TFree {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint8_t, TFree> m_bounce;
    static constexpr std::size_t kDirectAlignment = 4096;
};

} // namespace

std::shared_ptr<IRawDiskBackend> MakePosixDiskBackend(std::string driveAPath)
{
    return MakePosixDiskBackend(std::move(driveAPath), "/sys");
}

std::shared_ptr<IRawDiskBackend> MakePosixDiskBackend(std::string driveAPath, std::string sysfsRoot)
{
    return std::make_shared<TPosixDiskBackend>(std::move(driveAPath), std::move(sysfsRoot));
}

} // namespace lumora
