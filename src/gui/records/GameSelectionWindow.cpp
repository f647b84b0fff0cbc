#include "gui/records/GameSelectionWindow.h"

#include "core/records/Games.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

GameSelectionWindow::GameSelectionWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmOpen",
                   .caption = "Open Database",
                   .title = "Open Database",
                   .description = "Open a specific Lottery Database",
                   .hints = Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::WindowCloseButtonHint,
                   .centreOnScreen = true},
                  parent)
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl1");
    m_games = new QListWidget(m_pages);
    m_games->setObjectName("ListView2");
    m_games->setToolTip("Select which database you wish to open.");
    m_games->setIconSize(QSize(32, 32));
    for (const GameTexts& game : Games::all()) {
        auto* item = new QListWidgetItem(programIcon(), game.name, m_games);
        item->setData(Qt::UserRole, game.tableName);
    }
    m_pages->addTab(m_games, "South Africa");
    for (const char* country :
         {"United Kingdom", "United States", "New Zealand", "Australia", "Custom"}) {
        auto* page = new QWidget(m_pages);
        auto* layout = new QVBoxLayout(page);
        auto* notice = new QLabel("Currently not supported in this version", page);
        notice->setAlignment(Qt::AlignCenter);
        notice->setStyleSheet("color: silver; font-style: italic;");
        layout->addWidget(notice);
        m_pages->addTab(page, country);
    }
    m_pages->setMinimumSize(m_pages->tabBar()->sizeHint().width() + 8, 170);
    contentLayout()->addWidget(m_pages);
    connect(m_games, &QListWidget::itemDoubleClicked, this, &GameSelectionWindow::openSelected);

    QPushButton* create = addButton("Button3", "&New");
    create->setToolTip("Click here to create a new database.");
    create->setEnabled(false);
    m_open = addButton("Button1", "&Open");
    m_open->setToolTip("Click here to open the selected database.");
    m_open->setDefault(true);
    m_cancel = addButton("Button2", "&Cancel");
    m_cancel->setToolTip("Click here to cancel and close this dialog.");
    connect(m_open, &QPushButton::clicked, this, &GameSelectionWindow::openSelected);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

void GameSelectionWindow::setBusy(bool busy)
{
    for (QWidget* control : {static_cast<QWidget*>(m_open), static_cast<QWidget*>(m_cancel),
                             static_cast<QWidget*>(m_pages)})
        control->setEnabled(!busy);
}

void GameSelectionWindow::openSelected()
{
    // Nothing else can be pressed while the game switch rebuilds the statistics.
    setBusy(true);
    const QListWidgetItem* chosen = m_games->currentItem();
    if (chosen && chosen->isSelected())
        emit gameChosen(chosen->data(Qt::UserRole).toString());
    close();
}

void GameSelectionWindow::showEvent(QShowEvent* event)
{
    setBusy(false);
    TKestDialog::showEvent(event);
}
