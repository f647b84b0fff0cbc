#pragma once

#include <QMainWindow>

#include <array>

class QLabel;
class QTableView;
class TKernel;
class TKestTableModel;

// The main window: the draws of the current game in a grid. It does not touch the kernel
// until it is first shown, because it is created before the kernel.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);

    QLabel* Label3 = nullptr;
    QTableView* LottoGrid = nullptr;
    // The status bar's five panels: known draws, random seed, processor load, game, filter.
    std::array<QLabel*, 5> StatusPanels{};

    // Shows the secondary window of that class, created at start as a child of this window.
    template <class Window> Window* showWindow()
    {
        Window* window = findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
        if (window) {
            window->show();
            window->raise();
            window->activateWindow();
        }
        return window;
    }

signals:
    // The first showing has filled the window.
    void ready();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void followGridCursor();
    void ShowCalculating();
    void SystemTimerTick();

    TKestTableModel* m_drawModel = nullptr;
    bool m_shown = false;
};
