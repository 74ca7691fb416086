#include "subs/rptSubs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

const char* const kFields[] = {"PgNo", "subNo", "name", "type", "tiimeUp", "timeHold", "timeDown", "Chan_Level"};

constexpr qreal kMargin = 12.7;
constexpr qreal kWidth = 215.9 - 2 * kMargin;
constexpr int kColumns = 8;
constexpr qreal kColumnGap = 3;
constexpr qreal kRowHeight = 4.2;

// A label in bold with its value after it, on one header line.
void AddLabelled(TReportBand& band, const char* label, const char* field, qreal left, qreal labelWidth, qreal right,
                 qreal top)
{
    band.texts.push_back(LiteralText(QString::fromLatin1(label), QRectF(left, top, labelWidth, 5), true, 9));
    const qreal valueLeft = left + labelWidth + 1.5;
    band.texts.push_back(FieldText(QString::fromLatin1(field), QRectF(valueLeft, top, right - valueLeft, 5), false, 9));
}

} // namespace

TReportDataSource SubsDataSource()
{
    QList<TReportColumn> columns;
    int position = 0;
    for (const char* field : kFields)
        columns.push_back({QString::fromLatin1(field), position++});
    return TReportDataSource(columns);
}

TReportLayout SubsLayout()
{
    TReportLayout layout;
    layout.paper = QPageSize::Letter;
    layout.orientation = QPageLayout::Portrait;
    layout.margins = QMarginsF(kMargin, kMargin, kMargin, kMargin);

    TReportBand& header = layout.pageHeader;
    header.texts.push_back(LiteralText(QString::fromLatin1(kSubsReportTitle), QRectF(0, 0, kWidth, 8), true, 14,
                                       Qt::AlignHCenter | Qt::AlignVCenter));
    header.texts.push_back({TReportTextKind::PrintDateTime, QStringLiteral("Printed "), QRectF(kWidth - 70, 0, 70, 5),
                            false, 8, Qt::AlignRight | Qt::AlignVCenter});
    header.rules.push_back(QLineF(0, 10, kWidth, 10));
    AddLabelled(header, "Page:", "PgNo", 0, 11, 24, 12);
    AddLabelled(header, "Submaster:", "subNo", 26, 21, 56, 12);
    AddLabelled(header, "Name:", "name", 58, 12, 130, 12);
    AddLabelled(header, "Type:", "type", 132, 11, kWidth, 12);
    AddLabelled(header, "Time Up:", "tiimeUp", 0, 17, 56, 18);
    AddLabelled(header, "Time Hold:", "timeHold", 58, 20, 130, 18);
    AddLabelled(header, "Time Down:", "timeDown", 132, 22, kWidth, 18);
    header.rules.push_back(QLineF(0, 25, kWidth, 25));
    const qreal columnWidth = (kWidth - kColumnGap * (kColumns - 1)) / kColumns;
    for (int c = 0; c < kColumns; ++c)
        header.texts.push_back(LiteralText(QStringLiteral("Chan : Lvl"),
                                           QRectF(c * (columnWidth + kColumnGap), 27, columnWidth, 5), true, 8));
    header.rules.push_back(QLineF(0, 33, kWidth, 33));
    header.height = 35;

    // The channel values flow down eight columns; each sub starts a page.
    layout.columns = kColumns;
    layout.columnGap = kColumnGap;
    layout.hasGroup = true;
    layout.group.field = QStringLiteral("PgNo");
    layout.group.andField = QStringLiteral("subNo");
    layout.group.newPage = true;
    TDetailBand row;
    row.band.height = kRowHeight;
    row.band.texts.push_back(FieldText(QStringLiteral("Chan_Level"), QRectF(0, 0, columnWidth, kRowHeight), false, 8));
    layout.detail.push_back(row);
    return layout;
}

TrptSubs::TrptSubs(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "rptSubs", kSubsDialogTitle)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_rbCurrent = addChoice("rbCurrent", tr("Current Submaster"));
    m_rbRange = addChoice("rbRange", tr("Page             Sub"));
    m_rbRange->setAccessibleName(tr("Page and Sub"));
    m_rbAll = addChoice("rbAll", tr("All Named Subs"));
    auto* pageLabel = new QLabel(tr("Page"), this);
    auto* subLabel = new QLabel(tr("Sub"), this);
    m_edtPage = addEntry("edtPage", pageLabel, 40);
    m_edtSub = addEntry("edtSub", subLabel, 40);
    m_edtPage->setToolTip(QStringLiteral("1 - 12"));
    m_edtSub->setToolTip(QStringLiteral("1 - 24"));
    pageLabel->hide(); // the choice's caption names both entries
    subLabel->hide();
    m_channels = addChannelChoice(false, QString());
    connect(m_channels.cbChan, &QCheckBox::toggled, this,
            [this](bool on) { m_channels.edtChan->setToolTip(on ? QStringLiteral("1..512") : QString()); });

    auto* range = new QHBoxLayout;
    range->addWidget(m_rbRange);
    range->addWidget(m_edtPage);
    range->addWidget(m_edtSub);
    range->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rbCurrent);
    layout->addLayout(range);
    layout->addWidget(m_rbAll);
    layout->addSpacing(6);
    layout->addLayout(m_channels.line);
    layout->addLayout(addButtons());
    setFixedSize(sizeHint());
}

void TrptSubs::setDefaultSelection()
{
    m_rbCurrent->setEnabled(m_forCurrent);
    (m_forCurrent ? m_rbCurrent : m_rbAll)->setChecked(true);
    m_edtPage->clear();
    m_edtSub->clear();
}

int TrptSubs::openForCurrent(int page, int sub)
{
    m_forCurrent = true;
    m_page = page;
    m_sub = sub;
    const int result = exec();
    m_forCurrent = false;
    return result;
}

TSubsChoice TrptSubs::choice() const
{
    TSubsChoice c;
    c.mode = m_rbCurrent->isChecked() && m_rbCurrent->isEnabled() ? TSubsMode::Current
             : m_rbRange->isChecked()                             ? TSubsMode::Range
                                                                  : TSubsMode::All;
    c.currentPage = m_page;
    c.currentSub = m_sub;
    c.pageText = m_edtPage->text().toStdString();
    c.subText = m_edtSub->text().toStdString();
    c.limitChannels = m_channels.cbChan->isChecked();
    c.channelText = m_channels.edtChan->text().toStdString();
    return c;
}

TReportOutcome TrptSubs::btnPrintClick()
{
    const TSubsChoice c = choice();
    return writeThenPreview(
        kSubsReportFile,
        [&](const std::string& path) { return PrintSubsReport(m_state.show().subs, c, m_state.ui(), path); },
        SubsDataSource(), SubsLayout(), QString::fromLatin1(kSubsReportTitle));
}

} // namespace lumora
