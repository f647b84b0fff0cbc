#include "gui/shell/MagnifierWindow.h"

#include "core/kernel/Format.h"

#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QInputDevice>
#include <QLabel>
#include <QPainter>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr QSize pictureSize(240, 180);
// How far each zoom entry shrinks the copied half sizes.
constexpr QSize shrink[] = {{0, 0}, {40, 30}, {50, 40}, {60, 50}, {70, 60}};
// The area is centred this far above the pointer, so the pointer does not hide it.
constexpr int aboveThePointer = 20;
// A copy as often as a screen shows it is live enough.
constexpr int tickInterval = 40;

bool hasMouse()
{
    for (const QInputDevice* device : QInputDevice::devices())
        if (device->type() == QInputDevice::DeviceType::Mouse ||
            device->type() == QInputDevice::DeviceType::TouchPad)
            return true;
    return false;
}
} // namespace

MagnifierWindow::MagnifierWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmZoom",
                   .caption = "Magnifier",
                   .hints = Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint},
                  parent)
{
    m_zoom = new QComboBox;
    m_zoom->setObjectName("ComboBox1");
    m_zoom->addItems({"Zoom 1", "Zoom 2", "Zoom 3", "Zoom 4", "Zoom 5"});
    m_zoom->setCurrentIndex(-1);
    m_zoom->setToolTip("How much the picture enlarges");
    contentLayout()->addWidget(m_zoom);

    auto* panel = new QFrame;
    panel->setObjectName("Panel2");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setFixedSize(pictureSize + QSize(2 * panel->frameWidth(), 2 * panel->frameWidth()));
    m_area = new QStackedLayout(panel);
    m_area->setContentsMargins(panel->frameWidth(), panel->frameWidth(), panel->frameWidth(),
                               panel->frameWidth());
    m_noSignal = new QLabel(NoSignal);
    m_noSignal->setAlignment(Qt::AlignCenter);
    m_noSignal->setWordWrap(true);
    m_area->addWidget(m_noSignal);

    auto* pictureBox = new QWidget;
    auto* stack = new QStackedLayout(pictureBox);
    stack->setStackingMode(QStackedLayout::StackAll);
    m_picture = new QLabel;
    m_picture->setObjectName("Image1");
    m_picture->setFixedSize(pictureSize);
    m_picture->setAlignment(Qt::AlignCenter);
    auto* crossHair = new QLabel("+");
    crossHair->setObjectName("Label1");
    crossHair->setAlignment(Qt::AlignCenter);
    crossHair->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont bold = crossHair->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    crossHair->setFont(bold);
    crossHair->setStyleSheet("color: red;");
    stack->addWidget(crossHair);
    stack->addWidget(m_picture);
    m_area->addWidget(pictureBox);
    contentLayout()->addWidget(panel);

    m_status = new QLabel("0 x 0");
    m_status->setObjectName("Panel3");
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setAlignment(Qt::AlignCenter);
    contentLayout()->addWidget(m_status);

    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    m_timer->setInterval(tickInterval);
    connect(m_timer, &QTimer::timeout, this, &MagnifierWindow::tick);
}

QSize MagnifierWindow::copiedArea(const QSize& picture, int zoom)
{
    if (zoom < 0 || zoom >= int(std::size(shrink)))
        return {};
    return {2 * (picture.width() / 2 - shrink[zoom].width()),
            2 * (picture.height() / 2 - shrink[zoom].height())};
}

void MagnifierWindow::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    if (m_zoom->currentIndex() < 0)
        m_zoom->setCurrentIndex(0);
    m_timer->start();
}

void MagnifierWindow::hideEvent(QHideEvent* event)
{
    m_timer->stop();
    TKestDialog::hideEvent(event);
}

void MagnifierWindow::tick()
{
    if (!hasMouse()) {
        showNoSignal(QString(NoSignal) + "\n(there is no mouse)");
        return;
    }
    magnify(QCursor::pos());
}

void MagnifierWindow::showNoSignal(const QString& why)
{
    m_noSignal->setText(why);
    m_area->setCurrentIndex(0);
}

void MagnifierWindow::magnify(const QPoint& pointer)
{
    const QSize area = copiedArea(m_picture->size(), m_zoom->currentIndex());
    if (!area.isValid())
        return;
    m_status->setText(Format(" %.2d x %.2d ", {area.width(), area.height()}));
    QWidget* main = parentWidget();
    if (!main || !main->isVisible()) {
        showNoSignal(QString(NoSignal) + "\n(the main window is not shown)");
        return;
    }
    // The main window draws its own picture, so this works where the screen cannot be read
    // (Wayland, the offscreen platform). The part outside the window stays cleared.
    const QPoint centre = main->mapFromGlobal(pointer) - QPoint(0, aboveThePointer);
    const QRect source(centre - QPoint(area.width() / 2, area.height() / 2), area);
    QPixmap copy(area);
    copy.fill(palette().color(QPalette::Window));
    const QRect inside = source.intersected(main->rect());
    if (!inside.isEmpty()) {
        QPainter painter(&copy);
        painter.drawPixmap(inside.topLeft() - source.topLeft(), main->grab(inside));
    }
    m_picture->setPixmap(
        copy.scaled(m_picture->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_area->setCurrentIndex(1);
}
