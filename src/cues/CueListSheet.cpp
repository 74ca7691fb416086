#include "cues/CueListSheet.h"

#include "show/KeepChanges.h"

#include "cues/CueEditSession.h"
#include "cues/CueTexts.h"
#include "show/LumoraError.h"
#include "show/ValueHelpers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumora {

namespace {

using Icon = IUserInterface::Icon;

constexpr double kMaxSeconds = kMaxTenths / 10.0; // 999.9

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

// A time cell: 0 .. 999.9 with at most one decimal.
std::optional<double> TimeValue(std::string_view text)
{
    const auto value = ParseDecimal(text);
    if (!value || *value < 0 || *value > kMaxSeconds || !IsTenths(*value))
        return std::nullopt;
    return value;
}

// A link cell holds a cue number in the same form; anything that would not fit the
// record's tenths is refused rather than wrapped.
std::optional<double> LinkValue(std::string_view text)
{
    const auto value = ParseDecimal(text);
    if (!value || *value < 0 || *value > kMaxSeconds)
        return std::nullopt;
    return value;
}

std::optional<double> MacroValue(std::string_view text)
{
    const auto value = ParseDecimal(text);
    if (!value || *value < 0 || *value > kMaxMacro || *value != std::floor(*value))
        return std::nullopt;
    return value;
}

std::uint16_t ToTenths(double seconds)
{
    return static_cast<std::uint16_t>(std::lround(seconds * 10));
}

// A type code the list should never hold must not stop the grid from drawing.
std::string TypeText(std::uint8_t code)
{
    return code <= kCueMultipart ? CueTypeName(code) : std::string();
}

constexpr int Col(TCueListColumn column)
{
    return static_cast<int>(column);
}

} // namespace

std::string TimeEntriesMessage(std::string_view cueText)
{
    return "Please check your time entries for Cue No. " + std::string(cueText) + ".\n" + kMsgTimeRange;
}

std::string LinkEntryMessage(std::string_view cueText)
{
    return "Please check your Link entry for Cue No. " + std::string(cueText) + ".";
}

std::string MacroEntryMessage(std::string_view cueText)
{
    return "Please check your Macro entry for Cue No. " + std::string(cueText) + ".";
}

std::string CopiesDroppedMessage(int dropped)
{
    if (dropped == 1)
        return "1 cue was not copied: its new number would fall outside 0.1 to 999.9.";
    return std::to_string(dropped) + " cues were not copied: their new numbers would fall outside 0.1 to 999.9.";
}

TCueListSheet::TCueListSheet(TEditorState& state) : m_state(state), m_work(std::make_unique<TCueList>()) {}

TCueListSheet::~TCueListSheet() = default;

// ---- Opening

void TCueListSheet::open()
{
    m_work->Assign(m_state.show().cueList);
    m_work->cueOnlyMode = m_cueOnly;
    m_work->current = m_work->count > 0 ? 1 : 0;
    m_pending = false;
    refillTexts();
}

// ---- Texts

TCueListSheet::TRowTexts TCueListSheet::textsOf(int index) const
{
    const TCueRecord& cue = m_work->cue(index);
    TRowTexts texts; // the number and the type are drawn from the cue itself
    texts[Col(TCueListColumn::Name)] = Trimmed(cue.name.view());
    texts[Col(TCueListColumn::TimeUp)] = TenthsText(cue.timeUp);
    texts[Col(TCueListColumn::TimeDown)] = TenthsText(cue.timeDown);
    texts[Col(TCueListColumn::DelayUp)] = TenthsText(cue.delayUp);
    texts[Col(TCueListColumn::DelayDown)] = TenthsText(cue.delayDown);
    texts[Col(TCueListColumn::Link)] = cue.link == 0 ? std::string() : TenthsText(cue.link);
    texts[Col(TCueListColumn::Macro)] = cue.macro == 0 ? std::string() : std::to_string(cue.macro);
    return texts;
}

void TCueListSheet::refillTexts()
{
    m_texts.clear();
    m_texts.reserve(m_work->count);
    for (int index = 1; index <= m_work->count; ++index)
        m_texts.push_back(textsOf(index));
}

std::string TCueListSheet::cellText(int row, TCueListColumn column) const
{
    if (!validRow(row) || column == TCueListColumn::Count)
        return {};
    const TCueRecord& cue = m_work->cue(row);
    switch (column) {
    case TCueListColumn::Cue: return TenthsText(cue.number);
    case TCueListColumn::Type: return TypeText(cue.type);
    default: return m_texts[row - 1][Col(column)];
    }
}

// ---- Edits

void TCueListSheet::setCueOnlyMode(bool on)
{
    m_cueOnly = on;
    m_work->cueOnlyMode = on;
}

void TCueListSheet::setCurrentRow(int row)
{
    if (validRow(row))
        m_work->current = static_cast<std::uint16_t>(row);
}

void TCueListSheet::editCell(int row, TCueListColumn column, std::string_view text)
{
    if (!validRow(row) || column == TCueListColumn::Cue || column == TCueListColumn::Type ||
        column == TCueListColumn::Count)
        return;
    m_texts[row - 1][Col(column)] = std::string(text);
    m_pending = true;
}

void TCueListSheet::chooseType(int row, int code)
{
    if (code < kCuePreset || code > kCueMultipart)
        throw ELumoraError(kInvalidCueTypeMessage);
    if (!validRow(row) || m_work->cue(row).type == code)
        return;
    const bool stored = storeGrid(); // the type changes even when a check fails
    m_pending = true;
    m_work->current = static_cast<std::uint16_t>(row);
    m_work->ChangeType(static_cast<std::uint8_t>(code));
    if (stored)
        refillTexts();
}

// ---- Storing

bool TCueListSheet::checkRow(int index) const
{
    const TRowTexts& texts = m_texts[index - 1];
    const std::string cueText = TenthsText(m_work->cue(index).number); // as the first column shows it
    for (TCueListColumn column :
         {TCueListColumn::TimeUp, TCueListColumn::TimeDown, TCueListColumn::DelayUp, TCueListColumn::DelayDown})
        if (!TimeValue(texts[Col(column)])) {
            m_state.ui().error(TimeEntriesMessage(cueText));
            return false;
        }
    const std::string& link = texts[Col(TCueListColumn::Link)];
    if (!link.empty() && !LinkValue(link)) {
        m_state.ui().error(LinkEntryMessage(cueText));
        return false;
    }
    const std::string& macro = texts[Col(TCueListColumn::Macro)];
    if (!macro.empty() && !MacroValue(macro)) {
        m_state.ui().error(MacroEntryMessage(cueText));
        return false;
    }
    return true;
}

void TCueListSheet::storeRow(int index)
{
    const TRowTexts& texts = m_texts[index - 1];
    TCueRecord& cue = m_work->cue(index);
    cue.name = texts[Col(TCueListColumn::Name)];
    cue.timeUp = ToTenths(*TimeValue(texts[Col(TCueListColumn::TimeUp)]));
    cue.timeDown = ToTenths(*TimeValue(texts[Col(TCueListColumn::TimeDown)]));
    cue.delayUp = ToTenths(*TimeValue(texts[Col(TCueListColumn::DelayUp)]));
    cue.delayDown = ToTenths(*TimeValue(texts[Col(TCueListColumn::DelayDown)]));
    const std::string& link = texts[Col(TCueListColumn::Link)];
    cue.link = link.empty() ? 0 : ToTenths(*LinkValue(link));
    const std::string& macro = texts[Col(TCueListColumn::Macro)];
    cue.macro = macro.empty() ? 0 : static_cast<std::uint16_t>(std::lround(*MacroValue(macro)));
}

bool TCueListSheet::storeGrid()
{
    for (int index = 1; index <= m_work->count; ++index)
        if (!checkRow(index))
            return false;
    for (int index = 1; index <= m_work->count; ++index)
        storeRow(index);
    m_pending = false;
    return true;
}

// ---- List changes with the rows kept in step

bool TCueListSheet::deleteAt(int index)
{
    m_work->current = static_cast<std::uint16_t>(index);
    if (!m_work->DeleteCurrent())
        return false;
    m_texts.erase(m_texts.begin() + (index - 1));
    return true;
}

bool TCueListSheet::insertRecord(const TCueRecord& record)
{
    if (!m_work->InsertSorted(record))
        return false;
    m_texts.insert(m_texts.begin() + (m_work->current - 1), textsOf(m_work->current));
    return true;
}

void TCueListSheet::afterListChange(bool stored)
{
    // After a store the texts are those of the cues; otherwise they stay as typed.
    if (stored)
        refillTexts();
    if (m_work->current > m_work->count)
        m_work->current = m_work->count;
    m_pending = true;
}

// ---- Insert

bool TCueListSheet::beforeInsert()
{
    if (m_work->count >= kMaxCues) {
        m_state.ui().error(kMsgCueListFull);
        return false;
    }
    return true;
}

bool TCueListSheet::insertCue(std::uint16_t number, std::uint8_t type)
{
    for (int index = 1; index <= m_work->count; ++index)
        if (m_work->cue(index).number == number) {
            m_state.ui().error(DuplicateCueMessage(number));
            return false;
        }
    const bool stored = storeGrid(); // the insert goes on when a check fails
    m_work->cueOnlyMode = m_cueOnly;
    if (number == 0 || number > kMaxTenths || !m_work->InsertCue(number, type)) {
        m_state.ui().error(kMsgErrorInserting);
        return false;
    }
    m_texts.insert(m_texts.begin() + (m_work->current - 1), textsOf(m_work->current));
    afterListChange(stored);
    return true;
}

// ---- Delete

bool TCueListSheet::deleteCue(int row)
{
    if (!validRow(row))
        return false;
    if (!m_state.ui().askYesNo(DeleteCueQuestion(m_work->cue(row).number), Icon::Confirmation))
        return false;
    m_work->cueOnlyMode = m_cueOnly;
    m_work->current = static_cast<std::uint16_t>(row);
    const bool stored = storeGrid(); // the delete goes on when a check fails
    deleteAt(row);
    afterListChange(stored);
    return true;
}

// ---- Copy Range

bool TCueListSheet::beforeCopyRange(const std::vector<int>& rows)
{
    if (std::none_of(rows.begin(), rows.end(), [this](int row) { return validRow(row); })) {
        m_state.ui().warning(kMsgSelectCuesToCopy);
        return false;
    }
    return true;
}

int TCueListSheet::copyRange(std::vector<int> rows, std::uint16_t target)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(), [this](int row) { return !validRow(row); }), rows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty() || target == 0 || target > kMaxTenths)
        return 0;
    const bool stored = storeGrid(); // the copy goes on when a check fails

    // Whole records, taken before any cue is replaced; each keeps its distance from the
    // first one. A number the console cannot hold is left out and reported below.
    const long base = m_work->cue(rows.front()).number;
    std::vector<TCueRecord> copies;
    int outOfRange = 0;
    for (int row : rows) {
        TCueRecord copy = m_work->cue(row);
        const long number = long(target) + (long(copy.number) - base);
        if (number < 1 || number > kMaxTenths) {
            ++outOfRange;
            continue;
        }
        copy.number = static_cast<std::uint16_t>(number);
        copies.push_back(copy);
    }

    m_work->cueOnlyMode = m_cueOnly;
    for (const TCueRecord& copy : copies)
        for (int index = 1; index <= m_work->count;)
            if (m_work->cue(index).number == copy.number)
                deleteAt(index);
            else
                ++index;
    // The copies go in as they are, without tracking fix-ups; those that do not fit into
    // a full list are left out.
    int made = 0;
    for (const TCueRecord& copy : copies)
        made += insertRecord(copy) ? 1 : 0;
    afterListChange(stored);
    if (outOfRange > 0)
        m_state.ui().warning(CopiesDroppedMessage(outOfRange));
    return made;
}

// ---- Closing

bool TCueListSheet::queryClose()
{
    return AskKeepChanges(m_state.ui(), m_pending, kMsgSaveYourChanges, [this] {
        if (!storeGrid())
            return false;
        m_state.show().cueList.Assign(*m_work);
        m_state.globals.showChanged = 1;
        return true;
    });
}

} // namespace lumora
