#include "widgets/GridDelegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

namespace lumora {

namespace {

// Set on an editor once the user has typed into it or chosen from it.
constexpr const char* kTouched = "lumoraTouched";

} // namespace

TGridDelegate::TGridDelegate(const TGridModel& model, QObject* parent) : QStyledItemDelegate(parent), m_model(model)
{
    connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
        if (editor == m_editor)
            m_editor = nullptr;
    });
}

void TGridDelegate::commitAndClose()
{
    if (QWidget* editor = m_editor) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TGridDelegate::setEditorFontColour(const QColor& colour)
{
    if (auto* line = qobject_cast<QLineEdit*>(m_editor.data())) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::Text, colour.isValid() ? colour : QColor(Qt::black));
        line->setPalette(palette);
    }
}

QWidget* TGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const int row = index.row();
    const int column = index.column();
    QWidget* editor = nullptr;
    switch (m_model.kind(column)) {
    case TGridCellKind::Check: return nullptr;
    case TGridCellKind::List: {
        auto* combo = new QComboBox(parent);
        combo->addItems(m_model.listItems(column));
        connect(combo, &QComboBox::activated, this, [this, combo] {
            combo->setProperty(kTouched, true);
            if (combo == m_editor)
                const_cast<TGridDelegate*>(this)->commitAndClose();
        });
        // A click on the cell shows the list at once.
        QTimer::singleShot(0, combo, [combo] {
            if (combo->isVisible())
                combo->showPopup();
        });
        editor = combo;
        break;
    }
    case TGridCellKind::Text: {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        const TGridMask mask = m_model.mask(row, column);
        if (mask.maxLength > 0)
            line->setMaxLength(mask.maxLength);
        if (!mask.pattern.isEmpty())
            line->setValidator(new TGridMaskValidator(mask, line));
        line->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()));
        QPalette palette = line->palette();
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.isValid())
            palette.setColor(QPalette::Base, background.value<QColor>());
        const QVariant foreground = index.data(Qt::ForegroundRole);
        palette.setColor(QPalette::Text, foreground.isValid() ? foreground.value<QColor>() : QColor(Qt::black));
        line->setPalette(palette);
        connect(line, &QLineEdit::textEdited, this, [this, line, row, column](const QString& text) {
            line->setProperty(kTouched, true);
            emit const_cast<TGridDelegate*>(this)->typing(row, column, text);
        });
        editor = line;
        break;
    }
    }
    m_editor = editor;
    m_index = index;
    return editor;
}

void TGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // What the user typed is never overwritten by a redraw of the cell.
    if (editor->property(kTouched).toBool())
        return;
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(static_cast<int>(combo->findText(text)));
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
}

void TGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (!editor->property(kTouched).toBool())
        return;
    // Handed on once: a second commit of the same editor changes nothing.
    editor->setProperty(kTouched, false);
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        model->setData(index, combo->currentText(), Qt::EditRole);
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        model->setData(index, line->text(), Qt::EditRole);
}

bool TGridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                const QModelIndex& index)
{
    if (m_model.kind(index.column()) != TGridCellKind::Check || !(index.flags() & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    bool toggle = false;
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        toggle = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                 option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::MouseButtonDblClick: return true; // no second toggle
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        toggle = key == Qt::Key_Space || key == Qt::Key_Select;
        break;
    }
    default: break;
    }
    if (!toggle)
        return false;
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

QString TGridDelegate::displayText(const QVariant& value, const QLocale&) const
{
    // Cells hold texts made by the window; no locale gets a say in how numbers look.
    return value.toString();
}

} // namespace lumora
