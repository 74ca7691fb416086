#include "show/DirectDisk.h"

#include "FakeDiskBackend.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

// Sector s of a test medium holds the byte (s * 7 + i) & 255 at position i.
std::uint8_t PatternByte(unsigned s, std::size_t i)
{
    return static_cast<std::uint8_t>(s * 7 + i);
}

void FillPattern(std::uint8_t* data, unsigned firstSector, unsigned sectors, std::uint8_t salt = 0)
{
    for (unsigned k = 0; k < sectors; ++k)
        for (std::size_t i = 0; i < kSectorSize; ++i)
            data[std::size_t{k} * kSectorSize + i] = static_cast<std::uint8_t>(PatternByte(firstSector + k, i) ^ salt);
}

std::vector<std::uint8_t> Sectors(const std::vector<std::uint8_t>& medium, unsigned first, unsigned count)
{
    const auto from = medium.begin() + static_cast<std::ptrdiff_t>(std::size_t{first} * kSectorSize);
    return {from, from + static_cast<std::ptrdiff_t>(std::size_t{count} * kSectorSize)};
}

std::vector<std::uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, std::size_t size, std::uint8_t salt = 0)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] =
            static_cast<std::uint8_t>(PatternByte(static_cast<unsigned>(i / kSectorSize), i % kSectorSize) ^ salt);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(size));
}

struct FakeDisk {
    std::shared_ptr<TFakeDiskBackend> backend = std::make_shared<TFakeDiskBackend>();
    TDirDisk disk{backend};
    FakeDisk() { FillPattern(backend->medium.data(), 0, kDisketteSectors); }

    bool read(unsigned first, unsigned count, std::vector<std::uint8_t>& into, char drive = 'A')
    {
        into.assign(std::size_t{count} * kSectorSize + kSectorSize, 0xEE); // one spare sector: must stay untouched
        disk.FirstSector = first;
        disk.Sectors = count;
        return disk.Read(drive, into.data());
    }
    bool write(unsigned first, unsigned count, std::uint8_t salt = 0x5A, char drive = 'A')
    {
        std::vector<std::uint8_t> data(std::size_t{count} * kSectorSize);
        FillPattern(data.data(), first, count, salt);
        disk.FirstSector = first;
        disk.Sectors = count;
        return disk.Write(drive, data.data());
    }
};

// ---- The component with a fake drive

TEST(DirDisk, StartsWithTheComponentDefaults)
{
    TDirDisk disk(std::make_shared<TFakeDiskBackend>());
    EXPECT_FALSE(disk.About.empty());
    EXPECT_EQ(disk.DriveName, 'C');
    EXPECT_EQ(disk.FirstSector, 0u);
    EXPECT_EQ(disk.Sectors, 1u);
    EXPECT_FALSE(disk.NeedDiskLock);
    EXPECT_TRUE(disk.NeedWriteWarn);
    EXPECT_EQ(disk.Retries, 2);
}

TEST(DirDisk, ReadPutsSectorKOfTheRangeAtOffsetK512AndClosesTheDevice)
{
    FakeDisk f;
    std::vector<std::uint8_t> buffer;
    ASSERT_TRUE(f.read(100, 10, buffer));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.end() - kSectorSize),
              Sectors(f.backend->medium, 100, 10));
    EXPECT_TRUE(std::all_of(buffer.end() - kSectorSize, buffer.end(), [](std::uint8_t b) { return b == 0xEE; }));
    ASSERT_EQ(f.backend->sessions.size(), 1u);
    EXPECT_FALSE(f.backend->sessions[0].forWriting);
    EXPECT_FALSE(f.backend->sessions[0].exclusive);
    EXPECT_FALSE(f.backend->isOpen());
}

TEST(DirDisk, WriteCountsOnlyOnceFlushedToTheMedium)
{
    FakeDisk f;
    const auto before = f.backend->medium;
    ASSERT_TRUE(f.write(2877, 3));
    EXPECT_EQ(f.backend->flushes, 1);
    std::vector<std::uint8_t> expected(3 * kSectorSize);
    FillPattern(expected.data(), 2877, 3, 0x5A);
    EXPECT_EQ(Sectors(f.backend->medium, 2877, 3), expected);
    EXPECT_EQ(Sectors(f.backend->medium, 0, 2877), Sectors(before, 0, 2877));
    EXPECT_FALSE(f.backend->isOpen());
}

TEST(DirDisk, RangesOffTheDisketteAreRefusedBeforeAnyIo)
{
    struct Case {
        unsigned first, count;
        bool onDiskette;
    };
    const Case cases[] = {
        {2879, 1, true},  {0, 2880, true},      {2880, 1, false},     {2879, 2, false},
        {0, 2881, false}, {UINT_MAX, 2, false}, {2, UINT_MAX, false}, {UINT_MAX - 1, 4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "first " << c.first << " count " << c.count);
        FakeDisk f;
        std::vector<std::uint8_t> buffer(c.onDiskette ? std::size_t{c.count} * kSectorSize : kSectorSize);
        f.disk.FirstSector = c.first;
        f.disk.Sectors = c.count;
        EXPECT_EQ(f.disk.Read('A', buffer.data()), c.onDiskette);
        EXPECT_EQ(f.disk.Write('A', buffer.data()), c.onDiskette);
        EXPECT_EQ(f.backend->sessions.size(), c.onDiskette ? 2u : 0u);
    }
}

TEST(DirDisk, ASectorIsTriedRetriesTimes)
{
    struct Case {
        int retries, failures;
        bool ok;
        int attempts;
    };
    const Case cases[] = {
        {2, 1, true, 2},  {2, 2, false, 2}, {1, 1, false, 1},    {25, 24, true, 25},
        {0, 1, false, 1}, {-3, 0, true, 1}, {40, 25, false, 25}, {40, 24, true, 25},
    };
    for (const auto& c : cases) {
        for (const bool writing : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "Retries " << c.retries << ", failures " << c.failures << (writing ? ", write" : ", read"));
            FakeDisk f;
            f.disk.Retries = c.retries;
            (writing ? f.backend->writeFaults : f.backend->readFaults)[7] = c.failures;
            std::vector<std::uint8_t> buffer;
            EXPECT_EQ(writing ? f.write(5, 4) : f.read(5, 4, buffer), c.ok);
            EXPECT_EQ(f.backend->attempts[7], c.attempts);
            EXPECT_EQ(f.backend->attempts[5], 1);
        }
    }
}

TEST(DirDisk, ReadStopsAtTheFirstSectorThatStillFails)
{
    FakeDisk f;
    f.backend->readFaults[15] = TFakeDiskBackend::kPermanent;
    std::vector<std::uint8_t> buffer;
    EXPECT_FALSE(f.read(10, 10, buffer));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 5 * kSectorSize),
              Sectors(f.backend->medium, 10, 5));
    EXPECT_EQ(f.backend->attempts[15], 2);
    for (unsigned s = 16; s < 20; ++s)
        EXPECT_EQ(f.backend->attempts.count(s), 0u) << "sector " << s << " tried after the failure";
    EXPECT_FALSE(f.backend->isOpen());
}

TEST(DirDisk, WriteStopsAtTheFirstSectorThatStillFailsWithTheSectorsBeforeItWritten)
{
    FakeDisk f;
    const auto before = f.backend->medium;
    f.backend->writeFaults[15] = TFakeDiskBackend::kPermanent;
    EXPECT_FALSE(f.write(10, 10));
    std::vector<std::uint8_t> written(5 * kSectorSize);
    FillPattern(written.data(), 10, 5, 0x5A);
    EXPECT_EQ(Sectors(f.backend->medium, 10, 5), written);
    EXPECT_EQ(Sectors(f.backend->medium, 15, 2865), Sectors(before, 15, 2865));
    EXPECT_EQ(f.backend->attempts.count(16), 0u);
    EXPECT_FALSE(f.backend->isOpen());
}

TEST(DirDisk, AFailedFlushWritesTheRangeAgainOrFailsTheWrite)
{
    {
        FakeDisk f;
        f.backend->flushFaults = 1; // the kernel reported a media error once and dropped the pages
        EXPECT_TRUE(f.write(40, 2));
        EXPECT_EQ(f.backend->flushes, 2);
        std::vector<std::uint8_t> expected(2 * kSectorSize);
        FillPattern(expected.data(), 40, 2, 0x5A);
        EXPECT_EQ(Sectors(f.backend->medium, 40, 2), expected);
    }
    {
        FakeDisk f;
        const auto before = f.backend->medium;
        f.backend->flushFaults = TFakeDiskBackend::kPermanent;
        EXPECT_FALSE(f.write(40, 2));
        EXPECT_EQ(f.backend->flushes, 2);
        EXPECT_EQ(f.backend->medium, before);
        EXPECT_FALSE(f.backend->isOpen());
    }
}

TEST(DirDisk, WritesOnlyToTheDisketteDrives)
{
    for (const char drive : {'C', 'D', 'Z', 'c', '\0'}) {
        SCOPED_TRACE(testing::Message() << "drive " << static_cast<int>(drive));
        FakeDisk f;
        EXPECT_FALSE(f.write(40, 1, 0x5A, drive));
        EXPECT_TRUE(f.backend->sessions.empty());
    }
    for (const char drive : {'A', 'B'}) {
        FakeDisk f;
        EXPECT_TRUE(f.write(40, 1, 0x5A, drive));
    }
    FakeDisk f; // reading a fixed disk is the drive's business, not the component's
    std::vector<std::uint8_t> buffer;
    EXPECT_TRUE(f.read(40, 1, buffer, 'C'));
}

TEST(DirDisk, RefusesWhatIsNoDisketteOrCannotBeOpened)
{
    std::vector<std::uint8_t> buffer;
    {
        FakeDisk f;
        f.backend->removable = false;
        EXPECT_FALSE(f.disk.IsRemovableDrive('A'));
        EXPECT_FALSE(f.read(0, 1, buffer));
        EXPECT_FALSE(f.write(40, 1));
        EXPECT_TRUE(f.backend->sessions.empty());
    }
    {
        FakeDisk f;
        f.backend->present = false;
        EXPECT_TRUE(f.disk.IsRemovableDrive('A'));
        EXPECT_FALSE(f.read(0, 1, buffer));
        EXPECT_FALSE(f.write(40, 1));
    }
    {
        FakeDisk f;
        f.backend->writeProtected = true;
        EXPECT_TRUE(f.read(0, 1, buffer));
        EXPECT_FALSE(f.write(40, 1));
    }
    {
        FakeDisk f;
        f.disk.FirstSector = 0;
        f.disk.Sectors = 1;
        buffer.assign(kSectorSize, 0);
        EXPECT_FALSE(f.disk.Read('A', buffer.data(), 3)); // only the 1.44 MB geometry is known
        EXPECT_TRUE(f.backend->sessions.empty());
    }
    {
        TDirDisk disk(nullptr);
        buffer.assign(kSectorSize, 0);
        EXPECT_FALSE(disk.IsRemovableDrive('A'));
        EXPECT_FALSE(disk.Read('A', buffer.data()));
        EXPECT_FALSE(disk.Write('A', buffer.data()));
    }
}

TEST(DirDisk, AnErrorRaisedInsideEndsAsFalseWithTheDeviceClosed)
{
    FakeDisk f;
    f.backend->throwOnRead = true;
    std::vector<std::uint8_t> buffer;
    EXPECT_FALSE(f.read(0, 2, buffer));
    EXPECT_FALSE(f.backend->isOpen());
}

TEST(DirDisk, DiskLockAsksForAnExclusiveOpen)
{
    FakeDisk f;
    f.disk.NeedDiskLock = true;
    std::vector<std::uint8_t> buffer;
    ASSERT_TRUE(f.read(0, 1, buffer));
    ASSERT_TRUE(f.write(40, 1));
    ASSERT_EQ(f.backend->sessions.size(), 2u);
    EXPECT_TRUE(f.backend->sessions[0].exclusive);
    EXPECT_TRUE(f.backend->sessions[1].exclusive);
}

// ---- Drive A on Linux: images and block devices

constexpr std::size_t kImageBytes = 1'474'560;

struct BlockDevice {
    std::string node;
    dev_t rdev;
};

// Some block device of this machine that the kernel calls fixed (a disk, a loop device).
std::optional<BlockDevice> FixedBlockDevice()
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/sys/block", ec)) {
        std::ifstream flag(entry.path() / "removable");
        int removable = -1;
        const std::string node = "/dev/" + entry.path().filename().string();
        struct stat st {};
        if (flag >> removable && removable == 0 && ::stat(node.c_str(), &st) == 0 && S_ISBLK(st.st_mode))
            return BlockDevice{node, st.st_rdev};
    }
    return std::nullopt;
}

TEST(PosixDrive, RemovableMeansADisketteImageOrARemovableBlockDevice)
{
    TTempDir dir;
    WriteFile(dir.file("floppy.img"), kImageBytes);
    WriteFile(dir.file("short.img"), kImageBytes - 1);
    WriteFile(dir.file("long.img"), kImageBytes + 1);
    WriteFile(dir.file("720k.img"), 737'280);
    WriteFile(dir.file("empty.img"), 0);
    fs::create_directory(dir.file("folder"));
    fs::create_symlink(dir.file("floppy.img"), dir.file("link.img"));

    struct Case {
        std::string path;
        char drive;
        bool removable;
    };
    const Case cases[] = {
        {dir.file("floppy.img"), 'A', true},   {dir.file("floppy.img"), 'a', true},
        {dir.file("link.img"), 'A', true},     {dir.file("floppy.img"), 'B', false},
        {dir.file("floppy.img"), 'C', false},  {dir.file("short.img"), 'A', false},
        {dir.file("long.img"), 'A', false},    {dir.file("720k.img"), 'A', false},
        {dir.file("empty.img"), 'A', false},   {dir.file("folder"), 'A', false},
        {dir.file("missing.img"), 'A', false}, {"/dev/null", 'A', false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " as " + c.drive);
        TDirDisk disk(MakePosixDiskBackend(c.path));
        EXPECT_EQ(disk.IsRemovableDrive(c.drive), c.removable);
    }
}

TEST(PosixDrive, AFixedBlockDeviceIsNoFloppyDrive)
{
    const auto device = FixedBlockDevice();
    if (!device)
        GTEST_SKIP() << "no block device on this machine";
    TDirDisk disk(MakePosixDiskBackend(device->node));
    EXPECT_FALSE(disk.IsRemovableDrive('A'));
    std::vector<std::uint8_t> buffer(kSectorSize);
    EXPECT_FALSE(disk.Read('A', buffer.data()));
}

// The kernel's flag decides for a block device; a partition goes by the disk it is on.
TEST(PosixDrive, TheKernelsRemovableFlagDecidesForABlockDevice)
{
    const auto device = FixedBlockDevice();
    if (!device)
        GTEST_SKIP() << "no block device on this machine";
    const std::string id = std::to_string(major(device->rdev)) + ":" + std::to_string(minor(device->rdev));

    struct Case {
        const char* layout;
        bool removable;
    };
    for (const Case c :
         {Case{"disk removable=1", true}, Case{"disk removable=0", false}, Case{"partition of removable disk", true},
          Case{"partition of fixed disk", false}, Case{"no flag", false}}) {
        SCOPED_TRACE(c.layout);
        TTempDir sys;
        const std::string layout = c.layout;
        const bool partition = layout.starts_with("partition");
        const fs::path disk = sys.path() / "devices" / "fd7";
        const fs::path folder = partition ? disk / "fd7p1" : disk;
        fs::create_directories(folder);
        fs::create_directories(sys.path() / "dev" / "block");
        fs::create_directory_symlink(folder, sys.path() / "dev" / "block" / id);
        if (partition)
            std::ofstream(folder / "partition") << "1\n";
        if (layout != "no flag")
            std::ofstream(disk / "removable") << (c.removable ? "1\n" : "0\n");
        TDirDisk raw(MakePosixDiskBackend(device->node, sys.path().string()));
        EXPECT_EQ(raw.IsRemovableDrive('A'), c.removable);
    }
}

TEST(PosixDrive, AnImageTakesWholeSectorsAtTheirPlaceAndNeverGrows)
{
    TTempDir dir;
    const std::string image = dir.file("floppy.img");
    WriteFile(image, kImageBytes);
    const auto before = ReadFile(image);
    TDirDisk disk(MakePosixDiskBackend(image));

    std::vector<std::uint8_t> data(10 * kSectorSize);
    FillPattern(data.data(), 2870, 10, 0xA5);
    disk.FirstSector = 2870;
    disk.Sectors = 10;
    ASSERT_TRUE(disk.Write('A', data.data()));
    auto after = ReadFile(image);
    ASSERT_EQ(after.size(), kImageBytes);
    EXPECT_EQ(Sectors(after, 2870, 10), data);
    EXPECT_EQ(Sectors(after, 0, 2870), Sectors(before, 0, 2870));

    std::vector<std::uint8_t> back(10 * kSectorSize);
    ASSERT_TRUE(disk.Read('A', back.data()));
    EXPECT_EQ(back, data);

    disk.FirstSector = 2880;
    disk.Sectors = 1;
    EXPECT_FALSE(disk.Write('A', data.data()));
    EXPECT_FALSE(disk.Read('A', back.data()));
    EXPECT_EQ(fs::file_size(image), kImageBytes);
}

TEST(PosixDrive, AMissingImageIsAMissingDisketteAndIsNeverCreated)
{
    TTempDir dir;
    TDirDisk disk(MakePosixDiskBackend(dir.file("floppy.img")));
    std::vector<std::uint8_t> buffer(kSectorSize);
    disk.FirstSector = 40;
    EXPECT_FALSE(disk.Write('A', buffer.data()));
    EXPECT_FALSE(disk.Read('A', buffer.data()));
    EXPECT_FALSE(fs::exists(dir.file("floppy.img")));
}

TEST(PosixDrive, AnImageThatEndsEarlyFailsAtItsEndWithTheSectorsBeforeRead)
{
    TTempDir dir;
    const std::string image = dir.file("floppy.img");
    WriteFile(image, kImageBytes);
    const auto original = ReadFile(image);
    // Cut to 2000 sectors and a half: sector 2000 is short, 2001 is past the end.
    TDirDisk disk(std::make_shared<TShrinkingImageBackend>(image, 1, 2000 * kSectorSize + 256));
    std::vector<std::uint8_t> buffer(10 * kSectorSize, 0);
    disk.FirstSector = 1995;
    disk.Sectors = 10;
    EXPECT_FALSE(disk.Read('A', buffer.data()));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 5 * kSectorSize), Sectors(original, 1995, 5));
}

TEST(PosixDrive, ReadBackTakesWholeSectorsFromAnImage)
{
    TTempDir dir;
    const std::string image = dir.file("floppy.img");
    WriteFile(image, kImageBytes);
    TDirDisk disk(MakePosixDiskBackend(image));
    std::vector<std::uint8_t> data(7 * kSectorSize);
    FillPattern(data.data(), 2873, 7, 0x3C);
    disk.FirstSector = 2873;
    disk.Sectors = 7;
    ASSERT_TRUE(disk.Write('A', data.data()));
    std::vector<std::uint8_t> back(7 * kSectorSize + 1, 0xEE);
    ASSERT_TRUE(disk.ReadBack('A', back.data() + 1)); // an unaligned buffer of the caller's
    EXPECT_EQ(std::vector<std::uint8_t>(back.begin() + 1, back.end()), data);
    EXPECT_EQ(back[0], 0xEE);

    disk.FirstSector = 2880;
    disk.Sectors = 1;
    EXPECT_FALSE(disk.ReadBack('A', back.data()));
    EXPECT_FALSE(disk.ReadBack('B', back.data()));

    // An image that ends early fails at its end.
    TDirDisk cut(std::make_shared<TShrinkingImageBackend>(image, 1, 2000 * kSectorSize));
    cut.FirstSector = 1998;
    cut.Sectors = 3;
    EXPECT_FALSE(cut.ReadBack('A', back.data()));
}

// A loop device over an image, detached again when done; root only.
class TLoopDevice final {
public:
    explicit TLoopDevice(const std::string& image)
    {
        if (::geteuid() != 0)
            return;
        const std::string command = "losetup -f --show '" + image + "' 2>/dev/null";
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char line[256] = {};
            if (std::fgets(line, sizeof line, pipe))
                m_node = std::string(line).substr(0, std::string(line).find('\n'));
            ::pclose(pipe);
        }
    }
    ~TLoopDevice()
    {
        if (!m_node.empty())
            std::system(("losetup -d '" + m_node + "'").c_str());
    }
    TLoopDevice(const TLoopDevice&) = delete;
    TLoopDevice& operator=(const TLoopDevice&) = delete;
    const std::string& node() const { return m_node; }

private:
    std::string m_node;
};

// A block device keeps its own cache: while another program holds the device open, a
// plain read after a write is served the cached sectors, whatever the medium holds. The
// read-back must get the medium.
TEST(PosixDrive, ReadBackGetsPastTheBlockDevicesCache)
{
    TTempDir dir;
    const std::string image = dir.file("floppy.img");
    WriteFile(image, kImageBytes);
    const TLoopDevice loop(image);
    if (loop.node().empty())
        GTEST_SKIP() << "no loop device (needs root and losetup)";
    struct stat st {};
    ASSERT_EQ(::stat(loop.node().c_str(), &st), 0);
    TTempDir sys; // the loop device as a removable drive
    fs::create_directories(sys.path() / "devices" / "loop");
    fs::create_directories(sys.path() / "dev" / "block");
    std::ofstream(sys.path() / "devices" / "loop" / "removable") << "1\n";
    fs::create_directory_symlink(sys.path() / "devices" / "loop",
                                 sys.path() / "dev" / "block" /
                                     (std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev))));
    const int holder = ::open(loop.node().c_str(), O_RDONLY | O_CLOEXEC); // another program holds it open
    ASSERT_GE(holder, 0);

    TDirDisk disk(MakePosixDiskBackend(loop.node(), sys.path().string()));
    std::vector<std::uint8_t> written(kSectorSize, 0x11);
    disk.FirstSector = 54;
    disk.Sectors = 1;
    ASSERT_TRUE(disk.Write('A', written.data()));

    // The medium changes underneath, as a sector the drive never really wrote would.
    const std::vector<std::uint8_t> medium(kSectorSize, 0x22);
    {
        const int fd = ::open(image.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, medium.data(), kSectorSize, 54 * kSectorSize), static_cast<ssize_t>(kSectorSize));
        ASSERT_EQ(::fsync(fd), 0);
        ::close(fd);
    }
    std::vector<std::uint8_t> back(kSectorSize);
    ASSERT_TRUE(disk.ReadBack('A', back.data()));
    EXPECT_EQ(back, medium);
    ASSERT_TRUE(disk.Read('A', back.data()));
    if (back != medium)
        std::cout << "[ note ] a plain read was served the device's cache, as expected\n";
    ::close(holder);
}

TEST(PosixDrive, DriveAIsTheOptionThenTheEnvironmentThenFd0)
{
    const char* saved = std::getenv("LUMORA_DRIVE_A");
    const std::optional<std::string> savedValue = saved ? std::optional<std::string>(saved) : std::nullopt;

    ::unsetenv("LUMORA_DRIVE_A");
    EXPECT_EQ(ResolveDriveAPath(std::nullopt), "/dev/fd0");
    EXPECT_EQ(ResolveDriveAPath(std::string("/tmp/a.img")), "/tmp/a.img");
    ::setenv("LUMORA_DRIVE_A", "/dev/sdz", 1);
    EXPECT_EQ(ResolveDriveAPath(std::nullopt), "/dev/sdz");
    EXPECT_EQ(ResolveDriveAPath(std::string("/tmp/a.img")), "/tmp/a.img");
    EXPECT_EQ(ResolveDriveAPath(std::string()), "/dev/sdz");
    ::setenv("LUMORA_DRIVE_A", "", 1);
    EXPECT_EQ(ResolveDriveAPath(std::nullopt), "/dev/fd0");

    if (savedValue)
        ::setenv("LUMORA_DRIVE_A", savedValue->c_str(), 1);
    else
        ::unsetenv("LUMORA_DRIVE_A");
}

} // namespace
} // namespace lumora::test
