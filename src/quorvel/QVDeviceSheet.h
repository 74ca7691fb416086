#pragma once

// What the QV device editor does, apart from its widgets: the 40 devices as rows of
// texts (name, address, type number and the type's name), the rules applied when a
// cell is left, the type menu, and storing the rows into the show with the in-use
// warning. The texts are the user's until they are stored.

#include "quorvel/Quorvel.h"
#include "show/EditorState.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- Texts the device editor shows

inline constexpr const char kQvDeviceCaption[] = "QV Device Setup";
inline constexpr int kQvDeviceHelpTopic = 220;
inline constexpr const char kQvDeviceTypesHint[] = "Right-click for list of available types";
inline constexpr const char kMsgQvDeviceInUse[] =
    "You have made a change to 1 or more QV Devices that are currently used by a QV Position in the show.\r\r"
    "Please be sure to check your \"Level\" and \"Time\" entries at the QV Position screen.";

// ---- The grid's columns, from 0 as the grid counts them

enum class TQvDeviceColumn : int { Device, Name, Address, Type, TypeName, Count };
inline constexpr int kQvDeviceColumnCount = static_cast<int>(TQvDeviceColumn::Count);

// The trimmed name of type 1..8; empty for any other number.
std::string QvTypeName(const TQuorvel& quorvel, int type);

class TQVDeviceSheet final {
public:
    explicit TQVDeviceSheet(TEditorState& state);

    // ---- Opening: the rows from the show, both flags cleared, row 1 current
    void open();
    bool changed() const { return m_changed; }
    bool inUse() const { return m_inUse; }
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);

    // ---- What the grid shows (rows 1..40)
    std::string cellText(int row, TQvDeviceColumn column) const;
    // The type menu: "1" .. "8", or "3 - Spot" for named types once a show was loaded.
    std::array<std::string, kQvTypes> typeMenu() const;

    // ---- Edits
    // The text a cell was left with. An address that is empty or 0 becomes 1; an address
    // outside 1..1023 or a type outside 1..8 is refused (the cell keeps its text).
    void editCell(int row, TQvDeviceColumn column, std::string_view text);
    // A type chosen from the menu, 1..8.
    void chooseType(int row, int type);

    // ---- Storing the rows into the show, with the in-use warning
    void store();
    // ---- Closing: true when the window may close
    bool queryClose();

private:
    struct TRow {
        std::string name, address, type, typeName;
        bool edited = false;
    };
    bool validRow(int row) const { return row >= 1 && row <= kQvDevices; }
    void checkInUse(int row);

    TEditorState& m_state;
    std::array<TRow, kQvDevices> m_rows;
    int m_current = 1;
    bool m_changed = false;
    bool m_inUse = false;
};

} // namespace lumora
