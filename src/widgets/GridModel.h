#pragma once

// The grid's table model. It stores no cell: every text, colour and check mark is asked
// of the caller's source whenever a cell is drawn, so a 1000 x 514 sheet costs nothing
// until it is on screen. What the model keeps are the rules of whole rows and columns:
// read-only, background, entry mask, the kind of cell (text, drop-down list, check box)
// and the headings. An edit is not written anywhere by the model; it is handed on as a
// signal, and the cell then shows whatever the source says.

#include "widgets/GridMask.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <vector>

namespace lumora {

// The caller's data, by 0-based row and column.
class IGridSource {
public:
    virtual ~IGridSource() = default;
    virtual QString cellText(int row, int column) const = 0;
    // An invalid colour leaves the grid's own: black text, the row's or column's background.
    virtual QColor cellFontColour(int row, int column) const;
    virtual QColor cellBackground(int row, int column) const;
    // Check-box columns only.
    virtual bool cellChecked(int row, int column) const;
    // A single cell that takes no entry, besides the read-only rows and columns.
    virtual bool cellReadOnly(int row, int column) const;
};

enum class TGridCellKind { Text, List, Check };

class TGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TGridModel(QObject* parent = nullptr);

    // ---- Data
    void setSource(const IGridSource* source); // not owned; nullptr shows empty cells
    // Rows and columns already there keep their rules; new ones start plain. The same size
    // again only redraws, so open editors and the scroll position stay.
    void setDimensions(int rows, int columns);
    void refresh(int top, int left, int bottom, int right);
    void refreshAll();

    // ---- Rules of rows and columns (a row's rule wins over its column's)
    void setRowReadOnly(int row, bool readOnly);
    void setColumnReadOnly(int column, bool readOnly);
    void setRowBackground(int row, const QColor& colour);
    void setColumnBackground(int column, const QColor& colour);
    void setRowMask(int row, const TGridMask& mask);
    void setColumnMask(int column, const TGridMask& mask);
    void setColumnList(int column, const QStringList& items); // a drop-down list column
    void setColumnCheckBoxes(int column);
    void setColumnAlignment(int column, Qt::Alignment alignment);
    void setDefaultAlignment(Qt::Alignment alignment);
    void setHeadings(Qt::Orientation orientation, const QStringList& headings);

    // ---- What a cell follows
    bool isReadOnly(int row, int column) const;
    TGridMask mask(int row, int column) const;
    TGridCellKind kind(int column) const;
    QStringList listItems(int column) const;

    // ---- QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The user's entry for a cell, to be applied by whoever serves the data.
    void textEntered(int row, int column, const QString& text);
    void itemChosen(int row, int column, int item, const QString& text);
    void checkToggled(int row, int column, bool checked);

private:
    struct TLine {
        bool readOnly = false;
        QColor background;
        int mask = -1; // index into m_masks
    };
    struct TColumn {
        TGridCellKind kind = TGridCellKind::Text;
        int list = -1; // index into m_lists
        Qt::Alignment alignment;
    };
    bool valid(int row, int column) const;
    int maskIndex(const TGridMask& mask);

    const IGridSource* m_source = nullptr;
    int m_rows = 0;
    int m_columns = 0;
    std::vector<TLine> m_rowRules;
    std::vector<TLine> m_columnRules;
    std::vector<TColumn> m_columnKinds;
    std::vector<TGridMask> m_masks;
    std::vector<QStringList> m_lists;
    QStringList m_columnHeadings;
    QStringList m_rowHeadings;
    Qt::Alignment m_defaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
};

} // namespace lumora
