#pragma once

// A line chart of one output curve: 256 points (input 0..255 across, output up), both
// axes fixed from 0 to 256 with labels every 50, a title above the plot, no legend, no
// zoom and no panning. The chart only draws and reports the mouse; whoever owns the
// curve decides what a press, a move or a release does.

#include <QString>
#include <QWidget>

#include <array>

namespace lumora {

class TProfileChart final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPoints = 256;
    static constexpr int kAxisEnd = 256;

    explicit TProfileChart(QWidget* parent = nullptr);

    // ---- What it shows
    void setTitle(const QString& title);
    QString title() const { return m_title; }
    void setAxisTitles(const QString& bottom, const QString& left);
    // Every point at once, or one point (only the part of the plot that changes is redrawn).
    void setValues(const std::array<int, kPoints>& values);
    void setValue(int input, int output);
    // Points first..last (inputs) changed: redraws the part of the plot they cover.
    void updateRange(int first, int last);
    int value(int input) const { return m_values[static_cast<std::size_t>(input)]; }

    // ---- Where things are (widget pixels)
    // The plot rectangle: x = left is input 0, x = right input 256; y = bottom is output 0,
    // y = top output 256.
    QRectF plotRect() const;
    // The pixel of a point on the plot (its input at the left of its 256th).
    QPointF pointPosition(int input, int output) const;

    QSize sizeHint() const override { return {560, 480}; }
    QSize minimumSizeHint() const override { return {260, 220}; }

signals:
    void mousePressed(Qt::MouseButton button, QPointF position);
    void mouseMoved(QPointF position);
    void mouseReleased(Qt::MouseButton button, QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_title;
    QString m_bottomTitle;
    QString m_leftTitle;
    std::array<int, kPoints> m_values{};
};

} // namespace lumora
