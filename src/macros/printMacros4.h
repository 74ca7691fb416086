#pragma once

// The macro report (Print > Macros, and Print in the macro editor): "Print Macros"
// chooses the macro on show in the editor, a range, or every macro that holds
// keystrokes; the report lists each macro's positions, two columns to a page.

#include "macros/MacroReports.h"
#include "print/ReportDialog.h"
#include "show/EditorState.h"

class QLineEdit;
class QRadioButton;

namespace lumora {

inline constexpr const char* kMacroDialogTitle = "Print Macros";
inline constexpr const char* kMacroReportTitle = "Macros";

// ---- The report's columns and page

TReportDataSource MacroDataSource();
TReportLayout MacroLayout();

// ---- The dialog

class TprintMacros4 final : public TReportDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TprintMacros4(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // The macro editor's Print: "Current Macro" on the macro on show.
    int openForCurrent(int macro);

    TReportOutcome btnPrintClick() override;

protected:
    // The Print menu's opening: "All Valid Macros", "Current Macro" unavailable.
    void setDefaultSelection() override;

private:
    void setMode(bool current);

    QRadioButton* m_rbCurrent;
    QRadioButton* m_rbRange;
    QRadioButton* m_rbAll;
    QLineEdit* m_edtFrom;
    QLineEdit* m_edtTo;
    int m_current = 1;
};

} // namespace lumora
