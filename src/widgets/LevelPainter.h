#pragma once

// The painter of the big level sheets (the tracking editor, the effect editor): each cell
// a fill and a percent 0..100 centred in it, drawn from texts shaped once, and the cell
// cursor; typing into a cell is left to the grid's own delegate. A sheet says per cell
// what to fill it with and what to write.

#include <QStaticText>
#include <QStyledItemDelegate>

#include <array>

namespace lumora {

class TGridDelegate;

class TLevelPainter : public QStyledItemDelegate {
public:
    TLevelPainter(TGridDelegate& editing, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    // Fills the cell, writes text (when given) or else percent (when 0..100) in pen, and
    // draws the cell cursor when the cell has the focus.
    void paintLevel(QPainter* painter, const QStyleOptionViewItem& option, const QColor& fill, const QColor& pen,
                    int percent, const QString* text = nullptr) const;

private:
    TGridDelegate& m_editing;
    std::array<QStaticText, 101> m_percents;
};

} // namespace lumora
