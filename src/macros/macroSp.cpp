#include "macros/macroSp.h"

#include "widgets/DialogButtons.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

TfmMacroSp::TfmMacroSp(IUserInterface& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("fmMacroSp"));
    setWindowTitle(QString::fromLatin1(kMacroSpCaption));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    const auto choice = [this](const char* name, const QString& text) {
        auto* b = new QRadioButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    const auto entry = [this](const char* name, const QString& accessible) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setAccessibleName(accessible);
        e->setMaxLength(3);
        e->setMaximumWidth(50);
        e->setToolTip(QStringLiteral("0 - 255"));
        return e;
    };
    m_rbSub = choice("rbSub", tr("Load Sub Handle"));
    m_rbAction = choice("rbAction", tr("Run Action"));
    m_rbPosition = choice("rbPosition", tr("Run Position"));
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {m_rbSub, m_rbAction, m_rbPosition})
        group->addButton(b);
    m_edtSubX = entry("edtSubX", tr("Sub handle"));
    m_edtSubY = entry("edtSubY", tr("with Effect"));
    m_edtAction = entry("edtAction", tr("Action"));
    m_edtPosition = entry("edtPosition", tr("Position"));
    auto* withEffect = new QLabel(tr("with Effect"), this);
    withEffect->setBuddy(m_edtSubY);

    const TDialogButtons buttons = MakeDialogButtons(this, "btnOK", tr("OK"));
    m_btnOk = buttons.ok;
    m_btnCancel = buttons.cancel;
    connect(m_btnOk, &QPushButton::clicked, this, &TfmMacroSp::btnOkClick);
    for (QRadioButton* b : {m_rbSub, m_rbAction, m_rbPosition})
        connect(b, &QRadioButton::toggled, this, &TfmMacroSp::follow);

    auto* grid = new QGridLayout;
    grid->addWidget(m_rbSub, 0, 0);
    grid->addWidget(m_edtSubX, 0, 1);
    grid->addWidget(withEffect, 0, 2);
    grid->addWidget(m_edtSubY, 0, 3);
    grid->addWidget(m_rbAction, 1, 0);
    grid->addWidget(m_edtAction, 1, 1);
    grid->addWidget(m_rbPosition, 2, 0);
    grid->addWidget(m_edtPosition, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons.line);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_rbSub->setChecked(true);
    follow();
}

int TfmMacroSp::exec()
{
    m_rbSub->setChecked(true);
    for (QLineEdit* e : {m_edtSubX, m_edtSubY, m_edtAction, m_edtPosition})
        e->clear();
    follow();
    m_edtSubX->setFocus();
    return QDialog::exec();
}

void TfmMacroSp::follow()
{
    m_edtSubX->setEnabled(m_rbSub->isChecked());
    m_edtSubY->setEnabled(m_rbSub->isChecked());
    m_edtAction->setEnabled(m_rbAction->isChecked());
    m_edtPosition->setEnabled(m_rbPosition->isChecked());
}

void TfmMacroSp::btnOkClick()
{
    std::vector<QLineEdit*> entries;
    if (m_rbSub->isChecked()) {
        m_kind = TSpecialKind::LoadSubHandle;
        entries = {m_edtSubX, m_edtSubY};
    } else if (m_rbAction->isChecked()) {
        m_kind = TSpecialKind::RunAction;
        entries = {m_edtAction};
    } else {
        m_kind = TSpecialKind::RunPosition;
        entries = {m_edtPosition};
    }
    std::uint8_t values[2] = {0, 0};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto value = ReadSpecialValue(entries[i]->text().toStdString());
        if (!value) {
            m_ui.error(kMsgSpecialValue);
            entries[i]->setFocus();
            return;
        }
        values[i] = *value;
    }
    m_first = values[0];
    m_second = values[1];
    accept();
}

} // namespace lumora
