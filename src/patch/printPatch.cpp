#include "patch/printPatch.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lumora {

namespace {

struct TColumn {
    const char* field;
    const char* heading;
    qreal left;
    qreal width;
};

constexpr qreal kWidth = 215.9 - 2 * 12.7;
constexpr qreal kGap = 6;
constexpr qreal kColumnWidth = (kWidth - kGap) / 2;
constexpr qreal kRowHeight = 4.4;

// The seven fields of a line; the profile is in the file but not printed.
constexpr const char* kFields[kPatchReportFields] = {"Page",   "Dimmer",  "Channel", "Level",
                                                     "Nondim", "Profile", "Parked"};
// Millimetres within one of the two columns.
constexpr TColumn kPrinted[] = {
    {"Page", "Page", 0, 12},    {"Dimmer", "Dimmer", 12, 16},  {"Channel", "Channel", 28, 17},
    {"Level", "Level", 45, 14}, {"Nondim", "Non-Dim", 59, 16}, {"Parked", "Parked", 75, 14},
};

} // namespace

TReportDataSource PatchDataSource()
{
    QList<TReportColumn> columns;
    for (int i = 0; i < kPatchReportFields; ++i)
        columns.push_back({QString::fromLatin1(kFields[i]), i});
    return TReportDataSource(columns);
}

TReportLayout PatchLayout()
{
    TReportLayout layout;
    layout.orientation = QPageLayout::Portrait;
    layout.margins = QMarginsF(12.7, 12.7, 12.7, 12.7);
    layout.columns = 2;
    layout.columnGap = kGap;

    TReportBand& header = layout.pageHeader;
    header.texts.push_back(LiteralText(QString::fromLatin1(kPatchReportTitle), QRectF(0, 0, kWidth, 9), true, 14,
                                       Qt::AlignHCenter | Qt::AlignVCenter));
    header.rules.push_back(QLineF(0, 10, kWidth, 10));
    header.texts.push_back({TReportTextKind::PrintDate, QStringLiteral("Printed "), QRectF(0, 11, 80, 5), false, 8,
                            Qt::AlignLeft | Qt::AlignVCenter});
    for (int c = 0; c < 2; ++c) {
        const qreal x = c * (kColumnWidth + kGap);
        for (const TColumn& column : kPrinted)
            header.texts.push_back(LiteralText(QString::fromLatin1(column.heading),
                                               QRectF(x + column.left, 18, column.width - 1, 5), true, 8.5,
                                               Qt::AlignHCenter | Qt::AlignVCenter));
        header.rules.push_back(QLineF(x, 23.5, x + kColumnWidth, 23.5));
    }
    header.height = 25;

    layout.hasGroup = true;
    layout.group.field = QStringLiteral("Page");
    layout.group.keepTogether = true;
    layout.group.header.height = 0;

    TDetailBand row;
    row.band.height = kRowHeight;
    for (const TColumn& column : kPrinted)
        row.band.texts.push_back(FieldText(QString::fromLatin1(column.field),
                                           QRectF(column.left, 0, column.width - 1, kRowHeight), false, 8.5,
                                           Qt::AlignHCenter | Qt::AlignVCenter));
    layout.detail.push_back(row);
    return layout;
}

TprintPatchesfrm::TprintPatchesfrm(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "printPatchesfrm", kPatchDialogTitle)
{
    auto* panel = new QGroupBox(tr("Print Page(s)"), this);
    panel->setObjectName(QStringLiteral("Panel1"));
    m_cbPg1 = new QCheckBox(tr("Page 1"), panel);
    m_cbPg1->setObjectName(QStringLiteral("cbPg1"));
    m_cbPg2 = new QCheckBox(tr("Page 2"), panel);
    m_cbPg2->setObjectName(QStringLiteral("cbPg2"));
    auto* pages = new QHBoxLayout(panel);
    pages->addWidget(m_cbPg1);
    pages->addWidget(m_cbPg2);

    m_cbRange = new QCheckBox(tr("Print only through dimmer #"), this);
    m_cbRange->setObjectName(QStringLiteral("cbRange"));
    m_edtRange = addEntry("edtRange", nullptr);
    m_edtRange->setAccessibleName(tr("Last dimmer to print"));
    m_edtRange->setToolTip(QStringLiteral("1..1024"));
    connect(m_cbRange, &QCheckBox::toggled, m_edtRange, &QLineEdit::setEnabled);
    auto* range = new QHBoxLayout;
    range->addWidget(m_cbRange);
    range->addWidget(m_edtRange);
    range->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(range);
    layout->addLayout(addButtons());
    setDefaultSelection();
}

void TprintPatchesfrm::setDefaultSelection()
{
    m_cbPg1->setChecked(true);
    m_cbPg2->setChecked(false);
    m_cbRange->setChecked(false);
    m_edtRange->setEnabled(false);
}

TReportOutcome TprintPatchesfrm::btnPrintClick()
{
    const TPatchReportChoice choice{m_cbPg1->isChecked(), m_cbPg2->isChecked(), m_cbRange->isChecked(),
                                    m_edtRange->text().trimmed().toStdString()};
    return writeThenPreview(
        kPatchReportFile,
        [this, choice](const std::string& path) {
            return PrintPatchReport(m_state.show().patches, choice, m_state.ui(), path);
        },
        PatchDataSource(), PatchLayout(), QString::fromLatin1(kPatchReportTitle));
}

} // namespace lumora
