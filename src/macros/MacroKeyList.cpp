#include "macros/MacroKeyList.h"

#include "macros/KeyNames.h"
#include "print/ReportChoice.h"
#include "show/KeepChanges.h"

#include <algorithm>

namespace lumora {

std::optional<std::uint8_t> ReadSpecialValue(std::string_view text)
{
    const auto n = ReadWholeNumber(text);
    if (!n || *n < 0 || *n > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(*n);
}

TMacroKeyList::TMacroKeyList(TEditorState& state) : m_state(state) {}

// ---- Opening and choosing

void TMacroKeyList::open()
{
    m_current = 1;
    showMacro();
}

bool TMacroKeyList::choose(int macro)
{
    if (macro < 1 || macro > kMacros)
        return false;
    const bool goOn = AskKeepChanges(m_state.ui(), m_modified, kMsgKeepMacroChanges, [this] {
        store();
        return true;
    });
    if (!goOn)
        return false;
    m_current = macro;
    showMacro();
    return true;
}

void TMacroKeyList::showMacro()
{
    m_rows.fill(TKeyRow{});
    m_entries = m_bytes = 0;
    m_row = m_top = 1;
    m_modified = false;
    const TMacro& macro = m_state.show().macro(m_current);
    for (const TKeystroke& k : ReadKeystrokes(macro, TKeyNameVariant::Editor)) {
        if (m_entries >= kKeyListRows)
            break;
        const int p = k.position - 1;
        TKeyRow& row = m_rows[m_entries++];
        row.text = k.text;
        row.code = macro.Keys[p];
        if (k.length >= 2)
            row.first = macro.Keys[p + 1];
        if (k.length >= 3)
            row.second = macro.Keys[p + 2];
        m_bytes += k.length;
    }
}

std::string TMacroKeyList::listText(int macro) const
{
    std::string text = std::to_string(macro);
    if (macro >= 1 && macro <= kMacros && m_state.show().macro(macro).KeyCount != 0)
        text += kMacroListMark;
    return text;
}

// ---- Navigation

int TMacroKeyList::lastMacro() const
{
    for (int m = kMacros; m >= 2; --m)
        if (m_state.show().macro(m).KeyCount != 0)
            return m;
    return 1;
}

int TMacroKeyList::prevMacro() const
{
    if (m_current <= 1)
        return 0;
    for (int m = m_current - 1; m >= 2; --m)
        if (m_state.show().macro(m).KeyCount != 0)
            return m;
    return 1;
}

int TMacroKeyList::nextMacro() const
{
    for (int m = m_current + 1; m <= kMacros; ++m)
        if (m_state.show().macro(m).KeyCount != 0)
            return m;
    return 0;
}

// ---- The key list

void TMacroKeyList::holdRow()
{
    m_row = std::clamp(m_row, 1, std::min(kKeyListRows, m_entries + 1));
}

void TMacroKeyList::setCurrentRow(int r)
{
    m_row = r;
    holdRow();
}

bool TMacroKeyList::insert(const TKeyRow& row, int size)
{
    holdRow();
    const int r = m_row;
    // Rows are packed, so there is always a free row at the end to move into.
    std::move_backward(m_rows.begin() + (r - 1), m_rows.begin() + m_entries, m_rows.begin() + m_entries + 1);
    m_rows[r - 1] = row;
    m_bytes += size;
    ++m_entries;
    m_row = r + 1;
    holdRow();
    return true;
}

bool TMacroKeyList::addKey(std::uint8_t code)
{
    if (m_bytes >= kMacroKeys || m_entries >= kKeyListRows) {
        m_state.ui().warning(kMsgKeystrokeCountExceeded);
        return false;
    }
    const int r = std::clamp(m_row, 1, std::min(kKeyListRows, m_entries + 1));
    insert({KeyName(code, TKeyNameVariant::Editor), code, 0, 0}, 1);
    if (r > 8)
        m_top = r - 3;
    m_modified = true;
    return true;
}

bool TMacroKeyList::addSpecial(TSpecialKind kind, std::uint8_t first, std::uint8_t second)
{
    std::uint8_t code = kKeyLoadSubHandle;
    switch (kind) {
    case TSpecialKind::LoadSubHandle: code = kKeyLoadSubHandle; break;
    case TSpecialKind::RunAction:
        code = kKeyRunAction;
        second = 0;
        break;
    case TSpecialKind::RunPosition:
        code = kKeyRunPosition;
        second = 0;
        break;
    }
    const int size = KeystrokeLength(code);
    m_modified = true;
    if (size + m_bytes > kMacroKeys || m_entries >= kKeyListRows) {
        m_state.ui().warning(kMsgKeystrokeExceeded);
        return false;
    }
    return insert({KeystrokeText(code, first, second, TKeyNameVariant::Editor), code, first, second}, size);
}

bool TMacroKeyList::deleteKey()
{
    if (m_entries == 0)
        return false;
    holdRow();
    const int r = std::min(m_row, m_entries); // below the last keystroke: the last one
    m_bytes -= KeystrokeLength(m_rows[r - 1].code);
    std::move(m_rows.begin() + r, m_rows.begin() + m_entries, m_rows.begin() + (r - 1));
    m_rows[m_entries - 1] = TKeyRow{};
    --m_entries;
    m_row = m_row - 1;
    holdRow();
    if (m_entries == 0)
        m_top = 1;
    m_top = std::min(m_top, m_row);
    m_modified = true;
    return true;
}

bool TMacroKeyList::clearMacro()
{
    if (!m_state.ui().askYesNo(kMsgClearMacro, IUserInterface::Icon::Confirmation))
        return false;
    m_rows.fill(TKeyRow{});
    m_entries = m_bytes = 0;
    m_row = m_top = 1;
    m_modified = true;
    return true;
}

// ---- Storing and closing

void TMacroKeyList::store()
{
    TMacro& macro = m_state.show().macro(m_current);
    ResetMacro(macro);
    int p = 0; // 0-based position
    int stored = 0;
    for (int r = 0; r < m_entries; ++r) {
        const TKeyRow& row = m_rows[r];
        const int size = KeystrokeLength(row.code);
        if (row.code == 0 || p + size > kMacroKeys)
            break; // not reached: the rows are packed and fit
        macro.Keys[p] = row.code;
        if (size >= 2)
            macro.Keys[p + 1] = row.first;
        if (size >= 3)
            macro.Keys[p + 2] = row.second;
        p += size;
        ++stored;
    }
    macro.KeyCount = static_cast<std::uint8_t>(stored);
    m_modified = false;
    m_state.globals.showChanged = 1;
}

bool TMacroKeyList::queryClose()
{
    const bool goOn = AskKeepChanges(m_state.ui(), m_modified, kMsgKeepMacroChanges, [this] {
        store();
        return true;
    });
    if (goOn)
        showMacro(); // stored or dropped: the list shows the macro as the show holds it
    return goOn;
}

} // namespace lumora
