#include "print/ReportDialog.h"

#include "print/Preview.h"
#include "show/LumoraError.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace lumora {

TReportDialog::TReportDialog(TEditorState& state, QWidget* parent, IReportFolder* folder, const char* objectName,
                             const char* title)
    : QDialog(parent), m_state(state), m_folder(folder)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(title));
}

int TReportDialog::exec()
{
    setDefaultSelection();
    return QDialog::exec();
}

QRadioButton* TReportDialog::addChoice(const char* name, const QString& text)
{
    if (!m_choices)
        m_choices = new QButtonGroup(this);
    auto* button = new QRadioButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    m_choices->addButton(button);
    return button;
}

QLineEdit* TReportDialog::addEntry(const char* name, QLabel* label, int width)
{
    auto* entry = new QLineEdit(this);
    entry->setObjectName(QString::fromLatin1(name));
    entry->setMaximumWidth(width);
    if (label) {
        label->setBuddy(entry);
        entry->setAccessibleName(label->text().remove(QLatin1Char('&')).trimmed());
    }
    return entry;
}

TChannelChoice TReportDialog::addChannelChoice(bool checked, const QString& channels)
{
    TChannelChoice c{};
    c.cbChan = new QCheckBox(this);
    c.cbChan->setObjectName(QStringLiteral("cbChan"));
    c.cbChan->setChecked(checked);
    c.lblChan = new QLabel(tr("Print channels up through"), this);
    c.lblChan->setObjectName(QStringLiteral("lblChan"));
    c.cbChan->setAccessibleName(c.lblChan->text());
    c.edtChan = addEntry("edtChan", nullptr);
    c.edtChan->setText(channels);
    c.edtChan->setToolTip(QStringLiteral("1..512"));
    c.edtChan->setAccessibleName(tr("Last channel to print"));
    c.lblChan->setBuddy(c.edtChan);

    c.line = new QHBoxLayout;
    c.line->addWidget(c.cbChan);
    c.line->addWidget(c.lblChan);
    c.line->addWidget(c.edtChan);
    c.line->addStretch();

    const auto follow = [c] {
        const bool on = c.cbChan->isChecked();
        c.lblChan->setEnabled(on);
        c.edtChan->setEnabled(on);
    };
    connect(c.cbChan, &QCheckBox::toggled, this, follow);
    follow();
    return c;
}

QHBoxLayout* TReportDialog::addButtons()
{
    m_btnPrint = new QPushButton(tr("Print"), this);
    m_btnPrint->setObjectName(QStringLiteral("btnPrint"));
    m_btnPrint->setDefault(true);
    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(m_btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnPrint);
    buttons->addWidget(m_btnClose);
    return buttons;
}

TReportOutcome TReportDialog::writeThenPreview(const char* fileName,
                                               const std::function<TReportOutcome(const std::string&)>& write,
                                               TReportDataSource source, const TReportLayout& layout,
                                               const QString& title)
{
    IUserInterface& ui = m_state.ui();
    try {
        const std::string path =
            ReportFilePath(m_folder ? *m_folder : ReportFolder(), fileName).value_or(std::string());
        const TReportOutcome outcome = write(path);
        if (outcome == TReportOutcome::Written)
            RunReport(isVisible() ? this : parentWidget(), ui, path, source, layout, title);
        return outcome;
    } catch (const ELumoraError& e) {
        ui.error(e.what()); // as the general error handler shows it
        return TReportOutcome::Refused;
    }
}

} // namespace lumora
