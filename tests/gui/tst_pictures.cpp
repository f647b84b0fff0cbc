#include "GuiTest.h"
#include "gui/components/KestPictures.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QtTest>

#include "Screenshots.h"

namespace {

const QStringList iconNames = {
    "open", "add",  "remove", "filter",    "favourite",   "generate", "update", "about", "help",
    "run",  "stop", "script", "magnifier", "preferences", "exit",     "ticket", "check"};

// How many pixels of the picture are neither transparent nor the background colour.
int drawnPixels(const QPixmap& pixmap, const QColor& background = Qt::transparent)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            drawn += pixel.alpha() > 0 && pixel != background;
        }
    return drawn;
}

} // namespace

class TestPictures : public GuiTest {
    Q_OBJECT

private slots:
    void ballsHaveTheirSizeAndText();
    void ratingsShowTheirStarCount();
    void everyCommandHasAnIcon();
    void screenshots();
};

void TestPictures::ballsHaveTheirSizeAndText()
{
    for (int size : {16, 24, 48}) {
        const QPixmap ball = ballPicture("07", size);
        QCOMPARE(ball.size(), QSize(size, size));
        // Round: the corners stay transparent, the middle is drawn.
        const QImage image = ball.toImage();
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(size - 1, size - 1).alpha(), 0);
        QCOMPARE(image.pixelColor(size / 2, size / 2 + size / 3).alpha(), 255);
    }
    // The number is drawn on it, and balls of other decades differ in colour.
    QVERIFY(ballPicture("07", 24).toImage() != ballPicture("08", 24).toImage());
    QVERIFY(ballPicture("07", 24).toImage().pixelColor(12, 3) !=
            ballPicture("17", 24).toImage().pixelColor(12, 3));
    // Text that is no ball number still gives a ball.
    QCOMPARE(ballPicture("??", 24).size(), QSize(24, 24));
}

void TestPictures::ratingsShowTheirStarCount()
{
    const QSize size(65, 13);
    QList<QImage> ratings;
    for (int stars = 0; stars <= 5; ++stars) {
        const QPixmap rating = ratingPicture(stars, size);
        QCOMPARE(rating.size(), size);
        ratings << rating.toImage();
    }
    for (int a = 0; a < ratings.size(); ++a)
        for (int b = a + 1; b < ratings.size(); ++b)
            QVERIFY2(ratings.at(a) != ratings.at(b), qPrintable(QString("%1 %2").arg(a).arg(b)));

    // Each filled star is gold in its middle; the others are not.
    for (int stars = 0; stars <= 5; ++stars) {
        const QImage image = ratings.at(stars);
        for (int i = 0; i < 5; ++i) {
            const QColor middle = image.pixelColor(13 * i + 6, 7);
            const bool gold = middle.red() > 200 && middle.blue() < 120;
            QCOMPARE(gold, i < stars);
        }
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    }

    // The selected rows' pictures are drawn on the selection colour.
    const QColor selection(225, 218, 215);
    QCOMPARE(ratingPicture(3, size, selection).toImage().pixelColor(0, 0), selection);
}

void TestPictures::everyCommandHasAnIcon()
{
    QList<QImage> seen;
    for (const QString& name : iconNames) {
        const QIcon icon = commandIcon(name);
        QVERIFY2(!icon.isNull(), qPrintable(name));
        for (int size : {16, 32}) {
            const QPixmap pixmap = icon.pixmap(size, size);
            QCOMPARE(pixmap.size(), QSize(size, size));
            QVERIFY2(drawnPixels(pixmap) > size * size / 10, qPrintable(name));
        }
        // Disabled toolbar buttons get a picture of their own.
        QVERIFY(icon.pixmap(32, QIcon::Disabled).toImage() != icon.pixmap(32).toImage());
        const QImage image = icon.pixmap(32).toImage();
        QVERIFY2(!seen.contains(image), qPrintable(name + " looks like another icon"));
        seen << image;
    }
    QVERIFY(commandIcon("no such command").isNull());
}

void TestPictures::screenshots()
{
    // One sheet: balls of every decade, the six ratings, every icon large and small.
    const int cell = 40;
    QPixmap sheet(cell * iconNames.size() + 10, 230);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    const QStringList balls = {"01", "07", "12", "23", "34", "45", "49"};
    for (int i = 0; i < balls.size(); ++i) {
        painter.drawPixmap(10 + i * cell, 10, ballPicture(balls.at(i), 24));
        painter.drawPixmap(10 + i * 56, 40, ballPicture(balls.at(i), 48));
    }
    for (int stars = 0; stars <= 5; ++stars)
        painter.drawPixmap(10 + stars * 80, 100, ratingPicture(stars, {65, 13}));
    for (int stars = 0; stars <= 5; ++stars)
        painter.drawPixmap(10 + stars * 80, 118,
                           ratingPicture(stars, {65, 13}, QColor(225, 218, 215)));
    for (int i = 0; i < iconNames.size(); ++i) {
        const QIcon icon = commandIcon(iconNames.at(i));
        painter.drawPixmap(10 + i * cell, 145, icon.pixmap(32));
        painter.drawPixmap(18 + i * cell, 185, icon.pixmap(16));
        painter.drawPixmap(18 + i * cell, 207, icon.pixmap(16, QIcon::Disabled));
    }
    painter.end();

    QLabel label;
    label.setPixmap(sheet);
    label.resize(sheet.size());
    saveScreenshot(&label, "pictures");
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
