#include "cues/printTrack.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lumora {

namespace {

constexpr qreal kWidth = 279.4 - 2 * 6.35; // landscape, between the margins
constexpr qreal kCueWidth = 12;
constexpr qreal kTypeWidth = 29;
constexpr qreal kChannelsLeft = kCueWidth + kTypeWidth;
constexpr qreal kChannelWidth = (kWidth - kChannelsLeft) / kTrackChannelsPerPage;
constexpr qreal kRowHeight = 5.6;
constexpr qreal kHeadingHeight = 10;
constexpr int kFixedFields = 3;
constexpr qreal kTextSize = 8;
constexpr qreal kLevelSize = 7.5; // "100 t" in a column of 9 mm, with room to spare

QString Field(int n)
{
    return QStringLiteral("pe1ppField%1").arg(n);
}

// Cue, type and the 25 channel columns of one row.
void AddRowFields(TReportBand& band, qreal top, qreal height, bool bold)
{
    band.texts.push_back(FieldText(Field(2), QRectF(0, top, kCueWidth - 1, height), bold, kTextSize));
    band.texts.push_back(FieldText(Field(3), QRectF(kCueWidth, top, kTypeWidth - 1, height), bold, kTextSize));
    for (int i = 0; i < kTrackChannelsPerPage; ++i)
        band.texts.push_back(FieldText(Field(4 + i),
                                       QRectF(kChannelsLeft + i * kChannelWidth, top, kChannelWidth, height), bold, 8,
                                       Qt::AlignHCenter | Qt::AlignVCenter));
}

} // namespace

TReportDataSource TrackDataSource()
{
    QList<TReportColumn> columns;
    for (int n = 1; n <= kFixedFields + kTrackChannelsPerPage; ++n)
        columns.push_back({Field(n), n - 1});
    return TReportDataSource(columns);
}

TReportLayout TrackLayout()
{
    TReportLayout layout;
    layout.orientation = QPageLayout::Landscape;
    layout.margins = QMarginsF(6.35, 6.35, 6.35, 6.35);

    TReportBand& header = layout.pageHeader;
    header.texts.push_back({TReportTextKind::PrintDate, QStringLiteral("Printed "), QRectF(0, 0, 70, 5), false, 8,
                            Qt::AlignLeft | Qt::AlignVCenter});
    header.texts.push_back(LiteralText(QStringLiteral("Cue Tracking"), QRectF(0, 0, kWidth, 8), true, 14,
                                       Qt::AlignHCenter | Qt::AlignVCenter));
    header.texts.push_back(LiteralText(QStringLiteral("\"t\" indicates the level is tracked in."),
                                       QRectF(0, 9, kWidth, 5), false, 8, Qt::AlignHCenter | Qt::AlignVCenter));
    header.height = 17;

    // One data page per printed page.
    layout.hasGroup = true;
    layout.group.field = Field(1);
    layout.group.newPage = true;
    layout.group.keepTogether = true;

    TDetailBand heading;
    heading.match = TRowMatch::FieldEquals;
    heading.field = Field(2);
    heading.value = QStringLiteral("Cue");
    heading.band.height = kHeadingHeight;
    heading.band.texts.push_back(
        LiteralText(QStringLiteral("Channel:"), QRectF(kChannelsLeft, 0, 40, kHeadingHeight / 2), true, 8));
    AddRowFields(heading.band, kHeadingHeight / 2, kHeadingHeight / 2, true);
    heading.band.rules.push_back(QLineF(0, kHeadingHeight, kWidth, kHeadingHeight));
    heading.keepWithNext = true;

    TDetailBand cue;
    cue.band.height = kRowHeight;
    AddRowFields(cue.band, 0, kRowHeight, false);
    layout.detail = {heading, cue};
    return layout;
}

TrptTrack::TrptTrack(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "rptTrack", kTrackDialogTitle),
      m_channels(addChannelChoice(true, QString::fromLatin1(kTrackDefaultChannels)))
{
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_channels.line);
    layout->addSpacing(8);
    layout->addLayout(addButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TrptTrack::setDefaultSelection()
{
    m_channels.cbChan->setChecked(true);
    m_channels.edtChan->setText(QString::fromLatin1(kTrackDefaultChannels));
}

TReportOutcome TrptTrack::btnPrintClick()
{
    const TTrackChoice choice{m_channels.cbChan->isChecked(), m_channels.edtChan->text().toStdString()};
    return writeThenPreview(
        kTrackReportFile,
        [&](const std::string& path) { return PrintTrackReport(m_state.show().cueList, choice, m_state.ui(), path); },
        TrackDataSource(), TrackLayout(), QString::fromLatin1(kTrackReportTitle));
}

void ShowTrackReport(QWidget* parent, TEditorState& state)
{
    TrptTrack(state, parent).exec();
}

} // namespace lumora
