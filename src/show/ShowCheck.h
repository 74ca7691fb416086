#pragma once

// Checking a show for data the console would trip over (errors) or that is most likely
// a slip (warnings): links to cues that do not exist, macros that run nothing, chase
// entries outside their effect, dimmers no cue can reach, moving lights that share DMX
// addresses, and the like. Shared by the editor's Tools > Check Show and `lumora-cli check`.

#include "show/Show.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- Texts

inline constexpr const char kCheckClean[] = "No problems found.";

// ---- One finding

enum class TCheckSeverity { Error, Warning };

// What a finding is about; each kind has its own editing window in the editor.
enum class TCheckObject { Cue, Sub, Effect, Macro, Dimmer, Channel, Profile, QvType, QvDevice, QvAction, QvPosition };

struct TCheckFinding {
    std::string kind; // short and stable, for scripts: "cue-link-missing"
    TCheckSeverity severity = TCheckSeverity::Error;
    TCheckObject objectKind = TCheckObject::Cue;
    std::string object; // as the designer names it: "cue 12.5", "sub 3/7", "dimmer 1/17"
    std::string text;   // one sentence

    friend bool operator==(const TCheckFinding&, const TCheckFinding&) = default;
};

// ---- Checking

// Every finding, grouped by kind of object in the order cues, subs, effects, macros,
// patch, Quorvel; within a kind in the order of the objects.
std::vector<TCheckFinding> CheckShow(const TShow& show);

// ---- Texts of findings

std::string_view SeverityName(TCheckSeverity severity); // "error", "warning"
// "error: cue 12.5: Links to cue 13, which does not exist."
std::string FormatFinding(const TCheckFinding& finding);
// "No problems found.", or "2 errors and 1 warning."
std::string CheckSummary(const std::vector<TCheckFinding>& findings);
bool HasErrors(const std::vector<TCheckFinding>& findings);

// How objects are named in findings and differences.
std::string CueObjectName(std::uint16_t number);    // "cue 12.5"
std::string SubObjectName(int page, int number);    // "sub 3/7"
std::string DimmerObjectName(int page, int dimmer); // "dimmer 1/17"
// Names are single bytes (Latin-1); texts of findings and differences are UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

} // namespace lumora
