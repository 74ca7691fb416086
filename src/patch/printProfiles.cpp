#include "patch/printProfiles.h"

#include "print/Preview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

constexpr qreal kWidth = 215.9 - 2 * 12.7;
constexpr qreal kLabelWidth = 20;
constexpr qreal kValueWidth = (kWidth - kLabelWidth) / 16;
constexpr qreal kLineHeight = 5;

QString InField(int j)
{
    return QStringLiteral("in%1").arg(j);
}
QString OutField(int j)
{
    return QStringLiteral("out%1").arg(j);
}

} // namespace

TReportDataSource ProfilesDataSource()
{
    QList<TReportColumn> columns{{QStringLiteral("ID"), 0}};
    for (int j = 0; j < 16; ++j)
        columns.push_back({InField(j), 1 + j});
    for (int j = 0; j < 16; ++j)
        columns.push_back({OutField(j), 17 + j});
    return TReportDataSource(columns);
}

TReportLayout ProfilesLayout()
{
    TReportLayout layout;
    layout.orientation = QPageLayout::Portrait;
    layout.margins = QMarginsF(12.7, 12.7, 12.7, 12.7);

    // Every profile starts a page, even after one of the same name.
    layout.hasGroup = true;
    layout.group.field = QStringLiteral("ID");
    layout.group.newPage = true;
    layout.group.rowsPerGroup = kProfileRecordsEach;
    TReportBand& header = layout.group.header;
    header.texts.push_back(LiteralText(QString::fromLatin1(kProfileReportTitle), QRectF(0, 0, kWidth, 9), true, 14,
                                       Qt::AlignHCenter | Qt::AlignVCenter));
    header.rules.push_back(QLineF(0, 10, kWidth, 10));
    header.texts.push_back({TReportTextKind::PrintDate, QStringLiteral("Printed "), QRectF(0, 11, 80, 5), false, 8,
                            Qt::AlignLeft | Qt::AlignVCenter});
    header.texts.push_back(
        FieldText(QStringLiteral("ID"), QRectF(0, 18, kWidth, 8), true, 12, Qt::AlignHCenter | Qt::AlignVCenter));
    header.height = 30;

    TDetailBand record;
    record.band.height = 2 * kLineHeight + 3;
    record.band.texts.push_back(
        LiteralText(QStringLiteral("DMX In"), QRectF(0, 0, kLabelWidth, kLineHeight), true, 8.5));
    record.band.texts.push_back(
        LiteralText(QStringLiteral("DMX Out"), QRectF(0, kLineHeight, kLabelWidth, kLineHeight), false, 8.5));
    for (int j = 0; j < 16; ++j) {
        const qreal x = kLabelWidth + j * kValueWidth;
        record.band.texts.push_back(FieldText(InField(j), QRectF(x, 0, kValueWidth - 1, kLineHeight), true, 8.5,
                                              Qt::AlignRight | Qt::AlignVCenter));
        record.band.texts.push_back(FieldText(OutField(j), QRectF(x, kLineHeight, kValueWidth - 1, kLineHeight), false,
                                              8.5, Qt::AlignRight | Qt::AlignVCenter));
    }
    record.band.rules.push_back(QLineF(0, 2 * kLineHeight + 1.5, kWidth, 2 * kLineHeight + 1.5));
    layout.detail.push_back(record);
    return layout;
}

TrptProfiles::TrptProfiles(TEditorState& state, QWidget* parent)
    : TReportDialog(state, parent, nullptr, "rptProfiles", kProfileDialogTitle)
{
    m_rbAll = addChoice("rbAll", tr("All Profiles"));
    m_rbRange = addChoice("rbRange", tr("From"));
    m_rbCurrent = addChoice("rbCurrent", tr("Current Profile"));
    m_edtFrom = addEntry("edtFrom");
    m_edtFrom->setAccessibleName(tr("From profile"));
    m_edtTo = addEntry("edtTo");
    m_edtTo->setAccessibleName(tr("To profile"));
    // The entries sit on the range button's line, between and after its words.
    auto* range = new QHBoxLayout;
    range->addWidget(m_rbRange);
    range->addWidget(m_edtFrom);
    range->addWidget(new QLabel(tr("To"), this));
    range->addWidget(m_edtTo);
    range->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rbAll);
    layout->addLayout(range);
    layout->addWidget(m_rbCurrent);
    layout->addLayout(addButtons());
    setDefaultSelection();
}

void TrptProfiles::setDefaultSelection()
{
    m_edtFrom->clear();
    m_edtTo->clear();
    m_rbAll->setChecked(true);
    m_rbCurrent->setEnabled(false);
}

int TrptProfiles::openForCurrent(int profile)
{
    m_current = profile;
    m_rbCurrent->setEnabled(true);
    m_rbCurrent->setChecked(true);
    return QDialog::exec();
}

TReportOutcome TrptProfiles::btnPrintClick()
{
    TProfileReportChoice choice;
    choice.which = m_rbCurrent->isChecked() ? TProfileChoice::Current
                   : m_rbRange->isChecked() ? TProfileChoice::Range
                                            : TProfileChoice::All;
    choice.fromText = m_edtFrom->text().trimmed().toStdString();
    choice.toText = m_edtTo->text().trimmed().toStdString();
    choice.current = m_current;
    const auto range = ProfileReportRange(choice, m_state.ui());
    if (!range)
        return TReportOutcome::Refused;
    TReportDocument document;
    {
        TBusyCursor busy(m_state.ui());
        TReportDataSource source = ProfilesDataSource();
        source.setRows(ProfileReportRecords(m_state.show().profiles, range->first, range->second));
        document = LayOutReport(ProfilesLayout(), source);
        source.close();
    }
    PreviewReport(isVisible() ? this : parentWidget(), document, QString::fromLatin1(kProfileReportTitle));
    return TReportOutcome::Written;
}

} // namespace lumora
