#include "cues/InsertQ.h"

#include "widgets/DialogButtons.h"

#include "cues/CueList.h"
#include "cues/CueTexts.h"
#include "show/LumoraError.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

TfmInsertQ::TfmInsertQ(IUserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_ui(ui)
{
    setObjectName(QStringLiteral("fmInsertQ"));
    setWindowTitle(QString::fromLatin1(kInsertCueCaption));

    m_edtCueNo = new QLineEdit(this);
    m_edtCueNo->setObjectName(QStringLiteral("edtCueNo"));
    m_comboBox1 = new QComboBox(this);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (int code = kCuePreset; code <= kCueMultipart; ++code)
        m_comboBox1->addItem(QString::fromStdString(CueTypeName(code)));
    m_comboBox1->setCurrentIndex(kCuePreset);

    const TDialogButtons buttons = MakeDialogButtons(this, "btnOK", tr("OK"));
    m_btnOK = buttons.ok;
    m_btnCancel = buttons.cancel;

    auto* fields = new QGridLayout;
    auto* numberLabel = new QLabel(tr("Cue Number:"), this);
    numberLabel->setBuddy(m_edtCueNo);
    auto* typeLabel = new QLabel(tr("Cue Type:"), this);
    typeLabel->setBuddy(m_comboBox1);
    fields->addWidget(numberLabel, 0, 0);
    fields->addWidget(m_edtCueNo, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("(0.1 - 999.9)"), this), 0, 2);
    fields->addWidget(typeLabel, 1, 0);
    fields->addWidget(m_comboBox1, 1, 1, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons.line);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_btnOK, &QPushButton::clicked, this, &TfmInsertQ::accept);
}

void TfmInsertQ::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_number = -1;
        m_edtCueNo->clear();
        m_edtCueNo->setFocus();
    }
    QDialog::showEvent(event);
}

void TfmInsertQ::accept()
{
    const auto number = ParseCueNumber(m_edtCueNo->text().toStdString());
    if (!number) {
        m_ui.error(kMsgCueRange);
        m_edtCueNo->setFocus();
        return;
    }
    try {
        m_type = CueTypeFromName(m_comboBox1->currentText().toStdString());
    } catch (const ELumoraError& e) {
        m_ui.error(e.what());
        return;
    }
    m_number = *number;
    QDialog::accept();
}

} // namespace lumora
