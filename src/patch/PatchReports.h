#pragma once

// The data of the patch and profile reports. The patch report writes its data file, one
// line per dimmer; the profile report hands its records to the report engine from memory,
// 16 per profile (a 16 by 16 table of the curve). The editor's report dialogs and the
// command-line companion both stand on these. Printing never changes the show.

#include "patch/Patch.h"
#include "patch/Profile.h"
#include "print/ReportFiles.h"
#include "show/UserInterface.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumora {

// ---- Patch report

inline constexpr const char kMsgCheckAPage[] = "Please check \"Page 1\", \"Page 2\", or both.";
inline constexpr const char kMsgValidDimmer[] = "Please enter a valid Dimmer #.";
inline constexpr const char kMsgDimmerBetweenPrefix[] = "Please enter a valid dimmer # between 1 and ";
inline constexpr int kPatchReportFields = 7;

struct TPatchReportChoice {
    bool page1 = true;       // cbPg1, checked at first
    bool page2 = false;      // cbPg2
    bool limit = false;      // cbRange
    std::string throughText; // edtRange
};

// The last dimmer to print: 1024 without the limit; the number typed with it, else its
// warning and nothing.
std::optional<int> PatchReportThrough(const TPatchReportChoice& choice, IUserInterface& ui);
// Page 1 then page 2 (as chosen), dimmers 1..through, seven fields a line.
std::vector<TReportRow> PatchReportRows(const TPatches& patches, bool page1, bool page2, int through);
TReportOutcome PrintPatchReport(const TPatches& patches, const TPatchReportChoice& choice, IUserInterface& ui,
                                const std::string& path);

// ---- Profile report

inline constexpr int kProfileRecordsEach = 16;
inline constexpr int kProfileReportFields = 33; // ID, in0..in15, out0..out15

enum class TProfileChoice { All, Range, Current };

struct TProfileReportChoice {
    TProfileChoice which = TProfileChoice::All;
    std::string fromText, toText; // edtFrom, edtTo
    int current = 1;              // the profile the editor shows
};

// The profiles to print, first..last: all of them, the current one, or the From/To range
// (its messages; a From below 1 is refused as too small).
std::optional<std::pair<int, int>> ProfileReportRange(const TProfileReportChoice& choice, IUserInterface& ui);
// The heading of a profile: its name, or "Profile 9" when it has none.
std::string ProfileReportName(const TProfiles& profiles, int number);
// 16 records per profile, first..last: its heading, then 16 inputs and their outputs.
std::vector<TReportRow> ProfileReportRecords(const TProfiles& profiles, int first, int last);

} // namespace lumora
