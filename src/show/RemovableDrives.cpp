#include "show/RemovableDrives.h"

#include "show/DirectDisk.h"
#include "show/SafeFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace lumora {

namespace fs = std::filesystem;

namespace {

// The first line of a small sysfs file, without surrounding blanks; empty when missing.
std::string ReadAttribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return {};
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r\n");
    return line.substr(first, last - first + 1);
}

// SCSI peripheral type 5: a CD or DVD drive.
constexpr const char* kOpticalDriveType = "5";

} // namespace

std::vector<TRemovableDrive> ListRemovableDrives(const std::string& sysfsRoot)
{
    std::vector<TRemovableDrive> drives;
    std::error_code ec;
    fs::directory_iterator it(fs::path(sysfsRoot) / "block", ec);
    if (ec)
        return drives;
    for (const fs::directory_entry& entry : it) {
        const fs::path folder = entry.path();
        if (ReadAttribute(folder / "removable") != "1")
            continue;
        if (ReadAttribute(folder / "device" / "type") == kOpticalDriveType)
            continue;
        TRemovableDrive drive;
        drive.name = folder.filename().string();
        drive.device = "/dev/" + drive.name;
        const std::string vendor = ReadAttribute(folder / "device" / "vendor");
        const std::string model = ReadAttribute(folder / "device" / "model");
        drive.model = vendor.empty() ? model : model.empty() ? vendor : vendor + " " + model;
        // The kernel counts 512-byte sectors here whatever the drive's own sector size.
        const std::string sectors = ReadAttribute(folder / "size");
        try {
            drive.bytes = sectors.empty() ? 0 : std::stoull(sectors) * 512;
        } catch (const std::exception&) {
            drive.bytes = 0;
        }
        drives.push_back(std::move(drive));
    }
    std::sort(drives.begin(), drives.end(),
              [](const TRemovableDrive& a, const TRemovableDrive& b) { return a.name < b.name; });
    return drives;
}

std::string MediumSizeText(std::uint64_t bytes)
{
    if (bytes == 0)
        return "no disk";
    if (bytes == kDisketteBytes)
        return "1.44 MB";
    char text[32];
    if (bytes < 1'000'000'000)
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    else
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / 1e9);
    return text;
}

std::string DriveADescription(const std::string& path, const std::string& sysfsRoot)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return fs::path(path).filename().string();
    for (const TRemovableDrive& drive : ListRemovableDrives(sysfsRoot))
        if (drive.device == path)
            return drive.model.empty() ? path : path + " (" + drive.model + ")";
    return path;
}

bool CreateBlankDisketteImage(const std::string& path, std::string* why)
{
    const std::vector<std::uint8_t> blank(kDisketteBytes, 0);
    return WriteFileAtomically(path, blank, why);
}

} // namespace lumora
