#include "shell/splash3.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>

namespace lumora {

TfmSplash3::TfmSplash3(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(QStringLiteral(":/images/splash.png"))
{
    setObjectName(QStringLiteral("fmSplash3"));
    setFixedSize(298, 151);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));
    logo->setScaledContents(true);
    logo->setGeometry(14, 14, 40, 40);

    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    auto* title = new QLabel(QStringLiteral("Lumora   Offline Editor"), this);
    title->setObjectName(QStringLiteral("Title"));
    title->setFont(titleFont);
    title->setGeometry(62, 18, title->sizeHint().width(), 28);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.7);
    auto* mark = new QLabel(QStringLiteral("(R)"), this);
    mark->setFont(small);
    mark->setGeometry(title->geometry().right() + 2, 16, 24, 12);

    auto* owner = new QLabel(QString::fromUtf8("\u00a9 The Lumora Offline Editor authors"), this);
    owner->setObjectName(QStringLiteral("Ownership"));
    owner->setGeometry(62, 56, 226, 18);
    auto* loading = new QLabel(QStringLiteral("Loading ..."), this);
    loading->setObjectName(QStringLiteral("Loading"));
    loading->setGeometry(14, 96, 120, 18);

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("Bar"));
    m_bar->setRange(kBarMinimum, kBarMaximum);
    m_bar->setValue(kBarMinimum);
    m_bar->setTextVisible(false);
    m_bar->setGeometry(14, 118, 270, 16);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfmSplash3::step()
{
    m_bar->setValue(std::min(m_bar->value() + kBarStep, kBarMaximum));
}

void TfmSplash3::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_picture);
    // the grey frame, 3 pixels wide
    painter.setPen(QPen(QColor(128, 128, 128), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace lumora
