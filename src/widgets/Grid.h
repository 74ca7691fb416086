#pragma once

// The grid of the editing windows: a table view over a model that asks the caller for
// every cell (GridModel.h). Rows and columns carry their rules (read-only, background,
// entry mask, drop-down list, check box); leading columns can be frozen so that they
// stay in view while the sheet scrolls sideways (a second view over the same model and
// selection, laid over the left edge). The grid reports what the user does as signals
// and changes no data of its own: the caller applies an entry and the cell then shows
// what the caller's data says.

#include "widgets/GridModel.h"

#include <QTableView>

#include <vector>

namespace lumora {

class TGridDelegate;

class TGrid final : public QTableView {
    Q_OBJECT

public:
    explicit TGrid(QWidget* parent = nullptr);
    ~TGrid() override;

    // ---- Data (rows and columns from 0)
    void setSource(const IGridSource* source); // not owned
    void setDimensions(int rows, int columns);
    int rows() const { return m_model->rowCount(); }
    int columns() const { return m_model->columnCount(); }
    // Redraw from the source: only what changed, so a big sheet stays quick.
    void refreshCell(int row, int column) { m_model->refresh(row, column, row, column); }
    void refreshCells(int top, int left, int bottom, int right) { m_model->refresh(top, left, bottom, right); }
    void refreshRow(int row) { m_model->refresh(row, 0, row, columns() - 1); }
    void refreshColumn(int column, int fromRow = 0) { m_model->refresh(fromRow, column, rows() - 1, column); }
    void refreshAll() { m_model->refreshAll(); }
    // Headings above the columns or beside the rows; an empty list hides them.
    void setHeadings(Qt::Orientation orientation, const QStringList& headings);

    // ---- Rules of rows and columns (a row's wins over its column's)
    void setRowReadOnly(int row, bool readOnly = true) { m_model->setRowReadOnly(row, readOnly); }
    void setColumnReadOnly(int column, bool readOnly = true) { m_model->setColumnReadOnly(column, readOnly); }
    void setRowBackground(int row, const QColor& colour) { m_model->setRowBackground(row, colour); }
    void setColumnBackground(int column, const QColor& colour) { m_model->setColumnBackground(column, colour); }
    void setRowMask(int row, const TGridMask& mask) { m_model->setRowMask(row, mask); }
    void setColumnMask(int column, const TGridMask& mask) { m_model->setColumnMask(column, mask); }
    void setColumnList(int column, const QStringList& items) { m_model->setColumnList(column, items); }
    void setColumnCheckBoxes(int column) { m_model->setColumnCheckBoxes(column); }
    void setColumnAlignment(int column, Qt::Alignment a) { m_model->setColumnAlignment(column, a); }
    void setDefaultAlignment(Qt::Alignment a) { m_model->setDefaultAlignment(a); }
    // Every column this wide and every row this high (single columns: setColumnWidth).
    void setCellSize(int width, int height);

    // ---- Columns that stay in view
    void setFrozenColumns(int count);
    int frozenColumns() const { return m_frozenCount; }
    QTableView* frozenView() const;

    // ---- Selection
    // Whole rows, several at once (Shift and Ctrl as usual); off: no selection is drawn
    // and the window highlights what it selects through the cells' backgrounds.
    void setMultiRowSelection(bool on);
    std::vector<int> selectedRows() const;

    // ---- Editing
    bool isEditing() const;
    // A cell edit in progress is handed on as if the user had left the cell.
    void commitEdit();
    // The text colour of the open editor (the window turns it while the user types).
    void setEditorFontColour(const QColor& colour);

    // ---- Where a cell is on screen: the viewport that draws it, and its rectangle there
    QWidget* cellViewport(int column) const;
    QRect cellRect(int row, int column) const;

    TGridModel& gridModel() { return *m_model; }
    // Cells of the frozen columns never scroll sideways out of view, nor do others under them.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

signals:
    void cellTyping(int row, int column, const QString& text); // each key in an open editor
    void cellEdited(int row, int column, const QString& text); // the user left a typed-into cell
    void listChosen(int row, int column, int item, const QString& text);
    void checkToggled(int row, int column, bool checked);
    void cellClicked(int row, int column, Qt::KeyboardModifiers modifiers); // left button pressed
    void rightButtonReleased(int row, int column);                          // -1, -1 off the cells
    void currentCellChanged(int row, int column);

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TFrozenView;
    void applyFrozenColumns();
    void placeFrozenView();
    int frozenWidth() const;
    QTableView* viewOf(QObject* viewport) const;

    TGridModel* m_model;
    TGridDelegate* m_delegate;
    TFrozenView* m_frozen;
    TGridDelegate* m_frozenDelegate;
    int m_frozenCount = 0;
};

} // namespace lumora
