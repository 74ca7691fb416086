#pragma once

// What the profile editor does, apart from its widgets: the working copy of one profile
// (its name and the 256 Out cells of its table), drawing on the chart with the mouse,
// smoothing, setting a range of inputs to one level, renaming, resetting to the default,
// the profile tabs and the keep-changes question.
//
// The chart always shows 256 points: an Out cell the user has emptied counts as 0 there,
// and becomes 0 in the table as soon as the cursor leaves it (or before a store).

#include "patch/Profile.h"
#include "show/EditorState.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace lumora {

// ---- Texts the profile editor and its dialogs show

inline constexpr const char kProfileCaption[] = "Profile Editor";
inline constexpr int kProfileHelpTopic = 180;
inline constexpr const char kProfileLevelCaption[] = "Enter Profile Level";
inline constexpr const char kRenameProfileCaption[] = "Rename Profile";
inline constexpr const char kMsgProfileKeepChanges[] = "Do you want to keep the changes you have made?";
inline constexpr const char kMsgResetProfile[] = "Are you sure you want to reset this Profile to default?";
inline constexpr const char kMsgEnterProfileLevel[] = "Please enter a level between 0 and 255.";
inline constexpr const char kMsgProfileLevelRange[] = "Please enter a number between 0 and 255.";
inline constexpr const char kMsgRenameProfile[] = "Enter a new name for this profile (16 chars. max.)";
inline constexpr const char kChartInAxis[] = "DMX  IN";
inline constexpr const char kChartOutAxis[] = "DMX  OUT";

inline constexpr int kProfilePoints = 256;

// ---- The chart's mouse mapping

struct TChartPoint {
    int input = -1;  // -1: none
    int output = -1; // -1: none
    bool none() const { return input == -1 || output == -1; }
    friend bool operator==(const TChartPoint&, const TChartPoint&) = default;
};

// The point under the mouse at (x, y) in a plot rectangle (pixels): the input is the
// 256th of the width the mouse is in, the output the 256th of the height from the bottom.
TChartPoint ChartPointAt(double x, double y, double left, double top, double right, double bottom);

// The level the "Enter Profile Level" dialog's OK takes: a whole number 0..255, else its
// message and nothing.
std::optional<int> ReadProfileLevel(std::string_view text, IUserInterface& ui);

class TProfileSheet final {
public:
    explicit TProfileSheet(TEditorState& state);

    // ---- Opening: profile 1, nothing changed, not drawing
    void open();
    int current() const { return m_current; }
    bool changed() const { return m_changed; }

    // ---- The working copy
    const std::string& workingName() const { return m_name; }
    // The Out cell of an input (0..255): nothing when the user emptied it.
    std::optional<int> out(int input) const;
    std::string outText(int input) const;
    // What the chart shows for an input (an empty cell counts as 0).
    int chartValue(int input) const { return m_out[static_cast<std::size_t>(input)].value_or(0); }

    // ---- Typing in the table
    // An Out cell changed to text (digits 0..255, or empty).
    void editOut(int input, std::string_view text);
    // The cursor left the Out cell of input: an empty one becomes 0.
    void leaveCell(int input);

    // ---- Drawing with the left button: press, each move, release. A move sets the inputs
    // from the previous to the current point, and one either side, to the current output
    // when they all lie within 0..255. Returns the inputs changed (first, last), if any.
    void pressLeft();
    std::optional<std::pair<int, int>> moveTo(TChartPoint point);
    void releaseButton() { m_drawing = false; }
    bool drawing() const { return m_drawing; }

    // ---- Smoothing: passes of one step towards the neighbours' mean; true when a point moved
    bool smooth(int passes = 10);

    // ---- A range of Out cells (rows 1..256; 0 = none)
    void setAnchor(int row);
    // Shift: the end of the range, when there is an anchor.
    void setEnd(int row);
    int anchor() const { return m_anchor; }
    int end() const { return m_end; }
    bool hasRange() const { return m_anchor > 0 && m_end > 0; }
    // Rows shown selected (first, last), if any.
    std::optional<std::pair<int, int>> selectedRows() const;
    // The level from the dialog into every Out cell of the range (either way round); the
    // range is cleared.
    void setRangeLevel(int level);

    // ---- Rename (the name may be empty) and Reset Profile (after its question, at once
    // in the show; unkept edits are dropped)
    void rename(std::string_view name);
    bool resetProfile();

    // ---- Choosing another profile tab: true when it is now shown (false on Cancel)
    bool choose(int profile);

    // ---- Storing into the current profile; the show counts as changed
    void store();

    // ---- Closing: true when the editor may close
    bool queryClose();

private:
    void load();
    void fillEmpty();
    void setOut(int input, int value);

    TEditorState& m_state;
    int m_current = 1;
    std::string m_name;
    std::array<std::optional<int>, kProfilePoints> m_out{};
    bool m_changed = false;
    bool m_drawing = false;
    TChartPoint m_previous, m_point;
    int m_anchor = 0, m_end = 0;
};

} // namespace lumora
