#pragma once

// The submaster levels report (Print > SubMaster > Subs, and the submaster editor's
// File > Print): the "Print Subs Chan/Levels" dialog picks the sub (the editor's own,
// one by page and number, or every named sub) and how many channels to print.

#include "print/ReportDialog.h"
#include "show/EditorState.h"
#include "subs/SubReports.h"

class QRadioButton;

namespace lumora {

// ---- The report's columns and page

TReportDataSource SubsDataSource();
TReportLayout SubsLayout();

// ---- The dialog

class TrptSubs final : public TReportDialog {
    Q_OBJECT

public:
    // folder: where the data file goes (the editor's report folder when nullptr).
    explicit TrptSubs(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);

    // The editor's Print: "Current Submaster" usable and chosen, for page and sub.
    int openForCurrent(int page, int sub);

    // ---- Events
    TReportOutcome btnPrintClick() override;

protected:
    // "All Named Subs" chosen and "Current Submaster" not usable, unless opened for the
    // editor's sub; the page and sub entries empty.
    void setDefaultSelection() override;

private:
    TSubsChoice choice() const;

    bool m_forCurrent = false;
    int m_page = 1;
    int m_sub = 1;
    QRadioButton* m_rbCurrent;
    QRadioButton* m_rbRange;
    QRadioButton* m_rbAll;
    QLineEdit* m_edtPage;
    QLineEdit* m_edtSub;
    TChannelChoice m_channels;
};

} // namespace lumora
