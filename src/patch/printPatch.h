#pragma once

// The patch report (Print > Patches): the "Print Patches" dialog chooses the pages and how
// far to print, and the report lists the dimmers of each chosen page, two columns a page.

#include "patch/PatchReports.h"
#include "print/ReportDialog.h"
#include "show/EditorState.h"

namespace lumora {

inline constexpr const char* kPatchDialogTitle = "Print Patches";
inline constexpr const char* kPatchReportTitle = "Patches";

// ---- The report's columns and page

TReportDataSource PatchDataSource();
TReportLayout PatchLayout();

// ---- The dialog

class TprintPatchesfrm final : public TReportDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TprintPatchesfrm(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // ---- Events
    TReportOutcome btnPrintClick() override;

protected:
    // Page 1 alone, all dimmers.
    void setDefaultSelection() override;

private:
    QCheckBox* m_cbPg1 = nullptr;
    QCheckBox* m_cbPg2 = nullptr;
    QCheckBox* m_cbRange = nullptr;
    QLineEdit* m_edtRange = nullptr;
};

} // namespace lumora
