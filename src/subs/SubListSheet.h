#pragma once

// What the submaster list does, apart from its widgets: one page of 24 subs as rows of
// texts (number, name, type, three times), the type each row will have, the page time
// check, storing a page, deleting a row and moving between pages with the save question.
// The levels are never shown here; storing keeps them, except for a row left empty,
// whose sub is reset whole.
//
// The texts are the user's until the page is stored. A stored time above 999.9 seconds
// shows as 0 but is kept as stored unless the user types over it.

#include "show/EditorState.h"
#include "subs/Sub.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

// ---- Texts the submaster list shows

inline constexpr const char kSubListCaption[] = "Submaster List";
inline constexpr int kSubListHelpTopic = 160;
inline constexpr const char kMsgSubListSave[] = "Do you want to save your changes?";
inline constexpr const char kMsgSubListEmptyDelete[] = "You cannot delete an empty sub.";
inline constexpr const char kMsgSubListDeleteQuestion[] = "Are you sure you want to delete this Sub?";
inline constexpr const char kSubListPagePrompt[] = "Click to select a Sub Page";

// "Please check your times for Sub 5." then an empty line and the time range.
std::string SubListTimesMessage(int sub);

// ---- The table's columns, from 0 as the grid counts them

enum class TSubListColumn : int { Sub, Name, Type, TimeUp, TimeHold, TimeDown, Count };
inline constexpr int kSubListColumnCount = static_cast<int>(TSubListColumn::Count);

class TSubListSheet final {
public:
    explicit TSubListSheet(TEditorState& state);
    TSubListSheet(const TSubListSheet&) = delete;
    TSubListSheet& operator=(const TSubListSheet&) = delete;

    // ---- Opening: page 1, loaded without the time check
    void open();
    int page() const { return m_page; }
    bool modified() const { return m_modified; }

    // ---- What the table shows (row 1..24)
    const std::string& cellText(int row, TSubListColumn column) const;
    std::uint8_t rowType(int row) const { return m_types[row - 1]; }

    // ---- Edits
    // The text a name or time cell was left with; the first edit of an empty row makes
    // it Normal.
    void editCell(int row, TSubListColumn column, std::string_view text);
    // A type picked from the drop-down list: 1 Normal .. 3 Solo.
    void chooseType(int row, std::uint8_t type);

    // ---- The page
    // Every row with a type: its three times must be numbers 0..999.9; the first fault's
    // message.
    bool checkTimes() const;
    // The rows into the subs of the page; the show changed flag is set.
    void store();
    // Leaving the page for page k (1..12): the time check, the save question; false
    // when the page on show stays.
    bool selectPage(int k);

    // ---- Delete Sub: the row is emptied; its sub is reset when the page is stored
    bool deleteRow(int row);

    // ---- Closing: true when the window may close
    bool queryClose();

private:
    void load();
    std::string& text(int row, TSubListColumn column);
    static int time(TSubListColumn column)
    {
        return static_cast<int>(column) - static_cast<int>(TSubListColumn::TimeUp);
    }

    TEditorState& m_state;
    int m_page = 1;
    bool m_modified = false;
    bool m_opening = false;
    std::array<std::array<std::string, kSubListColumnCount>, kSubsPerPage> m_texts;
    std::array<std::uint8_t, kSubsPerPage> m_types{};
    // Time cells (row * 3 + time) the user typed into since the page was loaded.
    std::bitset<kSubsPerPage * 3> m_timeTyped;
};

} // namespace lumora
