#include "cues/Track.h"

#include "cues/CueDialogs.h"
#include "cues/InputLev2.h"
#include "cues/InsertQ.h"
#include "show/LumoraError.h"
#include "widgets/Grid.h"
#include "widgets/GridDelegate.h"
#include "widgets/LevelPainter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStaticText>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace lumora {

namespace {

constexpr int kLevelWidth = 30;
constexpr int kRowHeight = 20;
constexpr int kCueWidth = 48;
constexpr int kTypeWidth = 124;

QString ToQt(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList TypeNames()
{
    QStringList names;
    for (int code = kCuePreset; code <= kCueMultipart; ++code)
        names << ToQt(CueTypeName(code));
    return names;
}

// The sheet's cells: no row of the sheet is ever selected or drawn in alternate colours,
// so the style need not be asked to paint a row panel under each of its cells.
class TSheetStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_PanelItemViewRow)
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

} // namespace

// The sheet's cells, worked out from the working copy as they are drawn. The percent
// texts are made once: a screenful of cells must not build a string each.
class TfmTrack::TCells final : public IGridSource {
public:
    explicit TCells(const TTrackSheet& sheet) : m_sheet(sheet)
    {
        for (int percent = 0; percent <= 100; ++percent)
            m_percents[percent] = QString::number(percent);
    }

    QString cellText(int row, int column) const override
    {
        const int cue = row + 1;
        if (column == kTrackCueColumn)
            return ToQt(m_sheet.cueText(cue));
        if (column == kTrackTypeColumn)
            return ToQt(m_sheet.typeText(cue));
        const int channel = TrackColumnChannel(column);
        if (channel == 0 || cue > m_sheet.count())
            return {};
        if (const std::string* kept = m_sheet.entryKept(cue, channel))
            return ToQt(*kept);
        const int shown = m_sheet.levelShown(cue, channel);
        return shown < 0 ? QString() : m_percents[shown];
    }
    QColor cellFontColour(int row, int column) const override
    {
        const int channel = TrackColumnChannel(column);
        if (channel == 0 || row >= m_sheet.count())
            return {};
        return m_sheet.levelTracked(row + 1, channel) ? QColor(Qt::red) : QColor(Qt::black);
    }
    QColor cellBackground(int row, int column) const override
    {
        const int channel = TrackColumnChannel(column);
        return channel != 0 && m_sheet.highlighted(row + 1, channel) ? kTrackSelectedColour : QColor();
    }

private:
    const TTrackSheet& m_sheet;
    std::array<QString, 101> m_percents;
};

// Draws the level cells straight from the sheet: the style's general item drawing lays
// out every text afresh, several times too slow for a screenful of a thousand-cue sheet.
// Editing is the grid's own: every editor call goes to the grid's delegate.
class TfmTrack::TLevelPainter final : public lumora::TLevelPainter {
public:
    TLevelPainter(const TTrackSheet& sheet, TGridDelegate& editing, QObject* parent)
        : lumora::TLevelPainter(editing, parent), m_sheet(sheet)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int cue = index.row() + 1;
        const int channel = TrackColumnChannel(index.column());
        if (channel == 0 || cue > m_sheet.count())
            return;
        const QColor fill = m_sheet.highlighted(cue, channel) ? kTrackSelectedColour : kTrackLevelColour;
        const QColor pen = m_sheet.levelTracked(cue, channel) ? QColor(Qt::red) : QColor(Qt::black);
        if (const std::string* kept = m_sheet.entryKept(cue, channel)) {
            const QString text = ToQt(*kept);
            paintLevel(painter, option, fill, pen, -1, &text);
        } else {
            paintLevel(painter, option, fill, pen, m_sheet.levelShown(cue, channel));
        }
    }

private:
    const TTrackSheet& m_sheet;
};

TfmTrack::TfmTrack(TEditorState& state, TCueDialogs& dialogs, QWidget* parent)
    : TEditWindow(parent, "fmTrack", kTrackCaption, kTrackHelpTopic, true), m_state(state), m_sheet(state),
      m_cells(std::make_unique<TCells>(m_sheet)), m_beep([] { QApplication::beep(); }), m_insertQ(dialogs.insertQ()),
      m_inputLevel(dialogs.inputLevel())
{
    buildWidgets();
    resize(1000, 640);
}

TfmTrack::~TfmTrack()
{
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmTrack::buildWidgets()
{
    auto action = [this](const char* name, const QString& text, auto slot) {
        return addFileItem<TfmTrack>(name, text, slot);
    };
    m_mnuInsert = action("mnuInsert", tr("&Insert Cue"), &TfmTrack::insertCue);
    m_mnuDelete = action("mnuDelete", tr("&Delete Cue"), &TfmTrack::deleteCue);
    finishMenus(tr("&Close"));

    // The sheet: its columns are fixed, only the number of rows follows the cues.
    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Cues and channel levels"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(0, kTrackColumnCount);
    m_grid->setCellSize(kLevelWidth, kRowHeight);
    m_grid->setDefaultAlignment(Qt::AlignCenter);
    QStringList headings{tr("Cue"), tr("Type")};
    for (int channel = 1; channel <= kChannels; ++channel)
        headings << QString::number(channel);
    m_grid->setHeadings(Qt::Horizontal, headings);
    m_grid->setHeadings(Qt::Vertical, {});
    m_grid->setColumnReadOnly(kTrackCueColumn);
    m_grid->setColumnList(kTrackTypeColumn, TypeNames());
    m_grid->setColumnAlignment(kTrackTypeColumn, Qt::AlignLeft | Qt::AlignVCenter);
    for (int channel = 1; channel <= kChannels; ++channel) {
        m_grid->setColumnMask(TrackChannelColumn(channel), MaskLevel());
        m_grid->setColumnBackground(TrackChannelColumn(channel), kTrackLevelColour);
    }
    m_grid->setFrozenColumns(2);
    if (auto* editing = qobject_cast<TGridDelegate*>(m_grid->itemDelegate())) {
        auto* painter = new TLevelPainter(m_sheet, *editing, m_grid);
        for (int channel = 1; channel <= kChannels; ++channel)
            m_grid->setItemDelegateForColumn(TrackChannelColumn(channel), painter);
    }
    auto* style = new TSheetStyle;
    style->setParent(m_grid);
    m_grid->setStyle(style);

    connect(m_grid, &TGrid::cellEdited, this, &TfmTrack::levelEdited);
    connect(m_grid, &TGrid::listChosen, this, &TfmTrack::typeChosen);
    connect(m_grid, &TGrid::cellClicked, this, &TfmTrack::gridClicked);
    connect(m_grid, &TGrid::rightButtonReleased, this, &TfmTrack::gridRightReleased);

    // Below the sheet
    m_cueCheckBox = new QCheckBox(tr("Cue Only Mode"), this);
    m_cueCheckBox->setObjectName(QStringLiteral("CueCheckBox"));
    connect(m_cueCheckBox, &QCheckBox::toggled, this, [this](bool on) { m_sheet.setCueOnlyMode(on); });
    m_insertButton = addButton<TfmTrack>("InsertButton", tr("&Insert Cue"), &TfmTrack::insertCue);
    m_btnDelete = addButton<TfmTrack>("btnDelete", tr("Delete Cue"), &TfmTrack::deleteCue);
    m_btnClose = closeButton();
    layOut(m_grid, m_cueCheckBox, {m_insertButton, m_btnDelete});
}

// ---- Opening

void TfmTrack::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        openSheet();
    QDialog::showEvent(event);
}

void TfmTrack::openSheet()
{
    {
        const TBusyCursor busy(m_state.ui());
        m_sheet.open();
        const QSignalBlocker quiet(m_cueCheckBox);
        m_cueCheckBox->setChecked(false);
        fillSheet();
        if (m_sheet.count() > 0) {
            // The cell cursor starts where the selection does: channel 2 of the first cue.
            m_grid->setCurrentIndex(m_grid->gridModel().index(0, TrackChannelColumn(2)));
            m_grid->scrollToTop();
            m_grid->horizontalScrollBar()->setValue(0);
        }
        showEnabled();
    }
    m_state.ui().hideStatus(); // "Loading Track Screen - Please Wait ..."
}

void TfmTrack::fillSheet()
{
    m_grid->setDimensions(m_sheet.count(), kTrackColumnCount);
    // A new number of rows resets the header sections to their default size.
    m_grid->setColumnWidth(kTrackCueColumn, kCueWidth);
    m_grid->setColumnWidth(kTrackTypeColumn, kTypeWidth);
}

void TfmTrack::showEnabled()
{
    const bool any = m_sheet.count() > 0;
    m_btnDelete->setEnabled(any);
    m_mnuDelete->setEnabled(any);
}

void TfmTrack::beep()
{
    if (m_beep)
        m_beep();
}

// ---- The sheet

void TfmTrack::levelEdited(int row, int column, const QString& text)
{
    const int channel = TrackColumnChannel(column);
    if (channel == 0)
        return;
    m_sheet.applyLevelText(row + 1, channel, text.toLatin1().toStdString());
    // Tracking can have changed this channel in any cue below.
    m_grid->refreshColumn(column, row);
}

void TfmTrack::typeChosen(int row, int column, int item, const QString& text)
{
    if (column != kTrackTypeColumn)
        return;
    try {
        const int code = item >= 0 ? item : CueTypeFromName(text.toLatin1().toStdString());
        m_sheet.chooseType(row + 1, code);
    } catch (const ELumoraError& e) {
        m_state.ui().error(e.what());
    }
    m_grid->refreshRow(row);
}

void TfmTrack::redrawRange(int cue, int start, int end)
{
    if (cue >= 1 && start >= 1)
        m_grid->refreshCells(cue - 1, TrackChannelColumn(start), cue - 1, TrackChannelColumn(end));
}

void TfmTrack::gridClicked(int row, int column, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    const TChannelClick click = modifiers == Qt::NoModifier      ? TChannelClick::Plain
                                : modifiers == Qt::ShiftModifier ? TChannelClick::Shift
                                                                 : TChannelClick::Other;
    const int cue = m_sheet.selectedCue(), start = m_sheet.selectionStart(), end = m_sheet.selectionEnd();
    if (!m_sheet.click(row + 1, TrackColumnChannel(column), click))
        beep();
    redrawRange(cue, start, end);
    redrawRange(m_sheet.selectedCue(), m_sheet.selectionStart(), m_sheet.selectionEnd());
}

void TfmTrack::gridRightReleased()
{
    if (!m_sheet.hasSelection()) {
        beep();
        return;
    }
    m_grid->commitEdit();
    const int cue = m_sheet.selectedCue(), start = m_sheet.selectionStart(), end = m_sheet.selectionEnd();
    if (m_inputLevel.exec() == QDialog::Accepted && m_sheet.setChannelLevels(m_inputLevel.level()))
        m_grid->refreshCells(cue - 1, TrackChannelColumn(start), m_sheet.count() - 1, TrackChannelColumn(end));
    m_sheet.clearSelection();
    redrawRange(cue, start, end);
}

// ---- Commands

void TfmTrack::insertCue()
{
    m_grid->commitEdit();
    if (!m_sheet.beforeInsert())
        return;
    if (m_insertQ.exec() != QDialog::Accepted || m_insertQ.cueNumber() <= 0)
        return;
    if (m_sheet.insertCue(static_cast<std::uint16_t>(m_insertQ.cueNumber()), m_insertQ.cueType())) {
        const int column = std::max(m_grid->currentIndex().column(), kTrackFirstLevelColumn);
        fillSheet();
        m_grid->setCurrentIndex(m_grid->gridModel().index(m_sheet.working().current - 1, column));
    }
    showEnabled();
}

void TfmTrack::deleteCue()
{
    m_grid->commitEdit();
    const QModelIndex at = m_grid->currentIndex();
    const int cue = at.isValid() ? at.row() + 1 : m_sheet.working().current;
    if (m_sheet.deleteCue(cue)) {
        const int column = std::max(at.column(), kTrackFirstLevelColumn);
        fillSheet();
        if (m_sheet.count() > 0)
            m_grid->setCurrentIndex(m_grid->gridModel().index(m_sheet.working().current - 1, column));
    }
    showEnabled();
}

// ---- Closing

bool TfmTrack::queryClose()
{
    m_grid->commitEdit();
    return m_sheet.queryClose();
}

} // namespace lumora
