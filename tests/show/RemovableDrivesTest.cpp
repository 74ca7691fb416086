// What can be drive A: the removable drives listed under a (made-up) /sys, blank
// diskette images, and which drive a run uses.

#include "show/RemovableDrives.h"
#include "show/DirectDisk.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::TTempDir;

void Put(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

// A machine with a USB floppy with a diskette in it, an empty one, a hard disk, a CD
// drive and a USB stick.
void MakeSysTree(const fs::path& root)
{
    const fs::path block = root / "block";
    Put(block / "sdb/removable", "1\n");
    Put(block / "sdb/size", "2880\n");
    Put(block / "sdb/device/vendor", "TEAC    \n");
    Put(block / "sdb/device/model", "USB floppy      \n");
    Put(block / "sdc/removable", "1\n");
    Put(block / "sdc/size", "0\n");
    Put(block / "sdc/device/model", "FD-05PUB\n");
    Put(block / "sda/removable", "0\n");
    Put(block / "sda/size", "976773168\n");
    Put(block / "sr0/removable", "1\n");
    Put(block / "sr0/size", "2097151\n");
    Put(block / "sr0/device/type", "5\n");
    Put(block / "sdd/removable", "1\n");
    Put(block / "sdd/size", "15630336\n");
}

TEST(RemovableDrives, ListsTheRemovableDisksWithModelAndMedium)
{
    TTempDir sys;
    MakeSysTree(sys.path());
    const auto drives = ListRemovableDrives(sys.path().string());
    ASSERT_EQ(drives.size(), 3u); // not the hard disk, not the CD drive
    EXPECT_EQ(drives[0].name, "sdb");
    EXPECT_EQ(drives[0].device, "/dev/sdb");
    EXPECT_EQ(drives[0].model, "TEAC USB floppy");
    EXPECT_EQ(drives[0].bytes, kDisketteBytes);
    EXPECT_EQ(drives[1].device, "/dev/sdc");
    EXPECT_EQ(drives[1].model, "FD-05PUB");
    EXPECT_EQ(drives[1].bytes, 0u); // no disk in it
    EXPECT_EQ(drives[2].device, "/dev/sdd");
    EXPECT_EQ(drives[2].model, "");
    EXPECT_EQ(drives[2].bytes, 15630336ull * 512);

    EXPECT_TRUE(ListRemovableDrives((sys.path() / "nothing").string()).empty());
}

TEST(RemovableDrives, SizesAndNamesAsTheUserSeesThem)
{
    EXPECT_EQ(MediumSizeText(0), "no disk");
    EXPECT_EQ(MediumSizeText(kDisketteBytes), "1.44 MB");
    EXPECT_EQ(MediumSizeText(737'280), "0.7 MB");
    EXPECT_EQ(MediumSizeText(15630336ull * 512), "8.0 GB");

    TTempDir sys;
    MakeSysTree(sys.path());
    const std::string root = sys.path().string();
    EXPECT_EQ(DriveADescription("/dev/sdb", root), "/dev/sdb (TEAC USB floppy)");
    EXPECT_EQ(DriveADescription("/dev/sdd", root), "/dev/sdd");
    EXPECT_EQ(DriveADescription("/dev/fd0", root), "/dev/fd0");
    const std::string image = sys.file("tour.img");
    ASSERT_TRUE(CreateBlankDisketteImage(image));
    EXPECT_EQ(DriveADescription(image, root), "tour.img");
}

TEST(RemovableDrives, ABlankImageIsADisketteOfZeros)
{
    TTempDir dir;
    const std::string image = dir.file("blank.img");
    Put(image, "an older file of that name");
    std::string why;
    ASSERT_TRUE(CreateBlankDisketteImage(image, &why)) << why;
    std::ifstream in(image, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.size(), kDisketteBytes);
    EXPECT_EQ(bytes.find_first_not_of('\0'), std::string::npos);
    // It is drive A as it is: the raw-disk component takes it as a diskette.
    EXPECT_TRUE(MakePosixDiskBackend(image)->isRemovable('A'));

    EXPECT_FALSE(CreateBlankDisketteImage(dir.file("no such folder/blank.img"), &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(fs::exists(dir.file("no such folder")));
}

TEST(RemovableDrives, TheOptionThenTheVariableWinOverTheStoredChoice)
{
    const char* saved = std::getenv("LUMORA_DRIVE_A");
    const std::optional<std::string> savedValue = saved ? std::optional<std::string>(saved) : std::nullopt;

    ::unsetenv("LUMORA_DRIVE_A");
    EXPECT_EQ(ResolveDriveAPath(std::nullopt, "/shows/tour.img"), "/shows/tour.img");
    EXPECT_EQ(ResolveDriveAPath(std::nullopt, ""), "/dev/fd0");
    EXPECT_EQ(ResolveDriveAPath(std::string("/dev/sdb"), "/shows/tour.img"), "/dev/sdb");
    EXPECT_EQ(ResolveDriveAPath(std::string(), "/shows/tour.img"), "/shows/tour.img");
    ::setenv("LUMORA_DRIVE_A", "/dev/sdz", 1);
    EXPECT_EQ(ResolveDriveAPath(std::nullopt, "/shows/tour.img"), "/dev/sdz");
    EXPECT_EQ(ResolveDriveAPath(std::string("/dev/sdb"), "/shows/tour.img"), "/dev/sdb");

    if (savedValue)
        ::setenv("LUMORA_DRIVE_A", savedValue->c_str(), 1);
    else
        ::unsetenv("LUMORA_DRIVE_A");
}

} // namespace
} // namespace lumora
