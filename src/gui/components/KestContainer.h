#pragma once

#include <QFrame>

class QLabel;
class QVBoxLayout;

// A framed panel with a title strip over one content widget: the statistics pages sit in one.
class TKestContainer : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)

public:
    explicit TKestContainer(QWidget* parent = nullptr);

    QString title() const;
    void setTitle(const QString& title);
    // The label that shows the title, for callers that name it or change its font.
    QLabel* titleLabel() const { return m_title; }

    // Puts the widget under the title, in place of the previous content, which is deleted.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_title = nullptr;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_layout = nullptr;
};
