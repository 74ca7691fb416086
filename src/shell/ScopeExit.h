#pragma once

#include <utility>

namespace lumora {

// Runs a clean-up step when the scope ends, on every path (also when a command raises).
template <typename F> class TScopeExit final {
public:
    explicit TScopeExit(F f) : m_f(std::move(f)) {}
    ~TScopeExit() { m_f(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F m_f;
};

} // namespace lumora
