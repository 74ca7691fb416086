#include "quorvel/rptAction.h"

#include "quorvel/QVReports.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

TprintQVAction::TprintQVAction(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "printQVAction", kQvActionDialogTitle)
{
    m_rbCurrent = addChoice("rbCurrent", tr("Current Action"));
    m_rbAll = addChoice("rbAll", tr("All Actions"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rbCurrent);
    layout->addWidget(m_rbAll);
    layout->addLayout(addButtons());
}

void TprintQVAction::setDefaultSelection()
{
    m_current = 0;
    m_rbAll->setChecked(true);
    m_rbCurrent->setEnabled(false);
}

int TprintQVAction::openForCurrent(int action)
{
    m_current = action;
    m_rbCurrent->setEnabled(true);
    m_rbCurrent->setChecked(true);
    return QDialog::exec();
}

TReportOutcome TprintQVAction::btnPrintClick()
{
    const int action = m_rbCurrent->isChecked() ? m_current : 0;
    return writeThenPreview(
        kQvActionReportFile,
        [&](const std::string& path) {
            return PrintQvActionReport(m_state.show().quorvel, action, m_state.ui(), path);
        },
        QvActionDataSource(), QvActionLayout(), QString::fromLatin1(kQvActionReportTitle));
}

} // namespace lumora
