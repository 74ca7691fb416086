#pragma once

// What the submaster editor does, apart from its widgets: the sub on display with the
// texts of its level cells and edit boxes, the channel selection and the copy buffer,
// the checks, storing, and moving between subs with the keep-changes question. The
// window draws what this holds and hands on what the user does; every question and
// message goes through the state's user interface.
//
// The level cells are the user's until the sub is stored. Storing converts only the
// cells the user changed on this visit (typed, pasted, set or emptied): a level that
// shows as a percent it cannot be typed back to exactly (2, or 127) is kept as stored.

#include "show/EditorState.h"
#include "subs/Sub.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// ---- Texts the submaster editor shows

inline constexpr const char kSubEditorCaption[] = "Submaster Editor";
inline constexpr int kSubEditorHelpTopic = 150;
inline constexpr const char kMsgSubKeepChanges[] = "Do you want to keep the changes you have made?";
inline constexpr const char kMsgSubValidTime[] = "Please enter a valid time between 0 and 999.9";
inline constexpr const char kMsgSubAllTimes[] = "All times must be a valid numbers from 0 to 999.9";
inline constexpr const char kMsgSubInvalidEntry[] = "Invalid entry.\nPlease check your Page and Sub #.";
inline constexpr const char kMsgSubClearQuestion[] = "Are you sure you want to clear this Submaster?";
inline constexpr const char kMsgSubUnderrun[] = "Sub Underrun";
inline constexpr const char kMsgSubOverrun[] = "Sub Overrun";
inline constexpr const char kMsgSubPageRange[] = "Please enter a Page within the range of 1 to 12.";
inline constexpr const char kMsgSubSubRange[] = "Please enter a Sub within the range of 1 to 24.";
inline constexpr const char kSubTypeNone[] = "None";

// "Normal", "Inhibit", "Solo"; empty for None and any other code.
std::string SubTypeName(int type);

// ---- The level grid: 32 pairs of rows of 16 channels, a channel-number row above a
// level row (rows and columns counted from 0, as the grid counts them)

inline constexpr int kSubGridColumns = 16;
inline constexpr int kSubGridRows = 64;
inline constexpr int kSubChannels = 512;

constexpr bool IsSubChannelRow(int row)
{
    return row % 2 == 0;
}
// The channel of any cell, 0 outside the grid.
constexpr int SubGridChannel(int row, int column)
{
    if (row < 0 || row >= kSubGridRows || column < 0 || column >= kSubGridColumns)
        return 0;
    return (row / 2) * kSubGridColumns + column + 1;
}
constexpr int SubGridLevelRow(int channel)
{
    return (channel - 1) / kSubGridColumns * 2 + 1;
}
constexpr int SubGridColumn(int channel)
{
    return (channel - 1) % kSubGridColumns;
}

// ---- The edit boxes below the grid

enum class TSubTime { Up, Hold, Down };
enum class TSubClick { Plain, Shift, Other };

class TSubEditSession final {
public:
    explicit TSubEditSession(TEditorState& state);
    TSubEditSession(const TSubEditSession&) = delete;
    TSubEditSession& operator=(const TSubEditSession&) = delete;

    // ---- Opening and the sub on display
    // Page 1, sub 1, whatever was shown before; the copy buffer survives.
    void open();
    int page() const { return m_page; }
    int sub() const { return m_sub; }
    bool modified() const { return m_modified; }

    // ---- What the window shows
    std::string label() const; // "Page 4, Sub 20"
    const std::string& levelText(int channel) const;
    bool channelHighlighted(int channel) const;
    const std::string& name() const { return m_name; }
    const std::string& timeText(TSubTime time) const { return m_times[static_cast<int>(time)]; }
    std::uint8_t type() const { return m_type; } // 0 None .. 3 Solo
    // A sub that is not empty lies before / after the one on display.
    bool canGoBack() const;
    bool canGoForward() const;
    int selectionStart() const { return m_selStart; }
    int selectionEnd() const { return m_selEnd; }
    bool hasSelection() const { return m_selStart != 0; }
    int copyCount() const { return m_copyCount; }

    // ---- Edits (each marks a change: the first one makes an empty sub Normal)
    void editName(std::string_view text);
    void editTime(TSubTime time, std::string_view text);
    void chooseType(std::uint8_t type); // 1 Normal .. 3 Solo
    // A key typed into a level cell, and the text the cell was left with.
    void levelTyped();
    void editLevel(int channel, std::string_view text);
    // The check on leaving a time box: false, after its message, when the text is refused.
    bool checkTime(TSubTime time) const;

    // ---- Channel selection, Set Channel Levels, copy and paste (false: beep)
    bool clickChannel(int channel, TSubClick click);
    void clearSelection();
    // Every selected channel gets the percent, or is emptied for -1 ("Null Channels");
    // the selection is cleared.
    bool setChannelLevels(int percent);
    bool copyLevels();
    bool pasteLevels();

    // ---- Checks and storing
    // Time Up, Time Hold and Time Down in order; a text that is no number fails quietly.
    bool checkAllTimes() const;
    // Every non-empty level cell a whole number 0..100; the first fault's message.
    bool checkLevels() const;
    // The boxes and changed cells into the sub in the show; the show changed flag is set.
    void store();

    // ---- Moving (false: the sub on display stays)
    // The keep-changes question: Yes stores after the checks, No drops the changes.
    bool askToKeep();
    bool goBack();
    bool goForward();
    // The page and sub entries, with Enter or Tab: a refused entry shows the
    // "Invalid entry." box. Either way the entries should then show page() and sub().
    bool enterPageSub(std::string_view pageText, std::string_view subText);

    // ---- Delete Sub: asks, then empties the sub in the show at once
    bool deleteSub();

    // ---- Closing: true when the window may close
    bool queryClose();

private:
    TSub& current() const;
    void refresh();
    void markChanged();
    void setLevel(int channel, std::optional<int> percent);
    bool keepWithChecks();
    // The next sub that is not empty from (page, sub) in steps of step; nothing past the ends.
    std::optional<std::pair<int, int>> nonEmpty(int step) const;

    TEditorState& m_state;
    int m_page = 1;
    int m_sub = 1;
    bool m_modified = false;
    std::string m_name;
    std::array<std::string, 3> m_times;
    std::uint8_t m_type = kSubNone;
    std::array<std::string, kSubChannels> m_cells;
    std::bitset<kSubChannels> m_touched;
    int m_selStart = 0;
    int m_selEnd = 0;
    // Copied cells: a percent, or -1 for an empty cell.
    std::array<int, kSubChannels> m_copy{};
    int m_copyCount = 0;
};

} // namespace lumora
