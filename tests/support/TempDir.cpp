#include "support/TempDir.h"

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace lumora::test {

TTempDir::TTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lumora-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

} // namespace lumora::test
