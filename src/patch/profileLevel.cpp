#include "patch/profileLevel.h"

#include "patch/ProfileSheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

TfmProfileLevel::TfmProfileLevel(IUserInterface& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("fmProfileLevel"));
    setWindowTitle(QString::fromLatin1(kProfileLevelCaption));
    auto* label = new QLabel(tr(kMsgEnterProfileLevel), this);
    m_edtLevel = new QLineEdit(this);
    m_edtLevel->setObjectName(QStringLiteral("edtLevel"));
    m_edtLevel->setMaximumWidth(60);
    m_edtLevel->setMaxLength(6);
    label->setBuddy(m_edtLevel);
    m_edtLevel->setAccessibleName(tr("Level"));
    m_btnOK = new QPushButton(tr("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_btnOK, &QPushButton::clicked, this, &TfmProfileLevel::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfmProfileLevel::reject);

    auto* entry = new QHBoxLayout;
    entry->addWidget(label);
    entry->addWidget(m_edtLevel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmProfileLevel::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_edtLevel->clear();
        m_edtLevel->setFocus();
    }
    QDialog::showEvent(event);
}

void TfmProfileLevel::accept()
{
    const auto level = ReadProfileLevel(m_edtLevel->text().trimmed().toStdString(), m_ui);
    if (!level) {
        m_edtLevel->setFocus();
        m_edtLevel->selectAll();
        return;
    }
    m_level = *level;
    QDialog::accept();
}

} // namespace lumora
