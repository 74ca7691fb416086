#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace lumora {

// A name of at most N single-byte characters, held inline like the console's own
// short strings: no allocation, so records copy and move as plain bytes.
// Assigning a longer text keeps its first N characters.
template <std::size_t N> class TShortString {
    static_assert(N > 0 && N < 256);

public:
    static constexpr std::size_t kCapacity = N;

    constexpr TShortString() = default;
    // Implicit by design: a name is assigned from any text.
    TShortString(std::string_view text) { assign(text); }   // NOLINT
    TShortString(const char* text) { assign(text); }        // NOLINT
    TShortString(const std::string& text) { assign(text); } // NOLINT

    void assign(std::string_view text)
    {
        m_len = static_cast<std::uint8_t>(std::min(text.size(), N));
        m_data.fill(0);
        if (m_len > 0)
            std::memcpy(m_data.data(), text.data(), m_len);
    }

    std::string_view view() const { return {m_data.data(), m_len}; }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return m_len; }
    bool empty() const { return m_len == 0; }

    friend bool operator==(const TShortString& a, const TShortString& b) { return a.view() == b.view(); }
    friend bool operator==(const TShortString& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const TShortString& a, const char* b) { return a.view() == std::string_view(b); }
    friend bool operator==(const TShortString& a, const std::string& b) { return a.view() == b; }

private:
    std::array<char, N> m_data{};
    std::uint8_t m_len = 0;
};

} // namespace lumora
