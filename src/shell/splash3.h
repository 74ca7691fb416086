#pragma once

// The splash window shown while the program starts: title, ownership line and a
// progress bar that start-up steps forward.

#include <QWidget>

class QProgressBar;

namespace lumora {

class TfmSplash3 final : public QWidget {
    Q_OBJECT

public:
    // The bar runs from 1 to 150 and each step adds 10.
    static constexpr int kBarMinimum = 1, kBarMaximum = 150, kBarStep = 10;

    explicit TfmSplash3(QWidget* parent = nullptr);

    void step();
    QProgressBar* bar() const { return m_bar; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QProgressBar* m_bar;
};

} // namespace lumora
