#pragma once

#include <QWidget>

class QPainter;

// The caption banner at the top of the dialogs: a bold title over one line of description on a
// horizontal gradient from dark blue to a lighter blue.
class TKestGradInfo : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(QString description READ description WRITE setDescription)

public:
    explicit TKestGradInfo(QWidget* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QString description() const { return m_description; }
    void setDescription(const QString& description);

    QSize sizeHint() const override;

    // The banner's background, shared with other captions of the component set.
    static void paintGradient(QPainter& painter, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;

    QString m_title;
    QString m_description;
};
