#pragma once

#include <filesystem>
#include <string>

namespace lumora::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempDir final {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

} // namespace lumora::test
