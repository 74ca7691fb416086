#pragma once

// The File menu's list of shows opened or saved lately: newest first, each path once, at
// most eight. The main window keeps it in the program's settings.

#include <cstddef>
#include <string>
#include <vector>

namespace lumora {

class TRecentShows final {
public:
    static constexpr std::size_t kLimit = 8;

    TRecentShows() = default;
    // A list as stored: empty entries and repeats are dropped, and only the first eight kept.
    explicit TRecentShows(const std::vector<std::string>& stored);

    // The show goes to the top; its older entry goes, and so does the ninth.
    void add(const std::string& path);
    // False when the path was not in the list.
    bool remove(const std::string& path);

    const std::vector<std::string>& paths() const { return m_paths; }

    // The menu item for the entry at index (0-based): "&1 Opening Night.lmr", the file's
    // name with its own ampersands doubled so they show.
    static std::string MenuText(std::size_t index, const std::string& path);

private:
    std::vector<std::string> m_paths;
};

} // namespace lumora
