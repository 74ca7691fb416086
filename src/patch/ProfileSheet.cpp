#include "patch/ProfileSheet.h"

#include "print/ReportChoice.h"
#include "show/KeepChanges.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace lumora {

TChartPoint ChartPointAt(double x, double y, double left, double top, double right, double bottom)
{
    if (right <= left || top >= bottom)
        return {};
    const double input = std::floor((x - left) / ((right - left) / kProfilePoints));
    const double output = std::floor((y - bottom) / ((top - bottom) / kProfilePoints));
    // Far outside the plot the numbers are only clamped: they are refused anyway.
    auto clamp = [](double v) { return static_cast<int>(std::clamp(v, -1000.0, 1000.0)); };
    return {clamp(input), clamp(output)};
}

std::optional<int> ReadProfileLevel(std::string_view text, IUserInterface& ui)
{
    const auto level = ReadWholeNumber(text);
    if (!level || *level < 0 || *level > 255) {
        ui.error(kMsgProfileLevelRange);
        return std::nullopt;
    }
    return level;
}

TProfileSheet::TProfileSheet(TEditorState& state) : m_state(state) {}

void TProfileSheet::open()
{
    m_current = 1;
    m_changed = false;
    m_drawing = false;
    m_previous = m_point = {};
    load();
}

void TProfileSheet::load()
{
    const TProfile& profile = m_state.show().profile(m_current);
    m_name = profile.name.str();
    for (int i = 0; i < kProfilePoints; ++i)
        m_out[static_cast<std::size_t>(i)] = profile.curve[static_cast<std::size_t>(i)];
    m_anchor = m_end = 0;
}

std::optional<int> TProfileSheet::out(int input) const
{
    if (input < 0 || input >= kProfilePoints)
        return std::nullopt;
    return m_out[static_cast<std::size_t>(input)];
}

std::string TProfileSheet::outText(int input) const
{
    const auto value = out(input);
    return value ? std::to_string(*value) : std::string();
}

void TProfileSheet::setOut(int input, int value)
{
    m_out[static_cast<std::size_t>(input)] = value;
}

void TProfileSheet::editOut(int input, std::string_view text)
{
    if (input < 0 || input >= kProfilePoints)
        return;
    m_changed = true;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 || value > 255)
        m_out[static_cast<std::size_t>(input)].reset();
    else
        setOut(input, value);
}

void TProfileSheet::leaveCell(int input)
{
    if (input >= 0 && input < kProfilePoints && !m_out[static_cast<std::size_t>(input)]) {
        setOut(input, 0);
        m_changed = true;
    }
}

void TProfileSheet::fillEmpty()
{
    for (int i = 0; i < kProfilePoints; ++i)
        leaveCell(i);
}

// ---- Drawing

void TProfileSheet::pressLeft()
{
    m_drawing = true;
    m_point = {};
}

std::optional<std::pair<int, int>> TProfileSheet::moveTo(TChartPoint point)
{
    if (!m_drawing)
        return std::nullopt;
    m_previous = m_point;
    m_point = point;
    if (m_previous.none())
        m_previous = m_point;
    const int lo = std::min(m_previous.input, m_point.input);
    const int hi = std::max(m_previous.input, m_point.input);
    // Inputs 0 and 255 move only as neighbours of 1 and 254.
    if (lo < 1 || hi > 254 || m_point.output < 0 || m_point.output > 255)
        return std::nullopt;
    m_changed = true;
    for (int i = lo - 1; i <= hi + 1; ++i)
        setOut(i, m_point.output);
    return std::pair{lo - 1, hi + 1};
}

// ---- Smoothing

bool TProfileSheet::smooth(int passes)
{
    bool moved = false;
    std::array<int, kProfilePoints + 2> s{}; // s[k + 1] is input k
    for (int pass = 0; pass < passes; ++pass) {
        for (int i = 0; i < kProfilePoints; ++i)
            s[static_cast<std::size_t>(i + 1)] = chartValue(i);
        s[0] = 2 * s[1] - s[2];
        s[kProfilePoints + 1] = 2 * s[kProfilePoints] - s[kProfilePoints - 1];
        for (int i = 0; i < kProfilePoints; ++i) {
            const std::size_t k = static_cast<std::size_t>(i + 1);
            const int d = (s[k] - s[k - 1]) + (s[k] - s[k + 1]);
            if (d == 0)
                continue;
            setOut(i, s[k] + (d > 0 ? -1 : 1));
            moved = true;
        }
    }
    if (moved)
        m_changed = true;
    return moved;
}

// ---- Ranges

void TProfileSheet::setAnchor(int row)
{
    m_anchor = row >= 1 && row <= kProfilePoints ? row : 0;
    m_end = 0;
}

void TProfileSheet::setEnd(int row)
{
    if (m_anchor > 0 && row >= 1 && row <= kProfilePoints)
        m_end = row;
}

std::optional<std::pair<int, int>> TProfileSheet::selectedRows() const
{
    if (!hasRange())
        return std::nullopt;
    return std::pair{std::min(m_anchor, m_end), std::max(m_anchor, m_end)};
}

void TProfileSheet::setRangeLevel(int level)
{
    if (const auto rows = selectedRows())
        for (int row = rows->first; row <= rows->second; ++row)
            setOut(row - 1, std::clamp(level, 0, 255));
    m_changed = true;
    m_anchor = m_end = 0;
}

// ---- Rename and reset

void TProfileSheet::rename(std::string_view name)
{
    m_name = name.substr(0, 16);
    m_changed = true;
}

bool TProfileSheet::resetProfile()
{
    if (!m_state.ui().askYesNo(kMsgResetProfile, IUserInterface::Icon::Confirmation))
        return false;
    SetDefaultProfile(m_state.show().profile(m_current), m_current);
    m_changed = false;
    m_state.globals.showChanged = 1;
    load();
    return true;
}

// ---- Storing, tabs, closing

void TProfileSheet::store()
{
    fillEmpty();
    TProfile& profile = m_state.show().profile(m_current);
    profile.name = m_name;
    for (int i = 0; i < kProfilePoints; ++i)
        profile.curve[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(chartValue(i));
    m_state.globals.showChanged = 1;
}

bool TProfileSheet::choose(int profile)
{
    if (profile == m_current || profile < 1 || profile > kProfiles)
        return false;
    fillEmpty();
    if (!AskKeepChanges(m_state.ui(), m_changed, kMsgProfileKeepChanges, [this] {
            store();
            return true;
        }))
        return false;
    m_changed = false;
    m_current = profile;
    load();
    return true;
}

bool TProfileSheet::queryClose()
{
    fillEmpty();
    if (!AskKeepChanges(m_state.ui(), m_changed, kMsgProfileKeepChanges, [this] {
            store();
            return true;
        }))
        return false;
    m_changed = false;
    m_drawing = false;
    return true;
}

} // namespace lumora
