#include "macros/printMacros4.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

constexpr qreal kWidth = 215.9 - 2 * 12.7;
constexpr qreal kGap = 10;
constexpr qreal kColumnWidth = (kWidth - kGap) / 2;
constexpr qreal kRowHeight = 4.6;

const char* const kFields[kMacroReportFields] = {"MacroNo", "Step", "KeyStroke"};

QString F(int n)
{
    return QString::fromLatin1(kFields[n]);
}

} // namespace

TReportDataSource MacroDataSource()
{
    QList<TReportColumn> columns;
    for (int n = 0; n < kMacroReportFields; ++n)
        columns.push_back({F(n), n});
    return TReportDataSource(columns);
}

TReportLayout MacroLayout()
{
    TReportLayout layout;
    layout.columns = 2;
    layout.columnGap = kGap;

    TReportBand& header = layout.pageHeader;
    header.texts.push_back(LiteralText(QStringLiteral("Macros"), QRectF(0, 0, kWidth, 9), true, 16, Qt::AlignCenter));
    header.texts.push_back({TReportTextKind::PrintDateTime, QStringLiteral("Printed "), QRectF(0, 2, 80, 5), false, 8,
                            Qt::AlignLeft | Qt::AlignVCenter});
    header.rules.push_back(QLineF(0, 11, kWidth, 11));
    header.height = 14;

    // Each macro under its own heading, its lines kept together.
    layout.hasGroup = true;
    layout.group.field = F(0);
    layout.group.keepTogether = true;
    TReportBand& heading = layout.group.header;
    heading.height = 8;
    heading.texts.push_back(LiteralText(QStringLiteral("Macro"), QRectF(0, 1, 16, 6), true, 10));
    heading.texts.push_back(FieldText(F(0), QRectF(16, 1, 30, 6), true, 10));
    heading.rules.push_back(QLineF(0, 7.2, kColumnWidth, 7.2));

    TDetailBand line;
    line.band.height = kRowHeight;
    line.band.texts.push_back(
        FieldText(F(1), QRectF(4, 0, 12, kRowHeight), false, 9, Qt::AlignRight | Qt::AlignVCenter));
    line.band.texts.push_back(FieldText(F(2), QRectF(22, 0, kColumnWidth - 22, kRowHeight), false, 9));
    layout.detail = {line};
    return layout;
}

TprintMacros4::TprintMacros4(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "printMacros4", kMacroDialogTitle),
      m_rbCurrent(addChoice("rbCurrent", tr("Current Macro"))), m_rbRange(addChoice("rbRange", tr("Range"))),
      m_rbAll(addChoice("rbAll", tr("All Valid Macros")))
{
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    auto* toLabel = new QLabel(tr("To"), this);
    m_edtFrom = addEntry("edtFrom");
    m_edtFrom->setAccessibleName(tr("From macro"));
    m_edtTo = addEntry("edtTo", toLabel);
    m_edtTo->setAccessibleName(tr("To macro"));

    auto* range = new QHBoxLayout;
    range->addWidget(m_rbRange);
    range->addWidget(m_edtFrom);
    range->addWidget(toLabel);
    range->addWidget(m_edtTo);
    range->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rbCurrent);
    layout->addLayout(range);
    layout->addWidget(m_rbAll);
    layout->addSpacing(8);
    layout->addLayout(addButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMode(false);
}

void TprintMacros4::setMode(bool current)
{
    m_rbCurrent->setEnabled(current);
    (current ? m_rbCurrent : m_rbAll)->setChecked(true);
    m_edtFrom->clear();
    m_edtTo->clear();
}

void TprintMacros4::setDefaultSelection()
{
    setMode(false);
}

int TprintMacros4::openForCurrent(int macro)
{
    m_current = macro;
    setMode(true);
    return QDialog::exec();
}

TReportOutcome TprintMacros4::btnPrintClick()
{
    TMacroReportChoice choice;
    choice.mode = m_rbCurrent->isChecked() && m_rbCurrent->isEnabled() ? TMacroReportMode::Current
                  : m_rbRange->isChecked()                             ? TMacroReportMode::Range
                                                                       : TMacroReportMode::All;
    choice.current = m_current;
    choice.fromText = m_edtFrom->text().trimmed().toStdString();
    choice.toText = m_edtTo->text().trimmed().toStdString();
    return writeThenPreview(
        kMacroReportFile,
        [&](const std::string& path) { return PrintMacroReport(m_state.show().macros, choice, m_state.ui(), path); },
        MacroDataSource(), MacroLayout(), QString::fromLatin1(kMacroReportTitle));
}

} // namespace lumora
