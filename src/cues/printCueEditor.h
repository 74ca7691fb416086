#pragma once

// The cue levels report (Print > Cues > Cue Levels): the "Print Cue Levels" dialog picks
// a cue and how many channels to print, and the report shows all its channel levels,
// marked where tracked.

#include "cues/CueReports.h"
#include "print/ReportDialog.h"
#include "show/EditorState.h"

class QTreeWidget;

namespace lumora {

inline constexpr const char* kCueLevelsDialogTitle = "Print Cue Levels";
inline constexpr const char* kCueLevelsReportTitle = "Cue Levels";

// ---- The report's columns and page

TReportDataSource CueLevelsDataSource();
TReportLayout CueLevelsLayout();

// ---- The dialog

class TrptCueEditor final : public TReportDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TrptCueEditor(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // ---- Events
    // Fills the cue list from the show; with no cues says there is nothing to print.
    void FormShow();
    // Checks the choices, writes the data file for the cue of the current row and
    // previews the report.
    TReportOutcome btnPrintClick() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Every channel.
    void setDefaultSelection() override;

private:
    QTreeWidget* m_lvCues;
    TChannelChoice m_channels;
};

// The entry the main window's Print > Cues > Cue Levels calls.
void ShowCueLevelsReport(QWidget* parent, TEditorState& state);

} // namespace lumora
