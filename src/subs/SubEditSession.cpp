#include "subs/SubEditSession.h"

#include "cues/CueTexts.h"
#include "show/KeepChanges.h"
#include "show/LumoraError.h"
#include "show/ValueHelpers.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

using Icon = IUserInterface::Icon;

constexpr double kMaxSeconds = 999.9;

bool ValidChannel(int channel)
{
    return channel >= 1 && channel <= kSubChannels;
}

bool Blank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string WithoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

// A time the all-times check let through, in whole tenths. The small lift keeps 2.3 from
// becoming 22 through the binary form of 2.3.
std::uint16_t TenthsOf(double seconds)
{
    return static_cast<std::uint16_t>(std::trunc(seconds * 10 + 1e-7));
}

std::string LevelCellText(std::uint8_t level)
{
    const int percent = LevelToPercent(level);
    return percent == 0 ? std::string() : std::to_string(percent);
}

std::string InvalidChannelMessage(int channel)
{
    return "Invalid entry at channel " + std::to_string(channel) + ".";
}

std::string OutOfRangeChannelMessage(int channel)
{
    return "Out-of-range entry at channel " + std::to_string(channel) + ".";
}

} // namespace

std::string SubTypeName(int type)
{
    switch (type) {
    case kSubNormal: return "Normal";
    case kSubInhibit: return "Inhibit";
    case kSubSolo: return "Solo";
    default: return {};
    }
}

TSubEditSession::TSubEditSession(TEditorState& state) : m_state(state)
{
    refresh();
}

// ---- Opening and the display

void TSubEditSession::open()
{
    m_page = 1;
    m_sub = 1;
    refresh();
}

TSub& TSubEditSession::current() const
{
    return m_state.show().sub(m_page, m_sub);
}

void TSubEditSession::refresh()
{
    const TSub& sub = current();
    clearSelection();
    for (int c = 0; c < kSubChannels; ++c)
        m_cells[c] = LevelCellText(sub.Levels[c]);
    m_touched.reset();
    m_name = WithoutTrailingBlanks(sub.Name.view());
    m_times = {TenthsText(sub.TimeUp), TenthsText(sub.TimeHold), TenthsText(sub.TimeDown)};
    m_type = sub.SubType <= kSubSolo ? sub.SubType : std::uint8_t{kSubNone};
    m_modified = false;
}

std::string TSubEditSession::label() const
{
    return "Page " + std::to_string(m_page) + ", Sub " + std::to_string(m_sub);
}

const std::string& TSubEditSession::levelText(int channel) const
{
    static const std::string none;
    return ValidChannel(channel) ? m_cells[channel - 1] : none;
}

bool TSubEditSession::channelHighlighted(int channel) const
{
    return m_selStart != 0 && channel >= m_selStart && channel <= m_selEnd;
}

std::optional<std::pair<int, int>> TSubEditSession::nonEmpty(int step) const
{
    int index = (m_page - 1) * kSubsPerPage + (m_sub - 1) + step;
    for (; index >= 0 && index < kSubPages * kSubsPerPage; index += step) {
        const int page = index / kSubsPerPage + 1;
        const int sub = index % kSubsPerPage + 1;
        if (m_state.show().sub(page, sub).SubType != kSubNone)
            return std::pair{page, sub};
    }
    return std::nullopt;
}

bool TSubEditSession::canGoBack() const
{
    return nonEmpty(-1).has_value();
}

bool TSubEditSession::canGoForward() const
{
    return nonEmpty(+1).has_value();
}

// ---- Edits

void TSubEditSession::markChanged()
{
    m_modified = true;
    if (m_type == kSubNone)
        m_type = kSubNormal;
}

void TSubEditSession::editName(std::string_view text)
{
    m_name = std::string(text.substr(0, 16));
    markChanged();
}

void TSubEditSession::editTime(TSubTime time, std::string_view text)
{
    m_times[static_cast<int>(time)] = std::string(text);
    markChanged();
}

void TSubEditSession::chooseType(std::uint8_t type)
{
    if (type < kSubNormal || type > kSubSolo)
        throw ELumoraError("Invalid sub type.");
    markChanged();
    m_type = type;
}

void TSubEditSession::levelTyped()
{
    markChanged();
}

void TSubEditSession::editLevel(int channel, std::string_view text)
{
    if (!ValidChannel(channel))
        return;
    m_cells[channel - 1] = Blank(text) ? std::string() : std::string(text);
    m_touched.set(channel - 1);
    markChanged();
}

void TSubEditSession::setLevel(int channel, std::optional<int> percent)
{
    m_cells[channel - 1] = percent ? std::to_string(*percent) : std::string();
    m_touched.set(channel - 1);
}

bool TSubEditSession::checkTime(TSubTime time) const
{
    if (ParseTime(timeText(time)))
        return true;
    m_state.ui().error(kMsgSubValidTime);
    return false;
}

// ---- Selection, Set Channel Levels, copy and paste

bool TSubEditSession::clickChannel(int channel, TSubClick click)
{
    if (!ValidChannel(channel))
        return false;
    switch (click) {
    case TSubClick::Plain:
        if (channel == m_selStart) {
            clearSelection();
        } else {
            m_selStart = channel;
            m_selEnd = channel;
        }
        return true;
    case TSubClick::Shift:
        if (m_selStart == 0 || channel <= m_selStart)
            return false;
        m_selEnd = channel;
        return true;
    case TSubClick::Other: return false;
    }
    return false;
}

void TSubEditSession::clearSelection()
{
    m_selStart = 0;
    m_selEnd = 0;
}

bool TSubEditSession::setChannelLevels(int percent)
{
    if (!hasSelection())
        return false;
    const std::optional<int> value = percent < 0 ? std::nullopt : std::optional<int>(std::min(percent, 100));
    for (int channel = m_selStart; channel <= m_selEnd; ++channel)
        setLevel(channel, value);
    clearSelection();
    markChanged();
    return true;
}

bool TSubEditSession::copyLevels()
{
    if (!hasSelection())
        return false;
    m_copyCount = m_selEnd - m_selStart + 1;
    for (int i = 0; i < m_copyCount; ++i) {
        const std::string& text = m_cells[m_selStart - 1 + i];
        m_copy[i] = text.empty() ? -1 : ParsePercent(text).value_or(-1);
    }
    return true;
}

bool TSubEditSession::pasteLevels()
{
    if (!hasSelection())
        return false;
    for (int i = 0; i < m_copyCount && m_selStart + i <= kSubChannels; ++i)
        setLevel(m_selStart + i, m_copy[i] < 0 ? std::nullopt : std::optional<int>(m_copy[i]));
    markChanged();
    return true;
}

// ---- Checks and storing

bool TSubEditSession::checkAllTimes() const
{
    for (const std::string& text : m_times) {
        const auto seconds = ParseDecimal(text);
        if (!seconds)
            return false;
        if (!(*seconds >= 0 && *seconds <= kMaxSeconds)) {
            m_state.ui().error(kMsgSubAllTimes);
            return false;
        }
    }
    return true;
}

bool TSubEditSession::checkLevels() const
{
    for (int channel = 1; channel <= kSubChannels; ++channel) {
        const std::string& text = m_cells[channel - 1];
        if (text.empty())
            continue;
        if (!ParseWhole(text)) {
            m_state.ui().error(InvalidChannelMessage(channel));
            return false;
        }
        if (!ParsePercent(text)) {
            m_state.ui().error(OutOfRangeChannelMessage(channel));
            return false;
        }
    }
    return true;
}

void TSubEditSession::store()
{
    TSub& sub = current();
    sub.Name = PadRight16(m_name.substr(0, 16));
    std::uint16_t* times[] = {&sub.TimeUp, &sub.TimeHold, &sub.TimeDown};
    for (int i = 0; i < 3; ++i)
        if (const auto seconds = ParseDecimal(m_times[i]); seconds && *seconds >= 0 && *seconds <= kMaxSeconds)
            *times[i] = TenthsOf(*seconds);
    sub.SubType = SubTypeFromCode(m_type);
    for (int c = 0; c < kSubChannels; ++c) {
        if (!m_touched.test(c))
            continue; // never typed over: the stored level stays exactly as it was
        const std::string& text = m_cells[c];
        if (text.empty())
            sub.Levels[c] = 0;
        else if (const auto percent = ParsePercent(text))
            sub.Levels[c] = PercentToLevel(*percent);
    }
    m_touched.reset();
    m_modified = false;
    m_state.globals.showChanged = 1;
}

bool TSubEditSession::keepWithChecks()
{
    if (!checkAllTimes() || !checkLevels())
        return false;
    store();
    return true;
}

// ---- Moving

bool TSubEditSession::askToKeep()
{
    if (!AskKeepChanges(m_state.ui(), m_modified, kMsgSubKeepChanges, [this] { return keepWithChecks(); }))
        return false;
    m_modified = false; // No drops the changes
    return true;
}

bool TSubEditSession::goBack()
{
    if (m_page == 1 && m_sub == 1)
        return false;
    if (!askToKeep())
        return false;
    const auto target = nonEmpty(-1);
    if (!target)
        throw ELumoraError(kMsgSubUnderrun);
    std::tie(m_page, m_sub) = *target;
    refresh();
    return true;
}

bool TSubEditSession::goForward()
{
    if (m_page == kSubPages && m_sub == kSubsPerPage)
        return false;
    if (!askToKeep())
        return false;
    const auto target = nonEmpty(+1);
    if (!target)
        throw ELumoraError(kMsgSubOverrun);
    std::tie(m_page, m_sub) = *target;
    refresh();
    return true;
}

bool TSubEditSession::enterPageSub(std::string_view pageText, std::string_view subText)
{
    const auto page = ParseWhole(pageText);
    const auto sub = ParseWhole(subText);
    if (!page || *page < 1 || *page > kSubPages || !sub || *sub < 1 || *sub > kSubsPerPage) {
        m_state.ui().error(kMsgSubInvalidEntry);
        return false;
    }
    // A keep whose checks fail stays on the sub with its edits, as the arrows do.
    if (!askToKeep())
        return false;
    m_page = static_cast<int>(*page);
    m_sub = static_cast<int>(*sub);
    refresh();
    return true;
}

// ---- Delete Sub

bool TSubEditSession::deleteSub()
{
    if (!m_state.ui().askYesNo(kMsgSubClearQuestion, Icon::Confirmation))
        return false;
    ResetSub(current());
    m_state.globals.showChanged = 1; // the show itself changed
    refresh();
    return true;
}

// ---- Closing

bool TSubEditSession::queryClose()
{
    return askToKeep();
}

} // namespace lumora
