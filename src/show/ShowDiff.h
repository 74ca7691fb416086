#pragma once

// What changed between two shows, kind by kind: cues added, removed and changed (fields,
// levels as the editor shows them in percent, hard and tracked levels), subs, effects,
// macros as key names, the patch dimmer by dimmer, profiles, the Quorvel data and the
// notes. Shared by the editor's File > Compare With... and `lumora-cli diff`.

#include "show/Show.h"
#include "show/ShowImage.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- Texts

inline constexpr const char kDiffSame[] = "The shows are the same.";

// ---- The result

enum class TDiffKind {
    Cues,
    Subs,
    Effects,
    Macros,
    Patch,
    Profiles,
    QvTypes,
    QvDevices,
    QvActions,
    QvPositions,
    Notes
};
inline constexpr int kDiffKindCount = 11;

enum class TDiffChange { Added, Removed, Changed };

// One object that differs: "cue 12.5", and one line per change ("ch 12: 50 → 60").
// An added or removed object has lines that say what it holds.
struct TDiffEntry {
    std::string object;
    TDiffChange change = TDiffChange::Changed;
    std::vector<std::string> lines;
};

struct TDiffGroup {
    TDiffKind kind = TDiffKind::Cues;
    std::vector<TDiffEntry> entries;
};

struct TShowDiff {
    std::vector<TDiffGroup> groups; // only kinds with differences, in TDiffKind order
    bool same() const { return groups.empty(); }
    std::size_t entryCount() const;
};

// ---- One side of a comparison

// A show and what of it is there to compare: a show file holds every section and the
// notes; a diskette holds only the sections its directory lists, and no profile names
// and no notes.
struct TDiffSide {
    const TShow* show = nullptr;
    const std::string* notes = nullptr;
    TPresenceFlags sections{1, 1, 1, 1, 1, 1, 1};
    bool profileNames = true;
    bool notesPresent = true;
};

// ---- Comparing

// Compares the sections present on both sides and chosen in `chosen` (the Quorvel
// section covers types, devices, actions and positions; Profile the curves, and the
// names when both sides have them). Notes when both sides have them and all sections
// are chosen.
TShowDiff DiffShows(const TDiffSide& a, const TDiffSide& b, const TPresenceFlags& chosen = {1, 1, 1, 1, 1, 1, 1});

// The sections both sides hold, among those chosen.
TPresenceFlags ComparedSections(const TDiffSide& a, const TDiffSide& b, const TPresenceFlags& chosen);

// ---- Texts

std::string_view DiffKindTitle(TDiffKind kind); // "Cues", "QV Devices", ...
std::string_view DiffKindKey(TDiffKind kind);   // "cues", "qvDevices", ... (for JSON)
std::string_view DiffChangeName(TDiffChange c); // "added", "removed", "changed"

// The diff as text: a heading per kind, then per object "~ cue 12.5" (changed), "+ " (added)
// or "- " (removed), and its lines indented below. kDiffSame and a line break when the
// shows are the same.
std::string FormatDiffText(const TShowDiff& diff);

} // namespace lumora
