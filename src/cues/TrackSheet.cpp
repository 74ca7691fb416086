#include "cues/TrackSheet.h"

#include "show/KeepChanges.h"

#include "cues/CueReports.h"
#include "cues/CueTexts.h"
#include "show/LumoraError.h"

#include <algorithm>

namespace lumora {

namespace {

using Icon = IUserInterface::Icon;

bool IsBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char ch) { return ch == ' '; });
}

} // namespace

std::string TrackEntryOutOfRangeMessage(int row, int channel)
{
    return "Out-of-range entry at Cue " + std::to_string(row) + ", Channel " + std::to_string(channel) + ".";
}

TTrackSheet::TTrackSheet(TEditorState& state)
    : m_state(state), m_work(std::make_unique<TCueList>()), m_reportSpelling(kMaxCues + 1, false)
{
}

TTrackSheet::~TTrackSheet() = default;

// ---- Opening

void TTrackSheet::open()
{
    m_work->Assign(m_state.show().cueList);
    m_work->cueOnlyMode = false;
    m_pending = false;
    filled();
    // A right-click before any level cell was clicked sets channel 2 of the first cue.
    if (m_work->count > 0) {
        m_selCue = 1;
        m_selStart = m_selEnd = 2;
    } else {
        clearSelection();
    }
}

void TTrackSheet::filled()
{
    m_kept.clear();
    std::fill(m_reportSpelling.begin(), m_reportSpelling.end(), false);
}

// ---- What the sheet shows

std::string TTrackSheet::cueText(int cue) const
{
    return cue >= 1 && cue <= m_work->count ? TenthsText(m_work->cue(cue).number) : std::string();
}

std::string TTrackSheet::typeText(int cue) const
{
    if (cue < 1 || cue > m_work->count)
        return {};
    const std::uint8_t type = m_work->cue(cue).type;
    if (type > kCueMultipart) // never drawn as an error box
        return {};
    return m_reportSpelling[cue] ? ReportCueType(type) : CueTypeName(type);
}

const std::string* TTrackSheet::entryKept(int cue, int channel) const
{
    if (m_kept.empty())
        return nullptr;
    const auto found = m_kept.find({cue, channel});
    return found == m_kept.end() ? nullptr : &found->second;
}

// ---- Edits

bool TTrackSheet::applyLevelText(int cue, int channel, std::string_view text)
{
    if (!validCell(cue, channel))
        return false;
    m_pending = true;
    m_kept.erase({cue, channel});
    m_work->current = static_cast<std::uint16_t>(cue);
    if (IsBlank(text)) {
        m_work->ClearChannel(channel);
        return true;
    }
    const auto percent = ParsePercent(text);
    if (!percent) {
        m_kept[{cue, channel}] = std::string(text);
        return false;
    }
    m_work->SetLevel(m_work->currentCue(), channel, PercentToLevel(*percent));
    return true;
}

void TTrackSheet::chooseType(int cue, int code)
{
    if (code < kCuePreset || code > kCueMultipart)
        throw ELumoraError(kInvalidCueTypeMessage);
    if (cue < 1 || cue > m_work->count)
        return;
    m_work->current = static_cast<std::uint16_t>(cue);
    m_work->ChangeType(static_cast<std::uint8_t>(code));
    m_pending = true;
    m_reportSpelling[cue] = true;
}

// ---- Selection

bool TTrackSheet::click(int cue, int channel, TChannelClick click)
{
    if (cue < 1 || cue > m_work->count || channel < 1 || channel > kChannels)
        return true; // the cue and type columns select nothing
    switch (click) {
    case TChannelClick::Plain:
        m_selCue = cue;
        m_selStart = m_selEnd = channel;
        return true;
    case TChannelClick::Shift:
        if (m_selStart == 0)
            return false;
        if (cue != m_selCue)
            return true;
        if (channel < m_selStart)
            return false;
        m_selEnd = channel;
        return true;
    case TChannelClick::Other: return false;
    }
    return false;
}

void TTrackSheet::clearSelection()
{
    m_selCue = m_selStart = m_selEnd = 0;
}

bool TTrackSheet::setChannelLevels(int percent)
{
    if (!hasSelection() || m_selCue < 1 || m_selCue > m_work->count)
        return false;
    m_work->current = static_cast<std::uint16_t>(m_selCue);
    for (int channel = m_selStart; channel <= std::min(m_selEnd, kChannels); ++channel) {
        m_kept.erase({m_selCue, channel});
        if (percent < 0)
            m_work->ClearChannel(channel);
        else
            m_work->SetLevel(m_work->currentCue(), channel, PercentToLevel(percent));
    }
    m_pending = true;
    return true;
}

// ---- Insert and delete

bool TTrackSheet::beforeInsert()
{
    if (m_work->count >= kMaxCues) {
        m_state.ui().error(kMsgTrackFull);
        return false;
    }
    return true;
}

bool TTrackSheet::insertCue(std::uint16_t number, std::uint8_t type)
{
    for (int index = 1; index <= m_work->count; ++index)
        if (m_work->cue(index).number == number) {
            m_state.ui().warning(kMsgTrackDuplicate);
            return false;
        }
    if (number == 0 || number > kMaxTenths || !m_work->InsertCue(number, type)) {
        m_state.ui().error(kMsgErrorInserting);
        return false;
    }
    m_pending = true;
    filled();
    // The selection stays on its cue, which may have moved down a row.
    if (m_selCue >= m_work->current)
        ++m_selCue;
    return true;
}

bool TTrackSheet::deleteCue(int cue)
{
    if (cue < 1 || cue > m_work->count)
        return false;
    if (!m_state.ui().askYesNo(DeleteCueQuestion(m_work->cue(cue).number), Icon::Confirmation))
        return false;
    m_work->current = static_cast<std::uint16_t>(cue);
    m_work->DeleteCurrent();
    if (m_work->current > m_work->count)
        m_work->current = m_work->count;
    m_pending = true;
    filled();
    if (m_selCue == cue)
        clearSelection();
    else if (m_selCue > cue)
        --m_selCue;
    return true;
}

// ---- Closing

bool TTrackSheet::checkTrackLevels() const
{
    // Only a kept entry can be anything but a level; the map runs in sheet order, cue by
    // cue and channel by channel.
    for (const auto& [cell, text] : m_kept) {
        const auto percent = ParsePercent(text);
        if (!IsBlank(text) && !percent) {
            m_state.ui().error(TrackEntryOutOfRangeMessage(cell.first, cell.second));
            return false;
        }
    }
    return true;
}

bool TTrackSheet::queryClose()
{
    // The same words as the cue editor asks with before another cue is picked.
    return AskKeepChanges(m_state.ui(), m_pending, kMsgKeepPick, [this] {
        if (!checkTrackLevels())
            return false;
        m_state.show().cueList.Assign(*m_work);
        m_state.globals.showChanged = 1;
        return true;
    });
}

} // namespace lumora
