#include "effects/EffectSheet.h"

#include "print/ReportChoice.h"
#include "show/KeepChanges.h"
#include "show/LumoraError.h"
#include "show/ValueHelpers.h"

#include <algorithm>

namespace lumora {

namespace {

std::string TrimRight(std::string_view text)
{
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string EffectEntryOutOfRangeMessage(int step, int channel)
{
    return "Out-of-range entry at Step " + std::to_string(step) + ", Channel " + std::to_string(channel) + ".";
}

std::optional<std::uint16_t> ReadEffectTime(std::string_view text)
{
    if (text.empty())
        return std::uint16_t{0};
    // Digits, then at most one point; after it at most one digit that counts (zeros may follow).
    int whole = 0, tenth = 0, digits = 0;
    std::size_t i = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > 999)
            return std::nullopt;
    }
    if (i < text.size()) {
        if (text[i] != '.')
            return std::nullopt;
        ++i;
        for (int place = 0; i < text.size(); ++i, ++place, ++digits) {
            if (!IsDigit(text[i]))
                return std::nullopt;
            if (place == 0)
                tenth = text[i] - '0';
            else if (text[i] != '0')
                return std::nullopt; // not a whole number of tenths
        }
    }
    if (digits == 0)
        return std::nullopt;
    return static_cast<std::uint16_t>(whole * 10 + tenth);
}

TEffectSheet::TEffectSheet(TEditorState& state)
    : m_state(state), m_cells(kEffectCells, -1), m_marks(kEffectCells, false)
{
    m_marked.reserve(kEffectEntries * 2);
}

// ---- Opening and choosing

void TEffectSheet::open()
{
    m_current = 1;
    emptySheet();
    showEffect();
}

void TEffectSheet::reload()
{
    open();
}

bool TEffectSheet::choose(int effect, const TAskName& askName)
{
    if (effect < 1 || effect > kEffects)
        return false;
    const bool goOn = AskKeepChanges(m_state.ui(), modified(), kMsgKeepEffectChanges, [&] { return store(askName); });
    if (!goOn)
        return false;
    m_current = effect;
    emptySheet();
    showEffect();
    return true;
}

void TEffectSheet::emptySheet()
{
    for (const int i : m_marked) {
        m_cells[i] = -1;
        m_marks[i] = false;
    }
    m_marked.clear();
    m_name.clear();
    m_time.clear();
    m_type.clear();
}

void TEffectSheet::showEffect()
{
    const TEffect& effect = m_state.show().effect(m_current);
    m_name = TrimRight(effect.Name.view());
    m_time = FormatTenths(effect.EffectTime / 10.0);
    m_defined = IsDefinedEffect(effect);
    m_type = m_defined ? EffectTypeName(effect.EffectType) : std::string();
    for (const TEffectEntry& e : effect.Entries) {
        // Entries outside the sheet (a damaged show) are not shown and not stored back.
        if (e.EntryChannel >= 1 && e.EntryChannel <= kEffectChannels && e.EntryStep >= 1 && e.EntryStep <= kEffectSteps)
            setCell(e.EntryStep, e.EntryChannel, e.EntryLevel);
    }
    m_cleared = m_gridChanged = m_nameChanged = m_typeChanged = m_timeChanged = false;
    m_timeChecked = true;
    clearSelection();
}

void TEffectSheet::setCell(int step, int channel, int level)
{
    const int i = index(step, channel);
    m_cells[i] = static_cast<std::int16_t>(level);
    if (!m_marks[i]) {
        m_marks[i] = true;
        m_marked.push_back(i);
    }
}

// ---- What the window shows

std::string TEffectSheet::listText(int effect) const
{
    std::string text = std::to_string(effect);
    if (effect == m_current && m_cleared)
        return text;
    if (effect >= 1 && effect <= kEffects && IsDefinedEffect(m_state.show().effect(effect)))
        text += kEffectListMark;
    return text;
}

std::string TEffectSheet::labelText() const
{
    return kEffectLabelPrefix + std::to_string(m_current);
}

int TEffectSheet::filledCells() const
{
    return static_cast<int>(std::count_if(m_marked.begin(), m_marked.end(), [&](int i) { return m_cells[i] >= 0; }));
}

// ---- Edits

void TEffectSheet::edited()
{
    m_cleared = false;
}

bool TEffectSheet::applyLevelText(int step, int channel, std::string_view text)
{
    if (step < 1 || step > kEffectSteps || channel < 1 || channel > kEffectChannels)
        return false;
    int level = -1;
    if (!text.empty()) {
        const auto percent = ReadWholeNumber(text);
        if (!percent || *percent < 0 || *percent > 100) {
            m_state.ui().error(EffectEntryOutOfRangeMessage(step, channel));
            return false;
        }
        const int old = m_cells[index(step, channel)];
        // Typing the percent a cell already shows keeps its exact level.
        level = old >= 0 && LevelToPercent(static_cast<std::uint8_t>(old)) == *percent ? old : PercentToLevel(*percent);
    }
    setCell(step, channel, level);
    m_gridChanged = true;
    edited();
    return true;
}

void TEffectSheet::editName(std::string_view text)
{
    m_name = std::string(text.substr(0, kEffectNameLength));
    m_nameChanged = true;
    edited();
}

void TEffectSheet::editType(std::string_view text)
{
    m_type = std::string(text);
    m_typeChanged = true;
    edited();
}

void TEffectSheet::editTime(std::string_view text)
{
    m_time = std::string(text.substr(0, kEffectTimeLength));
    m_timeChanged = true;
    m_timeChecked = false;
    edited();
}

bool TEffectSheet::checkTime()
{
    if (m_timeChecked)
        return true;
    if (!ReadEffectTime(m_time)) {
        m_state.ui().error(kMsgEffectTime);
        return false;
    }
    m_timeChecked = true;
    return true;
}

// ---- Selection

bool TEffectSheet::click(int step, int channel, TEffectClick click)
{
    if (step < 1 || step > kEffectSteps || channel < 1 || channel > kEffectChannels)
        return click == TEffectClick::Plain;
    switch (click) {
    case TEffectClick::Plain:
        m_complete = false;
        m_firstStep = m_lastStep = step;
        m_firstChannel = m_lastChannel = channel;
        return true;
    case TEffectClick::Shift:
        if (m_firstStep == 0 || !(step > m_firstStep || (step == m_firstStep && channel > m_firstChannel)))
            return false;
        m_lastStep = step;
        m_lastChannel = channel;
        m_complete = true;
        return true;
    case TEffectClick::Other: return false;
    }
    return false;
}

void TEffectSheet::clearSelection()
{
    m_firstStep = m_lastStep = m_firstChannel = m_lastChannel = 0;
    m_complete = false;
}

void TEffectSheet::setLevels(int percent)
{
    if (!m_complete)
        return;
    const int level = percent < 0 ? -1 : PercentToLevel(percent);
    for (int step = m_firstStep; step <= m_lastStep; ++step)
        for (int channel = m_firstChannel; channel <= m_lastChannel; ++channel)
            setCell(step, channel, level);
    m_gridChanged = true;
    edited();
}

// ---- Clear Effect

bool TEffectSheet::clearEffect()
{
    if (!m_state.ui().askYesNo(kMsgClearEffect, IUserInterface::Icon::Confirmation))
        return false;
    emptySheet();
    clearSelection();
    m_cleared = true;
    m_gridChanged = true;
    return true;
}

// ---- Storing and closing

bool TEffectSheet::store(const TAskName& askName)
{
    TEffect& effect = m_state.show().effect(m_current);
    if (m_cleared) {
        effect.Name.assign("");
        effect.EffectTime = 0;
        effect.EffectType = kEffectForward;
        effect.StepCount = 0;
        effect.Entries.fill(TEffectEntry{});
    } else {
        // Everything is checked and built before the show's effect is touched.
        const auto time = ReadEffectTime(m_time);
        if (!time) {
            m_state.ui().error(kMsgEffectTime);
            return false;
        }
        std::uint8_t type = kEffectForward;
        try {
            type = EffectTypeFromName(m_type.empty() ? std::string_view("Forward") : std::string_view(m_type));
        } catch (const ELumoraError& e) {
            m_state.ui().error(e.what());
            return false;
        }
        const TBusyCursor busy(m_state.ui());
        std::array<TEffectEntry, kEffectEntries> entries{};
        int count = 0;
        int lastStep = 0;
        std::vector<int> filled;
        filled.reserve(m_marked.size());
        for (const int i : m_marked)
            if (m_cells[i] >= 0)
                filled.push_back(i);
        // Step by step, channel by channel: the order of the cell indices.
        std::sort(filled.begin(), filled.end());
        if (filled.size() > static_cast<std::size_t>(kEffectEntries)) {
            m_state.ui().error(kMsgEffectTooBig);
            return false;
        }
        for (const int i : filled) {
            TEffectEntry& e = entries[count++];
            e.EntryStep = static_cast<std::uint8_t>(i / kEffectChannels + 1);
            e.EntryChannel = static_cast<std::uint16_t>(i % kEffectChannels + 1);
            e.EntryLevel = static_cast<std::uint8_t>(m_cells[i]);
            lastStep = e.EntryStep;
        }
        std::string name = m_name;
        if (name.empty())
            name = askName ? askName().value_or(std::string()) : std::string();
        effect.Name.assign(std::string_view(name).substr(0, std::min<std::size_t>(name.size(), kEffectNameLength)));
        effect.EffectType = type;
        effect.EffectTime = *time;
        effect.Entries = entries;
        effect.StepCount = static_cast<std::uint8_t>(lastStep);
    }
    m_state.globals.showChanged = 1;
    m_cleared = m_gridChanged = m_nameChanged = m_typeChanged = m_timeChanged = false;
    m_timeChecked = true;
    m_defined = IsDefinedEffect(effect);
    return true;
}

bool TEffectSheet::queryClose(const TAskName& askName)
{
    if (!modified())
        return true;
    switch (m_state.ui().askYesNoCancel(kMsgSaveEffectChanges, IUserInterface::Icon::Confirmation)) {
    case IUserInterface::Answer::Cancel: return false;
    case IUserInterface::Answer::No: return true;
    case IUserInterface::Answer::Yes: return store(askName);
    }
    return false;
}

} // namespace lumora
