#pragma once

// What the QV action editor does, apart from its widgets: the list of the 100 actions
// (loops and Single Step) and the 20 steps of the current action as texts, the rules of
// each cell, changing the current action with the save question, and storing an action
// into the show.

#include "quorvel/Quorvel.h"
#include "show/EditorState.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// ---- Texts the action editor shows

inline constexpr const char kQvActionCaption[] = "QV Action";
inline constexpr int kQvActionHelpTopic = 230;
inline constexpr const char kQvContinuous[] = "Continuous";
inline constexpr const char kQvYes[] = "Yes";
inline constexpr const char kQvNo[] = "No";
inline constexpr const char kQvActionListHint[] = "Loops = 0..65534 or \"c\" for Continuous";
inline constexpr const char kQvActionStepsHint[] = "QV Position = 1..100\rTime/Delay = 0..999.9";
inline constexpr const char kQvActionDoubleClickHint[] = "* Doule click to change";
inline constexpr const char kMsgQvLoopsRange[] = "Loops must be 0 to 65534, or C for Continuous.";

// "Action # 7"
std::string QvActionCaption(int action);
// Tenths of a second as the windows show them: 25 -> "2.5", 30 -> "3".
std::string QvTenthsText(std::uint16_t tenths);
// A time typed as seconds (0 .. 999.9, at most one decimal) in tenths; nothing for any
// other text.
std::optional<std::uint16_t> QvReadTenths(std::string_view text);
// A whole number of digits only (spaces around it allowed); nothing for any other text.
std::optional<long> QvReadWhole(std::string_view text);

// ---- The grids' columns, from 0 as the grids count them

enum class TQvActionColumn : int { Action, Loops, SingleStep, Count };
inline constexpr int kQvActionColumnCount = static_cast<int>(TQvActionColumn::Count);
enum class TQvStepColumn : int { Position, Time, Delay, Count };
inline constexpr int kQvStepColumnCount = static_cast<int>(TQvStepColumn::Count);

class TQVActionSheet final {
public:
    explicit TQVActionSheet(TEditorState& state);

    // ---- Opening: the list and the steps of action 1 from the show, nothing changed
    void open();
    int currentAction() const { return m_current; }
    bool changed() const { return m_changed; }
    std::string caption() const { return QvActionCaption(m_current); }

    // ---- What the grids show (list rows 1..100, steps 1..20 of the current action)
    std::string listText(int row, TQvActionColumn column) const;
    std::string stepText(int step, TQvStepColumn column) const;

    // ---- Edits of the list
    // A Loops cell left with a text: a text with a c or C in it is "Continuous", empty
    // is 0; a number above 65534 is refused with its message and the old text stays.
    void editLoops(int row, std::string_view text);
    // A key in a Single Step cell: y/Y writes Yes, n/N writes No; any key is a change.
    void singleStepKey(int row, char key);
    void toggleSingleStep(int row);

    // ---- Edits of the steps
    // A step cell left with a text; an empty or 0 position empties the whole step.
    void editStep(int step, TQvStepColumn column, std::string_view text);

    // ---- Changing the current action: asks to save the one being left when changed
    // (Yes stores it, No reloads its list row from the show), then loads the new one.
    void setCurrentAction(int action);

    // ---- Storing the current action (its list row and the steps) into the show
    void store();
    // ---- Closing: true when the window may close
    bool queryClose();

private:
    struct TListRow {
        std::string loops, singleStep;
    };
    using TStepRow = std::array<std::string, kQvStepColumnCount>;

    void loadRow(int action);
    void loadSteps();
    bool validAction(int n) const { return n >= 1 && n <= kQvActions; }

    TEditorState& m_state;
    std::array<TListRow, kQvActions> m_list;
    std::array<TStepRow, kQvSteps> m_steps;
    int m_current = 1;
    bool m_changed = false;
};

} // namespace lumora
