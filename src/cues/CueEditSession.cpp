#include "cues/CueEditSession.h"

#include "show/KeepChanges.h"

#include "cues/CueTexts.h"
#include "show/LumoraError.h"
#include "show/ValueHelpers.h"

#include <algorithm>

namespace lumora {

namespace {

using Icon = IUserInterface::Icon;

std::string TrimmedName(std::string_view name)
{
    while (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return std::string(name);
}

bool ValidChannel(int channel)
{
    return channel >= 1 && channel <= kChannels;
}

} // namespace

std::string DuplicateCueMessage(std::uint16_t number)
{
    return "The cue you entered, " + TenthsText(number) + ", matches one already in the show.";
}

std::string DeleteCueQuestion(std::uint16_t number)
{
    return "Are you sure you want to delete cue " + TenthsText(number) + "?";
}

std::string InvalidChannelEntryMessage(int channel)
{
    return "Invalid entry at channel " + std::to_string(channel) + ".";
}

std::string OutOfRangeChannelEntryMessage(int channel)
{
    return "Out-of-range entry at channel " + std::to_string(channel) + ".";
}

TCueEditSession::TCueEditSession(TEditorState& state) : m_state(state), m_work(std::make_unique<TCueList>()) {}

TCueEditSession::~TCueEditSession() = default;

// ---- Opening and the display

void TCueEditSession::open()
{
    m_work->Assign(m_state.show().cueList);
    m_work->cueOnlyMode = false;
    m_work->current = m_work->count > 0 ? 1 : 0;
    m_blank = false;
    m_pasteEnabled = false;
    display();
}

void TCueEditSession::display()
{
    clearSelection();
    m_pending = false;
    m_fields.fill({});
    if (!hasCues())
        return;
    const TCueRecord& cue = m_work->currentCue();
    auto field = [this](TCueField f) -> std::string& { return m_fields[static_cast<int>(f)]; };
    field(TCueField::Name) = TrimmedName(cue.name.view());
    field(TCueField::TimeUp) = TenthsText(cue.timeUp);
    field(TCueField::TimeDown) = TenthsText(cue.timeDown);
    field(TCueField::DelayUp) = TenthsText(cue.delayUp);
    field(TCueField::DelayDown) = TenthsText(cue.delayDown);
    field(TCueField::Link) = cue.link == 0 ? std::string() : TenthsText(cue.link);
    field(TCueField::Macro) = BlankIfZeroLead(std::to_string(cue.macro));
}

void TCueEditSession::clearDisplay()
{
    m_blank = true;
    m_fields.fill({});
    clearSelection();
}

std::string TCueEditSession::cueLabel() const
{
    if (!hasCues())
        return kCueLabelNoCues;
    return kCueLabelPrefix + TenthsText(m_work->currentCue().number);
}

std::string TCueEditSession::cueNumberText(int index) const
{
    if (index < 1 || index > m_work->count)
        return {};
    return TenthsText(m_work->cue(index).number);
}

std::optional<std::uint8_t> TCueEditSession::typeShown() const
{
    if (!ready())
        return std::nullopt;
    return m_work->currentCue().type;
}

std::string TCueEditSession::levelText(int channel) const
{
    if (!ready() || !ValidChannel(channel))
        return {};
    const TCueRecord& cue = m_work->currentCue();
    const int percent = LevelToPercent(cue.levels[channel - 1]);
    if (percent == 0 && !TCueList::IsHard(cue, channel))
        return {};
    return std::to_string(percent);
}

bool TCueEditSession::levelTracked(int channel) const
{
    if (!ready() || !ValidChannel(channel))
        return false;
    const TCueRecord& cue = m_work->currentCue();
    return TCueList::IsTrackType(cue) && !TCueList::IsHard(cue, channel);
}

bool TCueEditSession::channelHighlighted(int channel) const
{
    return m_selStart != 0 && channel >= m_selStart && channel <= m_selEnd;
}

bool TCueEditSession::canGoBack() const
{
    return hasCues() && !m_work->IsFirst();
}

bool TCueEditSession::canGoForward() const
{
    return hasCues() && !m_work->IsLast();
}

// ---- Edits

void TCueEditSession::setCueOnlyMode(bool on)
{
    m_work->cueOnlyMode = on;
}

void TCueEditSession::editField(TCueField field, std::string_view text)
{
    m_fields[static_cast<int>(field)] = std::string(text);
    m_pending = true;
}

bool TCueEditSession::checkField(TCueField field) const
{
    const std::string& text = fieldText(field);
    switch (field) {
    case TCueField::Name: return true;
    case TCueField::TimeUp:
    case TCueField::TimeDown:
    case TCueField::DelayUp:
    case TCueField::DelayDown:
        if (ParseTime(text))
            return true;
        m_state.ui().error(kMsgTimeRange);
        return false;
    case TCueField::Link:
        if (ParseLink(text))
            return true;
        m_state.ui().error(kMsgLinkRange);
        return false;
    case TCueField::Macro:
        if (ParseMacro(text))
            return true;
        m_state.ui().error(kMsgMacroRange);
        return false;
    }
    return false;
}

void TCueEditSession::changeType(std::string_view typeName)
{
    const std::uint8_t type = CueTypeFromName(typeName);
    if (!ready() || m_work->currentCue().type == type)
        return;
    m_work->ChangeType(type);
    m_pending = true;
}

void TCueEditSession::levelTyped()
{
    if (ready())
        m_pending = true;
}

void TCueEditSession::applyLevel(int channel, std::optional<int> percent)
{
    if (percent)
        m_work->SetLevel(m_work->currentCue(), channel, PercentToLevel(*percent));
    else
        m_work->ClearChannel(channel);
}

bool TCueEditSession::applyLevelText(int channel, std::string_view text)
{
    if (!ready() || !ValidChannel(channel))
        return false;
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        applyLevel(channel, std::nullopt);
    } else if (!ParseWhole(text)) {
        m_state.ui().error(InvalidChannelEntryMessage(channel));
        return false;
    } else if (const auto percent = ParsePercent(text)) {
        applyLevel(channel, *percent);
    } else {
        m_state.ui().error(OutOfRangeChannelEntryMessage(channel));
        return false;
    }
    m_pending = true;
    return true;
}

// ---- Selection, clipboard, Set Channel Levels

bool TCueEditSession::clickChannel(int channel, TChannelClick click)
{
    if (!ready() || !ValidChannel(channel))
        return false;
    switch (click) {
    case TChannelClick::Plain:
        if (channel == m_selStart) {
            clearSelection();
        } else {
            m_selStart = channel;
            m_selEnd = channel;
        }
        return true;
    case TChannelClick::Shift:
        if (m_selStart == 0 || channel <= m_selStart)
            return false;
        m_selEnd = channel;
        return true;
    case TChannelClick::Other: return false;
    }
    return false;
}

void TCueEditSession::clearSelection()
{
    m_selStart = 0;
    m_selEnd = 0;
}

bool TCueEditSession::copyLevels()
{
    if (!ready() || !hasSelection())
        return false;
    m_clipboardCount = m_selEnd - m_selStart + 1;
    for (int i = 0; i < m_clipboardCount; ++i) {
        const std::string text = levelText(m_selStart + i);
        m_clipboard[i] = text.empty() ? std::nullopt : ParsePercent(text);
    }
    m_pasteEnabled = true;
    return true;
}

bool TCueEditSession::pasteLevels()
{
    if (!ready() || !hasSelection() || !m_pasteEnabled)
        return false;
    for (int i = 0; i < m_clipboardCount && m_selStart + i <= kChannels; ++i)
        applyLevel(m_selStart + i, m_clipboard[i]);
    m_pending = true;
    return true;
}

bool TCueEditSession::setChannelLevels(int percent)
{
    if (!ready() || !hasSelection())
        return false;
    const std::optional<int> value = percent < 0 ? std::nullopt : std::optional<int>(std::min(percent, 100));
    for (int channel = m_selStart; channel <= m_selEnd; ++channel)
        applyLevel(channel, value);
    clearSelection();
    m_pending = true;
    return true;
}

// ---- Keeping and leaving

bool TCueEditSession::validate() const
{
    for (TCueField field : {TCueField::TimeUp, TCueField::TimeDown, TCueField::DelayUp, TCueField::DelayDown,
                            TCueField::Link, TCueField::Macro})
        if (!checkField(field))
            return false;
    for (int channel = 1; channel <= kChannels; ++channel) {
        const std::string text = levelText(channel);
        if (text.empty())
            continue;
        if (!ParseWhole(text)) {
            m_state.ui().error(InvalidChannelEntryMessage(channel));
            return false;
        }
        if (!ParsePercent(text)) {
            m_state.ui().error(OutOfRangeChannelEntryMessage(channel));
            return false;
        }
    }
    return true;
}

void TCueEditSession::keep(bool retrack)
{
    TCueRecord& cue = m_work->currentCue();
    cue.name = fieldText(TCueField::Name); // a longer text keeps its first 16 characters
    cue.timeUp = ParseTime(fieldText(TCueField::TimeUp)).value_or(cue.timeUp);
    cue.timeDown = ParseTime(fieldText(TCueField::TimeDown)).value_or(cue.timeDown);
    cue.delayUp = ParseTime(fieldText(TCueField::DelayUp)).value_or(cue.delayUp);
    cue.delayDown = ParseTime(fieldText(TCueField::DelayDown)).value_or(cue.delayDown);
    cue.link = ParseLink(fieldText(TCueField::Link)).value_or(cue.link);
    cue.macro = ParseMacro(fieldText(TCueField::Macro)).value_or(cue.macro);
    // The levels are in the working copy already, with their tracking.
    if (retrack) {
        const int k = m_work->current;
        m_work->RetrackRun(TCueList::IsTrackType(cue) && k > 1 ? k - 1 : k);
    }
    publish();
    m_pending = false;
}

void TCueEditSession::discard()
{
    const std::uint16_t current = m_work->current;
    const bool cueOnly = m_work->cueOnlyMode;
    m_work->Assign(m_state.show().cueList);
    m_work->current = std::min<std::uint16_t>(current, m_work->count);
    m_work->cueOnlyMode = cueOnly;
    display(); // the boxes go back to what the cue holds
}

void TCueEditSession::publish()
{
    m_state.show().cueList.Assign(*m_work);
    m_state.globals.showChanged = 1;
}

bool TCueEditSession::askToKeep(TLeaveReason reason)
{
    if (!m_pending || !hasCues())
        return true;
    const char* question = reason == TLeaveReason::Pick ? kMsgKeepPick : kMsgKeepArrows;
    switch (m_state.ui().askYesNoCancel(question, Icon::Confirmation)) {
    case IUserInterface::Answer::Yes:
        if (!validate())
            return false;
        keep(reason == TLeaveReason::Pick);
        return true;
    case IUserInterface::Answer::No: discard(); return true;
    case IUserInterface::Answer::Cancel: return false;
    }
    return false;
}

bool TCueEditSession::goBack()
{
    if (!canGoBack() || !askToKeep(TLeaveReason::Arrows))
        return false;
    --m_work->current;
    display();
    return true;
}

bool TCueEditSession::goForward()
{
    if (!canGoForward() || !askToKeep(TLeaveReason::Arrows))
        return false;
    ++m_work->current;
    display();
    return true;
}

bool TCueEditSession::pick(int index)
{
    if (index < 1 || index > m_work->count || !askToKeep(TLeaveReason::Pick))
        return false;
    m_work->current = static_cast<std::uint16_t>(index);
    display();
    return true;
}

// ---- Insert and delete

bool TCueEditSession::beforeInsert()
{
    if (!askToKeep(TLeaveReason::Insert))
        return false;
    if (m_work->count >= kMaxCues) {
        m_state.ui().error(kMsgCuesFull);
        return false;
    }
    return true;
}

bool TCueEditSession::insertCue(std::uint16_t number, std::uint8_t type)
{
    for (int k = 1; k <= m_work->count; ++k) {
        if (m_work->cue(k).number == number) {
            m_state.ui().error(DuplicateCueMessage(number));
            return false;
        }
    }
    if (!m_work->InsertCue(number, type)) {
        m_state.ui().error(kMsgErrorInserting);
        return false;
    }
    publish();
    m_blank = false;
    display();
    return true;
}

bool TCueEditSession::deleteCurrent()
{
    if (!hasCues())
        return false;
    if (!m_state.ui().askYesNo(DeleteCueQuestion(m_work->currentCue().number), Icon::Confirmation))
        return false;
    m_work->DeleteCurrent();
    if (m_work->current > m_work->count)
        m_work->current = m_work->count; // 0 once the last cue is gone
    publish();
    display();
    return true;
}

bool TCueEditSession::queryClose()
{
    return AskKeepChanges(m_state.ui(), m_pending && hasCues(), kMsgKeepClose, [this] {
        if (!validate())
            return false;
        keep(false);
        return true;
    });
}

} // namespace lumora
