#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// The pop-up notifier: shows a short text in a small window titled "Drawsage" that slides in
// at the bottom right of the screen, stays a few seconds and slides out again by itself. A
// click closes it at once.
class TKestPopup : public QObject {
    Q_OBJECT

public:
    explicit TKestPopup(QObject* parent = nullptr);
    ~TKestPopup() override;

    // Closes every notification that is still open, then shows one with the text.
    void showNotice(const QString& text);
    void closeAll();

    int openCount() const;
    QString lastText() const { return m_lastText; }

    // How long a notification slides and how long it stays in place, in milliseconds.
    void setTimings(int slideMs, int stayMs);

private:
    QList<QPointer<QWidget>> m_windows;
    QString m_lastText;
    int m_slideMs = 400;
    int m_stayMs = 5000;
};
