#pragma once

// The submaster list report (Print > SubMaster > List, and the submaster list's
// File > Print): the "Print Submaster List" dialog picks the list's page, one page by
// number, or all pages.

#include "print/ReportDialog.h"
#include "show/EditorState.h"
#include "subs/SubReports.h"

class QRadioButton;

namespace lumora {

// ---- The report's columns and page

TReportDataSource SubListDataSource();
TReportLayout SubListLayout();

// ---- The dialog

class TrptSubList final : public TReportDialog {
    Q_OBJECT

public:
    explicit TrptSubList(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // The list's Print: "Current Sub Page" usable and chosen, for page.
    int openForCurrent(int page);

    // ---- Events
    TReportOutcome btnPrintClick() override;

protected:
    void setDefaultSelection() override;

private:
    TSubListChoice choice() const;

    bool m_forCurrent = false;
    int m_page = 1;
    QRadioButton* m_rbCurrent;
    QRadioButton* m_rbRange;
    QRadioButton* m_rbAll;
    QLineEdit* m_edit1;
};

} // namespace lumora
