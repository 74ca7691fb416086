#pragma once

// The cue levels report (Print > Cues > Cue Levels): the "Print Cue Levels" dialog picks
// a cue and how many channels to print, and the report shows all its channel levels,
// marked where tracked.

#include "cues/CueReports.h"
#include "show/EditorState.h"
#include "widgets/ReportData.h"
#include "widgets/ReportLayout.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace lumora {

inline constexpr const char* kCueLevelsDialogTitle = "Print Cue Levels";
inline constexpr const char* kCueLevelsReportTitle = "Cue Levels";

// ---- The report's columns and page

TReportDataSource CueLevelsDataSource();
TReportLayout CueLevelsLayout();

// ---- The dialog

class TrptCueEditor final : public QDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TrptCueEditor(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // ---- Events
    // Fills the cue list from the show; with no cues says there is nothing to print.
    void FormShow();
    // The channel box follows the check box.
    void cbChanClick();
    // Checks the choices, writes the data file for the cue of the current row and
    // previews the report.
    TReportOutcome btnPrintClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TEditorState& m_state;
    IReportFolder* m_folder;
    QTreeWidget* m_lvCues;
    QCheckBox* m_cbChan;
    QLabel* m_lblChan;
    QLineEdit* m_edtChan;
    QPushButton* m_btnPrint;
    QPushButton* m_btnClose;
};

// The entry the main window's Print > Cues > Cue Levels calls.
void ShowCueLevelsReport(QWidget* parent, TEditorState& state);

} // namespace lumora
