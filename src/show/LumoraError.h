#pragma once

#include <stdexcept>
#include <string>

namespace lumora {

// The program's own error: its message is shown to the user as it stands. The detail,
// when there is one, says what lay underneath (a section's own message, the system's
// reason); the editor shows only the message, the command-line companion both.
class ELumoraError final : public std::runtime_error {
public:
    explicit ELumoraError(const std::string& message, std::string detail = {})
        : std::runtime_error(message), m_detail(std::move(detail))
    {
    }

    const std::string& detail() const { return m_detail; }

private:
    std::string m_detail;
};

} // namespace lumora
