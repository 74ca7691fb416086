#include "shell/WindowRegistry.h"

namespace lumora {

std::optional<TScreen> FamilyScreen(TFamily family, int code)
{
    switch (family) {
    case TFamily::Subs:
        switch (code) {
        case kNavSubEditor: return TScreen::SubEditor;
        case kNavSubList: return TScreen::SubList;
        default: return std::nullopt;
        }
    case TFamily::Quorvel:
        switch (code) {
        case kNavQvType: return TScreen::QvType;
        case kNavQvDevice: return TScreen::QvDevice;
        case kNavQvAction: return TScreen::QvAction;
        case kNavQvPosition: return TScreen::QvPosition;
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

void TWindowRegistry::addScreen(TScreen screen, TWindowFactory factory)
{
    m_screens[static_cast<std::size_t>(screen)] = std::move(factory);
}

void TWindowRegistry::addReport(TReport report, TWindowFactory factory)
{
    m_reports[static_cast<std::size_t>(report)] = std::move(factory);
}

const TWindowFactory* TWindowRegistry::screen(TScreen screen) const
{
    const auto& factory = m_screens[static_cast<std::size_t>(screen)];
    return factory ? &factory : nullptr;
}

const TWindowFactory* TWindowRegistry::report(TReport report) const
{
    const auto& factory = m_reports[static_cast<std::size_t>(report)];
    return factory ? &factory : nullptr;
}

} // namespace lumora
