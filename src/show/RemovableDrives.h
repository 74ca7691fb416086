#pragma once

// What can be drive A on this machine: the removable block devices the kernel lists under
// /sys/block, and 1.44 MB diskette image files.

#include <cstdint>
#include <string>
#include <vector>

namespace lumora {

struct TRemovableDrive {
    std::string name;        // the kernel's name, "sdb"
    std::string device;      // "/dev/sdb"
    std::string model;       // vendor and model as the drive reports them, "TEAC USB floppy"; may be empty
    std::uint64_t bytes = 0; // size of the medium; 0 when no disk is in the drive
};

// The removable disks under sysfsRoot/block, by name (CD and DVD drives left out: they
// cannot hold a diskette). A folder that cannot be read gives an empty list.
std::vector<TRemovableDrive> ListRemovableDrives(const std::string& sysfsRoot = "/sys");

// "1.44 MB", "250.0 MB", "8.0 GB", or "no disk" for 0 bytes.
std::string MediumSizeText(std::uint64_t bytes);

// How drive A is named to the user: "/dev/sdb (TEAC USB floppy)" for a listed drive with a
// model, the file's name for an image ("tour.img"), else the path itself.
std::string DriveADescription(const std::string& path, const std::string& sysfsRoot = "/sys");

// Writes a blank diskette image (1,474,560 zero bytes) through the safe save: an existing
// file of that name is replaced only once the new one is complete. False with *why set to
// the system's reason when it could not be written.
bool CreateBlankDisketteImage(const std::string& path, std::string* why = nullptr);

} // namespace lumora
