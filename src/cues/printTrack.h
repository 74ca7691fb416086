#pragma once

// The tracking report (Print > Cues > Track): the "Tracking" dialog sets how many
// channels to print, and the report shows every cue against every channel, 30 cues by
// 25 channels a page, in landscape.

#include "cues/CueReports.h"
#include "show/EditorState.h"
#include "widgets/ReportData.h"
#include "widgets/ReportLayout.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumora {

inline constexpr const char* kTrackDialogTitle = "Tracking";
inline constexpr const char* kTrackReportTitle = "Cue Tracking";

// ---- The report's columns and page

TReportDataSource TrackDataSource();
TReportLayout TrackLayout();

// ---- The dialog

class TrptTrack final : public QDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TrptTrack(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // ---- Events
    // The channel box follows the check box.
    void cbChanClick();
    // Checks the choices, writes the paged data file and previews the report.
    TReportOutcome btnPrintClick();

private:
    TEditorState& m_state;
    IReportFolder* m_folder;
    QCheckBox* m_cbChan;
    QLabel* m_lblChan;
    QLineEdit* m_edtChan;
    QPushButton* m_btnPrint;
    QPushButton* m_btnClose;
};

// The entry the main window's Print > Cues > Track calls.
void ShowTrackReport(QWidget* parent, TEditorState& state);

} // namespace lumora
