#include "gui/shell/SplashWindow.h"

#include "gui/components/KestDialog.h"
#include "gui/components/KestGradInfo.h"
#include "gui/shell/AboutBox.h"

#include <QCoreApplication>
#include <QPainter>

namespace {
constexpr QSize splashSize(440, 240);
constexpr int logoSize = 128;
constexpr int margin = 24;
} // namespace

SplashWindow::SplashWindow()
    : QSplashScreen(picture(), Qt::WindowStaysOnTopHint)
{
    setObjectName("TfrmSplash");
    setWindowTitle("Drawsage");
    setCursor(Qt::BusyCursor);
}

QPixmap SplashWindow::picture()
{
    QPixmap picture(splashSize);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    TKestGradInfo::paintGradient(painter, picture.rect());
    painter.setPen(QColor(255, 255, 255, 90));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));

    const QRect logo(margin, (splashSize.height() - logoSize) / 2, logoSize, logoSize);
    programIcon().paint(&painter, logo);

    const int textLeft = logo.right() + margin;
    QFont title = painter.font();
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(textLeft, logo.top(), splashSize.width() - textLeft - margin, 56),
                     Qt::AlignLeft | Qt::AlignVCenter, "Drawsage");
    QFont line = title;
    line.setPixelSize(14);
    line.setBold(false);
    painter.setFont(line);
    painter.drawText(QRect(textLeft, logo.top() + 60, splashSize.width() - textLeft - margin, 60),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     "South African Edition\nVersion " + AboutBox::version());
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(
        QRect(textLeft, logo.bottom() - 20, splashSize.width() - textLeft - margin, 20),
        Qt::AlignLeft | Qt::AlignBottom, "Starting...");
    return picture;
}

void SplashWindow::showNow()
{
    show();
    centreOnScreen(this);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
