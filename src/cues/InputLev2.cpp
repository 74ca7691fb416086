#include "cues/InputLev2.h"

#include "widgets/DialogButtons.h"

#include "cues/CueTexts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

TfmInputLevel2::TfmInputLevel2(IUserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_ui(ui)
{
    setObjectName(QStringLiteral("fmInputLevel2"));
    setWindowTitle(QString::fromLatin1(kSetChannelLevelsCaption));

    auto* group = new QGroupBox(this);
    m_rbLevel = new QRadioButton(tr("Level (0..100)"), group);
    m_rbLevel->setObjectName(QStringLiteral("rbLevel"));
    m_rbLevel->setChecked(true);
    m_rbNull = new QRadioButton(tr("Null Channels"), group);
    m_rbNull->setObjectName(QStringLiteral("rbNull"));
    m_edit1 = new QLineEdit(group);
    m_edit1->setAccessibleName(tr("Level"));
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setMaxLength(3);
    m_edit1->setFixedWidth(m_edit1->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    auto* choices = new QButtonGroup(group);
    choices->addButton(m_rbLevel);
    choices->addButton(m_rbNull);

    auto* inner = new QGridLayout(group);
    inner->addWidget(m_rbLevel, 0, 0);
    inner->addWidget(m_edit1, 0, 1);
    inner->addWidget(m_rbNull, 1, 0, 1, 2);

    const TDialogButtons buttons = MakeDialogButtons(this, "btnApply", tr("Apply"));
    m_btnApply = buttons.ok;
    m_btnCancel = buttons.cancel;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons.line);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_rbLevel, &QRadioButton::toggled, m_edit1, &QLineEdit::setEnabled);
    connect(m_btnApply, &QPushButton::clicked, this, &TfmInputLevel2::accept);
}

void TfmInputLevel2::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_level = -1;
        m_edit1->clear();
        if (m_rbLevel->isChecked())
            m_edit1->setFocus();
    }
    QDialog::showEvent(event);
}

void TfmInputLevel2::accept()
{
    if (m_rbNull->isChecked()) {
        m_level = -1;
        QDialog::accept();
        return;
    }
    const auto percent = ParsePercent(m_edit1->text().toStdString());
    if (!percent) {
        m_ui.error(kMsgLevelRange);
        m_edit1->setFocus();
        return;
    }
    m_level = *percent;
    QDialog::accept();
}

} // namespace lumora
