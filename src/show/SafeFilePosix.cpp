// POSIX implementation of the safe save and whole-file reads.

#include "show/SafeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

namespace fs = std::filesystem;

namespace {

// Follows a chain of symbolic links to the file they finally name (which may not exist yet).
std::optional<fs::path> ResolveTarget(const fs::path& path, std::string* why)
{
    fs::path current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        const auto status = fs::symlink_status(current, ec);
        if (ec || status.type() != fs::file_type::symlink)
            return current;
        fs::path next = fs::read_symlink(current, ec);
        if (ec) {
            if (why)
                *why = ec.message();
            return std::nullopt;
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    if (why)
        *why = "Too many levels of symbolic links";
    return std::nullopt;
}

std::string TempName(const fs::path& target)
{
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(rng()));
    return (target.parent_path() / ("." + target.filename().string() + "." + suffix + ".tmp")).string();
}

} // namespace

bool WriteFileAtomically(const std::string& pathText, std::span<const std::uint8_t> data, std::string* why,
                         const TFileFaults* faults)
{
    auto fail = [why](const std::string& reason) {
        if (why)
            *why = reason;
        return false;
    };

    const auto resolved = ResolveTarget(fs::path(pathText), why);
    if (!resolved)
        return false;
    const fs::path target = fs::absolute(*resolved);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return fail("not a regular file");

    std::string tempPath;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tempPath = TempName(target);
        fd = ::open(tempPath.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(std::strerror(errno));
    }
    if (fd < 0)
        return fail("could not create a temporary file");

    auto abandon = [&](const std::string& reason) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        return fail(reason);
    };

    constexpr std::size_t kPiece = 64 * 1024;
    std::size_t written = 0;
    while (written < data.size()) {
        if (faults && faults->failWrite && faults->failWrite(written))
            return abandon("No space left on device");
        const std::size_t piece = std::min(kPiece, data.size() - written);
        const ssize_t n = ::write(fd, data.data() + written, piece);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return abandon(std::strerror(errno));
        }
        if (n == 0)
            return abandon("write made no progress");
        written += static_cast<std::size_t>(n); // a short count is carried on; a full disk then fails with ENOSPC
    }

    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        return abandon(std::strerror(errno));
    if ((faults && faults->failFlush) || ::fsync(fd) != 0)
        return abandon(faults && faults->failFlush ? "Input/output error" : std::strerror(errno));
    if (::close(fd) != 0) {
        ::unlink(tempPath.c_str());
        return fail(std::strerror(errno));
    }
    if ((faults && faults->failRename) || ::rename(tempPath.c_str(), target.c_str()) != 0) {
        const std::string reason = faults && faults->failRename ? "Operation not permitted" : std::strerror(errno);
        ::unlink(tempPath.c_str());
        return fail(reason);
    }

    // Make the rename itself durable; a failure here no longer endangers either file.
    const int dirFd = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

std::optional<std::uint64_t> FileSize(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::vector<std::uint8_t>> ReadFileHead(const std::string& path, std::size_t maxBytes, std::string* why)
{
    auto fail = [why](const std::string& reason) -> std::optional<std::vector<std::uint8_t>> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const std::string reason = S_ISDIR(info.st_mode) ? "Is a directory" : std::strerror(errno);
        ::close(fd);
        return fail(reason);
    }
    std::vector<std::uint8_t> bytes(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(fd, bytes.data() + got, maxBytes - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const std::string reason = std::strerror(errno);
            ::close(fd);
            return fail(reason);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

} // namespace lumora
