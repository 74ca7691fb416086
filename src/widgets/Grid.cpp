#include "widgets/Grid.h"

#include "widgets/GridDelegate.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace lumora {

namespace {

constexpr int kDefaultColumnWidth = 40;
constexpr int kDefaultRowHeight = 20;

void SetUpView(QTableView& view)
{
    view.setLocale(QLocale::c());
    view.setWordWrap(false);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Fixed sections: sizes are never measured from the contents, which would mean
    // asking the source for every cell of a big sheet.
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    view.verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
    view.horizontalHeader()->setMinimumSectionSize(8);
    view.verticalHeader()->setMinimumSectionSize(8);
    view.setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
    view.setSelectionMode(QAbstractItemView::NoSelection);
    view.setTabKeyNavigation(true);
}

} // namespace

// The view of the frozen columns; the main view hands it the edits of those columns, which
// it would otherwise open under the frozen view, out of sight.
class TGrid::TFrozenView final : public QTableView {
public:
    using QTableView::QTableView;
    bool editWith(const QModelIndex& index, EditTrigger trigger, QEvent* event)
    {
        return QTableView::edit(index, trigger, event);
    }
};

TGrid::TGrid(QWidget* parent)
    : QTableView(parent), m_model(new TGridModel(this)), m_delegate(new TGridDelegate(*m_model, this)),
      m_frozen(new TFrozenView(this)), m_frozenDelegate(new TGridDelegate(*m_model, this))
{
    SetUpView(*this);
    setModel(m_model);
    setItemDelegate(m_delegate);

    // The frozen columns: the same model and selection, no scroll bars of its own, laid
    // over the left edge of the viewport and scrolled up and down with it.
    SetUpView(*m_frozen);
    m_frozen->setModel(m_model);
    QItemSelectionModel* own = m_frozen->selectionModel();
    m_frozen->setSelectionModel(selectionModel());
    delete own;
    m_frozen->setItemDelegate(m_frozenDelegate);
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setFrameShape(QFrame::NoFrame);
    m_frozen->setStyleSheet(QStringLiteral("QTableView { border: none; border-right: 1px solid palette(dark); }"));
    m_frozen->hide();
    viewport()->stackUnder(m_frozen);

    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column < m_frozenCount) {
            m_frozen->setColumnWidth(column, size);
            placeFrozenView();
        }
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { m_frozen->setRowHeight(row, size); });
    connect(m_model, &QAbstractItemModel::modelReset, this, &TGrid::applyFrozenColumns);

    // What the user does, as the grid's own signals.
    connect(m_model, &TGridModel::textEntered, this, &TGrid::cellEdited);
    connect(m_model, &TGridModel::itemChosen, this, &TGrid::listChosen);
    connect(m_model, &TGridModel::checkToggled, this, &TGrid::checkToggled);
    connect(m_delegate, &TGridDelegate::typing, this, &TGrid::cellTyping);
    connect(m_frozenDelegate, &TGridDelegate::typing, this, &TGrid::cellTyping);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { emit currentCellChanged(current.row(), current.column()); });

    viewport()->installEventFilter(this);
    m_frozen->viewport()->installEventFilter(this);
}

TGrid::~TGrid() = default;

// ---- Data

void TGrid::setSource(const IGridSource* source)
{
    m_model->setSource(source);
}

void TGrid::setDimensions(int rows, int columns)
{
    m_model->setDimensions(rows, columns);
}

void TGrid::setHeadings(Qt::Orientation orientation, const QStringList& headings)
{
    m_model->setHeadings(orientation, headings);
    QHeaderView* header = orientation == Qt::Horizontal ? horizontalHeader() : verticalHeader();
    header->setVisible(!headings.isEmpty());
    if (orientation == Qt::Horizontal)
        m_frozen->horizontalHeader()->setVisible(!headings.isEmpty());
    placeFrozenView();
}

void TGrid::setCellSize(int width, int height)
{
    for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(m_frozen)}) {
        view->horizontalHeader()->setDefaultSectionSize(width);
        view->verticalHeader()->setDefaultSectionSize(height);
    }
    placeFrozenView();
}

// ---- Frozen columns

void TGrid::setFrozenColumns(int count)
{
    m_frozenCount = std::max(count, 0);
    applyFrozenColumns();
}

void TGrid::applyFrozenColumns()
{
    const int n = std::min(m_frozenCount, columns());
    QHeaderView* header = m_frozen->horizontalHeader();
    for (int column = 0; column < columns(); ++column) {
        header->setSectionHidden(column, column >= n);
        if (column < n)
            m_frozen->setColumnWidth(column, columnWidth(column));
    }
    m_frozen->setVisible(n > 0);
    placeFrozenView();
}

QTableView* TGrid::frozenView() const
{
    return m_frozen;
}

int TGrid::frozenWidth() const
{
    int width = 0;
    for (int column = 0; column < std::min(m_frozenCount, columns()); ++column)
        width += columnWidth(column);
    return width;
}

void TGrid::placeFrozenView()
{
    if (m_frozenCount == 0)
        return;
    const int left = (verticalHeader()->isVisible() ? verticalHeader()->width() : 0) + frameWidth();
    const int headerHeight = horizontalHeader()->isVisible() ? horizontalHeader()->height() : 0;
    m_frozen->horizontalHeader()->setFixedHeight(headerHeight);
    m_frozen->setGeometry(left, frameWidth(), frozenWidth() + 1, viewport()->height() + headerHeight);
}

void TGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeFrozenView();
}

QModelIndex TGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(action, modifiers);
    // Moving left must not end under the frozen columns.
    if (m_frozenCount > 0 && current.column() >= m_frozenCount) {
        const int hidden = frozenWidth() - visualRect(current).left();
        if (hidden > 0)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
    return current;
}

bool TGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.isValid() && index.column() < m_frozenCount) {
        if (!m_frozen->editWith(index, trigger, event))
            return false;
        // The frozen view takes no focus of its own; its editor must have it.
        if (QWidget* editor = m_frozenDelegate->editor())
            editor->setFocus();
        return true;
    }
    return QTableView::edit(index, trigger, event);
}

void TGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (m_frozenCount > 0 && index.column() < m_frozenCount) {
        // A frozen cell is always in view sideways; only the rows scroll.
        const QModelIndex sameRow = m_model->index(index.row(), std::min(m_frozenCount, columns() - 1));
        const int x = horizontalScrollBar()->value();
        QTableView::scrollTo(sameRow, hint);
        horizontalScrollBar()->setValue(x);
        return;
    }
    QTableView::scrollTo(index, hint);
    if (m_frozenCount > 0) {
        const int hidden = frozenWidth() - visualRect(index).left();
        if (hidden > 0)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
}

// ---- Selection

void TGrid::setMultiRowSelection(bool on)
{
    for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(m_frozen)}) {
        view->setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
        view->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::NoSelection);
    }
    if (!on)
        selectionModel()->clearSelection();
}

std::vector<int> TGrid::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

// ---- Editing

bool TGrid::isEditing() const
{
    return m_delegate->isEditing() || m_frozenDelegate->isEditing();
}

void TGrid::commitEdit()
{
    m_delegate->commitAndClose();
    m_frozenDelegate->commitAndClose();
}

void TGrid::setEditorFontColour(const QColor& colour)
{
    m_delegate->setEditorFontColour(colour);
    m_frozenDelegate->setEditorFontColour(colour);
}

// ---- Cells on screen

QWidget* TGrid::cellViewport(int column) const
{
    return column < m_frozenCount ? m_frozen->viewport() : viewport();
}

QRect TGrid::cellRect(int row, int column) const
{
    const QTableView* view = column < m_frozenCount ? static_cast<const QTableView*>(m_frozen) : this;
    return view->visualRect(m_model->index(row, column));
}

QTableView* TGrid::viewOf(QObject* viewport) const
{
    if (viewport == this->viewport())
        return const_cast<TGrid*>(this);
    if (viewport == m_frozen->viewport())
        return m_frozen;
    return nullptr;
}

bool TGrid::eventFilter(QObject* watched, QEvent* event)
{
    QTableView* view = viewOf(watched);
    if (!view || (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease))
        return QTableView::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QModelIndex index = view->indexAt(mouse->position().toPoint());
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && index.isValid()) {
        emit cellClicked(index.row(), index.column(), mouse->modifiers());
    } else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton) {
        emit rightButtonReleased(index.isValid() ? index.row() : -1, index.isValid() ? index.column() : -1);
    } else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton && index.isValid() &&
               m_model->kind(index.column()) == TGridCellKind::List &&
               !m_model->isReadOnly(index.row(), index.column())) {
        // A drop-down cell opens its list on a single click.
        view->setCurrentIndex(index);
        view->edit(index);
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace lumora
