#include "patch/ProfileEditor.h"

#include "patch/RenProf.h"
#include "patch/profileLevel.h"
#include "widgets/Grid.h"
#include "widgets/ProfileChart.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QVBoxLayout>

namespace lumora {

namespace {

constexpr int kInColumn = 0;
constexpr int kOutColumn = 1;

// Names are single bytes in the show, as on the console.
QString ToQt(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// The table's cells: In and Out of every input, the range shown selected.
class TfmProfile::TCells final : public IGridSource {
public:
    explicit TCells(const TProfileSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return column == kInColumn ? QString::number(row) : ToQt(m_sheet.outText(row));
    }
    QColor cellBackground(int row, int column) const override
    {
        const auto range = m_sheet.selectedRows();
        if (column == kOutColumn && range && row + 1 >= range->first && row + 1 <= range->second)
            return QColor(0, 120, 215);
        return {};
    }
    QColor cellFontColour(int row, int column) const override
    {
        return cellBackground(row, column).isValid() ? QColor(Qt::white) : QColor();
    }

private:
    const TProfileSheet& m_sheet;
};

TfmProfile::TfmProfile(TEditorState& state, QWidget* parent)
    : TEditWindow(parent, "fmProfile", kProfileCaption, kProfileHelpTopic, true), m_state(state), m_sheet(state),
      m_cells(std::make_unique<TCells>(m_sheet))
{
    buildWidgets();
    m_level = new TfmProfileLevel(state.ui(), this);
    m_rename = new TfmGetProfName(this);
    resize(860, 600);
}

TfmProfile::~TfmProfile()
{
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmProfile::buildWidgets()
{
    addFileItem<TfmProfile>("mnuPrint", tr("&Print"), &TfmProfile::printClick);
    fileMenu()->addSeparator();
    addFileItem<TfmProfile>("mnuRename", tr("&Rename Profile"), &TfmProfile::renameClick);
    addFileItem<TfmProfile>("mnuReset", tr("R&eset Profile"), &TfmProfile::resetClick);
    finishMenus(tr("&Close"));

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setAccessibleName(tr("Profile"));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    for (int n = 1; n <= kProfiles; ++n)
        m_tabs->addTab(QString::number(n));
    connect(m_tabs, &QTabBar::currentChanged, this, &TfmProfile::tabChosen);

    m_chart = new TProfileChart(this);
    m_chart->setObjectName(QStringLiteral("Chart1"));
    m_chart->setAccessibleName(tr("Profile curve"));
    m_chart->setAxisTitles(QString::fromLatin1(kChartInAxis), QString::fromLatin1(kChartOutAxis));
    connect(m_chart, &TProfileChart::mousePressed, this, [this](Qt::MouseButton b, QPointF) { chartPressed(b); });
    connect(m_chart, &TProfileChart::mouseMoved, this, &TfmProfile::chartMoved);
    connect(m_chart, &TProfileChart::mouseReleased, this, [this](Qt::MouseButton b, QPointF) { chartReleased(b); });

    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Profile table"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kProfilePoints, 2);
    m_grid->setHeadings(Qt::Horizontal, {tr("In"), tr("Out")});
    m_grid->setHeadings(Qt::Vertical, {});
    m_grid->setDefaultAlignment(Qt::AlignCenter);
    m_grid->setColumnReadOnly(kInColumn);
    m_grid->setColumnMask(kOutColumn, {QStringLiteral("0|[1-9][0-9]?|1[0-9][0-9]|2[0-4][0-9]|25[0-5]"), 3});
    m_grid->setMultiRowSelection(false);
    m_grid->setColumnWidth(kInColumn, 50);
    m_grid->setColumnWidth(kOutColumn, 60);
    m_grid->setFixedWidth(50 + 60 + 30);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &TGrid::cellTyping, this, [this](int row, int column, const QString& text) {
        if (column != kOutColumn)
            return;
        m_sheet.editOut(row, text.toStdString());
        m_chart->setValue(row, m_sheet.chartValue(row));
    });
    connect(m_grid, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        if (column != kOutColumn)
            return;
        m_sheet.editOut(row, text.toStdString());
        m_sheet.leaveCell(row); // the cursor has left it
        m_chart->setValue(row, m_sheet.chartValue(row));
        m_grid->refreshCell(row, column);
    });

    m_btnRename = new QPushButton(tr("Rename"), this);
    m_btnRename->setObjectName(QStringLiteral("btnRename"));
    m_btnRename->setToolTip(tr("Rename this profile"));
    connect(m_btnRename, &QPushButton::clicked, this, &TfmProfile::renameClick);
    m_btnReset = new QPushButton(tr("Reset Profile"), this);
    m_btnReset->setObjectName(QStringLiteral("btnReset"));
    m_btnReset->setToolTip(tr("Reset this profile to default values"));
    connect(m_btnReset, &QPushButton::clicked, this, &TfmProfile::resetClick);
    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(m_btnClose, &QPushButton::clicked, this, &TfmProfile::reject);
    m_btnHelp = new QPushButton(tr("Help"), this);
    m_btnHelp->setObjectName(QStringLiteral("btnHelp"));
    connect(m_btnHelp, &QPushButton::clicked, this, [this] {
        if (QAction* help = menuBar()->findChild<QAction*>(QStringLiteral("mnuHelp")))
            help->trigger();
    });
    for (QPushButton* b : {m_btnRename, m_btnReset, m_btnClose, m_btnHelp})
        b->setAutoDefault(false); // Enter belongs to the table

    auto* middle = new QHBoxLayout;
    middle->addWidget(m_chart, 1);
    middle->addWidget(m_grid);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnRename);
    buttons->addWidget(m_btnReset);
    buttons->addStretch();
    buttons->addWidget(m_btnClose);
    buttons->addWidget(m_btnHelp);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addWidget(m_tabs);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
}

// ---- Opening and showing a profile

void TfmProfile::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_sheet.open();
        showProfile();
    }
    QDialog::showEvent(event);
}

void TfmProfile::showProfile()
{
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(m_sheet.current() - 1);
    showChart();
    m_grid->refreshAll();
    m_grid->scrollToTop();
}

void TfmProfile::showChart()
{
    std::array<int, kProfilePoints> values{};
    for (int i = 0; i < kProfilePoints; ++i)
        values[static_cast<std::size_t>(i)] = m_sheet.chartValue(i);
    m_chart->setValues(values);
    m_chart->setTitle(ToQt(m_sheet.workingName()));
}

void TfmProfile::showRange(std::optional<std::pair<int, int>> before)
{
    // Redraw the Out cells that were or are now shown selected.
    for (const auto& range : {before, m_sheet.selectedRows()})
        if (range)
            m_grid->refreshCells(range->first - 1, kOutColumn, range->second - 1, kOutColumn);
}

void TfmProfile::tabChosen(int index)
{
    if (index < 0)
        return;
    m_grid->commitEdit();
    if (m_sheet.choose(index + 1)) {
        showProfile();
        return;
    }
    // Cancel: the tab strip returns to the current profile (an emptied cell may have
    // been filled).
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(m_sheet.current() - 1);
    m_grid->refreshAll();
}

// ---- The chart

void TfmProfile::chartPressed(Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        m_grid->commitEdit();
        m_sheet.pressLeft();
    }
}

void TfmProfile::chartMoved(QPointF position)
{
    if (!m_sheet.drawing())
        return;
    const QRectF plot = m_chart->plotRect();
    const auto changed =
        m_sheet.moveTo(ChartPointAt(position.x(), position.y(), plot.left(), plot.top(), plot.right(), plot.bottom()));
    if (!changed)
        return;
    for (int i = changed->first; i <= changed->second; ++i)
        m_chart->setValue(i, m_sheet.chartValue(i));
    m_grid->refreshCells(changed->first, kOutColumn, changed->second, kOutColumn);
}

void TfmProfile::chartReleased(Qt::MouseButton button)
{
    m_sheet.releaseButton();
    if (button == Qt::RightButton && m_sheet.smooth()) {
        showChart();
        m_grid->refreshColumn(kOutColumn);
    }
}

// ---- The table's ranges

bool TfmProfile::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonRelease)
        tableReleased(static_cast<QMouseEvent*>(event));
    return TEditWindow::eventFilter(watched, event);
}

void TfmProfile::tableReleased(QMouseEvent* event)
{
    const QModelIndex index = m_grid->indexAt(event->position().toPoint());
    const auto before = m_sheet.selectedRows();
    if (event->button() == Qt::LeftButton && index.isValid()) {
        if (event->modifiers() == Qt::NoModifier) {
            m_sheet.setAnchor(index.row() + 1);
            showRange(before);
        } else if (event->modifiers() == Qt::ShiftModifier && index.column() == kOutColumn) {
            m_sheet.setEnd(index.row() + 1);
            showRange(before);
        }
    } else if (event->button() == Qt::RightButton && m_sheet.hasRange()) {
        // After the grid's own handling of the release: the dialog is modal.
        QMetaObject::invokeMethod(this, &TfmProfile::askRangeLevel, Qt::QueuedConnection);
    }
}

void TfmProfile::askRangeLevel()
{
    if (!m_sheet.hasRange())
        return;
    m_grid->commitEdit();
    if (m_level->exec() != QDialog::Accepted)
        return;
    const auto before = m_sheet.selectedRows();
    m_sheet.setRangeLevel(m_level->level());
    showRange(before);
    showChart();
}

// ---- Commands

void TfmProfile::renameClick()
{
    m_grid->commitEdit();
    m_rename->exec();
    if (!m_rename->result())
        return;
    m_sheet.rename(m_rename->name().toLatin1().toStdString());
    m_chart->setTitle(ToQt(m_sheet.workingName()));
}

void TfmProfile::resetClick()
{
    m_grid->commitEdit();
    if (m_sheet.resetProfile())
        showProfile();
}

void TfmProfile::printClick()
{
    m_grid->commitEdit();
    if (m_print)
        m_print(m_sheet.current());
}

// ---- Closing

bool TfmProfile::queryClose()
{
    m_grid->commitEdit();
    const bool close = m_sheet.queryClose();
    m_grid->refreshAll();
    return close;
}

} // namespace lumora
