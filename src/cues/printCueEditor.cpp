#include "cues/printCueEditor.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumora {

namespace {

constexpr qreal kWidth = 215.9 - 2 * 6.35; // between the margins
constexpr qreal kRowHeight = 4.5;          // 26 channel and level pairs fit one page
constexpr qreal kLabelWidth = 16;
constexpr int kHeaderFields = 9;

const char* const kFields[kHeaderFields] = {"cueNum",  "name",      "cueType", "timeUp", "tiimeDown",
                                            "delayUp", "delayDown", "link",    "macro"};

QString ValueField(int i)
{
    return QStringLiteral("pe1ppField%1").arg(10 + i);
}

// A label in bold with its value after it, on one header line.
void AddLabelled(TReportBand& band, const char* label, const char* field, qreal left, qreal labelWidth, qreal right,
                 qreal top)
{
    constexpr qreal kGap = 1.5;
    band.texts.push_back(LiteralText(QString::fromLatin1(label), QRectF(left, top, labelWidth, 5), true, 9));
    const qreal valueLeft = left + labelWidth + kGap;
    band.texts.push_back(FieldText(QString::fromLatin1(field), QRectF(valueLeft, top, right - valueLeft, 5), false, 9));
}

TReportBand ValueRow(const char* label, bool bold, bool ruleBelow)
{
    TReportBand band;
    band.height = kRowHeight;
    band.texts.push_back(LiteralText(QString::fromLatin1(label), QRectF(0, 0, kLabelWidth, kRowHeight), true, 7.5));
    const qreal column = (kWidth - kLabelWidth) / kCueLevelsBlock;
    for (int i = 0; i < kCueLevelsBlock; ++i)
        band.texts.push_back(FieldText(ValueField(i), QRectF(kLabelWidth + i * column, 0, column, kRowHeight), bold,
                                       7.5, Qt::AlignHCenter | Qt::AlignVCenter));
    if (ruleBelow)
        band.rules.push_back(QLineF(0, kRowHeight, kWidth, kRowHeight));
    return band;
}

} // namespace

TReportDataSource CueLevelsDataSource()
{
    QList<TReportColumn> columns;
    for (int i = 0; i < kHeaderFields; ++i)
        columns.push_back({QString::fromLatin1(kFields[i]), i});
    for (int i = 0; i < kCueLevelsBlock; ++i)
        columns.push_back({ValueField(i), kHeaderFields + i});
    return TReportDataSource(columns);
}

TReportLayout CueLevelsLayout()
{
    TReportLayout layout;
    layout.orientation = QPageLayout::Portrait;
    layout.margins = QMarginsF(6.35, 6.35, 6.35, 6.35);

    TReportBand& header = layout.pageHeader;
    header.texts.push_back(LiteralText(QStringLiteral("Cue Levels"), QRectF(0, 0, kWidth, 8), true, 14,
                                       Qt::AlignHCenter | Qt::AlignVCenter));
    header.texts.push_back({TReportTextKind::PrintDate, QStringLiteral("Printed "), QRectF(kWidth - 60, 0, 60, 5),
                            false, 8, Qt::AlignRight | Qt::AlignVCenter});
    header.texts.push_back(LiteralText(QStringLiteral("\"t\" indicates the level is tracked in."),
                                       QRectF(0, 9, kWidth, 5), false, 8, Qt::AlignHCenter | Qt::AlignVCenter));
    // Label widths hold the bold labels at 9 points; each value runs to the next label.
    AddLabelled(header, "Cue #:", "cueNum", 0, 12, 33, 16);
    AddLabelled(header, "Name:", "name", 35, 11.5, 102, 16);
    AddLabelled(header, "Type:", "cueType", 104, 10.5, kWidth, 16);
    AddLabelled(header, "Time Up:", "timeUp", 0, 16, 31, 22);
    AddLabelled(header, "Time Down:", "tiimeDown", 33, 21, 68, 22);
    AddLabelled(header, "Delay Up:", "delayUp", 70, 18, 102, 22);
    AddLabelled(header, "Delay Down:", "delayDown", 104, 23, 141, 22);
    AddLabelled(header, "Link:", "link", 143, 9.5, 166, 22);
    AddLabelled(header, "Macro:", "macro", 168, 13, kWidth, 22);
    header.rules.push_back(QLineF(0, 29, kWidth, 29));
    header.height = 31;

    // Counting from each page's first row, odd rows are channel lines and even rows level
    // lines; a channel line always takes its level line along to the next page.
    TDetailBand channels{TRowMatch::OddRowOnPage, {}, {}, ValueRow("Channel", true, false), true};
    TDetailBand levels{TRowMatch::EvenRowOnPage, {}, {}, ValueRow("Level", false, true), false};
    layout.detail = {channels, levels};
    return layout;
}

TrptCueEditor::TrptCueEditor(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "rptCueEditor", kCueLevelsDialogTitle)
{
    auto* prompt = new QLabel(tr("Please select a cue ..."), this);
    prompt->setObjectName(QStringLiteral("lblSelect"));
    m_lvCues = new QTreeWidget(this);
    m_lvCues->setObjectName(QStringLiteral("lvCues"));
    m_lvCues->setAccessibleName(tr("Cues"));
    prompt->setBuddy(m_lvCues);
    m_lvCues->setColumnCount(2);
    m_lvCues->setHeaderHidden(true);
    m_lvCues->setRootIsDecorated(false);
    m_lvCues->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvCues->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvCues->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvCues->setUniformRowHeights(true);
    m_lvCues->setMinimumSize(260, 240);

    m_channels = addChannelChoice(false, QString());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_lvCues, 1);
    layout->addLayout(m_channels.line);
    layout->addLayout(addButtons());
}

void TrptCueEditor::setDefaultSelection()
{
    m_channels.cbChan->setChecked(false);
    m_channels.edtChan->clear();
}

void TrptCueEditor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TrptCueEditor::FormShow()
{
    m_lvCues->clear();
    const TCueList& cues = m_state.show().cueList;
    const int count = std::min<int>(cues.count, kMaxCues);
    QList<QTreeWidgetItem*> items;
    items.reserve(count);
    for (int k = 1; k <= count; ++k) {
        const TCueRecord& cue = cues.cue(k);
        items.push_back(
            new QTreeWidgetItem({QString::fromStdString(ReportTenths(cue.number)), ReportFieldText(cue.name.str())}));
    }
    m_lvCues->addTopLevelItems(items);
    if (count > 0)
        m_lvCues->setCurrentItem(m_lvCues->topLevelItem(0));
    else
        m_state.ui().information(kMsgNothingToPrint);
}

TReportOutcome TrptCueEditor::btnPrintClick()
{
    const int row = m_lvCues->currentIndex().isValid() ? m_lvCues->currentIndex().row() + 1 : 1;
    const TCueLevelsChoice choice{m_channels.cbChan->isChecked(), m_channels.edtChan->text().toStdString()};
    return writeThenPreview(
        kCueEditReportFile,
        [&](const std::string& path) {
            return PrintCueLevelsReport(m_state.show().cueList, row, choice, m_state.ui(), path);
        },
        CueLevelsDataSource(), CueLevelsLayout(), QString::fromLatin1(kCueLevelsReportTitle));
}

void ShowCueLevelsReport(QWidget* parent, TEditorState& state)
{
    TrptCueEditor(state, parent).exec();
}

} // namespace lumora
