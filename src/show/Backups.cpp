#include "show/Backups.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace lumora {

namespace fs = std::filesystem;

namespace {

constexpr const char* kShowExtension = ".lmr";

bool EndsWithShowExtension(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == kShowExtension;
}

// "NAME-YYYYMMDD-HHMMSS.lmr" or "NAME-YYYYMMDD-HHMMSS-N.lmr" (a second one in the same
// second): the stamp and N (1 for none), or nothing for any other file.
std::optional<std::tuple<std::string, int>> ParseBackupName(const std::string& file, const std::string& showName)
{
    const std::string prefix = showName + "-";
    if (file.size() < prefix.size() + 15 + 4 || file.compare(0, prefix.size(), prefix) != 0 ||
        file.compare(file.size() - 4, 4, kShowExtension) != 0)
        return std::nullopt;
    const std::string rest = file.substr(prefix.size(), file.size() - prefix.size() - 4);
    auto digits = [&](std::size_t from, std::size_t count) {
        return rest.size() >= from + count && std::all_of(rest.begin() + static_cast<std::ptrdiff_t>(from),
                                                          rest.begin() + static_cast<std::ptrdiff_t>(from + count),
                                                          [](unsigned char c) { return std::isdigit(c); });
    };
    if (!digits(0, 8) || rest[8] != '-' || !digits(9, 6))
        return std::nullopt;
    int sequence = 1;
    if (rest.size() > 15) {
        if (rest[15] != '-' || rest.size() == 16 || rest.size() - 16 > 6 || !digits(16, rest.size() - 16))
            return std::nullopt;
        sequence = std::atoi(rest.c_str() + 16);
    }
    return std::make_tuple(rest.substr(0, 15), sequence);
}

std::string StampOf(std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}

bool Exists(const fs::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

} // namespace

std::string EditorDataFolder(const std::function<const char*(const char*)>& getEnv)
{
    auto env = [&](const char* name) -> std::string {
        const char* value = getEnv ? getEnv(name) : std::getenv(name);
        return value ? std::string(value) : std::string();
    };
    // As the desktop libraries build it: XDG_DATA_HOME as it stands; else the home folder
    // (HOME, cleaned; the root folder without one) and ".local/share".
    std::string base = env("XDG_DATA_HOME");
    if (base.empty()) {
        std::string home = env("HOME");
        home = home.empty() ? std::string("/") : fs::path(home).lexically_normal().string();
        while (home.size() > 1 && home.back() == '/')
            home.pop_back();
        base = home + "/.local/share";
    }
    return base + "/" + kEditorDataFolderName;
}

std::string DefaultBackupsFolder()
{
    return EditorDataFolder() + "/" + kBackupsFolderName;
}

std::string BackupShowName(const std::string& showPath)
{
    std::string name = fs::path(showPath).filename().string();
    if (EndsWithShowExtension(name))
        name.resize(name.size() - 4);
    return name;
}

std::vector<std::string> ListBackups(const std::string& backupsRoot, const std::string& showName)
{
    std::vector<std::tuple<std::string, int, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(backupsRoot) / showName, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (const auto parsed = ParseBackupName(file, showName); parsed && it->is_regular_file(ec))
            found.emplace_back(std::get<0>(*parsed), std::get<1>(*parsed), it->path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& f : found)
        paths.push_back(std::move(std::get<2>(f)));
    return paths;
}

bool BackUpShowFile(const std::string& showPath, const std::string& backupsRoot, std::time_t now, std::string* why,
                    int keep, const TFileFaults* faults)
{
    auto fail = [why](const std::string& reason) {
        if (why)
            *why = reason;
        return false;
    };

    struct stat st {};
    if (::stat(showPath.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return true; // a new file: nothing is replaced
        return fail(showPath + ": " + std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode))
        return true; // the save itself refuses to replace it
    std::string readWhy;
    const auto bytes = ReadFileHead(showPath, static_cast<std::size_t>(st.st_size), &readWhy);
    if (!bytes || bytes->size() != static_cast<std::size_t>(st.st_size))
        return fail(showPath + ": " + (readWhy.empty() ? "could not be read whole" : readWhy));

    const std::string showName = BackupShowName(showPath);
    if (showName.empty())
        return fail("the show file has no name");
    const fs::path folder = fs::path(backupsRoot) / showName;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder))
        return fail(folder.string() + ": " + (ec ? ec.message() : "not a folder"));

    const std::string stamp = StampOf(now);
    fs::path target = folder / (showName + "-" + stamp + kShowExtension);
    for (int n = 2; Exists(target); ++n) {
        if (n > 999)
            return fail(folder.string() + ": too many backups in one second");
        target = folder / (showName + "-" + stamp + "-" + std::to_string(n) + kShowExtension);
    }
    std::string writeWhy;
    if (!WriteFileAtomically(target.string(), *bytes, &writeWhy, faults))
        return fail(target.string() + ": " + writeWhy);

    if (keep > 0) {
        const auto all = ListBackups(backupsRoot, showName);
        for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < all.size(); ++i)
            ::unlink(all[i].c_str());
    }
    return true;
}

} // namespace lumora
