#pragma once

// The effect report (Print > Effects, and Print in the effect editor): "Print Effects"
// chooses the effect on show in the editor or every effect; the report prints each
// effect on pages of its own, its levels in three columns.

#include "effects/EffectReports.h"
#include "print/ReportDialog.h"
#include "show/EditorState.h"

class QRadioButton;

namespace lumora {

inline constexpr const char* kEffectDialogTitle = "Print Effects";
inline constexpr const char* kEffectReportTitle = "Effects";

// ---- The report's columns and page

TReportDataSource EffectDataSource();
TReportLayout EffectLayout();

// ---- The dialog

class TrptEffect final : public TReportDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TrptEffect(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // The effect editor's Print: "Current Effect" on the effect on show.
    int openForCurrent(int effect);

    TReportOutcome btnPrintClick() override;

protected:
    // The Print menu's opening: "All Effects", "Current Effect" unavailable.
    void setDefaultSelection() override;

private:
    void setMode(bool current);

    QRadioButton* m_rbCurrent;
    QRadioButton* m_rbAll;
    int m_current = 1;
    bool m_currentMode = false;
};

} // namespace lumora
