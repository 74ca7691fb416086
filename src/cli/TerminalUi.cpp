#include "cli/TerminalUi.h"

#include <utility>

namespace lumora::cli {

std::string OneLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        // The boxes' texts often end a sentence with a space before the break.
        if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    return line;
}

std::vector<std::string> TTerminalUi::takeErrors()
{
    return std::exchange(m_errors, {});
}

void TTerminalUi::error(std::string_view text)
{
    m_errors.push_back(OneLine(text));
}

void TTerminalUi::warning(std::string_view text)
{
    report(OneLine(text));
}

void TTerminalUi::information(std::string_view text)
{
    report(OneLine(text));
}

bool TTerminalUi::askYesNo(std::string_view text, Icon)
{
    report(OneLine(text) + (m_strict ? " No" : " Yes"));
    return !m_strict;
}

IUserInterface::Answer TTerminalUi::askYesNoCancel(std::string_view text, Icon)
{
    report(OneLine(text) + (m_strict ? " No" : " Yes"));
    return m_strict ? Answer::No : Answer::Yes;
}

void TTerminalUi::report(std::string_view text)
{
    m_err << kProgramName << ": " << text << '\n';
    m_err.flush();
}

} // namespace lumora::cli
