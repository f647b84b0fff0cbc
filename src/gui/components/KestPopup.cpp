#include "gui/components/KestPopup.h"

#include "gui/components/KestDialog.h"
#include "gui/components/KestGradInfo.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPauseAnimation>
#include <QPropertyAnimation>
#include <QScreen>
#include <QSequentialAnimationGroup>
#include <QVBoxLayout>

namespace {

constexpr int windowWidth = 260;
constexpr int titleHeight = 24;
constexpr int screenMargin = 8;
const QColor frameBlue(10, 36, 106);
const QColor paleBlue(238, 244, 252);

// One notification window. It closes itself when its motion is over or when clicked.
class NoticeWindow : public QWidget {
public:
    explicit NoticeWindow(const QString& text)
    {
        setObjectName("KestPopupWindow");
        setWindowTitle("Drawsage");
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                       Qt::WindowDoesNotAcceptFocus | Qt::BypassWindowManagerHint);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        setCursor(Qt::PointingHandCursor);
        setFixedWidth(windowWidth);

        auto* icon = new QLabel(this);
        icon->setPixmap(programIcon().pixmap(16, 16));
        auto* title = new QLabel(windowTitle(), this);
        title->setObjectName("lbTitle");
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        title->setStyleSheet("color: white");
        auto* heading = new QHBoxLayout;
        heading->setContentsMargins(6, 0, 6, 0);
        heading->addWidget(icon);
        heading->addWidget(title, 1);

        auto* body = new QLabel(text, this);
        body->setObjectName("lbText");
        body->setTextFormat(Qt::PlainText); // a file name with "<" in it is not markup
        body->setWordWrap(true);
        body->setContentsMargins(10, 8, 10, 12);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->setSpacing(0);
        auto* strip = new QWidget(this);
        strip->setFixedHeight(titleHeight);
        strip->setLayout(heading);
        layout->addWidget(strip);
        layout->addWidget(body);
        adjustSize();
    }

    // Slides up from below the bottom edge of the available area, waits and slides back.
    void present(int slideMs, int stayMs)
    {
        const QRect area = screen()->availableGeometry();
        const int left = area.right() - width() - screenMargin;
        const QPoint hidden(left, area.bottom() + 1);
        const QPoint shown(left, area.bottom() - height() - screenMargin);

        auto* motion = new QSequentialAnimationGroup(this);
        motion->addAnimation(slide(hidden, shown, slideMs));
        motion->addPause(stayMs);
        motion->addAnimation(slide(shown, hidden, slideMs));
        connect(motion, &QAbstractAnimation::finished, this, &QWidget::close);

        move(hidden);
        show();
        motion->start();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), paleBlue);
        TKestGradInfo::paintGradient(painter, QRect(0, 0, width(), titleHeight + 1));
        painter.setPen(frameBlue);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

    void mousePressEvent(QMouseEvent*) override { close(); }

private:
    QPropertyAnimation* slide(const QPoint& from, const QPoint& to, int ms)
    {
        auto* animation = new QPropertyAnimation(this, "pos");
        animation->setStartValue(from);
        animation->setEndValue(to);
        animation->setDuration(ms);
        animation->setEasingCurve(QEasingCurve::OutCubic);
        return animation;
    }
};

} // namespace

TKestPopup::TKestPopup(QObject* parent)
    : QObject(parent)
{}

TKestPopup::~TKestPopup()
{
    for (const QPointer<QWidget>& window : std::as_const(m_windows))
        delete window.data();
}

void TKestPopup::showNotice(const QString& text)
{
    closeAll();
    auto* window = new NoticeWindow(text);
    m_windows.append(window);
    m_lastText = text;
    window->present(m_slideMs, m_stayMs);
}

void TKestPopup::closeAll()
{
    for (const QPointer<QWidget>& window : std::as_const(m_windows))
        if (window)
            window->close();
    // Closed windows delete themselves later; they no longer count.
    m_windows.removeIf(
        [](const QPointer<QWidget>& window) { return !window || !window->isVisible(); });
}

int TKestPopup::openCount() const
{
    return std::count_if(m_windows.cbegin(), m_windows.cend(), [](const QPointer<QWidget>& window) {
        return window && window->isVisible();
    });
}

void TKestPopup::setTimings(int slideMs, int stayMs)
{
    m_slideMs = slideMs;
    m_stayMs = stayMs;
}
