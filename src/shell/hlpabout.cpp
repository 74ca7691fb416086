#include "shell/hlpabout.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace lumora {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& where, const QFont& font,
                  const QColor& colour = QColor(Qt::black))
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setGeometry(where);
    return label;
}

} // namespace

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(tr("About"));
    setFixedSize(298, 196);

    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(2);
    bevel->setGeometry(rect());

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));
    picture->setScaledContents(true);
    picture->setGeometry(16, 16, 64, 64);

    QFont base = font();
    QFont product = base;
    product.setBold(true);
    product.setItalic(true);
    product.setPointSizeF(base.pointSizeF() * 1.25);
    QFont small = base;
    small.setPointSizeF(base.pointSizeF() * 0.7);

    auto* name =
        MakeLabel(this, QStringLiteral("Lumora Offline Editor"), QRect(92, 20, 190, 24), product, QColor(0, 0, 255));
    name->setObjectName(QStringLiteral("ProductName"));
    auto* tm = MakeLabel(this, QStringLiteral("TM"), QRect(92 + name->sizeHint().width() + 1, 16, 24, 14), small,
                         QColor(0, 0, 255));
    tm->setObjectName(QStringLiteral("TradeMark"));

    m_lblVersion = MakeLabel(this, QString::fromLatin1(kVersionText), QRect(92, 50, 190, 18), base);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    MakeLabel(this, QStringLiteral("All Rights Reserved"), QRect(92, 70, 190, 18), base)
        ->setObjectName(QStringLiteral("Copyright"));
    MakeLabel(this, QString::fromUtf8("\u00a9 The Lumora Offline Editor authors"), QRect(16, 100, 266, 18), base)
        ->setObjectName(QStringLiteral("Ownership"));
    MakeLabel(this, QStringLiteral("lumora-editor.example.org"), QRect(16, 120, 266, 18), base)
        ->setObjectName(QStringLiteral("WebAddress"));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setGeometry(111, 154, 76, 28);
    connect(ok, &QPushButton::clicked, this, &TfmAbout::accept);
}

} // namespace lumora
