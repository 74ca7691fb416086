#include "quorvel/printQVPos.h"

#include "quorvel/QVReports.h"
#include "quorvel/QVWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lumora {

TrptQVPos::TrptQVPos(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "rptQVPos", kQvPositionReportTitle)
{
    auto* prompt = new QLabel(tr(kQvPositionPrompt), this);
    prompt->setObjectName(QStringLiteral("lblPrompt"));
    m_edtFrom = addEntry("edtFrom", prompt);
    m_edtFrom->setText(QStringLiteral("1"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_edtFrom);
    layout->addLayout(addButtons());
}

TReportOutcome TrptQVPos::btnPrintClick()
{
    const std::string typed = QvFromQt(m_edtFrom->text());
    return writeThenPreview(
        kQvPositionReportFile,
        [&](const std::string& path) {
            return PrintQvPositionReport(m_state.show().quorvel, typed, m_state.ui(), path);
        },
        QvPositionDataSource(), QvPositionLayout(), QString::fromLatin1(kQvPositionReportTitle));
}

} // namespace lumora
