#pragma once

// What the patch editor does, apart from its widgets: the texts of its grid for one patch
// page (1024 dimmers), the edit rules of the grid, the set-patch step that writes chosen
// values into many rows at once, the page change, Unity and Clear, and storing the grid
// into the page with its checks.
//
// The grid is the working copy: it reaches the show's patch only when the user keeps the
// changes (page change or close with Yes). A parked dimmer shows channel 0 and non-dim
// clear; storing a parked row keeps the channel and non-dim the dimmer had.

#include "patch/Patch.h"
#include "patch/Profile.h"
#include "show/EditorState.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- Texts the patch editor and the set-patch dialog show

inline constexpr const char kPatchCaption[] = "Patch Editor";
inline constexpr int kPatchHelpTopic = 170;
inline constexpr const char kSetPatchCaption[] = "Set Patch";
inline constexpr const char kMsgPatchKeepChanges[] = "Do you want to keep the changes you have made?";
inline constexpr const char kMsgApplyUnity[] = "Are you sure you want to apply the Unity Patch?";
inline constexpr const char kMsgClearPatch[] = "Are you sure you want to clear this Patch?";
inline constexpr const char kMsgChannelBetween[] = "Please enter a Channel between 0 and 512.";
inline constexpr const char kMsgLevelBetween[] = "Please enter a Level between 0 and 100.";
inline constexpr const char kMsgProfileBetween[] = "Please enter a Profile between 1 and 25.";

// "Out-of-range entry for Dimmer 12."
std::string OutOfRangeMessage(int dimmer);
// "Please enter a Channel (0-512), Level (0-100) and Profile (1-25) for Dimmer 12."
std::string EmptyCellsMessage(int dimmer);

inline constexpr int kPatchChannelMax = 512;

// ---- The grid's columns, from 0 as the grid counts them

enum class TPatchColumn : int { Dimmer, Channel, Level, Nondim, Profile, Park, Count };
inline constexpr int kPatchColumnCount = static_cast<int>(TPatchColumn::Count);

// One grid row as the user sees it: the number cells as typed (empty allowed), the boxes.
struct TPatchRow {
    std::string channel;
    std::string level;
    std::string profile; // 1-based
    bool nondim = false;
    bool park = false;
    friend bool operator==(const TPatchRow&, const TPatchRow&) = default;
};

// ---- The set-patch dialog's value row and apply row

// The five columns of the dialog, in the order they are applied.
enum class TSetPatchField : int { Channel, Level, Nondim, Profile, Park, Count };
inline constexpr int kSetPatchFieldCount = static_cast<int>(TSetPatchField::Count);

class TSetPatchValues final {
public:
    // ---- Showing the dialog: nothing applied, no increment; the values stay as last used
    // (Channel 1, Level 100, Profile 1 the first time).
    void show();

    // ---- The value row's edits: each applies its own column; checking Park sets the
    // Channel to 0 and clears Nondim, Channel or Nondim clears Park.
    void editText(TSetPatchField field, std::string_view text);
    void editCheck(TSetPatchField field, bool checked);
    // The apply row's boxes (the user may uncheck one again).
    void setApplied(TSetPatchField field, bool applied) { m_apply[Index(field)] = applied; }
    void setIncrement(bool on) { m_increment = on; }

    const TPatchRow& values() const { return m_values; }
    bool applied(TSetPatchField field) const { return m_apply[Index(field)]; }
    bool increment() const { return m_increment; }

    // OK: an applied number cell must hold its number (its message otherwise).
    bool check(IUserInterface& ui) const;

private:
    static int Index(TSetPatchField field) { return static_cast<int>(field); }

    TPatchRow m_values{"1", "100", "1", false, false};
    std::array<bool, kSetPatchFieldCount> m_apply{};
    bool m_increment = false;
};

class TPatchSheet final {
public:
    explicit TPatchSheet(TEditorState& state);

    // ---- Opening: page 1, the grid from it, nothing pending
    void open();
    int page() const { return m_page; }
    bool pending() const { return m_pending; }

    // ---- What the grid shows (dimmer 1..1024)
    const TPatchRow& row(int dimmer) const { return m_rows[static_cast<std::size_t>(dimmer - 1)]; }
    std::string cellText(int dimmer, TPatchColumn column) const;
    bool cellChecked(int dimmer, TPatchColumn column) const;

    // ---- Edits by the user, with the grid's rules (each marks the grid changed)
    void typing() { m_pending = true; }
    // Channel, Level or Profile left with this text.
    void editText(int dimmer, TPatchColumn column, std::string_view text);
    // Nondim or Park clicked.
    void editCheck(int dimmer, TPatchColumn column, bool checked);

    // ---- Set Patch: the values of the dialog into the selected rows (ascending), applied
    // columns only; Channel with increment numbers the rows upwards and stops at 0 after 512.
    void applySetPatch(std::vector<int> dimmers, const TSetPatchValues& values);

    // ---- Storing
    // Every row's Channel (unless parked), Level and Profile must hold a number; with
    // range, a Level above 100 is refused too. The first fault shows its message.
    bool checkGrid(bool range) const;
    // Checks (as above), then writes the grid into the current page; the show counts as
    // changed. False when a check failed: nothing is stored.
    bool store(bool range);

    // ---- Page change: true when page is now shown; false leaves everything as it was
    // (Cancel, or a store that was refused).
    bool changePage(int page);

    // ---- Unity and Clear of the current page (after their question), at once in the
    // show; unkept grid edits of the page are dropped. True when done.
    bool unity();
    bool clear();

    // ---- Closing: true when the editor may close
    bool queryClose();

private:
    void load();
    bool resetPage(const char* question, void (TPatch::*operation)());

    TEditorState& m_state;
    std::vector<TPatchRow> m_rows; // dimmer d at d - 1
    int m_page = 1;
    bool m_pending = false;
};

} // namespace lumora
