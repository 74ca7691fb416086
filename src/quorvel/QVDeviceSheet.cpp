#include "quorvel/QVDeviceSheet.h"

#include "cues/CueListSheet.h"
#include "quorvel/QVTypeSheet.h"
#include "show/Bytes.h"
#include "show/KeepChanges.h"

#include <charconv>

namespace lumora {

namespace {

// Digits only, trimmed; nothing for anything else.
std::optional<int> ReadDigits(std::string_view text)
{
    text = TrimText(text);
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

std::string QvTypeName(const TQuorvel& quorvel, int type)
{
    if (type < 1 || type > kQvTypes)
        return {};
    return std::string(TrimText(quorvel.types[type - 1].name.view()));
}

TQVDeviceSheet::TQVDeviceSheet(TEditorState& state) : m_state(state) {}

void TQVDeviceSheet::open()
{
    const TQuorvel& q = m_state.show().quorvel;
    for (int d = 1; d <= kQvDevices; ++d) {
        const TQVDevice& device = q.devices[d - 1];
        TRow& row = m_rows[d - 1];
        row = TRow{};
        row.name = std::string(TrimText(device.name.view()));
        // Numbers out of range (a damaged file) show as empty cells.
        if (device.address >= 1 && device.address < kQvMapSize)
            row.address = std::to_string(device.address);
        if (device.type >= 1 && device.type <= kQvTypes) {
            row.type = std::to_string(device.type);
            row.typeName = QvTypeName(q, device.type);
        }
    }
    m_current = 1;
    m_changed = false;
    m_inUse = false;
}

void TQVDeviceSheet::setCurrentRow(int row)
{
    if (validRow(row))
        m_current = row;
}

std::string TQVDeviceSheet::cellText(int row, TQvDeviceColumn column) const
{
    if (!validRow(row))
        return {};
    const TRow& r = m_rows[row - 1];
    switch (column) {
    case TQvDeviceColumn::Device: return std::to_string(row);
    case TQvDeviceColumn::Name: return r.name;
    case TQvDeviceColumn::Address: return r.address;
    case TQvDeviceColumn::Type: return r.type;
    case TQvDeviceColumn::TypeName: return r.typeName;
    case TQvDeviceColumn::Count: break;
    }
    return {};
}

std::array<std::string, kQvTypes> TQVDeviceSheet::typeMenu() const
{
    const auto& g = m_state.globals;
    const bool loaded = g.loadedFromFile != 0 || g.loadedFromDiskette != 0;
    std::array<std::string, kQvTypes> captions;
    for (int t = 1; t <= kQvTypes; ++t) {
        captions[t - 1] = std::to_string(t);
        const std::string name = QvTypeName(m_state.show().quorvel, t);
        if (loaded && !name.empty())
            captions[t - 1] += " - " + name;
    }
    return captions;
}

void TQVDeviceSheet::checkInUse(int row)
{
    if (QvDeviceInUse(m_state.show().quorvel, row))
        m_inUse = true;
}

void TQVDeviceSheet::editCell(int row, TQvDeviceColumn column, std::string_view text)
{
    if (!validRow(row))
        return;
    TRow& r = m_rows[row - 1];
    switch (column) {
    case TQvDeviceColumn::Name: r.name = std::string(text.substr(0, 16)); break;
    case TQvDeviceColumn::Address: {
        const auto value = TrimText(text).empty() ? std::optional<int>(0) : ReadDigits(text);
        if (!value || *value >= kQvMapSize)
            return;
        r.address = std::to_string(*value == 0 ? 1 : *value);
        checkInUse(row);
        break;
    }
    case TQvDeviceColumn::Type: {
        if (TrimText(text).empty()) { // no type
            r.type.clear();
            r.typeName.clear();
        } else {
            const auto value = ReadDigits(text);
            if (!value || *value < 1 || *value > kQvTypes)
                return;
            r.type = std::to_string(*value);
            r.typeName = QvTypeName(m_state.show().quorvel, *value);
        }
        checkInUse(row);
        break;
    }
    default: return;
    }
    r.edited = true;
    m_changed = true;
}

void TQVDeviceSheet::chooseType(int row, int type)
{
    if (!validRow(row) || type < 1 || type > kQvTypes)
        return;
    TRow& r = m_rows[row - 1];
    r.type = std::to_string(type);
    r.typeName = QvTypeName(m_state.show().quorvel, type);
    r.edited = true;
    m_changed = true;
    checkInUse(row);
}

void TQVDeviceSheet::store()
{
    TQuorvel& q = m_state.show().quorvel;
    for (int d = 1; d <= kQvDevices; ++d) {
        const TRow& r = m_rows[d - 1];
        TQVDevice& device = q.devices[d - 1];
        device.name = r.name.substr(0, 16);
        const int address = ReadDigits(r.address).value_or(0);
        const int type = ReadDigits(r.type).value_or(0);
        device.type = static_cast<std::uint16_t>(type);
        // A device in use always has an address; an untouched unused one keeps its own.
        if (r.edited || type != 0)
            device.address = static_cast<std::uint16_t>(address == 0 ? 1 : address);
        else if (!r.address.empty())
            device.address = static_cast<std::uint16_t>(address);
    }
    if (m_inUse)
        m_state.ui().warning(kMsgQvDeviceInUse);
    m_changed = false;
    m_state.globals.showChanged = 1;
}

bool TQVDeviceSheet::queryClose()
{
    return AskKeepChanges(m_state.ui(), m_changed, kMsgSaveYourChanges, [this] {
        store();
        return true;
    });
}

} // namespace lumora
