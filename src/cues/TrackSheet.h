#pragma once

// What the tracking editor does, apart from its widgets: the whole show as one sheet of
// cues against channels, drawn from a working copy of the cue list. Levels typed anywhere
// on the sheet and type changes go into the working copy at once with the tracking rules;
// the show's cue list receives the working copy only when the user keeps the changes on
// closing.
//
// Nothing here holds a cell: every cell is worked out from the working copy when it is
// drawn, so a sheet of 1000 cues costs nothing until it is on screen. The only texts kept
// are entries that could not be applied (not a whole number 0..100); they stay in their
// cells until the sheet is filled again and stop the keep on closing.

#include "cues/CueEditSession.h"
#include "cues/CueList.h"
#include "show/EditorState.h"
#include "show/ValueHelpers.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora {

// ---- Texts the tracking editor shows

inline constexpr const char kTrackCaption[] = "Tracking Editor";
inline constexpr int kTrackHelpTopic = 140;
inline constexpr const char kMsgTrackFull[] = "You cannot insert any more Cues.";
inline constexpr const char kMsgTrackDuplicate[] = "The cue you entered duplicates one already in the show.";

// "Out-of-range entry at Cue 3, Channel 17." (the cue by its row, 1 = the first cue)
std::string TrackEntryOutOfRangeMessage(int row, int channel);

// ---- The sheet's columns, from 0 as the grid counts them: the cue number, the type, then
// channels 1..512

inline constexpr int kTrackCueColumn = 0;
inline constexpr int kTrackTypeColumn = 1;
inline constexpr int kTrackFirstLevelColumn = 2;
inline constexpr int kTrackColumnCount = kTrackFirstLevelColumn + kChannels; // 514

// The channel of a column, 0 for the cue and type columns and outside the sheet.
constexpr int TrackColumnChannel(int column)
{
    return column >= kTrackFirstLevelColumn && column < kTrackColumnCount ? column - kTrackFirstLevelColumn + 1 : 0;
}
constexpr int TrackChannelColumn(int channel)
{
    return channel + kTrackFirstLevelColumn - 1;
}

class TTrackSheet final {
public:
    explicit TTrackSheet(TEditorState& state);
    ~TTrackSheet();
    TTrackSheet(const TTrackSheet&) = delete;
    TTrackSheet& operator=(const TTrackSheet&) = delete;

    // ---- Opening
    // The working copy from the show's cue list with Cue Only Mode off, nothing pending,
    // channel 2 of the first cue selected.
    void open();
    int count() const { return m_work->count; }
    const TCueList& working() const { return *m_work; }
    bool pending() const { return m_pending; }
    bool cueOnlyMode() const { return m_work->cueOnlyMode; }
    void setCueOnlyMode(bool on) { m_work->cueOnlyMode = on; }

    // ---- What the sheet shows (cue 1..count, channel 1..512)
    std::string cueText(int cue) const;
    // The type's name; after a type change in this row, as the reports spell it.
    std::string typeText(int cue) const;
    // The percent of the level, or -1 for an empty cell: a 0 that the cue does not set
    // itself.
    int levelShown(int cue, int channel) const
    {
        const TCueRecord& r = m_work->cue(cue);
        const int percent = kLevelTable[r.levels[channel - 1]];
        return percent == 0 && !TCueList::IsHard(r, channel) ? -1 : percent;
    }
    // Drawn red: a level that a track cue carries over from the cue before it.
    bool levelTracked(int cue, int channel) const
    {
        const TCueRecord& r = m_work->cue(cue);
        return TCueList::IsTrackType(r) && !TCueList::IsHard(r, channel);
    }
    // A text typed into the cell that could not be applied; nullptr for none.
    const std::string* entryKept(int cue, int channel) const;
    bool hasKeptEntries() const { return !m_kept.empty(); }
    bool highlighted(int cue, int channel) const
    {
        return cue == m_selCue && m_selStart != 0 && channel >= m_selStart && channel <= m_selEnd;
    }

    // ---- Edits
    // The text a level cell was left with: a percent becomes a hard level, an empty cell
    // withdraws the channel from the cue. False when the text was not a level; it is then
    // kept in the cell as typed. Channel c is to be redrawn from this cue down.
    bool applyLevelText(int cue, int channel, std::string_view text);
    // A type picked from the drop-down list (code 0..4); the row is to be redrawn.
    void chooseType(int cue, int code);

    // ---- Selection: one cue and a range of its channels (false: beep)
    // channel 0 is a click on the cue or type column, which selects nothing.
    bool click(int cue, int channel, TChannelClick click);
    bool hasSelection() const { return m_selStart != 0; }
    int selectedCue() const { return m_selCue; }
    int selectionStart() const { return m_selStart; }
    int selectionEnd() const { return m_selEnd; }
    void clearSelection();
    // Set Channel Levels: each selected channel gets the percent, or is withdrawn for -1.
    // Channels start..end are to be redrawn from the selected cue down.
    bool setChannelLevels(int percent);

    // ---- Insert and delete (the sheet is to be filled again after either)
    // The full-list check before the Insert Cue dialog opens.
    bool beforeInsert();
    // The dialog's number and type; refused for a number that is already in the list.
    bool insertCue(std::uint16_t number, std::uint8_t type);
    // Asks first, naming the cue of the row.
    bool deleteCue(int cue);

    // ---- Closing
    // Every level cell holds nothing or a level 0..100; else the message for the first.
    bool checkTrackLevels() const;
    // True when the window may close; the show's cue list then holds the working copy if
    // the user kept the changes.
    bool queryClose();

private:
    void filled(); // what filling the sheet again forgets
    bool validCell(int cue, int channel) const
    {
        return cue >= 1 && cue <= m_work->count && channel >= 1 && channel <= kChannels;
    }

    TEditorState& m_state;
    std::unique_ptr<TCueList> m_work;
    bool m_pending = false;
    int m_selCue = 0;
    int m_selStart = 0;
    int m_selEnd = 0;
    std::map<std::pair<int, int>, std::string> m_kept; // (cue, channel): the text as typed
    std::vector<bool> m_reportSpelling;                // by cue, after a type change
};

} // namespace lumora
