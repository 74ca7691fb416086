// Paints the editor's toolbar icons and pictures into PNG files (the program carries
// them as resources). Run after changing a drawing:
//     lumora-make-icons src/shell
// writes icons/<name>.png (24 x 24), icons/<name>@2x.png (48 x 48), images/logo.png and
// images/splash.png.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor kInk(40, 48, 64);
const QColor kAmber(240, 160, 32);
const QColor kGreen(40, 170, 80);
const QColor kBlue(40, 100, 200);
const QColor kPurple(130, 60, 170);

QPen Pen(const QColor& colour, qreal width = 1.2)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void Badge(QPainter& p, const QString& letter, const QColor& colour)
{
    p.setPen(Pen(Qt::white, 0.8));
    p.setBrush(colour);
    p.drawEllipse(QRectF(13.5, 13.5, 10, 10));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(8);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(13.5, 13.5, 10, 10), Qt::AlignCenter, letter);
}

void Faders(QPainter& p, const QColor& knob, std::initializer_list<qreal> heights)
{
    qreal x = 5;
    for (qreal h : heights) {
        p.setPen(Pen(kInk, 1.6));
        p.drawLine(QPointF(x, 3), QPointF(x, 21));
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(knob);
        p.drawRoundedRect(QRectF(x - 3, h - 2, 6, 4), 1, 1);
        x += 7;
    }
}

void ListRows(QPainter& p, const QColor& bullet)
{
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2, 2);
    for (int row = 0; row < 4; ++row) {
        const qreal y = 6.5 + row * 4;
        p.setPen(Qt::NoPen);
        p.setBrush(bullet);
        p.drawEllipse(QRectF(5, y - 1.3, 2.6, 2.6));
        p.setPen(Pen(kInk, 1.2));
        p.drawLine(QPointF(9.5, y), QPointF(18.5, y));
    }
}

void MovingHead(QPainter& p)
{
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(QColor(90, 90, 110));
    p.drawRoundedRect(QRectF(5, 18, 12, 4), 1, 1); // base
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kInk, 1.6));
    QPainterPath yoke;
    yoke.moveTo(5.5, 9);
    yoke.lineTo(5.5, 16);
    yoke.lineTo(16.5, 16);
    yoke.lineTo(16.5, 9);
    p.drawPath(yoke);
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(kPurple);
    p.drawEllipse(QRectF(6.5, 4, 9, 9)); // head
    p.setBrush(QColor(255, 240, 150));
    p.drawEllipse(QRectF(9, 6.5, 4, 4)); // lens
}

using TDrawing = std::function<void(QPainter&)>;

const std::pair<const char*, TDrawing> kIcons[] = {
    {"new",
     [](QPainter& p) {
         QPainterPath page;
         page.moveTo(5, 2.5);
         page.lineTo(14, 2.5);
         page.lineTo(19, 7.5);
         page.lineTo(19, 21.5);
         page.lineTo(5, 21.5);
         page.closeSubpath();
         p.setPen(Pen(kInk, 0.9));
         p.setBrush(Qt::white);
         p.drawPath(page);
         p.setBrush(QColor(220, 225, 235));
         p.drawPolygon(QPolygonF({QPointF(14, 2.5), QPointF(14, 7.5), QPointF(19, 7.5)}));
         p.setPen(Qt::NoPen);
         p.setBrush(kAmber);
         QPainterPath star;
         star.moveTo(17, 12);
         star.lineTo(18.2, 15);
         star.lineTo(21.5, 16);
         star.lineTo(18.2, 17);
         star.lineTo(17, 20);
         star.lineTo(15.8, 17);
         star.lineTo(12.5, 16);
         star.lineTo(15.8, 15);
         star.closeSubpath();
         p.drawPath(star);
     }},
    {"open",
     [](QPainter& p) {
         p.setPen(Pen(QColor(150, 100, 20), 0.9));
         p.setBrush(QColor(230, 180, 60));
         QPainterPath back;
         back.moveTo(2.5, 6);
         back.lineTo(8.5, 6);
         back.lineTo(10.5, 8);
         back.lineTo(19.5, 8);
         back.lineTo(19.5, 19.5);
         back.lineTo(2.5, 19.5);
         back.closeSubpath();
         p.drawPath(back);
         p.setBrush(QColor(250, 210, 90));
         p.drawPolygon(QPolygonF({QPointF(5.5, 11), QPointF(22.5, 11), QPointF(19.5, 19.5), QPointF(2.5, 19.5)}));
     }},
    {"save",
     [](QPainter& p) {
         p.setPen(Pen(kInk, 0.9));
         p.setBrush(kBlue);
         QPainterPath body;
         body.moveTo(3, 3);
         body.lineTo(18, 3);
         body.lineTo(21, 6);
         body.lineTo(21, 21);
         body.lineTo(3, 21);
         body.closeSubpath();
         p.drawPath(body);
         p.setBrush(QColor(200, 205, 215));
         p.drawRect(QRectF(7, 3, 9, 6)); // shutter
         p.setBrush(QColor(40, 48, 64));
         p.drawRect(QRectF(12.5, 4, 2, 4));
         p.setBrush(Qt::white);
         p.drawRect(QRectF(6, 12, 12, 9)); // label
         p.setPen(Pen(QColor(150, 160, 180), 0.8));
         p.drawLine(QPointF(8, 15), QPointF(16, 15));
         p.drawLine(QPointF(8, 18), QPointF(16, 18));
     }},
    {"cueeditor",
     [](QPainter& p) {
         Faders(p, kAmber, {8, 16, 11});
     }},
    {"cuelist", [](QPainter& p) { ListRows(p, kAmber); }},
    {"track",
     [](QPainter& p) {
         p.setPen(Pen(QColor(170, 180, 200), 0.6));
         for (int x = 4; x <= 20; x += 4)
             p.drawLine(QPointF(x, 3), QPointF(x, 21));
         p.setPen(Pen(kInk, 1.2));
         p.drawLine(QPointF(3, 21), QPointF(21, 21));
         p.drawLine(QPointF(3, 3), QPointF(3, 21));
         p.setPen(Pen(kAmber, 2.0));
         p.drawPolyline(QPolygonF({QPointF(4, 17), QPointF(8, 17), QPointF(8, 8), QPointF(12, 8), QPointF(12, 12),
                                   QPointF(16, 12), QPointF(16, 5), QPointF(20, 5)}));
     }},
    {"subeditor",
     [](QPainter& p) {
         Faders(p, kGreen, {14, 7, 18});
     }},
    {"sublist", [](QPainter& p) { ListRows(p, kGreen); }},
    {"patch",
     [](QPainter& p) {
         p.setPen(Pen(kInk, 0.9));
         p.setBrush(QColor(90, 90, 110));
         p.drawRoundedRect(QRectF(2.5, 3, 7, 6), 1, 1);
         p.drawRoundedRect(QRectF(14.5, 15, 7, 6), 1, 1);
         p.setPen(Pen(kInk, 1.2));
         p.drawLine(QPointF(4.5, 3), QPointF(4.5, 1));
         p.drawLine(QPointF(7.5, 3), QPointF(7.5, 1));
         p.drawLine(QPointF(16.5, 21), QPointF(16.5, 23));
         p.drawLine(QPointF(19.5, 21), QPointF(19.5, 23));
         QPainterPath cable;
         cable.moveTo(6, 9);
         cable.cubicTo(6, 20, 18, 4, 18, 15);
         p.setPen(Pen(QColor(200, 50, 50), 2.2));
         p.setBrush(Qt::NoBrush);
         p.drawPath(cable);
     }},
    {"profile",
     [](QPainter& p) {
         p.setPen(Pen(kInk, 1.2));
         p.drawLine(QPointF(3, 3), QPointF(3, 21));
         p.drawLine(QPointF(3, 21), QPointF(21, 21));
         p.setPen(Pen(QColor(170, 180, 200), 0.8));
         p.drawLine(QPointF(3, 21), QPointF(21, 3));
         QPainterPath curve;
         curve.moveTo(3, 21);
         curve.cubicTo(12, 21, 12, 3, 21, 3);
         p.setPen(Pen(kBlue, 2.0));
         p.setBrush(Qt::NoBrush);
         p.drawPath(curve);
     }},
    {"effects",
     [](QPainter& p) {
         for (int i = 0; i < 4; ++i) {
             const bool lit = i == 2;
             p.setPen(Pen(kInk, 0.8));
             p.setBrush(lit ? QColor(255, 220, 40) : QColor(120, 110, 90));
             p.drawEllipse(QRectF(1.5 + i * 5.5, 9, 4.5, 4.5));
         }
         p.setPen(Pen(kAmber, 1.4));
         p.setBrush(Qt::NoBrush);
         p.drawLine(QPointF(4, 18), QPointF(19, 18));
         p.drawLine(QPointF(19, 18), QPointF(16.5, 16));
         p.drawLine(QPointF(19, 18), QPointF(16.5, 20));
     }},
    {"macros",
     [](QPainter& p) {
         p.setPen(Pen(kInk, 0.9));
         p.setBrush(QColor(235, 235, 240));
         p.drawRoundedRect(QRectF(2.5, 4.5, 19, 16), 3, 3);
         p.setBrush(Qt::white);
         p.drawRoundedRect(QRectF(5, 6, 14, 11), 2, 2);
         QFont font(QStringLiteral("DejaVu Sans"));
         font.setBold(true);
         font.setPixelSize(10);
         p.setFont(font);
         p.setPen(kBlue);
         p.drawText(QRectF(5, 6, 14, 11), Qt::AlignCenter, QStringLiteral("M"));
     }},
    {"qvtype",
     [](QPainter& p) {
         MovingHead(p);
         Badge(p, QStringLiteral("T"), kBlue);
     }},
    {"qvdevice",
     [](QPainter& p) {
         MovingHead(p);
         Badge(p, QStringLiteral("D"), kGreen);
     }},
    {"qvaction",
     [](QPainter& p) {
         MovingHead(p);
         Badge(p, QStringLiteral("A"), QColor(200, 60, 60));
     }},
    {"qvposition",
     [](QPainter& p) {
         p.setPen(Pen(kPurple, 1.6));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QRectF(4, 4, 16, 16));
         p.drawEllipse(QRectF(9, 9, 6, 6));
         p.setPen(Pen(kInk, 1.2));
         p.drawLine(QPointF(12, 1), QPointF(12, 7));
         p.drawLine(QPointF(12, 17), QPointF(12, 23));
         p.drawLine(QPointF(1, 12), QPointF(7, 12));
         p.drawLine(QPointF(17, 12), QPointF(23, 12));
     }},
    {"notes",
     [](QPainter& p) {
         p.setPen(Pen(QColor(150, 120, 30), 0.9));
         p.setBrush(QColor(255, 240, 140));
         p.drawRect(QRectF(3.5, 4.5, 14, 17));
         p.setPen(Pen(QColor(150, 150, 170), 0.8));
         for (qreal y = 9; y < 20; y += 3)
             p.drawLine(QPointF(5.5, y), QPointF(15.5, y));
         p.setPen(Pen(kInk, 1.4));
         for (qreal x = 6; x < 16; x += 3)
             p.drawLine(QPointF(x, 2.5), QPointF(x, 6));
         p.setPen(Pen(kInk, 0.8));
         p.setBrush(kBlue);
         p.drawPolygon(QPolygonF(
             {QPointF(20.5, 7), QPointF(22.5, 9), QPointF(14, 19.5), QPointF(11.5, 20.5), QPointF(12, 17.5)}));
     }},
    {"help",
     [](QPainter& p) {
         p.setPen(Pen(QColor(20, 60, 140), 0.9));
         p.setBrush(kBlue);
         p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
         QFont font(QStringLiteral("DejaVu Sans"));
         font.setBold(true);
         font.setPixelSize(15);
         p.setFont(font);
         p.setPen(Qt::white);
         p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter, QStringLiteral("?"));
     }},
};

QImage Paint(int size, qreal scale, const TDrawing& drawing)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    drawing(painter);
    return image;
}

// A stage lamp throwing its beam: the program's logo.
void Logo(QPainter& p)
{
    QPainterPath beam;
    beam.moveTo(22, 20);
    beam.lineTo(62, 46);
    beam.lineTo(46, 62);
    beam.closeSubpath();
    QLinearGradient light(QPointF(22, 20), QPointF(56, 56));
    light.setColorAt(0, QColor(255, 230, 120, 230));
    light.setColorAt(1, QColor(255, 230, 120, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPath(beam);
    p.save();
    p.translate(20, 20);
    p.rotate(45);
    p.setPen(Pen(kInk, 1.5));
    p.setBrush(QColor(60, 70, 95));
    p.drawRoundedRect(QRectF(-16, -9, 22, 18), 3, 3);
    p.setBrush(QColor(255, 235, 150));
    p.drawRect(QRectF(6, -10, 4, 20));
    p.restore();
    p.setPen(Pen(kInk, 2));
    p.drawLine(QPointF(6, 30), QPointF(6, 60));
    p.drawLine(QPointF(6, 60), QPointF(16, 60));
}

void Splash(QPainter& p)
{
    QLinearGradient sky(QPointF(0, 0), QPointF(0, 151));
    sky.setColorAt(0, QColor(255, 255, 255));
    sky.setColorAt(1, QColor(200, 214, 232));
    p.fillRect(QRectF(0, 0, 298, 151), sky);
    for (int i = 0; i < 3; ++i) {
        QPainterPath beam;
        const qreal top = 190 + i * 40;
        beam.moveTo(top, 0);
        beam.lineTo(top + 14, 0);
        beam.lineTo(top - 40 + i * 30, 151);
        beam.lineTo(top - 90 + i * 30, 151);
        beam.closeSubpath();
        QLinearGradient light(QPointF(0, 0), QPointF(0, 151));
        light.setColorAt(0, QColor(255, 225, 120, 120));
        light.setColorAt(1, QColor(255, 225, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawPath(beam);
    }
}

bool Save(const QImage& image, const QString& path)
{
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    root.mkpath(QStringLiteral("icons"));
    root.mkpath(QStringLiteral("images"));
    bool ok = true;
    for (const auto& [name, drawing] : kIcons) {
        ok &= Save(Paint(24, 1, drawing), root.filePath(QStringLiteral("icons/%1.png").arg(QLatin1String(name))));
        ok &= Save(Paint(48, 2, drawing), root.filePath(QStringLiteral("icons/%1@2x.png").arg(QLatin1String(name))));
    }
    ok &= Save(Paint(64, 1, Logo), root.filePath(QStringLiteral("images/logo.png")));
    QImage splash(298, 151, QImage::Format_RGB32);
    {
        QPainter painter(&splash);
        painter.setRenderHint(QPainter::Antialiasing);
        Splash(painter);
    }
    ok &= Save(splash, root.filePath(QStringLiteral("images/splash.png")));
    return ok ? 0 : 1;
}
