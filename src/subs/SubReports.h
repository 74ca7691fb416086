#pragma once

// The data of the two submaster reports: the levels report (a sub's header fields with
// one record per channel) and the list report (one record per sub that is not reset).
// Each Print checks every choice (with the dialog's messages) before its data file is
// made; the editor's report dialogs and the command-line companion both stand on these.
// Printing never changes the show.

#include "print/ReportFiles.h"
#include "show/UserInterface.h"
#include "subs/Sub.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// ---- Messages and titles

inline constexpr const char kSubsDialogTitle[] = "Print Subs Chan/Levels";
inline constexpr const char kSubsReportTitle[] = "Submasters";
inline constexpr const char kSubListDialogTitle[] = "Print Submaster List";
inline constexpr const char kSubListReportTitle[] = "Submaster List";
inline constexpr const char kMsgSubsBothEntries[] = "Please be sure to enter both a Page # (1-12) and a Sub # (1-24)";
inline constexpr const char kMsgSubsValidPage[] = "Please enter a valid Page # between 1 and 12.";
inline constexpr const char kMsgSubsValidSub[] = "Please enter a valid Submaster # between 1 and 24.";

// ---- Text forms of the data files

// The level as the reports print it: the whole part of level / 2.55 (254 gives 99).
int ReportSubPercent(std::uint8_t level);
// "17: 50", or "17: " for level 0.
std::string ReportChanLevel(int channel, std::uint8_t level);
// The seven fields every record of a sub starts with: page, sub, trimmed name, type
// (empty for None) and the three times in seconds.
std::vector<std::string> SubHeaderFields(const TSub& sub, int page, int number);

// ---- Submaster levels report

enum class TSubsMode { Current, Range, All };

struct TSubsChoice {
    TSubsMode mode = TSubsMode::All;
    int currentPage = 1; // the editor's sub, for Current
    int currentSub = 1;
    std::string pageText; // edtPage and edtSub, for Range
    std::string subText;
    bool limitChannels = false; // cbChan
    std::string channelText;    // edtChan
};

// The channel limit: 512 unticked; a ticked empty box warns and gives 0; a number outside
// 1..512 warns and gives nothing; text that is no whole number raises ELumoraError
// "Not a valid channel number.".
std::optional<int> SubsChannelLimit(const TSubsChoice& choice, IUserInterface& ui);
// Records for channels 1..limit of each sub; a limit of 0 leaves one record with an
// empty channel field, so the sub's header is still printed.
void AppendSubLevelRows(std::vector<TReportRow>& rows, const TSub& sub, int page, int number, int limit);
// The whole report after the checks, or nothing when a choice was refused (its warning
// shown).
std::optional<std::vector<TReportRow>> SubsReportRows(const TSubPages& subs, const TSubsChoice& choice,
                                                      IUserInterface& ui);
TReportOutcome PrintSubsReport(const TSubPages& subs, const TSubsChoice& choice, IUserInterface& ui,
                               const std::string& path);

// ---- Submaster list report

enum class TSubListMode { Current, Page, All };

struct TSubListChoice {
    TSubListMode mode = TSubListMode::All;
    int currentPage = 1;  // the list's page, for Current
    std::string pageText; // Edit1, for Page
};

// The records of a page: subs 1..24 whose line is longer than 13 characters.
void AppendSubListRows(std::vector<TReportRow>& rows, const TSubPages& subs, int page);
std::optional<std::vector<TReportRow>> SubListReportRows(const TSubPages& subs, const TSubListChoice& choice,
                                                         IUserInterface& ui);
TReportOutcome PrintSubListReport(const TSubPages& subs, const TSubListChoice& choice, IUserInterface& ui,
                                  const std::string& path);

} // namespace lumora
