#include "widgets/ProfileChart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace lumora {

namespace {

// Space around the plot for the title, the axis titles and the labels (pixels).
constexpr int kTitleSpace = 30;
constexpr int kLeftSpace = 58;
constexpr int kBottomSpace = 46;
constexpr int kRightSpace = 16;
constexpr int kLabelStep = 50;

} // namespace

TProfileChart::TProfileChart(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(false); // moves matter only while a button is held
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TProfileChart::setTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    update(0, 0, width(), kTitleSpace);
}

void TProfileChart::setAxisTitles(const QString& bottom, const QString& left)
{
    m_bottomTitle = bottom;
    m_leftTitle = left;
    update();
}

void TProfileChart::setValues(const std::array<int, kPoints>& values)
{
    m_values = values;
    update();
}

void TProfileChart::setValue(int input, int output)
{
    if (input < 0 || input >= kPoints || m_values[static_cast<std::size_t>(input)] == output)
        return;
    m_values[static_cast<std::size_t>(input)] = output;
    updateRange(input, input);
}

void TProfileChart::updateRange(int first, int last)
{
    const QRectF plot = plotRect();
    const qreal step = plot.width() / kAxisEnd;
    // The segments into and out of the changed points change too.
    const qreal left = plot.left() + std::max(0, first - 1) * step - 2;
    const qreal right = plot.left() + std::min(kPoints - 1, last + 1) * step + 2;
    update(QRectF(left, plot.top() - 2, right - left, plot.height() + 4).toAlignedRect());
}

QRectF TProfileChart::plotRect() const
{
    return QRectF(kLeftSpace, kTitleSpace, std::max(1, width() - kLeftSpace - kRightSpace),
                  std::max(1, height() - kTitleSpace - kBottomSpace));
}

QPointF TProfileChart::pointPosition(int input, int output) const
{
    const QRectF plot = plotRect();
    return {plot.left() + input * plot.width() / kAxisEnd, plot.bottom() - output * plot.height() / kAxisEnd};
}

void TProfileChart::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().window());
    const QRectF plot = plotRect();
    p.fillRect(plot, Qt::white);

    // Grid lines and labels every 50
    const QFontMetrics metrics(font());
    p.setPen(QPen(QColor(220, 220, 220), 0));
    for (int v = kLabelStep; v < kAxisEnd; v += kLabelStep) {
        const QPointF x = pointPosition(v, 0);
        const QPointF y = pointPosition(0, v);
        p.drawLine(QLineF(x.x(), plot.top(), x.x(), plot.bottom()));
        p.drawLine(QLineF(plot.left(), y.y(), plot.right(), y.y()));
    }
    p.setPen(palette().color(QPalette::WindowText));
    for (int v = 0; v <= kAxisEnd; v += kLabelStep) {
        const QString label = QString::number(v);
        const QPointF x = pointPosition(v, 0);
        const QPointF y = pointPosition(0, v);
        p.drawText(QRectF(x.x() - 20, plot.bottom() + 4, 40, metrics.height()), Qt::AlignHCenter | Qt::AlignTop, label);
        p.drawText(QRectF(plot.left() - 44, y.y() - metrics.height() / 2.0, 38, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, label);
    }
    p.drawRect(plot);

    // Titles
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(QRectF(plot.left(), 0, plot.width(), kTitleSpace), Qt::AlignCenter, m_title);
    p.setFont(font());
    p.drawText(QRectF(plot.left(), plot.bottom() + 4 + metrics.height(), plot.width(), metrics.height() + 6),
               Qt::AlignCenter, m_bottomTitle);
    p.save();
    p.translate(14, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, -metrics.height() / 2.0, plot.height(), metrics.height()), Qt::AlignCenter,
               m_leftTitle);
    p.restore();

    // The curve
    p.setClipRect(plot.adjusted(-1, -1, 1, 1));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(200, 0, 0), 1.5));
    // Only the points whose segments cross the area being painted (a stroke repaints a
    // narrow band of the plot).
    const qreal step = plot.width() / kAxisEnd;
    const int first = std::clamp(static_cast<int>((event->rect().left() - plot.left()) / step) - 2, 0, kPoints - 1);
    const int last = std::clamp(static_cast<int>((event->rect().right() - plot.left()) / step) + 2, 0, kPoints - 1);
    std::array<QPointF, kPoints> line;
    for (int i = first; i <= last; ++i)
        line[static_cast<std::size_t>(i - first)] = pointPosition(i, m_values[static_cast<std::size_t>(i)]);
    p.drawPolyline(line.data(), last - first + 1);
}

void TProfileChart::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->button(), event->position());
}

void TProfileChart::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position());
}

void TProfileChart::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->button(), event->position());
}

} // namespace lumora
