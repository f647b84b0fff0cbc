#include "gui/components/KestHint.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

TKestHint::TKestHint(QObject* parent)
    : QObject(parent)
{
    m_showTimer.setSingleShot(true);
    m_hideTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &TKestHint::showPending);
    connect(&m_hideTimer, &QTimer::timeout, this, [] { QToolTip::hideText(); });
}

TKestHint::~TKestHint()
{
    setActive(false);
}

void TKestHint::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        m_showTimer.stop();
        m_hideTimer.stop();
    }
}

void TKestHint::setDelays(int showMs, int hideMs)
{
    m_showMs = showMs;
    m_hideMs = hideMs;
}

bool TKestHint::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::Leave:
        // Any of these starts the rest over; a hint that was waiting is dropped.
        m_sinceMove.start();
        m_showTimer.stop();
        break;
    case QEvent::ToolTip: {
        if (m_delivering || !watched->isWidgetType())
            break;
        // Qt asks for the tip after its own, shorter wake-up delay: wait for the rest of ours.
        const int rested = m_sinceMove.isValid() ? int(m_sinceMove.elapsed()) : 0;
        if (rested < m_showMs) {
            const auto* help = static_cast<QHelpEvent*>(event);
            m_target = static_cast<QWidget*>(watched);
            m_pos = help->pos();
            m_globalPos = help->globalPos();
            m_showTimer.start(m_showMs - rested);
            return true;
        }
        // The widget shows its tip once the filters are through; time the hiding from then.
        QMetaObject::invokeMethod(this, &TKestHint::shown, Qt::QueuedConnection);
        break;
    }
    default:
        break;
    }
    return false;
}

void TKestHint::showPending()
{
    if (!m_target)
        return;
    QHelpEvent help(QEvent::ToolTip, m_pos, m_globalPos);
    m_delivering = true;
    QApplication::sendEvent(m_target, &help);
    m_delivering = false;
    shown();
}

void TKestHint::shown()
{
    if (QToolTip::isVisible())
        m_hideTimer.start(m_hideMs);
}
