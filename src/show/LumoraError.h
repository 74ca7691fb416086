#pragma once

#include <stdexcept>
#include <string>

namespace lumora {

// The program's own error: its message is shown to the user as it stands.
class ELumoraError final : public std::runtime_error {
public:
    explicit ELumoraError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace lumora
