#pragma once

// What the QV type editor does, apart from its widgets: one of the 8 QV types in the
// window at a time (its name and the 39 attributes' name, width, mastering and source),
// the pop-up menu and double-click changes, storing into the show with the in-use
// warning, moving between types, and the window's side of the type file (.qvt).
//
// The window's contents are a working copy of the type: the show's type changes only
// when the user keeps the changes, and an imported file lands in the working copy too.

#include "quorvel/Quorvel.h"
#include "show/EditorState.h"

#include <array>
#include <string>
#include <string_view>

namespace lumora {

// ---- Texts the type editor shows

inline constexpr const char kQvTypeCaption[] = "QV Type Setup";
inline constexpr int kQvTypeHelpTopic = 210;
inline constexpr const char kQvTypeFileFilter[] = "QV Type Files (*.qvt)";
inline constexpr const char kQvTypeFileExtension[] = "qvt";
inline constexpr const char kQvTypeSaveTitle[] = "Save QV Type File";
inline constexpr const char kMsgOverwriteExistingFile[] = "Overwrite existing file?";
inline constexpr const char kMsgQvTypeInUse[] =
    "This QV Type is currently used by a QV Position in the show.\r\rPlease be sure to update your \"Level\" "
    "entries at the QV Position screen.";
inline constexpr const char kQvTypeRightClickHint[] = "* Right click to change";
inline constexpr const char kQvWidth8[] = "8 Bit";
inline constexpr const char kQvWidth16[] = "16 Bit";
inline constexpr const char kQvStraight[] = "Straight";
inline constexpr const char kQvInverted[] = "Inverted";
inline constexpr const char kQvMasteringNone[] = "(None)";

// "Type # 3"
std::string QvTypeCaption(int type);
// Texts of the type data as the windows and reports show them.
std::string_view QvWidthText(std::uint8_t width);         // "16 Bit" for nonzero, else "8 Bit"
std::string_view QvMasteringText(std::uint8_t mastering); // "Straight", "Inverted", else ""

// True when a slot of some position names a device 1..40 of this type.
bool QvTypeInUse(const TQuorvel& quorvel, int type);
// True when a slot of some position names this device.
bool QvDeviceInUse(const TQuorvel& quorvel, int device);

// ---- The grid's columns, from 0 as the grid counts them

enum class TQvTypeColumn : int { Attribute, Name, Width, Mastering, Source, Count };
inline constexpr int kQvTypeColumnCount = static_cast<int>(TQvTypeColumn::Count);

class TQVTypeSheet final {
public:
    explicit TQVTypeSheet(TEditorState& state);

    // ---- Opening: both flags cleared, type 1 in the window
    void open();
    int currentType() const { return m_type; }
    bool changed() const { return m_changed; }
    bool widthChanged() const { return m_widthChanged; }
    // What the window holds now (the name as typed, not yet padded).
    const TQVType& working() const { return m_work; }

    // ---- What the window shows (rows 1..39)
    std::string cellText(int row, TQvTypeColumn column) const;
    std::string name() const { return m_name; }
    std::string caption() const { return QvTypeCaption(m_type); }
    bool canGoLeft() const { return m_type > 1; }
    bool canGoRight() const { return m_type < kQvTypes; }

    // ---- Edits (each that changes something sets the changed flag)
    // The name field's text (at most 16 characters are kept).
    void setName(std::string_view text);
    // A Name cell's text (at most 8 characters).
    void editAttributeName(int row, std::string_view text);
    // The pop-up menus: width 0/1, mastering 0..2, source 0..26.
    void chooseWidth(int row, int width);
    void chooseMastering(int row, int mastering);
    void chooseSource(int row, int source);
    // A double-click on a cell: Width toggles, Mastering steps round; others nothing.
    void doubleClick(int row, TQvTypeColumn column);

    // ---- Storing into the show's type, with the in-use warning
    void store();
    // The type the window holds, as a store would write it.
    TQVType stored() const;

    // ---- Moving: asks to save when changed; false when the user cancels
    bool move(int delta);
    // ---- Closing: true when the window may close
    bool queryClose();

    // ---- The type file
    // The caption of the open dialog: Overwrite Type "name"? or Overwrite Type # 3?
    std::string importTitle() const;
    // A picked file whose name (without folder) is this short is ignored.
    static bool usableFileName(std::string_view path);
    // Reads the file into the window (not the show); on any fault shows
    // "Error Importing QVT File." and changes nothing. True when imported.
    bool importFile(const std::string& path);
    // The record Save writes: the window's contents when changed, else the show's type.
    TQVType recordToSave() const;
    // Writes the file (the caller has asked about overwriting); on failure shows
    // "Error Saving QVT File.". The show is not changed.
    bool saveFile(const std::string& path);

private:
    void load();
    void take(const TQVType& type);
    TQVType& model() { return m_state.show().quorvel.type(m_type); }

    TEditorState& m_state;
    int m_type = 1;
    TQVType m_work;
    std::string m_name;
    bool m_changed = false;
    bool m_widthChanged = false;
};

} // namespace lumora
