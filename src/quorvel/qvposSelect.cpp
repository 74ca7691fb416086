#include "quorvel/qvposSelect.h"

#include "quorvel/QVPositionSheet.h"
#include "quorvel/QVWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

TfrmSelectQVpos::TfrmSelectQVpos(IUserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_ui(ui),
      m_edtPos(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmSelectQVpos"));
    setWindowTitle(QString::fromLatin1(kQvPositionCaption));
    auto* prompt = new QLabel(tr(kMsgQvPickPosition), this);
    prompt->setObjectName(QStringLiteral("lblPrompt"));
    m_edtPos->setObjectName(QStringLiteral("edtPos"));
    m_edtPos->setMaxLength(6);
    prompt->setBuddy(m_edtPos);
    m_edtPos->setAccessibleName(tr("Position number"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmSelectQVpos::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmSelectQVpos::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_edtPos);
    layout->addWidget(buttons);
}

void TfrmSelectQVpos::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_edtPos->clear();
        m_edtPos->setFocus();
        m_position = 0;
    }
    QDialog::showEvent(event);
}

void TfrmSelectQVpos::accept()
{
    const auto picked = ReadPickedPosition(QvFromQt(m_edtPos->text()), m_ui);
    if (!picked) {
        m_edtPos->setFocus();
        return;
    }
    m_position = *picked;
    QDialog::accept();
}

} // namespace lumora
