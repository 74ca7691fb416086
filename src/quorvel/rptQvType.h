#pragma once

// The QV type report dialog ("QV Types"): the current type, all types, or a type by
// number; and the device report, which has no dialog.

#include "print/ReportDialog.h"
#include "quorvel/QVReportLayouts.h"

class QLineEdit;
class QRadioButton;

namespace lumora {

inline constexpr const char kQvTypeDialogTitle[] = "QV Types";

class TprintQvType final : public TReportDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TprintQvType(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // From the type editor: "Current Type" (type) usable and chosen.
    int openForCurrent(int type);
    TReportOutcome btnPrintClick() override;

protected:
    // From the main window: the field emptied, "Type" chosen, "Current Type" unusable.
    void setDefaultSelection() override;

private:
    QRadioButton* m_rbCurrent;
    QRadioButton* m_rbAll;
    QRadioButton* m_rbRange;
    QLineEdit* m_edtType;
    int m_current = 0;
};

class TprintQVDevice final : public TReportDialog {
    Q_OBJECT

public:
    explicit TprintQVDevice(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // The menu command and the device editor open the report with exec(): it prints at once.
    int exec() override;
    TReportOutcome btnPrintClick() override;
};

} // namespace lumora
