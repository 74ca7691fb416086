#pragma once

// Report data files: every printed report writes its rows as a small comma-separated
// text file in the user's private report folder, and the report engine reads that file
// back as its data source. A file belongs to its report and is replaced on each print;
// the editor never deletes one.

#include "show/SafeFile.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// ---- File names, one per report (the folder comes from IReportFolder)

inline constexpr const char kCueEditReportFile[] = "rptCueEdit.tmp";
inline constexpr const char kCueListReportFile[] = "rptCueList.tmp";
inline constexpr const char kTrackReportFile[] = "rptTrack.tmp";
inline constexpr const char kSubsReportFile[] = "rptSubs.tmp";
inline constexpr const char kSubListReportFile[] = "rptSubList.tmp";
inline constexpr const char kEffectReportFile[] = "rptEffect.tmp";
inline constexpr const char kMacroReportFile[] = "rptmacro.tmp";
inline constexpr const char kPatchReportFile[] = "rptpatch.tmp";
inline constexpr const char kQvTypeReportFile[] = "rptType.tmp";
inline constexpr const char kQvDeviceReportFile[] = "rptDevice.tmp";
inline constexpr const char kQvActionReportFile[] = "rptQVAction.tmp";
inline constexpr const char kQvPositionReportFile[] = "rptQVpos.tmp";

// ---- The private report folder (platform seam)
//
// Fixed file names in a folder that other users can write to invite a planted link, so
// the files live in a folder that belongs to the user alone.

class IReportFolder {
public:
    virtual ~IReportFolder() = default;
    // The folder, created when missing; nothing (and the reason in *why) when no safe
    // folder can be had.
    virtual std::optional<std::string> ensure(std::string* why = nullptr) = 0;
};

class TPosixReportFolder final : public IReportFolder {
public:
    // "$XDG_RUNTIME_DIR/lumora" when that runtime folder is set, absolute, a real folder
    // and the user's own; otherwise "lumora-<uid>" in the system temporary folder
    // ($TMPDIR, else /tmp).
    TPosixReportFolder();
    // A given folder (tests; the command-line companion's --report-dir).
    explicit TPosixReportFolder(std::string folder);

    const std::string& folder() const { return m_folder; }

    // Creates the folder with mode 0700, or checks the one that is there: it must be a
    // folder (not a link to one) owned by this user. Group and other access is removed.
    std::optional<std::string> ensure(std::string* why = nullptr) override;

private:
    std::string m_folder;
};

// The folder the editor's reports use (a TPosixReportFolder unless one was installed).
IReportFolder& ReportFolder();
// Installs another folder (not owned; nullptr goes back to the default).
void SetReportFolder(IReportFolder* folder);

// The full path of a report file in the folder; nothing when the folder is refused.
std::optional<std::string> ReportFilePath(IReportFolder& folder, std::string_view fileName, std::string* why = nullptr);

// ---- Rows and their text

using TReportRow = std::vector<std::string>;

// One field as the file holds it: a field with a comma, a double quote or a line break
// is put in double quotes with inner quotes doubled; every other field as it stands.
std::string CsvField(std::string_view field);
// Fields joined by commas, ended by CR LF.
std::string CsvLine(const TReportRow& row);
std::string CsvText(const std::vector<TReportRow>& rows);

// The reader's side: lines ended by CR LF (a bare LF or CR is taken too), a quoted field
// read back as one field. A last line without its line end still counts; an empty text
// has no rows.
std::vector<TReportRow> ParseCsv(std::string_view text);

// ---- Writing a report file

// Replaces the file at path with the text: written to a fresh file beside it (opened
// with O_EXCL and O_NOFOLLOW, mode 0600), checked, flushed and renamed over the old one,
// so a planted link is replaced rather than followed and a failed write leaves the
// earlier report as it was. False (and the reason in *why) on any failure.
bool WriteReportFile(const std::string& path, std::string_view text, std::string* why = nullptr,
                     const TFileFaults* faults = nullptr);
bool WriteReportRows(const std::string& path, const std::vector<TReportRow>& rows, std::string* why = nullptr,
                     const TFileFaults* faults = nullptr);

// The whole file, for the engine's data source; nothing when it cannot be read.
std::optional<std::string> ReadReportFile(const std::string& path);

// ---- Outcome of a report's Print up to the preview

enum class TReportOutcome {
    Written,        // the data file is in place: run the preview
    NothingToPrint, // the show holds nothing to print (the message was shown)
    Refused,        // a choice was refused (its message was shown)
    WriteFailed,    // the file could not be created or written
};

} // namespace lumora
