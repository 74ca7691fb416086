#pragma once

// Raw sector access to the show diskette: the console's diskette has no file system,
// so the editor reads and writes it by logical sector number (1.44 MB geometry).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace lumora {

inline constexpr unsigned kSectorSize = 512, kDisketteSectors = 2880;
// The one media type in use: the 1.44 MB diskette (18 sectors a track, 2 heads, 80 cylinders).
inline constexpr int kMedia144 = 4;
inline constexpr std::uint64_t kDisketteBytes = std::uint64_t{kSectorSize} * kDisketteSectors; // 1,474,560

// ---- The platform's access to a drive's sectors

// One implementation per platform plus fakes in tests. A transfer is open, then reads or
// writes at byte offsets (always whole sectors, always inside the diskette), then flush
// for writes, then close. Nothing throws; every failure is a false.
class IRawDiskBackend {
public:
    virtual ~IRawDiskBackend() = default;

    // Whether the letter names a removable drive that can hold a diskette (or its image).
    virtual bool isRemovable(char drive) = 0;

    // Opens the drive's medium for one transfer. False when it is missing, not removable,
    // cannot be opened (no diskette, write-protected) or, with `exclusive`, is in use.
    virtual bool open(char drive, bool forWriting, bool exclusive) = 0;
    // True only when all `length` bytes at `offset` were transferred.
    virtual bool readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t length) = 0;
    virtual bool writeAt(std::uint64_t offset, const std::uint8_t* buffer, std::size_t length) = 0;
    // Written bytes reach the medium; media errors of buffered writes show up only here.
    virtual bool flush() = 0;
    // Opens the medium for reading back what was just written: the reads of this transfer
    // come from the medium itself, never from a copy the system keeps of what it was
    // given. A backend that keeps no such copy reads back as it reads.
    virtual bool openForReadBack(char drive) { return open(drive, false, false); }
    // False when closing reported an error (it may be the last word on a write).
    virtual bool close() = 0;
};

// ---- The raw-disk component (one instance, owned by the main window)

class TDirDisk final {
public:
    explicit TDirDisk(std::shared_ptr<IRawDiskBackend> backend);

    // Properties, with the component's defaults. The program sets FirstSector, then
    // Sectors, before every transfer.
    std::string About;
    char DriveName = 'C';
    unsigned FirstSector = 0;
    unsigned Sectors = 1;
    bool NeedDiskLock = false; // an exclusive hold on the drive during a transfer
    bool NeedWriteWarn = true; // kept for the property list; the component never asks (the caller does)
    int Retries = 2;           // attempts per sector, 1..25 (values outside are taken as the nearest)

    // Sectors FirstSector .. FirstSector + Sectors - 1, sector k of the range at buffer
    // offset k * 512; the buffer holds at least Sectors * 512 bytes. True only when every
    // sector was transferred; the transfer stops at the first sector that still fails
    // after Retries attempts. Writes count only once flushed to the medium, and drive
    // letters C and above are refused. Only media type 4 is known.
    bool Read(char drive, std::uint8_t* buffer, int mediaType = 4);
    bool Write(char drive, const std::uint8_t* buffer, int mediaType = 4);
    // Like Read, from the medium itself past any cache: to check what Write put there.
    bool ReadBack(char drive, std::uint8_t* buffer, int mediaType = 4);

    bool IsRemovableDrive(char drive);

private:
    bool rangeIsOnDiskette() const;
    int attempts() const;
    bool read(char drive, std::uint8_t* buffer, int mediaType, bool fromMedium);
    bool readRange(std::uint8_t* buffer);
    bool writeRange(const std::uint8_t* buffer);

    std::shared_ptr<IRawDiskBackend> m_backend;
};

// ---- Drive A on this platform

// Drive 'A' is the block device or diskette image at driveAPath; other letters are not
// removable. Removable: a block device the kernel reports as removable, or a regular
// file of exactly 1,474,560 bytes.
std::shared_ptr<IRawDiskBackend> MakePosixDiskBackend(std::string driveAPath);
// The same, reading the kernel's removable flags under sysfsRoot instead of "/sys" (tests).
std::shared_ptr<IRawDiskBackend> MakePosixDiskBackend(std::string driveAPath, std::string sysfsRoot);

// "--drive-a PATH" wins, then the environment variable LUMORA_DRIVE_A, then the drive the
// user chose last time (storedChoice), then /dev/fd0. An empty value counts as not given.
std::string ResolveDriveAPath(const std::optional<std::string>& commandLineOption,
                              const std::string& storedChoice = {});

} // namespace lumora
