#include "widgets/GridModel.h"

#include <algorithm>

namespace lumora {

QColor IGridSource::cellFontColour(int, int) const
{
    return {};
}
QColor IGridSource::cellBackground(int, int) const
{
    return {};
}
bool IGridSource::cellReadOnly(int, int) const
{
    return false;
}

bool IGridSource::cellChecked(int, int) const
{
    return false;
}

TGridModel::TGridModel(QObject* parent) : QAbstractTableModel(parent) {}

// ---- Data

void TGridModel::setSource(const IGridSource* source)
{
    beginResetModel();
    m_source = source;
    endResetModel();
}

void TGridModel::setDimensions(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows == m_rows && columns == m_columns) {
        refreshAll(); // open editors and the scroll position stay
        return;
    }
    beginResetModel();
    m_rows = rows;
    m_columns = columns;
    m_rowRules.resize(static_cast<std::size_t>(rows));
    m_columnRules.resize(static_cast<std::size_t>(columns));
    m_columnKinds.resize(static_cast<std::size_t>(columns));
    endResetModel();
}

void TGridModel::refresh(int top, int left, int bottom, int right)
{
    top = std::max(top, 0);
    left = std::max(left, 0);
    bottom = std::min(bottom, m_rows - 1);
    right = std::min(right, m_columns - 1);
    if (top > bottom || left > right)
        return;
    emit dataChanged(index(top, left), index(bottom, right));
}

void TGridModel::refreshAll()
{
    refresh(0, 0, m_rows - 1, m_columns - 1);
    if (m_columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    if (m_rows > 0)
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

// ---- Rules

int TGridModel::maskIndex(const TGridMask& mask)
{
    if (mask.isNull())
        return -1;
    const auto found = std::find(m_masks.begin(), m_masks.end(), mask);
    if (found != m_masks.end())
        return static_cast<int>(found - m_masks.begin());
    m_masks.push_back(mask);
    return static_cast<int>(m_masks.size()) - 1;
}

void TGridModel::setRowReadOnly(int row, bool readOnly)
{
    if (row >= 0 && row < m_rows)
        m_rowRules[row].readOnly = readOnly;
}

void TGridModel::setColumnReadOnly(int column, bool readOnly)
{
    if (column >= 0 && column < m_columns)
        m_columnRules[column].readOnly = readOnly;
}

void TGridModel::setRowBackground(int row, const QColor& colour)
{
    if (row >= 0 && row < m_rows)
        m_rowRules[row].background = colour;
}

void TGridModel::setColumnBackground(int column, const QColor& colour)
{
    if (column >= 0 && column < m_columns)
        m_columnRules[column].background = colour;
}

void TGridModel::setRowMask(int row, const TGridMask& mask)
{
    if (row >= 0 && row < m_rows)
        m_rowRules[row].mask = maskIndex(mask);
}

void TGridModel::setColumnMask(int column, const TGridMask& mask)
{
    if (column >= 0 && column < m_columns)
        m_columnRules[column].mask = maskIndex(mask);
}

void TGridModel::setColumnList(int column, const QStringList& items)
{
    if (column < 0 || column >= m_columns)
        return;
    m_lists.push_back(items);
    m_columnKinds[column].kind = TGridCellKind::List;
    m_columnKinds[column].list = static_cast<int>(m_lists.size()) - 1;
}

void TGridModel::setColumnCheckBoxes(int column)
{
    if (column >= 0 && column < m_columns)
        m_columnKinds[column].kind = TGridCellKind::Check;
}

void TGridModel::setColumnAlignment(int column, Qt::Alignment alignment)
{
    if (column >= 0 && column < m_columns)
        m_columnKinds[column].alignment = alignment;
}

void TGridModel::setDefaultAlignment(Qt::Alignment alignment)
{
    m_defaultAlignment = alignment;
}

void TGridModel::setHeadings(Qt::Orientation orientation, const QStringList& headings)
{
    (orientation == Qt::Horizontal ? m_columnHeadings : m_rowHeadings) = headings;
    const int count = orientation == Qt::Horizontal ? m_columns : m_rows;
    if (count > 0)
        emit headerDataChanged(orientation, 0, count - 1);
}

// ---- What a cell follows

bool TGridModel::valid(int row, int column) const
{
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

bool TGridModel::isReadOnly(int row, int column) const
{
    return !valid(row, column) || m_rowRules[row].readOnly || m_columnRules[column].readOnly ||
           (m_source && m_source->cellReadOnly(row, column));
}

TGridMask TGridModel::mask(int row, int column) const
{
    if (!valid(row, column))
        return {};
    const int i = m_rowRules[row].mask >= 0 ? m_rowRules[row].mask : m_columnRules[column].mask;
    return i >= 0 ? m_masks[i] : TGridMask{};
}

TGridCellKind TGridModel::kind(int column) const
{
    return column >= 0 && column < m_columns ? m_columnKinds[column].kind : TGridCellKind::Text;
}

QStringList TGridModel::listItems(int column) const
{
    if (column < 0 || column >= m_columns || m_columnKinds[column].list < 0)
        return {};
    return m_lists[m_columnKinds[column].list];
}

// ---- QAbstractTableModel

int TGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}
int TGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant TGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !valid(index.row(), index.column()))
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return m_source ? m_source->cellText(row, column) : QString();
    case Qt::ForegroundRole: {
        const QColor colour = m_source ? m_source->cellFontColour(row, column) : QColor();
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::BackgroundRole: {
        QColor colour = m_source ? m_source->cellBackground(row, column) : QColor();
        if (!colour.isValid())
            colour = m_rowRules[row].background;
        if (!colour.isValid())
            colour = m_columnRules[column].background;
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::CheckStateRole:
        if (m_columnKinds[column].kind != TGridCellKind::Check)
            return {};
        return (m_source && m_source->cellChecked(row, column)) ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole: {
        const Qt::Alignment a = m_columnKinds[column].alignment;
        return static_cast<int>(a ? a : m_defaultAlignment);
    }
    default: return {};
    }
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || isReadOnly(index.row(), index.column()))
        return false;
    const int row = index.row();
    const int column = index.column();
    const TGridCellKind k = m_columnKinds[column].kind;
    if (role == Qt::CheckStateRole && k == TGridCellKind::Check) {
        emit checkToggled(row, column, value.toInt() == Qt::Checked);
    } else if (role == Qt::EditRole && k == TGridCellKind::List) {
        const QString text = value.toString();
        emit itemChosen(row, column, static_cast<int>(listItems(column).indexOf(text)), text);
    } else if (role == Qt::EditRole && k == TGridCellKind::Text) {
        emit textEntered(row, column, value.toString());
    } else {
        return false;
    }
    // The cell shows what the source holds now, whatever it made of the entry.
    if (valid(row, column))
        emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !valid(index.row(), index.column()))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isReadOnly(index.row(), index.column()))
        return f;
    if (m_columnKinds[index.column()].kind == TGridCellKind::Check)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    const QStringList& headings = orientation == Qt::Horizontal ? m_columnHeadings : m_rowHeadings;
    const int count = orientation == Qt::Horizontal ? m_columns : m_rows;
    if (section < 0 || section >= count)
        return {};
    return section < headings.size() ? headings[section] : QString();
}

} // namespace lumora
