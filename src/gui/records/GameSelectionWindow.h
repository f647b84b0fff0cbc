#pragma once

#include "gui/components/KestDialog.h"

class QListWidget;
class QPushButton;
class QTabWidget;

// The open database window: chooses the game.
class GameSelectionWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit GameSelectionWindow(QWidget* parent = nullptr);

signals:
    // The user opened the game of this table file.
    void gameChosen(const QString& tableName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openSelected();
    void setBusy(bool busy);

    QTabWidget* m_pages = nullptr;   // PageControl1
    QListWidget* m_games = nullptr;  // ListView2
    QPushButton* m_open = nullptr;   // Button1
    QPushButton* m_cancel = nullptr; // Button2
};
