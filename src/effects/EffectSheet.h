#pragma once

// What the effect editor does, apart from its widgets: one of the 50 effects shown as a
// sheet of 100 steps by 512 channels, with its name, type and time as the user typed
// them. The sheet holds each cell's level byte (so a level the user did not touch is
// stored back exactly as it came) and a filled mark per cell that was ever given a value,
// so that emptying the sheet visits only those cells. The show's effect changes only
// when the user keeps the changes, and only when the whole store can be done.

#include "effects/Effect.h"
#include "show/EditorState.h"
#include "show/ValueHelpers.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- Texts the effect editor shows

inline constexpr const char kEffectCaption[] = "Effects";
inline constexpr int kEffectHelpTopic = 190;
inline constexpr const char kEffectLabelPrefix[] = "Effect #";
inline constexpr const char kEffectListMark[] = " <-";
inline constexpr const char kMsgKeepEffectChanges[] = "Do you want to keep your changes?";
inline constexpr const char kMsgSaveEffectChanges[] = "Do you want to save your changes?";
inline constexpr const char kMsgClearEffect[] = "Are you sure you want to clear this Effect?";
inline constexpr const char kMsgEffectTooBig[] = "Effect too big.  Remove some channel levels and try again.";
inline constexpr const char kMsgEffectTime[] = "Please enter a time between 0 and 999.9 seconds.";
inline constexpr const char kEffectNameTitle[] = "Effect Name";
inline constexpr const char kEffectNamePrompt[] = "Please enter a name for this effect (1-16 char.)";
inline constexpr const char kEffectTimeHint[] = "0 - 999.9 sec.";
inline constexpr int kEffectNameLength = 16;
inline constexpr int kEffectTimeLength = 5;

// "Out-of-range entry at Step 3, Channel 17."
std::string EffectEntryOutOfRangeMessage(int step, int channel);

// The time entry as tenths: a number 0..999.9 with at most one decimal; an empty entry
// is no time (0). Nothing for any other text.
std::optional<std::uint16_t> ReadEffectTime(std::string_view text);

// ---- The sheet: steps 1..100 by channels 1..512

inline constexpr int kEffectChannels = 512;
inline constexpr int kEffectCells = kEffectSteps * kEffectChannels;

enum class TEffectClick { Plain, Shift, Other };

class TEffectSheet final {
public:
    // askName: the "Effect Name" input box; nothing when the user cancels it.
    using TAskName = std::function<std::optional<std::string>()>;

    explicit TEffectSheet(TEditorState& state);

    // ---- Opening and choosing an effect
    // Effect 1, nothing pending.
    void open();
    int current() const { return m_current; }
    // Another effect from the list: asks about pending changes first. False when the
    // user cancelled or the store failed (the effect on show stays).
    bool choose(int effect, const TAskName& askName);
    // The show's effects were reset: effect 1 again, from the model, nothing asked.
    void reload();

    // ---- What the window shows
    // The list row of an effect: its number, with " <-" for a defined effect (the
    // effect on show loses its mark once it is cleared).
    std::string listText(int effect) const;
    std::string labelText() const;
    const std::string& nameText() const { return m_name; }
    const std::string& typeText() const { return m_type; }
    const std::string& timeText() const { return m_time; }
    // The percent of a cell, -1 for an empty cell.
    int percent(int step, int channel) const
    {
        const int level = m_cells[index(step, channel)];
        return level < 0 ? -1 : LevelToPercent(static_cast<std::uint8_t>(level));
    }
    bool filledMark(int step, int channel) const { return m_marks[index(step, channel)]; }
    bool highlighted(int step, int channel) const
    {
        return m_complete && step >= m_firstStep && step <= m_lastStep && channel >= m_firstChannel &&
               channel <= m_lastChannel;
    }
    int filledCells() const;

    // ---- Flags
    bool defined() const { return m_defined; }
    bool cleared() const { return m_cleared; }
    bool gridChanged() const { return m_gridChanged; }
    // Any edit since the effect was shown: levels, Clear, name, type or time.
    bool modified() const { return m_gridChanged || m_nameChanged || m_typeChanged || m_timeChanged; }

    // ---- Edits
    // A cell left with text: a percent 0..100 or empty. False (and the out-of-range
    // message shown) for anything else; the cell keeps what it held.
    bool applyLevelText(int step, int channel, std::string_view text);
    void editName(std::string_view text);
    void editType(std::string_view text);
    void editTime(std::string_view text);
    // The time entry left after a change: false (the message shown) when it is no time.
    bool checkTime();

    // ---- Selection (false: beep)
    bool click(int step, int channel, TEffectClick click);
    bool hasRectangle() const { return m_complete; }
    int firstStep() const { return m_firstStep; }
    int lastStep() const { return m_lastStep; }
    int firstChannel() const { return m_firstChannel; }
    int lastChannel() const { return m_lastChannel; }
    void clearSelection();
    // Set Channel Levels on the rectangle: the percent, or empty for -1.
    void setLevels(int percent);

    // ---- Clear Effect (asks first)
    bool clearEffect();

    // ---- Storing and closing
    // Writes the effect on show into the show's effect, after every check; a failure
    // shows its message and leaves the show's effect as it was.
    bool store(const TAskName& askName);
    // True when the window may close; asks about pending changes.
    bool queryClose(const TAskName& askName);

private:
    static constexpr int index(int step, int channel) { return (step - 1) * kEffectChannels + (channel - 1); }

    void emptySheet();
    void showEffect();
    void edited(); // an edit after Clear Effect ends it
    void setCell(int step, int channel, int level);

    TEditorState& m_state;
    int m_current = 1;
    std::vector<std::int16_t> m_cells; // level byte, -1 empty
    std::vector<bool> m_marks;
    std::vector<int> m_marked; // indices with a mark, to empty them quickly
    std::string m_name, m_type, m_time;
    bool m_defined = false;
    bool m_cleared = false;
    bool m_gridChanged = false;
    bool m_nameChanged = false;
    bool m_typeChanged = false;
    bool m_timeChanged = false;
    bool m_timeChecked = true; // the time entry was checked since its last change
    int m_firstStep = 0, m_lastStep = 0, m_firstChannel = 0, m_lastChannel = 0;
    bool m_complete = false;
};

} // namespace lumora
