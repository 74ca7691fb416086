#include "patch/RenProf.h"

#include "patch/ProfileSheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

TfmGetProfName::TfmGetProfName(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmGetProfName"));
    setWindowTitle(QString::fromLatin1(kRenameProfileCaption));
    auto* label = new QLabel(tr(kMsgRenameProfile), this);
    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setMaxLength(16);
    label->setBuddy(m_edit1);
    m_edit1->setAccessibleName(tr("Profile name"));
    m_btOK = new QPushButton(tr("OK"), this);
    m_btOK->setObjectName(QStringLiteral("btOK"));
    m_btOK->setDefault(true);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_btOK, &QPushButton::clicked, this, &TfmGetProfName::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfmGetProfName::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btOK);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfmGetProfName::name() const
{
    return m_edit1->text();
}

void TfmGetProfName::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_result = false;
        m_edit1->clear();
        m_edit1->setFocus();
    }
    QDialog::showEvent(event);
}

void TfmGetProfName::accept()
{
    m_result = true;
    QDialog::accept();
}

} // namespace lumora
