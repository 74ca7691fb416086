// Report data files on POSIX: the private folder, the comma-separated text and the
// replacing write.

#include "print/ReportFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

namespace fs = std::filesystem;

namespace {

bool Fail(std::string* why, const std::string& reason)
{
    if (why)
        *why = reason;
    return false;
}

// A runtime folder is used only when it is what the session manager promises: an
// absolute path to a real folder of this user's.
bool UsableRuntimeFolder(const char* value)
{
    if (!value || value[0] != '/')
        return false;
    struct stat info {};
    return ::lstat(value, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

std::string DefaultFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); UsableRuntimeFolder(runtime))
        return (fs::path(runtime) / "lumora").string();
    const char* tmp = std::getenv("TMPDIR");
    const fs::path base = (tmp && tmp[0] == '/') ? fs::path(tmp) : fs::path("/tmp");
    return (base / ("lumora-" + std::to_string(::geteuid()))).string();
}

std::string TempNameBeside(const fs::path& target)
{
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(rng()));
    return (target.parent_path() / ("." + target.filename().string() + "." + suffix + ".tmp")).string();
}

IReportFolder* g_installedFolder = nullptr;

} // namespace

// ---- The private report folder

TPosixReportFolder::TPosixReportFolder() : m_folder(DefaultFolder()) {}

TPosixReportFolder::TPosixReportFolder(std::string folder) : m_folder(std::move(folder)) {}

std::optional<std::string> TPosixReportFolder::ensure(std::string* why)
{
    if (m_folder.empty()) {
        Fail(why, "no report folder");
        return std::nullopt;
    }
    const fs::path folder(m_folder);
    if (folder.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(folder.parent_path(), ec); // the levels above are not ours to check
    }
    if (::mkdir(m_folder.c_str(), 0700) != 0 && errno != EEXIST) {
        Fail(why, std::strerror(errno));
        return std::nullopt;
    }

    struct stat entry {};
    if (::lstat(m_folder.c_str(), &entry) == 0 && S_ISLNK(entry.st_mode)) {
        Fail(why, "the report folder is a symbolic link");
        return std::nullopt;
    }
    // Checked again through the opened folder itself, so a link swapped in after the
    // look above is never followed.
    const int fd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        Fail(why, errno == ELOOP     ? "the report folder is a symbolic link"
                  : errno == ENOTDIR ? "the report folder is not a folder"
                                     : std::strerror(errno));
        return std::nullopt;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    if (!ok)
        Fail(why, std::strerror(errno));
    else if (info.st_uid != ::geteuid())
        ok = Fail(why, "the report folder belongs to another user");
    else if ((info.st_mode & 077) != 0 && ::fchmod(fd, 0700) != 0)
        ok = Fail(why, std::strerror(errno));
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return m_folder;
}

IReportFolder& ReportFolder()
{
    if (g_installedFolder)
        return *g_installedFolder;
    static TPosixReportFolder defaultFolder;
    return defaultFolder;
}

void SetReportFolder(IReportFolder* folder)
{
    g_installedFolder = folder;
}

std::optional<std::string> ReportFilePath(IReportFolder& folder, std::string_view fileName, std::string* why)
{
    const auto path = folder.ensure(why);
    if (!path)
        return std::nullopt;
    return (fs::path(*path) / fs::path(std::string(fileName))).string();
}

// ---- Rows and their text

std::string CsvField(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string quoted;
    quoted.reserve(field.size() + 2);
    quoted.push_back('"');
    for (const char c : field) {
        if (c == '"')
            quoted.push_back('"');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

std::string CsvLine(const TReportRow& row)
{
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            line.push_back(',');
        line += CsvField(row[i]);
    }
    line += "\r\n";
    return line;
}

std::string CsvText(const std::vector<TReportRow>& rows)
{
    std::string text;
    for (const TReportRow& row : rows)
        text += CsvLine(row);
    return text;
}

std::vector<TReportRow> ParseCsv(std::string_view text)
{
    std::vector<TReportRow> rows;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        TReportRow row;
        for (;;) {
            std::string field;
            if (i < n && text[i] == '"') {
                ++i;
                while (i < n) {
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field.push_back('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    field.push_back(text[i++]);
                }
            }
            // Unquoted text, or whatever stray text follows a closing quote.
            while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                field.push_back(text[i++]);
            row.push_back(std::move(field));
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < n && text[i] == '\r')
            ++i;
        if (i < n && text[i] == '\n')
            ++i;
        rows.push_back(std::move(row));
    }
    return rows;
}

// ---- Writing a report file

bool WriteReportFile(const std::string& path, std::string_view text, std::string* why, const TFileFaults* faults)
{
    if (path.empty())
        return Fail(why, "no file name");
    const fs::path target(path);
    std::string tempPath;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tempPath = TempNameBeside(target);
        fd = ::open(tempPath.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return Fail(why, std::strerror(errno));
    }
    if (fd < 0)
        return Fail(why, "could not create a temporary file");

    auto abandon = [&](const std::string& reason) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        return Fail(why, reason);
    };

    constexpr std::size_t kPiece = 64 * 1024;
    std::size_t written = 0;
    while (written < text.size()) {
        if (faults && faults->failWrite && faults->failWrite(written))
            return abandon("No space left on device");
        const std::size_t piece = std::min(kPiece, text.size() - written);
        const ssize_t got = ::write(fd, text.data() + written, piece);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return abandon(std::strerror(errno));
        }
        if (got == 0)
            return abandon("write made no progress");
        written += static_cast<std::size_t>(got);
    }
    if (faults && faults->failFlush)
        return abandon("Input/output error");
    if (::fsync(fd) != 0)
        return abandon(std::strerror(errno));
    if (::close(fd) != 0) {
        ::unlink(tempPath.c_str());
        return Fail(why, std::strerror(errno));
    }
    // rename() replaces a link at the target name rather than writing through it.
    if ((faults && faults->failRename) || ::rename(tempPath.c_str(), path.c_str()) != 0) {
        const std::string reason = faults && faults->failRename ? "Operation not permitted" : std::strerror(errno);
        ::unlink(tempPath.c_str());
        return Fail(why, reason);
    }
    return true;
}

bool WriteReportRows(const std::string& path, const std::vector<TReportRow>& rows, std::string* why,
                     const TFileFaults* faults)
{
    return WriteReportFile(path, CsvText(rows), why, faults);
}

std::optional<std::string> ReadReportFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string text;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return text;
}

} // namespace lumora
