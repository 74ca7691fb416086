#include "cues/CopyRnge.h"

#include "widgets/DialogButtons.h"

#include "cues/CueTexts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

TfmCopyRange::TfmCopyRange(IUserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_ui(ui)
{
    setObjectName(QStringLiteral("fmCopyRange"));
    setWindowTitle(QString::fromLatin1(kCopyRangeCaption));

    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    const TDialogButtons buttons = MakeDialogButtons(this, "btnOK", tr("OK"));
    m_btnOK = buttons.ok;
    m_btnCancel = buttons.cancel;

    auto* number = new QHBoxLayout;
    auto* label = new QLabel(tr("Paste starting with Cue #:"), this);
    label->setBuddy(m_edit1);
    number->addWidget(label);
    number->addWidget(m_edit1);

    auto* warning1 = new QLabel(QStringLiteral("Warning:   Any overlapping Cues"), this);
    auto* warning2 = new QLabel(QStringLiteral("will be overridden."), this);
    for (QLabel* w : {warning1, warning2}) {
        QPalette red = w->palette();
        red.setColor(QPalette::WindowText, Qt::red);
        w->setPalette(red);
        w->setAlignment(Qt::AlignHCenter);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(number);
    layout->addSpacing(6);
    layout->addWidget(warning1);
    layout->addWidget(warning2);
    layout->addSpacing(8);
    layout->addLayout(buttons.line);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_btnOK, &QPushButton::clicked, this, &TfmCopyRange::okClick);
}

void TfmCopyRange::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_edit1->clear();
        m_number = -1;
        m_accepted = false;
        m_edit1->setFocus();
    }
    QDialog::showEvent(event);
}

bool TfmCopyRange::take()
{
    const auto number = ParseCueNumber(m_edit1->text().toStdString());
    if (!number) {
        m_ui.error(kMsgCueNumberRange);
        m_accepted = false;
        return false;
    }
    m_number = *number;
    m_accepted = true;
    return true;
}

void TfmCopyRange::okClick()
{
    take();
    QDialog::accept();
}

void TfmCopyRange::enterPressed()
{
    if (take())
        QDialog::accept();
    else
        m_edit1->setFocus();
}

void TfmCopyRange::reject()
{
    m_number = -1;
    m_accepted = false;
    QDialog::reject();
}

void TfmCopyRange::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            enterPressed();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace lumora
