#pragma once

// The QV action report dialog ("Print QV Actions"): the current action or all of them.

#include "print/ReportDialog.h"
#include "quorvel/QVReportLayouts.h"

class QRadioButton;

namespace lumora {

inline constexpr const char kQvActionDialogTitle[] = "Print QV Actions";

class TprintQVAction final : public TReportDialog {
    Q_OBJECT

public:
    explicit TprintQVAction(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // From the action editor: "Current Action" (action) usable and chosen.
    int openForCurrent(int action);
    TReportOutcome btnPrintClick() override;

protected:
    // From the main window: "All Actions" chosen, "Current Action" unusable.
    void setDefaultSelection() override;

private:
    QRadioButton* m_rbCurrent;
    QRadioButton* m_rbAll;
    int m_current = 0;
};

} // namespace lumora
