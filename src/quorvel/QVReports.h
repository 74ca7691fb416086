#pragma once

// The data of the four Quorvel reports: QV types, QV devices, QV actions and one QV
// position. Each Print checks its choices with the dialog's messages and writes its data
// file; the editor's report windows and the command-line companion both stand on these.
// Reports read the show, never a window's unkept edits.

#include "print/ReportFiles.h"
#include "quorvel/Quorvel.h"
#include "show/UserInterface.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- Messages

inline constexpr const char kMsgQvTypeBetween[] = "Please be sure to enter a QV Type between 1 and 8.";
inline constexpr const char kMsgQvPositionEntry[] = "Please check your Postition entry.";
inline constexpr const char kMsgQvPositionBetween[] = "Please enter a Position # between 1 and 100.";
inline constexpr const char kMsgQvNothingToPrint[] = "Nothing to print.";
inline constexpr const char kQvPositionSubtitle[] = "Data for Position No. ";

// "The report file <path> could not be written." (a report file that cannot be made)
std::string ReportFileFailedMessage(const std::string& path);

// ---- Type report: 25 lines per type, seven fields

enum class TQvTypeChoice { Current, All, Type };
// The types a choice names: the current type, all 8, or the number typed (a whole
// number 1..8, else the warning and nothing).
std::vector<int> QvReportTypes(TQvTypeChoice choice, int current, std::string_view typed, IUserInterface& ui);
std::vector<TReportRow> QvTypeReportRows(const TQuorvel& quorvel, const std::vector<int>& types);
TReportOutcome PrintQvTypeReport(const TQuorvel& quorvel, TQvTypeChoice choice, int current, std::string_view typed,
                                 IUserInterface& ui, const std::string& path);

// ---- Device report: one line per device, five fields

std::vector<TReportRow> QvDeviceReportRows(const TQuorvel& quorvel);
TReportOutcome PrintQvDeviceReport(const TQuorvel& quorvel, IUserInterface& ui, const std::string& path);

// ---- Action report: 20 lines per action whose loops are not 0, six fields

std::vector<TReportRow> QvActionReportRows(const TQuorvel& quorvel, const std::vector<int>& actions);
// current: the action to print, or 0 for all of them.
TReportOutcome PrintQvActionReport(const TQuorvel& quorvel, int current, IUserInterface& ui, const std::string& path);

// ---- Position report: a line per named attribute 1..25 of each slot's device

std::vector<TReportRow> QvPositionReportRows(const TQuorvel& quorvel, int position);
// typed: the dialog's entry. Not a whole number: "Please check your Postition entry.";
// outside 1..100: "Please enter a Position # between 1 and 100."; no lines: "Nothing to
// print.".
TReportOutcome PrintQvPositionReport(const TQuorvel& quorvel, std::string_view typed, IUserInterface& ui,
                                     const std::string& path);

} // namespace lumora
