#pragma once

// What the cue list screen does, apart from its widgets: the working copy of the cue
// list, the texts of its grid (one row per cue, one column per field except the levels),
// storing those texts into the working copy with their checks, the type changes, and
// inserting, deleting and copying ranges of cues with their questions and messages.
//
// The grid's texts are the user's until they are stored: a typed name, time, link or
// macro reaches the working copy only when the grid is stored (before every command and
// on closing with Yes). A store whose check fails stores nothing and leaves the texts as
// typed, so a command that goes on regardless never throws the user's typing away.

#include "cues/CueList.h"
#include "show/EditorState.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- Texts the cue list screen shows

inline constexpr const char kCueListCaption[] = "Cue List";
inline constexpr int kCueListHelpTopic = 110;
inline constexpr const char kMsgCueListFull[] = "You cannot insert any more cues.";
inline constexpr const char kMsgSelectCuesToCopy[] = "Please select 1 or more cues to copy.";
inline constexpr const char kMsgSaveYourChanges[] = "Do you want to save your changes?";

// "Please check your time entries for Cue No. 12.5." and the time-range line below it.
std::string TimeEntriesMessage(std::string_view cueText);
// "Please check your Link entry for Cue No. 12.5."
std::string LinkEntryMessage(std::string_view cueText);
// "Please check your Macro entry for Cue No. 12.5."
std::string MacroEntryMessage(std::string_view cueText);
// How many copies of a Copy Range fell outside 0.1 .. 999.9 and were left out.
std::string CopiesDroppedMessage(int dropped);

// ---- The grid's columns, from 0 as the grid counts them

enum class TCueListColumn : int { Cue, Name, Type, TimeUp, TimeDown, DelayUp, DelayDown, Link, Macro, Count };
inline constexpr int kCueListColumnCount = static_cast<int>(TCueListColumn::Count);

class TCueListSheet final {
public:
    explicit TCueListSheet(TEditorState& state);
    ~TCueListSheet();
    TCueListSheet(const TCueListSheet&) = delete;
    TCueListSheet& operator=(const TCueListSheet&) = delete;

    // ---- Opening
    // The working copy from the show's cue list, the first cue current, the texts from the
    // cues, nothing pending. Cue Only Mode stays as the user last left it.
    void open();
    int count() const { return m_work->count; }
    const TCueList& working() const { return *m_work; }
    bool pending() const { return m_pending; }

    // ---- What the grid shows (row 1..count)
    std::string cellText(int row, TCueListColumn column) const;

    // ---- Edits
    // Kept from one opening of the screen to the next.
    bool cueOnlyMode() const { return m_cueOnly; }
    void setCueOnlyMode(bool on);
    // The grid's current row: the working copy's current cue follows it.
    void setCurrentRow(int row);
    int currentRow() const { return m_work->current; }
    // A key typed into any cell but a type cell.
    void typing() { m_pending = true; }
    // The text a cell was left with (the cue number and the type are not typed into).
    void editCell(int row, TCueListColumn column, std::string_view text);
    // A type picked from the drop-down list; the type the cue has already changes nothing.
    // A code outside 0..4 raises "Invalid cue type.".
    void chooseType(int row, int code);

    // ---- Storing the grid into the working copy
    // Every row's times, link and macro are checked top to bottom; the first fault shows
    // its message and nothing is stored. Numbers and types are not written here.
    bool storeGrid();

    // ---- Insert, delete, Copy Range
    // The full-list check before the Insert Cue dialog opens.
    bool beforeInsert();
    // The dialog's number and type; refused for a number that is already in the list.
    bool insertCue(std::uint16_t number, std::uint8_t type);
    // Asks first, naming the cue of the row.
    bool deleteCue(int row);
    // The selection check before the Copy Range dialog opens (rows 1..count).
    bool beforeCopyRange(const std::vector<int>& rows);
    // Copies the cues of the rows (in list order) as whole records to numbers starting at
    // target with the spacing they had, replacing cues with the same numbers. Returns how
    // many copies were made.
    int copyRange(std::vector<int> rows, std::uint16_t target);

    // ---- Closing: true when the screen may close (the show's cue list then holds the
    // working copy if the user saved)
    bool queryClose();

private:
    using TRowTexts = std::array<std::string, kCueListColumnCount>;

    TRowTexts textsOf(int index) const;
    void refillTexts();
    void storeRow(int index);
    bool checkRow(int index) const;
    bool validRow(int row) const { return row >= 1 && row <= m_work->count; }
    // The list operations with the grid's rows kept in step.
    bool deleteAt(int index);
    bool insertRecord(const TCueRecord& record);
    void afterListChange(bool stored);

    TEditorState& m_state;
    std::unique_ptr<TCueList> m_work;
    std::vector<TRowTexts> m_texts; // row r at r - 1
    bool m_pending = false;
    bool m_cueOnly = false;
};

} // namespace lumora
