#pragma once

// The tracking report (Print > Cues > Track): the "Tracking" dialog sets how many
// channels to print, and the report shows every cue against every channel, 30 cues by
// 25 channels a page, in landscape.

#include "cues/CueReports.h"
#include "print/ReportDialog.h"
#include "show/EditorState.h"

namespace lumora {

inline constexpr const char* kTrackDialogTitle = "Tracking";
inline constexpr const char* kTrackReportTitle = "Cue Tracking";

// ---- The report's columns and page

TReportDataSource TrackDataSource();
TReportLayout TrackLayout();

// ---- The dialog

class TrptTrack final : public TReportDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TrptTrack(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // ---- Events
    // Checks the choices, writes the paged data file and previews the report.
    TReportOutcome btnPrintClick() override;

protected:
    // Channels 1 to 25.
    void setDefaultSelection() override;

private:
    TChannelChoice m_channels;
};

// The entry the main window's Print > Cues > Track calls.
void ShowTrackReport(QWidget* parent, TEditorState& state);

} // namespace lumora
