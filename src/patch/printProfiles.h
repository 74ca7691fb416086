#pragma once

// The profile report (Print > Profiles, and File > Print in the profile editor): the
// "Print Profiles" dialog chooses all profiles, a From/To range or the profile the editor
// shows; each chosen profile is printed on a page of its own as a 16 by 16 table of its
// curve. The records go to the report engine from memory: this report writes no file.

#include "patch/PatchReports.h"
#include "print/ReportDialog.h"
#include "show/EditorState.h"

namespace lumora {

inline constexpr const char* kProfileDialogTitle = "Print Profiles";
inline constexpr const char* kProfileReportTitle = "Profiles";

// ---- The report's columns and page

TReportDataSource ProfilesDataSource();
TReportLayout ProfilesLayout();

// ---- The dialog

class TrptProfiles final : public TReportDialog {
    Q_OBJECT

public:
    explicit TrptProfiles(TEditorState& state, QWidget* parent = nullptr);

    // The profile editor's File > Print: "Current Profile" usable and chosen.
    int openForCurrent(int profile);

    // ---- Events
    TReportOutcome btnPrintClick() override;

protected:
    // All profiles, both entries empty, "Current Profile" unusable.
    void setDefaultSelection() override;

private:
    QRadioButton* m_rbAll = nullptr;
    QRadioButton* m_rbRange = nullptr;
    QRadioButton* m_rbCurrent = nullptr;
    QLineEdit* m_edtFrom = nullptr;
    QLineEdit* m_edtTo = nullptr;
    int m_current = 1;
};

} // namespace lumora
