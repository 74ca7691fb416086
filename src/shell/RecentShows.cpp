#include "shell/RecentShows.h"

#include <algorithm>

namespace lumora {

TRecentShows::TRecentShows(const std::vector<std::string>& stored)
{
    for (const std::string& path : stored) {
        if (m_paths.size() == kLimit)
            break;
        if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end())
            m_paths.push_back(path);
    }
}

void TRecentShows::add(const std::string& path)
{
    if (path.empty())
        return;
    remove(path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > kLimit)
        m_paths.resize(kLimit);
}

bool TRecentShows::remove(const std::string& path)
{
    const auto it = std::find(m_paths.begin(), m_paths.end(), path);
    if (it == m_paths.end())
        return false;
    m_paths.erase(it);
    return true;
}

std::string TRecentShows::MenuText(std::size_t index, const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string text = index < 9 ? "&" + std::to_string(index + 1) + " " : std::to_string(index + 1) + " ";
    for (const char c : name) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}

} // namespace lumora
