#include "gui/components/KestPictures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// The icons are drawn on a 32 by 32 grid and scaled to the size asked for.
constexpr qreal grid = 32.0;
constexpr int iconSizes[] = {16, 22, 24, 32, 48};

const QColor blue(47, 109, 181);
const QColor paleBlue(214, 228, 247);
const QColor green(46, 160, 67);
const QColor red(208, 56, 56);
const QColor gold(240, 180, 40);
const QColor amber(236, 176, 64);
const QColor slate(90, 104, 128);
const QColor paper(252, 252, 253);

QPen outline(const QColor& colour, qreal width = 1.5)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Every shape of the icon set: a flat fill with a thin darker edge of the same hue.
void shape(QPainter& painter, const QPainterPath& path, const QColor& fill)
{
    painter.setPen(outline(fill.darker(150)));
    painter.setBrush(fill);
    painter.drawPath(path);
}

void stroke(QPainter& painter, const QPainterPath& path, const QColor& colour, qreal width)
{
    painter.setPen(outline(colour, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath roundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath star(QPointF centre, qreal outer)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? outer * 0.45 : outer;
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        points << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

// A sphere lit from the upper left.
void ball(QPainter& painter, QPointF centre, qreal radius, const QColor& colour)
{
    QRadialGradient shade(centre, radius, centre - QPointF(radius, radius) * 0.4);
    shade.setColorAt(0, colour.lighter(175));
    shade.setColorAt(0.55, colour);
    shade.setColorAt(1, colour.darker(165));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

// A sheet of paper with a folded corner.
void page(QPainter& painter, const QRectF& sheet)
{
    constexpr qreal fold = 6;
    shape(painter,
          polygon({sheet.topLeft(), sheet.topRight() - QPointF(fold, 0),
                   sheet.topRight() + QPointF(0, fold), sheet.bottomRight(), sheet.bottomLeft()}),
          paper);
    shape(painter,
          polygon({sheet.topRight() - QPointF(fold, 0), sheet.topRight() + QPointF(-fold, fold),
                   sheet.topRight() + QPointF(0, fold)}),
          paleBlue);
}

// The draw table: a grid with a blue title row.
void table(QPainter& painter)
{
    const QRectF frame(3, 4, 22, 20);
    shape(painter, roundedRect(frame, 1.5), paper);
    painter.fillRect(QRectF(frame.left(), frame.top(), frame.width(), 5), blue);
    painter.setPen(outline(paleBlue.darker(130), 1));
    for (qreal y = 14; y < frame.bottom(); y += 5)
        painter.drawLine(QPointF(frame.left() + 1, y), QPointF(frame.right() - 1, y));
    painter.drawLine(QPointF(11, frame.top() + 5), QPointF(11, frame.bottom() - 1));
    painter.setPen(outline(slate));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, 1.5, 1.5);
}

// A round badge at the lower right with a white sign on it.
void badge(QPainter& painter, const QColor& colour, bool plus)
{
    const QPointF centre(23.5, 23.5);
    shape(painter, circle(centre, 7), colour);
    painter.setPen(outline(Qt::white, 2.5));
    painter.drawLine(centre - QPointF(3.5, 0), centre + QPointF(3.5, 0));
    if (plus)
        painter.drawLine(centre - QPointF(0, 3.5), centre + QPointF(0, 3.5));
}

// A white sign drawn as text on a blue disc: the information and help icons.
void signDisc(QPainter& painter, const QString& sign)
{
    shape(painter, circle({16, 16}, 13), blue);
    QFont font;
    font.setBold(true);
    font.setPixelSize(20);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, grid, grid), Qt::AlignCenter, sign);
}

QPainterPath gear()
{
    constexpr int teeth = 8;
    QPolygonF points;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: two points on the outer rim, two at its root.
        const qreal radius = (i % 4 == 1 || i % 4 == 2) ? 14 : 10.5;
        const qreal angle = (i - 0.5) * 2 * std::numbers::pi / (teeth * 4);
        points << QPointF(16 + radius * std::cos(angle), 16 + radius * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    path.addEllipse(QPointF(16, 16), 4.5, 4.5);
    return path;
}

QPainterPath ticketShape()
{
    QPainterPath body = roundedRect(QRectF(2, 8, 28, 16), 2);
    QPainterPath notches = circle({2, 16}, 3.5);
    notches.addEllipse(QPointF(30, 16), 3.5, 3.5);
    return body.subtracted(notches);
}

using IconPainter = std::function<void(QPainter&)>;

const QHash<QString, IconPainter>& iconPainters()
{
    static const QHash<QString, IconPainter> painters = {
        {"open",
         [](QPainter& p) {
             shape(p, polygon({{3, 7}, {12, 7}, {15, 10}, {28, 10}, {28, 26}, {3, 26}}),
                   amber.darker(115));
             shape(p, polygon({{7, 14}, {31, 14}, {27, 26}, {3, 26}}), amber);
         }},
        {"add",
         [](QPainter& p) {
             table(p);
             badge(p, green, true);
         }},
        {"remove",
         [](QPainter& p) {
             table(p);
             badge(p, red, false);
         }},
        {"filter",
         [](QPainter& p) {
             shape(p, polygon({{4, 5}, {28, 5}, {19, 16}, {19, 26}, {13, 29}, {13, 16}}), blue);
         }},
        {"favourite",
         [](QPainter& p) {
             QPainterPath heart;
             heart.moveTo(16, 28);
             heart.cubicTo(6, 21, 2, 15, 4, 10);
             heart.cubicTo(6, 3, 14, 4, 16, 10);
             heart.cubicTo(18, 4, 26, 3, 28, 10);
             heart.cubicTo(30, 15, 26, 21, 16, 28);
             shape(p, heart, red);
         }},
        {"generate",
         [](QPainter& p) {
             ball(p, {10, 21}, 7.5, red);
             ball(p, {22, 21}, 7.5, blue);
             ball(p, {16, 10.5}, 7.5, gold);
         }},
        {"update",
         [](QPainter& p) {
             QPainterPath tray;
             tray.moveTo(4, 19);
             tray.lineTo(4, 28);
             tray.lineTo(28, 28);
             tray.lineTo(28, 19);
             stroke(p, tray, slate, 3);
             shape(p,
                   polygon(
                       {{12.5, 3}, {19.5, 3}, {19.5, 13}, {25, 13}, {16, 23}, {7, 13}, {12.5, 13}}),
                   green);
         }},
        {"about", [](QPainter& p) { signDisc(p, "i"); }},
        {"help", [](QPainter& p) { signDisc(p, "?"); }},
        {"run",
         [](QPainter& p) {
             shape(p, polygon({{9, 5}, {27, 16}, {9, 27}}), green);
         }},
        {"stop", [](QPainter& p) { shape(p, roundedRect(QRectF(7, 7, 18, 18), 3), red); }},
        {"script",
         [](QPainter& p) {
             page(p, QRectF(6, 3, 20, 26));
             p.setPen(outline(blue, 2));
             for (const auto& [left, right, y] :
                  {std::tuple{10, 18, 10}, {10, 22, 15}, {13, 22, 20}, {10, 19, 25}})
                 p.drawLine(QPointF(left, y), QPointF(right, y));
         }},
        {"magnifier",
         [](QPainter& p) {
             stroke(p, polygon({{19.5, 19.5}, {28, 28}}), slate, 5);
             QColor glass = paleBlue;
             glass.setAlpha(200);
             p.setPen(outline(slate, 3));
             p.setBrush(glass);
             p.drawEllipse(QPointF(13, 13), 9, 9);
         }},
        {"preferences", [](QPainter& p) { shape(p, gear(), slate.lighter(130)); }},
        {"exit",
         [](QPainter& p) {
             shape(p, roundedRect(QRectF(4, 3, 15, 26), 1.5), paleBlue);
             stroke(p, polygon({{13, 16}, {29, 16}}), red, 3);
             shape(p, polygon({{23, 10}, {30, 16}, {23, 22}}), red);
         }},
        {"ticket",
         [](QPainter& p) {
             shape(p, ticketShape(), gold.lighter(130));
             p.setPen(QPen(gold.darker(160), 1.2, Qt::DashLine));
             p.drawLine(QPointF(10, 9), QPointF(10, 23));
             for (qreal x : {15.0, 20.5, 26.0})
                 shape(p, circle({x, 16}, 2), red);
         }},
        {"check",
         [](QPainter& p) {
             QPainterPath tick;
             tick.moveTo(5, 17);
             tick.lineTo(13, 25);
             tick.lineTo(27, 7);
             stroke(p, tick, green, 5);
         }},
    };
    return painters;
}

QColor ballColour(const QString& text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (!isNumber || number < 1 || number > 49)
        return slate;
    static const QColor decades[] = {
        {235, 185, 20}, {52, 120, 205}, {214, 60, 55}, {46, 160, 80}, {142, 68, 173}};
    return decades[(number - 1) / 10];
}

QPixmap transparentPixmap(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap ballPicture(const QString& text, int size)
{
    QPixmap pixmap = transparentPixmap({size, size});
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = size / 2.0;
    const QPointF centre(radius, radius);
    ball(painter, centre, radius - 0.5, ballColour(text));

    const qreal disc = radius * 0.6;
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, disc, disc);

    QFont font;
    font.setBold(true);
    font.setPixelSize(std::max(6, qRound(size * 0.4)));
    painter.setFont(font);
    painter.setPen(QColor(30, 30, 30));
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, text);
    return pixmap;
}

QPixmap ratingPicture(int stars, QSize size, const QColor& background)
{
    QPixmap pixmap(size);
    pixmap.fill(background);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal cell = size.width() / 5.0;
    const qreal radius = std::min(cell, qreal(size.height())) / 2 - 0.75;
    for (int i = 0; i < 5; ++i) {
        const bool filled = i < stars;
        painter.setPen(QPen(filled ? gold.darker(140) : QColor(170, 170, 170), 1));
        painter.setBrush(filled ? gold : QColor(232, 232, 232));
        // Lowered a little: a star's points reach further up than down.
        painter.drawPath(
            star(QPointF(cell * (i + 0.5), size.height() / 2.0 + radius * 0.1), radius));
    }
    return pixmap;
}

QIcon commandIcon(const QString& name)
{
    const auto found = iconPainters().constFind(name);
    if (found == iconPainters().constEnd())
        return {};
    QIcon icon;
    for (int size : iconSizes) {
        QPixmap pixmap = transparentPixmap({size, size});
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / grid, size / grid);
        (*found)(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
