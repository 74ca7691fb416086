#pragma once

// Quorvel device control: QV types, devices, actions and positions.

#include "show/ShortString.h"
#include "show/ShowImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace lumora {

inline constexpr int kQvTypes = 8;
inline constexpr int kQvAttributes = 39;
inline constexpr int kQvDevices = 40;
inline constexpr int kQvActions = 100;
inline constexpr int kQvPositions = 100;
inline constexpr int kQvSteps = 20;
inline constexpr int kQvSlots = 20;
inline constexpr int kQvMapSize = 1024;
inline constexpr std::uint16_t kQvLoopsContinuous = 0xFFFF;
inline constexpr std::uint16_t kQvNoTime = 0xFFFF;

struct TQVType {
    TShortString<16> name; // empty = type not defined
    std::array<TShortString<8>, kQvAttributes> attrNames{};
    std::array<std::uint8_t, kQvAttributes> source{};    // index into the source list, 0..26
    std::array<std::uint8_t, kQvAttributes> width{};     // 0 = 8 bit, 1 = 16 bit
    std::array<std::uint8_t, kQvAttributes> mastering{}; // 0 none, 1 Straight, 2 Inverted

    friend bool operator==(const TQVType&, const TQVType&) = default;
};

struct TQVDevice {
    TShortString<16> name;
    std::uint16_t type = 0;    // 1..8, 0 = none
    std::uint16_t address = 0; // DMX start address 1..1023, 0 = none
    std::array<std::uint16_t, 20> spare{};

    friend bool operator==(const TQVDevice&, const TQVDevice&) = default;
};

struct TQVAction {
    std::array<std::uint16_t, kQvSteps> times{};     // tenths of a second
    std::array<std::uint16_t, kQvSteps> delays{};    // tenths of a second
    std::array<std::uint16_t, kQvSteps> positions{}; // 1..100, 0 = step unused
    std::uint16_t singleStep = 0;                    // 0 No, 1 Yes
    std::uint16_t loops = 0;                         // 0xFFFF = continuous

    friend bool operator==(const TQVAction&, const TQVAction&) = default;
};

struct TQVPosition {
    std::array<std::uint8_t, kQvMapSize> valueMap{};  // by DMX address - 1
    std::array<std::uint8_t, kQvMapSize> widthMap{};  // by address - 1 + attribute - 1
    std::array<std::uint16_t, kQvMapSize> timeMap{};  // same index; 0xFFFF = no time
    std::array<std::uint8_t, kQvSlots> slotDevices{}; // 0 = empty slot
    std::array<std::uint8_t, kQvSlots> slotMasters{};

    friend bool operator==(const TQVPosition&, const TQVPosition&) = default;
};

struct TQuorvel {
    std::array<TQVType, kQvTypes> types{};
    std::array<TQVDevice, kQvDevices> devices{};
    std::array<TQVAction, kQvActions> actions{};
    std::array<TQVPosition, kQvPositions> positions{};

    TQVType& type(int n) { return types[n - 1]; }
    TQVDevice& device(int n) { return devices[n - 1]; }
    TQVAction& action(int n) { return actions[n - 1]; }
    TQVPosition& position(int n) { return positions[n - 1]; }

    friend bool operator==(const TQuorvel&, const TQuorvel&) = default;
};

void ResetQuorvel(TQuorvel& quorvel);

// ---- Source list (27 entries)

inline constexpr int kQvSources = 27;
// Both texts are empty for an index outside 0..26 (a source byte as loaded is not checked).
std::string_view QvSourceMenuText(int index);     // "<None>", "X", "Y", "A Page 1" ...
std::string_view QvSourceShownText(int index);    // "", "X", "Y", "A" .. "H", "A Page 2" ...
int QvSourceFromShownText(std::string_view text); // 0 when none matches

// ---- Placing a device's attribute values in a position's maps.
//
// Only attributes 1..25 of a type take part. Their values are packed into the value
// map from index address - 1 on, in attribute order, one byte for an 8-bit attribute
// and two (low byte first) for a 16-bit one; unnamed attributes take no room. The width
// flag and time of attribute k sit at index address - 1 + (k - 1) of the width and time
// maps, whatever the widths before it. A device address of 0 means no device.

// One attribute value to place: the attribute number (1..25) and its value
// (0..255 for 8 bit, 0..65535 for 16 bit).
struct TQVAttributeValue {
    int attribute = 0;
    std::uint16_t value = 0;
};

// Where attribute k of a device lands in the value map: the first index and the
// number of bytes (1 or 2). {0, 0} when the address is 0, the attribute is unnamed
// or outside 1..25, or any of its bytes would fall beyond the end of the map.
struct TQVPlacement {
    int index = 0;
    int bytes = 0;
};
TQVPlacement PlaceAttribute(const TQVType& type, std::uint16_t address, int attribute);

// Index of attribute k's width flag and time: address - 1 + (k - 1), or -1 when the
// address is 0, k is outside 1..25, or the index is beyond the end of the maps.
int AttributeMapIndex(std::uint16_t address, int attribute);

// Writes the value, width flag and time of one named attribute of a device into a
// position. The value goes where PlaceAttribute says (8-bit attributes keep the low
// byte); width flag and time where AttributeMapIndex says; each part only when it
// lies inside the maps. Returns false when nothing was placed.
bool StoreAttribute(TQVPosition& position, const TQVType& type, std::uint16_t address, int attribute,
                    std::uint16_t value, std::uint16_t time);
// Reads back the value placed for an attribute (0 when it has no place).
std::uint16_t ReadAttribute(const TQVPosition& position, const TQVType& type, std::uint16_t address, int attribute);

// ---- Section conversion

inline constexpr std::size_t kQvTypeRecordSize = 445;
inline constexpr std::size_t kQvDeviceRecordSize = 60;
inline constexpr std::size_t kQvActionRecordSize = 124;
inline constexpr std::size_t kQvPositionRecordSize = 4136;

// Setup block: types, devices, actions (no reset; every field is overwritten). The
// compile leaves the devices' spare words and the block's last 72 bytes as they were.
void UnpackQuorvelSetup(TQuorvel& quorvel, std::span<const std::uint8_t, kQvSetupSize> setup);
void CompileQuorvelSetup(const TQuorvel& quorvel, std::span<std::uint8_t, kQvSetupSize> setup);
// The device spare values, which no compile writes (they travel with the image): for
// tools that rebuild an image from a full description of the model.
void StoreQuorvelDeviceSpares(const TQuorvel& quorvel, std::span<std::uint8_t, kQvSetupSize> setup);
// Position block: positions.
void UnpackQuorvelPositions(TQuorvel& quorvel, std::span<const std::uint8_t, kQvPositionSize> block);
void CompileQuorvelPositions(const TQuorvel& quorvel, std::span<std::uint8_t, kQvPositionSize> block);

} // namespace lumora
