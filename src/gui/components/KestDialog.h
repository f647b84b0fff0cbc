#pragma once

#include <QDialog>
#include <QIcon>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

// What sets one secondary window apart from the others.
struct TKestDialogFrame {
    QString objectName{};
    QString caption{};
    QString title{}; // the banner's title; a window with an empty title has no banner
    QString description{};
    Qt::WindowFlags hints = Qt::WindowStaysOnTopHint;
    bool centreOnScreen = false; // otherwise centred on the owner window, as dialogs are
    bool resizable = false;      // otherwise the size its controls need, fixed
};

// The frame every secondary window shares: a fixed-size dialog with the gradient banner at the
// top, its own controls in the middle and a row of buttons at the bottom right.
class TKestDialog : public QDialog {
    Q_OBJECT

public:
    TKestDialog(const TKestDialogFrame& frame, QWidget* parent);

protected:
    QVBoxLayout* contentLayout() const { return m_content; }
    QPushButton* addButton(const QString& objectName, const QString& text);
    // Stands in for the window's controls until they are built: a notice and a close button.
    void addPlaceholder();

    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* m_content = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    bool m_centreOnScreen = false;
};

// The program's icon, a lottery ball.
QIcon programIcon();

// Places a top-level window in the middle of the available area of its screen.
void centreOnScreen(QWidget* window);
