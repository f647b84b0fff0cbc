#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QWidget;

// The program's hint timing: a tool tip appears only after the mouse has rested for the show
// delay (2000 ms) and disappears after the hide delay (5000 ms). It watches the whole
// application once active, so every widget's tool tip follows the same timing.
class TKestHint : public QObject {
    Q_OBJECT

public:
    explicit TKestHint(QObject* parent = nullptr);
    ~TKestHint() override;

    void setActive(bool active);
    bool isActive() const { return m_active; }

    void setDelays(int showMs, int hideMs);
    int showDelay() const { return m_showMs; }
    int hideDelay() const { return m_hideMs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPending();
    void shown();

    bool m_active = false;
    bool m_delivering = false;
    int m_showMs = 2000;
    int m_hideMs = 5000;
    QElapsedTimer m_sinceMove; // the mouse's rest so far
    QTimer m_showTimer;
    QTimer m_hideTimer;
    QPointer<QWidget> m_target;
    QPoint m_pos;
    QPoint m_globalPos;
};
