#include "subs/rptSubList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

struct TColumn {
    const char* field;
    const char* heading;
    qreal left;
    qreal width;
};

// Millimetres across the 190.5 mm between the margins.
constexpr TColumn kColumns[] = {
    {"PgNo", "Sub Page", 0, 20},
    {"subNo", "Sub No.", 20, 18},
    {"name", "Name", 38, 44},
    {"type", "Type", 82, 24},
    {"tiimeUp", "Time Up", 106, 26},
    {"timeHold", "Time Hold", 132, 28},
    {"timeDown", "Time Down", 160, 30.5},
};

constexpr qreal kMargin = 12.7;
constexpr qreal kWidth = 215.9 - 2 * kMargin;
constexpr qreal kRowHeight = 5;

} // namespace

TReportDataSource SubListDataSource()
{
    QList<TReportColumn> columns;
    int position = 0;
    for (const TColumn& column : kColumns)
        columns.push_back({QString::fromLatin1(column.field), position++});
    return TReportDataSource(columns);
}

TReportLayout SubListLayout()
{
    TReportLayout layout;
    layout.paper = QPageSize::Letter;
    layout.orientation = QPageLayout::Portrait;
    layout.margins = QMarginsF(kMargin, kMargin, kMargin, kMargin);

    TReportBand& header = layout.pageHeader;
    header.texts.push_back(LiteralText(QString::fromLatin1(kSubListReportTitle), QRectF(0, 0, kWidth, 9), true, 14,
                                       Qt::AlignHCenter | Qt::AlignVCenter));
    header.texts.push_back({TReportTextKind::PrintDateTime, QStringLiteral("Printed "), QRectF(kWidth - 70, 0, 70, 5),
                            false, 8, Qt::AlignRight | Qt::AlignVCenter});
    for (const TColumn& column : kColumns)
        header.texts.push_back(
            LiteralText(QString::fromLatin1(column.heading), QRectF(column.left, 12, column.width - 1, 6), true, 9));
    header.rules.push_back(QLineF(0, 19, kWidth, 19));
    header.height = 21;

    layout.hasGroup = true; // each sub page starts a page
    layout.group.field = QStringLiteral("PgNo");
    layout.group.newPage = true;
    TDetailBand row;
    row.band.height = kRowHeight;
    for (const TColumn& column : kColumns)
        row.band.texts.push_back(FieldText(QString::fromLatin1(column.field),
                                           QRectF(column.left, 0, column.width - 1, kRowHeight), false, 9));
    layout.detail.push_back(row);
    return layout;
}

TrptSubList::TrptSubList(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "rptSubList", kSubListDialogTitle)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_rbCurrent = addChoice("rbCurrent", tr("Current Sub Page"));
    m_rbRange = addChoice("rbRange", tr("Page"));
    m_rbAll = addChoice("rbAll", tr("All Sub Pages"));
    m_edit1 = addEntry("Edit1", nullptr, 40);
    m_edit1->setAccessibleName(tr("Page"));

    auto* range = new QHBoxLayout;
    range->addWidget(m_rbRange);
    range->addWidget(m_edit1);
    range->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rbCurrent);
    layout->addLayout(range);
    layout->addWidget(m_rbAll);
    layout->addLayout(addButtons());
    setFixedSize(sizeHint());
}

void TrptSubList::setDefaultSelection()
{
    m_rbCurrent->setEnabled(m_forCurrent);
    (m_forCurrent ? m_rbCurrent : m_rbAll)->setChecked(true);
    m_edit1->clear();
}

int TrptSubList::openForCurrent(int page)
{
    m_forCurrent = true;
    m_page = page;
    const int result = exec();
    m_forCurrent = false;
    return result;
}

TSubListChoice TrptSubList::choice() const
{
    TSubListChoice c;
    c.mode = m_rbCurrent->isChecked() && m_rbCurrent->isEnabled() ? TSubListMode::Current
             : m_rbRange->isChecked()                             ? TSubListMode::Page
                                                                  : TSubListMode::All;
    c.currentPage = m_page;
    c.pageText = m_edit1->text().toStdString();
    return c;
}

TReportOutcome TrptSubList::btnPrintClick()
{
    const TSubListChoice c = choice();
    return writeThenPreview(
        kSubListReportFile,
        [&](const std::string& path) { return PrintSubListReport(m_state.show().subs, c, m_state.ui(), path); },
        SubListDataSource(), SubListLayout(), QString::fromLatin1(kSubListReportTitle));
}

} // namespace lumora
