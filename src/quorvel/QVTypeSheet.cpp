#include "quorvel/QVTypeSheet.h"

#include "cues/CueListSheet.h"
#include "quorvel/QVTypeFile.h"
#include "show/Bytes.h"
#include "show/KeepChanges.h"
#include "show/ValueHelpers.h"

namespace lumora {

namespace {

bool ValidRow(int row)
{
    return row >= 1 && row <= kQvAttributes;
}

std::string Cut(std::string_view text, std::size_t length)
{
    return std::string(text.substr(0, length));
}

} // namespace

std::string QvTypeCaption(int type)
{
    return "Type # " + std::to_string(type);
}

std::string_view QvWidthText(std::uint8_t width)
{
    return width != 0 ? kQvWidth16 : kQvWidth8;
}

std::string_view QvMasteringText(std::uint8_t mastering)
{
    switch (mastering) {
    case 1: return kQvStraight;
    case 2: return kQvInverted;
    default: return {};
    }
}

bool QvDeviceInUse(const TQuorvel& quorvel, int device)
{
    if (device < 1 || device > kQvDevices)
        return false;
    for (const TQVPosition& position : quorvel.positions)
        for (std::uint8_t d : position.slotDevices)
            if (d == device)
                return true;
    return false;
}

bool QvTypeInUse(const TQuorvel& quorvel, int type)
{
    for (const TQVPosition& position : quorvel.positions)
        for (std::uint8_t d : position.slotDevices)
            if (d >= 1 && d <= kQvDevices && quorvel.devices[d - 1].type == type)
                return true;
    return false;
}

TQVTypeSheet::TQVTypeSheet(TEditorState& state) : m_state(state) {}

// ---- Opening

void TQVTypeSheet::open()
{
    m_type = 1;
    load();
}

void TQVTypeSheet::load()
{
    take(model());
    m_changed = false;
    m_widthChanged = false;
}

void TQVTypeSheet::take(const TQVType& type)
{
    m_work = type;
    m_name = std::string(TrimText(type.name.view()));
}

// ---- What the window shows

std::string TQVTypeSheet::cellText(int row, TQvTypeColumn column) const
{
    if (!ValidRow(row))
        return {};
    const int k = row - 1;
    switch (column) {
    case TQvTypeColumn::Attribute: return std::to_string(row);
    case TQvTypeColumn::Name: return m_work.attrNames[k].str();
    case TQvTypeColumn::Width: return std::string(QvWidthText(m_work.width[k]));
    case TQvTypeColumn::Mastering: return std::string(QvMasteringText(m_work.mastering[k]));
    case TQvTypeColumn::Source: return std::string(QvSourceShownText(m_work.source[k]));
    case TQvTypeColumn::Count: break;
    }
    return {};
}

// ---- Edits

void TQVTypeSheet::setName(std::string_view text)
{
    const std::string name = Cut(text, 16);
    if (name == m_name)
        return;
    m_name = name;
    m_changed = true;
}

void TQVTypeSheet::editAttributeName(int row, std::string_view text)
{
    if (!ValidRow(row))
        return;
    const std::string name = Cut(text, 8);
    if (m_work.attrNames[row - 1] == name)
        return;
    m_work.attrNames[row - 1] = name;
    m_changed = true;
}

void TQVTypeSheet::chooseWidth(int row, int width)
{
    if (!ValidRow(row) || (width != 0 && width != 1))
        return;
    // The cell shows any nonzero byte as 16 bit: only a change of what is shown counts.
    if ((m_work.width[row - 1] != 0) == (width != 0))
        return;
    m_work.width[row - 1] = static_cast<std::uint8_t>(width);
    m_changed = true;
    m_widthChanged = true;
}

void TQVTypeSheet::chooseMastering(int row, int mastering)
{
    if (!ValidRow(row) || mastering < 0 || mastering > 2)
        return;
    if (QvMasteringText(m_work.mastering[row - 1]) == QvMasteringText(static_cast<std::uint8_t>(mastering)))
        return;
    m_work.mastering[row - 1] = static_cast<std::uint8_t>(mastering);
    m_changed = true;
}

void TQVTypeSheet::chooseSource(int row, int source)
{
    if (!ValidRow(row) || source < 0 || source >= kQvSources)
        return;
    m_work.source[row - 1] = static_cast<std::uint8_t>(source);
    m_changed = true;
}

void TQVTypeSheet::doubleClick(int row, TQvTypeColumn column)
{
    if (!ValidRow(row))
        return;
    const int k = row - 1;
    if (column == TQvTypeColumn::Width) {
        chooseWidth(row, m_work.width[k] != 0 ? 0 : 1);
    } else if (column == TQvTypeColumn::Mastering) {
        // Empty -> Straight -> Inverted -> empty.
        const std::uint8_t now = m_work.mastering[k];
        chooseMastering(row, now == 1 ? 2 : now == 2 ? 0 : 1);
    }
}

// ---- Storing

TQVType TQVTypeSheet::stored() const
{
    TQVType type = m_work;
    type.name = PadLeft16(m_name);
    // The cells show texts: what is stored is what they read.
    for (int k = 0; k < kQvAttributes; ++k) {
        type.width[k] = m_work.width[k] != 0 ? 1 : 0;
        if (type.mastering[k] > 2)
            type.mastering[k] = 0;
        if (type.source[k] >= kQvSources)
            type.source[k] = 0;
    }
    return type;
}

void TQVTypeSheet::store()
{
    model() = stored();
    if (m_widthChanged && QvTypeInUse(m_state.show().quorvel, m_type))
        m_state.ui().warning(kMsgQvTypeInUse);
    m_changed = false;
    m_widthChanged = false;
    m_state.globals.showChanged = 1;
}

// ---- Moving and closing

bool TQVTypeSheet::move(int delta)
{
    const int next = m_type + delta;
    if (next < 1 || next > kQvTypes)
        return false;
    if (!AskKeepChanges(m_state.ui(), m_changed, kMsgSaveYourChanges, [this] {
            store();
            return true;
        }))
        return false;
    m_type = next;
    load();
    return true;
}

bool TQVTypeSheet::queryClose()
{
    return AskKeepChanges(m_state.ui(), m_changed, kMsgSaveYourChanges, [this] {
        store();
        return true;
    });
}

// ---- The type file

std::string TQVTypeSheet::importTitle() const
{
    if (m_name.empty())
        return "Overwrite " + caption() + "?";
    return "Overwrite Type \"" + m_name + "\"?";
}

bool TQVTypeSheet::usableFileName(std::string_view path)
{
    const auto slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return name.size() > 4;
}

bool TQVTypeSheet::importFile(const std::string& path)
{
    const auto type = ReadQvTypeFile(path);
    if (!type) {
        m_state.ui().error(kMsgErrorImportingQvt);
        return false;
    }
    take(*type);
    m_changed = true;
    // A width that differs from the show's type is a width change as far as positions go.
    m_widthChanged = m_widthChanged || type->width != model().width;
    return true;
}

TQVType TQVTypeSheet::recordToSave() const
{
    return m_changed ? stored() : m_state.show().quorvel.types[m_type - 1];
}

bool TQVTypeSheet::saveFile(const std::string& path)
{
    if (!WriteQvTypeFile(path, recordToSave())) {
        m_state.ui().error(kMsgErrorSavingQvt);
        return false;
    }
    return true;
}

} // namespace lumora
