#pragma once

// What the cue editor does, apart from its widgets: the working copy of the cue list,
// the cue on display with its edit-box texts, the channel selection and the level
// clipboard, the checks, and keeping, discarding, moving, inserting and deleting with
// their questions. The window draws what this holds and hands on what the user does;
// every question and message goes through the state's user interface.
//
// The level cells always show the working copy: a typed, pasted or set level goes into
// the working copy at once with the tracking rules, and the cell is drawn from it again.

#include "cues/CueList.h"
#include "show/EditorState.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// ---- Texts the cue editor shows

inline constexpr const char kMsgKeepArrows[] = "Do want to keep your changes?";                // arrows and Insert
inline constexpr const char kMsgKeepPick[] = "Do you want to keep the changes you have made?"; // the cue list
inline constexpr const char kMsgKeepClose[] = "Do you want to keep your changes?";
inline constexpr const char kMsgTimeRange[] = "All times need to range from 0.0 to 999.9 seconds.";
inline constexpr const char kMsgLinkRange[] =
    "For the Link field, please enter a Cue # between 0.1 and 999.9 or leave the entry blank.";
inline constexpr const char kMsgMacroRange[] =
    "Please enter a Macro # between 1 and 2500.\nFor no macro, either enter 0 or leave the field blank.";
inline constexpr const char kMsgCuesFull[] = "Sorry.\n\nYou cannot insert any more Cues.";
inline constexpr const char kMsgErrorInserting[] = "Error inserting Cue!";
inline constexpr const char kMsgNoCuesInsert[] = "There are no cues.\n\nDo you want to insert one?";
inline constexpr const char kCueLabelPrefix[] = "Cue # ";
inline constexpr const char kCueLabelNoCues[] = "No Cues";

// "The cue you entered, 5, matches one already in the show."
std::string DuplicateCueMessage(std::uint16_t number);
// "Are you sure you want to delete cue 12.5?"
std::string DeleteCueQuestion(std::uint16_t number);
// "Invalid entry at channel 7." and "Out-of-range entry at channel 7."
std::string InvalidChannelEntryMessage(int channel);
std::string OutOfRangeChannelEntryMessage(int channel);

// ---- The level grid: 32 pairs of rows of 16 channels, a channel-number row above a
// level row (rows and columns counted from 0 here, as the grid counts them)

inline constexpr int kCueGridColumns = 16;
inline constexpr int kCueGridRows = 64;

constexpr bool IsChannelNumberRow(int row)
{
    return row % 2 == 0;
}
// The channel of any cell, 0 outside the grid.
constexpr int CueGridChannel(int row, int column)
{
    if (row < 0 || row >= kCueGridRows || column < 0 || column >= kCueGridColumns)
        return 0;
    return (row / 2) * kCueGridColumns + column + 1;
}
constexpr int CueGridLevelRow(int channel)
{
    return (channel - 1) / kCueGridColumns * 2 + 1;
}
constexpr int CueGridColumn(int channel)
{
    return (channel - 1) % kCueGridColumns;
}

// ---- The edit boxes below the grid

enum class TCueField { Name, TimeUp, TimeDown, DelayUp, DelayDown, Link, Macro };
inline constexpr int kCueFieldCount = 7;

// Where the question before leaving a cue comes from; each asks in its own words.
enum class TLeaveReason { Arrows, Insert, Pick };

// How a channel-number cell was clicked.
enum class TChannelClick { Plain, Shift, Other };

class TCueEditSession final {
public:
    explicit TCueEditSession(TEditorState& state);
    ~TCueEditSession();
    TCueEditSession(const TCueEditSession&) = delete;
    TCueEditSession& operator=(const TCueEditSession&) = delete;

    // ---- Opening and the display
    // The working copy from the show's cue list, Cue Only Mode off, no selection, Paste
    // off, the first cue on display. The clipboard's values survive.
    void open();
    // Empties the edit boxes and the level cells until the next open; the working copy
    // stays as it is.
    void clearDisplay();
    bool hasCues() const { return m_work->count > 0; }
    int count() const { return m_work->count; }
    int currentIndex() const { return hasCues() ? m_work->current : 0; }
    const TCueList& working() const { return *m_work; }

    // ---- What the window shows
    std::string cueLabel() const;               // "Cue # 12.5" or "No Cues"
    std::string cueNumberText(int index) const; // a row of the cue list, index 1..count
    const std::string& fieldText(TCueField field) const { return m_fields[static_cast<int>(field)]; }
    std::optional<std::uint8_t> typeShown() const; // none with no cue or a cleared display
    // The percent, or empty for a 0 the cue does not set itself.
    std::string levelText(int channel) const;
    bool levelTracked(int channel) const; // drawn red
    bool channelHighlighted(int channel) const;
    bool canGoBack() const;
    bool canGoForward() const;
    bool pasteEnabled() const { return m_pasteEnabled; }
    bool pending() const { return m_pending; }
    bool cueOnlyMode() const { return m_work->cueOnlyMode; }
    int selectionStart() const { return m_selStart; }
    int selectionEnd() const { return m_selEnd; }

    // ---- Edits of the cue on display
    void setCueOnlyMode(bool on);
    // Name, times, link and macro reach the cue only when the changes are kept.
    void editField(TCueField field, std::string_view text);
    // The check on leaving a box: false, after its message, when the text is refused.
    bool checkField(TCueField field) const;
    // A name that is not one of the five raises "Invalid cue type." and changes nothing.
    void changeType(std::string_view typeName);
    // A key typed into a level cell: the changes are pending from now on.
    void levelTyped();
    // The text a level cell was left with: a percent is set as a hard level, an empty cell
    // withdraws the channel. Anything else is refused with its message.
    bool applyLevelText(int channel, std::string_view text);

    // ---- Channel selection, the level clipboard and Set Channel Levels (false: beep)
    bool clickChannel(int channel, TChannelClick click);
    void clearSelection();
    bool hasSelection() const { return m_selStart != 0; }
    bool copyLevels();
    bool pasteLevels();
    // Every selected channel gets the percent, or is withdrawn for -1 ("Null Channels").
    bool setChannelLevels(int percent);

    // ---- Keeping and leaving the cue
    // Times, link, macro and the level cells, in that order; the first fault's message.
    bool validate() const;
    // Asks about pending changes: Yes keeps them after the checks, No drops them. False
    // when the user stays on the cue (Cancel, or a check failed).
    bool askToKeep(TLeaveReason reason);
    bool goBack();
    bool goForward();
    bool pick(int index); // 1..count

    // ---- Insert and delete
    // The question and the full-list check before the Insert Cue dialog opens.
    bool beforeInsert();
    // The dialog's number and type: refused for a duplicate; on success the new cue is on
    // display and the show's cue list holds it.
    bool insertCue(std::uint16_t number, std::uint8_t type);
    // Asks first; the show's cue list follows at once.
    bool deleteCurrent();

    // ---- Closing: true when the window may close
    bool queryClose();

private:
    void display();
    void keep(bool retrack);
    void discard();
    void publish(); // the working copy into the show's cue list
    void applyLevel(int channel, std::optional<int> percent);
    bool ready() const { return hasCues() && !m_blank; }

    TEditorState& m_state;
    std::unique_ptr<TCueList> m_work;
    std::array<std::string, kCueFieldCount> m_fields;
    bool m_pending = false;
    bool m_blank = false; // clearDisplay was called and no open since
    int m_selStart = 0;
    int m_selEnd = 0;
    // Values copied from consecutive level cells: a percent, or nothing for an empty cell.
    std::array<std::optional<int>, kChannels> m_clipboard{};
    int m_clipboardCount = 0;
    bool m_pasteEnabled = false;
};

} // namespace lumora
