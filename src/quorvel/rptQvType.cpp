#include "quorvel/rptQvType.h"

#include "quorvel/QVReports.h"
#include "quorvel/QVWindow.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

TprintQvType::TprintQvType(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "printQvType", kQvTypeDialogTitle)
{
    m_rbCurrent = addChoice("rbCurrent", tr("Current Type"));
    m_rbAll = addChoice("rbAll", tr("All Types"));
    m_rbRange = addChoice("rbRange", tr("Type"));
    m_edtType = addEntry("edtType");
    m_edtType->setAccessibleName(tr("Type number"));
    auto* range = new QHBoxLayout;
    range->addWidget(m_rbRange);
    range->addWidget(m_edtType);
    range->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rbCurrent);
    layout->addWidget(m_rbAll);
    layout->addLayout(range);
    layout->addLayout(addButtons());
}

void TprintQvType::setDefaultSelection()
{
    m_current = 0;
    m_edtType->clear();
    m_rbRange->setChecked(true);
    m_rbCurrent->setEnabled(false);
}

int TprintQvType::openForCurrent(int type)
{
    m_current = type;
    m_rbCurrent->setEnabled(true);
    m_rbCurrent->setChecked(true);
    return QDialog::exec();
}

TReportOutcome TprintQvType::btnPrintClick()
{
    const TQvTypeChoice choice = m_rbCurrent->isChecked() ? TQvTypeChoice::Current
                                 : m_rbAll->isChecked()   ? TQvTypeChoice::All
                                                          : TQvTypeChoice::Type;
    const std::string typed = QvFromQt(m_edtType->text());
    return writeThenPreview(
        kQvTypeReportFile,
        [&](const std::string& path) {
            return PrintQvTypeReport(m_state.show().quorvel, choice, m_current, typed, m_state.ui(), path);
        },
        QvTypeDataSource(), QvTypeLayout(), QString::fromLatin1(kQvTypeReportTitle));
}

TprintQVDevice::TprintQVDevice(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "printQVDevice", kQvDeviceReportTitle)
{
}

int TprintQVDevice::exec()
{
    btnPrintClick();
    return QDialog::Accepted;
}

TReportOutcome TprintQVDevice::btnPrintClick()
{
    return writeThenPreview(
        kQvDeviceReportFile,
        [this](const std::string& path) { return PrintQvDeviceReport(m_state.show().quorvel, m_state.ui(), path); },
        QvDeviceDataSource(), QvDeviceLayout(), QString::fromLatin1(kQvDeviceReportTitle));
}

} // namespace lumora
