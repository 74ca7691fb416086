#include "cues/rptCueList.h"

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
    {"cue", "Cue", 0, 12},
    {"name", "Name", 12, 36},
    {"type", "Type", 48, 33},
    {"timeUp", "Time Up", 81, 18},
    {"timeDown", "Time Down", 99, 21},
    {"delayUp", "Delay Up", 120, 19},
    {"delauDown", "Delay Down", 139, 22},
    {"Link", "Link", 161, 14},
    {"macro", "Macro", 175, 15.5},
};

constexpr qreal kRowHeight = 5;

} // namespace

TReportDataSource CueListDataSource()
{
    QList<TReportColumn> columns;
    int position = 0;
    for (const TColumn& column : kColumns)
        columns.push_back({QString::fromLatin1(column.field), position++});
    return TReportDataSource(columns);
}

TReportLayout CueListLayout()
{
    TReportLayout layout;
    layout.orientation = QPageLayout::Portrait;
    layout.margins = QMarginsF(12.7, 12.7, 12.7, 12.7);
    const qreal width = 215.9 - 2 * 12.7;

    TReportBand& header = layout.pageHeader;
    header.texts.push_back(
        LiteralText(QStringLiteral("Cue List"), QRectF(0, 0, width, 9), true, 14, Qt::AlignHCenter | Qt::AlignVCenter));
    header.rules.push_back(QLineF(0, 11, width, 11));
    for (const TColumn& column : kColumns)
        header.texts.push_back(
            LiteralText(QString::fromLatin1(column.heading), QRectF(column.left, 13, column.width - 1, 6), true, 8.5));
    header.height = 21;

    TDetailBand row;
    row.band.height = kRowHeight;
    for (const TColumn& column : kColumns)
        row.band.texts.push_back(FieldText(QString::fromLatin1(column.field),
                                           QRectF(column.left, 0, column.width - 1, kRowHeight), false, 9));
    layout.detail.push_back(row);
    return layout;
}

TprintCueList::TprintCueList(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "printCueList", kCueListReportTitle)
{
}

int TprintCueList::exec()
{
    btnPrintClick();
    return QDialog::Accepted;
}

TReportOutcome TprintCueList::btnPrintClick()
{
    return writeThenPreview(
        kCueListReportFile,
        [this](const std::string& path) { return PrintCueListReport(m_state.show().cueList, m_state.ui(), path); },
        CueListDataSource(), CueListLayout(), QString::fromLatin1(kCueListReportTitle));
}

void ShowCueListReport(QWidget* parent, TEditorState& state)
{
    TprintCueList(state, parent).exec();
}

} // namespace lumora
