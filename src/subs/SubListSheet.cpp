#include "subs/SubListSheet.h"

#include "cues/CueTexts.h"
#include "subs/SubEditSession.h"

#include <cmath>

namespace lumora {

namespace {

using Icon = IUserInterface::Icon;
using Col = TSubListColumn;

constexpr double kMaxSeconds = 999.9;
constexpr std::uint16_t kMaxShownTenths = 9999;

bool ValidRow(int row)
{
    return row >= 1 && row <= kSubsPerPage;
}

std::optional<double> Seconds(const std::string& text)
{
    const auto seconds = ParseDecimal(text);
    if (!seconds || !(*seconds >= 0 && *seconds <= kMaxSeconds))
        return std::nullopt;
    return seconds;
}

} // namespace

std::string SubListTimesMessage(int sub)
{
    return "Please check your times for Sub " + std::to_string(sub) +
           ".\n\nAll times need to be between 0 and 999.9 seconds.";
}

TSubListSheet::TSubListSheet(TEditorState& state) : m_state(state)
{
    load();
}

// ---- Opening and loading

void TSubListSheet::open()
{
    m_opening = true;
    m_modified = false;
    selectPage(1);
    m_opening = false; // only the opening's own selection skips the time check
}

void TSubListSheet::load()
{
    for (int s = 1; s <= kSubsPerPage; ++s) {
        const TSub& sub = m_state.show().sub(m_page, s);
        auto& row = m_texts[s - 1];
        row.fill({});
        row[static_cast<int>(Col::Sub)] = std::to_string(s);
        if (sub.SubType != kSubNone) {
            row[static_cast<int>(Col::Name)] = sub.Name.str();
            row[static_cast<int>(Col::Type)] = SubTypeName(sub.SubType);
            const std::uint16_t times[] = {sub.TimeUp, sub.TimeHold, sub.TimeDown};
            for (int t = 0; t < 3; ++t)
                row[static_cast<int>(Col::TimeUp) + t] = TenthsText(times[t] > kMaxShownTenths ? 0 : times[t]);
        }
        m_types[s - 1] = sub.SubType <= kSubSolo ? sub.SubType : std::uint8_t{kSubNone};
    }
    m_timeTyped.reset();
}

const std::string& TSubListSheet::cellText(int row, TSubListColumn column) const
{
    static const std::string none;
    if (!ValidRow(row) || column == Col::Count)
        return none;
    return m_texts[row - 1][static_cast<int>(column)];
}

std::string& TSubListSheet::text(int row, TSubListColumn column)
{
    return m_texts[row - 1][static_cast<int>(column)];
}

// ---- Edits

void TSubListSheet::editCell(int row, TSubListColumn column, std::string_view value)
{
    if (!ValidRow(row) || column == Col::Sub || column == Col::Type || column == Col::Count)
        return;
    text(row, column) = std::string(column == Col::Name ? value.substr(0, 16) : value);
    if (column != Col::Name)
        m_timeTyped.set(static_cast<std::size_t>((row - 1) * 3 + time(column)));
    if (m_types[row - 1] == kSubNone) {
        // A name or time typed into an empty row makes a sub of it.
        m_types[row - 1] = kSubNormal;
        text(row, Col::Type) = SubTypeName(kSubNormal);
    }
    m_modified = true;
}

void TSubListSheet::chooseType(int row, std::uint8_t type)
{
    if (!ValidRow(row) || type < kSubNormal || type > kSubSolo)
        return;
    m_types[row - 1] = type;
    text(row, Col::Type) = SubTypeName(type);
    m_modified = true; // an empty row given a type is a change too
}

// ---- The page

bool TSubListSheet::checkTimes() const
{
    for (int row = 1; row <= kSubsPerPage; ++row) {
        if (cellText(row, Col::Type).empty())
            continue;
        for (Col column : {Col::TimeUp, Col::TimeHold, Col::TimeDown}) {
            if (!Seconds(cellText(row, column))) {
                m_state.ui().error(SubListTimesMessage(row));
                return false;
            }
        }
    }
    return true;
}

void TSubListSheet::store()
{
    m_state.globals.showChanged = 1;
    for (int row = 1; row <= kSubsPerPage; ++row) {
        TSub& sub = m_state.show().sub(m_page, row);
        if (m_types[row - 1] == kSubNone) {
            ResetSub(sub);
            continue;
        }
        sub.Name = cellText(row, Col::Name);
        std::uint16_t* times[] = {&sub.TimeUp, &sub.TimeHold, &sub.TimeDown};
        for (int t = 0; t < 3; ++t) {
            const bool typed = m_timeTyped.test(static_cast<std::size_t>((row - 1) * 3 + t));
            const bool wasSub = sub.SubType != kSubNone;
            if (!typed && wasSub)
                continue; // what the user did not touch stays as stored, even above 999.9
            if (const auto seconds = Seconds(cellText(row, static_cast<Col>(static_cast<int>(Col::TimeUp) + t))))
                *times[t] = static_cast<std::uint16_t>(std::lround(*seconds * 10));
        }
        sub.SubType = SubTypeFromCode(m_types[row - 1]);
    }
    m_modified = false;
    m_timeTyped.reset();
}

bool TSubListSheet::selectPage(int k)
{
    if (k < 1 || k > kSubPages)
        return false;
    if (!m_opening && !checkTimes())
        return false;
    if (m_modified) {
        switch (m_state.ui().askYesNoCancel(kMsgSubListSave, Icon::Confirmation)) {
        case IUserInterface::Answer::Yes: store(); break;
        case IUserInterface::Answer::No: break;
        case IUserInterface::Answer::Cancel: return false;
        }
    }
    m_modified = false;
    m_page = k;
    load();
    return true;
}

// ---- Delete Sub

bool TSubListSheet::deleteRow(int row)
{
    if (!ValidRow(row))
        return false;
    if (m_types[row - 1] == kSubNone) {
        m_state.ui().warning(kMsgSubListEmptyDelete);
        return false;
    }
    if (!m_state.ui().askYesNo(kMsgSubListDeleteQuestion, Icon::Confirmation))
        return false;
    for (Col column : {Col::Name, Col::Type, Col::TimeUp, Col::TimeHold, Col::TimeDown})
        text(row, column).clear();
    m_types[row - 1] = kSubNone;
    m_modified = true;
    return true;
}

// ---- Closing

bool TSubListSheet::queryClose()
{
    if (!m_modified)
        return true;
    switch (m_state.ui().askYesNoCancel(kMsgSubListSave, Icon::Confirmation)) {
    case IUserInterface::Answer::No: m_modified = false; return true;
    case IUserInterface::Answer::Cancel: return false;
    case IUserInterface::Answer::Yes:
        if (!checkTimes())
            return false;
        store();
        return true;
    }
    return false;
}

} // namespace lumora
