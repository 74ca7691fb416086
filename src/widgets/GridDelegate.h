#pragma once

// Draws and edits the grid's cells: a line edit held to the cell's entry mask, a
// drop-down list that opens at once, or a check box that the whole cell toggles. It
// knows whether the open editor has been typed into, so that only a real edit reaches
// the model when the user leaves the cell.

#include "widgets/GridModel.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

namespace lumora {

class TGridDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    TGridDelegate(const TGridModel& model, QObject* parent);

    // ---- The open editor (at most one per view)
    bool isEditing() const { return !m_editor.isNull(); }
    QModelIndex editingIndex() const { return m_index; }
    QWidget* editor() const { return m_editor; }
    // Hands the open editor's entry on as if the user had left the cell, and closes it.
    void commitAndClose();
    void setEditorFontColour(const QColor& colour);

    // ---- QStyledItemDelegate
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    QString displayText(const QVariant& value, const QLocale& locale) const override;

signals:
    // Each key that changes the text of the open editor.
    void typing(int row, int column, const QString& text);

private:
    const TGridModel& m_model;
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_index;
};

} // namespace lumora
