#include "quorvel/QVActionSheet.h"

#include "cues/CueListSheet.h"
#include "show/Bytes.h"
#include "show/KeepChanges.h"

#include <cctype>
#include <charconv>

namespace lumora {

namespace {

constexpr long kMaxLoops = 65534;

int C(TQvStepColumn column)
{
    return static_cast<int>(column);
}

} // namespace

std::string QvActionCaption(int action)
{
    return "Action # " + std::to_string(action);
}

std::string QvTenthsText(std::uint16_t tenths)
{
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text.push_back('.');
        text.push_back(static_cast<char>('0' + tenths % 10));
    }
    return text;
}

std::optional<long> QvReadWhole(std::string_view text)
{
    text = TrimText(text);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::optional<std::uint16_t> QvReadTenths(std::string_view text)
{
    text = TrimText(text);
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    if (whole.size() > 3 || (whole.empty() && point == std::string_view::npos))
        return std::nullopt;
    long seconds = 0;
    if (!whole.empty()) {
        const auto value = QvReadWhole(whole);
        if (!value || whole.front() == '+' || whole.front() == '-')
            return std::nullopt;
        seconds = *value;
    }
    long tenth = 0;
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point + 1);
        if (fraction.size() != 1 || !std::isdigit(static_cast<unsigned char>(fraction[0])))
            return std::nullopt;
        tenth = fraction[0] - '0';
    }
    return static_cast<std::uint16_t>(seconds * 10 + tenth);
}

TQVActionSheet::TQVActionSheet(TEditorState& state) : m_state(state) {}

// ---- Opening

void TQVActionSheet::open()
{
    for (int n = 1; n <= kQvActions; ++n)
        loadRow(n);
    m_current = 1;
    loadSteps();
    m_changed = false;
}

void TQVActionSheet::loadRow(int n)
{
    const TQVAction& action = m_state.show().quorvel.actions[n - 1];
    m_list[n - 1].loops = action.loops == kQvLoopsContinuous ? kQvContinuous : std::to_string(action.loops);
    m_list[n - 1].singleStep = action.singleStep != 0 ? kQvYes : kQvNo;
}

void TQVActionSheet::loadSteps()
{
    const TQVAction& action = m_state.show().quorvel.actions[m_current - 1];
    for (int i = 0; i < kQvSteps; ++i) {
        TStepRow& row = m_steps[i];
        row = {};
        if (action.positions[i] != 0) {
            row[C(TQvStepColumn::Position)] = std::to_string(action.positions[i]);
            row[C(TQvStepColumn::Time)] = QvTenthsText(action.times[i]);
            row[C(TQvStepColumn::Delay)] = QvTenthsText(action.delays[i]);
        }
    }
}

// ---- What the grids show

std::string TQVActionSheet::listText(int row, TQvActionColumn column) const
{
    if (!validAction(row))
        return {};
    switch (column) {
    case TQvActionColumn::Action: return std::to_string(row);
    case TQvActionColumn::Loops: return m_list[row - 1].loops;
    case TQvActionColumn::SingleStep: return m_list[row - 1].singleStep;
    case TQvActionColumn::Count: break;
    }
    return {};
}

std::string TQVActionSheet::stepText(int step, TQvStepColumn column) const
{
    if (step < 1 || step > kQvSteps || column == TQvStepColumn::Count)
        return {};
    return m_steps[step - 1][C(column)];
}

// ---- Edits

void TQVActionSheet::editLoops(int row, std::string_view text)
{
    if (!validAction(row))
        return;
    text = TrimText(text);
    std::string loops;
    if (text.find_first_of("cC") != std::string_view::npos) {
        loops = kQvContinuous;
    } else if (text.empty()) {
        loops = "0";
    } else {
        const auto value = QvReadWhole(text);
        if (!value || *value > kMaxLoops) {
            m_state.ui().warning(kMsgQvLoopsRange);
            return;
        }
        loops = std::to_string(*value);
    }
    m_list[row - 1].loops = loops;
    m_changed = true;
}

void TQVActionSheet::singleStepKey(int row, char key)
{
    if (!validAction(row))
        return;
    if (key == 'y' || key == 'Y')
        m_list[row - 1].singleStep = kQvYes;
    else if (key == 'n' || key == 'N')
        m_list[row - 1].singleStep = kQvNo;
    m_changed = true;
}

void TQVActionSheet::toggleSingleStep(int row)
{
    if (!validAction(row))
        return;
    std::string& cell = m_list[row - 1].singleStep;
    cell = cell == kQvYes ? kQvNo : kQvYes;
    m_changed = true;
}

void TQVActionSheet::editStep(int step, TQvStepColumn column, std::string_view text)
{
    if (step < 1 || step > kQvSteps || column == TQvStepColumn::Count)
        return;
    TStepRow& row = m_steps[step - 1];
    text = TrimText(text);
    if (column == TQvStepColumn::Position) {
        const auto value = text.empty() ? std::optional<long>(0) : QvReadWhole(text);
        if (!value || *value > kQvPositions)
            return;
        if (*value == 0)
            row = {};
        else
            row[C(column)] = std::to_string(*value);
    } else {
        if (!text.empty()) {
            const auto tenths = QvReadTenths(text);
            if (!tenths)
                return;
            row[C(column)] = QvTenthsText(*tenths);
        } else {
            row[C(column)].clear();
        }
    }
    m_changed = true;
}

// ---- Changing the action

void TQVActionSheet::setCurrentAction(int action)
{
    if (!validAction(action) || action == m_current)
        return;
    if (m_changed) {
        if (m_state.ui().askYesNo(kMsgSaveYourChanges, IUserInterface::Icon::Confirmation))
            store();
        else
            loadRow(m_current); // the dropped edits leave the list too
        m_changed = false;
    }
    m_current = action;
    loadSteps();
}

// ---- Storing

void TQVActionSheet::store()
{
    TQVAction& action = m_state.show().quorvel.actions[m_current - 1];
    const TListRow& row = m_list[m_current - 1];
    if (row.loops.empty())
        action.loops = 0;
    else if (row.loops == kQvContinuous)
        action.loops = kQvLoopsContinuous;
    else
        action.loops = static_cast<std::uint16_t>(std::min(QvReadWhole(row.loops).value_or(0), kMaxLoops));
    action.singleStep = row.singleStep == kQvNo ? 0 : 1;
    for (int i = 0; i < kQvSteps; ++i) {
        const TStepRow& step = m_steps[i];
        const auto position = QvReadWhole(step[C(TQvStepColumn::Position)]);
        if (!position || *position == 0) {
            action.positions[i] = action.times[i] = action.delays[i] = 0;
            continue;
        }
        action.positions[i] = static_cast<std::uint16_t>(*position);
        action.times[i] = QvReadTenths(step[C(TQvStepColumn::Time)]).value_or(0);
        action.delays[i] = QvReadTenths(step[C(TQvStepColumn::Delay)]).value_or(0);
    }
    m_changed = false;
    m_state.globals.showChanged = 1;
}

bool TQVActionSheet::queryClose()
{
    return AskKeepChanges(m_state.ui(), m_changed, kMsgSaveYourChanges, [this] {
        store();
        return true;
    });
}

} // namespace lumora
