#include "widgets/LevelPainter.h"

#include "widgets/GridDelegate.h"

#include <QPainter>

namespace lumora {

TLevelPainter::TLevelPainter(TGridDelegate& editing, QObject* parent) : QStyledItemDelegate(parent), m_editing(editing)
{
    for (int percent = 0; percent <= 100; ++percent) {
        m_percents[percent].setText(QString::number(percent));
        m_percents[percent].setTextFormat(Qt::PlainText);
    }
}

void TLevelPainter::paintLevel(QPainter* painter, const QStyleOptionViewItem& option, const QColor& fill,
                               const QColor& pen, int percent, const QString* text) const
{
    const QRect& r = option.rect;
    painter->fillRect(r, fill);
    painter->setPen(pen);
    if (text) {
        painter->drawText(r, Qt::AlignCenter, *text);
    } else if (percent >= 0 && percent <= 100) {
        const QStaticText& shaped = m_percents[percent];
        const QSizeF size = shaped.size();
        painter->drawStaticText(
            QPointF(r.x() + (r.width() - size.width()) / 2, r.y() + (r.height() - size.height()) / 2), shaped);
    }
    if (option.state & QStyle::State_HasFocus) { // the cell cursor
        painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter->drawRect(r.adjusted(1, 1, -2, -2));
    }
}

QWidget* TLevelPainter::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    return m_editing.createEditor(parent, option, index);
}

void TLevelPainter::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    m_editing.setEditorData(editor, index);
}

void TLevelPainter::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    m_editing.setModelData(editor, model, index);
}

} // namespace lumora
