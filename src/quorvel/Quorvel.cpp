#include "quorvel/Quorvel.h"

#include "show/Bytes.h"
#include "show/ValueHelpers.h"

#include <algorithm>

namespace lumora {

namespace {

// ---- Setup block: types, then devices, then actions; its last 72 bytes are unused.

constexpr std::size_t kTypesOffset = 0;
constexpr std::size_t kDevicesOffset = kTypesOffset + kQvTypes * kQvTypeRecordSize;       // 3560
constexpr std::size_t kActionsOffset = kDevicesOffset + kQvDevices * kQvDeviceRecordSize; // 5960
constexpr std::size_t kSetupUsed = kActionsOffset + kQvActions * kQvActionRecordSize;     // 18360
static_assert(kDevicesOffset == 3560 && kActionsOffset == 5960 && kSetupUsed + 72 == kQvSetupSize);

// Type record: names padded with spaces, no length bytes.
constexpr std::size_t kTypeNameWidth = 16;
constexpr std::size_t kAttrNameWidth = 8;
constexpr std::size_t kTypeName = 0;
constexpr std::size_t kTypeAttrNames = 16;
constexpr std::size_t kTypeSource = kTypeAttrNames + kQvAttributes * kAttrNameWidth; // 328
constexpr std::size_t kTypeWidth = kTypeSource + kQvAttributes;                      // 367
constexpr std::size_t kTypeMastering = kTypeWidth + kQvAttributes;                   // 406
static_assert(kTypeSource == 328 && kTypeMastering + kQvAttributes == kQvTypeRecordSize);

// Device record: type and address are stored minus one, so "none" (0) is FF FF.
constexpr std::size_t kDeviceName = 0;
constexpr std::size_t kDeviceType = 16;
constexpr std::size_t kDeviceAddress = 18;
constexpr std::size_t kDeviceSpare = 20;
static_assert(kDeviceSpare + 20 * 2 == kQvDeviceRecordSize);

// Action record, all 16-bit.
constexpr std::size_t kActionTimes = 0;
constexpr std::size_t kActionDelays = kActionTimes + kQvSteps * 2;
constexpr std::size_t kActionPositions = kActionDelays + kQvSteps * 2;
constexpr std::size_t kActionSingleStep = kActionPositions + kQvSteps * 2; // 120
constexpr std::size_t kActionLoops = kActionSingleStep + 2;                // 122
static_assert(kActionLoops + 2 == kQvActionRecordSize);

// Position record.
constexpr std::size_t kPosValueMap = 0;
constexpr std::size_t kPosWidthMap = kPosValueMap + kQvMapSize;
constexpr std::size_t kPosTimeMap = kPosWidthMap + kQvMapSize;
constexpr std::size_t kPosSlotDevices = kPosTimeMap + kQvMapSize * 2; // 4096
constexpr std::size_t kPosSlotMasters = kPosSlotDevices + kQvSlots;   // 4116
static_assert(kPosSlotMasters + kQvSlots == kQvPositionRecordSize);
static_assert(kQvPositions * kQvPositionRecordSize == kQvPositionSize);

// Only the first 25 attributes of a type take part in a position.
constexpr int kPlacedAttributes = 25;

// Names fill their field, padded with spaces on the right; a longer name is cut.
void PutName16(ByteSpan bytes, std::size_t offset, std::string_view name)
{
    PutText(bytes, offset, kTypeNameWidth, PadRight16(name));
}

void PutName8(ByteSpan bytes, std::size_t offset, std::string_view name)
{
    PutText(bytes, offset, kAttrNameWidth, PadRight8(name));
}

template <std::size_t N> void PutBytes(ByteSpan bytes, std::size_t offset, const std::array<std::uint8_t, N>& values)
{
    std::copy(values.begin(), values.end(), bytes.begin() + offset);
}

template <std::size_t N> void GetBytes(ConstByteSpan bytes, std::size_t offset, std::array<std::uint8_t, N>& values)
{
    std::copy_n(bytes.begin() + offset, N, values.begin());
}

template <std::size_t N> void PutWords(ByteSpan bytes, std::size_t offset, const std::array<std::uint16_t, N>& values)
{
    for (std::size_t i = 0; i < N; ++i)
        PutLE16(bytes, offset + 2 * i, values[i]);
}

template <std::size_t N> void GetWords(ConstByteSpan bytes, std::size_t offset, std::array<std::uint16_t, N>& values)
{
    for (std::size_t i = 0; i < N; ++i)
        values[i] = GetLE16(bytes, offset + 2 * i);
}

bool IsSixteenBit(const TQVType& type, int attribute)
{
    return type.width[attribute - 1] != 0;
}
bool IsNamed(const TQVType& type, int attribute)
{
    return !type.attrNames[attribute - 1].empty();
}

// ---- Source list

constexpr std::array<std::string_view, kQvSources> kSourceMenuTexts = {
    "<None>",   "X",        "Y",        "A Page 1", "B Page 1", "C Page 1", "D Page 1", "E Page 1", "F Page 1",
    "G Page 1", "H Page 1", "A Page 2", "B Page 2", "C Page 2", "D Page 2", "E Page 2", "F Page 2", "G Page 2",
    "H Page 2", "A Page 3", "B Page 3", "C Page 3", "D Page 3", "E Page 3", "F Page 3", "G Page 3", "H Page 3"};

// The first page's sources are shown by their letter alone.
constexpr std::array<std::string_view, kQvSources> kSourceShownTexts = {
    "",         "X",        "Y",        "A",        "B",        "C",        "D",        "E",        "F",
    "G",        "H",        "A Page 2", "B Page 2", "C Page 2", "D Page 2", "E Page 2", "F Page 2", "G Page 2",
    "H Page 2", "A Page 3", "B Page 3", "C Page 3", "D Page 3", "E Page 3", "F Page 3", "G Page 3", "H Page 3"};

} // namespace

void ResetQuorvel(TQuorvel& quorvel)
{
    quorvel = TQuorvel{};
}

// ---- Source list

std::string_view QvSourceMenuText(int index)
{
    return index >= 0 && index < kQvSources ? kSourceMenuTexts[index] : std::string_view("");
}

std::string_view QvSourceShownText(int index)
{
    return index >= 0 && index < kQvSources ? kSourceShownTexts[index] : std::string_view("");
}

int QvSourceFromShownText(std::string_view text)
{
    const auto it = std::find(kSourceShownTexts.begin(), kSourceShownTexts.end(), text);
    return it == kSourceShownTexts.end() ? 0 : static_cast<int>(it - kSourceShownTexts.begin());
}

// ---- Placing attributes

TQVPlacement PlaceAttribute(const TQVType& type, std::uint16_t address, int attribute)
{
    if (address == 0 || attribute < 1 || attribute > kPlacedAttributes || !IsNamed(type, attribute))
        return {};
    // The values of the named attributes before this one sit packed ahead of it.
    int offset = 0;
    for (int k = 1; k < attribute; ++k)
        if (IsNamed(type, k))
            offset += IsSixteenBit(type, k) ? 2 : 1;
    const int index = address - 1 + offset;
    const int bytes = IsSixteenBit(type, attribute) ? 2 : 1;
    if (index + bytes > kQvMapSize)
        return {};
    return {index, bytes};
}

int AttributeMapIndex(std::uint16_t address, int attribute)
{
    if (address == 0 || attribute < 1 || attribute > kPlacedAttributes)
        return -1;
    const int index = address - 1 + (attribute - 1);
    return index < kQvMapSize ? index : -1;
}

bool StoreAttribute(TQVPosition& position, const TQVType& type, std::uint16_t address, int attribute,
                    std::uint16_t value, std::uint16_t time)
{
    if (address == 0 || attribute < 1 || attribute > kPlacedAttributes || !IsNamed(type, attribute))
        return false;
    bool placed = false;
    const TQVPlacement place = PlaceAttribute(type, address, attribute);
    if (place.bytes == 2) {
        position.valueMap[place.index] = static_cast<std::uint8_t>(value & 0xFF);
        position.valueMap[place.index + 1] = static_cast<std::uint8_t>(value >> 8);
        placed = true;
    } else if (place.bytes == 1) {
        position.valueMap[place.index] = static_cast<std::uint8_t>(value & 0xFF);
        placed = true;
    }
    const int index = AttributeMapIndex(address, attribute);
    if (index >= 0) {
        position.widthMap[index] = IsSixteenBit(type, attribute) ? 1 : 0;
        position.timeMap[index] = time;
        placed = true;
    }
    return placed;
}

std::uint16_t ReadAttribute(const TQVPosition& position, const TQVType& type, std::uint16_t address, int attribute)
{
    const TQVPlacement place = PlaceAttribute(type, address, attribute);
    if (place.bytes == 2)
        return static_cast<std::uint16_t>(position.valueMap[place.index] | (position.valueMap[place.index + 1] << 8));
    if (place.bytes == 1)
        return position.valueMap[place.index];
    return 0;
}

// ---- Setup block

void UnpackQuorvelSetup(TQuorvel& quorvel, std::span<const std::uint8_t, kQvSetupSize> setup)
{
    for (int t = 0; t < kQvTypes; ++t) {
        TQVType& type = quorvel.types[t];
        const std::size_t at = kTypesOffset + t * kQvTypeRecordSize;
        type.name = TrimText(GetText(setup, at + kTypeName, kTypeNameWidth));
        for (int k = 0; k < kQvAttributes; ++k)
            type.attrNames[k] = TrimText(GetText(setup, at + kTypeAttrNames + k * kAttrNameWidth, kAttrNameWidth));
        GetBytes(setup, at + kTypeSource, type.source);
        GetBytes(setup, at + kTypeWidth, type.width);
        GetBytes(setup, at + kTypeMastering, type.mastering);
    }
    for (int d = 0; d < kQvDevices; ++d) {
        TQVDevice& device = quorvel.devices[d];
        const std::size_t at = kDevicesOffset + d * kQvDeviceRecordSize;
        device.name = TrimText(GetText(setup, at + kDeviceName, kTypeNameWidth));
        // Stored minus one: FF FF wraps round to 0, "none".
        device.type = static_cast<std::uint16_t>(GetLE16(setup, at + kDeviceType) + 1);
        device.address = static_cast<std::uint16_t>(GetLE16(setup, at + kDeviceAddress) + 1);
        GetWords(setup, at + kDeviceSpare, device.spare);
    }
    for (int n = 0; n < kQvActions; ++n) {
        TQVAction& action = quorvel.actions[n];
        const std::size_t at = kActionsOffset + n * kQvActionRecordSize;
        GetWords(setup, at + kActionTimes, action.times);
        GetWords(setup, at + kActionDelays, action.delays);
        GetWords(setup, at + kActionPositions, action.positions);
        action.singleStep = GetLE16(setup, at + kActionSingleStep);
        action.loops = GetLE16(setup, at + kActionLoops);
    }
}

void CompileQuorvelSetup(const TQuorvel& quorvel, std::span<std::uint8_t, kQvSetupSize> setup)
{
    for (int t = 0; t < kQvTypes; ++t) {
        const TQVType& type = quorvel.types[t];
        const std::size_t at = kTypesOffset + t * kQvTypeRecordSize;
        PutName16(setup, at + kTypeName, type.name.view());
        for (int k = 0; k < kQvAttributes; ++k)
            PutName8(setup, at + kTypeAttrNames + k * kAttrNameWidth, type.attrNames[k].view());
        PutBytes(setup, at + kTypeSource, type.source);
        PutBytes(setup, at + kTypeWidth, type.width);
        PutBytes(setup, at + kTypeMastering, type.mastering);
    }
    for (int d = 0; d < kQvDevices; ++d) {
        const TQVDevice& device = quorvel.devices[d];
        const std::size_t at = kDevicesOffset + d * kQvDeviceRecordSize;
        PutName16(setup, at + kDeviceName, device.name.view());
        PutLE16(setup, at + kDeviceType, static_cast<std::uint16_t>(device.type - 1));
        PutLE16(setup, at + kDeviceAddress, static_cast<std::uint16_t>(device.address - 1));
        // The spare words (bytes 20..59) are the console's: they keep what the image held.
    }
    for (int n = 0; n < kQvActions; ++n) {
        const TQVAction& action = quorvel.actions[n];
        const std::size_t at = kActionsOffset + n * kQvActionRecordSize;
        PutWords(setup, at + kActionTimes, action.times);
        PutWords(setup, at + kActionDelays, action.delays);
        PutWords(setup, at + kActionPositions, action.positions);
        PutLE16(setup, at + kActionSingleStep, action.singleStep);
        PutLE16(setup, at + kActionLoops, action.loops);
    }
}

// ---- Position block

void StoreQuorvelDeviceSpares(const TQuorvel& quorvel, std::span<std::uint8_t, kQvSetupSize> setup)
{
    for (int d = 0; d < kQvDevices; ++d) {
        const std::size_t at = kDevicesOffset + static_cast<std::size_t>(d) * kQvDeviceRecordSize + kDeviceSpare;
        for (std::size_t w = 0; w < quorvel.devices[d].spare.size(); ++w)
            PutLE16(setup, at + 2 * w, quorvel.devices[d].spare[w]);
    }
}

void UnpackQuorvelPositions(TQuorvel& quorvel, std::span<const std::uint8_t, kQvPositionSize> block)
{
    for (int p = 0; p < kQvPositions; ++p) {
        TQVPosition& position = quorvel.positions[p];
        const std::size_t at = p * kQvPositionRecordSize;
        GetBytes(block, at + kPosValueMap, position.valueMap);
        GetBytes(block, at + kPosWidthMap, position.widthMap);
        GetWords(block, at + kPosTimeMap, position.timeMap);
        GetBytes(block, at + kPosSlotDevices, position.slotDevices);
        GetBytes(block, at + kPosSlotMasters, position.slotMasters);
    }
}

void CompileQuorvelPositions(const TQuorvel& quorvel, std::span<std::uint8_t, kQvPositionSize> block)
{
    for (int p = 0; p < kQvPositions; ++p) {
        const TQVPosition& position = quorvel.positions[p];
        const std::size_t at = p * kQvPositionRecordSize;
        PutBytes(block, at + kPosValueMap, position.valueMap);
        PutBytes(block, at + kPosWidthMap, position.widthMap);
        PutWords(block, at + kPosTimeMap, position.timeMap);
        PutBytes(block, at + kPosSlotDevices, position.slotDevices);
        PutBytes(block, at + kPosSlotMasters, position.slotMasters);
    }
}

} // namespace lumora
