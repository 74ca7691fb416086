#pragma once

// What the macro editor does, apart from its widgets: the key list of the macro on show,
// 20 rows of keystrokes with the bytes they take, built by clicks on the on-screen
// console keyboard and the special entries; the store that writes it into the show's
// macro; and the navigation over the 2500 macros. The rows are kept packed (no empty row
// between keystrokes) and never take more than the macro's 20 bytes, so a store always
// fits.

#include "macros/Macro.h"
#include "show/EditorState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// ---- Texts the macro editor shows

inline constexpr const char kMacroCaption[] = "Macro Editor";
inline constexpr int kMacroHelpTopic = 200;
inline constexpr const char kMacroListMark[] = " <-";
inline constexpr const char kMsgKeepMacroChanges[] = "Do you want to keep the changes you have made?";
inline constexpr const char kMsgClearMacro[] = "Are you sure you want to clear this Macro?";
inline constexpr const char kMsgKeystrokeCountExceeded[] =
    "Keystroke Count Exceeded.\nSorry, but you cannot enter any more keystrokes.";
inline constexpr const char kMsgKeystrokeExceeded[] =
    "Keystroke Exceeded.\nSorry, but you cannot enter any more keystrokes.";
inline constexpr const char kMsgSpecialValue[] = "Please enter a value between 0 and 255.";
inline constexpr int kKeyListRows = 20;

// ---- Special entries ("Add Special Macro")

enum class TSpecialKind { LoadSubHandle, RunAction, RunPosition };

// An entry of the special dialog: a whole number 0..255, else nothing.
std::optional<std::uint8_t> ReadSpecialValue(std::string_view text);

// ---- The key list

struct TKeyRow {
    std::string text;       // as the list shows it
    std::uint8_t code = 0;  // 0: an empty row
    std::uint8_t first = 0; // the numbers of a special entry
    std::uint8_t second = 0;

    friend bool operator==(const TKeyRow&, const TKeyRow&) = default;
};

class TMacroKeyList final {
public:
    explicit TMacroKeyList(TEditorState& state);

    // ---- Opening and choosing a macro
    // Macro 1, nothing pending.
    void open();
    int current() const { return m_current; }
    // Another macro: asks about pending changes first. False when the user cancelled.
    bool choose(int macro);
    // The list row of a macro: its number, with " <-" when it holds keystrokes.
    std::string listText(int macro) const;

    // ---- Navigation (the macro to choose, or 0 for none)
    int firstMacro() const { return 1; }
    int lastMacro() const;
    int prevMacro() const;
    int nextMacro() const;

    // ---- The key list (rows 1..20)
    const TKeyRow& row(int r) const { return m_rows[r - 1]; }
    int entryCount() const { return m_entries; }
    int byteCount() const { return m_bytes; }
    // Where the next key goes: 1..min(20, entry count + 1).
    int currentRow() const { return m_row; }
    int topRow() const { return m_top; }
    bool modified() const { return m_modified; }
    // A row the user clicked (held to the rows that can take a key).
    void setCurrentRow(int r);

    // ---- Edits
    // A key of the console keyboard, in front of the current row. False (the warning
    // shown) when the macro is full.
    bool addKey(std::uint8_t code);
    // A special entry from "Add Special Macro". False (the warning shown) when it does
    // not fit.
    bool addSpecial(TSpecialKind kind, std::uint8_t first, std::uint8_t second);
    // Delete Key Hit: the keystroke of the current row, or the last one when the current
    // row is below it.
    bool deleteKey();
    // Clear Macro (asks first).
    bool clearMacro();

    // ---- Storing and closing
    void store();
    // True when the window may close; asks about pending changes.
    bool queryClose();

private:
    void showMacro();
    bool insert(const TKeyRow& row, int size);
    void holdRow();

    TEditorState& m_state;
    int m_current = 1;
    std::array<TKeyRow, kKeyListRows> m_rows{};
    int m_entries = 0;
    int m_bytes = 0;
    int m_row = 1;
    int m_top = 1;
    bool m_modified = false;
};

} // namespace lumora
