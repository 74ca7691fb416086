#include "quorvel/QVPositionSheet.h"

#include "cues/CueListSheet.h"
#include "quorvel/QVActionSheet.h"
#include "quorvel/QVDeviceSheet.h"
#include "show/Bytes.h"

namespace lumora {

namespace {

constexpr long kMaxTenths = 9999;

bool ValidDeviceNumber(int d)
{
    return d >= 1 && d <= kQvDevices;
}

} // namespace

std::string QvPositionCaption(int position)
{
    return "Position #" + std::to_string(position);
}

std::optional<int> ReadPickedPosition(std::string_view text, IUserInterface& ui)
{
    const auto value = QvReadWhole(text);
    if (!value || *value < 1 || *value > kQvPositions) {
        ui.error(kMsgQvPickPosition);
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

TQVPositionSheet::TQVPositionSheet(TEditorState& state) : m_state(state) {}

// ---- Opening and loading

void TQVPositionSheet::open()
{
    m_position = 1;
    m_slotsChanged = m_attrsChanged = false;
    loadSlots();
    m_slotRow = 1;
    showDevice(static_cast<int>(QvReadWhole(m_slots[0].device).value_or(0)));
}

void TQVPositionSheet::loadSlots()
{
    const TQVPosition& position = model();
    const TQuorvel& q = m_state.show().quorvel;
    for (int i = 0; i < kQvSlots; ++i) {
        TSlotRow& row = m_slots[i];
        row = {};
        const int d = position.slotDevices[i];
        if (!ValidDeviceNumber(d)) // 0, or a number no device has
            continue;
        const TQVDevice& device = q.devices[d - 1];
        row.device = std::to_string(d);
        row.name = std::string(TrimText(device.name.view()));
        row.master = std::to_string(position.slotMasters[i]);
        if (device.type >= 1 && device.type <= kQvTypes)
            row.type = std::to_string(device.type);
    }
}

const TQVDevice* TQVPositionSheet::shownDevice() const
{
    if (!ValidDeviceNumber(m_device))
        return nullptr;
    const TQVDevice& device = m_state.show().quorvel.devices[m_device - 1];
    if (device.type < 1 || device.type > kQvTypes || device.address < 1 || device.address >= kQvMapSize)
        return nullptr;
    return &device;
}

void TQVPositionSheet::showDevice(int device)
{
    m_device = device;
    m_attrs = {};
    m_typeCaption.clear();
    const TQVDevice* shown = shownDevice();
    if (!shown)
        return;
    const TQuorvel& q = m_state.show().quorvel;
    const TQVType& type = q.types[shown->type - 1];
    const int a = shown->address;
    m_typeCaption = "QV Type #" + std::to_string(shown->type) + " - " + QvTypeName(q, shown->type);
    const TQVPosition& position = q.positions[m_position - 1];
    for (int i = 1; i <= kQvShownAttributes; ++i) {
        TAttrRow& row = m_attrs[i - 1];
        if (a + i > kQvMapSize || type.attrNames[i - 1].empty())
            continue;
        row.shown = true;
        row.name = type.attrNames[i - 1].str();
        row.source = std::string(QvSourceShownText(type.source[i - 1]));
        row.sixteenBit = type.width[i - 1] != 0;
        row.valueFits = PlaceAttribute(type, shown->address, i).bytes > 0;
        if (row.valueFits)
            row.value = std::to_string(ReadAttribute(position, type, shown->address, i));
        const int index = AttributeMapIndex(shown->address, i);
        if (index >= 0 && position.timeMap[index] != kQvNoTime)
            row.time = QvTenthsText(position.timeMap[index]);
    }
}

// ---- What the grids show

std::string TQVPositionSheet::slotText(int row, TQvSlotColumn column) const
{
    if (!validSlot(row))
        return {};
    const TSlotRow& r = m_slots[row - 1];
    switch (column) {
    case TQvSlotColumn::Device: return r.device;
    case TQvSlotColumn::DeviceName: return r.name;
    case TQvSlotColumn::Master: return r.master;
    case TQvSlotColumn::Type: return r.type;
    case TQvSlotColumn::Count: break;
    }
    return {};
}

std::string TQVPositionSheet::attributeText(int row, TQvAttrColumn column) const
{
    if (!validAttr(row) || !m_attrs[row - 1].shown)
        return {};
    const TAttrRow& r = m_attrs[row - 1];
    switch (column) {
    case TQvAttrColumn::Number: return std::to_string(row);
    case TQvAttrColumn::Name: return r.name;
    case TQvAttrColumn::Source: return r.source;
    case TQvAttrColumn::Width: return r.sixteenBit ? "16 Bit" : "8 Bit";
    case TQvAttrColumn::Value: return r.value;
    case TQvAttrColumn::Time: return r.time;
    case TQvAttrColumn::Count: break;
    }
    return {};
}

bool TQVPositionSheet::attributeShown(int row) const
{
    return validAttr(row) && m_attrs[row - 1].shown;
}

bool TQVPositionSheet::attributeEditable(int row, TQvAttrColumn column) const
{
    if (!attributeShown(row))
        return false;
    return column == TQvAttrColumn::Time || (column == TQvAttrColumn::Value && m_attrs[row - 1].valueFits);
}

bool TQVPositionSheet::attributeSixteenBit(int row) const
{
    return attributeShown(row) && m_attrs[row - 1].sixteenBit;
}

// ---- Edits

bool TQVPositionSheet::editSlot(int row, TQvSlotColumn column, std::string_view text)
{
    if (!validSlot(row))
        return false;
    TSlotRow& r = m_slots[row - 1];
    const bool empty = TrimText(text).empty();
    const auto value = empty ? std::optional<long>(0) : QvReadWhole(text);
    if (column == TQvSlotColumn::Master) {
        if (!value || *value > 255) {
            m_state.ui().warning(kMsgQvMasterNumber);
            return false;
        }
        r.master = empty ? std::string() : std::to_string(*value);
        m_slotsChanged = true;
        return true;
    }
    if (column != TQvSlotColumn::Device)
        return false;
    if (!value || *value > kQvDevices) {
        m_state.ui().warning(kMsgQvDeviceNumber);
        return false;
    }
    const int d = static_cast<int>(*value);
    m_slotsChanged = true;
    if (d < 1) {
        r = {};
    } else {
        const TQVDevice& device = m_state.show().quorvel.devices[d - 1];
        r.device = std::to_string(d);
        r.name = std::string(TrimText(device.name.view()));
        r.type = device.type >= 1 && device.type <= kQvTypes ? std::to_string(device.type) : std::string();
    }
    if (row == m_slotRow && d != m_device) {
        // The attributes on show belong to the device being replaced.
        askToSave(false);
        showDevice(d);
    }
    return true;
}

bool TQVPositionSheet::editAttribute(int row, TQvAttrColumn column, std::string_view text)
{
    if (!attributeEditable(row, column))
        return false;
    TAttrRow& r = m_attrs[row - 1];
    const bool empty = TrimText(text).empty();
    if (column == TQvAttrColumn::Value) {
        const auto value = empty ? std::optional<long>(0) : QvReadWhole(text);
        if (!value || *value > (r.sixteenBit ? 65535 : 255)) {
            m_state.ui().warning(kMsgQvValueNumber);
            return false;
        }
        r.value = empty ? std::string() : std::to_string(*value);
    } else {
        const auto tenths = empty ? std::optional<std::uint16_t>() : QvReadTenths(text);
        if (!empty && (!tenths || *tenths > kMaxTenths)) {
            m_state.ui().warning(kMsgQvTimeEntry);
            return false;
        }
        r.time = empty ? std::string() : QvTenthsText(*tenths);
    }
    m_attrsChanged = true;
    return true;
}

bool TQVPositionSheet::selectSlotRow(int row)
{
    if (!validSlot(row) || row == m_slotRow)
        return true;
    if (!askToSave(false))
        return false;
    m_slotRow = row;
    showDevice(static_cast<int>(QvReadWhole(m_slots[row - 1].device).value_or(0)));
    return true;
}

// ---- Save questions and changing the position

bool TQVPositionSheet::askToSave(bool slotEdits)
{
    const bool slots = slotEdits && m_slotsChanged;
    if (!slots && !m_attrsChanged)
        return true;
    if (!m_state.ui().askYesNo(kMsgSaveYourChanges, IUserInterface::Icon::Confirmation))
        return true; // the flags stay: the question comes again
    if (slots) {
        storeSlots();
        m_slotsChanged = false;
    }
    if (m_attrsChanged) {
        if (!storeAttributes())
            return false;
        m_attrsChanged = false;
    }
    return true;
}

bool TQVPositionSheet::goToPosition(int position)
{
    if (position < 1 || position > kQvPositions)
        return false;
    if (!askToSave(true))
        return false;
    m_position = position;
    loadSlots();
    m_slotRow = 1;
    showDevice(static_cast<int>(QvReadWhole(m_slots[0].device).value_or(0)));
    return true;
}

bool TQVPositionSheet::queryClose()
{
    return askToSave(true);
}

// ---- Storing

void TQVPositionSheet::storeSlots()
{
    TQVPosition& position = model();
    for (int i = 0; i < kQvSlots; ++i) {
        const TSlotRow& row = m_slots[i];
        const auto device = QvReadWhole(row.device);
        if (!device || *device == 0 || *device > kQvDevices) {
            position.slotDevices[i] = 0;
            continue;
        }
        position.slotDevices[i] = static_cast<std::uint8_t>(*device);
        if (const auto master = QvReadWhole(row.master); master && *master <= 255)
            position.slotMasters[i] = static_cast<std::uint8_t>(*master);
    }
    m_state.globals.showChanged = 1;
}

bool TQVPositionSheet::storeAttributes()
{
    const TQVDevice* device = shownDevice();
    if (!device) {
        m_state.ui().error(kMsgQvMissingAddress);
        return false;
    }
    const TQVType& type = m_state.show().quorvel.types[device->type - 1];
    TQVPosition& position = model();
    for (int i = 1; i <= kQvShownAttributes && device->address + i <= kQvMapSize; ++i) {
        const TAttrRow& row = m_attrs[i - 1];
        if (!row.shown)
            continue;
        const auto value = static_cast<std::uint16_t>(QvReadWhole(row.value).value_or(0));
        const auto time = row.time.empty() ? kQvNoTime : QvReadTenths(row.time).value_or(0);
        // A value that does not fit the map is left out; its width flag and time are not.
        StoreAttribute(position, type, device->address, i, value, time);
    }
    m_state.globals.showChanged = 1;
    return true;
}

} // namespace lumora
