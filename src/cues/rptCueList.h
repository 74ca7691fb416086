#pragma once

// The cue list report (Print > Cues > List): one line per cue with its fields. It has no
// dialog: opening it prints at once.

#include "cues/CueReports.h"
#include "print/ReportDialog.h"
#include "show/EditorState.h"

namespace lumora {

inline constexpr const char* kCueListReportTitle = "Cue List";

// ---- The report's columns and page

TReportDataSource CueListDataSource();
TReportLayout CueListLayout();

// ---- The report window

class TprintCueList final : public TReportDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TprintCueList(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // The menu command opens the report with exec(): it prints, shows nothing else of
    // its own, and returns at once.
    int exec() override;
    // Writes the data file from the show's cue list and previews the report.
    TReportOutcome print() { return btnPrintClick(); }
    TReportOutcome btnPrintClick() override;
};

// The entry the main window's Print > Cues > List calls.
void ShowCueListReport(QWidget* parent, TEditorState& state);

} // namespace lumora
