#pragma once

// The data of the three cue reports: the cue list, the cue levels of one cue and the
// tracking sheet. Each report's Print checks its choices (with the dialog's messages),
// then writes its data file; the editor's report windows and the command-line companion
// both stand on these. Printing never changes the show.

#include "cues/CueList.h"
#include "print/ReportFiles.h"
#include "show/UserInterface.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- Messages

inline constexpr const char kMsgNothingToPrint[] = "Nothing to print.  Please load a show.";
inline constexpr const char kMsgNoMaximumChannel[] = "No maximum channel number entered.";
inline constexpr const char kMsgNotValidChannel[] = "Not a valid channel number.";
inline constexpr const char kMsgChannelBetweenPrefix[] = "Please enter a channel number between 1 and ";
inline constexpr const char kMsgValidChannelBetween[] = "Please enter a valid channel number between 1 and 512.";

// ---- Text forms of the data files

// Stored tenths in the shortest decimal form: 125 -> "12.5", 120 -> "12", 0 -> "0".
std::string ReportTenths(std::uint16_t tenths);
// The type as reports spell it ("MultiPart" for code 4); other codes than 0..4 raise
// "Invalid cue type.".
std::string ReportCueType(int code);
// The level of a channel 1..512 as percent, " t" after it when a track cue tracks it in,
// empty for level 0.
std::string ReportLevel(const TCueRecord& cue, int channel);

// ---- Cue list report: one line per cue, nine fields

inline constexpr int kCueListFields = 9;
std::vector<TReportRow> CueListReportRows(const TCueList& cues);
bool WriteCueListReport(const TCueList& cues, const std::string& path, std::string* why = nullptr);
TReportOutcome PrintCueListReport(const TCueList& cues, IUserInterface& ui, const std::string& path);

// ---- Cue levels report: one cue, its channels in blocks of 20

inline constexpr int kCueLevelsBlock = 20;

struct TCueLevelsChoice {
    bool limitChannels = false; // cbChan
    std::string channelText;    // edtChan
};

// The channel limit from the dialog: 512 when not limited, otherwise the number typed.
// An empty box or a number outside 1..512 gives its warning and nothing; text that is no
// whole number raises ELumoraError "Not a valid channel number.".
std::optional<int> CueLevelsChannelLimit(const TCueLevelsChoice& choice, IUserInterface& ui);
// The nine header fields of the cue on every line; a channel line and a level line for
// each block of 20 channels whose first channel is not above the limit (1..512).
std::vector<TReportRow> CueLevelsReportRows(const TCueRecord& cue, int limit);
bool WriteCueLevelsReport(const TCueRecord& cue, int limit, const std::string& path, std::string* why = nullptr);
// cueIndex is the 1-based list row the user picked (the first cue when out of range).
// Raises ELumoraError for a channel text that is no number (see above).
TReportOutcome PrintCueLevelsReport(const TCueList& cues, int cueIndex, const TCueLevelsChoice& choice,
                                    IUserInterface& ui, const std::string& path);

// ---- Tracking report: pages of 30 cues by 25 channels

inline constexpr int kTrackCuesPerPage = 30;
inline constexpr int kTrackChannelsPerPage = 25;
inline constexpr const char kTrackDefaultChannels[] = "25";

struct TTrackChoice {
    bool limitChannels = true;                       // cbChan, checked at first
    std::string channelText = kTrackDefaultChannels; // edtChan
};

// 512 when not limited; otherwise a whole number 1..512, else the error box
// "Please enter a valid channel number between 1 and 512." and nothing.
std::optional<int> TrackChannelLimit(const TTrackChoice& choice, IUserInterface& ui);
// Page by page: each block of 30 cues against each block of 25 channels up to the limit,
// a heading line and a line per cue, every line starting with the page number.
std::vector<TReportRow> TrackReportRows(const TCueList& cues, int limit);
bool WriteTrackReport(const TCueList& cues, int limit, const std::string& path, std::string* why = nullptr);
// The number of pages the tracking report of a list has.
int TrackReportPages(const TCueList& cues, int limit);
TReportOutcome PrintTrackReport(const TCueList& cues, const TTrackChoice& choice, IUserInterface& ui,
                                const std::string& path);

} // namespace lumora
