#pragma once

// What the QV position editor and the position picker do, apart from their widgets:
// the 20 slots of the current position as texts (device, its name, master, its type),
// the attributes of the selected slot's device placed in the position's maps by the
// shared placement helper (Quorvel.h), the checks of every entry with their warnings,
// the save questions, and storing slots and attributes into the show.
//
// Showing a device writes nothing into the show; only a store does.

#include "quorvel/Quorvel.h"
#include "show/EditorState.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// ---- Texts the position editor and the picker show

inline constexpr const char kQvPositionCaption[] = "QV Position";
inline constexpr int kQvPositionHelpTopic = 240;
inline constexpr const char kQvGoToPosition[] = "Go to position ...";
inline constexpr const char kMsgQvPickPosition[] = "Please enter a number between 1 and 100.";
inline constexpr const char kMsgQvDeviceNumber[] = "Please be sure to enter a valid Device number between 1 and 40.";
inline constexpr const char kMsgQvMasterNumber[] = "Please be sure to enter a valid Master number between 0 and 255.";
inline constexpr const char kMsgQvValueNumber[] =
    "Please be sure to enter a valid number for Value.\r\r8-Bit   0-255\r16-Bit  0-65535";
inline constexpr const char kMsgQvTimeEntry[] =
    "Please be sure to enter a valid Time between 0 and 999.9 \ror leave the entry blank for a null value.";
inline constexpr const char kMsgQvMissingAddress[] =
    "The QV device is missing a device address.\rUnable to save any changes.";

// "Position #12"
std::string QvPositionCaption(int position);
// The picker's OK: a whole number 1..100, else the error box and nothing.
std::optional<int> ReadPickedPosition(std::string_view text, IUserInterface& ui);

// ---- The grids' columns, from 0 as the grids count them

enum class TQvSlotColumn : int { Device, DeviceName, Master, Type, Count };
inline constexpr int kQvSlotColumnCount = static_cast<int>(TQvSlotColumn::Count);
enum class TQvAttrColumn : int { Number, Name, Source, Width, Value, Time, Count };
inline constexpr int kQvAttrColumnCount = static_cast<int>(TQvAttrColumn::Count);
inline constexpr int kQvShownAttributes = 25;

class TQVPositionSheet final {
public:
    explicit TQVPositionSheet(TEditorState& state);

    // ---- Opening: position 1, slot 1's device shown, no flags
    void open();
    int position() const { return m_position; }
    std::string caption() const { return QvPositionCaption(m_position); }
    bool canGoLeft() const { return m_position > 1; }
    bool canGoRight() const { return m_position < kQvPositions; }
    int slotRow() const { return m_slotRow; }
    int currentDevice() const { return m_device; }
    bool slotsChanged() const { return m_slotsChanged; }
    bool attributesChanged() const { return m_attrsChanged; }

    // ---- What the slot grid shows (rows 1..20)
    std::string slotText(int row, TQvSlotColumn column) const;

    // ---- What the attribute grid shows (rows 1..25)
    // "QV Type #2 - Spot", or empty when no device is shown.
    std::string typeCaption() const { return m_typeCaption; }
    std::string attributeText(int row, TQvAttrColumn column) const;
    // A row of a named attribute of the shown device that lies within the maps.
    bool attributeShown(int row) const;
    // Whether a cell takes entries: Value only where the value fits the value map, Time
    // in every shown row, nothing else.
    bool attributeEditable(int row, TQvAttrColumn column) const;
    bool attributeSixteenBit(int row) const;

    // ---- Edits: each refused entry shows its warning and returns false
    bool editSlot(int row, TQvSlotColumn column, std::string_view text);
    bool editAttribute(int row, TQvAttrColumn column, std::string_view text);
    // Another slot row selected: asks about attribute edits, then shows its device.
    // False when the question's store failed (the row stays).
    bool selectSlotRow(int row);

    // ---- Changing the position (arrows, picker): asks about slot and attribute edits;
    // false when a store failed and the position stays.
    bool goToPosition(int position);

    // ---- Storing into the show
    void storeSlots();
    // False (with its message) when the device has no address 1..1023.
    bool storeAttributes();

    // ---- Closing: true when the window may close
    bool queryClose();

private:
    struct TSlotRow {
        std::string device, name, master, type;
    };
    struct TAttrRow {
        bool shown = false;
        bool valueFits = false;
        bool sixteenBit = false;
        std::string name, source, value, time;
    };

    TQVPosition& model() { return m_state.show().quorvel.positions[m_position - 1]; }
    void loadSlots();
    void showDevice(int device);
    // The question before what is shown is replaced; slotEdits: slot edits count too.
    bool askToSave(bool slotEdits);
    // Device number, type and address of the shown device, or nothing when none is.
    const TQVDevice* shownDevice() const;
    bool validSlot(int row) const { return row >= 1 && row <= kQvSlots; }
    bool validAttr(int row) const { return row >= 1 && row <= kQvShownAttributes; }

    TEditorState& m_state;
    int m_position = 1;
    int m_slotRow = 1;
    int m_device = 0;
    std::array<TSlotRow, kQvSlots> m_slots;
    std::array<TAttrRow, kQvShownAttributes> m_attrs;
    std::string m_typeCaption;
    bool m_slotsChanged = false;
    bool m_attrsChanged = false;
};

} // namespace lumora
