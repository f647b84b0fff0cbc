#pragma once

#include "core/kernel/ProcessorLoad.h"

#include <QDeadlineTimer>
#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QMenuBar;
class QSplitter;
class QTableView;
class QToolBar;
class FilterEditor;
class TKernel;
class TKestContainer;
class TKestExBar;
class TKestTableModel;
class StatisticsPages;

// The main window: the draws of the current game over the statistics pages, the task bar, the
// news line, the tool bars and every command. It does not touch the kernel until it is first
// shown, because it is created before the kernel.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The task items of the side task bar; the values are the ids the bar reports.
    enum class TaskBarItem {
        Generate = 1,
        AddDraw = 2,
        Favourites = 3,
        FrequencyHistory = 4,
        CheckTicket = 5,
        ViewTicket = 6,
        GettingStarted = 11,
        About = 12,
        Update = 13,
        Website = 14,
    };

    explicit MainWindow(QWidget* parent = nullptr);

    // Rebuilds the statistics, then the chart and the task bar.
    void RecalculateAll();
    // RecalculateAll, then every statistics page filled again.
    void ShowStatistics();
    // What a click on a task item does; an error it raises is reported, not passed on.
    void ItemClick(TaskBarItem item);

    // Where the help pages are looked for; HelpWindow::defaultFolder() unless a test says
    // otherwise.
    void setHelpFolder(const QString& folder) { m_helpFolder = folder; }
    QString runningScript() const { return m_runningScript; }

signals:
    // The first showing has filled the window.
    void ready();

protected:
    void showEvent(QShowEvent* event) override;
    // The pop-up menu of the tool bars and the news line: which bars are shown.
    QMenu* createPopupMenu() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Every command of the menus, tool bars and pop-up menus; each action keeps its designer
    // name as objectName.
    struct Commands {
        // Tool bar.
        QAction* openGame = nullptr;        // TBItem26
        QAction* addDraw = nullptr;         // TBItem3
        QAction* removeDraw = nullptr;      // TBItem5
        QAction* toggleFilterBar = nullptr; // TBVisibilityToggleItem1
        QAction* favourites = nullptr;      // TBItem13
        QAction* generate = nullptr;        // TBItem24
        QAction* update = nullptr;          // TBItem11
        QAction* about = nullptr;           // TBItem7
        QAction* help = nullptr;            // TBItem23
        // Filter tool bar.
        QAction* createScript = nullptr; // TBItem6
        QAction* runScript = nullptr;    // btnExecute
        QAction* stopScript = nullptr;   // btnStop
        QAction* openScript = nullptr;   // btnOpen
        // File menu.
        QAction* openGameMenu = nullptr; // TBItem4
        QAction* lotto = nullptr;        // TBItem28
        QAction* lottoPlus = nullptr;    // TBItem27
        QAction* preferences = nullptr;  // TBItem22
        QAction* exit = nullptr;         // TBItem2
        // View and Tools menus.
        QAction* viewFilterBar = nullptr;    // TBVisibilityToggleItem5
        QAction* scriptEditor = nullptr;     // TBItem18
        QAction* viewToolBar = nullptr;      // TBVisibilityToggleItem3
        QAction* magnifier = nullptr;        // TBItem32
        QAction* checkTicket = nullptr;      // TBItem12
        QAction* generator = nullptr;        // TBItem20
        QAction* favouriteNumbers = nullptr; // TBItem19
        QAction* frequencies = nullptr;      // TBItem21
        QAction* pairs = nullptr;            // TBItem34
        QAction* fairness = nullptr;         // actFairness
        // Help menu.
        QAction* helpContents = nullptr;   // TBItem8
        QAction* updateDatabase = nullptr; // TBItem10
        QAction* contact = nullptr;        // TBItem30
        QAction* aboutDrawsage = nullptr;  // TBItem9
        // The draw grid's pop-up menu.
        QAction* gridFilterBar = nullptr;    // TBVisibilityToggleItem2
        QAction* gridScriptEditor = nullptr; // TBItem17
        QAction* addEntry = nullptr;         // TBItem14
        QAction* deleteEntry = nullptr;      // TBItem15
        QAction* entryDetails = nullptr;     // TBItem16
        // The bars' pop-up menu.
        QAction* popupMenuBar = nullptr;   // TBVisibilityToggleItem4
        QAction* popupToolBar = nullptr;   // TBVisibilityToggleItem6
        QAction* popupFilterBar = nullptr; // TBVisibilityToggleItem7
    };

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

    template <class Window> std::function<void()> shows()
    {
        return [this] { showWindow<Window>(); };
    }

    // A slot that runs the handler under the error report.
    std::function<void()> guarded(void (MainWindow::*handler)());

    void createCommands();
    void setShortcuts();
    void createMenus();
    void createToolBars();
    void createCentre();
    void createStatusBar();
    QAction* addCommand(const QString& name, const QString& caption, const QString& hint,
                        const QString& icon, const std::function<void()>& run);
    QAction* addVisibilityToggle(const QString& name, const QString& caption,
                                 const QString& hint = {});

    void FormShow();
    void applyMarqueeSpeed();
    void buildTaskBar();
    void refreshHotAndCold(bool firstBuild);
    void followGridCursor();
    void ShowCalculating();
    void SystemTimerTick();
    void ScrollTimerTick();
    void RandomTimerTick();

    // Commands.
    void RemoveDraw();
    void UpdateCommand();
    void HelpCommand(bool reportFailure);
    void ContactCommand();
    void MagnifierCommand();
    void ViewSavedTicket();
    void SwitchGame(const QString& tableName);
    void showOpenGame();

    // The filter tool bar.
    void FillScriptList();
    void ChooseScript(int index);
    void RunScript();
    void StopScript();
    void OpenScript();
    // The editor's script box holds the script every filter command runs.
    FilterEditor* scriptEditor() const;
    void refreshAfterFilter(bool recalculate);
    // The draw record windows tell this window what they changed.
    void connectRecordWindows();

    Commands m_commands;
    QToolBar* m_mainBar = nullptr;                // tbMain
    QMenuBar* m_menuBar = nullptr;                // tbMenu
    QToolBar* m_toolBar = nullptr;                // tbTools
    QToolBar* m_filterBar = nullptr;              // tbFilter
    QComboBox* m_filterScripts = nullptr;         // ComboBox1
    QLabel* m_marquee = nullptr;                  // lblMarquee
    QLabel* m_drawsHeading = nullptr;             // Label3
    QTableView* m_drawGrid = nullptr;             // LottoGrid
    QMenu* m_gridMenu = nullptr;                  // GridMenu
    TKestContainer* m_statisticsBox = nullptr;    // frmGraph
    QLabel* m_statisticsHeading = nullptr;        // Label2
    StatisticsPages* m_statisticsPages = nullptr; // PageControl1
    QSplitter* m_splitter = nullptr;              // Splitter
    // The side task bar; built by the first RecalculateAll.
    TKestExBar* m_taskBar = nullptr; // TaskBar
    // The status bar's five panels: known draws, random seed, processor load, game, filter.
    std::array<QLabel*, 5> m_statusPanels{}; // StatusPanel0 ... StatusPanel4

    TKernel* m_kernel = nullptr;
    TKestTableModel* m_drawModel = nullptr;
    ProcessorLoad m_processorLoad;
    QString m_helpFolder;
    QString m_runningScript; // its name as the status bar shows it
    QDeadlineTimer m_nextSeedShowing;
    QHBoxLayout* m_body = nullptr; // task bar | grid over pages
    int m_hotColdGroup = -1;
    bool m_shown = false;
};
